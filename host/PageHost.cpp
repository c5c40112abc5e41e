#include "host/PageHost.h"

#include "framework/page/PageAttach.h"
#include "framework/page/SettingsPage.h"
#include "framework/host/Application.h"

namespace tarvelo {

std::unique_ptr<SettingsPage> openPage(const PageRegistry& registry, const QString& className,
                                       Application& application)
{
    return attachPage(registry, className, application);
}

} // namespace tarvelo
