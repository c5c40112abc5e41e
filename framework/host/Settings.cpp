#include "framework/host/Settings.h"

#include "framework/settings/AbonnementSettings.h"
#include "framework/settings/AdviceTextSettings.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/settings/AutosaveSettings.h"
#include "framework/settings/CalculationSettings.h"
#include "framework/settings/ClientProfileSettings.h"
#include "framework/settings/CompanyChoiceSettings.h"
#include "framework/settings/CurrentAdviserSettings.h"
#include "framework/settings/DocumentSettings.h"
#include "framework/settings/FdnSettings.h"
#include "framework/settings/HdnSettings.h"
#include "framework/settings/HerinneringSettings.h"
#include "framework/settings/HouseStyleSettings.h"
#include "framework/settings/ImportExportSettings.h"
#include "framework/settings/InkoopcombinatieSettings.h"
#include "framework/settings/IntegrationSettings.h"
#include "framework/settings/MaintenanceSettings.h"
#include "framework/settings/NotarisSettings.h"
#include "framework/settings/OfficeSettings.h"
#include "framework/settings/OnderwerpenSettings.h"
#include "framework/settings/OnlineInventorySettings.h"
#include "framework/settings/OverviewSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/SearchScreenSettings.h"
#include "framework/settings/TariefSettings.h"
#include "framework/settings/UpdateSettings.h"

namespace tarvelo {

// Every subject's block, in the order its settings are listed by name.
#define TARVELO_SETTINGS_BLOCKS(BLOCK)                                                                                 \
    BLOCK(UpdateSettings)                                                                                              \
    BLOCK(AutosaveSettings)                                                                                            \
    BLOCK(ProxySettings)                                                                                               \
    BLOCK(ImportExportSettings)                                                                                        \
    BLOCK(IntegrationSettings)                                                                                         \
    BLOCK(OnlineInventorySettings)                                                                                     \
    BLOCK(NotarisSettings)                                                                                             \
    BLOCK(InkoopcombinatieSettings)                                                                                    \
    BLOCK(ClientProfileSettings)                                                                                       \
    BLOCK(FdnSettings)                                                                                                 \
    BLOCK(MaintenanceSettings)                                                                                         \
    BLOCK(CalculationSettings)                                                                                         \
    BLOCK(OfficeSettings)                                                                                              \
    BLOCK(OfficeAddressSettings)                                                                                       \
    BLOCK(HouseStyleSettings)                                                                                          \
    BLOCK(CompanyChoiceSettings)                                                                                       \
    BLOCK(SearchScreenSettings)                                                                                        \
    BLOCK(TariefSettings)                                                                                              \
    BLOCK(HerinneringSettings)                                                                                         \
    BLOCK(AbonnementSettings)                                                                                          \
    BLOCK(OnderwerpenSettings)                                                                                         \
    BLOCK(OverviewSettings)                                                                                            \
    BLOCK(DocumentSettings)                                                                                            \
    BLOCK(CurrentAdviserSettings)                                                                                      \
    BLOCK(AdviceTextSettings)                                                                                          \
    BLOCK(AutorisatieSettings)                                                                                         \
    BLOCK(HuidigeAdviseurSettings)                                                                                     \
    BLOCK(HdnSettings)                                                                                                 \
    BLOCK(HdnStorageSettings)

Settings::Settings()
{
#define TARVELO_ADD_BLOCK(Block) addBlock<Block>();
    TARVELO_SETTINGS_BLOCKS(TARVELO_ADD_BLOCK)
#undef TARVELO_ADD_BLOCK
}

// One exported call per block that names it: a host reaches a block through
// the inline get<Block>(), which no exported call names, so without these the
// library's interface check would not see a member added to a block or moved
// in it. A new block adds a call and breaks no host. The calls do nothing
// alike, and the optimiser would fold them into the first; the folded ones
// then lose their description, and with it the check of their block's
// layout, so each is kept a body of its own.
#if defined(__has_attribute)
#if __has_attribute(no_icf)
#define TARVELO_KEEP_APART __attribute__((no_icf))
#endif
#endif
#ifndef TARVELO_KEEP_APART
#define TARVELO_KEEP_APART
#endif
#define TARVELO_BLOCK_LAYOUT(Block)                                                                                    \
    TARVELO_EXPORT TARVELO_KEEP_APART void settingsBlockLayout(const Block*) {}
TARVELO_SETTINGS_BLOCKS(TARVELO_BLOCK_LAYOUT)
#undef TARVELO_BLOCK_LAYOUT
#undef TARVELO_KEEP_APART
#undef TARVELO_SETTINGS_BLOCKS

} // namespace tarvelo
