#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/TextBox.h"

namespace tarvelo {

struct VestigingRecord;

// The HDN number (subnode) one branch sends its messages under.
class frmSubnodeEdit final : public Dialog {
public:
    frmSubnodeEdit();

    // The branch to edit; set before Application.
    void setVestiging(VestigingRecord* vestiging) { vestiging_ = vestiging; }
    // Stores the application and fills the dialog.
    void setApplication(Application& application);

    // A valid HDN number: six digits.

    TextBox& txtVestiging;
    TextBox& txtHDNNummer;
    CommandButton& cmdOK;
    CommandButton& cmdAnnuleren;

private:
    void Fill_Controls();
    void cmdOK_Click();

    VestigingRecord* vestiging_ = nullptr;
};

} // namespace tarvelo
