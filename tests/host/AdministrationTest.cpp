#include "app/CommandLine.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/TextBox.h"
#include "framework/host/Settings.h"
#include "framework/settings/CalculationSettings.h"
#include "framework/settings/NotarisSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/UpdateSettings.h"
#include "host/admin/AdminCommands.h"
#include "host/admin/AdministratorLocks.h"
#include "host/admin/PageInspector.h"
#include "host/admin/SettingsProfile.h"
#include "host/office/Advisers.h"
#include "host/office/ChangeHistory.h"
#include "host/office/OfficeDatabase.h"
#include "tests/support/PageTest.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>
#include <sys/stat.h>
#include <tuple>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::PageTest;

namespace {

class AdministrationTest : public PageTest {
protected:
    Settings& setup() { return h.setup(); }
    void lock(const QString& object, const QString& name)
    {
        ASSERT_TRUE(AdministratorLocks::store(h.app().registry(), object, name, true));
        h.app().applyAdministratorLocks();
    }
    AdminResult command(const QStringList& words, bool office = false)
    {
        AdminRequest request;
        request.command = words.value(0);
        request.arguments = words.mid(1);
        request.office = office;
        return AdminCommands::run(h.app(), request, [] { return std::optional<QString>(); });
    }
    QString file(const QString& name) const { return h.folder() + QLatin1Char('/') + name; }
};

// A second program on the same office: what it loads is what is stored.
std::unique_ptr<ReferenceApplication> another(ScriptedUi& ui, const QString& folder)
{
    return std::make_unique<ReferenceApplication>(ui, folder);
}

} // namespace

// Catches a lock that only the window honours: typed writes from page code,
// writes by name and list changes are all refused, while reading the stored
// record still works and unlocking frees the setting again.
TEST(SettingsLocks, ALockedSettingRefusesEveryWrite)
{
    Settings s;
    s.get<ProxySettings>().ProxyAdres = u"oud:80"_s;
    s.setLocked(u"proxyadres"_s, true);
    s.setLocked(u"Notarissen"_s, true);
    EXPECT_TRUE(s.isLocked(u"ProxyAdres"_s));
    EXPECT_EQ(s.lockedNames(), (QStringList{u"ProxyAdres"_s, u"Notarissen"_s}));

    s.get<ProxySettings>().ProxyAdres = u"nieuw:80"_s;
    s.get<ProxySettings>().ProxyAdres.fromVariant(u"nieuw:81"_s);
    s.get<ProxySettings>().ProxyAdres.reset();
    EXPECT_EQ(s.get<ProxySettings>().ProxyAdres.get(), u"oud:80"_s);
    try {
        s.setValue(u"ProxyAdres"_s, u"nieuw:82"_s);
        ADD_FAILURE() << "een vastgezette instelling moet geweigerd worden";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), SettingsObject::LockedError);
        EXPECT_EQ(e.description(), u"Deze instelling is door de beheerder vastgezet."_s);
    }
    EXPECT_THROW(s.get<NotarisSettings>().Notarissen.add(), RuntimeError);
    EXPECT_EQ(s.get<NotarisSettings>().Notarissen.count(), 0);
    EXPECT_EQ(s.refusedWrites(), 5);
    EXPECT_EQ(s.get<ProxySettings>().ProxyAdres.get(), u"oud:80"_s);

    // Loading the stored record is no write of the user's.
    s.fromMap({{u"ProxyAdres"_s, u"opgeslagen:80"_s}});
    EXPECT_EQ(s.get<ProxySettings>().ProxyAdres.get(), u"opgeslagen:80"_s);
    s.setLocked(u"ProxyAdres"_s, false);
    s.get<ProxySettings>().ProxyAdres = u"vrij:80"_s;
    EXPECT_EQ(s.get<ProxySettings>().ProxyAdres.get(), u"vrij:80"_s);
}

// Catches markers that ignore the page's own default, and a reset that
// bypasses the page: unticking the proxy through the reset clears its three
// fields, as the page's rule says, and the markers go.
TEST_F(AdministrationTest, ChangedProxySettingIsMarkedAndResetThroughThePage)
{
    setup().get<ProxySettings>().ProxyGebruiken = true;
    setup().get<ProxySettings>().ProxyAdres = u"proxy.kantoor.nl:8080"_s;
    setup().get<ProxySettings>().ProxyGebruikersnaam = u"jan"_s;
    setup().get<ProxySettings>().ProxyWachtwoord = u"geheim"_s;
    h.open(u"SetupProxy"_s);
    auto& chkProxy = h.control<CheckBox>(u"chkProxy"_s);
    auto& txtProxyadres = h.control<TextBox>(u"txtProxyadres"_s);
    EXPECT_EQ(chkProxy.settingMarker(), SettingMarker::ChangedFromDefault);
    EXPECT_EQ(txtProxyadres.settingMarker(), SettingMarker::ChangedFromDefault);
    // A stored 0 interval is the page's "Dagelijks": written back, and no change.
    EXPECT_EQ(h.control<ComboBox>(u"cboUpdateTermijn"_s).settingMarker(), SettingMarker::None);
    EXPECT_EQ(h.control<CheckBox>(u"chkAutoDownload"_s).settingMarker(), SettingMarker::None);

    Binding* proxy = h.page().settingBindings().bindingOf(chkProxy);
    ASSERT_NE(proxy, nullptr);
    EXPECT_TRUE(proxy->resetToDefault());
    EXPECT_FALSE(setup().get<ProxySettings>().ProxyGebruiken);
    EXPECT_EQ(setup().get<ProxySettings>().ProxyAdres.get(), QString());
    EXPECT_EQ(setup().get<ProxySettings>().ProxyGebruikersnaam.get(), QString());
    EXPECT_EQ(setup().get<ProxySettings>().ProxyWachtwoord.get(), QString());
    EXPECT_FALSE(chkProxy.isChecked());
    EXPECT_FALSE(txtProxyadres.enabled());
    EXPECT_EQ(chkProxy.settingMarker(), SettingMarker::None);
    EXPECT_EQ(txtProxyadres.settingMarker(), SettingMarker::None);

    // A changed number reset to the page's default, not to the declared 0.
    auto& minutes = h.control<TextBox>(u"txtAutomatischOpslaanMinuten"_s);
    h.control<CheckBox>(u"chkAutomatischOpslaan"_s).click();
    minutes.type(u"25"_s);
    EXPECT_EQ(minutes.settingMarker(), SettingMarker::ChangedFromDefault);
    EXPECT_EQ(h.page().settingBindings().resetAll(), 2);
    EXPECT_EQ(minutes.text(), u"10"_s);
    EXPECT_EQ(setup().value(u"AutomatischOpslaanMinuten"_s).toInt(), 10);
    EXPECT_TRUE(h.errors().empty());
}

// Catches a lock shown but not enforced: the locked control cannot be used,
// the page's own rule cannot clear the setting, and the stored value stays.
TEST_F(AdministrationTest, LockedSettingIsRefusedFromTheControlAndFromPageCode)
{
    setup().get<ProxySettings>().ProxyGebruiken = true;
    setup().get<ProxySettings>().ProxyAdres = u"vast.kantoor.nl:3128"_s;
    lock(ChangeHistory::SetupObject, u"ProxyAdres"_s);
    h.open(u"SetupProxy"_s);
    auto& txtProxyadres = h.control<TextBox>(u"txtProxyadres"_s);
    EXPECT_EQ(txtProxyadres.settingMarker(), SettingMarker::Locked);
    EXPECT_FALSE(txtProxyadres.isUsable());
    txtProxyadres.type(u"anders:80"_s);
    EXPECT_EQ(setup().get<ProxySettings>().ProxyAdres.get(), u"vast.kantoor.nl:3128"_s);

    // Unticking the proxy clears the fields by the page's code: the locked one stays.
    h.control<CheckBox>(u"chkProxy"_s).click();
    EXPECT_FALSE(setup().get<ProxySettings>().ProxyGebruiken);
    EXPECT_EQ(setup().get<ProxySettings>().ProxyAdres.get(), u"vast.kantoor.nl:3128"_s);
    EXPECT_EQ(txtProxyadres.text(), u"vast.kantoor.nl:3128"_s);
    EXPECT_FALSE(h.page().settingBindings().bindingOf(txtProxyadres)->resetToDefault());
    h.app().saveSettings();
    EXPECT_EQ(another(h.ui(), h.folder())->SettingsObject().get<ProxySettings>().ProxyAdres.get(),
              u"vast.kantoor.nl:3128"_s);
    EXPECT_TRUE(h.errors().empty());
}

// Catches lost updates: two programs that change different settings of the
// same record at once both keep their change.
TEST_F(AdministrationTest, TwoProgramsSavingAtOnceLoseNeitherChange)
{
    auto first = another(h.ui(), h.folder());
    auto second = another(h.ui(), h.folder());
    first->SettingsObject().get<ProxySettings>().ProxyAdres = u"eerste:80"_s;
    first->GlobalSetup().get<UpdateSettings>().UpdateTermijn = 7;
    second->SettingsObject().get<UpdateSettings>().AutoDownload = true;
    second->GlobalSetup().get<CalculationSettings>().AantalJarenOverzicht = 30;
    first->saveSettings();
    second->saveSettings();
    auto third = another(h.ui(), h.folder());
    EXPECT_EQ(third->SettingsObject().get<ProxySettings>().ProxyAdres.get(), u"eerste:80"_s);
    EXPECT_TRUE(third->SettingsObject().get<UpdateSettings>().AutoDownload);
    EXPECT_EQ(qint16(third->GlobalSetup().get<UpdateSettings>().UpdateTermijn), 7);
    EXPECT_EQ(qint16(third->GlobalSetup().get<CalculationSettings>().AantalJarenOverzicht), 30);
}

// Catches a profile that loses settings or leaks passwords: every setting of
// the demo office comes back; the passwords only with the right passphrase.
TEST(SettingsProfileTest, RoundTripsTheDemoOfficeWithPasswordsOnlyByPassphrase)
{
    QTemporaryDir demoDir, emptyDir;
    ScriptedUi ui;
    ReferenceApplication demo(ui, demoDir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    demo.SettingsObject().get<ProxySettings>().ProxyWachtwoord = u"g3h€im"_s;
    demo.SettingsObject().get<UpdateSettings>().VolgendeUpdate = QDate(2027, 3, 2);
    const QByteArray withPasswords =
        SettingsProfile::write(demo.SettingsObject(), demo.GlobalSetup(), u"kantoor-wachtzin"_s);
    const QByteArray withoutPasswords = SettingsProfile::write(demo.SettingsObject(), demo.GlobalSetup(), std::nullopt);
    EXPECT_FALSE(withPasswords.contains("g3h")) << "a password in plain text";
    EXPECT_FALSE(withoutPasswords.contains("ProxyWachtwoord"));

    ReferenceApplication office(ui, emptyDir.path());
    // Without the passphrase: everything but the passwords.
    ImportPlan plain = SettingsProfile::plan(withPasswords, office.SettingsObject(), office.GlobalSetup(),
                                             [] { return std::optional<QString>(); });
    EXPECT_TRUE(plain.hasSecrets);
    EXPECT_FALSE(plain.secretsRead);
    for (const ProfileDifference& d : plain.differences)
        EXPECT_FALSE(d.secret) << d.name.toStdString();

    // A wrong passphrase is refused and changes nothing.
    const QVariantMap before = office.SettingsObject().toMap();
    try {
        SettingsProfile::plan(withPasswords, office.SettingsObject(), office.GlobalSetup(),
                              [] { return std::optional<QString>(u"fout"_s); });
        ADD_FAILURE() << "een verkeerd wachtwoord moet geweigerd worden";
    } catch (const ProfileError& e) {
        EXPECT_EQ(e.problem(), ProfileProblem::WrongPassphrase);
    }
    EXPECT_EQ(office.SettingsObject().toMap(), before);

    ImportPlan full = SettingsProfile::plan(withPasswords, office.SettingsObject(), office.GlobalSetup(),
                                            [] { return std::optional<QString>(u"kantoor-wachtzin"_s); });
    EXPECT_TRUE(full.secretsRead);
    EXPECT_TRUE(full.unknown.isEmpty());
    EXPECT_TRUE(full.misfits.isEmpty());
    for (const ProfileDifference& d : full.differences) {
        if (d.secret) {
            EXPECT_TRUE(d.current.isEmpty() && d.proposed.isEmpty()) << "a password shown in the preview";
        }
    }
    SettingsProfile::apply(full.differences, office.SettingsObject(), office.GlobalSetup());
    EXPECT_EQ(office.SettingsObject().toMap(), demo.SettingsObject().toMap());
    EXPECT_EQ(office.GlobalSetup().toMap(), demo.GlobalSetup().toMap());
    EXPECT_EQ(office.SettingsObject().get<ProxySettings>().ProxyWachtwoord.get(), u"g3h€im"_s);
}

// Catches an import that half-applies a bad file: truncated, foreign, newer
// files change nothing and say which; unknown names, misfits and locked
// settings are listed, not applied.
TEST(SettingsProfileTest, RefusesDamagedFilesAndListsWhatItWillNotApply)
{
    Settings source;
    source.get<UpdateSettings>().UpdateTermijn = 14;
    Settings setup;
    Settings globalSetup;
    const QByteArray good = SettingsProfile::write(source, globalSetup, std::nullopt);
    QByteArray newer = good;
    newer.replace("\"versie\": 1", "\"versie\": 2");
    const struct {
        QByteArray content;
        ProfileProblem problem;
        QString says;
    } refused[] = {
        {good.left(good.size() / 2), ProfileProblem::Truncated, u"onvolledig"_s},
        {QByteArray("Dit is een brief."), ProfileProblem::NotASettingsFile, u"geen instellingenbestand"_s},
        {QByteArray("{\"naam\": \"iets anders\"}"), ProfileProblem::NotASettingsFile, u"geen instellingenbestand"_s},
        {newer, ProfileProblem::NewerVersion, u"nieuwere versie"_s},
    };
    for (const auto& r : refused) {
        try {
            SettingsProfile::plan(r.content, setup, globalSetup, {});
            ADD_FAILURE() << r.says.toStdString();
        } catch (const ProfileError& e) {
            EXPECT_EQ(e.problem(), r.problem) << r.says.toStdString();
            EXPECT_TRUE(e.message().contains(r.says)) << e.message().toStdString();
        }
    }

    QByteArray odd = good;
    odd.replace("\"naam\": \"UpdateVlag\"", "\"naam\": \"BestaatNiet\"");
    odd.replace("\"waarde\": 14\n", "\"waarde\": \"veertien\"\n");
    setup.get<ProxySettings>().ProxyAdres = u"mijn:80"_s;
    setup.setLocked(u"ProxyAdres"_s, true);
    Settings other;
    other.get<ProxySettings>().ProxyAdres = u"ander:80"_s;
    other.get<UpdateSettings>().AutoDownload = true;
    QByteArray withLocked = SettingsProfile::write(other, globalSetup, std::nullopt);
    ImportPlan plan;
    try {
        plan = SettingsProfile::plan(odd, setup, globalSetup, {});
    } catch (const ProfileError& e) {
        FAIL() << e.message().toStdString();
    }
    EXPECT_EQ(plan.unknown, (QStringList{u"Setup.BestaatNiet"_s, u"GlobalSetup.BestaatNiet"_s}));
    ASSERT_EQ(plan.misfits.size(), 1);
    EXPECT_TRUE(plan.misfits[0].startsWith(u"Setup.UpdateTermijn"_s)) << plan.misfits[0].toStdString();
    try {
        plan = SettingsProfile::plan(withLocked, setup, globalSetup, {});
    } catch (const ProfileError& e) {
        FAIL() << e.message().toStdString();
    }
    EXPECT_EQ(plan.locked, QStringList{u"Setup.ProxyAdres"_s});
    ASSERT_EQ(plan.differences.size(), 1u);
    EXPECT_EQ(plan.differences[0].name, u"AutoDownload"_s);

    // All or nothing: one line that no longer fits stops every line.
    std::vector<ProfileDifference> lines = plan.differences;
    lines.push_back({u"Setup"_s, u"UpdateTermijn"_s, {}, {}, false, u"x"_s});
    EXPECT_THROW(SettingsProfile::apply(lines, setup, globalSetup), RuntimeError);
    EXPECT_FALSE(setup.get<UpdateSettings>().AutoDownload);
}

// Catches an 8-bit setting written as a character, or a profile of before it
// was 8-bit that no longer imports: it goes out as "geheel8" with its number,
// a "geheel16" line that fits still comes in, one that does not fit is a misfit.
TEST(SettingsProfileTest, TheEightBitScenarioStartGoesOutAndComesInAsANumber)
{
    Settings source;
    source.get<CalculationSettings>().IngangsjaarScenarios = 200;
    Settings globalSetup;
    QJsonObject file = QJsonDocument::fromJson(SettingsProfile::write(source, globalSetup, std::nullopt)).object();
    QJsonArray lines = file.value(u"instellingen"_s).toArray();
    qsizetype at = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QJsonObject line = lines[i].toObject();
        if (line.value(u"naam"_s).toString() == "IngangsjaarScenarios" && line.value(u"object"_s).toString() == "Setup")
            at = i;
    }
    ASSERT_GE(at, 0);
    EXPECT_EQ(lines[at].toObject().value(u"type"_s).toString(), "geheel8");
    EXPECT_EQ(lines[at].toObject().value(u"waarde"_s), QJsonValue(200));
    for (const auto& [written, value, fits] :
         {std::tuple{"geheel8", 200, true}, {"geheel16", 7, true}, {"geheel16", 300, false}}) {
        SCOPED_TRACE(written);
        QJsonObject line = lines[at].toObject();
        line.insert(u"type"_s, QString::fromLatin1(written));
        line.insert(u"waarde"_s, value);
        QJsonArray changed = lines;
        changed[at] = line;
        file.insert(u"instellingen"_s, changed);
        Settings setup;
        const ImportPlan plan = SettingsProfile::plan(QJsonDocument(file).toJson(), setup, globalSetup, {});
        EXPECT_EQ(plan.misfits.size(), fits ? 0 : 1);
        const bool planned = std::any_of(plan.differences.begin(), plan.differences.end(),
                                         [](const ProfileDifference& d) { return d.name == "IngangsjaarScenarios"; });
        EXPECT_EQ(planned, fits);
    }
}

// Catches a command line that bypasses the locks, checks or history, or that
// reports every outcome alike: 0 done, 1 refused with a reason, 2 misuse.
TEST_F(AdministrationTest, CommandLineChangesThroughTheSameRulesWithItsExitStatuses)
{
    AdminResult r = command({u"set"_s, u"ProxyAdres"_s, u"cli.kantoor.nl:80"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(another(h.ui(), h.folder())->SettingsObject().get<ProxySettings>().ProxyAdres.get(),
              u"cli.kantoor.nl:80"_s);
    const std::vector<ChangeEntry> history = h.app().changeHistory();
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history.front().setting, u"ProxyAdres"_s);
    EXPECT_EQ(history.front().page, u"SetupProxy"_s) << "the page that shows the setting";
    EXPECT_EQ(history.front().how, ChangeHistory::ByCommandLine);
    EXPECT_EQ(command({u"get"_s, u"proxyadres"_s}).out, u"cli.kantoor.nl:80\n"_s);

    r = command({u"set"_s, u"UpdateTermijn"_s, u"veertien"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"past niet"_s)) << r.err.toStdString();
    r = command({u"set"_s, u"Bestaatniet"_s, u"1"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"Onbekende instelling"_s)) << r.err.toStdString();

    EXPECT_EQ(command({u"lock"_s, u"ProxyAdres"_s}).status, 0);
    r = command({u"set"_s, u"ProxyAdres"_s, u"ander:80"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(SettingsObject::lockedMessage())) << r.err.toStdString();
    EXPECT_EQ(command({u"reset"_s, u"ProxyAdres"_s}).status, 1);
    EXPECT_EQ(h.setup().get<ProxySettings>().ProxyAdres.get(), u"cli.kantoor.nl:80"_s);
    EXPECT_EQ(command({u"unlock"_s, u"ProxyAdres"_s}).status, 0);
    EXPECT_EQ(command({u"reset"_s, u"ProxyAdres"_s}).status, 0);
    EXPECT_EQ(h.setup().get<ProxySettings>().ProxyAdres.get(), QString());

    // The page's checks: 80 years is refused by the calculations page.
    EXPECT_EQ(command({u"set"_s, u"AantalJarenOverzicht"_s, u"20"_s}).status, 0);
    r = command({u"set"_s, u"AantalJarenOverzicht"_s, u"80"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"Aantal jaren overzicht van 1 t/m 50 invullen."_s)) << r.err.toStdString();
    EXPECT_EQ(qint16(h.setup().get<CalculationSettings>().AantalJarenOverzicht), 20);
    EXPECT_EQ(command({u"set"_s, u"UpdateTermijn"_s, u"30"_s}, true).status, 0);
    EXPECT_EQ(qint16(h.globalSetup().get<UpdateSettings>().UpdateTermijn), 30);

    EXPECT_EQ(command({u"opruimen"_s}).status, 2);
    EXPECT_EQ(command({u"set"_s, u"ProxyAdres"_s}).status, 2);
    EXPECT_EQ(command({u"import"_s, file(u"bestaat-niet.json"_s)}).status, 1);
    QFile broken(file(u"kapot.json"_s));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(SettingsProfile::write(h.setup(), h.globalSetup(), std::nullopt).left(200));
    broken.close();
    const QVariantMap before = h.setup().toMap();
    r = command({u"import"_s, file(u"kapot.json"_s)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"onvolledig"_s)) << r.err.toStdString();
    EXPECT_EQ(h.setup().toMap(), before);

    const QString history2 = command({u"history"_s}).out;
    EXPECT_TRUE(history2.contains(u"Zoeken naar updates (kantoor)\tDagelijks -> Maandelijks\topdrachtregel"_s))
        << history2.toStdString();

    const CommandLine line = CommandLine::parse({u"--office"_s, u"set"_s, u"X"_s, u"1"_s, u"--data"_s, u"/tmp/k"_s});
    ASSERT_TRUE(line.admin.has_value());
    EXPECT_TRUE(line.admin->office);
    EXPECT_EQ(line.admin->arguments, (QStringList{u"X"_s, u"1"_s}));
    EXPECT_EQ(line.dataFolder, u"/tmp/k"_s);
    EXPECT_FALSE(CommandLine::parse({u"history"_s, u"--since"_s, u"gisteren"_s}).error.isEmpty());
    EXPECT_FALSE(CommandLine::parse({u"--office"_s}).error.isEmpty());
}

// Catches a demo office the window could never save: every page's checks pass
// on its settings, and looking at the pages changes none of them.
TEST(PageInspectorTest, TheDemoOfficePassesEveryPagesChecksAndIsNotChangedByThem)
{
    QTemporaryDir dir;
    ScriptedUi ui;
    ReferenceApplication demo(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    const QVariantMap setupBefore = demo.SettingsObject().toMap();
    const QVariantMap globalBefore = demo.GlobalSetup().toMap();
    PageInspector pages(demo);
    QStringList found;
    for (const CheckProblem& p : pages.check())
        found << p.title + u": "_s + p.message;
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(demo.SettingsObject().toMap(), setupBefore);
    EXPECT_EQ(demo.GlobalSetup().toMap(), globalBefore);
    EXPECT_FALSE(pages.pages().empty());
    EXPECT_EQ(pages.defaultOf(ChangeHistory::SetupObject, u"UpdateTermijn"_s).toInt(), 1);
    EXPECT_EQ(pages.defaultOf(ChangeHistory::SetupObject, u"ProxyAdres"_s).toString(), QString());
}

// Catches a number that changes on its way out and in again: what get prints
// set reads back as the same number, and a point that the Dutch reading would
// take for a thousands point is refused instead of stored a thousand times larger.
TEST_F(AdministrationTest, NumbersGoOutAndComeBackAsTheyWere)
{
    for (double value : {1.125, 0.125, 100.0 / 3, 1e-7, 99.99, 2.5, 0.1 + 0.2}) {
        SCOPED_TRACE(value);
        setup().get<CalculationSettings>().Huurstijging = value;
        const QString shown = command({u"get"_s, u"Huurstijging"_s}).out.trimmed();
        EXPECT_FALSE(shown.contains(QLatin1Char('.'))) << shown.toStdString();
        ASSERT_EQ(command({u"set"_s, u"Huurstijging"_s, u"0"_s}).status, 0);
        const AdminResult back = command({u"set"_s, u"Huurstijging"_s, shown});
        EXPECT_EQ(back.status, 0) << back.err.toStdString();
        EXPECT_EQ(double(setup().get<CalculationSettings>().Huurstijging), value) << shown.toStdString();
    }
    EXPECT_EQ(command({u"set"_s, u"Huurstijging"_s, u"1,125"_s}).status, 0);
    EXPECT_EQ(command({u"get"_s, u"Huurstijging"_s}).out, u"1,125\n"_s);
    for (const char* ambiguous : {"1.125", "0.125", " 2.500 "}) {
        const AdminResult r = command({u"set"_s, u"Huurstijging"_s, QString::fromLatin1(ambiguous)});
        EXPECT_EQ(r.status, 1) << ambiguous;
        EXPECT_TRUE(r.err.contains(u"niet eenduidig"_s)) << r.err.toStdString();
        EXPECT_EQ(double(setup().get<CalculationSettings>().Huurstijging), 1.125) << ambiguous;
    }
    // A point that can only be a decimal point, or only thousands points, is read as it must be.
    EXPECT_EQ(command({u"set"_s, u"Huurstijging"_s, u"1.5"_s}).status, 0);
    EXPECT_EQ(double(setup().get<CalculationSettings>().Huurstijging), 1.5);
    EXPECT_EQ(command({u"set"_s, u"UpdateTermijn"_s, u"1.000"_s}).status, 1);
    EXPECT_EQ(another(h.ui(), h.folder())->SettingsObject().get<CalculationSettings>().Huurstijging, 1.5);
}

// Catches a damaged machine hive that lifts the administrator's locks: when
// the lock list cannot be read every change is refused with the reason, on
// the command line and from page code, while reading still works.
TEST_F(AdministrationTest, ALockListThatCannotBeReadKeepsEverySettingLocked)
{
    ASSERT_EQ(command({u"set"_s, u"ProxyAdres"_s, u"vast:80"_s}).status, 0);
    ASSERT_EQ(command({u"lock"_s, u"ProxyAdres"_s}).status, 0);
    const QString hive = file(u"HKEY_LOCAL_MACHINE.hive"_s);
    QFile original(hive);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray intact = original.readAll();
    original.close();
    const struct {
        const char* damage;
        QByteArray content;
    } damaged[] = {
        {"kop overschreven", QByteArray(100, 'x') + intact.mid(100)},
        {"afgekapt", intact.left(intact.size() / 2 + 10)},
        {"geen register", QByteArray("Dit is geen database, maar een brief aan de beheerder.\n").repeated(50)},
    };
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.damage);
        QFile broken(hive);
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write(d.content);
        broken.close();
        ScriptedUi ui;
        auto office = another(ui, h.folder());
        EXPECT_FALSE(office->locksUnreadable().isEmpty());
        AdminRequest request;
        request.command = u"set"_s;
        request.arguments = QStringList{u"ProxyAdres"_s, u"los:80"_s};
        const AdminResult set = AdminCommands::run(*office, request, {});
        EXPECT_EQ(set.status, 1);
        EXPECT_TRUE(set.err.contains(u"vastgezet kan niet worden gelezen"_s)) << set.err.toStdString();
        request.arguments = QStringList{u"AutoDownload"_s, u"true"_s};
        EXPECT_EQ(AdminCommands::run(*office, request, {}).status, 1) << "an unlocked setting is refused too";
        request.command = u"unlock"_s;
        request.arguments = QStringList{u"ProxyAdres"_s};
        EXPECT_EQ(AdminCommands::run(*office, request, {}).status, 1);
        office->SettingsObject().get<ProxySettings>().ProxyAdres = u"pagina:80"_s;
        EXPECT_EQ(office->SettingsObject().get<ProxySettings>().ProxyAdres.get(), u"vast:80"_s);
        request.command = u"get"_s;
        const AdminResult get = AdminCommands::run(*office, request, {});
        EXPECT_EQ(get.status, 0);
        EXPECT_EQ(get.out, u"vast:80\n"_s);
    }
    QFile restored(hive);
    ASSERT_TRUE(restored.open(QIODevice::WriteOnly | QIODevice::Truncate));
    restored.write(intact);
    restored.close();
    ScriptedUi ui;
    auto office = another(ui, h.folder());
    EXPECT_TRUE(office->locksUnreadable().isEmpty());
    EXPECT_TRUE(office->SettingsObject().isLocked(u"ProxyAdres"_s));
    EXPECT_FALSE(office->SettingsObject().isLocked(u"AutoDownload"_s));
}

// Catches values that reach the administrator's terminal as they are: escape
// sequences and other control characters are shown escaped in the history
// always and by get on a terminal, and a NUL neither cuts a value short nor
// empties the history.
TEST_F(AdministrationTest, ControlCharactersInValuesAreShownEscaped)
{
    const QString hostile = u"proxy\x1B[2J\x1B]0;titel\x07\r\tweg"_s + QChar(0) + u"rest\u202Eeulav"_s;
    setup().get<ProxySettings>().ProxyAdres = hostile;
    h.app().saveSettings();
    setup().get<ProxySettings>().ProxyGebruikersnaam = u"jan"_s;
    h.app().saveSettings();

    const AdminResult get = command({u"get"_s, u"ProxyAdres"_s});
    EXPECT_EQ(get.out, hostile + QLatin1Char('\n')) << "a pipe gets the value whole";
    EXPECT_EQ(AdminCommands::escapedControls(get.out),
              u"proxy\\x1B[2J\\x1B]0;titel\\x07\\r\tweg\\x00rest\\u202Eeulav\n"_s);

    const QString history = command({u"history"_s}).out;
    const QStringList lines = history.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << history.toStdString();
    EXPECT_TRUE(lines[0].contains(u"Proxyserver: Gebruikersnaam"_s));
    EXPECT_TRUE(lines[1].contains(u"-> proxy\\x1B[2J\\x1B]0;titel\\x07\\r\\tweg\\x00rest\\u202Eeulav\t"_s))
        << lines[1].toStdString();
    for (const QString& line : lines) {
        EXPECT_EQ(line.count(QLatin1Char('\t')), 6) << line.toStdString();
        for (const QChar c : line)
            EXPECT_FALSE(c != QLatin1Char('\t') && (c.unicode() < 0x20 || c.unicode() == 0x7f)) << int(c.unicode());
    }
}

// Catches a hostile profile that ties up the machine: key-derivation limits
// far from what this program writes are refused as damaged before any key is
// derived, while limits near them are derived (and then open or not).
TEST(SettingsProfileTest, KeyDerivationLimitsFarFromOursAreRefusedAsDamaged)
{
    Settings setup;
    Settings globalSetup;
    setup.get<ProxySettings>().ProxyWachtwoord = u"geheim"_s;
    const QByteArray file = SettingsProfile::write(setup, globalSetup, u"wachtzin"_s);
    const auto withLimits = [&](const QJsonValue& ops, const QJsonValue& mem) {
        QJsonObject root = QJsonDocument::fromJson(file).object();
        QJsonObject box = root.value(u"wachtwoorden"_s).toObject();
        box.insert(u"opslimit"_s, ops);
        box.insert(u"memlimit"_s, mem);
        root.insert(u"wachtwoorden"_s, box);
        return QJsonDocument(root).toJson();
    };
    const QJsonObject box = QJsonDocument::fromJson(file).object().value(u"wachtwoorden"_s).toObject();
    const QJsonValue ops = box.value(u"opslimit"_s);
    const QJsonValue mem = box.value(u"memlimit"_s);
    const std::pair<QJsonValue, QJsonValue> hostile[] = {
        {64, 1024.0 * 1024 * 1024},
        {ops, 1024.0 * 1024 * 1024},
        {64, mem},
        {1.5, mem},
        {ops, 1e308},
        {-1, mem},
        {u"2"_s, mem},
        {ops, QJsonValue()},
    };
    QElapsedTimer clock;
    clock.start();
    for (const auto& [o, m] : hostile) {
        try {
            SettingsProfile::plan(withLimits(o, m), setup, globalSetup,
                                  [] { return std::optional<QString>(u"wachtzin"_s); });
            ADD_FAILURE() << "accepted " << o.toVariant().toString().toStdString() << " / "
                          << m.toVariant().toString().toStdString();
        } catch (const ProfileError& e) {
            EXPECT_EQ(e.problem(), ProfileProblem::Damaged) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(u"beschadigd"_s)) << e.message().toStdString();
        }
    }
    EXPECT_LT(clock.elapsed(), 2000) << "a key was derived for a hostile file";
    const ImportPlan ours =
        SettingsProfile::plan(file, setup, globalSetup, [] { return std::optional<QString>(u"wachtzin"_s); });
    EXPECT_TRUE(ours.secretsRead);
    try {
        SettingsProfile::plan(withLimits(ops.toDouble() + 1, mem), setup, globalSetup,
                              [] { return std::optional<QString>(u"wachtzin"_s); });
        ADD_FAILURE() << "another key opened the passwords";
    } catch (const ProfileError& e) {
        EXPECT_EQ(e.problem(), ProfileProblem::WrongPassphrase) << e.message().toStdString();
    }
}

// Catches an export that replaces a pipe, a device or a folder with a plain
// file and reports success: only a regular file or a new name is written.
TEST_F(AdministrationTest, ExportWritesOnlyARegularFileOrANewName)
{
    const QString fifo = file(u"pijp"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(file(u"map"_s)));
    ASSERT_TRUE(QFile::link(file(u"bestaat-niet"_s), file(u"dode-verwijzing"_s)));
    // A device is refused by the same rule; none is made here, as a test that failed would replace it.
    for (const QString& target : {fifo, file(u"map"_s), file(u"dode-verwijzing"_s)}) {
        const AdminResult r = command({u"export"_s, target});
        EXPECT_EQ(r.status, 1) << target.toStdString();
        EXPECT_TRUE(r.err.contains(u"geen gewoon bestand"_s)) << r.err.toStdString();
    }
    struct stat pipe {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &pipe), 0);
    EXPECT_TRUE(S_ISFIFO(pipe.st_mode)) << "the pipe was replaced";
    EXPECT_TRUE(QFileInfo(file(u"map"_s)).isDir());

    EXPECT_EQ(command({u"export"_s, file(u"nieuw.json"_s)}).status, 0);
    EXPECT_EQ(command({u"export"_s, file(u"nieuw.json"_s)}).status, 0) << "an existing regular file is replaced";
    EXPECT_TRUE(QFileInfo(file(u"nieuw.json"_s)).isFile());
}

namespace {
// The advisers of the demo office by surname, as the adviser register holds them.
AdviserIdentity adviserNamed(ReferenceApplication& app, const QString& surname)
{
    QSqlQuery q = app.officeDatabase().exec(u"SELECT Code FROM Adviseur WHERE Achternaam = ?"_s, {surname});
    EXPECT_TRUE(q.next()) << surname.toStdString();
    return {q.value(0).toString(), surname};
}
} // namespace

// Catches a take-back of another adviser's change that changes the caller's
// own setting and leaves hers as it was: it is refused with the reason, with
// and without --toch, and neither adviser's setting changes.
TEST(AdviserTakeBack, ATakeBackOfAnotherAdvisersChangeIsRefused)
{
    QTemporaryDir office;
    ScriptedUi ui;
    const auto demo = [&] {
        return std::make_unique<ReferenceApplication>(ui, office.path(), QString(),
                                                      ReferenceApplication::NewOffice::Demo);
    };
    auto me = demo();
    auto bakker = demo();
    bakker->setCurrentAdviser(adviserNamed(*bakker, u"Bakker"_s));
    bakker->reloadSettings();
    bakker->SettingsObject().get<ProxySettings>().ProxyAdres = u"bakker.proxy:80"_s;
    bakker->saveSettings({}, {});

    me->reloadSettings();
    const QString own = me->SettingsObject().get<ProxySettings>().ProxyAdres;
    for (const bool anyway : {false, true}) {
        AdminRequest request;
        request.command = u"history"_s;
        request.revert = 1;
        request.anyway = anyway;
        const AdminResult r = AdminCommands::run(*me, request, [] { return std::optional<QString>(); });
        EXPECT_EQ(r.status, AdminCommands::Refused);
        EXPECT_TRUE(r.err.contains(u"alleen als die adviseur"_s) && r.err.contains(u"Bakker"_s)) << r.err.toStdString();
    }
    auto again = demo();
    EXPECT_EQ(again->SettingsObject().get<ProxySettings>().ProxyAdres.get(), own);
    again->setCurrentAdviser(adviserNamed(*again, u"Bakker"_s));
    again->reloadSettings();
    EXPECT_EQ(again->SettingsObject().get<ProxySettings>().ProxyAdres.get(), u"bakker.proxy:80"_s);
}

// Catches acting as another adviser by setting USER: the adviser comes from
// the operating system's account.
TEST(AdviserLogin, TheLoginNameIsTheAccountsNotTheEnvironments)
{
    const QString account = Advisers::loginName();
    const QByteArray user = qgetenv("USER");
    qputenv("USER", "a.bakker");
    EXPECT_EQ(Advisers::loginName(), account);
    qputenv("USER", user);
    EXPECT_NE(account, u"a.bakker"_s);
}

// Catches blind sets from the command line refused as conflicts: a set states
// a value without having shown an older one, so the last writer wins and
// each is in the history.
TEST_F(AdministrationTest, BlindSetsFromTwoProgramsBothStoreAndTheLastWins)
{
    ScriptedUi ui;
    auto first = another(ui, h.folder());
    auto second = another(ui, h.folder());
    const auto set = [](ReferenceApplication& app, const QString& value) {
        AdminRequest request;
        request.command = u"set"_s;
        request.arguments = {u"ProxyAdres"_s, value};
        return AdminCommands::run(app, request, [] { return std::optional<QString>(); });
    };
    EXPECT_EQ(set(*first, u"eerste:80"_s).status, AdminCommands::Done);
    const AdminResult last = set(*second, u"tweede:80"_s);
    EXPECT_EQ(last.status, AdminCommands::Done) << last.err.toStdString();
    EXPECT_EQ(another(ui, h.folder())->SettingsObject().get<ProxySettings>().ProxyAdres.get(), u"tweede:80"_s);
    QStringList changes;
    for (const ChangeEntry& e : h.app().changeHistory())
        if (e.setting == u"ProxyAdres"_s)
            changes << e.oldValue.value_or(QString()) + u" -> "_s + e.newValue.value_or(QString());
    EXPECT_EQ(changes, (QStringList{u"eerste:80 -> tweede:80"_s, u" -> eerste:80"_s}));
}

// Catches a password taken from the argument list, where ps and the shell's
// history show it: refused, naming the way that reads it from the input.
TEST_F(AdministrationTest, APasswordAsAnArgumentIsRefused)
{
    const AdminResult r = command({u"set"_s, u"ProxyWachtwoord"_s, u"geheim"_s});
    EXPECT_EQ(r.status, AdminCommands::Refused);
    EXPECT_TRUE(r.err.contains(u"'set ProxyWachtwoord -'"_s)) << r.err.toStdString();
    ScriptedUi ui;
    EXPECT_EQ(another(ui, h.folder())->SettingsObject().get<ProxySettings>().ProxyWachtwoord.get(), QString());
    // Emptying a password shows nothing and is taken.
    EXPECT_EQ(command({u"set"_s, u"ProxyWachtwoord"_s, QString()}).status, AdminCommands::Done);
}

// Catches untrue messages: an empty --data, a profile's version told as 0,
// a setting named twice counted twice, and a settings record that is a list
// called damaged with the parser's "no error".
TEST_F(AdministrationTest, MessagesTellWhatIsTrue)
{
    for (const QStringList& words :
         {QStringList{u"get"_s, u"ProxyAdres"_s, u"--data"_s, QString()},
          QStringList{u"get"_s, u"ProxyAdres"_s, u"--data="_s}, QStringList{u"--data"_s, u""_s}}) {
        const CommandLine line = CommandLine::parse(words);
        EXPECT_TRUE(line.error.contains(u"een lege waarde is niet toegestaan"_s)) << line.error.toStdString();
    }

    const auto profileWith = [&](const QByteArray& version, const QByteArray& lines) {
        const QString path = file(u"profiel.json"_s);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("{\"formaat\": \"tarvelo-instellingen\", \"versie\": " + version + ", \"instellingen\": [" + lines +
                  "]}");
        return path;
    };
    for (const auto& [written, told] :
         {std::pair{"1.5", "de bestandsversie 1.5 is geen geheel getal"}, std::pair{"1e308", "bestandsversie 1e308;"},
          std::pair{"2", "bestandsversie 2;"}}) {
        const AdminResult r = command({u"import"_s, profileWith(written, "")});
        EXPECT_EQ(r.status, AdminCommands::Refused);
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(told))) << r.err.toStdString();
    }
    const QByteArray twice =
        "{\"object\": \"Setup\", \"naam\": \"ProxyAdres\", \"type\": \"tekst\", \"waarde\": \"a:1\"},"
        "{\"object\": \"Setup\", \"naam\": \"ProxyAdres\", \"type\": \"tekst\", \"waarde\": \"b:2\"}";
    const AdminResult imported = command({u"import"_s, profileWith("1", twice)});
    EXPECT_TRUE(imported.out.startsWith(u"1 instelling(en) geïmporteerd."_s))
        << imported.out.toStdString() << imported.err.toStdString();
    ScriptedUi ui;
    EXPECT_EQ(another(ui, h.folder())->SettingsObject().get<ProxySettings>().ProxyAdres.get(), u"b:2"_s);

    h.app().officeDatabase().exec(u"UPDATE Instellingen SET Record = ?"_s, {u"[1, 2]"_s});
    try {
        another(ui, h.folder());
        ADD_FAILURE() << "een lijst is geen verzameling instellingen";
    } catch (const RuntimeError& e) {
        EXPECT_TRUE(e.description().contains(u"er staat een lijst in plaats van een verzameling instellingen"_s))
            << e.description().toStdString();
    }
}
