#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/Label.h"
#include "framework/forms/ProgressBar.h"

namespace tarvelo {

// The library's own small progress window: a message, a progress bar and a
// cancel button. Modeless: the long run goes on while it shows.
class frmProgress final : public Dialog {
public:
    frmProgress();

    // Heights of the window with and without the progress bar.
    static constexpr int HeightWithBar = 1185;
    static constexpr int HeightWithoutBar = 750;

    // Set once the user pressed "&Afbreken"; only a new window starts clear.
    bool Cancelled() const { return cancelled_; }

    Label& lblMessage;
    ProgressBar& Pgb1;
    CommandButton& cmdCancel;

private:
    void cmdCancel_Click();

    bool cancelled_ = false;
};

} // namespace tarvelo
