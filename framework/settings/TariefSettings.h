#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The office's own fees and the default costs of an advice's financing set-up.
// Amounts are euros, percentages percent points; methods are the item data of
// their combos.
struct TARVELO_EXPORT TariefSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<qint16> LeveringsakteMethode{this, "LeveringsakteMethode", 0};
    Setting<double> LeveringsaktePercentage{this, "LeveringsaktePercentage", 0, Shown{u"Leveringsakte: percentage"_s},
                                            SettingFlag::Percent};
    Setting<double> LeveringsakteBedrag{this, "LeveringsakteBedrag", 0, Shown{u"Leveringsakte: bedrag"_s},
                                        SettingFlag::Amount};
    Setting<qint16> HypotheekakteMethode{this, "HypotheekakteMethode", 0};
    Setting<double> HypotheekaktePercentage{this, "HypotheekaktePercentage", 0, Shown{u"Hypotheekakte: percentage"_s},
                                            SettingFlag::Percent};
    Setting<double> HypotheekakteBedrag{this, "HypotheekakteBedrag", 0, Shown{u"Hypotheekakte: bedrag"_s},
                                        SettingFlag::Amount};
    Setting<qint16> TaxatiekostenMethode{this, "TaxatiekostenMethode", 0};
    Setting<double> TaxatiekostenPercentage{this, "TaxatiekostenPercentage", 0, Shown{u"Taxatiekosten: percentage"_s},
                                            SettingFlag::Percent};
    Setting<double> TaxatiekostenBedrag{this, "TaxatiekostenBedrag", 0, Shown{u"Taxatiekosten: bedrag"_s},
                                        SettingFlag::Amount};
    Setting<qint16> InschrijvingMethode{this, "InschrijvingMethode", 0};
    Setting<double> InschrijvingPercentage{this, "InschrijvingPercentage", 0,
                                           Shown{u"Hypothecaire inschrijving: percentage"_s}, SettingFlag::Percent};
    Setting<double> InschrijvingBedrag{this, "InschrijvingBedrag", 0, Shown{u"Hypothecaire inschrijving: bedrag"_s},
                                       SettingFlag::Amount};
    // The five fee rows: 1 fixed amount, 2 per hour, 3 percentage (row 0 only).
    Setting<qint16> AdvieskostenMethode0{this, "AdvieskostenMethode0", 1};
    Setting<qint16> AdvieskostenMethode1{this, "AdvieskostenMethode1", 1};
    Setting<qint16> AdvieskostenMethode2{this, "AdvieskostenMethode2", 1, Shown{u"Advieskosten met hypotheekadvies"_s}};
    Setting<qint16> AdvieskostenMethode3{this, "AdvieskostenMethode3", 1,
                                         Shown{u"Advieskosten zonder hypotheekadvies"_s}};
    Setting<qint16> AdvieskostenMethode4{this, "AdvieskostenMethode4", 1,
                                         Shown{u"Bemiddelingsvergoeding zonder hypotheekadvies"_s}};
    Setting<double> AdvieskostenBedrag0{this, "AdvieskostenBedrag0", 0,
                                        Shown{u"Bemiddelingsvergoeding geldlening: bedrag"_s}, SettingFlag::Amount};
    Setting<double> AdvieskostenBedrag1{this, "AdvieskostenBedrag1", 0,
                                        Shown{u"Overige bemiddelingsvergoeding: bedrag"_s}, SettingFlag::Amount};
    Setting<double> AdvieskostenBedrag2{this, "AdvieskostenBedrag2", 0,
                                        Shown{u"Advieskosten met hypotheekadvies: bedrag"_s}, SettingFlag::Amount};
    Setting<double> AdvieskostenBedrag3{this, "AdvieskostenBedrag3", 0,
                                        Shown{u"Advieskosten zonder hypotheekadvies: bedrag"_s}, SettingFlag::Amount};
    Setting<double> AdvieskostenBedrag4{this, "AdvieskostenBedrag4", 0,
                                        Shown{u"Bemiddelingsvergoeding zonder hypotheekadvies: bedrag"_s},
                                        SettingFlag::Amount};
    Setting<double> PcAdvieskosten{this, "PcAdvieskosten", 0, Shown{u"Bemiddelingsvergoeding geldlening: percentage"_s},
                                   SettingFlag::Percent};
    Setting<double> Dossiervergoeding{this, "Dossiervergoeding", 0, SettingFlag::Amount};
    // Which layout of these settings the advices can read.
    Setting<qint16> TariefVersie{this, "TariefVersie", 2, Shown{u"Versie tarieven"_s, u"SetupTarief"_s}};

    Setting<qint16>& AdvieskostenMethode(int row)
    {
        Setting<qint16>* rows[] = {&AdvieskostenMethode0, &AdvieskostenMethode1, &AdvieskostenMethode2,
                                   &AdvieskostenMethode3, &AdvieskostenMethode4};
        return *rows[row];
    }
    Setting<double>& AdvieskostenBedrag(int row)
    {
        Setting<double>* rows[] = {&AdvieskostenBedrag0, &AdvieskostenBedrag1, &AdvieskostenBedrag2,
                                   &AdvieskostenBedrag3, &AdvieskostenBedrag4};
        return *rows[row];
    }
};

} // namespace tarvelo
