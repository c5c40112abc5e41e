#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The general parameters of the financial-plan calculations and the tax credits
// the tax calculation applies.
struct TARVELO_EXPORT CalculationSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<quint8> IngangsjaarScenarios{this, "IngangsjaarScenarios", 0, Shown{u"Ingangsjaar scenario's"_s}};
    Setting<qint16> AantalJarenOverzicht{this, "AantalJarenOverzicht", 0};
    Setting<double> Huurstijging{this, "Huurstijging", 0, SettingFlag::Percent};
    Setting<qint16> EindleeftijdScenarios{this, "EindleeftijdScenarios", 0};
    Setting<double> PcWaardestijgingPand{this, "PcWaardestijgingPand", 0, SettingFlag::Percent};
    Setting<bool> OverwaardeMeenemen{this, "OverwaardeMeenemen", false};
    Setting<double> RekenrenteContanteWaarde{this, "RekenrenteContanteWaarde", 4, SettingFlag::Percent};
    Setting<qint16> ControleNbiSituatie{this, "ControleNbiSituatie", 0};
    // 0: never chosen, every credit applies. A choice of no credits at all
    // keeps only GeenHeffingskortingen, a bit that no credit uses.
    Setting<qint16> Heffingskortingen{this, "Heffingskortingen", 0};

    static constexpr qint16 GeenHeffingskortingen = 0x4000;
};

} // namespace tarvelo
