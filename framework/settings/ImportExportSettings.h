#pragma once

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// Where advices are imported from and exported to, and who is mailed an export.
struct ImportExportSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<QString> ImportDir{this, "ImportDir"};
    Setting<QString> ExportDir{this, "ExportDir"};
    Setting<QString> EmailOntvanger{this, "EmailOntvanger"};
};

} // namespace tarvelo
