#include "app/PageRenderer.h"

#include "app/ReviewDialogs.h"
#include "app/SettingsWindow.h"
#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "framework/errors/RuntimeError.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "host/ReferenceApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace tarvelo::PageRenderer {

namespace {
void makeFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw RuntimeError(75, u"De map %1 kan niet worden aangemaakt."_s.arg(folder));
}

// The dialog's name as the review list spells it.
QString reviewName(const QString& name)
{
    for (const QString& known : ReviewDialogs::names()) {
        if (known.compare(name, Qt::CaseInsensitive) == 0)
            return known;
    }
    return name;
}

void save(QWidget& widget, const QString& file)
{
    if (!widget.grab().save(file, "PNG"))
        throw RuntimeError(75, u"De afbeelding %1 kan niet worden geschreven."_s.arg(file));
}
} // namespace

QStringList render(const PageRegistry& registry, ReferenceApplication& application, const QStringList& classNames,
                   const QString& folder)
{
    makeFolder(folder);
    QStringList written;
    for (const QString& name : classNames) {
        std::unique_ptr<SettingsPage> page = openWindowPage(registry, name, application);
        std::unique_ptr<Form> dialog = page ? nullptr : ReviewDialogs::open(name, application);
        if (!page && !dialog)
            throw RuntimeError(ErrorNumber::InvalidProcedureCall, u"Onbekende pagina: %1"_s.arg(name));
        Form& form = page ? page->form() : *dialog;
        // A dialog drawn in more than one state has a picture per state.
        const QString file = QDir(folder).absoluteFilePath((page ? form.name() : reviewName(name)) + u".png"_s);
        {
            FormView view(form, screenScale(application.ui()));
            view.flushPending();
            view.ensurePolished();
            save(view, file);
        }
        written << file;
    }
    return written;
}

QString renderWindow(const PageRegistry& registry, ReferenceApplication& application, const QString& className,
                     const QString& folder)
{
    makeFolder(folder);
    const QString page = className.isEmpty() && !registry.pages().empty() ? registry.pages().front().className : className;
    if (!registry.find(page))
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, u"Onbekende pagina: %1"_s.arg(page));
    const QString file = QDir(folder).absoluteFilePath(u"frmInstellingen.png"_s);
    SettingsWindow window(registry, application);
    // The picture shows the window as it first opens on a real screen; the
    // offscreen screen is smaller than most.
    window.resize(SettingsWindow::defaultSize());
    window.show();
    window.showPage(page);
    // Layouts settle and the page's lists fill in the events that follow.
    QCoreApplication::processEvents();
    if (FormView* view = window.currentView())
        view->flushPending();
    // Not closed: closing stores the window's size and page for the user.
    save(window, file);
    return file;
}

} // namespace tarvelo::PageRenderer
