#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// How often the program looks for updates and whether it downloads them itself.
struct TARVELO_EXPORT UpdateSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<qint16> UpdateTermijn{this, "UpdateTermijn", 1};
    Setting<qint16> UpdateVlag{this, "UpdateVlag", 0, Shown{u"Update gevonden"_s, u"SetupProxy"_s}};
    Setting<QDate> VolgendeUpdate{this, "VolgendeUpdate", QDate(),
                                  Shown{u"Volgende controle op updates"_s, u"SetupProxy"_s}};
    Setting<bool> AutoDownload{this, "AutoDownload", false};
};

} // namespace tarvelo
