#include "host/admin/ChangeReverter.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Settings.h"
#include "framework/host/SettingsHost.h"
#include "framework/page/SettingsPage.h"
#include "host/PageHost.h"
#include "host/admin/CollectingUi.h"
#include "host/admin/PageInspector.h"
#include "host/admin/SettingCatalogue.h"
#include "host/office/SettingsStore.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// A value the history keeps as text, in the setting's own type.
std::optional<QVariant> typedValue(const SettingBase& declared, const std::optional<QString>& text)
{
    Settings scratch;
    try {
        scratch.setValue(declared.name(), text.value_or(QString()));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
    return scratch.value(declared.name());
}

QString problemText(const CheckProblem& p)
{
    return u"%1%2: %3"_s.arg(
        p.title, p.field.isEmpty() ? QString() : u" (%1)"_s.arg(p.fieldCaption.isEmpty() ? p.field : p.fieldCaption),
        p.message);
}

} // namespace

ChangeReverter::ChangeReverter(SettingsHost& app, PageInspector& pages, const SettingCatalogue& catalogue)
    : app_(app),
      pages_(pages),
      catalogue_(catalogue)
{
}

ChangeReverter::Result ChangeReverter::check(const ChangeEntry& entry) const
{
    Result r;
    Settings& settings = entry.object == ChangeHistory::GlobalSetupObject ? app_.officeSetup() : app_.userSetup();
    if (!settings.contains(entry.setting)) {
        r.message = u"De instelling %1 bestaat niet meer in deze versie van het programma. Deze wijziging kan "
                    "niet worden teruggedraaid."_s.arg(entry.setting);
        return r;
    }
    const SettingPresentation shown = catalogue_.find(entry.object, entry.setting);
    const SettingBase& s = settings.setting(entry.setting);
    // An adviser's own settings are his: a take-back of his change would
    // otherwise change the settings of whoever takes it back.
    if (entry.object == ChangeHistory::SetupObject && !entry.adviserCode.isEmpty() &&
        entry.adviserCode != app_.actingAdviserCode()) {
        r.message = u"%1 is gewijzigd in de eigen instellingen van %2; alleen als die adviseur kan deze "
                    "wijziging worden teruggedraaid. Er is niets gewijzigd."_s.arg(
                        shown.caption, entry.adviserName.isEmpty() ? entry.adviserCode : entry.adviserName);
        return r;
    }
    if (entry.secret || s.isSecret()) {
        r.message = u"%1: van een wachtwoord wordt de oude waarde niet bewaard. Deze wijziging kan niet worden "
                    "teruggedraaid."_s.arg(shown.caption);
        return r;
    }
    if (settings.isLocked(entry.setting)) {
        r.message = u"%1: %2 Er is niets gewijzigd."_s.arg(shown.caption, SettingsObject::lockedMessage());
        return r;
    }
    const std::optional<QVariant> old = typedValue(s, entry.oldValue);
    const std::optional<QVariant> changedTo = typedValue(s, entry.newValue);
    if (!old) {
        r.message = u"%1: de oude waarde past niet meer bij de instelling. Deze wijziging kan niet worden "
                    "teruggedraaid."_s.arg(shown.caption);
        return r;
    }
    if (s.toVariant() == *old) {
        r.message = u"%1 heeft de oude waarde (%2) al."_s.arg(shown.caption, shownValue(shown, *old));
        return r;
    }
    if (!changedTo || s.toVariant() != *changedTo) {
        r.outcome = Outcome::AskFirst;
        r.message = u"%1 is na deze wijziging opnieuw gewijzigd: de waarde is nu %2."_s.arg(
            shown.caption, shownValue(shown, s.toVariant()));
        r.question = u"Wilt u %1 toch terugzetten naar %2?"_s.arg(shown.caption, shownValue(shown, *old));
        return r;
    }
    r.outcome = Outcome::Done;
    return r;
}

ChangeReverter::Result ChangeReverter::revert(const ChangeEntry& entry, bool confirmed,
                                              const std::function<SettingsPage*(const QString&)>& opened)
{
    Result r = check(entry);
    if (r.outcome == Outcome::Refused || (r.outcome == Outcome::AskFirst && !confirmed))
        return r;
    r = {};
    const bool global = entry.object == ChangeHistory::GlobalSetupObject;
    Settings& settings = global ? app_.officeSetup() : app_.userSetup();
    const SettingBase& s = settings.setting(entry.setting);
    const QVariant old = *typedValue(s, entry.oldValue);
    const SettingPresentation shown = catalogue_.find(entry.object, entry.setting);

    const QVariantMap setupBefore = app_.userSetup().toMap();
    const QVariantMap globalBefore = app_.officeSetup().toMap();
    const auto undo = [&] {
        app_.userSetup().fromMap(setupBefore);
        app_.officeSetup().fromMap(globalBefore);
    };
    const std::vector<CheckProblem> problemsBefore = pages_.check(opened);

    // Through the page that shows it, as the user would put the value there.
    CollectingUi quiet(app_.ui());
    bool put = false;
    const auto through = [&](SettingsPage& page) {
        for (const auto& binding : page.settingBindings().all()) {
            if (binding->isGlobal() == global && binding->boundSetting().name() == s.name()) {
                put = binding->putValue(old);
                return;
            }
        }
    };
    SettingsPage* open = opened && !shown.page.isEmpty() ? opened(shown.page) : nullptr;
    try {
        app_.withStandIns(app_.userSetup(), app_.officeSetup(), quiet, [&] {
            if (open) {
                through(*open);
                return;
            }
            if (shown.page.isEmpty())
                return;
            if (std::unique_ptr<SettingsPage> page = openPage(std::as_const(app_).pageRegistry(), shown.page, app_)) {
                through(*page);
                page->Terminate();
            }
        });
        // A setting no control binds (a value the page keeps itself) is set by name.
        if (!put)
            settings.setValue(s.name(), old);
    } catch (const RuntimeError& e) {
        undo();
        r.message = e.description();
        return r;
    }
    QStringList said;
    for (const MessageBoxRequest& m : quiet.messages())
        said << m.text;
    if (settings.value(s.name()) != old) {
        undo();
        r.message = said.isEmpty() ? u"%1 kan niet worden teruggezet naar %2. Er is niets gewijzigd."_s.arg(
                                         shown.caption, shownValue(shown, old))
                                   : said.join(u"\n"_s);
        return r;
    }
    // The check before saving: a take-back that brings a page a new problem is refused.
    QStringList known;
    for (const CheckProblem& p : problemsBefore)
        known << problemText(p);
    QStringList fresh;
    for (const CheckProblem& p : pages_.check(opened)) {
        if (!known.contains(problemText(p)))
            fresh << p.message;
    }
    if (!fresh.isEmpty()) {
        undo();
        r.message = fresh.join(u"\n"_s) + u"\nEr is niets gewijzigd."_s;
        return r;
    }
    // What the page changed with it (its rules) is part of this take-back.
    const std::pair<const QVariantMap*, Settings*> objects[] = {{&setupBefore, &app_.userSetup()},
                                                                {&globalBefore, &app_.officeSetup()}};
    for (const auto& [before, now] : objects) {
        const QString object =
            now == &app_.officeSetup() ? ChangeHistory::GlobalSetupObject : ChangeHistory::SetupObject;
        const QVariantMap after = now->toMap();
        for (auto it = after.begin(); it != after.end(); ++it) {
            if (before->value(it.key()) != it.value())
                r.pageOf.insert(SettingsStore::changeKey(object, it.key()),
                                shown.page.isEmpty() ? entry.page : shown.page);
        }
    }
    r.outcome = Outcome::Done;
    r.message = u"%1 is teruggezet naar %2."_s.arg(shown.caption, shownValue(shown, old));
    return r;
}

} // namespace tarvelo
