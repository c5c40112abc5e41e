#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/page/SettingsPage.h"

#include <array>

namespace tarvelo {

// "Openen adviezen": what the screen for opening advices shows at first.
class SetupZoekscherm final : public SettingsPage {
public:
    SetupZoekscherm();
    QString Titel() const override { return QStringLiteral("Openen adviezen"); }

    // The codes of optMutatie and optTonenAdviezen, by index.
    static inline const std::array<QString, 5> MutatieCodes = {
        QStringLiteral("W1"), QStringLiteral("W2"), QStringLiteral("M1"), QStringLiteral("*"), QStringLiteral("M6")};
    static inline const std::array<QString, 3> TonenCodes = {QStringLiteral("A"), QStringLiteral("MV"),
                                                             QStringLiteral("E")};
    static constexpr int AlleData = 3;

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }
    QString errorContext() const override { return QStringLiteral("Instellingen - Zoekscherm"); }

private:
    void optMutatie_Click(int index);
    void optTonenAdviezen_Click(int index);

    std::array<OptionButton*, 5> optMutatie{};
    std::array<OptionButton*, 3> optTonenAdviezen{};
};

} // namespace tarvelo
