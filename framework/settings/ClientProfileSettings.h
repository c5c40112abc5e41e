#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// How complete the client profile and motivation must be before an application
// form or HDN application is printed: 1 both, 2 the profile only, 3 no check.
struct TARVELO_EXPORT ClientProfileSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<qint16> ControleVolledigheid{this, "ControleVolledigheid", 1};
};

} // namespace tarvelo
