#include "host/PageHost.h"

#include "framework/host/Application.h"
#include "framework/page/PageAttach.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

std::unique_ptr<SettingsPage> openPage(const PageRegistry& registry, const QString& className, Application& application)
{
    return attachPage(registry, className, application);
}

} // namespace tarvelo
