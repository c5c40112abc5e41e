// What other workstations change while the settings window is open: the
// window takes it in where its user has not changed anything, fills the open
// pages again and keeps the view as the user left it.
#include "app/SettingsWindow.h"

#include "app/render/FormView.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/Form.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
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

// How the user left a page: the choices of lists and combos that no setting
// holds, and the field with the focus. Put back as the user would choose them,
// so that what depends on a choice (a company's agent numbers) follows.
class ViewState {
public:
    explicit ViewState(SettingsPage& page)
    {
        for (Control* control : page.form().controls()) {
            if (page.settingBindings().bindingOf(*control))
                continue;
            if (auto* combo = dynamic_cast<ComboBox*>(control); combo && combo->listIndex() >= 0)
                combos_.push_back({combo->name(), combo->index(), combo->list(combo->listIndex())});
            else if (auto* list = dynamic_cast<ListView*>(control); list && list->selectedItem())
                lists_.push_back({list->name(), list->index(), list->selectedItem()->key()});
        }
        if (const Control* focused = page.form().focusedControl())
            focus_ = {focused->name(), focused->index(), QString()};
    }

    void restore(SettingsPage& page) const
    {
        Form& form = page.form();
        for (const Choice& c : combos_) {
            auto* combo = dynamic_cast<ComboBox*>(form.find(c.name, c.index));
            if (combo && combo->isUsable() && (combo->listIndex() < 0 || combo->list(combo->listIndex()) != c.value))
                combo->choose(c.value);
        }
        for (const Choice& c : lists_) {
            auto* list = dynamic_cast<ListView*>(form.find(c.name, c.index));
            if (!list || !list->isUsable() || (list->selectedItem() && list->selectedItem()->key() == c.value))
                continue;
            if (ListItem* row = list->findItem(c.value))
                list->clickItem(row->index());
        }
        if (Control* focused = form.find(focus_.name, focus_.index); focused && focused->isUsable())
            focused->setFocus();
    }

private:
    struct Choice {
        QString name;
        int index = -1;
        QString value;
    };
    std::vector<Choice> combos_;
    std::vector<Choice> lists_;
    Choice focus_;
};

// A text the user is typing and has not left yet is not filled over.
bool editing(SettingsPage& page)
{
    const auto* box = dynamic_cast<const TextBox*>(page.form().focusedControl());
    return box && box->edited();
}

} // namespace

// Whether the page's own fill shows one of these settings of object
// ("Setup" or "GlobalSetup"), which its bindings cannot bring up to date: a
// control the page fills itself, or the page the catalogue names for it. A
// setting that no page is known to show may be read by any: every page counts.
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
        if (bound.contains(key))
            continue;
        if (shown.contains(key))
            return true;
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

void SettingsWindow::refreshPage(OpenPage& open, bool keepView)
{
    const ViewState view(*open.page);
    const int scrolled = scroll_->verticalScrollBar()->value();
    noteChanges();
    // Setting the application again fills the page from what is stored now.
    open.page->setApplication(app_);
    if (keepView) {
        view.restore(*open.page);
        open.view->flushPending();
        scroll_->verticalScrollBar()->setValue(scrolled);
    }
    // What the fill of the shown page writes is that page's change, as when it was first shown.
    if (keepView)
        noteChanges();
    open.page->settingBindings().refreshMarkers();
    refreshListMarkers();
}

} // namespace tarvelo
