#include "framework/errors/RuntimeError.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/TextBox.h"
#include "framework/host/Settings.h"
#include "framework/settings/CalculationSettings.h"
#include "framework/settings/NotarisSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/UpdateSettings.h"
#include "app/CommandLine.h"
#include "host/admin/AdminCommands.h"
#include "host/admin/AdministratorLocks.h"
#include "host/admin/PageInspector.h"
#include "host/admin/SettingsProfile.h"
#include "host/office/ChangeHistory.h"
#include "tests/support/PageTest.h"

#include <QFile>

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
    s.get<ProxySettings>().ProxyAdres = QStringLiteral("oud:80");
    s.setLocked(QStringLiteral("proxyadres"), true);
    s.setLocked(QStringLiteral("Notarissen"), true);
    EXPECT_TRUE(s.isLocked(QStringLiteral("ProxyAdres")));
    EXPECT_EQ(s.lockedNames(), (QStringList{QStringLiteral("ProxyAdres"), QStringLiteral("Notarissen")}));

    s.get<ProxySettings>().ProxyAdres = QStringLiteral("nieuw:80");
    s.get<ProxySettings>().ProxyAdres.fromVariant(QStringLiteral("nieuw:81"));
    s.get<ProxySettings>().ProxyAdres.reset();
    EXPECT_EQ(s.get<ProxySettings>().ProxyAdres.get(), QStringLiteral("oud:80"));
    try {
        s.setValue(QStringLiteral("ProxyAdres"), QStringLiteral("nieuw:82"));
        ADD_FAILURE() << "een vastgezette instelling moet geweigerd worden";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), SettingsObject::LockedError);
        EXPECT_EQ(e.description(), QStringLiteral("Deze instelling is door de beheerder vastgezet."));
    }
    EXPECT_THROW(s.get<NotarisSettings>().Notarissen.add(), RuntimeError);
    EXPECT_EQ(s.get<NotarisSettings>().Notarissen.count(), 0);
    EXPECT_EQ(s.refusedWrites(), 5);
    EXPECT_EQ(s.get<ProxySettings>().ProxyAdres.get(), QStringLiteral("oud:80"));

    // Loading the stored record is no write of the user's.
    s.fromMap({{QStringLiteral("ProxyAdres"), QStringLiteral("opgeslagen:80")}});
    EXPECT_EQ(s.get<ProxySettings>().ProxyAdres.get(), QStringLiteral("opgeslagen:80"));
    s.setLocked(QStringLiteral("ProxyAdres"), false);
    s.get<ProxySettings>().ProxyAdres = QStringLiteral("vrij:80");
    EXPECT_EQ(s.get<ProxySettings>().ProxyAdres.get(), QStringLiteral("vrij:80"));
}

// Catches markers that ignore the page's own default, and a reset that
// bypasses the page: unticking the proxy through the reset clears its three
// fields, as the page's rule says, and the markers go.
TEST_F(AdministrationTest, ChangedProxySettingIsMarkedAndResetThroughThePage)
{
    setup().get<ProxySettings>().ProxyGebruiken = true;
    setup().get<ProxySettings>().ProxyAdres = QStringLiteral("proxy.kantoor.nl:8080");
    setup().get<ProxySettings>().ProxyGebruikersnaam = QStringLiteral("jan");
    setup().get<ProxySettings>().ProxyWachtwoord = QStringLiteral("geheim");
    h.open(QStringLiteral("SetupProxy"));
    auto& chkProxy = h.control<CheckBox>(QStringLiteral("chkProxy"));
    auto& txtProxyadres = h.control<TextBox>(QStringLiteral("txtProxyadres"));
    EXPECT_EQ(chkProxy.settingMarker(), SettingMarker::ChangedFromDefault);
    EXPECT_EQ(txtProxyadres.settingMarker(), SettingMarker::ChangedFromDefault);
    // A stored 0 interval is the page's "Dagelijks": written back, and no change.
    EXPECT_EQ(h.control<ComboBox>(QStringLiteral("cboUpdateTermijn")).settingMarker(), SettingMarker::None);
    EXPECT_EQ(h.control<CheckBox>(QStringLiteral("chkAutoDownload")).settingMarker(), SettingMarker::None);

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
    auto& minutes = h.control<TextBox>(QStringLiteral("txtAutomatischOpslaanMinuten"));
    h.control<CheckBox>(QStringLiteral("chkAutomatischOpslaan")).click();
    minutes.type(QStringLiteral("25"));
    EXPECT_EQ(minutes.settingMarker(), SettingMarker::ChangedFromDefault);
    EXPECT_EQ(h.page().settingBindings().resetAll(), 2);
    EXPECT_EQ(minutes.text(), QStringLiteral("10"));
    EXPECT_EQ(setup().value(QStringLiteral("AutomatischOpslaanMinuten")).toInt(), 10);
    EXPECT_TRUE(h.errors().empty());
}

// Catches a lock shown but not enforced: the locked control cannot be used,
// the page's own rule cannot clear the setting, and the stored value stays.
TEST_F(AdministrationTest, LockedSettingIsRefusedFromTheControlAndFromPageCode)
{
    setup().get<ProxySettings>().ProxyGebruiken = true;
    setup().get<ProxySettings>().ProxyAdres = QStringLiteral("vast.kantoor.nl:3128");
    lock(ChangeHistory::SetupObject, QStringLiteral("ProxyAdres"));
    h.open(QStringLiteral("SetupProxy"));
    auto& txtProxyadres = h.control<TextBox>(QStringLiteral("txtProxyadres"));
    EXPECT_EQ(txtProxyadres.settingMarker(), SettingMarker::Locked);
    EXPECT_FALSE(txtProxyadres.isUsable());
    txtProxyadres.type(QStringLiteral("anders:80"));
    EXPECT_EQ(setup().get<ProxySettings>().ProxyAdres.get(), QStringLiteral("vast.kantoor.nl:3128"));

    // Unticking the proxy clears the fields by the page's code: the locked one stays.
    h.control<CheckBox>(QStringLiteral("chkProxy")).click();
    EXPECT_FALSE(setup().get<ProxySettings>().ProxyGebruiken);
    EXPECT_EQ(setup().get<ProxySettings>().ProxyAdres.get(), QStringLiteral("vast.kantoor.nl:3128"));
    EXPECT_EQ(txtProxyadres.text(), QStringLiteral("vast.kantoor.nl:3128"));
    EXPECT_FALSE(h.page().settingBindings().bindingOf(txtProxyadres)->resetToDefault());
    h.app().saveSettings();
    EXPECT_EQ(another(h.ui(), h.folder())->SettingsObject().get<ProxySettings>().ProxyAdres.get(),
              QStringLiteral("vast.kantoor.nl:3128"));
    EXPECT_TRUE(h.errors().empty());
}

// Catches lost updates: two programs that change different settings of the
// same record at once both keep their change.
TEST_F(AdministrationTest, TwoProgramsSavingAtOnceLoseNeitherChange)
{
    auto first = another(h.ui(), h.folder());
    auto second = another(h.ui(), h.folder());
    first->SettingsObject().get<ProxySettings>().ProxyAdres = QStringLiteral("eerste:80");
    first->GlobalSetup().get<UpdateSettings>().UpdateTermijn = 7;
    second->SettingsObject().get<UpdateSettings>().AutoDownload = true;
    second->GlobalSetup().get<CalculationSettings>().AantalJarenOverzicht = 30;
    first->saveSettings();
    second->saveSettings();
    auto third = another(h.ui(), h.folder());
    EXPECT_EQ(third->SettingsObject().get<ProxySettings>().ProxyAdres.get(), QStringLiteral("eerste:80"));
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
    demo.SettingsObject().get<ProxySettings>().ProxyWachtwoord = QStringLiteral("g3h€im");
    demo.SettingsObject().get<UpdateSettings>().VolgendeUpdate = QDate(2027, 3, 2);
    const QByteArray withPasswords =
        SettingsProfile::write(demo.SettingsObject(), demo.GlobalSetup(), QStringLiteral("kantoor-wachtzin"));
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
                              [] { return std::optional<QString>(QStringLiteral("fout")); });
        ADD_FAILURE() << "een verkeerd wachtwoord moet geweigerd worden";
    } catch (const ProfileError& e) {
        EXPECT_EQ(e.problem(), ProfileProblem::WrongPassphrase);
    }
    EXPECT_EQ(office.SettingsObject().toMap(), before);

    ImportPlan full = SettingsProfile::plan(withPasswords, office.SettingsObject(), office.GlobalSetup(),
                                            [] { return std::optional<QString>(QStringLiteral("kantoor-wachtzin")); });
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
    EXPECT_EQ(office.SettingsObject().get<ProxySettings>().ProxyWachtwoord.get(), QStringLiteral("g3h€im"));
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
        {good.left(good.size() / 2), ProfileProblem::Truncated, QStringLiteral("onvolledig")},
        {QByteArray("Dit is een brief."), ProfileProblem::NotASettingsFile, QStringLiteral("geen instellingenbestand")},
        {QByteArray("{\"naam\": \"iets anders\"}"), ProfileProblem::NotASettingsFile, QStringLiteral("geen instellingenbestand")},
        {newer, ProfileProblem::NewerVersion, QStringLiteral("nieuwere versie")},
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
    setup.get<ProxySettings>().ProxyAdres = QStringLiteral("mijn:80");
    setup.setLocked(QStringLiteral("ProxyAdres"), true);
    Settings other;
    other.get<ProxySettings>().ProxyAdres = QStringLiteral("ander:80");
    other.get<UpdateSettings>().AutoDownload = true;
    QByteArray withLocked = SettingsProfile::write(other, globalSetup, std::nullopt);
    ImportPlan plan;
    try {
        plan = SettingsProfile::plan(odd, setup, globalSetup, {});
    } catch (const ProfileError& e) {
        FAIL() << e.message().toStdString();
    }
    EXPECT_EQ(plan.unknown, (QStringList{QStringLiteral("Setup.BestaatNiet"), QStringLiteral("GlobalSetup.BestaatNiet")}));
    ASSERT_EQ(plan.misfits.size(), 1);
    EXPECT_TRUE(plan.misfits[0].startsWith(QStringLiteral("Setup.UpdateTermijn"))) << plan.misfits[0].toStdString();
    try {
        plan = SettingsProfile::plan(withLocked, setup, globalSetup, {});
    } catch (const ProfileError& e) {
        FAIL() << e.message().toStdString();
    }
    EXPECT_EQ(plan.locked, QStringList{QStringLiteral("Setup.ProxyAdres")});
    ASSERT_EQ(plan.differences.size(), 1u);
    EXPECT_EQ(plan.differences[0].name, QStringLiteral("AutoDownload"));

    // All or nothing: one line that no longer fits stops every line.
    std::vector<ProfileDifference> lines = plan.differences;
    lines.push_back({QStringLiteral("Setup"), QStringLiteral("UpdateTermijn"), {}, {}, false, QStringLiteral("x")});
    EXPECT_THROW(SettingsProfile::apply(lines, setup, globalSetup), RuntimeError);
    EXPECT_FALSE(setup.get<UpdateSettings>().AutoDownload);
}

// Catches a command line that bypasses the locks, checks or history, or that
// reports every outcome alike: 0 done, 1 refused with a reason, 2 misuse.
TEST_F(AdministrationTest, CommandLineChangesThroughTheSameRulesWithItsExitStatuses)
{
    AdminResult r = command({QStringLiteral("set"), QStringLiteral("ProxyAdres"), QStringLiteral("cli.kantoor.nl:80")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(another(h.ui(), h.folder())->SettingsObject().get<ProxySettings>().ProxyAdres.get(),
              QStringLiteral("cli.kantoor.nl:80"));
    const std::vector<ChangeEntry> history = h.app().changeHistory();
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history.front().setting, QStringLiteral("ProxyAdres"));
    EXPECT_EQ(history.front().page, AdminCommands::HistoryPage);
    EXPECT_EQ(command({QStringLiteral("get"), QStringLiteral("proxyadres")}).out, QStringLiteral("cli.kantoor.nl:80\n"));

    r = command({QStringLiteral("set"), QStringLiteral("UpdateTermijn"), QStringLiteral("veertien")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("past niet"))) << r.err.toStdString();
    r = command({QStringLiteral("set"), QStringLiteral("Bestaatniet"), QStringLiteral("1")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Onbekende instelling"))) << r.err.toStdString();

    EXPECT_EQ(command({QStringLiteral("lock"), QStringLiteral("ProxyAdres")}).status, 0);
    r = command({QStringLiteral("set"), QStringLiteral("ProxyAdres"), QStringLiteral("ander:80")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(SettingsObject::lockedMessage())) << r.err.toStdString();
    EXPECT_EQ(command({QStringLiteral("reset"), QStringLiteral("ProxyAdres")}).status, 1);
    EXPECT_EQ(h.setup().get<ProxySettings>().ProxyAdres.get(), QStringLiteral("cli.kantoor.nl:80"));
    EXPECT_EQ(command({QStringLiteral("unlock"), QStringLiteral("ProxyAdres")}).status, 0);
    EXPECT_EQ(command({QStringLiteral("reset"), QStringLiteral("ProxyAdres")}).status, 0);
    EXPECT_EQ(h.setup().get<ProxySettings>().ProxyAdres.get(), QString());

    // The page's checks: 80 years is refused by the calculations page.
    EXPECT_EQ(command({QStringLiteral("set"), QStringLiteral("AantalJarenOverzicht"), QStringLiteral("20")}).status, 0);
    r = command({QStringLiteral("set"), QStringLiteral("AantalJarenOverzicht"), QStringLiteral("80")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Aantal jaren overzicht van 1 t/m 50 invullen."))) << r.err.toStdString();
    EXPECT_EQ(qint16(h.setup().get<CalculationSettings>().AantalJarenOverzicht), 20);
    EXPECT_EQ(command({QStringLiteral("set"), QStringLiteral("UpdateTermijn"), QStringLiteral("30")}, true).status, 0);
    EXPECT_EQ(qint16(h.globalSetup().get<UpdateSettings>().UpdateTermijn), 30);

    EXPECT_EQ(command({QStringLiteral("opruimen")}).status, 2);
    EXPECT_EQ(command({QStringLiteral("set"), QStringLiteral("ProxyAdres")}).status, 2);
    EXPECT_EQ(command({QStringLiteral("import"), file(QStringLiteral("bestaat-niet.json"))}).status, 1);
    QFile broken(file(QStringLiteral("kapot.json")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(SettingsProfile::write(h.setup(), h.globalSetup(), std::nullopt).left(200));
    broken.close();
    const QVariantMap before = h.setup().toMap();
    r = command({QStringLiteral("import"), file(QStringLiteral("kapot.json"))});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("onvolledig"))) << r.err.toStdString();
    EXPECT_EQ(h.setup().toMap(), before);

    const QString history2 = command({QStringLiteral("history")}).out;
    EXPECT_TRUE(history2.contains(QStringLiteral("GlobalSetup.UpdateTermijn\t0 -> 30"))) << history2.toStdString();

    const CommandLine line = CommandLine::parse({QStringLiteral("--office"), QStringLiteral("set"), QStringLiteral("X"),
                                                 QStringLiteral("1"), QStringLiteral("--data"), QStringLiteral("/tmp/k")});
    ASSERT_TRUE(line.admin.has_value());
    EXPECT_TRUE(line.admin->office);
    EXPECT_EQ(line.admin->arguments, (QStringList{QStringLiteral("X"), QStringLiteral("1")}));
    EXPECT_EQ(line.dataFolder, QStringLiteral("/tmp/k"));
    EXPECT_FALSE(CommandLine::parse({QStringLiteral("history"), QStringLiteral("--since"), QStringLiteral("gisteren")}).error.isEmpty());
    EXPECT_FALSE(CommandLine::parse({QStringLiteral("--office")}).error.isEmpty());
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
        found << p.title + QStringLiteral(": ") + p.message;
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(demo.SettingsObject().toMap(), setupBefore);
    EXPECT_EQ(demo.GlobalSetup().toMap(), globalBefore);
    EXPECT_FALSE(pages.pages().empty());
    EXPECT_EQ(pages.defaultOf(ChangeHistory::SetupObject, QStringLiteral("UpdateTermijn")).toInt(), 1);
    EXPECT_EQ(pages.defaultOf(ChangeHistory::SetupObject, QStringLiteral("ProxyAdres")).toString(), QString());
}
