#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The host's settings object: Setup holds one user's settings, GlobalSetup the
// office's; both are this type. The settings are declared per subject in the
// blocks of framework/settings/, each setting once with its exact name, type
// and default; a page includes the blocks it uses and reaches one with
// get<Block>(). Integers keep their declared width.
class TARVELO_EXPORT Settings final : public SettingsObject {
public:
    Settings();
};

} // namespace tarvelo
