#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The adviser who works with the program, as the host knows him: the name
// parts the documents print.
struct TARVELO_EXPORT CurrentAdviserSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    // "V" for a woman, anything else a man.
    Setting<QString> Geslacht{this, "HuidigeAdviseur.Geslacht", QString(),
                              Shown{u"Adviseur: Geslacht"_s, u"Adviseurs"_s}};
    Setting<QString> Voorletters{this, "HuidigeAdviseur.Voorletters", QString(),
                                 Shown{u"Adviseur: Voorletters"_s, u"Adviseurs"_s}};
    Setting<QString> Voornamen{this, "HuidigeAdviseur.Voornamen", QString(),
                               Shown{u"Adviseur: Voornamen"_s, u"Adviseurs"_s}};
    Setting<QString> Tussenvoegsel{this, "HuidigeAdviseur.Tussenvoegsel", QString(),
                                   Shown{u"Adviseur: Tussenvoegsel"_s, u"Adviseurs"_s}};
    Setting<QString> Achternaam{this, "HuidigeAdviseur.Achternaam", QString(),
                                Shown{u"Adviseur: Achternaam"_s, u"Adviseurs"_s}};
};

} // namespace tarvelo
