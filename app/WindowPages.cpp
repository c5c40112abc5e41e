#include "app/WindowPages.h"

#include "framework/forms/Form.h"
#include "framework/host/SettingsHost.h"
#include "framework/page/SettingsPage.h"
#include "framework/ui/Ui.h"
#include "host/PageHost.h"

namespace tarvelo {

std::unique_ptr<SettingsPage> openWindowPage(const PageRegistry& registry, const QString& className,
                                             SettingsHost& application)
{
    std::unique_ptr<SettingsPage> page = openPage(registry, className, application);
    if (page)
        page->setBackColor(PageBackColor);
    return page;
}

void giveDialogBackground(Form& dialog)
{
    if (dialog.backColor() == SystemColour::ButtonFace)
        dialog.setBackColor(PageBackColor);
}

TwipsScale screenScale(const Ui& ui) { return TwipsScale{ui.twipsPerPixelX(), ui.twipsPerPixelY()}; }

} // namespace tarvelo
