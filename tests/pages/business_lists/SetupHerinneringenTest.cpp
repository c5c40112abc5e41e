#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "framework/registry/Registry.h"
#include "framework/settings/HerinneringSettings.h"
#include "host/office/DemoOffice.h"
#include "host/office/OfficeDatabase.h"
#include "pages/business_lists/TaskCheck.h"
#include "tests/support/PageTest.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

struct SetupHerinneringenTest : PageTest {
    HerinneringSettings& s() { return h.setup().get<HerinneringSettings>(); }
    SettingsPage& open() { return h.open("SetupHerinneringen"); }
    TextBox& txt(const char* name) { return h.control<TextBox>(name); }
    ComboBox& cbo(const char* name) { return h.control<ComboBox>(name); }
    CheckBox& chk(const char* name, int index = -1) { return h.control<CheckBox>(name, index); }
    OfficeDatabase& db() { return h.app().officeDatabase(); }
    int count(const QString& sql)
    {
        QSqlQuery q = db().exec(sql);
        return q.next() ? q.value(0).toInt() : -1;
    }
    QString lastCheck()
    {
        return h.app().registry().GetTarveloSetting(Hive::HKEY_CURRENT_USER, u"LaatsteHerinnering"_s, false, QString());
    }
    void everyKindOn()
    {
        s().AutomatischTaken = true;
        s().TaakEinddatumProduct = true;
        s().TaakProductAantal = 3;
        s().TaakProductEenheid = HerinneringSettings::Maanden;
        s().TaakProducttypen = 4095;
        s().TaakEindeRvp = true;
        s().TaakRvpAantal = 6;
        s().TaakRvpEenheid = HerinneringSettings::Maanden;
        s().TaakGebeurtenissen = true;
        s().TaakGebeurtenisAantal = 8;
        s().TaakGebeurtenisEenheid = HerinneringSettings::Weken;
        s().TaakGebeurtenistypen = 7;
        s().TaakAbonnementen = true;
        s().TaakAbonnementAantal = 60;
        s().TaakAbonnementEenheid = HerinneringSettings::Dagen;
    }
};

} // namespace

// The page fills without writing back: every stored value is shown and the
// settings object is the same afterwards.
TEST_F(SetupHerinneringenTest, FillsSilently)
{
    everyKindOn();
    s().TaakEindeRvp = false;
    s().TaakProducttypen = 256 + 1;
    s().AfgehandeldAantal = 2;
    s().AfgehandeldEenheid = HerinneringSettings::Weken;
    const QVariantMap before = h.setup().toMap();
    auto& page = open();
    EXPECT_EQ(page.Titel(), "Portefeuille meldingen");
    EXPECT_EQ(h.setup().toMap(), before);
    EXPECT_TRUE(h.control<YesNo>("jnAutoTaak").isJa());
    EXPECT_EQ(txt("txtAfgehandeldTermijn").text(), "2");
    EXPECT_EQ(cbo("cboAfgehandeldTermijn").listCount(), 4);
    EXPECT_EQ(cbo("cboAfgehandeldTermijn").list(cbo("cboAfgehandeldTermijn").listIndex()), "We(e)k(en)");
    EXPECT_EQ(cbo("cboTaakProductTermijn").listCount(), 3) << "no \"Nooit\" for a kind";
    EXPECT_TRUE(chk("chkProducttype", 0).isChecked());
    EXPECT_TRUE(chk("chkProducttype", 11).isChecked());
    EXPECT_FALSE(chk("chkProducttype", 8).isChecked());
    EXPECT_FALSE(chk("chkEindeRvp").isChecked());
    EXPECT_FALSE(h.control<Frame>("fraTaakRvp").visible());
    EXPECT_TRUE(h.control<Frame>("fraProducttypen").visible());
    EXPECT_TRUE(h.errors().empty());
}

// The type boxes are one sum: 256 is "Overige producten", all twelve 4095.
TEST_F(SetupHerinneringenTest, ProductTypesAreStoredAsTheirBits)
{
    s().AutomatischTaken = true;
    s().TaakEinddatumProduct = true;
    s().TaakGebeurtenissen = true;
    open();
    chk("chkProducttype", 11).click();
    EXPECT_EQ(s().TaakProducttypen.get(), 256);
    for (int i = 0; i < 11; ++i)
        chk("chkProducttype", i).click();
    EXPECT_EQ(s().TaakProducttypen.get(), 4095);
    chk("chkProducttype", 8).click();
    EXPECT_EQ(s().TaakProducttypen.get(), 4095 - 512);
    chk("chkGebeurtenis", 2).click();
    EXPECT_EQ(s().TaakGebeurtenistypen.get(), 4);
}

// Switching automatic tasks off takes the kinds with it; on again ticks them.
TEST_F(SetupHerinneringenTest, AutomaticTasksOffClearsAndDisablesTheKinds)
{
    everyKindOn();
    open();
    ASSERT_TRUE(h.control<YesNo>("jnAutoTaak").choose(YesNo::Nee));
    EXPECT_FALSE(s().AutomatischTaken.get());
    for (const char* name : {"chkEinddatumProduct", "chkEindeRvp", "chkGebeurtenissen"}) {
        EXPECT_FALSE(chk(name).isChecked()) << name;
        EXPECT_FALSE(chk(name).enabled()) << name;
    }
    EXPECT_FALSE(s().TaakEinddatumProduct.get());
    EXPECT_FALSE(s().TaakEindeRvp.get());
    EXPECT_FALSE(s().TaakGebeurtenissen.get());
    EXPECT_TRUE(s().TaakAbonnementen.get()) << "the subscription kind follows its own setting";
    for (const char* frame :
         {"fraTaakAanmaken", "fraProducttypen", "fraTaakRvp", "fraTaakGebeurtenis", "fraGebeurtenistypen"})
        EXPECT_FALSE(h.control<Frame>(frame).visible()) << frame;
    EXPECT_FALSE(txt("txtAfgehandeldTermijn").enabled());
    ASSERT_TRUE(h.control<YesNo>("jnAutoTaak").choose(YesNo::Ja));
    EXPECT_TRUE(s().TaakEindeRvp.get());
    EXPECT_TRUE(h.control<Frame>("fraTaakRvp").visible());
}

// Life events are known a year ahead: 12 months, 52 weeks and 366 days pass,
// 13 months, 53 weeks and 367 days are refused.
TEST_F(SetupHerinneringenTest, LifeEventsAtMostAYearAhead)
{
    s().AutomatischTaken = true;
    s().TaakGebeurtenissen = true;
    s().TaakGebeurtenisAantal = 1;
    s().TaakGebeurtenisEenheid = HerinneringSettings::Weken;
    open();
    const QString message =
        u"U kunt bij de levensgebeurtenissen maximaal een jaar van tevoren een taak laten aanmaken."_s;
    struct Case {
        const char* unit;
        const char* count;
        bool accepted;
    } cases[] = {{"We(e)k(en)", "52", true}, {"We(e)k(en)", "53", false}, {"Maand(en)", "12", true},
                 {"Maand(en)", "13", false}, {"Dag(en)", "366", true},    {"Dag(en)", "367", false},
                 {"Dag(en)", "400", false}};
    std::size_t shown = 0;
    for (const Case& c : cases) {
        ASSERT_TRUE(cbo("cboTaakGebeurtenis").choose(QString::fromLatin1(c.unit)));
        const qint16 before = s().TaakGebeurtenisAantal;
        txt("txtTaakGebeurtenis").type(QString::fromLatin1(c.count));
        if (!c.accepted)
            h.ui().answerMessage(MsgResult::OK);
        EXPECT_EQ(txt("txtTaakGebeurtenis").leave(), c.accepted) << c.count << c.unit;
        EXPECT_EQ(s().TaakGebeurtenisAantal.get(), c.accepted ? QString::fromLatin1(c.count).toShort() : before);
        if (!c.accepted) {
            ASSERT_EQ(h.ui().messages().size(), ++shown);
            EXPECT_EQ(h.ui().messages().back().text, message);
            EXPECT_EQ(h.ui().messages().back().icon, MsgIcon::Information);
            EXPECT_EQ(h.ui().messages().back().caption, "Portefeuille meldingen");
        }
    }
    EXPECT_EQ(h.ui().messages().size(), 4u);
}

// A completion unit needs a count; "Nooit" needs none.
TEST_F(SetupHerinneringenTest, CompletionPeriodNeedsACountUnlessNever)
{
    s().AutomatischTaken = true;
    open();
    ASSERT_TRUE(cbo("cboAfgehandeldTermijn").choose(u"Nooit"_s));
    EXPECT_FALSE(txt("txtAfgehandeldTermijn").visible());
    bool cancel = false;
    h.page().Validation(cancel, 0);
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(h.ui().messages().empty());

    h.ui().answerMessage(MsgResult::OK);
    ASSERT_TRUE(cbo("cboAfgehandeldTermijn").choose(u"Dag(en)"_s));
    EXPECT_TRUE(txt("txtAfgehandeldTermijn").visible());
    EXPECT_EQ(s().AfgehandeldEenheid.get(), HerinneringSettings::Dagen);
    ASSERT_EQ(h.ui().messages().size(), 1u);
    EXPECT_EQ(h.ui().messages().back().text,
              "Voer a.u.b. een aantal Dag(en) in waarna de taken op afgehandeld moet worden gezet.");
    EXPECT_EQ(h.ui().messages().back().icon, MsgIcon::Information);
    txt("txtAfgehandeldTermijn").type(u"14"_s);
    EXPECT_TRUE(txt("txtAfgehandeldTermijn").leave());
    EXPECT_EQ(s().AfgehandeldAantal.get(), 14);
    cancel = false;
    h.page().Validation(cancel, 0);
    EXPECT_FALSE(cancel);

    // A count beyond what the setting holds is the page's error; the count stays.
    txt("txtAfgehandeldTermijn").type(u"40000"_s);
    txt("txtAfgehandeldTermijn").leave();
    EXPECT_EQ(s().AfgehandeldAantal.get(), 14);
    EXPECT_EQ(txt("txtAfgehandeldTermijn").text(), "14");
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_EQ(h.errors().front().ProcedureName, "txtAfgehandeldTermijn_Validation");
    EXPECT_EQ(h.errors().front().Context, "Instellingen Portefeuille meldingen");
}

// "Nu uitvoeren" makes the tasks of the demo office's advices 'In beheer'
// only, once; with "Nooit" nothing is closed; the day is remembered.
TEST_F(SetupHerinneringenTest, RunNowMakesTasksInTheDemoOffice)
{
    DemoOffice::create(db(), u"demo"_s, h.folder());
    h.app().setSysteemDatum(QDate::currentDate());
    everyKindOn();
    s().AfgehandeldEenheid = HerinneringSettings::Nooit;
    db().exec(u"INSERT INTO Taak (Sleutel, AdviesID, Soort, Omschrijving, Gebeurtenisdatum, Aangemaakt, "
              "Afgehandeld) VALUES ('oud', 'A00001', 'Verjaardag', 'lang geleden', '2001-01-01', "
              "'2000-12-01', 0)"_s);
    open();
    auto& button = h.control<CommandButton>("cmdTakenAanmaken");
    EXPECT_EQ(button.caption(), "&Nu uitvoeren...");
    button.click();
    EXPECT_TRUE(h.errors().empty());
    const int made = count(u"SELECT COUNT(*) FROM Taak"_s) - 1;
    EXPECT_GT(made, 5);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM Taak t INNER JOIN Advies a ON a.ID = t.AdviesID "
                    "WHERE a.Status <> 'In beheer'"_s),
              0);
    for (const char* soort : {"Einddatum product", "Einde rentevastperiode", "Verjaardag", "Controlemoment abonnement"})
        EXPECT_GT(count(u"SELECT COUNT(*) FROM Taak WHERE Soort = '%1'"_s.arg(QString::fromLatin1(soort))), 0) << soort;
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM Taak WHERE Afgehandeld = 1"_s), 0) << "Nooit closes nothing";
    EXPECT_EQ(lastCheck(), QDate::currentDate().toString(u"yyyy-MM-dd"_s));
    EXPECT_TRUE(button.enabled());
    EXPECT_EQ(h.ui().mousePointer(), MousePointer::Default);

    button.click();
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM Taak"_s) - 1, made) << "a task is made once";

    // With a completion period, the lapsed task is closed.
    h.ui().answerMessage(MsgResult::OK); // the count is still 0
    ASSERT_TRUE(cbo("cboAfgehandeldTermijn").choose(u"Maand(en)"_s));
    txt("txtAfgehandeldTermijn").type(u"1"_s);
    txt("txtAfgehandeldTermijn").leave();
    button.click();
    EXPECT_EQ(count(u"SELECT Afgehandeld FROM Taak WHERE Sleutel = 'oud'"_s), 1);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM Taak WHERE Afgehandeld = 1"_s), 1);
}

// A failing run is reported, and the button and pointer come back all the same.
TEST_F(SetupHerinneringenTest, FailedRunGivesTheButtonBack)
{
    everyKindOn();
    db().exec(u"DROP TABLE AdviesProduct"_s);
    open();
    auto& button = h.control<CommandButton>("cmdTakenAanmaken");
    button.click();
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_EQ(h.errors().front().ProcedureName, "cmdTakenAanmaken_Click");
    EXPECT_TRUE(button.enabled());
    EXPECT_EQ(h.ui().mousePointer(), MousePointer::Default);
    EXPECT_TRUE(lastCheck().isEmpty()) << "a failed check is not remembered";
}

// At start-up the check runs once a day, and only when the office makes tasks automatically.
TEST_F(SetupHerinneringenTest, DailyCheckAtStartUpRunsOnceADay)
{
    DemoOffice::create(db(), u"demo"_s, h.folder());
    h.app().setSysteemDatum(QDate(2026, 12, 7));
    everyKindOn();
    s().AutomatischTaken = false;
    EXPECT_FALSE(TaskCheck::runDaily(h.app(), h.app(), h.setup()));
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM Taak"_s), 0);
    EXPECT_TRUE(lastCheck().isEmpty());

    s().AutomatischTaken = true;
    h.app().registry().SaveTarveloSetting(Hive::HKEY_CURRENT_USER, u"LaatsteHerinnering"_s, "2026-12-06");
    EXPECT_TRUE(TaskCheck::runDaily(h.app(), h.app(), h.setup()));
    EXPECT_GT(count(u"SELECT COUNT(*) FROM Taak"_s), 0);
    EXPECT_EQ(lastCheck(), "2026-12-07");
    db().exec(u"DELETE FROM Taak"_s);
    EXPECT_FALSE(TaskCheck::runDaily(h.app(), h.app(), h.setup())) << "once a day";
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM Taak"_s), 0);
}
