#include "host/PageHost.h"

#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "host/ReferenceApplication.h"

namespace tarvelo {

std::unique_ptr<SettingsPage> openPage(const PageRegistry& registry, const QString& className,
                                       ReferenceApplication& application)
{
    std::unique_ptr<SettingsPage> page = registry.create(className);
    if (!page)
        return nullptr;
    const QString component = page->componentName();
    page->form().setUnhandledErrorHandler(
        [&application, component](Form&, std::exception_ptr error) { application.HandleControlError(component, error); });
    page->Initialize(application.ui());
    try {
        if (page->attachKind() == SettingsPage::AttachKind::SetApplication) {
            page->SetApplication(application);
        } else {
            page->setSetup(application.SettingsObject());
            page->setApplication(application);
        }
    } catch (...) {
        application.HandleControlError(component, std::current_exception());
    }
    return page;
}

} // namespace tarvelo
