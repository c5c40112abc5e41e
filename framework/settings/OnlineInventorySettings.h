#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// What an online inventory invitation asks a client for, its salutation, and
// what the overview of the answers shows.
struct TARVELO_EXPORT OnlineInventorySettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    // Bit 1: basic inventory; bit 2: financial inventory (which includes the basic one).
    Setting<qint16> CdInventarisatie{this, "CdInventarisatie", 0,
                                     Shown{u"Soort online inventarisatie"_s, u"SetupQvxOnline"_s}};
    Setting<bool> InventarisatieKlantprofiel{this, "InventarisatieKlantprofiel", false};
    Setting<bool> InventarisatieDocumenten{this, "InventarisatieDocumenten", false};
    Setting<bool> CheckHdnDocumenten{this, "CheckHdnDocumenten", false};
    Setting<qint16> Aanhef{this, "Aanhef", 0};
    Setting<bool> DirectZoeken{this, "DirectZoeken", false};
    Setting<qint16> OverzichtPeriode{this, "OverzichtPeriode", 0};
    Setting<qint16> OverzichtBerichten{this, "OverzichtBerichten", 0};
    // The document-request quick choice of an invitation, as its control keeps it.
    Setting<QString> DocumentAanvraagSnelkeuze{this, "DocumentAanvraagSnelkeuze", QString(),
                                               Shown{u"Snelkeuze documentaanvraag"_s, u"SetupQvxOnline"_s}};
};

} // namespace tarvelo
