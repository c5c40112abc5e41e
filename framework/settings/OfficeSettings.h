#pragma once

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The office's own record: its registered name and the contact data the
// office keeps up to date itself.
struct OfficeSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<QString> Naam{this, "Kantoor.Naam"};
    Setting<QString> TelefoonNr{this, "Kantoor.TelefoonNr"};
    Setting<QString> TelefaxNr{this, "Kantoor.TelefaxNr"};
    Setting<QString> EMailadres{this, "Kantoor.EMailadres"};
    Setting<QString> URL{this, "Kantoor.URL"};
    Setting<QString> AFMRegistratieNr{this, "Kantoor.AFMRegistratieNr"};
};

// The office's registered address and its contact person.
struct OfficeAddressSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<QString> Straat{this, "Adres.Straat"};
    Setting<qint32> Huisnummer{this, "Adres.Huisnummer", 0};
    Setting<QString> Toevoeging{this, "Adres.Toevoeging"};
    Setting<QString> Postcode{this, "Adres.Postcode"};
    Setting<QString> Woonplaats{this, "Adres.Woonplaats"};
    Setting<QString> Voorletters{this, "Adres.Voorletters"};
    Setting<QString> Tussenvoegsel{this, "Adres.Tussenvoegsel"};
    Setting<QString> Achternaam{this, "Adres.Achternaam"};
};

} // namespace tarvelo
