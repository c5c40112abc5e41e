#include "host/admin/AdminCommands.h"

#include "framework/errors/RuntimeError.h"
#include "host/ReferenceApplication.h"
#include "host/admin/AdministratorLocks.h"
#include "host/admin/ChangeReverter.h"
#include "host/admin/PageInspector.h"
#include "host/admin/SettingCatalogue.h"
#include "host/admin/SettingsProfile.h"
#include "host/office/SettingsStore.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace tarvelo::AdminCommands {

namespace {

const QStringList Commands = {u"get"_s,    u"set"_s,    u"reset"_s,  u"lock"_s,
                              u"unlock"_s, u"export"_s, u"import"_s, u"history"_s};

int argumentCount(const QString& command)
{
    if (command == QLatin1String("set"))
        return 2;
    if (command == QLatin1String("history"))
        return 0;
    return 1;
}

AdminResult refused(const QString& message) { return {Refused, {}, message + QLatin1Char('\n')}; }

QString otherAdviserPassword(const QString& name)
{
    return u"%1 is een wachtwoord van de adviseur zelf: het wordt bewaard met een sleutel die alleen op zijn eigen "
           "werkplek staat, en alleen hij kan het instellen. Er is niets gewijzigd."_s.arg(name);
}
AdminResult done(const QString& text) { return {Done, text.isEmpty() ? QString() : text + QLatin1Char('\n'), {}}; }

QString problemText(const CheckProblem& p)
{
    return u"%1%2: %3"_s.arg(
        p.title, p.field.isEmpty() ? QString() : u" (%1)"_s.arg(p.fieldCaption.isEmpty() ? p.field : p.fieldCaption),
        p.message);
}

QString typeDescription(const SettingBase& s)
{
    switch (s.type().id()) {
    case QMetaType::UChar: return u"een geheel getal van 0 tot en met 255"_s;
    case QMetaType::Short: return u"een geheel getal van -32768 tot en met 32767"_s;
    case QMetaType::Int: return u"een geheel getal"_s;
    case QMetaType::Double: return u"een getal, met een komma voor decimalen (bijvoorbeeld 1,25)"_s;
    case QMetaType::Bool: return u"Ja of Nee (of true of false)"_s;
    case QMetaType::QDate: return u"een datum (DD-MM-JJJJ of JJJJ-MM-DD)"_s;
    default: return u"een tekst"_s;
    }
}

bool isNumber(const SettingBase& s)
{
    const int type = s.type().id();
    return type == QMetaType::UChar || type == QMetaType::Short || type == QMetaType::Int || type == QMetaType::Double;
}

// Numbers are read the Dutch way (a decimal comma, a thousands point), so a
// point that may be either is not guessed at: "1.125" would be stored as 1125.
bool ambiguousNumber(const QString& text)
{
    const QString t = text.trimmed();
    if (!t.contains(QLatin1Char('.')) || t.contains(QLatin1Char(',')))
        return false;
    bool grouped = false;
    bool decimal = false;
    const double asGrouped = QLocale(QLocale::Dutch, QLocale::Netherlands).toDouble(t, &grouped);
    const double asDecimal = QLocale::c().toDouble(t, &decimal);
    return grouped && decimal && asGrouped != asDecimal;
}

// A value as get shows it and set reads it back: numbers with a decimal comma
// and without thousands points, as many digits as it takes to be exact.
QString commandText(const SettingBase& s)
{
    const QVariant value = s.toVariant();
    if (value.typeId() == QMetaType::Double) {
        QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
        dutch.setNumberOptions(QLocale::OmitGroupSeparator);
        return dutch.toString(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    }
    return SettingsProfile::valueText(value);
}

class Runner {
public:
    Runner(ReferenceApplication& app, const AdminRequest& request,
           const std::function<std::optional<QString>(const QString&)>& secretValue)
        : app_(app),
          request_(request),
          secretValue_(secretValue)
    {
    }

    Settings& target() { return request_.office ? app_.officeSetup() : app_.userSetup(); }
    QString objectName() const
    {
        return request_.office ? ChangeHistory::GlobalSetupObject : ChangeHistory::SetupObject;
    }

    std::optional<AdminResult> unknown(const QString& name)
    {
        if (target().contains(name))
            return std::nullopt;
        return refused(u"Onbekende instelling: %1. Er is niets gewijzigd."_s.arg(name));
    }

    // Changes one setting as the window would: refused when locked or of the
    // wrong type, kept only when it brings no new problem to any page's
    // checks, and stored with the change history.
    AdminResult change(const QString& name, QVariant value)
    {
        if (auto r = unknown(name))
            return *r;
        Settings& settings = target();
        const QString declared = settings.setting(name).name();
        if (settings.isLocked(name))
            return refused(u"%1: %2 Er is niets gewijzigd."_s.arg(declared, SettingsObject::lockedMessage()));
        if (settings.setting(name).isSecret() && !request_.office && request_.forOtherAdviser)
            return refused(otherAdviserPassword(declared));
        if (settings.setting(name).isSecret() && value == QVariant(ValueFromInput)) {
            std::optional<QString> typed;
            try {
                typed = secretValue_ ? secretValue_(declared) : std::nullopt;
            } catch (const RuntimeError& e) {
                return refused(e.description());
            }
            if (!typed)
                return refused(u"Er is geen waarde voor %1 gelezen. Er is niets gewijzigd."_s.arg(declared));
            value = *typed;
        }
        if (value.typeId() == QMetaType::QString && isNumber(settings.setting(name)) &&
            ambiguousNumber(value.toString()))
            return refused(u"De waarde '%1' van %2 is niet eenduidig: een punt kan een decimaalteken of een "
                           "scheidingsteken voor duizendtallen zijn. Schrijf decimalen met een komma (%3) en "
                           "duizendtallen zonder punt. Er is niets gewijzigd."_s.arg(
                               value.toString(), declared,
                               value.toString().trimmed().replace(QLatin1Char('.'), QLatin1Char(','))));
        // The screen's words ("Ja", "Wekelijks") stand for the stored value.
        const QString typed = value.toString();
        const SettingPresentation shown = catalogue().find(objectName(), declared);
        if (value.typeId() == QMetaType::QString) {
            if (const std::optional<QVariant> stored = storedFromShown(shown, typed))
                value = *stored;
        }
        const QVariantMap before = settings.toMap();
        try {
            settings.setValue(name, value);
        } catch (const RuntimeError&) {
            settings.fromMap(before);
            const QString expected = shown.kind == SettingPresentation::Kind::Choice && !shown.choices.isEmpty()
                                         ? u"een van: "_s + QStringList(shown.choices.values()).join(u", "_s)
                                         : typeDescription(settings.setting(name));
            return refused(u"De waarde '%1' past niet bij %2: verwacht wordt %3. Er is niets gewijzigd."_s.arg(
                typed, declared, expected));
        }
        if (settings.value(name) == before.value(declared))
            return done(u"%1 had deze waarde al."_s.arg(declared));
        if (const QStringList problems = newProblems(before); !problems.isEmpty()) {
            settings.fromMap(before);
            return refused(u"De wijziging van %1 is geweigerd; de controle van de pagina's meldt:\n%2\n"
                           "Er is niets gewijzigd."_s.arg(declared, problems.join(QLatin1Char('\n'))));
        }
        return store(declared);
    }

    QStringList newProblems(const QVariantMap& before)
    {
        PageInspector after(app_);
        const std::vector<CheckProblem> now = after.check();
        if (now.empty())
            return {};
        // Problems that were there already are not this change's doing.
        Settings& settings = target();
        const QVariantMap changed = settings.toMap();
        settings.fromMap(before);
        PageInspector earlier(app_);
        QStringList old;
        for (const CheckProblem& p : earlier.check())
            old << problemText(p);
        settings.fromMap(changed);
        QStringList fresh;
        for (const CheckProblem& p : now) {
            if (!old.contains(problemText(p)))
                fresh << problemText(p);
        }
        return fresh;
    }

    // What the settings read like on screen, learned once from the pages.
    SettingCatalogue& catalogue()
    {
        if (!catalogue_) {
            inspector_ = std::make_unique<PageInspector>(app_);
            catalogue_ = std::make_unique<SettingCatalogue>(*inspector_, app_.userSetup());
        }
        return *catalogue_;
    }

    // A change made here is the change of the page that shows the setting.
    AdminResult store(const QString& name)
    {
        const QString key = SettingsStore::changeKey(objectName(), name);
        try {
            // The value is stated, not edited from one shown: the last writer wins.
            app_.saveStatedSettings({{key, catalogue().find(objectName(), name).page}},
                                    {{key, ChangeHistory::ByCommandLine}});
        } catch (const RuntimeError& e) {
            return notStored(e);
        }
        return done({});
    }

    // A save that failed stored nothing; the settings are read again where
    // the database still answers, so that this program holds what is stored.
    AdminResult notStored(const RuntimeError& e)
    {
        try {
            app_.reloadSettings();
        } catch (const RuntimeError&) {
        }
        return refused(u"De instellingen zijn niet opgeslagen: %1"_s.arg(e.description()));
    }

    AdminResult get(const QString& name)
    {
        if (auto r = unknown(name))
            return *r;
        const SettingBase& s = target().setting(name);
        if (s.isSecret())
            return done(u"(geheim: de waarde wordt niet getoond)"_s);
        if (request_.shownText)
            return done(escapedControls(shownValue(catalogue().find(objectName(), s.name()), s.toVariant()), false));
        return done(commandText(s));
    }

    AdminResult reset(const QString& name)
    {
        if (auto r = unknown(name))
            return *r;
        PageInspector pages(app_);
        return change(name, pages.defaultOf(objectName(), name));
    }

    AdminResult lock()
    {
        AdminResult result = AdminCommands::lock(app_.registry(), request_, QString());
        if (result.status == Done)
            app_.applyAdministratorLocks();
        return result;
    }

    AdminResult exportTo(const QString& file, const std::function<std::optional<QString>()>& passphrase)
    {
        std::optional<QString> secret;
        if (request_.withPasswords) {
            try {
                secret = passphrase ? passphrase() : std::nullopt;
            } catch (const RuntimeError& e) {
                return refused(e.description());
            }
            if (!secret || secret->isEmpty())
                return refused(u"Voor het meenemen van de wachtwoorden is een wachtwoord voor het bestand nodig."_s);
        }
        try {
            SettingsProfile::save(file, SettingsProfile::write(app_.userSetup(), app_.officeSetup(), secret,
                                                               secret ? app_.officeKey() : QByteArray(),
                                                               app_.unreadableSecrets()));
        } catch (const RuntimeError& e) {
            return refused(e.description());
        }
        return done(u"De instellingen zijn geëxporteerd naar %1."_s.arg(file));
    }

    AdminResult importFrom(const QString& file, const std::function<std::optional<QString>()>& passphrase)
    {
        ImportPlan plan;
        try {
            plan = SettingsProfile::plan(SettingsProfile::load(file), app_.userSetup(), app_.officeSetup(), passphrase);
        } catch (const ProfileError& e) {
            return refused(e.message());
        } catch (const RuntimeError& e) {
            return refused(e.description());
        }
        // Another adviser's own passwords would be sealed with this
        // workstation's key, which his workstation does not have.
        QStringList otherPasswords;
        if (request_.forOtherAdviser) {
            std::erase_if(plan.differences, [&](const ProfileDifference& d) {
                const bool own = d.secret && d.object == QLatin1String("Setup");
                if (own)
                    otherPasswords << d.name;
                return own;
            });
        }
        // The office key comes first: the office's passwords open with it.
        if (!plan.officeKey.isEmpty()) {
            try {
                app_.receiveOfficeKey(plan.officeKey);
            } catch (const RuntimeError& e) {
                return refused(u"Er is niets geïmporteerd: %1"_s.arg(e.description()));
            }
        }
        const QVariantMap setupBefore = app_.userSetup().toMap();
        const QVariantMap globalBefore = app_.officeSetup().toMap();
        QHash<QString, QString> pageOf;
        QHash<QString, QString> howOf;
        try {
            for (const QString& key : SettingsProfile::apply(plan.differences, app_.userSetup(), app_.officeSetup())) {
                const qsizetype dot = key.indexOf(u'.');
                pageOf.insert(key, catalogue().find(key.left(dot), key.mid(dot + 1)).page);
                howOf.insert(key, ChangeHistory::ByCommandLine + u": "_s + ChangeHistory::ByImport);
            }
            app_.saveSettings(pageOf, howOf);
        } catch (const RuntimeError& e) {
            app_.userSetup().fromMap(setupBefore);
            app_.officeSetup().fromMap(globalBefore);
            return refused(u"Er is niets geïmporteerd: %1"_s.arg(e.description()));
        }
        QStringList report{u"%1 instelling(en) geïmporteerd."_s.arg(plan.differences.size())};
        if (plan.hasSecrets && !plan.secretsRead)
            report << u"De wachtwoorden in het bestand zijn niet meegenomen."_s;
        if (!otherPasswords.isEmpty())
            report << u"Niet toegepast, want alleen de adviseur zelf kan zijn wachtwoorden instellen: %1"_s.arg(
                otherPasswords.join(QLatin1String(", ")));
        if (!plan.unknown.isEmpty())
            report << u"Onbekend, niet toegepast: %1"_s.arg(plan.unknown.join(QLatin1String(", ")));
        if (!plan.misfits.isEmpty())
            report << u"Ongeldige waarde, niet toegepast: %1"_s.arg(plan.misfits.join(QLatin1String(", ")));
        if (!plan.locked.isEmpty())
            report << u"Vastgezet door de beheerder, niet toegepast: %1"_s.arg(plan.locked.join(QLatin1String(", ")));
        return done(report.join(QLatin1Char('\n')));
    }

    // The history, newest first and numbered from 1, in the screen's words;
    // with --namen in code names and stored values.
    AdminResult history()
    {
        const std::vector<ChangeEntry> entries = app_.changeHistory();
        if (request_.revert)
            return revert(entries);
        QHash<QString, QString> titles;
        // The pages as the window's page list names them.
        for (const PageFacts& facts : inspectorFor()->pages())
            titles.insert(facts.className, facts.listTitle);
        QStringList lines;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const ChangeEntry& e = entries[i];
            if (request_.since && e.when.date() < *request_.since)
                continue;
            QString what;
            QString values;
            if (request_.codeNames) {
                what = e.object + u'.' + e.setting;
                values = e.secret ? u"(geheim gewijzigd)"_s
                                  : u"%1 -> %2"_s.arg(e.oldValue.value_or(QString()), e.newValue.value_or(QString()));
            } else {
                const SettingPresentation p = catalogue().find(e.object, e.setting);
                what = listedCaption(p);
                SettingPresentation shown = p;
                shown.secret = shown.secret || e.secret;
                const auto [before, after] = shownChange(shown, e.oldValue, e.newValue);
                values = shown.secret ? u"(gewijzigd)"_s : u"%1 -> %2"_s.arg(before, after);
            }
            const QString how = e.how.isEmpty() ? ChangeHistory::InWindow : e.how;
            // One change a line, its fields between tabs, whatever the values hold.
            const auto field = [](const QString& text) { return escapedControls(text, false); };
            lines << u"%1\t%2\t%3\t%4\t%5\t%6\t%7"_s.arg(
                QString::number(i + 1), e.when.toString(u"yyyy-MM-dd HH:mm:ss"_s), field(e.adviserName),
                field(titles.value(e.page, e.page)), field(what), field(values), field(how));
        }
        return done(lines.join(QLatin1Char('\n')));
    }

    // Takes back line N of the history through the page that shows the setting.
    AdminResult revert(const std::vector<ChangeEntry>& entries)
    {
        const int n = *request_.revert;
        if (n < 1 || n > int(entries.size()))
            return refused(u"Er is geen regel %1 in de wijzigingsgeschiedenis (er zijn %2 regels). Er is niets "
                           "gewijzigd."_s.arg(n)
                               .arg(entries.size()));
        const ChangeEntry& e = entries[std::size_t(n - 1)];
        ChangeReverter reverter(app_, *inspectorFor(), catalogue());
        const ChangeReverter::Result r = reverter.revert(e, request_.anyway);
        if (r.outcome == ChangeReverter::Outcome::AskFirst)
            return refused(r.message + u" Er is niets gewijzigd; geef --toch om de wijziging toch terug te draaien."_s);
        if (r.outcome == ChangeReverter::Outcome::Refused)
            return refused(r.message);
        QHash<QString, QString> howOf;
        for (auto it = r.pageOf.begin(); it != r.pageOf.end(); ++it)
            howOf.insert(it.key(), ChangeHistory::ByCommandLine + u": "_s + ChangeHistory::ByRevert);
        try {
            app_.saveSettings(r.pageOf, howOf);
        } catch (const RuntimeError& ex) {
            return notStored(ex);
        }
        return done(r.message);
    }

    PageInspector* inspectorFor()
    {
        catalogue();
        return inspector_.get();
    }

private:
    ReferenceApplication& app_;
    const AdminRequest& request_;
    const std::function<std::optional<QString>(const QString&)>& secretValue_;
    std::unique_ptr<PageInspector> inspector_;
    std::unique_ptr<SettingCatalogue> catalogue_;
};

} // namespace

bool isCommand(const QString& word) { return Commands.contains(word); }

QString escapedControls(const QString& text, bool lineBreaks)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n' && lineBreaks)
            shown += c;
        else if (u == u'\n')
            shown += u"\\n"_s;
        else if (u == u'\r')
            shown += u"\\r"_s;
        else if (u == u'\t')
            shown += lineBreaks ? u"\t"_s : u"\\t"_s;
        else if (u < 0x20 || u == 0x7f)
            shown += u"\\x"_s + QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else if ((u >= 0x80 && u < 0xa0) || (u >= 0x202a && u <= 0x202e) || (u >= 0x2066 && u <= 0x2069))
            shown += u"\\u"_s + QString::number(u, 16).toUpper().rightJustified(4, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

std::optional<AdminResult> wrongUsage(const AdminRequest& request)
{
    if (!isCommand(request.command))
        return AdminResult{WrongUsage, {}, u"Onbekende opdracht: %1\n"_s.arg(request.command)};
    if (request.arguments.size() != argumentCount(request.command))
        return AdminResult{WrongUsage, {}, u"Verkeerd aantal argumenten bij %1.\n"_s.arg(request.command)};
    if (request.since && request.command != QLatin1String("history"))
        return AdminResult{WrongUsage, {}, u"--since hoort bij history.\n"_s};
    if (request.withPasswords && request.command != QLatin1String("export"))
        return AdminResult{WrongUsage, {}, u"--wachtwoorden hoort bij export.\n"_s};
    if ((request.codeNames || request.revert) && request.command != QLatin1String("history"))
        return AdminResult{WrongUsage, {}, u"--namen en --terugdraaien horen bij history.\n"_s};
    if (request.anyway && !request.revert)
        return AdminResult{WrongUsage, {}, u"--toch hoort bij history --terugdraaien N.\n"_s};
    if (request.shownText && request.command != QLatin1String("get"))
        return AdminResult{WrongUsage, {}, u"--toon hoort bij get.\n"_s};
    return std::nullopt;
}

AdminResult run(ReferenceApplication& app, const AdminRequest& request,
                const std::function<std::optional<QString>()>& passphrase,
                const std::function<std::optional<QString>(const QString& name)>& secretValue)
{
    if (auto wrong = wrongUsage(request))
        return *wrong;
    const QString& c = request.command;
    // Without the lock list no change can be checked against it.
    if (!app.locksUnreadable().isEmpty() && c != QLatin1String("get") && c != QLatin1String("export") &&
        (c != QLatin1String("history") || request.revert))
        return refused(AdministratorLocks::unreadableMessage(app.locksUnreadable()));
    Runner runner(app, request, secretValue);
    AdminResult result = [&] {
        const QStringList& a = request.arguments;
        if (c == QLatin1String("get"))
            return runner.get(a[0]);
        if (c == QLatin1String("set")) {
            // A password on the command line stands in the process list and the
            // shell's history: it is read from the input instead.
            if (app.userSetup().contains(a[0]) && app.userSetup().setting(a[0]).isSecret() && a[1] != ValueFromInput &&
                !a[1].isEmpty()) {
                const QString name = app.userSetup().setting(a[0]).name();
                return refused(u"Een wachtwoord wordt niet als argument aangenomen: het zou te zien zijn in de lijst "
                               "van processen en in de geschiedenis van de shell. Geef 'set %1 -' en typ de waarde "
                               "in. Er is niets gewijzigd."_s.arg(name));
            }
            return runner.change(a[0], a[1]);
        }
        if (c == QLatin1String("reset"))
            return runner.reset(a[0]);
        if (c == QLatin1String("lock") || c == QLatin1String("unlock"))
            return runner.lock();
        if (c == QLatin1String("export"))
            return runner.exportTo(a[0], passphrase);
        if (c == QLatin1String("import"))
            return runner.importFrom(a[0], passphrase);
        return runner.history();
    }();
    // Passwords whose key this workstation lacks are told with every command
    // until they are typed again.
    if (const QString missing = app.unreadableSecretsMessage(); !missing.isEmpty())
        result.err = missing + u" Op de opdrachtregel: 'set NAAM -'.\n"_s + result.err;
    return result;
}

} // namespace tarvelo::AdminCommands
