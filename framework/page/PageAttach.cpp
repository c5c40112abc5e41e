#include "framework/page/PageAttach.h"

#include "framework/host/Application.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

std::unique_ptr<SettingsPage> attachPage(const PageRegistry& registry, const QString& className,
                                         Application& application, PageErrorHandler onError)
{
    std::unique_ptr<SettingsPage> page = registry.create(className);
    if (!page)
        return nullptr;
    if (!onError) {
        onError = [&application](const QString& component, std::exception_ptr error) {
            application.reportUnhandled(component, error);
        };
    }
    const QString component = page->componentName();
    page->form().setUnhandledErrorHandler(
        [onError, component](Form&, std::exception_ptr error) { onError(component, error); });
    page->Initialize(application.ui());
    try {
        if (page->attachKind() == SettingsPage::AttachKind::SetApplication) {
            page->SetApplication(application);
        } else {
            page->setSetup(application.SettingsObject());
            page->setApplication(application);
        }
    } catch (...) {
        onError(component, std::current_exception());
    }
    return page;
}

} // namespace tarvelo
