#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// Which portfolio tasks the application makes by itself, how long in advance,
// and when they lapse. A period is a count and a unit: -1 day, -7 week,
// 1 month, 0 never. A kind's period counts in months until the office
// chooses otherwise.
struct TARVELO_EXPORT HerinneringSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<bool> AutomatischTaken{this, "AutomatischTaken", false};
    Setting<qint16> AfgehandeldAantal{this, "AfgehandeldAantal", 0, Shown{u"Afgehandelde taken verwijderen na"_s}};
    Setting<qint16> AfgehandeldEenheid{this, "AfgehandeldEenheid", 0,
                                       Shown{u"Afgehandelde taken verwijderen na: eenheid"_s}};
    Setting<bool> TaakEinddatumProduct{this, "TaakEinddatumProduct", false};
    Setting<qint16> TaakProductAantal{this, "TaakProductAantal", 0,
                                      Shown{u"Einddatum product: taak van tevoren aanmaken"_s}};
    Setting<qint16> TaakProductEenheid{this, "TaakProductEenheid", Maanden, Shown{u"Einddatum product: eenheid"_s}};
    Setting<qint32> TaakProducttypen{this, "TaakProducttypen", 0};
    Setting<bool> TaakEindeRvp{this, "TaakEindeRvp", false};
    Setting<qint16> TaakRvpAantal{this, "TaakRvpAantal", 0,
                                  Shown{u"Einde rentevastperiode: taak van tevoren aanmaken"_s}};
    Setting<qint16> TaakRvpEenheid{this, "TaakRvpEenheid", Maanden, Shown{u"Einde rentevastperiode: eenheid"_s}};
    Setting<bool> TaakGebeurtenissen{this, "TaakGebeurtenissen", false};
    Setting<qint16> TaakGebeurtenisAantal{this, "TaakGebeurtenisAantal", 0,
                                          Shown{u"Levensgebeurtenissen: taak van tevoren aanmaken"_s}};
    Setting<qint16> TaakGebeurtenisEenheid{this, "TaakGebeurtenisEenheid", Maanden,
                                           Shown{u"Levensgebeurtenissen: eenheid"_s}};
    Setting<qint32> TaakGebeurtenistypen{this, "TaakGebeurtenistypen", 0};
    Setting<bool> TaakAbonnementen{this, "TaakAbonnementen", false};
    Setting<qint16> TaakAbonnementAantal{this, "TaakAbonnementAantal", 0,
                                         Shown{u"Controlemoment abonnement: taak van tevoren aanmaken"_s}};
    Setting<qint16> TaakAbonnementEenheid{this, "TaakAbonnementEenheid", Maanden,
                                          Shown{u"Controlemoment abonnement: eenheid"_s}};

    // Units of a period.
    static constexpr qint16 Dagen = -1;
    static constexpr qint16 Weken = -7;
    static constexpr qint16 Maanden = 1;
    static constexpr qint16 Nooit = 0;

    // Life-event kinds.
    static constexpr qint32 VerjaardagKlant = 1;
    static constexpr qint32 VerjaardagKinderen = 2;
    static constexpr qint32 Pensioen = 4;
};

} // namespace tarvelo
