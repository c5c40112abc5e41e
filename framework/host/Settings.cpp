#include "framework/host/Settings.h"

#include "framework/settings/AutosaveSettings.h"
#include "framework/settings/CalculationSettings.h"
#include "framework/settings/ClientProfileSettings.h"
#include "framework/settings/CompanyChoiceSettings.h"
#include "framework/settings/FdnSettings.h"
#include "framework/settings/HouseStyleSettings.h"
#include "framework/settings/ImportExportSettings.h"
#include "framework/settings/IntegrationSettings.h"
#include "framework/settings/OnlineInventorySettings.h"
#include "framework/settings/InkoopcombinatieSettings.h"
#include "framework/settings/NotarisSettings.h"
#include "framework/settings/MaintenanceSettings.h"
#include "framework/settings/OfficeSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/SearchScreenSettings.h"
#include "framework/settings/UpdateSettings.h"
#include "framework/settings/HdnSettings.h"
#include "framework/settings/VestigingSettings.h"

namespace tarvelo {

// Every subject's block, in the order its settings are listed by name.
Settings::Settings()
{
    addBlock<UpdateSettings>();
    addBlock<AutosaveSettings>();
    addBlock<ProxySettings>();
    addBlock<ImportExportSettings>();
    addBlock<IntegrationSettings>();
    addBlock<OnlineInventorySettings>();
    addBlock<NotarisSettings>();
    addBlock<InkoopcombinatieSettings>();
    addBlock<ClientProfileSettings>();
    addBlock<FdnSettings>();
    addBlock<MaintenanceSettings>();
    addBlock<CalculationSettings>();
    addBlock<OfficeSettings>();
    addBlock<OfficeAddressSettings>();
    addBlock<HouseStyleSettings>();
    addBlock<CompanyChoiceSettings>();
    addBlock<SearchScreenSettings>();
    addBlock<HdnSettings>();
    addBlock<HdnStorageSettings>();
    addBlock<VestigingSettings>();
}

} // namespace tarvelo
