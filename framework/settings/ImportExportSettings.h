#pragma once

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// Where advices are imported from and exported to, and who is mailed an
// export through which mail server.
struct ImportExportSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<QString> ImportDir{this, "ImportDir"};
    Setting<QString> ExportDir{this, "ExportDir"};
    Setting<QString> EmailOntvanger{this, "EmailOntvanger"};
    Setting<QString> SMTPServer{this, "SMTPServer"};
};

} // namespace tarvelo
