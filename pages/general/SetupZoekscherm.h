#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/page/SettingsPage.h"

#include <array>

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Openen adviezen": what the screen for opening advices shows at first.
class SetupZoekscherm final : public SettingsPage {
public:
    SetupZoekscherm();
    QString Titel() const override { return u"Openen adviezen"_s; }

    // The codes of optMutatie and optTonenAdviezen, by index.
    static inline const std::array<QString, 5> MutatieCodes = {u"W1"_s, u"W2"_s, u"M1"_s, u"*"_s, u"M6"_s};
    static inline const std::array<QString, 3> TonenCodes = {u"A"_s, u"MV"_s, u"E"_s};
    static constexpr int AlleData = 3;

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }
    QString errorContext() const override { return u"Instellingen - Zoekscherm"_s; }

private:
    void optMutatie_Click(int index);
    void optTonenAdviezen_Click(int index);

    std::array<OptionButton*, 5> optMutatie{};
    std::array<OptionButton*, 3> optTonenAdviezen{};
};

} // namespace tarvelo
