#pragma once

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The office's own fees and the default costs of an advice's financing set-up.
// Amounts are euros, percentages percent points; methods are the item data of
// their combos.
struct TariefSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<qint16> LeveringsakteMethode{this, "LeveringsakteMethode", 0};
    Setting<double> LeveringsaktePercentage{this, "LeveringsaktePercentage", 0};
    Setting<double> LeveringsakteBedrag{this, "LeveringsakteBedrag", 0};
    Setting<qint16> HypotheekakteMethode{this, "HypotheekakteMethode", 0};
    Setting<double> HypotheekaktePercentage{this, "HypotheekaktePercentage", 0};
    Setting<double> HypotheekakteBedrag{this, "HypotheekakteBedrag", 0};
    Setting<qint16> TaxatiekostenMethode{this, "TaxatiekostenMethode", 0};
    Setting<double> TaxatiekostenPercentage{this, "TaxatiekostenPercentage", 0};
    Setting<double> TaxatiekostenBedrag{this, "TaxatiekostenBedrag", 0};
    Setting<qint16> InschrijvingMethode{this, "InschrijvingMethode", 0};
    Setting<double> InschrijvingPercentage{this, "InschrijvingPercentage", 0};
    Setting<double> InschrijvingBedrag{this, "InschrijvingBedrag", 0};
    // The five fee rows: 1 fixed amount, 2 per hour, 3 percentage (row 0 only).
    Setting<qint16> AdvieskostenMethode0{this, "AdvieskostenMethode0", 0};
    Setting<qint16> AdvieskostenMethode1{this, "AdvieskostenMethode1", 0};
    Setting<qint16> AdvieskostenMethode2{this, "AdvieskostenMethode2", 0};
    Setting<qint16> AdvieskostenMethode3{this, "AdvieskostenMethode3", 0};
    Setting<qint16> AdvieskostenMethode4{this, "AdvieskostenMethode4", 0};
    Setting<double> AdvieskostenBedrag0{this, "AdvieskostenBedrag0", 0};
    Setting<double> AdvieskostenBedrag1{this, "AdvieskostenBedrag1", 0};
    Setting<double> AdvieskostenBedrag2{this, "AdvieskostenBedrag2", 0};
    Setting<double> AdvieskostenBedrag3{this, "AdvieskostenBedrag3", 0};
    Setting<double> AdvieskostenBedrag4{this, "AdvieskostenBedrag4", 0};
    Setting<double> PcAdvieskosten{this, "PcAdvieskosten", 0};
    Setting<double> Dossiervergoeding{this, "Dossiervergoeding", 0};
    // Which layout of these settings the advices can read.
    Setting<qint16> TariefVersie{this, "TariefVersie", 0};

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
