#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// What the printed charges overviews of an advice contain: the charges taken
// in, the cash flows netted in them, the first calendar year, and the columns
// of the charges, net-disposable-income and assessment overviews.
struct TARVELO_EXPORT OverviewSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<bool> Servicekosten{this, "Servicekosten", false};
    Setting<bool> Boeterente{this, "Boeterente", false};
    // 1 = the expenditure figures are included, 2 = not; 0 until first shown.
    Setting<qint16> Nibud{this, "Nibud", 2};
    Setting<bool> TelecomOpOverzicht{this, "TelecomOpOverzicht", false};
    Setting<bool> EnergieOpOverzicht{this, "EnergieOpOverzicht", false};
    Setting<bool> UitvaartOpOverzicht{this, "UitvaartOpOverzicht", false};
    Setting<bool> KredietlastenVerrekenen{this, "KredietlastenVerrekenen", false};
    Setting<bool> SchadeOpOverzicht{this, "SchadeOpOverzicht", false};
    Setting<bool> FinancieringskostenMeerekenen{this, "FinancieringskostenMeerekenen", false};
    Setting<bool> Erfpacht{this, "Erfpacht", false};
    Setting<bool> AbonnementenOpOverzicht{this, "AbonnementenOpOverzicht", false};
    Setting<bool> GespreidBetalen{this, "GespreidBetalen", false};
    // Bit set: 1 benefits, 2 repayments, 4 initial deposits, 8 extra deposits,
    // 16 withdrawals, 32 extra withdrawals.
    Setting<qint32> TeVerrekenenLasten{this, "TeVerrekenenLasten", 0,
                                       Shown{u"Te verrekenen lasten"_s, u"SetupOverzicht"_s}};
    // True: the first year shows only the new situation's charges.
    Setting<bool> HuidigeLastenIn1eJaar{this, "HuidigeLastenIn1eJaar", false};
    Setting<qint32> KolommenLastenoverzicht{this, "KolommenLastenoverzicht", 0,
                                            Shown{u"Kolommen lastenoverzicht"_s, u"SetupOverzicht"_s}};
    Setting<qint32> KolommenNBIOverzicht{this, "KolommenNBIOverzicht", 0,
                                         Shown{u"Kolommen NBI-overzicht"_s, u"SetupOverzicht"_s}};
    // 1 = landscape; any other value portrait.
    Setting<qint16> Afdrukstand{this, "Afdrukstand", 0, Shown{u"Afdrukstand financieel plan"_s, u"SetupOverzicht"_s}};
    Setting<qint32> ToetsingKolommenVerbergen{this, "ToetsingKolommenVerbergen", 0,
                                              Shown{u"Verborgen kolommen toetsing"_s, u"SetupOverzicht"_s}};
};

} // namespace tarvelo
