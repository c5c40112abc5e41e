#include "framework/host/Settings.h"

#include "framework/settings/AutorisatieSettings.h"
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
#include "framework/settings/TariefSettings.h"
#include "framework/settings/HerinneringSettings.h"
#include "framework/settings/AbonnementSettings.h"
#include "framework/settings/OnderwerpenSettings.h"
#include "framework/settings/OverviewSettings.h"
#include "framework/settings/DocumentSettings.h"
#include "framework/settings/CurrentAdviserSettings.h"
#include "framework/settings/AdviceTextSettings.h"
#include "framework/settings/HdnSettings.h"

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
    addBlock<TariefSettings>();
    addBlock<HerinneringSettings>();
    addBlock<AbonnementSettings>();
    addBlock<OnderwerpenSettings>();
    addBlock<OverviewSettings>();
    addBlock<DocumentSettings>();
    addBlock<CurrentAdviserSettings>();
    addBlock<AdviceTextSettings>();
    addBlock<AutorisatieSettings>();
    addBlock<HuidigeAdviseurSettings>();
    addBlock<HdnSettings>();
    addBlock<HdnStorageSettings>();
}

} // namespace tarvelo
