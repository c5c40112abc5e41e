#include "host/admin/PageInspector.h"

#include "framework/forms/Frame.h"
#include "framework/host/Settings.h"
#include "framework/host/SettingsHost.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/util/AccessKey.h"
#include "host/PageHost.h"
#include "host/admin/CollectingUi.h"
#include "host/office/ChangeHistory.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

PageInspector::PageInspector(SettingsHost& application, const PageRegistry* registry)
    : app_(application),
      registry_(registry ? *registry : std::as_const(application).pageRegistry())
{
}

void PageInspector::withCopies(const std::function<void(CollectingUi&)>& body, CollectingUi::Measuring measuring)
{
    // Copies of what the user holds now, so the pages see the current values
    // and whatever their fill writes stays in the copies.
    Settings setup;
    Settings globalSetup;
    setup.fromMap(app_.userSetup().toMap());
    globalSetup.fromMap(app_.officeSetup().toMap());
    setup.setLockedNames(app_.userSetup().lockedNames());
    globalSetup.setLockedNames(app_.officeSetup().lockedNames());
    CollectingUi quiet(app_.ui(), measuring);
    app_.withStandIns(setup, globalSetup, quiet, [&] { body(quiet); });
}

void PageInspector::openAndRun(const QString& className, CollectingUi& quiet,
                               const std::function<void(SettingsPage&, CollectingUi&)>& body)
{
    std::unique_ptr<SettingsPage> page = openPage(registry_, className, app_);
    if (!page)
        return;
    body(*page, quiet);
    page->Terminate();
}

void PageInspector::withPage(const QString& className, const std::function<void(SettingsPage&, CollectingUi&)>& body)
{
    withCopies([&](CollectingUi& quiet) { openAndRun(className, quiet, body); });
}

const std::vector<PageFacts>& PageInspector::pages()
{
    if (pages_)
        return *pages_;
    std::vector<PageFacts> found;
    // What a page binds, its defaults and captions do not depend on the
    // office's data: the pages are looked at without the office database, so
    // that learning them costs no statement when the window opens.
    // What a page binds and how it names it does not depend on the values
    // other pages' fills put into the copies, so one set serves every page,
    // nor on how wide its texts are drawn, so none is shaped for the screen.
    app_.withoutOfficeDatabase(
        [&] { withCopies([&](CollectingUi& quiet) { learn(found, quiet); }, CollectingUi::Measuring::Roughly); });
    pages_ = std::move(found);
    return *pages_;
}

void PageInspector::learn(std::vector<PageFacts>& found, CollectingUi& quiet)
{
    QHash<QString, int> sharing; // pages by group and title
    for (const PageInfo& info : registry_.pages())
        ++sharing[info.group + u'\n' + info.title];
    for (const PageInfo& info : registry_.pages()) {
        PageFacts facts;
        facts.className = info.className;
        facts.title = info.title;
        facts.listTitle = info.listName.isEmpty() ? info.title : info.listName;
        openAndRun(info.className, quiet, [&](SettingsPage& page, CollectingUi&) {
            facts.hasValidation = page.hasValidation();
            // Two pages of one group with one title and no names of their own
            // are told apart by their first frame.
            if (info.listName.isEmpty() && sharing.value(info.group + u'\n' + info.title) > 1) {
                for (const Control* c : page.form().controls()) {
                    if (c->kind() != ControlKind::Frame)
                        continue;
                    const QString caption = withoutAccessKey(static_cast<const Frame&>(*c).caption()).simplified();
                    if (caption.isEmpty())
                        continue;
                    if (caption != info.title)
                        facts.listTitle += u" – "_s + caption;
                    break;
                }
            }
            for (const auto& binding : page.settingBindings().all()) {
                facts.settings.push_back(
                    {binding->isGlobal() ? ChangeHistory::GlobalSetupObject : ChangeHistory::SetupObject,
                     binding->boundSetting().name(), binding->defaultValue(), binding->hasPageDefault()});
            }
            for (SettingPresentation& p : page.settingBindings().presentations()) {
                p.page = info.className;
                p.pageTitle = facts.listTitle;
                facts.shown.push_back(std::move(p));
            }
        });
        found.push_back(std::move(facts));
    }
}

QVariant PageInspector::defaultOf(const QString& object, const QString& name)
{
    for (const PageFacts& page : pages()) {
        for (const BoundSetting& s : page.settings) {
            if (s.object == object && s.name.compare(name, Qt::CaseInsensitive) == 0)
                return s.defaultValue;
        }
    }
    const Settings& settings = object == ChangeHistory::GlobalSetupObject ? app_.officeSetup() : app_.userSetup();
    return settings.setting(name).defaultVariant();
}

std::vector<CheckProblem> PageInspector::checkPage(SettingsPage& page, CollectingUi& quiet)
{
    // Each check on its own, so that every problem is found, not only the first.
    std::vector<qint16> numbers = page.validationCheckNumbers();
    if (numbers.empty())
        numbers.push_back(0);
    std::vector<CheckProblem> problems;
    Control* const focusBefore = page.form().focusedControl();
    for (qint16 number : numbers) {
        quiet.clear();
        page.form().setFocusedControl(nullptr);
        bool cancel = false;
        page.Validation(cancel, number);
        if (!cancel)
            continue;
        CheckProblem problem;
        problem.className = page.componentName();
        problem.title = page.Titel();
        if (const Control* field = page.form().focusedControl()) {
            problem.field = field->name();
            problem.fieldCaption = fieldCaption(*field);
            problem.fieldIndex = field->index();
        }
        for (const MessageBoxRequest& m : quiet.messages())
            problem.message += (problem.message.isEmpty() ? QString() : u" "_s) + m.text;
        problems.push_back(std::move(problem));
    }
    if (problems.empty())
        page.form().setFocusedControl(focusBefore);
    return problems;
}

std::vector<CheckProblem> PageInspector::check(const std::function<SettingsPage*(const QString&)>& opened)
{
    std::vector<CheckProblem> problems;
    const auto take = [&](std::vector<CheckProblem> found) {
        problems.insert(problems.end(), found.begin(), found.end());
    };
    for (const PageFacts& facts : pages()) {
        if (!facts.hasValidation)
            continue;
        if (SettingsPage* page = opened ? opened(facts.className) : nullptr) {
            // An open page is checked as the user left it, on the user's own settings.
            CollectingUi quiet(app_.ui());
            app_.withStandIns(app_.userSetup(), app_.officeSetup(), quiet, [&] { take(checkPage(*page, quiet)); });
        } else {
            withPage(facts.className, [&](SettingsPage& page, CollectingUi& quiet) { take(checkPage(page, quiet)); });
        }
    }
    return problems;
}

} // namespace tarvelo
