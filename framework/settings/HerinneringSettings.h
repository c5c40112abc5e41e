#pragma once

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// Which portfolio tasks the application makes by itself, how long in advance,
// and when they lapse. A period is a count and a unit: -1 day, -7 week,
// 1 month, 0 never. A kind's period counts in months until the office
// chooses otherwise.
struct HerinneringSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<bool> AutomatischTaken{this, "AutomatischTaken", false};
    Setting<qint16> AfgehandeldAantal{this, "AfgehandeldAantal", 0};
    Setting<qint16> AfgehandeldEenheid{this, "AfgehandeldEenheid", 0};
    Setting<bool> TaakEinddatumProduct{this, "TaakEinddatumProduct", false};
    Setting<qint16> TaakProductAantal{this, "TaakProductAantal", 0};
    Setting<qint16> TaakProductEenheid{this, "TaakProductEenheid", Maanden};
    Setting<qint32> TaakProducttypen{this, "TaakProducttypen", 0};
    Setting<bool> TaakEindeRvp{this, "TaakEindeRvp", false};
    Setting<qint16> TaakRvpAantal{this, "TaakRvpAantal", 0};
    Setting<qint16> TaakRvpEenheid{this, "TaakRvpEenheid", Maanden};
    Setting<bool> TaakGebeurtenissen{this, "TaakGebeurtenissen", false};
    Setting<qint16> TaakGebeurtenisAantal{this, "TaakGebeurtenisAantal", 0};
    Setting<qint16> TaakGebeurtenisEenheid{this, "TaakGebeurtenisEenheid", Maanden};
    Setting<qint32> TaakGebeurtenistypen{this, "TaakGebeurtenistypen", 0};
    Setting<bool> TaakAbonnementen{this, "TaakAbonnementen", false};
    Setting<qint16> TaakAbonnementAantal{this, "TaakAbonnementAantal", 0};
    Setting<qint16> TaakAbonnementEenheid{this, "TaakAbonnementEenheid", Maanden};

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
