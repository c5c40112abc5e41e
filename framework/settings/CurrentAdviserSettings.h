#pragma once

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The adviser who works with the program, as the host knows him: the name
// parts the documents print.
struct CurrentAdviserSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    // "V" for a woman, anything else a man.
    Setting<QString> Geslacht{this, "HuidigeAdviseur.Geslacht"};
    Setting<QString> Voorletters{this, "HuidigeAdviseur.Voorletters"};
    Setting<QString> Voornamen{this, "HuidigeAdviseur.Voornamen"};
    Setting<QString> Tussenvoegsel{this, "HuidigeAdviseur.Tussenvoegsel"};
    Setting<QString> Achternaam{this, "HuidigeAdviseur.Achternaam"};
};

} // namespace tarvelo
