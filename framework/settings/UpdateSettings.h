#pragma once

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// How often the program looks for updates and whether it downloads them itself.
struct UpdateSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<qint16> UpdateTermijn{this, "UpdateTermijn", 0};
    Setting<qint16> UpdateVlag{this, "UpdateVlag", 0};
    Setting<QDate> VolgendeUpdate{this, "VolgendeUpdate"};
    Setting<bool> AutoDownload{this, "AutoDownload", false};
};

} // namespace tarvelo
