#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The password that guards the host's maintenance menu.
struct TARVELO_EXPORT MaintenanceSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<QString> OnderhoudWachtwoord{this, "OnderhoudWachtwoord", QString(),
                                         Shown{u"Wachtwoord onderhoud"_s, u"SetupZivavivoz"_s}, SettingFlag::Secret};
};

} // namespace tarvelo
