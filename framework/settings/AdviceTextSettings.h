#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The office's standard texts for the motivation of an advice.
struct TARVELO_EXPORT AdviceTextSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    // The whole standard-text document as XML text; "" while the office has none.
    Setting<QString> StandaardtekstenMotivering{this, "StandaardtekstenMotivering", QString(),
                                                Shown{u"Standaardteksten motivering"_s, u"SetupAdvisering"_s}};
};

} // namespace tarvelo
