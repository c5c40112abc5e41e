#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The office's link with the FDN software: its number and the software's "bin" folder.
struct TARVELO_EXPORT FdnSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<QString> FDNNummer{this, "FDNNummer"};
    Setting<QString> FDNInDir{this, "FDNInDir", QString(), Shown{u"FDN inkomende berichten map"_s, u"SetupFDNOUD"_s}};
};

} // namespace tarvelo
