#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"

namespace tarvelo {

// Asks for a password; in confirming mode (Bevestigen) twice, and both must match.
class frmWachtwoord final : public Dialog {
public:
    frmWachtwoord();

    // Set before showing: the second field and its label appear and the button moves below them.
    void setBevestigen(bool on);
    bool Bevestigen() const { return bevestigen_; }
    // The caller gives the page's colour first; the focus goes to the first field.
    void setApplication(Application& application);
    // The text entered, read after the dialog closed unless Geannuleerd.
    const QString& Wachtwoord() const { return wachtwoord_; }

    Label& lblWachtwoord0;
    TextBox& txtWachtwoord0;
    Label& lblWachtwoord1;
    TextBox& txtWachtwoord1;
    CommandButton& cmdOK;
    CommandButton& cmdAnnuleren;

private:
    void Form_Activate();
    void cmdOK_Click();
    void arrange();

    bool bevestigen_ = false;
    QString wachtwoord_;
};

} // namespace tarvelo
