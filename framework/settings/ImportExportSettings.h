#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// Where advices are imported from and exported to, and who is mailed an
// export through which mail server.
struct TARVELO_EXPORT ImportExportSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<QString> ImportDir{this, "ImportDir", QString(), Shown{u"Importlocatie adviezen"_s, u"SetupDatabase"_s}};
    Setting<QString> ExportDir{this, "ExportDir", QString(), Shown{u"Exportlocatie adviezen"_s, u"SetupExport"_s}};
    Setting<QString> EmailOntvanger{this, "EmailOntvanger"};
    Setting<QString> SMTPServer{this, "SMTPServer"};
};

} // namespace tarvelo
