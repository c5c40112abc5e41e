#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/TextBox.h"

#include <utility>

namespace tarvelo {

// "Formaat logo op Financieel Plan": the largest size, in centimetres, at which
// the office logo is printed on the financial plan.
class frmFormaatLogo final : public Dialog {
public:
    static constexpr double StandaardBreedte = 10;
    static constexpr double StandaardHoogte = 1.17;

    frmFormaatLogo();

    // Shows the stored sizes, writing the defaults for sizes never chosen.
    void Fill_Control();

private:
    void cmdDefault_Click();
    void cmdOk_Click();
    void cmdAnnuleren_Click();
    void showSizes();

    TextBox* txtBreedte = nullptr;
    TextBox* txtHoogte = nullptr;
    CommandButton& cmdDefault;
    CommandButton& cmdOk;
    CommandButton& cmdAnnuleren;
    // The sizes when the dialog was filled (width, height).
    std::pair<double, double> opened_{StandaardBreedte, StandaardHoogte};
};

} // namespace tarvelo
