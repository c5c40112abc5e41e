#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The proxy server through which the program reaches the internet.
struct TARVELO_EXPORT ProxySettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<bool> ProxyGebruiken{this, "ProxyGebruiken", false};
    Setting<QString> ProxyAdres{this, "ProxyAdres"};
    Setting<QString> ProxyGebruikersnaam{this, "ProxyGebruikersnaam"};
    Setting<QString> ProxyWachtwoord{this, "ProxyWachtwoord", QString(), SettingFlag::Secret};
};

} // namespace tarvelo
