// What other workstations change while the settings window is open: the
// window takes it in where its user has not changed anything, fills the open
// pages again and keeps the view as the user left it.
#include "app/SettingsWindow.h"

#include "app/render/FormView.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/Form.h"
#include "framework/forms/TextBox.h"
#include "framework/host/OfficeTables.h"
#include "framework/host/SettingsHost.h"
#include "framework/page/SettingsPage.h"
#include "host/admin/SettingCatalogue.h"
#include "host/office/ChangeHistory.h"
#include "host/office/SettingsStore.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// The windows open on each host, the newest last.
QHash<const SettingsHost*, std::vector<SettingsWindow*>>& windowsOn()
{
    static QHash<const SettingsHost*, std::vector<SettingsWindow*>> windows;
    return windows;
}

// A text the user is typing and has not left yet is not filled over.
bool editing(SettingsPage& page)
{
    const auto* box = dynamic_cast<const TextBox*>(page.form().focusedControl());
    return box && box->edited();
}

} // namespace

// Whether the page's own fill may show one of these settings of object
// ("Setup" or "GlobalSetup") without following it by itself: the page the
// catalogue names for it, or any page for a setting that no page is known to
// show. What the page binds, shows or its block places on it the page follows
// itself (SettingsPage), and it is not filled a second time for it here.
bool SettingsWindow::fillShowsAnyOf(SettingsPage& page, const QString& object, const QStringList& names)
{
    QSet<QString> bound, shown;
    for (const auto& binding : page.settingBindings().all())
        bound.insert(SettingsStore::changeKey(binding->isGlobal() ? ChangeHistory::GlobalSetupObject
                                                                  : ChangeHistory::SetupObject,
                                              binding->boundSetting().name()));
    for (const SettingPresentation& p : page.settingBindings().presentations())
        shown.insert(SettingsStore::changeKey(p.object, p.name));
    for (const QString& name : names) {
        const QString key = SettingsStore::changeKey(object, name);
        if (bound.contains(key) || shown.contains(key))
            continue;
        const Settings& declared = app_.userSetup();
        if (declared.contains(name) &&
            declared.setting(name).shown().page.compare(page.componentName(), Qt::CaseInsensitive) == 0)
            continue;
        const SettingPresentation where = catalogue().find(object, name);
        if (where.page.isEmpty() || where.page.compare(page.componentName(), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void SettingsWindow::settingsRead(const SettingsBlock& block, const QStringList& names)
{
    // The bound controls of every open page follow by themselves.
    const QString object =
        &block.owner() == &app_.officeSetup() ? ChangeHistory::GlobalSetupObject : ChangeHistory::SetupObject;
    for (auto& [key, open] : pages_) {
        if (fillShowsAnyOf(*open.page, object, names))
            stalePages_.insert(key);
    }
}

void SettingsWindow::officeChanged(const QSet<QString>& tables)
{
    pendingTables_ += tables;
    if (pendingTables_.isEmpty())
        return;
    if (!mayRefreshNow()) {
        retryRefreshLater();
        return;
    }
    const QSet<QString> taken = std::exchange(pendingTables_, {});
    // The user's own changes so far belong to the open page; what comes in
    // now is nobody's change here.
    noteChanges();
    // The settings objects announce the settings that took another program's
    // value (settingsRead); the open pages' bound controls follow them.
    app_.takeOfficeChange(taken);
    takeSnapshot();
    // A page that shows rows of a changed table is filled again.
    for (auto& [key, open] : pages_) {
        const QStringList& shown = open.page->officeTables();
        if (std::any_of(taken.begin(), taken.end(), [&](const QString& t) { return shown.contains(t.toLower()); }))
            stalePages_.insert(key);
    }
    if (OpenPage* open = find(current_))
        refreshIfStale(*open);
    refreshListMarkers();
    if (!stalePages_.isEmpty() && find(current_) && stalePages_.contains(current_.toLower()))
        retryRefreshLater();
}

void SettingsWindow::startWatching()
{
    windowsOn()[&app_].push_back(this);
    app_.watchOffice([this](const QSet<QString>& tables) { officeChanged(tables); });
}

bool SettingsWindow::stopWatching()
{
    // A host opens a new window before it lets the old one go (a settings
    // window opened again): the old one's going does not stop the new one's watch.
    std::vector<SettingsWindow*>& windows = windowsOn()[&app_];
    const bool newest = !windows.empty() && windows.back() == this;
    std::erase(windows, this);
    if (!newest)
        return false;
    if (windows.empty()) {
        windowsOn().remove(&app_);
        app_.watchOffice({});
        return true;
    }
    SettingsWindow* before = windows.back();
    app_.watchOffice([before](const QSet<QString>& tables) { before->officeChanged(tables); });
    // What changed while this window watched reached this window only, and
    // what it had not yet heard of is before the new watch's start: the one
    // before takes in every table, as after a reconnect (once this one is gone).
    QTimer::singleShot(0, before, [before] {
        const QStringList& all = OfficeTables::watched();
        before->officeChanged(QSet<QString>(all.begin(), all.end()));
    });
    return true;
}

bool SettingsWindow::settleConflicts()
{
    std::vector<SettingConflict> conflicts = app_.settingConflicts();
    if (conflicts.empty())
        return true;
    std::vector<ConflictLine> lines;
    for (const auto& c : conflicts) {
        // In the screen's words, as the history shows them; a secret never.
        const SettingPresentation p = catalogue().find(c.object, c.name);
        const auto shown = [&](const QJsonValue& value) {
            return c.secret || p.secret ? u"(verborgen)"_s : shownValueText(p, SettingsStore::valueText(value));
        };
        if (c.record > 0) {
            lines.push_back(recordConflictLine(p, c));
            continue;
        }
        lines.push_back({p.pageTitle, p.caption.isEmpty() ? c.name : p.caption, shown(c.started), shown(c.theirs),
                         shown(c.mine), true});
    }
    if (conflictQuestion) {
        if (!conflictQuestion(lines))
            return false;
    } else {
        ConflictDialog question(lines, this);
        if (question.exec() != QDialog::Accepted)
            return false;
        lines = question.chosen();
    }
    for (std::size_t i = 0; i < conflicts.size() && i < lines.size(); ++i)
        conflicts[i].keepMine = lines[i].keepMine;
    noteChanges();
    // The values taken from the other workstation are announced and shown
    // where the pages show them (settingsRead).
    app_.resolveConflicts(conflicts);
    takeSnapshot();
    if (OpenPage* open = find(current_))
        refreshIfStale(*open);
    refreshListMarkers();
    return true;
}

bool SettingsWindow::saveAskingAgain()
{
    // A workstation that stores the same settings between the question and
    // the save makes the save ask again; a few rounds at most.
    for (int round = 1;; ++round) {
        try {
            app_.saveSettings(pageOf_, howOf_);
            return true;
        } catch (const RuntimeError& e) {
            if (e.number() != SettingsStore::ConflictError || round == 3)
                throw;
        }
        if (!settleConflicts())
            return false;
    }
}

bool SettingsWindow::mayRefreshNow() const
{
    // A dialog or message box of a page is open: the page under it stays as
    // the dialog knows it until it closes.
    return !QApplication::activeModalWidget() && !QApplication::activePopupWidget();
}

void SettingsWindow::retryRefreshLater()
{
    if (std::exchange(retryPending_, true))
        return;
    QTimer::singleShot(250, this, [this] {
        retryPending_ = false;
        if (!pendingTables_.isEmpty()) {
            officeChanged({});
        } else if (OpenPage* open = find(current_); open && stalePages_.contains(current_.toLower())) {
            if (!mayRefreshNow() || editing(*open->page))
                retryRefreshLater();
            else
                refreshIfStale(*open);
        }
    });
}

void SettingsWindow::refreshIfStale(OpenPage& open)
{
    const QString key = open.page->componentName().toLower();
    if (!stalePages_.contains(key))
        return;
    const bool shown = key == current_.toLower();
    if (shown && (editing(*open.page) || !mayRefreshNow()))
        return;
    stalePages_.remove(key);
    refreshPage(open, shown);
}

void SettingsWindow::refreshPage(OpenPage& open, bool shown)
{
    const int scrolled = scroll_->verticalScrollBar()->value();
    noteChanges();
    // Filled from what is stored now, keeping what the user made of the page:
    // a choice the fill makes from a setting shows what is stored now.
    open.page->fillAgain();
    if (shown) {
        open.view->flushPending();
        scroll_->verticalScrollBar()->setValue(scrolled);
        // What the fill of the shown page writes is that page's change, as when it was first shown.
        noteChanges();
    }
    open.page->settingBindings().refreshMarkers();
    refreshListMarkers();
}

} // namespace tarvelo
