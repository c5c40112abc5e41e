#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"

#include <array>

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Wachtwoord menu Onderhoud": changing the password of the host's
// maintenance menu, after the old one is typed correctly.
class SetupZivavivoz final : public SettingsPage {
public:
    SetupZivavivoz();
    QString Titel() const override { return u"Wachtwoord menu Onderhoud"_s; }

    static constexpr Colour Fout = rgb(255, 105, 112);
    static constexpr Colour Goed = rgb(165, 255, 153);

protected:
    void Fill() override { txtWachtwoordOud_Change(); }
    bool guardsFill() const override { return true; }
    QString errorContext() const override { return u"Instellingen - Wachtwoord"_s; }

private:
    void txtWachtwoordOud_Change();
    void txtWachtwoordNieuw_Change(int index);
    void cmdWijzigenWachtwoord_Click();
    bool oldPasswordMatches() const;
    bool newPasswordConfirmed() const;

    TextBox* txtWachtwoordOud = nullptr;
    std::array<TextBox*, 2> txtWachtwoordNieuw{};
    CommandButton* cmdWijzigenWachtwoord = nullptr;
};

} // namespace tarvelo
