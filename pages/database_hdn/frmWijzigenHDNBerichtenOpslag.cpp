#include "pages/database_hdn/frmWijzigenHDNBerichtenOpslag.h"

#include "framework/errors/RuntimeError.h"
#include "framework/forms/Frame.h"
#include "framework/host/Application.h"
#include "framework/host/Database.h"
#include "framework/host/Settings.h"
#include "framework/settings/HdnSettings.h"
#include "framework/ui/Ui.h"
#include "framework/util/FolderRoutines.h"
#include "pages/database_hdn/SetupDatabase.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QUuid>

namespace tarvelo {

namespace {
constexpr int Margin = 120;
constexpr int InnerWidth = 7200;
constexpr int ButtonHeight = 375;
const QString CrLf = QStringLiteral("\r\n");
// The bar's colour while messages move: RGB(187, 5, 16) as a BGR value.
constexpr Colour ProgressColour = 0x1005BB;
} // namespace

frmWijzigenHDNBerichtenOpslag::frmWijzigenHDNBerichtenOpslag()
    : Dialog(QStringLiteral("frmWijzigenHDNBerichtenOpslag"), QStringLiteral("Instellingen - HDN berichten opslag")),
      lblUitleg(add<Label>(QStringLiteral("lblUitleg"))),
      txtHDNBerichtenOpslagMap(add<TextBox>(QStringLiteral("txtHDNBerichtenOpslagMap"))),
      cmdHDNBerichtenOpslagMap(add<CommandButton>(QStringLiteral("cmdHDNBerichtenOpslagMap"))),
      lblAvailableSpace(add<Label>(QStringLiteral("lblAvailableSpace"))),
      chkBestandenVerwijderen(add<CheckBox>(QStringLiteral("chkBestandenVerwijderen"))),
      pgbProgress(add<ProgressBar>(QStringLiteral("pgbProgress"), &add<Frame>(QStringLiteral("fraVoortgang")))),
      lblVoortgang(add<Label>(QStringLiteral("lblVoortgang"), &get<Frame>(QStringLiteral("fraVoortgang")))),
      cmdActie(add<CommandButton>(QStringLiteral("cmdActie")))
{
    setCaption(QStringLiteral("Wijzigen HDN berichten opslag"));
    lblUitleg.setWordWrap(true);
    lblUitleg.setBounds(Margin, Margin, InnerWidth, 1215);
    auto& lblMap = add<Label>(QStringLiteral("lblHDNBerichtenOpslagMap"));
    lblMap.setCaption(QStringLiteral("HDN Berichten opslag map"));
    int top = lblUitleg.bottom() + Margin;
    lblMap.setBounds(Margin, top, InnerWidth, 255);
    top = lblMap.bottom() + 30;
    txtHDNBerichtenOpslagMap.setBounds(Margin, top, InnerWidth - 420, 315);
    cmdHDNBerichtenOpslagMap.setCaption(QStringLiteral("..."));
    cmdHDNBerichtenOpslagMap.setBounds(Margin + InnerWidth - 375, top, 375, 315);
    top = txtHDNBerichtenOpslagMap.bottom() + 60;
    lblAvailableSpace.setBounds(Margin, top, InnerWidth, 255);
    top = lblAvailableSpace.bottom() + 60;
    chkBestandenVerwijderen.setCaption(QStringLiteral("HDN Berichten uit map verwijderen"));
    chkBestandenVerwijderen.setBounds(Margin, top, InnerWidth, 255);
    top = chkBestandenVerwijderen.bottom() + Margin;
    auto& fraVoortgang = get<Frame>(QStringLiteral("fraVoortgang"));
    fraVoortgang.setCaption(QStringLiteral("Voortgang"));
    fraVoortgang.setBounds(Margin, top, InnerWidth, 1005);
    pgbProgress.setBounds(Margin, 300, InnerWidth - 2 * Margin, 255);
    pgbProgress.setForeColor(ProgressColour);
    lblVoortgang.setBounds(Margin, 630, InnerWidth - 2 * Margin, 255);
    lblVoortgang.setVisible(false);
    top = fraVoortgang.bottom() + Margin;
    cmdActie.setCaption(QStringLiteral("&Nu uitvoeren..."));
    cmdActie.setBounds(Margin + InnerWidth - 1800, top, 1800, ButtonHeight);
    const int height = cmdActie.bottom() + Margin;
    setBorderHeight(TitleBarHeight);
    setBounds(0, 0, InnerWidth + 2 * Margin, height + TitleBarHeight);

    cmdHDNBerichtenOpslagMap.Click.connect([this] { cmdHDNBerichtenOpslagMap_Click(); });
    cmdActie.Click.connect([this] { cmdActie_Click(); });
}

void frmWijzigenHDNBerichtenOpslag::setApplication(Application& application)
{
    Dialog::setApplication(application);
    Fill_Control();
}

HdnStorageSettings& frmWijzigenHDNBerichtenOpslag::storage() { return host()->GlobalSetup().get<HdnStorageSettings>(); }

HdnMessageStore frmWijzigenHDNBerichtenOpslag::store()
{
    Database* database = GetDatabase(*host());
    if (!database)
        throw RuntimeError::objectRequired();
    return HdnMessageStore(database->connection(), host()->DatabaseProvider() == QLatin1String("MSSQL"));
}

void frmWijzigenHDNBerichtenOpslag::saveGlobalSetup()
{
    Database* database = GetDatabase(*host());
    if (!database)
        throw RuntimeError::objectRequired();
    database->SaveGlobalSetup(host()->GlobalSetup());
}

QString frmWijzigenHDNBerichtenOpslag::chosenFolder() const
{
    QString folder = QDir::fromNativeSeparators(txtHDNBerichtenOpslagMap.text().trimmed());
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

qint64 frmWijzigenHDNBerichtenOpslag::AllocationUnit(const QString& folder)
{
    if (folder.isEmpty() || !QDir(folder).exists())
        return 0;
    const QStorageInfo info(folder);
    return info.isValid() ? qMax(0, info.blockSize()) : 0;
}

QString frmWijzigenHDNBerichtenOpslag::Convert_SizeToString(qint64 bytes) { return SetupDatabase::Get_Om_Bestandsgrootte(bytes); }

void frmWijzigenHDNBerichtenOpslag::Fill_Control()
{
    guarded([this] {
        if (!host() || (Cd_HDNBerichtenOpslagActie != 1 && Cd_HDNBerichtenOpslagActie != 2)) {
            ui().msgBox(QStringLiteral("Zet eerst de property 'Application' en de property 'Cd_HDNBerichtenOpslagActie'."),
                        MsgButtons::OK, MsgIcon::Exclamation, caption());
            return;
        }
        ui().setMousePointer(MousePointer::Hourglass);
        struct Restore {
            Ui& ui;
            ~Restore() { ui.setMousePointer(MousePointer::Default); }
        } restore{ui()};
        HdnStorageSettings& s = storage();
        huidigeOpslag_ = s.Cd_HDNBerichtenOpslag == 2 ? 2 : 1;
        huidigeMap_ = QDir::fromNativeSeparators(s.HDNBerichtenOpslagMap.get());
        if (huidigeOpslag_ == 1)
            moveCode_ = Cd_HDNBerichtenOpslagActie == 2 ? 1 : 0;
        else
            moveCode_ = Cd_HDNBerichtenOpslagActie == 1 ? 2 : 3;
        chkBestandenVerwijderen.setVisible(Cd_HDNBerichtenOpslagActie == 1);
        txtHDNBerichtenOpslagMap.setText(QDir::toNativeSeparators(huidigeMap_));
        HdnMessageStore messages = store();
        aantal_ = moveCode_ == 1 || moveCode_ == 0 ? messages.CountInDatabase() : messages.CountAsFiles();
        if (moveCode_ == 1)
            grootte_ = messages.SizeOnDisk(AllocationUnit(huidigeMap_));
        Show_Explanation();
        vrij_ = 0;
        lblAvailableSpace.setCaption(QString());
        if (!huidigeMap_.isEmpty() && QDir(huidigeMap_).exists())
            Show_AvailableSpace(huidigeMap_);
        // Nothing to move from the database into the database.
        cmdActie.setEnabled(moveCode_ != 0);
    });
}

void frmWijzigenHDNBerichtenOpslag::Show_Explanation()
{
    switch (moveCode_) {
    case 2:
        lblUitleg.setCaption(QStringLiteral("Bij het wijzigen van de opslag van Verkennermap naar Database zullen de HDN berichten in de ") +
                             QStringLiteral("database geplaatst worden. U kunt hieronder aangeven of de bestanden hierbij uit de map verwijderd dienen te worden."));
        break;
    case 1:
        lblUitleg.setCaption(QStringLiteral("Bij het wijzigen van de opslag van Database naar Verkennermap zullen de HDN berichten in de ") +
                             QStringLiteral("onderstaande Verkennermap geplaatst worden en uit de database gehaald worden.") + CrLf +
                             QStringLiteral("Er zijn ") + QString::number(aantal_) +
                             QStringLiteral(" berichten met een totale grootte van ") + Convert_SizeToString(grootte_) +
                             QStringLiteral(" over te zetten. Kies een map die over voldoende beschikbare ruimte beschikt."));
        break;
    case 3:
        lblUitleg.setCaption(QStringLiteral("Hieronder kunt u de nieuwe maplocatie instellen. De HDN berichten zullen worden overgezet uit de huidige Verkennermap ") +
                             QStringLiteral("naar de nieuwe Verkennermap."));
        break;
    default:
        lblUitleg.setCaption(QStringLiteral("De HDN berichten zijn al in de adviezendatabase opgeslagen."));
        break;
    }
}

void frmWijzigenHDNBerichtenOpslag::Show_AvailableSpace(const QString& folder)
{
    const QStorageInfo info(folder);
    vrij_ = info.isValid() ? info.bytesAvailable() : 0;
    lblAvailableSpace.setCaption(QStringLiteral("Beschikbare ruimte: ") + Convert_SizeToString(vrij_));
}

void frmWijzigenHDNBerichtenOpslag::cmdHDNBerichtenOpslagMap_Click()
{
    guarded([this] {
        const QString chosen = BrowseForFolder(ui(), txtHDNBerichtenOpslagMap.text(),
                                               QStringLiteral("Selecteer de folder waar u de HDN berichten wilt opslaan"));
        if (chosen.isEmpty())
            return;
        txtHDNBerichtenOpslagMap.setText(chosen);
        Show_AvailableSpace(chosenFolder());
        // The messages take whole allocation units of the chosen folder's file system.
        if (moveCode_ == 1) {
            grootte_ = store().SizeOnDisk(AllocationUnit(chosenFolder()));
            Show_Explanation();
        }
    });
}

bool frmWijzigenHDNBerichtenOpslag::Check_DestinationFolderRights(const QString& folder)
{
    if (folder.isEmpty() || !QDir(folder).exists())
        return false;
    QFile test(QDir(folder).filePath(QStringLiteral("hdn-rechtentest-") +
                                     QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".txt")));
    if (!test.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    const bool written = test.write("Testbestand\r\n") == 13 && test.flush();
    test.close();
    const bool removed = test.remove();
    return written && test.error() == QFileDevice::NoError && removed;
}

void frmWijzigenHDNBerichtenOpslag::cmdActie_Click()
{
    guarded([this] {
        if (moveCode_ == 0)
            return;
        const QString folder = chosenFolder();
        if (moveCode_ == 3 && HdnMessageStore::SameFolder(folder, huidigeMap_)) {
            ui().msgBox(QStringLiteral("U heeft nog geen nieuwe opslagmap geselecteerd."), MsgButtons::OK,
                        MsgIcon::Exclamation, caption());
            return;
        }
        // Tested before anything is asked or changed: without rights nothing may move.
        if (!Check_DestinationFolderRights(folder)) {
            ui().msgBox(QStringLiteral("Er zijn niet voldoende rechten op de gekozen HDN berichten opslagmap."),
                        MsgButtons::OK, MsgIcon::Exclamation, caption());
            return;
        }
        if (moveCode_ == 1) {
            Show_AvailableSpace(folder);
            grootte_ = store().SizeOnDisk(AllocationUnit(folder));
            if (vrij_ < grootte_ &&
                ui().msgBox(QStringLiteral("De beschikbare ruimte in de gekozen map is waarschijnlijk niet voldoende om de HDN berichten in te kopieren.") +
                                CrLf + QStringLiteral("Wilt u toch doorgaan?"),
                            MsgButtons::YesNo, MsgIcon::Exclamation, caption()) != MsgResult::Yes)
                return;
        }
        QString header;
        QStringList lines;
        switch (moveCode_) {
        case 1:
            header = QStringLiteral("Let op! Voor de overgang naar de opslag in een verkennermap");
            lines << QStringLiteral("- Gebruikers moeten lees-, schrijf- en verwijderrechten hebben op de opslagmap.");
            break;
        case 2:
            header = QStringLiteral("Let op! Voor de overgang naar de opslag in de database");
            lines << QStringLiteral("- U moet lees-, schrijf- en verwijderrechten hebben op de opslagmap.");
            break;
        default:
            header = QStringLiteral("Let op! Bij het verplaatsen van de HDN berichten naar een andere map");
            lines << QStringLiteral("- Moet er voldoende schijfruimte beschikbaar zijn in de nieuwe opslagmap;")
                  << QStringLiteral("- U moet lees- en verwijderrechten hebben op de huidige opslagmap;")
                  << QStringLiteral("- Gebruikers moeten lees-, schrijf- en verwijderrechten hebben op de nieuwe opslagmap.");
            break;
        }
        QString text = header + QStringLiteral(" moeten eerst onderstaande zaken gecontroleerd worden:") + CrLf + CrLf +
                       QStringLiteral("- Maak vooraf een backup van de Adviezen-database;") + CrLf +
                       QStringLiteral("- Alle gebruikers moeten uitgelogd zijn uit Quenmarix;") + CrLf +
                       QStringLiteral("- Alle computers moeten de laatste versie van Quenmarix hebben;") + CrLf;
        for (const QString& line : lines)
            text += line + CrLf;
        text += CrLf + QStringLiteral("Afhankelijk van het huidig aantal HDN berichten kan dit enige tijd in beslag nemen.") +
                CrLf + CrLf + QStringLiteral("Wilt u doorgaan?");
        if (ui().msgBox(text, MsgButtons::YesNo, MsgIcon::Exclamation, caption()) != MsgResult::Yes)
            return;
        cmdActie.setEnabled(false);
        cmdHDNBerichtenOpslagMap.setEnabled(false);
        if (!runMove(moveCode_, false)) {
            RollBack();
        } else {
            QString done = QStringLiteral("Omzetten gereed!");
            if (last_.notMoved > 0)
                done += CrLf + CrLf + QString::number(last_.notMoved) +
                        QStringLiteral(" HDN bericht(en) konden niet worden overgezet: het bestand ontbreekt of bevat geen XML.");
            if (last_.passedOver > 0)
                done += CrLf + CrLf + QString::number(last_.passedOver) +
                        QStringLiteral(" HDN bericht(en) zonder datum of zonder geldige XML zijn overgeslagen.");
            ui().msgBox(done, MsgButtons::OK, MsgIcon::Information, caption());
        }
        close(false);
    });
}

void frmWijzigenHDNBerichtenOpslag::startProgress()
{
    pgbProgress.setMin(0);
    pgbProgress.setMax(100);
    pgbProgress.setValue(0);
    pgbProgress.setForeColor(ProgressColour);
    lblVoortgang.setVisible(true);
    shownPercent_ = -1;
}

void frmWijzigenHDNBerichtenOpslag::showRow(qint64 row)
{
    lblVoortgang.setCaption(QStringLiteral("Bezig met HDN bericht ") + QString::number(row) + QStringLiteral(" van ") +
                            QString::number(aantal_));
    const int percent = aantal_ > 0 ? int(qMin<qint64>(100, row * 100 / aantal_)) : 100;
    pgbProgress.setValue(percent);
    // The window follows without letting every row wait for a repaint.
    if (percent != shownPercent_ || row % 256 == 0) {
        shownPercent_ = percent;
        ui().doEvents();
    }
}

namespace {
// A move that stops on an error keeps its text for the undo offer; it is never
// reported as an unexpected error that would leave the move looking done.
template <class Body>
void keepErrorIn(QString& errorText, Body body)
{
    try {
        body();
    } catch (const RuntimeError& e) {
        errorText = e.description();
    } catch (const std::exception& e) {
        errorText = QString::fromLocal8Bit(e.what());
    }
}
} // namespace

bool frmWijzigenHDNBerichtenOpslag::runMove(int code, bool reverse)
{
    errorText_.clear();
    last_ = {};
    const QString folder = chosenFolder();
    switch (code) {
    case 1:
        if (!reverse)
            Move_BerichtenFromDatabaseToFolder(folder);
        else
            Move_BerichtenFromFolderToDatabase(folder, true);
        break;
    case 2:
        if (!reverse)
            Move_BerichtenFromFolderToDatabase(huidigeMap_, chkBestandenVerwijderen.value() == 1);
        else
            Move_BerichtenFromDatabaseToFolder(huidigeMap_);
        break;
    case 3:
        if (!reverse) {
            Move_BerichtenFromFolderToFolder(huidigeMap_, folder);
        } else {
            // The setting still names the original folder: the copies go.
            startProgress();
            HdnMessageStore messages = store();
            messages.RowDone = [this](qint64 row) { showRow(row); };
            last_ = messages.RemoveDuplicates(folder, huidigeMap_);
            errorText_ = last_.error;
            pgbProgress.setValue(100);
        }
        break;
    default:
        break;
    }
    // A message that could not be put back is a failed undo.
    if (reverse && errorText_.isEmpty() && last_.notMoved > 0)
        errorText_ = QString::number(last_.notMoved) + QStringLiteral(" HDN bericht(en) konden niet worden teruggezet.");
    return errorText_.isEmpty();
}

void frmWijzigenHDNBerichtenOpslag::Move_BerichtenFromDatabaseToFolder(const QString& folder)
{
    keepErrorIn(errorText_, [&] {
        startProgress();
        HdnStorageSettings& s = storage();
        // Saved before the first row changes, so a moved row can always be found.
        s.HDNBerichtenOpslagMap = QDir::toNativeSeparators(folder);
        saveGlobalSetup();
        HdnMessageStore messages = store();
        messages.RowDone = [this](qint64 row) { showRow(row); };
        last_ = messages.MoveDatabaseToFolder(folder);
        errorText_ = last_.error;
        pgbProgress.setValue(100);
        if (errorText_.isEmpty()) {
            s.Cd_HDNBerichtenOpslag = 2;
            saveGlobalSetup();
        }
    });
}

void frmWijzigenHDNBerichtenOpslag::Move_BerichtenFromFolderToDatabase(const QString& folder, bool deleteFiles)
{
    keepErrorIn(errorText_, [&] {
        startProgress();
        HdnMessageStore messages = store();
        messages.RowDone = [this](qint64 row) { showRow(row); };
        last_ = messages.MoveFolderToDatabase(folder, deleteFiles);
        errorText_ = last_.error;
        pgbProgress.setValue(100);
        if (errorText_.isEmpty()) {
            // Messages that stayed files are still found through the folder, which is kept.
            storage().Cd_HDNBerichtenOpslag = 1;
            saveGlobalSetup();
        }
    });
}

void frmWijzigenHDNBerichtenOpslag::Move_BerichtenFromFolderToFolder(const QString& from, const QString& to)
{
    keepErrorIn(errorText_, [&] {
        startProgress();
        HdnMessageStore messages = store();
        messages.RowDone = [this](qint64 row) { showRow(row); };
        last_ = messages.CopyFolderToFolder(from, to);
        errorText_ = last_.error;
        if (!errorText_.isEmpty())
            return;
        // Copied, switched and saved; only then the originals go.
        HdnStorageSettings& s = storage();
        s.HDNBerichtenOpslagMap = QDir::toNativeSeparators(to);
        s.Cd_HDNBerichtenOpslag = 2;
        saveGlobalSetup();
        messages.RowDone = nullptr;
        messages.RemoveDuplicates(from, to);
        pgbProgress.setValue(100);
    });
}

void frmWijzigenHDNBerichtenOpslag::RollBack()
{
    guarded([this] {
        switch (moveCode_) {
        case 1:
            lblUitleg.setCaption(QStringLiteral("De verplaatste HDN berichten zullen worden teruggeplaatst in de database."));
            break;
        case 2:
            lblUitleg.setCaption(QStringLiteral("De verplaatste HDN berichten zullen worden teruggezet in de Verkennermap."));
            break;
        default:
            lblUitleg.setCaption(QStringLiteral("De verplaatste HDN berichten zullen worden teruggezet in de originele Verkennermap"));
            break;
        }
        chkBestandenVerwijderen.setVisible(false);
        const QString question =
            QStringLiteral("Quenmarix kan proberen om de wijziging ongedaan te maken. Er is geen garantie dat dit slaagt.") + CrLf +
            QStringLiteral("Als u dit niet wenst kies dan voor 'Nee'. U kunt dan na het afsluiten van Quenmarix uw backup van de adviezendatabase terugzetten.") +
            CrLf + QStringLiteral("Indien u voor 'Ja' kiest zal de actie gestart worden.");
        if (ui().msgBox(question, MsgButtons::YesNo, MsgIcon::Exclamation, caption()) != MsgResult::Yes)
            return;
        const QString previousMap = huidigeMap_;
        if (!runMove(moveCode_, true)) {
            ui().msgBox(QStringLiteral("Het ongedaan maken van de actie is niet gelukt. Zet de backup van de adviezendatabase terug."),
                        MsgButtons::OK, MsgIcon::Critical, caption());
            return;
        }
        if (moveCode_ == 1) {
            // Back in the database: the folder setting is what it was.
            storage().HDNBerichtenOpslagMap = QDir::toNativeSeparators(previousMap);
            saveGlobalSetup();
        }
    });
}

} // namespace tarvelo
