#include "framework/host/Settings.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/CalculationSettings.h"
#include "framework/settings/HerinneringSettings.h"
#include "framework/settings/NotarisSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/TariefSettings.h"
#include "framework/settings/UpdateSettings.h"
#include "framework/ui/ScriptedUi.h"
#include "host/PageHost.h"
#include "host/ReferenceApplication.h"
#include "host/admin/AdminCommands.h"
#include "host/admin/AdministratorLocks.h"
#include "host/admin/PageInspector.h"
#include "host/admin/SettingCatalogue.h"
#include "host/office/ChangeHistory.h"
#include "host/office/OfficeDatabase.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tarvelo;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

class SettingWordsTest : public ::testing::Test {
protected:
    SettingWordsTest()
    {
        ui.onUnexpected = [](const QString& what) { ADD_FAILURE() << "onverwacht: " << what.toStdString(); };
        demo = std::make_unique<ReferenceApplication>(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    }
    SettingCatalogue& catalogue()
    {
        if (!catalogue_) {
            inspector_ = std::make_unique<PageInspector>(*demo);
            catalogue_ = std::make_unique<SettingCatalogue>(*inspector_, demo->userSetup());
        }
        return *catalogue_;
    }
    QString shown(const QString& name, const QVariant& value)
    {
        return shownValue(catalogue().find(ChangeHistory::SetupObject, name), value);
    }
    AdminResult command(const QStringList& words, bool office = false)
    {
        AdminRequest request;
        request.command = words.value(0);
        for (const QString& w : words.mid(1)) {
            if (w == u"--namen"_s)
                request.codeNames = true;
            else if (w == u"--toon"_s)
                request.shownText = true;
            else if (w == u"--toch"_s)
                request.anyway = true;
            else if (w.startsWith(u"--terugdraaien="_s))
                request.revert = w.mid(15).toInt();
            else
                request.arguments << w;
        }
        request.office = office;
        return AdminCommands::run(*demo, request, [] { return std::optional<QString>(); });
    }
    QStringList historyLine(int n, bool codeNames = false)
    {
        const AdminResult r = command(codeNames ? QStringList{u"history"_s, u"--namen"_s} : QStringList{u"history"_s});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return r.out.split(u'\n').value(n - 1).split(u'\t');
    }

    QTemporaryDir dir;
    ScriptedUi ui;
    std::unique_ptr<ReferenceApplication> demo;
    std::unique_ptr<PageInspector> inspector_;
    std::unique_ptr<SettingCatalogue> catalogue_;
};

} // namespace

// Catches a setting that an administrator would only know by its code name: every
// declared setting has a Dutch caption and a registered page, captions that two
// settings would share carry their frame, and no two settings read the same.
TEST_F(SettingWordsTest, EveryDeclaredSettingHasACaptionAndAPage)
{
    EXPECT_EQ(catalogue().missing(), QStringList());
    QHash<QString, QString> seen;
    for (const SettingPresentation& p : catalogue().all()) {
        EXPECT_NE(demo->pageRegistry().find(p.page), nullptr) << p.name.toStdString() << " -> " << p.page.toStdString();
        EXPECT_FALSE(p.caption.contains(u'&')) << p.caption.toStdString();
        const QString key = p.caption.toLower();
        EXPECT_FALSE(seen.contains(key)) << p.caption.toStdString() << ": " << p.name.toStdString() << " en "
                                         << seen.value(key).toStdString();
        seen.insert(key, p.name);
    }
    const auto caption = [this](const char* name) {
        return catalogue().find(u"Setup"_s, QString::fromLatin1(name)).caption;
    };
    EXPECT_EQ(caption("ProxyGebruikersnaam"), u"Proxyserver: Gebruikersnaam"_s);
    EXPECT_EQ(caption("ProxyAdres"), u"Proxyserveradres"_s);
    EXPECT_EQ(caption("ProxyGebruiken"), u"Proxy-instellingen gebruiken"_s);
    EXPECT_EQ(caption("UpdateTermijn"), u"Zoeken naar updates"_s);
    EXPECT_EQ(caption("AdvieskostenMethode1"), u"Overige bemiddelingsvergoeding"_s);
    EXPECT_EQ(caption("Huurstijging"), u"Huurstijging"_s);
    EXPECT_EQ(caption("Notarissen"), u"Notariskantoren"_s);
    EXPECT_EQ(catalogue().find(u"Setup"_s, u"UpdateTermijn"_s).page, u"SetupProxy"_s);
    EXPECT_EQ(catalogue().find(u"Setup"_s, u"AdvieskostenMethode1"_s).page, u"SetupTarief"_s);
    // A name this version does not know reads as itself, without a page.
    EXPECT_EQ(catalogue().find(u"Setup"_s, u"OudeInstelling"_s).caption, u"OudeInstelling"_s);
    EXPECT_TRUE(catalogue().find(u"Setup"_s, u"OudeInstelling"_s).page.isEmpty());
}

// Catches values shown as they are stored ("0 -> 4095", "false"): each kind
// of setting reads as its control shows it, and a secret never shows.
TEST_F(SettingWordsTest, ValuesReadAsTheScreenShowsThem)
{
    struct Case {
        const char* name;
        QVariant value;
        QString expected;
    };
    const Case cases[] = {
        {"UpdateTermijn", 7, u"Wekelijks"_s},
        {"AutoDownload", true, u"Ja"_s},
        {"AutoDownload", false, u"Nee"_s},
        {"AdvieskostenMethode1", 2, u"Per uur"_s},
        {"AdvieskostenBedrag1", 1250.5, u"1.250,50"_s},
        {"Huurstijging", 2.5, u"2,5%"_s},
        {"VolgendeUpdate", QDate(2027, 1, 31), u"31-01-2027"_s},
        {"Heffingskortingen", (1 << 8) | (1 << 5), u"Ouderenkorting, Kindgebonden budget"_s},
        {"ProxyWachtwoord", u"Geheim!123"_s, u"(gewijzigd)"_s},
        {"ProxyAdres", QString(), u"(leeg)"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shown(QString::fromLatin1(c.name), c.value), c.expected) << c.name;
    const QString allTypes = shown(u"TaakProducttypen"_s, 4095);
    EXPECT_EQ(allTypes.count(u", "_s), 11) << allTypes.toStdString();

    // A record list reads as its number of records and what changed in it.
    Settings before;
    before.get<NotarisSettings>().AddNotaris().Naam = u"Notaris Aalders"_s;
    before.get<NotarisSettings>().AddNotaris().Naam = u"Notaris Bakker"_s;
    Settings after;
    after.fromMap(before.toMap());
    after.get<NotarisSettings>().Notaris(2)->Woonplaats = u"Zwolle"_s;
    after.get<NotarisSettings>().AddNotaris().Naam = u"Notariskantoor De Brug"_s;
    const SettingPresentation notaries = catalogue().find(u"Setup"_s, u"Notarissen"_s);
    const auto [old, now] =
        shownChange(notaries, before.value(u"Notarissen"_s).toString(), after.value(u"Notarissen"_s).toString());
    EXPECT_EQ(old, u"2 notariskantoren"_s);
    EXPECT_EQ(now, u"3 notariskantoren (toegevoegd: Notariskantoor De Brug; gewijzigd: Notaris Bakker)"_s);
}

// Catches a command line that speaks in code names or files its changes under
// "Opdrachtregel": the history is numbered newest first in the screen's words
// under the page that shows the setting; --namen and get --toon give the
// other side; a change is taken back by its number, a newer change only with
// --toch, a lock or a setting that no longer exists refuses it, and the
// take-back is itself recorded.
TEST_F(SettingWordsTest, CommandLineHistoryNamesAndTakesBackChanges)
{
    ASSERT_EQ(command({u"set"_s, u"AdvieskostenMethode1"_s, u"2"_s}).status, 0);
    QStringList line = historyLine(1);
    ASSERT_EQ(line.size(), 7) << line.join(u'|').toStdString();
    EXPECT_EQ(line[0], u"1"_s);
    EXPECT_EQ(line[3], u"Tarieven"_s);
    EXPECT_EQ(line[4], u"Overige bemiddelingsvergoeding"_s);
    EXPECT_EQ(line[5], u"Vast bedrag -> Per uur"_s);
    EXPECT_EQ(line[6], u"opdrachtregel"_s);
    line = historyLine(1, true);
    EXPECT_EQ(line[4], u"Setup.AdvieskostenMethode1"_s);
    EXPECT_EQ(line[5], u"1 -> 2"_s);
    EXPECT_EQ(demo->changeHistory().front().page, u"SetupTarief"_s);
    EXPECT_EQ(demo->changeHistory().front().how, u"opdrachtregel"_s);
    EXPECT_EQ(command({u"get"_s, u"AdvieskostenMethode1"_s}).out, u"2\n"_s);
    EXPECT_EQ(command({u"get"_s, u"AdvieskostenMethode1"_s, u"--toon"_s}).out, u"Per uur\n"_s);
    EXPECT_EQ(command({u"get"_s, u"AdvieskostenMethode1"_s, u"--namen"_s}).status, 2);

    // Taken back by its number, and recorded as such.
    AdminResult r = command({u"history"_s, u"--terugdraaien=1"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(demo->userSetup().get<TariefSettings>().AdvieskostenMethode1.get(), 1);
    EXPECT_EQ(demo->changeHistory().front().how, u"opdrachtregel: terugdraaien"_s);
    EXPECT_EQ(historyLine(1)[5], u"Per uur -> Vast bedrag"_s);

    // Changed again since: refused unless --toch, naming the newer value.
    ASSERT_EQ(command({u"set"_s, u"UpdateTermijn"_s, u"7"_s}).status, 0);
    ASSERT_EQ(command({u"set"_s, u"UpdateTermijn"_s, u"30"_s}).status, 0);
    r = command({u"history"_s, u"--terugdraaien=2"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"de waarde is nu Maandelijks"_s)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"--toch"_s)) << r.err.toStdString();
    EXPECT_EQ(demo->userSetup().get<UpdateSettings>().UpdateTermijn.get(), 30);
    r = command({u"history"_s, u"--terugdraaien=2"_s, u"--toch"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(demo->userSetup().get<UpdateSettings>().UpdateTermijn.get(), 1);

    // A lock refuses it and changes nothing.
    ASSERT_EQ(command({u"set"_s, u"AutoDownload"_s, u"true"_s}).status, 0);
    ASSERT_TRUE(AdministratorLocks::store(demo->registry(), ChangeHistory::SetupObject, u"AutoDownload"_s, true));
    demo->applyAdministratorLocks();
    const std::size_t entries = demo->changeHistory().size();
    r = command({u"history"_s, u"--terugdraaien=1"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(SettingsObject::lockedMessage())) << r.err.toStdString();
    EXPECT_TRUE(demo->userSetup().get<UpdateSettings>().AutoDownload.get());
    EXPECT_EQ(demo->changeHistory().size(), entries);

    // A line of a setting this version does not know shows its code name and stays.
    demo->officeDatabase().exec(
        u"INSERT INTO InstellingWijziging (Tijdstip, AdviseurCode, AdviseurNaam, Object, Instelling, OudeWaarde, "
        "NieuweWaarde, Geheim, Pagina) VALUES ('2999-01-01T00:00:00.000Z', '', 'Oud', 'Setup', 'OudeInstelling', "
        "'1', '2', 0, 'Opdrachtregel')"_s);
    EXPECT_EQ(historyLine(1)[4], u"OudeInstelling"_s);
    r = command({u"history"_s, u"--terugdraaien=1"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"bestaat niet meer"_s)) << r.err.toStdString();
    r = command({u"history"_s, u"--terugdraaien=999"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"Er is geen regel 999"_s)) << r.err.toStdString();
}

// Catches a command line that only takes stored values: the screen's words
// set a setting as the stored value would, and a word the screen does not
// show is refused naming the words it does, with nothing changed. Two pages
// that share a title are named in the history as the page list names them.
TEST_F(SettingWordsTest, CommandLineTakesTheScreensWords)
{
    EXPECT_EQ(command({u"set"_s, u"ProxyGebruiken"_s, u"Ja"_s}).status, 0);
    EXPECT_TRUE(demo->userSetup().get<ProxySettings>().ProxyGebruiken.get());
    EXPECT_EQ(command({u"set"_s, u"UpdateTermijn"_s, u"maandelijks"_s}).status, 0);
    EXPECT_EQ(demo->userSetup().get<UpdateSettings>().UpdateTermijn.get(), 30);
    EXPECT_EQ(historyLine(1)[3], u"Updates, opslaan en proxy"_s);
    const std::size_t entries = demo->changeHistory().size();
    AdminResult r = command({u"set"_s, u"UpdateTermijn"_s, u"elk uur"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"'elk uur'"_s) && r.err.contains(u"Dagelijks, Wekelijks"_s)) << r.err.toStdString();
    r = command({u"set"_s, u"ProxyGebruiken"_s, u"misschien"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"Ja of Nee"_s)) << r.err.toStdString();
    EXPECT_EQ(demo->userSetup().get<UpdateSettings>().UpdateTermijn.get(), 30);
    EXPECT_TRUE(demo->userSetup().get<ProxySettings>().ProxyGebruiken.get());
    EXPECT_EQ(demo->changeHistory().size(), entries);
}

// Catches a page that writes over a declared default when it is opened (a fresh
// office then shows changed markers): opening every registered page of a fresh
// office, and the check before saving, write nothing and mark nothing.
TEST(FreshOfficeTest, OpeningEveryPageWritesNothingAndMarksNothing)
{
    for (const ReferenceApplication::NewOffice kind :
         {ReferenceApplication::NewOffice::Empty, ReferenceApplication::NewOffice::Demo}) {
        QTemporaryDir dir;
        ScriptedUi ui;
        ui.onUnexpected = [](const QString&) {};
        ReferenceApplication office(ui, dir.path(), QString(), kind);
        const QVariantMap setup = office.userSetup().toMap();
        const QVariantMap global = office.officeSetup().toMap();
        const auto compare = [&](const QString& when) {
            for (const auto& [before, now] :
                 {std::pair{&setup, office.userSetup().toMap()}, std::pair{&global, office.officeSetup().toMap()}}) {
                for (auto it = now.begin(); it != now.end(); ++it) {
                    // Not a default: the HDN page takes the number of the demo office's
                    // own HDN client when the office has none yet.
                    if (kind == ReferenceApplication::NewOffice::Demo && it.key() == u"HDNNummer"_s)
                        continue;
                    EXPECT_EQ(before->value(it.key()), it.value())
                        << when.toStdString() << ": " << it.key().toStdString();
                }
            }
        };
        for (const PageInfo& info : std::as_const(office).pageRegistry().pages()) {
            std::unique_ptr<SettingsPage> page = openPage(std::as_const(office).pageRegistry(), info.className, office);
            ASSERT_NE(page, nullptr) << info.className.toStdString();
            compare(info.className);
            if (kind == ReferenceApplication::NewOffice::Empty) {
                for (const auto& binding : page->settingBindings().all())
                    EXPECT_NE(binding->control().settingMarker(), SettingMarker::ChangedFromDefault)
                        << info.className.toStdString() << ": " << binding->boundSetting().name().toStdString();
            }
            page->Terminate();
            compare(info.className + u" (Terminate)"_s);
        }
        PageInspector pages(office);
        pages.check();
        compare(u"de controle voor het opslaan"_s);
    }
}
