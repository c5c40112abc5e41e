#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// Saving the open advice by itself every so many minutes.
struct TARVELO_EXPORT AutosaveSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<bool> AutomatischOpslaan{this, "AutomatischOpslaan", false};
    Setting<qint16> AutomatischOpslaanMinuten{this, "AutomatischOpslaanMinuten", 10};
};

} // namespace tarvelo
