#pragma once

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The host's settings object: Setup holds one user's settings, GlobalSetup the
// office's; both are this type. Each setting is declared once, here, with its
// exact name, type and default; integers keep their declared width.
class Settings final : public SettingsObject {
public:
    // Updates, autosave and proxy
    Setting<qint16> UpdateTermijn{this, "UpdateTermijn", 0};
    Setting<qint16> UpdateVlag{this, "UpdateVlag", 0};
    Setting<QDate> VolgendeUpdate{this, "VolgendeUpdate"};
    Setting<bool> AutoDownload{this, "AutoDownload", false};
    Setting<bool> AutomatischOpslaan{this, "AutomatischOpslaan", false};
    Setting<qint16> AutomatischOpslaanMinuten{this, "AutomatischOpslaanMinuten", 0};
    Setting<bool> ProxyGebruiken{this, "ProxyGebruiken", false};
    Setting<QString> ProxyAdres{this, "ProxyAdres"};
    Setting<QString> ProxyGebruikersnaam{this, "ProxyGebruikersnaam"};
    Setting<QString> ProxyWachtwoord{this, "ProxyWachtwoord", QString(), SettingFlag::Secret};

    // Import and export of advices
    Setting<QString> ImportDir{this, "ImportDir"};
    Setting<QString> ExportDir{this, "ExportDir"};
    Setting<QString> EmailOntvanger{this, "EmailOntvanger"};
};

} // namespace tarvelo
