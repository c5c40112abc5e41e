#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// What the screen for opening advices shows at first.
struct TARVELO_EXPORT SearchScreenSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<bool> ZoekDirectZoeken{this, "ZoekDirectZoeken", false};
    // "W1", "W2", "M1", "M6" or "*" (all dates).
    Setting<QString> ZoekMutatie{this, "ZoekMutatie", QString(),
                                 Shown{u"Zoeken op mutatiedatum"_s, u"SetupZoekscherm"_s}};
    // "A" all advices, "MV" those of the user's branch, "E" the user's own.
    Setting<QString> ZoekTonenAdviezen{this, "ZoekTonenAdviezen", u"A"_s,
                                       Shown{u"Tonen adviezen"_s, u"SetupZoekscherm"_s}};
};

} // namespace tarvelo
