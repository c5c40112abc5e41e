#pragma once

#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/TextBox.h"

namespace tarvelo {

class Settings;

// Adds one alternative incoming folder: a message type that has no folder
// yet and the folder the HDN client delivers it to.
class frmHDNIndir final : public Dialog {
public:
    frmHDNIndir();

    // The incoming message types that can be given a folder, in their order.
    static QStringList Berichtsoorten();
    // The types of the fixed list that have no folder in setup yet.
    static QStringList FreeBerichtsoorten(Settings& setup);

    void setSetup(Settings& setup) { setup_ = &setup; }
    // Stores the application and fills the dialog; Setup comes first.
    void setApplication(Application& application);

    ComboBox& cboBerichtsoort;
    TextBox& txtHDNInDir;
    CommandButton& cmdHDNInDir;
    CommandButton& cmdClearHDNInDir;
    CommandButton& cmdOk;
    CommandButton& cmdAnnuleren;

private:
    void Fill_Controls();
    void cmdHDNInDir_Click();
    void cmdClearHDNInDir_Click();
    void cmdOk_Click();

    Settings* setup_ = nullptr;
};

} // namespace tarvelo
