#pragma once

#include "framework/forms/CommandButton.h"
#include "pages/advice/ColumnDialog.h"

namespace tarvelo {

// The columns left out of the assessment ("toetsing") overview; none left out
// shows them all.
class frmToetsingKolommen final : public ColumnDialog {
public:
    frmToetsingKolommen();

    // Shows the stored choice; the caller sets the application and Setup first.
    void Fill_Control();

private:
    void cmdOk_Click();

    ListBox& lstKolommen;
    CommandButton& cmdOk;
    CommandButton& cmdAnnuleren;
};

} // namespace tarvelo
