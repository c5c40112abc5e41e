#include "framework/host/Connection.h"
#include "framework/host/Settings.h"
#include "framework/settings/HdnSettings.h"
#include "host/office/OfficeDatabase.h"
#include "pages/database_hdn/HdnMessageStore.h"
#include "pages/database_hdn/frmHDNBerichtenOpslag.h"
#include "pages/database_hdn/frmWijzigenHDNBerichtenOpslag.h"
#include "tests/support/PageTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

const QString Caption = u"Wijzigen HDN berichten opslag"_s;

struct HdnStorageDialogs : PageTest {
    void add(int id, const QString& date, const QString& text, const QString& name = QString())
    {
        h.app().officeDatabase().exec(u"INSERT INTO HDNBericht (Ber_Id, Ber_Cd, Ber_Dt, Ber_Om_Ascii, "
                                      "Ber_Om_Berichtnaam) VALUES (?, 'AX', ?, ?, ?)"_s,
                                      {id, date, text, name});
    }
    QString xml(int id) { return u"<AXBericht><Header/><Id>%1</Id><T>é</T></AXBericht>"_s.arg(id); }
    HdnStorageSettings& storage() { return h.globalSetup().get<HdnStorageSettings>(); }
    HdnMessageStore store() { return HdnMessageStore(h.app().connection(), false); }
    std::unique_ptr<frmWijzigenHDNBerichtenOpslag> open(int target)
    {
        auto dialog = std::make_unique<frmWijzigenHDNBerichtenOpslag>();
        dialog->setCd_HDNBerichtenOpslagActie(target);
        dialog->setApplication(h.app());
        return dialog;
    }
    QStringList texts()
    {
        QStringList shown;
        for (const auto& m : h.ui().messages())
            shown << m.text;
        return shown;
    }
    QTemporaryDir target;
};

QString confirmation(const QString& header, const QStringList& lines)
{
    QString text = header + " moeten eerst onderstaande zaken gecontroleerd worden:\r\n\r\n"
                            "- Maak vooraf een backup van de Adviezen-database;\r\n"
                            "- Alle gebruikers moeten uitgelogd zijn uit Quenmarix;\r\n"
                            "- Alle computers moeten de laatste versie van Quenmarix hebben;\r\n";
    for (const QString& line : lines)
        text += line + "\r\n";
    return text +
           "\r\nAfhankelijk van het huidig aantal HDN berichten kan dit enige tijd in beslag nemen.\r\n\r\nWilt u doorgaan?";
}

} // namespace

TEST_F(HdnStorageDialogs, DatabaseToFolderCountsMovesWithProgressAndSavesTheSetting)
{
    for (int id = 1; id <= 3; ++id)
        add(id, u"2021-03-0%1"_s.arg(id), xml(id));
    auto dialog = open(2);
    EXPECT_EQ(dialog->moveCode(), 1);
    EXPECT_EQ(dialog->aantalBerichten(), 3);
    EXPECT_FALSE(dialog->chkBestandenVerwijderen.visible());
    h.ui().chooseFolderNext(target.path());
    ASSERT_TRUE(dialog->cmdHDNBerichtenOpslagMap.click());
    const qint64 unit = frmWijzigenHDNBerichtenOpslag::AllocationUnit(target.path());
    ASSERT_GT(unit, 0);
    EXPECT_EQ(dialog->grootteOpSchijf(), 3 * unit);
    EXPECT_EQ(
        dialog->lblUitleg.caption(),
        "Bij het wijzigen van de opslag van Database naar Verkennermap zullen de HDN berichten in de onderstaande "
        "Verkennermap geplaatst worden en uit de database gehaald worden.\r\nEr zijn 3 berichten met een totale grootte van " +
            frmWijzigenHDNBerichtenOpslag::Convert_SizeToString(3 * unit) +
            " over te zetten. Kies een map die over voldoende beschikbare ruimte beschikt.");
    EXPECT_TRUE(dialog->lblAvailableSpace.caption().startsWith("Beschikbare ruimte: "));

    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::OK);
    ASSERT_TRUE(dialog->cmdActie.click());
    ASSERT_EQ(h.ui().messages().size(), 2u);
    EXPECT_EQ(h.ui().messages()[0].text,
              confirmation("Let op! Voor de overgang naar de opslag in een verkennermap",
                           {"- Gebruikers moeten lees-, schrijf- en verwijderrechten hebben op de opslagmap."}));
    EXPECT_EQ(h.ui().messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(h.ui().messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(h.ui().messages()[1].text, "Omzetten gereed!");
    EXPECT_EQ(h.ui().messages()[1].icon, MsgIcon::Information);
    EXPECT_EQ(dialog->lblVoortgang.caption(), "Bezig met HDN bericht 3 van 3");
    EXPECT_TRUE(dialog->lblVoortgang.visible());
    EXPECT_EQ(dialog->pgbProgress.value(), 100);
    EXPECT_EQ(dialog->pgbProgress.foreColor(), Colour(0x1005BB));
    EXPECT_FALSE(dialog->Geannuleerd());
    EXPECT_EQ(store().CountInDatabase(), 0);
    EXPECT_EQ(store().CountAsFiles(), 3);
    h.app().reloadSettings();
    EXPECT_EQ(storage().Cd_HDNBerichtenOpslag, 2) << "stored with SaveGlobalSetup";
    EXPECT_EQ(storage().HDNBerichtenOpslagMap.get(), QDir::toNativeSeparators(target.path()));
    EXPECT_TRUE(h.errors().empty());
}

TEST_F(HdnStorageDialogs, EmptyTableCountsZeroAndStillSetsTheStorage)
{
    auto dialog = open(2);
    EXPECT_EQ(dialog->aantalBerichten(), 0);
    EXPECT_TRUE(
        dialog->lblUitleg.caption().contains("Er zijn 0 berichten met een totale grootte van 0 B over te zetten."));
    dialog->txtHDNBerichtenOpslagMap.setText(target.path());
    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::OK);
    ASSERT_TRUE(dialog->cmdActie.click());
    EXPECT_EQ(texts().last(), "Omzetten gereed!");
    EXPECT_EQ(storage().Cd_HDNBerichtenOpslag, 2);
}

// Without rights nothing may move, nothing may be asked, and nothing may be reported done.
TEST_F(HdnStorageDialogs, MissingRightsStopBeforeAnyQuestionOrRow)
{
    add(1, u"2021-03-01"_s, xml(1));
    auto dialog = open(2);
    dialog->txtHDNBerichtenOpslagMap.setText(target.path() + "/bestaat-niet");
    h.ui().answerMessage(MsgResult::OK);
    ASSERT_TRUE(dialog->cmdActie.click());
    ASSERT_EQ(texts(), QStringList{"Er zijn niet voldoende rechten op de gekozen HDN berichten opslagmap."});
    EXPECT_EQ(h.ui().messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(store().CountInDatabase(), 1);
    EXPECT_EQ(storage().Cd_HDNBerichtenOpslag, 1);
    EXPECT_TRUE(storage().HDNBerichtenOpslagMap.get().isEmpty());
    EXPECT_TRUE(dialog->cmdActie.enabled());
    // The test file leaves nothing behind in a folder that works.
    EXPECT_TRUE(frmWijzigenHDNBerichtenOpslag::Check_DestinationFolderRights(target.path()));
    EXPECT_TRUE(QDir(target.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(HdnStorageDialogs, FailedMoveIsRolledBackIntoTheDatabase)
{
    // A first batch moves; a file where the year folder must go makes the last row fail.
    const int last = HdnMessageStore::BatchSize + 2;
    h.app().officeDatabase().transaction([&] {
        for (int id = 1; id < last; ++id)
            add(id, u"2020-05-01"_s, xml(id));
        add(last, u"2021-03-01"_s, xml(last));
    });
    QFile blocker(target.path() + "/2021");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto dialog = open(2);
    dialog->txtHDNBerichtenOpslagMap.setText(target.path());
    h.ui().answerMessage(MsgResult::Yes); // confirmation
    h.ui().answerMessage(MsgResult::Yes); // undo
    ASSERT_TRUE(dialog->cmdActie.click());
    ASSERT_EQ(h.ui().messages().size(), 2u);
    EXPECT_TRUE(h.ui().messages()[1].text.startsWith("Quenmarix kan proberen om de wijziging ongedaan te maken."));
    EXPECT_FALSE(texts().contains("Omzetten gereed!"));
    EXPECT_EQ(dialog->lblUitleg.caption(), "De verplaatste HDN berichten zullen worden teruggeplaatst in de database.");
    EXPECT_EQ(store().CountInDatabase(), last);
    EXPECT_EQ(store().CountAsFiles(), 0);
    EXPECT_TRUE(QDir(target.path() + "/2020/5").entryList(QDir::Files).isEmpty());
    auto rs = h.app().connection().OpenRecordset("SELECT * FROM HDNBericht ORDER BY Ber_Id");
    for (int id = 1; !rs->EOF_(); rs->MoveNext(), ++id)
        EXPECT_EQ(rs->text("Ber_Om_Ascii"), xml(id));
    EXPECT_EQ(storage().Cd_HDNBerichtenOpslag, 1);
    EXPECT_TRUE(storage().HDNBerichtenOpslagMap.get().isEmpty());
}

TEST_F(HdnStorageDialogs, FailedMoveLeftAsItIsKeepsEveryMessageFindable)
{
    const int last = HdnMessageStore::BatchSize + 1;
    h.app().officeDatabase().transaction([&] {
        for (int id = 1; id < last; ++id)
            add(id, u"2020-05-01"_s, xml(id));
        add(last, u"2021-03-01"_s, xml(last));
    });
    QFile blocker(target.path() + "/2021");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto dialog = open(2);
    dialog->txtHDNBerichtenOpslagMap.setText(target.path());
    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::No);
    ASSERT_TRUE(dialog->cmdActie.click());
    EXPECT_FALSE(texts().contains("Omzetten gereed!"));
    // The first batch are files now; the saved setting names their folder.
    h.app().reloadSettings();
    EXPECT_EQ(storage().HDNBerichtenOpslagMap.get(), QDir::toNativeSeparators(target.path()));
    EXPECT_EQ(storage().Cd_HDNBerichtenOpslag, 1);
    EXPECT_EQ(store().CountAsFiles(), HdnMessageStore::BatchSize);
    EXPECT_EQ(store().CountInDatabase(), 1);
}

TEST_F(HdnStorageDialogs, FolderToDatabaseDeletesMovedFilesAndTellsWhatStayed)
{
    QTemporaryDir current;
    for (int id = 1; id <= 3; ++id)
        add(id, u"2022-0%1-01"_s.arg(id), xml(id));
    ASSERT_TRUE(store().MoveDatabaseToFolder(current.path()).error.isEmpty());
    storage().Cd_HDNBerichtenOpslag = 2;
    storage().HDNBerichtenOpslagMap = current.path();
    auto rs = h.app().connection().OpenRecordset("SELECT * FROM HDNBericht WHERE Ber_Id = 2");
    ASSERT_TRUE(QFile::remove(current.path() + "/2022/2/" + rs->text("Ber_Om_Berichtnaam")));
    auto dialog = open(1);
    EXPECT_EQ(dialog->moveCode(), 2);
    EXPECT_TRUE(dialog->chkBestandenVerwijderen.visible());
    EXPECT_EQ(dialog->aantalBerichten(), 3);
    dialog->chkBestandenVerwijderen.setChecked(true);
    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::OK);
    ASSERT_TRUE(dialog->cmdActie.click());
    EXPECT_EQ(h.ui().messages()[0].text,
              confirmation("Let op! Voor de overgang naar de opslag in de database",
                           {"- U moet lees-, schrijf- en verwijderrechten hebben op de opslagmap."}));
    EXPECT_EQ(texts().last(), "Omzetten gereed!\r\n\r\n1 HDN bericht(en) konden niet worden overgezet: het bestand "
                              "ontbreekt of bevat geen XML.");
    EXPECT_EQ(store().CountInDatabase(), 2);
    EXPECT_EQ(store().CountAsFiles(), 1);
    EXPECT_TRUE(QDir(current.path() + "/2022/1").entryList(QDir::Files).isEmpty());
    EXPECT_EQ(storage().Cd_HDNBerichtenOpslag, 1);
}

TEST_F(HdnStorageDialogs, FolderToFolderNeedsAnotherFolderAndMovesAfterTheSwitch)
{
    QTemporaryDir current;
    add(1, u"2022-01-01"_s, xml(1));
    ASSERT_TRUE(store().MoveDatabaseToFolder(current.path()).error.isEmpty());
    storage().Cd_HDNBerichtenOpslag = 2;
    storage().HDNBerichtenOpslagMap = current.path();
    auto dialog = open(2);
    EXPECT_EQ(dialog->moveCode(), 3);
    // The same folder, spelled differently.
    dialog->txtHDNBerichtenOpslagMap.setText(current.path() + "/./2022/..");
    h.ui().answerMessage(MsgResult::OK);
    ASSERT_TRUE(dialog->cmdActie.click());
    EXPECT_EQ(texts(), QStringList{"U heeft nog geen nieuwe opslagmap geselecteerd."});
    dialog->txtHDNBerichtenOpslagMap.setText(target.path());
    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::OK);
    ASSERT_TRUE(dialog->cmdActie.click());
    EXPECT_EQ(texts().last(), "Omzetten gereed!");
    EXPECT_EQ(storage().HDNBerichtenOpslagMap.get(), QDir::toNativeSeparators(target.path()));
    EXPECT_TRUE(QDir(current.path() + "/2022/1").entryList(QDir::Files).isEmpty());
    EXPECT_EQ(QDir(target.path() + "/2022/1").entryList(QDir::Files).size(), 1);
}

TEST_F(HdnStorageDialogs, ChoiceDialogTextsAndNoMoveIntoTheSameDatabase)
{
    frmHDNBerichtenOpslag choice;
    choice.setApplication(h.app());
    EXPECT_EQ(choice.caption(), "HDN berichten opslag");
    EXPECT_EQ(choice.lblUitleg0.caption(), "De HDN berichten zijn in de adviezendatabase opgeslagen.");
    EXPECT_EQ(choice.optDatabase.caption(), "In adviezendatabase (huidige keuze)");
    EXPECT_TRUE(choice.optDatabase.value());
    EXPECT_FALSE(choice.cmdWijzigen.enabled()) << "messages in the database cannot move into the database";
    EXPECT_EQ(choice.cmdWijzigen.caption(), "Wijzigen van opslagmap naar database...");
    ASSERT_TRUE(choice.optMap.click());
    EXPECT_TRUE(choice.cmdWijzigen.enabled());
    EXPECT_EQ(choice.cmdWijzigen.caption(), "Wijzigen van database naar opslagmap...");
    h.ui().answerMessage(MsgResult::No);
    EXPECT_FALSE(choice.QueryUnload());
    EXPECT_EQ(texts().last(), "U heeft de wijziging nog niet doorgevoerd. Wilt u het scherm verlaten?");
    h.ui().answerMessage(MsgResult::OK);
    bool opened = false;
    h.ui().whenModal("frmWijzigenHDNBerichtenOpslag", [&](Form& form) {
        opened = true;
        EXPECT_EQ(dynamic_cast<frmWijzigenHDNBerichtenOpslag&>(form).moveCode(), 1);
        form.hide(); // closed without a move
    });
    ASSERT_TRUE(choice.cmdWijzigen.click());
    EXPECT_TRUE(opened);
    // Refilled: the current storage is chosen again.
    EXPECT_TRUE(choice.optDatabase.value());
    EXPECT_FALSE(choice.cmdWijzigen.enabled());

    storage().Cd_HDNBerichtenOpslag = 2;
    frmHDNBerichtenOpslag inFolder;
    inFolder.setApplication(h.app());
    EXPECT_EQ(inFolder.optMap.caption(), "In Verkenner-map (huidige keuze)");
    EXPECT_EQ(inFolder.cmdWijzigen.caption(), "Wijzigen opslagmap...");
    ASSERT_TRUE(inFolder.optDatabase.click());
    EXPECT_EQ(inFolder.cmdWijzigen.caption(), "Wijzigen van opslagmap naar database...");
}
