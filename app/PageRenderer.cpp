#include "app/PageRenderer.h"

#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "framework/errors/RuntimeError.h"
#include "framework/page/SettingsPage.h"
#include "host/ReferenceApplication.h"

#include <QDir>
#include <QPixmap>

namespace tarvelo::PageRenderer {

QStringList render(const PageRegistry& registry, ReferenceApplication& application, const QStringList& classNames,
                   const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw RuntimeError(75, QStringLiteral("De map %1 kan niet worden aangemaakt.").arg(folder));
    QStringList written;
    for (const QString& name : classNames) {
        std::unique_ptr<SettingsPage> page = openWindowPage(registry, name, application);
        if (!page)
            throw RuntimeError(ErrorNumber::InvalidProcedureCall, QStringLiteral("Onbekende pagina: %1").arg(name));
        const QString file = QDir(folder).absoluteFilePath(page->componentName() + QStringLiteral(".png"));
        {
            FormView view(page->form(), screenScale(application.ui()));
            view.flushPending();
            view.ensurePolished();
            if (!view.grab().save(file, "PNG"))
                throw RuntimeError(75, QStringLiteral("De afbeelding %1 kan niet worden geschreven.").arg(file));
        }
        written << file;
    }
    return written;
}

} // namespace tarvelo::PageRenderer
