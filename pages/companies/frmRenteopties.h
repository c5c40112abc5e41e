#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/Label.h"

namespace tarvelo {

class RenteOpties;

// "Hypotheekopties": hosts the mortgage-options control for a lender's
// defaults or for one loan part of the open advice, lets it fill itself and
// asks it to save. The dialog owns no option data.
class frmRenteopties final : public Dialog {
public:
    frmRenteopties();

    void setCd_Mij(const QString& code) { cdMij_ = code; }
    // Builds and fills the dialog; loanIndex names a loan part of the open
    // advice (from 1), or none (0) for the lender's defaults set by setCd_Mij.
    void SetApplication(Application& application, int loanIndex = 0);
    RenteOpties* control() const { return control_; }

    CommandButton& cmdOpslaan;
    CommandButton& cmdOK;
    Label& lblHypotheekOpties;

private:
    void cmdOk_Click();
    void cmdOpslaan_Click();
    void Form_Resize();

    QString cdMij_;
    RenteOpties* control_ = nullptr;
};

} // namespace tarvelo
