#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/page/SettingsPage.h"

#include <array>

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Lastenoverzicht": which charges the charges overview of an advice takes in,
// which cash flows are netted in those charges, and how the first calendar
// year is shown.
class SetupOverzicht final : public SettingsPage {
public:
    // The boxes of "Verrekenen in lasten" in the order of their bits 1 to 32.
    static constexpr int NettingBoxes = 6;

    SetupOverzicht();
    QString Titel() const override { return u"Lastenoverzicht"_s; }
    bool hasValidation() const override { return true; }

protected:
    void Fill() override;

private:
    void Update_TeVerrekenenLasten();

    std::array<CheckBox*, NettingBoxes> nettingBoxes_{};
};

} // namespace tarvelo
