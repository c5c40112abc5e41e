#include "app/PageRenderer.h"

#include "app/ReviewDialogs.h"
#include "app/SettingsWindow.h"
#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "framework/errors/RuntimeError.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "host/ReferenceApplication.h"

#include "app/ChangeHistoryDialog.h"
#include "app/ConflictDialog.h"
#include "app/ExportSettingsDialog.h"
#include "app/ImportPreviewDialog.h"
#include "framework/settings/DocumentSettings.h"
#include "framework/settings/NotarisSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/TariefSettings.h"
#include "framework/settings/UpdateSettings.h"
#include "host/admin/SettingCatalogue.h"
#include "host/admin/SettingsProfile.h"

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
        if (dialog)
            giveDialogBackground(*dialog);
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
    if (!className.isEmpty() && !registry.find(className))
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, u"Onbekende pagina: %1"_s.arg(className));
    const QString file = QDir(folder).absoluteFilePath(u"frmInstellingen.png"_s);
    SettingsWindow window(registry, application);
    // The picture shows the window as it opens on a real screen, on the page
    // asked for or else on the one this user last used; the offscreen screen
    // is smaller than most.
    window.resize(SettingsWindow::defaultSize());
    window.show();
    window.showStartPage(className);
    // The page shown is the one the window opens on next, as after closing.
    window.rememberPage();
    // Layouts settle and the page's lists fill in the events that follow.
    QCoreApplication::processEvents();
    if (FormView* view = window.currentView())
        view->flushPending();
    // Not closed: closing would store the offscreen window's size for the user.
    save(window, file);
    return file;
}

QStringList renderAdministration(const PageRegistry& registry, ReferenceApplication& application, const QString& folder)
{
    makeFolder(folder);
    QStringList written;
    SettingsWindow window(registry, application);
    // A profile that differs on several pages, planned against the office's
    // own settings; nothing is applied or stored.
    Settings setup;
    Settings globalSetup;
    setup.fromMap(application.userSetup().toMap());
    globalSetup.fromMap(application.officeSetup().toMap());
    setup.get<UpdateSettings>().UpdateTermijn = qint16(setup.get<UpdateSettings>().UpdateTermijn == 7 ? 30 : 7);
    setup.get<UpdateSettings>().AutoDownload = !setup.get<UpdateSettings>().AutoDownload;
    setup.get<ProxySettings>().ProxyGebruikersnaam = u"beheerder"_s;
    setup.get<ProxySettings>().ProxyWachtwoord = u"geheim"_s;
    setup.get<TariefSettings>().AdvieskostenMethode1 = 2;
    setup.get<TariefSettings>().AdvieskostenBedrag1 = 1250.5;
    setup.get<DocumentSettings>().LogoOpAanvraagformulier = !setup.get<DocumentSettings>().LogoOpAanvraagformulier;
    setup.get<NotarisSettings>().AddNotaris().Naam = u"Notariskantoor De Brug"_s;
    const ImportPlan plan =
        SettingsProfile::plan(SettingsProfile::write(setup, globalSetup, u"voorbeeld"_s), application.userSetup(),
                              application.officeSetup(), [] { return std::optional<QString>(u"voorbeeld"_s); });
    {
        // The history as it reads once those changes were made, newest first;
        // shown, not stored.
        std::vector<ChangeEntry> entries;
        QDateTime when = QDateTime::currentDateTime();
        for (const ProfileDifference& d : plan.differences) {
            ChangeEntry entry;
            entry.when = when = when.addSecs(-37 * 60);
            entry.adviserCode = application.currentAdviser().code;
            entry.adviserName = application.currentAdviser().name;
            entry.object = d.object;
            entry.setting = d.name;
            entry.oldValue = d.current;
            entry.newValue = d.proposed;
            entry.secret = d.secret;
            entry.page = window.catalogue().find(d.object, d.name).page;
            entry.how = entries.size() % 3 == 2 ? ChangeHistory::ByCommandLine : QString();
            entries.push_back(std::move(entry));
        }
        const QString file = QDir(folder).absoluteFilePath(u"frmWijzigingen.png"_s);
        ChangeHistoryDialog history(u"Wijzigingen van het kantoor"_s, std::move(entries), window.catalogue(),
                                    window.pageTitles(), application.ui(), &window);
        history.show();
        QCoreApplication::processEvents();
        save(history, file);
        written << file;
    }
    {
        const QString file = QDir(folder).absoluteFilePath(u"frmImporteren.png"_s);
        ImportPreviewDialog preview(plan, window.catalogue(), &window);
        preview.show();
        QCoreApplication::processEvents();
        save(preview, file);
        written << file;
    }
    {
        // The question before a save when another workstation stored the same settings.
        const QString file = QDir(folder).absoluteFilePath(u"frmWijzigingenElders.png"_s);
        ConflictDialog question({{window.listTitle(u"SetupProxy"_s), u"Zoeken naar updates"_s, u"Dagelijks"_s,
                                  u"Maandelijks"_s, u"Wekelijks"_s, true},
                                 {window.listTitle(u"SetupProxy"_s), u"Proxyserveradres"_s, u"(leeg)"_s,
                                  u"proxy.kantoor.nl:3128"_s, u"proxy.kantoor.nl:8080"_s, false}},
                                &window);
        question.show();
        QCoreApplication::processEvents();
        save(question, file);
        written << file;
    }
    {
        const QString file = QDir(folder).absoluteFilePath(u"frmExporteren.png"_s);
        ExportSettingsDialog exporting(&window);
        exporting.show();
        QCoreApplication::processEvents();
        save(exporting, file);
        written << file;
    }
    return written;
}

} // namespace tarvelo::PageRenderer
