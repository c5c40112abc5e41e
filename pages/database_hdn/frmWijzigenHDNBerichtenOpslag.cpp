#include "pages/database_hdn/frmWijzigenHDNBerichtenOpslag.h"

#include "framework/page/FieldButtons.h"
#include "framework/page/RowLayout.h"

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

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 7200;
const QString CrLf = u"\r\n"_s;
// The bar's colour while messages move: RGB(187, 5, 16) as a BGR value.
constexpr Colour ProgressColour = 0x1005BB;
} // namespace

frmWijzigenHDNBerichtenOpslag::frmWijzigenHDNBerichtenOpslag()
    : Dialog(u"frmWijzigenHDNBerichtenOpslag"_s, u"Instellingen - HDN berichten opslag"_s),
      lblUitleg(add<Label>(*this, u"lblUitleg"_s)),
      txtHDNBerichtenOpslagMap(add<TextBox>(*this, u"txtHDNBerichtenOpslagMap"_s)),
      cmdHDNBerichtenOpslagMap(add<CommandButton>(*this, u"cmdHDNBerichtenOpslagMap"_s)),
      lblAvailableSpace(add<Label>(*this, u"lblAvailableSpace"_s)),
      chkBestandenVerwijderen(add<CheckBox>(*this, u"chkBestandenVerwijderen"_s)),
      pgbProgress(add<ProgressBar>(add<Frame>(*this, u"fraVoortgang"_s), u"pgbProgress"_s)),
      lblVoortgang(add<Label>(get<Frame>(u"fraVoortgang"_s), u"lblVoortgang"_s)),
      cmdActie(add<CommandButton>(*this, u"cmdActie"_s)),
      cmdAnnuleren(add<CommandButton>(*this, u"cmdAnnuleren"_s))
{
    setCaption(u"Wijzigen HDN berichten opslag"_s);
    lblUitleg.setWordWrap(true);
    auto& lblMap = add<Label>(*this, u"lblHDNBerichtenOpslagMap"_s);
    lblMap.setCaption(u"HDN Berichten opslag map"_s);
    cmdHDNBerichtenOpslagMap.setCaption(u"..."_s);
    chkBestandenVerwijderen.setCaption(u"HDN Berichten uit map verwijderen"_s);
    auto& fraVoortgang = get<Frame>(u"fraVoortgang"_s);
    fraVoortgang.setCaption(u"Voortgang"_s);
    pgbProgress.setForeColor(ProgressColour);
    lblVoortgang.setVisible(false);
    // Rows that are hidden (the check box for a move to a folder, the
    // progress caption until a run shows it) give their room back.
    RowLayout(fraVoortgang, InnerWidth - 2 * RowLayout::Margin)
        .line(pgbProgress, RowLayout::LabelHeight)
        .line(lblVoortgang)
        .finish();
    RowLayout(*this, InnerWidth, false)
        .text(lblUitleg)
        .line(lblMap)
        .row({{&txtHDNBerichtenOpslagMap, 0}, {&cmdHDNBerichtenOpslagMap, 375}})
        .line(lblAvailableSpace)
        .line(chkBestandenVerwijderen)
        .line(fraVoortgang)
        .finish();
    describeFieldButton(cmdHDNBerichtenOpslagMap, FieldButton::ChooseFolder, txtHDNBerichtenOpslagMap,
                        lblMap.caption());
    cmdActie.setCaption(u"&Nu uitvoeren..."_s);
    cmdAnnuleren.setCaption(u"&Annuleren"_s);
    // Moving starts only on its own button, never on Enter.
    placeButtonRow({&cmdActie, &cmdAnnuleren}, nullptr, &cmdAnnuleren);

    cmdHDNBerichtenOpslagMap.Click.connect([this] { cmdHDNBerichtenOpslagMap_Click(); });
    cmdActie.Click.connect([this] { cmdActie_Click(); });
    cmdAnnuleren.Click.connect([this] { close(true); });
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

QString frmWijzigenHDNBerichtenOpslag::Convert_SizeToString(qint64 bytes)
{
    return SetupDatabase::Get_Om_Bestandsgrootte(bytes);
}

void frmWijzigenHDNBerichtenOpslag::Fill_Control()
{
    guarded([this] {
        if (!host() || (Cd_HDNBerichtenOpslagActie != 1 && Cd_HDNBerichtenOpslagActie != 2)) {
            ui().msgBox(u"Zet eerst de property 'Application' en de property 'Cd_HDNBerichtenOpslagActie'."_s,
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
        lblUitleg.setCaption(
            u"Bij het wijzigen van de opslag van Verkennermap naar Database zullen de HDN berichten in de "_s +
            u"database geplaatst worden. U kunt hieronder aangeven of de bestanden hierbij uit de map verwijderd dienen te worden."_s);
        break;
    case 1:
        lblUitleg.setCaption(
            u"Bij het wijzigen van de opslag van Database naar Verkennermap zullen de HDN berichten in de "_s +
            u"onderstaande Verkennermap geplaatst worden en uit de database gehaald worden."_s + CrLf + u"Er zijn "_s +
            QString::number(aantal_) + u" berichten met een totale grootte van "_s + Convert_SizeToString(grootte_) +
            u" over te zetten. Kies een map die over voldoende beschikbare ruimte beschikt."_s);
        break;
    case 3:
        lblUitleg.setCaption(
            u"Hieronder kunt u de nieuwe maplocatie instellen. De HDN berichten zullen worden overgezet uit de huidige Verkennermap "_s +
            u"naar de nieuwe Verkennermap."_s);
        break;
    default: lblUitleg.setCaption(u"De HDN berichten zijn al in de adviezendatabase opgeslagen."_s); break;
    }
}

void frmWijzigenHDNBerichtenOpslag::Show_AvailableSpace(const QString& folder)
{
    const QStorageInfo info(folder);
    vrij_ = info.isValid() ? info.bytesAvailable() : 0;
    lblAvailableSpace.setCaption(u"Beschikbare ruimte: "_s + Convert_SizeToString(vrij_));
}

void frmWijzigenHDNBerichtenOpslag::cmdHDNBerichtenOpslagMap_Click()
{
    guarded([this] {
        const QString chosen = BrowseForFolder(ui(), txtHDNBerichtenOpslagMap.text(),
                                               u"Selecteer de folder waar u de HDN berichten wilt opslaan"_s);
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
    QFile test(
        QDir(folder).filePath(u"hdn-rechtentest-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces) + u".txt"_s));
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
            ui().msgBox(u"U heeft nog geen nieuwe opslagmap geselecteerd."_s, MsgButtons::OK, MsgIcon::Exclamation,
                        caption());
            return;
        }
        // Tested before anything is asked or changed: without rights nothing may move.
        if (!Check_DestinationFolderRights(folder)) {
            ui().msgBox(u"Er zijn niet voldoende rechten op de gekozen HDN berichten opslagmap."_s, MsgButtons::OK,
                        MsgIcon::Exclamation, caption());
            return;
        }
        if (moveCode_ == 1) {
            Show_AvailableSpace(folder);
            grootte_ = store().SizeOnDisk(AllocationUnit(folder));
            if (vrij_ < grootte_ &&
                ui().msgBox(
                    u"De beschikbare ruimte in de gekozen map is waarschijnlijk niet voldoende om de HDN berichten in te kopieren."_s +
                        CrLf + u"Wilt u toch doorgaan?"_s,
                    MsgButtons::YesNo, MsgIcon::Exclamation, caption()) != MsgResult::Yes)
                return;
        }
        QString header;
        QStringList lines;
        switch (moveCode_) {
        case 1:
            header = u"Let op! Voor de overgang naar de opslag in een verkennermap"_s;
            lines << u"- Gebruikers moeten lees-, schrijf- en verwijderrechten hebben op de opslagmap."_s;
            break;
        case 2:
            header = u"Let op! Voor de overgang naar de opslag in de database"_s;
            lines << u"- U moet lees-, schrijf- en verwijderrechten hebben op de opslagmap."_s;
            break;
        default:
            header = u"Let op! Bij het verplaatsen van de HDN berichten naar een andere map"_s;
            lines << u"- Moet er voldoende schijfruimte beschikbaar zijn in de nieuwe opslagmap;"_s
                  << u"- U moet lees- en verwijderrechten hebben op de huidige opslagmap;"_s
                  << u"- Gebruikers moeten lees-, schrijf- en verwijderrechten hebben op de nieuwe opslagmap."_s;
            break;
        }
        QString text = header + u" moeten eerst onderstaande zaken gecontroleerd worden:"_s + CrLf + CrLf +
                       u"- Maak vooraf een backup van de Adviezen-database;"_s + CrLf +
                       u"- Alle gebruikers moeten uitgelogd zijn uit Quenmarix;"_s + CrLf +
                       u"- Alle computers moeten de laatste versie van Quenmarix hebben;"_s + CrLf;
        for (const QString& line : lines)
            text += line + CrLf;
        text += CrLf + u"Afhankelijk van het huidig aantal HDN berichten kan dit enige tijd in beslag nemen."_s + CrLf +
                CrLf + u"Wilt u doorgaan?"_s;
        if (ui().msgBox(text, MsgButtons::YesNo, MsgIcon::Exclamation, caption()) != MsgResult::Yes)
            return;
        cmdActie.setEnabled(false);
        cmdHDNBerichtenOpslagMap.setEnabled(false);
        // A move that has started runs to its end (or is undone).
        cmdAnnuleren.setEnabled(false);
        if (!runMove(moveCode_, false)) {
            RollBack();
        } else {
            QString done = u"Omzetten gereed!"_s;
            if (last_.notMoved > 0)
                done += CrLf + CrLf + QString::number(last_.notMoved) +
                        u" HDN bericht(en) konden niet worden overgezet: het bestand ontbreekt of bevat geen XML."_s;
            if (last_.passedOver > 0)
                done += CrLf + CrLf + QString::number(last_.passedOver) +
                        u" HDN bericht(en) zonder datum of zonder geldige XML zijn overgeslagen."_s;
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
    lblVoortgang.setCaption(u"Bezig met HDN bericht "_s + QString::number(row) + u" van "_s + QString::number(aantal_));
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
    default: break;
    }
    // A message that could not be put back is a failed undo.
    if (reverse && errorText_.isEmpty() && last_.notMoved > 0)
        errorText_ = QString::number(last_.notMoved) + u" HDN bericht(en) konden niet worden teruggezet."_s;
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
            lblUitleg.setCaption(u"De verplaatste HDN berichten zullen worden teruggeplaatst in de database."_s);
            break;
        case 2:
            lblUitleg.setCaption(u"De verplaatste HDN berichten zullen worden teruggezet in de Verkennermap."_s);
            break;
        default:
            lblUitleg.setCaption(
                u"De verplaatste HDN berichten zullen worden teruggezet in de originele Verkennermap"_s);
            break;
        }
        chkBestandenVerwijderen.setVisible(false);
        const QString question =
            u"Quenmarix kan proberen om de wijziging ongedaan te maken. Er is geen garantie dat dit slaagt."_s + CrLf +
            u"Als u dit niet wenst kies dan voor 'Nee'. U kunt dan na het afsluiten van Quenmarix uw backup van de adviezendatabase terugzetten."_s +
            CrLf + u"Indien u voor 'Ja' kiest zal de actie gestart worden."_s;
        if (ui().msgBox(question, MsgButtons::YesNo, MsgIcon::Exclamation, caption()) != MsgResult::Yes)
            return;
        const QString previousMap = huidigeMap_;
        if (!runMove(moveCode_, true)) {
            ui().msgBox(
                u"Het ongedaan maken van de actie is niet gelukt. Zet de backup van de adviezendatabase terug."_s,
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
