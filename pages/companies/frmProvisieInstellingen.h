#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/Frame.h"

namespace tarvelo {

class UserControl;

// "Provisieinstellingen": hosts the commission-settings control of a company,
// created by its class name (the company's commission object). The control
// stores its own settings; the dialog stores nothing.
class frmProvisieInstellingen final : public Dialog {
public:
    frmProvisieInstellingen();

    // The class of the control to host; with the application known it loads.
    void setControlName(const QString& className);
    void setApplication(Application& application);
    UserControl* control() const { return control_; }

    Frame& fraProvisieInstelling;
    CommandButton& cmdOk;

private:
    void LoadControlProvisie();
    void Form_Resize();

    QString className_;
    UserControl* control_ = nullptr;
};

} // namespace tarvelo
