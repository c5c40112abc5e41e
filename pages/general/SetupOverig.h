#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"

#include <array>

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Berekeningen": the general parameters of the financial-plan calculations
// and the tax credits the tax calculation applies.
class SetupOverig final : public SettingsPage {
public:
    SetupOverig();
    QString Titel() const override { return u"Berekeningen"_s; }
    bool hasValidation() const override { return true; }

    // Written for a discount rate that was never set.
    static constexpr double StandaardRekenrente = 4.0;
    // The credit bits of chkHeffingskorting by index; -1 for indexes without a box.
    static constexpr std::array<qint16, 9> HeffingskortingBit = {1, 2, 1024, -1, -1, 128, 256, 2048, 4};

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }
    std::vector<ValidationCheck> validationChecks() override;

private:
    void chkHeffingskorting_Click(int index);
    void txtAantalJaren_Validation(bool& Cancel);
    void txtPcContanteWaarde_Validation(bool& Cancel);
    void txtHuurstijging_Validation(bool& Cancel);
    void txtPcWaardePand_Change();
    void txtPcWaardePand_Validation(bool& Cancel);
    void txtEindLeeftijd_Change();
    void txtEindLeeftijd_Validation(bool& Cancel);

    TextBox* txtDatumScenarios = nullptr;
    TextBox* txtAantalJaren = nullptr;
    TextBox* txtHuurstijging = nullptr;
    TextBox* txtPcWaardePand = nullptr;
    TextBox* txtPcContanteWaarde = nullptr;
    TextBox* txtEindLeeftijd = nullptr;
    std::array<CheckBox*, 9> chkHeffingskorting{};
};

} // namespace tarvelo
