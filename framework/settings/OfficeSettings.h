#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The office's own record: its registered name and the contact data the
// office keeps up to date itself.
struct TARVELO_EXPORT OfficeSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<QString> Naam{this, "Kantoor.Naam", QString(), Shown{u"Kantoornaam"_s, u"KantoorGegevens"_s}};
    Setting<QString> TelefoonNr{this, "Kantoor.TelefoonNr"};
    Setting<QString> TelefaxNr{this, "Kantoor.TelefaxNr"};
    Setting<QString> EMailadres{this, "Kantoor.EMailadres"};
    Setting<QString> URL{this, "Kantoor.URL"};
    Setting<QString> AFMRegistratieNr{this, "Kantoor.AFMRegistratieNr"};
};

// The office's registered address and its contact person.
struct TARVELO_EXPORT OfficeAddressSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<QString> Straat{this, "Adres.Straat", QString(), Shown{u"Straat"_s, u"KantoorGegevens"_s}};
    Setting<qint32> Huisnummer{this, "Adres.Huisnummer", 0, Shown{u"Huisnummer"_s, u"KantoorGegevens"_s}};
    Setting<QString> Toevoeging{this, "Adres.Toevoeging", QString(),
                                Shown{u"Toevoeging huisnummer"_s, u"KantoorGegevens"_s}};
    Setting<QString> Postcode{this, "Adres.Postcode", QString(), Shown{u"Postcode"_s, u"KantoorGegevens"_s}};
    Setting<QString> Woonplaats{this, "Adres.Woonplaats", QString(), Shown{u"Woonplaats"_s, u"KantoorGegevens"_s}};
    Setting<QString> Voorletters{this, "Adres.Voorletters", QString(),
                                 Shown{u"Contactpersoon: Voorletters"_s, u"KantoorGegevens"_s}};
    Setting<QString> Tussenvoegsel{this, "Adres.Tussenvoegsel", QString(),
                                   Shown{u"Contactpersoon: Tussenvoegsel"_s, u"KantoorGegevens"_s}};
    Setting<QString> Achternaam{this, "Adres.Achternaam", QString(),
                                Shown{u"Contactpersoon: Achternaam"_s, u"KantoorGegevens"_s}};
};

} // namespace tarvelo
