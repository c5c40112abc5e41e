#include "pages/database_hdn/SetupHDNOUD.h"

#include "framework/forms/Label.h"
#include "framework/host/Application.h"
#include "framework/host/Maatschappij.h"
#include "framework/host/Settings.h"
#include "framework/page/FieldButtons.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/settings/HdnSettings.h"
#include "framework/ui/Ui.h"
#include "framework/util/FolderRoutines.h"
#include "framework/util/TextFitting.h"
#include "pages/database_hdn/CWeslyHDN.h"
#include "pages/database_hdn/WeslyService.h"
#include "pages/database_hdn/frmHDNBerichtenOpslag.h"
#include "pages/database_hdn/frmSubnodeEdit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopedValueRollback>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
// Why a folder could not be made, told from the nearest part of its path that
// exists: a file in the way, or a folder that may not be written.
QString whyNoFolder(const QString& folder)
{
    QString existing = folder;
    while (!QFileInfo::exists(existing)) {
        const QString parent = QFileInfo(existing).absolutePath();
        if (parent == existing)
            break;
        existing = parent;
    }
    const QFileInfo info(existing);
    const QString shown = QDir::toNativeSeparators(existing);
    if (info.exists() && !info.isDir())
        return u"%1 is een bestand, geen map."_s.arg(shown);
    if (info.exists() && !info.isWritable())
        return u"er mag niet worden geschreven in %1."_s.arg(shown);
    return u"het bestandssysteem staat het niet toe."_s;
}

constexpr int InnerWidth = 7200;
constexpr int LabelWidth = 2700;
constexpr int FolderWidth = InnerWidth - LabelWidth - 3 * RowLayout::Gap - 2 * RowLayout::FieldButtonWidth;
// A container inside a frame takes the frame's inner width, margins included.
constexpr int NestedWidth = InnerWidth - 2 * RowLayout::Margin;
constexpr int NestedFolderWidth = FolderWidth - 2 * RowLayout::Margin;
const QString CrLf = u"\r\n"_s;

Frame& frameOf(Form& form, const QString& name)
{
    if (Control* found = form.find(name))
        return dynamic_cast<Frame&>(*found);
    return form.add<Frame>(form, name);
}
} // namespace

QString SetupHDNOUD::InstructieAdres() { return u"https://support.quenmarix.nl/artikel/hdn-platform-instellen"_s; }

// A frame holding a container that can be hidden ends below what shows, and
// the frames below it move up or down.
void SetupHDNOUD::fitFrame(Frame& container)
{
    Control* outer = container.parent();
    outer->setHeight(container.visible() ? container.bottom() + RowLayout::Gap : container.top());
    form().Resize();
}

SetupHDNOUD::SetupHDNOUD()
    : SettingsPage(u"SetupHDNOUD"_s),
      cboToonBerichten(add<ComboBox>(frameOf(form(), u"fraHDN"_s), u"cboToonBerichten"_s)),
      txtHDNImporterArchieffolder(add<TextBox>(frameOf(form(), u"fraHDN"_s), u"txtHDNImporterArchieffolder"_s)),
      chkHDNBewaren(add<CheckBox>(frameOf(form(), u"fraHDN"_s), u"chkHDNBewaren"_s, u"Kopie HDN Bericht bewaren"_s)),
      txtDirHDNXML(add<TextBox>(frameOf(form(), u"fraHDN"_s), u"txtDirHDNXML"_s)),
      cmdHDNExportDir(add<CommandButton>(frameOf(form(), u"fraHDN"_s), u"cmdHDNExportDir"_s, u"..."_s)),
      txtHDNNummer(add<TextBox>(frameOf(form(), u"fraHDN"_s), u"txtHDNNummer"_s)),
      lblHoofdcertificaat(add<Label>(frameOf(form(), u"fraHDN"_s), u"lblHoofdcertificaat"_s, u"(Hoofdcertificaat)"_s)),
      txtHDNInDir(add<TextBox>(frameOf(form(), u"fraHDN"_s), u"txtHDNInDir"_s)),
      txtHDNOutDir(add<TextBox>(frameOf(form(), u"fraHDN"_s), u"txtHDNOutDir"_s)),
      txtHDNErrDir(add<TextBox>(frameOf(form(), u"fraHDN"_s), u"txtHDNErrDir"_s)),
      lblLink(add<Label>(frameOf(form(), u"fraHDN"_s), u"lblLink"_s, u"Instructie HDN instellen"_s)),
      jnHdnVerkeerViaAbo(add<YesNo>(frameOf(form(), u"fraHdnVerkeer"_s), u"jnHdnVerkeerViaAbo"_s)),
      lblLocatieHdnCertificaat(
          add<Label>(frameOf(form(), u"fraHdnVerkeer"_s), u"lblLocatieHdnCertificaat"_s, u"Locatie HDN-certificaat"_s)),
      txtLocatieHdnCertificaat(add<TextBox>(frameOf(form(), u"fraHdnVerkeer"_s), u"txtLocatieHdnCertificaat"_s)),
      cmdLocatieHdnCertificaat(
          add<CommandButton>(frameOf(form(), u"fraHdnVerkeer"_s), u"cmdLocatieHdnCertificaat"_s, u"..."_s)),
      cmdClearLocatieHdnCertificaat(
          add<CommandButton>(frameOf(form(), u"fraHdnVerkeer"_s), u"cmdClearLocatieHdnCertificaat"_s, u"X"_s)),
      cmdImportHdnCertificaat(
          add<CommandButton>(frameOf(form(), u"fraHdnVerkeer"_s), u"cmdImportHdnCertificaat"_s, u"Importeren"_s)),
      lblWachtwoordHdnCertificaat(
          add<Label>(frameOf(form(), u"fraHdnVerkeer"_s), u"lblWachtwoordHdnCertificaat"_s, u"Wachtwoord"_s)),
      txtWachtwoordHdnCertificaat(add<TextBox>(frameOf(form(), u"fraHdnVerkeer"_s), u"txtWachtwoordHdnCertificaat"_s)),
      cmdHDNBerichtenOpslag(add<CommandButton>(frameOf(form(), u"fraOverig"_s), u"cmdHDNBerichtenOpslag"_s,
                                               u"Wijzigen HDN berichten opslag"_s)),
      txtHDNBerichtenOpslag(add<TextBox>(frameOf(form(), u"fraOverig"_s), u"txtHDNBerichtenOpslag"_s)),
      optNooit(add<OptionButton>(frameOf(form(), u"fraOpschonen"_s), u"optHDNBerichtenVerwijderenUitDatabase"_s,
                                 u"Nooit verwijderen"_s, 0)),
      opt6Maanden(add<OptionButton>(frameOf(form(), u"fraOpschonen"_s), u"optHDNBerichtenVerwijderenUitDatabase"_s,
                                    u"Berichten ouder dan 6 maanden verwijderen"_s, 1)),
      opt12Maanden(add<OptionButton>(frameOf(form(), u"fraOpschonen"_s), u"optHDNBerichtenVerwijderenUitDatabase"_s,
                                     u"Berichten ouder dan 12 maanden verwijderen"_s, 2)),
      chkHDNEnterprise(
          add<CheckBox>(frameOf(form(), u"fraHDNEnterprise"_s), u"chkHDNEnterprise"_s, u"Subnode per vestiging"_s)),
      fraEnterprise(add<Frame>(frameOf(form(), u"fraHDNEnterprise"_s), u"fraEnterprise"_s)),
      lblSubnodes(add<Label>(fraEnterprise, u"lblSubnodes"_s)),
      lstHDNSubnodes(add<ListView>(fraEnterprise, u"lstHDNSubnodes"_s)),
      cmdEditSubnodes(add<CommandButton>(fraEnterprise, u"cmdEditSubnodes"_s, u"Wijzigen subnode per vestiging"_s)),
      txtHDNEnterpriseUsersFolder(add<TextBox>(fraEnterprise, u"txtHDNEnterpriseUsersFolder"_s)),
      chkAfwijkendeIndirHDN(add<CheckBox>(frameOf(form(), u"fraInkomend"_s), u"chkAfwijkendeIndirHDN"_s,
                                          u"Afwijkende inkomende berichten mappen"_s)),
      fraIndir(add<Frame>(frameOf(form(), u"fraInkomend"_s), u"fraIndir"_s)),
      lblMelding(add<Label>(fraIndir, u"lblMelding"_s)),
      lstHdnIndir(add<ListView>(fraIndir, u"lstHdnIndir"_s)),
      cmdToevoegen(add<CommandButton>(fraIndir, u"cmdToevoegen"_s, u"Toevoegen"_s)),
      cmdVerwijderen(add<CommandButton>(fraIndir, u"cmdVerwijderen"_s, u"Verwijderen"_s)),
      indirs_(*this, lstHdnIndir, cmdToevoegen, cmdVerwijderen, {u"Fill_Listview"_s, u"Update_SetupHDNInDirs"_s})
{
    Frame& hdnFrame = addHdn();
    Frame& verkeer = addHdnVerkeer();
    Frame& overig = addOverig();
    Frame& opschonen = addOpschonen();
    Frame& enterprise = addEnterprise();
    Frame& inkomend = addInkomend();
    connectHandlers();
    showSettings();
    stackFrames({&hdnFrame, &verkeer, &overig, &opschonen, &enterprise, &inkomend});
}

// HDN: overview, importer archive, copies, number and the client's folders.
Frame& SetupHDNOUD::addHdn()
{
    Frame& fraHDN = frameOf(form(), u"fraHDN"_s);
    fraHDN.setCaption(u"HDN"_s);
    auto& lblToonBerichten = add<Label>(fraHDN, u"lblToonBerichten"_s, u"Toon HDN-overzicht met"_s);
    auto& lblArchief = add<Label>(fraHDN, u"lblHDNImporterArchieffolder"_s, u"Archiefmap HDN Importer"_s);
    auto& cmdHDNImporterArchieffolder = add<CommandButton>(fraHDN, u"cmdHDNImporterArchieffolder"_s, u"..."_s);
    auto& lblHDNNummer = add<Label>(fraHDN, u"lblHDNNummer"_s, u"HDN-nummer"_s);
    auto& lblIn = add<Label>(fraHDN, u"lblHDNInDir"_s, u"Inkomende berichten"_s);
    auto& cmdHDNInDir = add<CommandButton>(fraHDN, u"cmdHDNInDir"_s, u"..."_s);
    auto& cmdClearHDNInDir = add<CommandButton>(fraHDN, u"cmdClearHDNInDir"_s, u"X"_s);
    auto& lblOut = add<Label>(fraHDN, u"lblHDNOutDir"_s, u"Uitgaande berichten"_s);
    auto& cmdHDNOutDir = add<CommandButton>(fraHDN, u"cmdHDNOutDir"_s, u"..."_s);
    auto& cmdClearHDNOutDir = add<CommandButton>(fraHDN, u"cmdClearHDNOutDir"_s, u"X"_s);
    auto& lblErr = add<Label>(fraHDN, u"lblHDNErrDir"_s, u"Foutberichten"_s);
    auto& cmdHdnErrDir = add<CommandButton>(fraHDN, u"cmdHdnErrDir"_s, u"..."_s);
    auto& cmdClearHdnErrDir = add<CommandButton>(fraHDN, u"cmdClearHdnErrDir"_s, u"X"_s);
    auto& hntHDN =
        add<Hint>(fraHDN, u"hntHDN"_s,
                  u"Zorg ervoor dat uw digitale HDN certificaat geïnstalleerd is. Deze kunt u aanvragen bij HDN."_s +
                      u" Meer informatie over het HDN-platform vindt u op www.hdn.nl."_s);
    lblLink.setLink(true);
    txtHDNNummer.setMaxLength(6);
    RowLayout(fraHDN, InnerWidth)
        .row({{&lblToonBerichten, LabelWidth}, {&cboToonBerichten, 2055}})
        .row({{&lblArchief, LabelWidth},
              {&txtHDNImporterArchieffolder, FolderWidth},
              {&cmdHDNImporterArchieffolder, RowLayout::FieldButtonWidth}})
        .row({{&chkHDNBewaren, LabelWidth},
              {&txtDirHDNXML, FolderWidth},
              {&cmdHDNExportDir, RowLayout::FieldButtonWidth}})
        .row({{&lblHDNNummer, LabelWidth}, {&txtHDNNummer, 1200}, {&lblHoofdcertificaat, 0}})
        .row({{&lblIn, LabelWidth},
              {&txtHDNInDir, FolderWidth},
              {&cmdHDNInDir, RowLayout::FieldButtonWidth},
              {&cmdClearHDNInDir, RowLayout::FieldButtonWidth}})
        .row({{&lblOut, LabelWidth},
              {&txtHDNOutDir, FolderWidth},
              {&cmdHDNOutDir, RowLayout::FieldButtonWidth},
              {&cmdClearHDNOutDir, RowLayout::FieldButtonWidth}})
        .row({{&lblErr, LabelWidth},
              {&txtHDNErrDir, FolderWidth},
              {&cmdHdnErrDir, RowLayout::FieldButtonWidth},
              {&cmdClearHdnErrDir, RowLayout::FieldButtonWidth}})
        .text(hntHDN)
        .line(lblLink)
        .finish();

    bind(cboToonBerichten, &HdnSettings::ToonBerichten,
         {{u"alle"_s, 1},
          {u"de laatste 10"_s, 10},
          {u"de laatste 50"_s, 50},
          {u"de laatste 100"_s, 100},
          {u"de laatste 250"_s, 250}})
        .defaultWhenEmpty();
    addFolderHandlers(txtHDNInDir, &cmdHDNInDir, &cmdClearHDNInDir, u"Selecteer de 'in'-map van HDN"_s,
                      &HdnSettings::HDNInDir, true);
    addFolderHandlers(txtHDNOutDir, &cmdHDNOutDir, &cmdClearHDNOutDir, u"Selecteer de 'out'-map van HDN"_s,
                      &HdnSettings::HDNOutDir, true);
    addFolderHandlers(txtHDNErrDir, &cmdHdnErrDir, &cmdClearHdnErrDir, u"Selecteer de 'errors'-map van HDN"_s,
                      &HdnSettings::HDNErrDir, true);
    addFolderHandlers(txtDirHDNXML, &cmdHDNExportDir, nullptr,
                      u"Selecteer de folder waar u het HDN-XML bericht wilt bewaren"_s, &HdnSettings::DirHDNXML, false);
    addFolderHandlers(txtHDNImporterArchieffolder, &cmdHDNImporterArchieffolder, nullptr,
                      u"Selecteer de archieffolder voor de HDN Importer"_s, &HdnSettings::HDNImporterArchieffolder,
                      false);
    return fraHDN;
}

// The route through the consumer portal and its certificate.
Frame& SetupHDNOUD::addHdnVerkeer()
{
    Frame& fraHdnVerkeer = frameOf(form(), u"fraHdnVerkeer"_s);
    fraHdnVerkeer.setCaption(u"HDN-berichtenverkeer"_s);
    auto& lblHdnVerkeerViaAbo = add<Label>(fraHdnVerkeer, u"lblHdnVerkeerViaAbo"_s, u"Via Quenmarix Online"_s);
    auto& htnHdnVerkeerViaAbo = add<Hint>(fraHdnVerkeer, u"htnHdnVerkeerViaAbo"_s);
    htnHdnVerkeerViaAbo.setText(
        u"Selecteer 'Ja' indien u in HDN WebCert Quenmarix Online gemachtigd heeft om namens uw organisatie "_s +
        u"HDN berichten te verzenden en ontvangen. "_s +
        u"Vervolgens dient u hieronder aan te geven waar het HDN-certificaat (dat u met HDN WebCert kunt exporteren) "_s +
        u"zich bevindt en het bijbehorende wachtwoord in te voeren."_s + CrLf +
        u"Selecteer 'Nee' indien het HDN-berichtenverkeer via HDN Basic verloopt."_s);
    txtLocatieHdnCertificaat.setLocked(true);
    txtWachtwoordHdnCertificaat.setPasswordChar(QLatin1Char('*'));
    RowLayout(fraHdnVerkeer, InnerWidth)
        .row({{&lblHdnVerkeerViaAbo, LabelWidth}, {&jnHdnVerkeerViaAbo, 1455}})
        .text(htnHdnVerkeerViaAbo)
        .row({{&lblLocatieHdnCertificaat, LabelWidth},
              {&txtLocatieHdnCertificaat, FolderWidth},
              {&cmdLocatieHdnCertificaat, RowLayout::FieldButtonWidth},
              {&cmdClearLocatieHdnCertificaat, RowLayout::FieldButtonWidth}})
        .row({{&lblWachtwoordHdnCertificaat, LabelWidth},
              {&txtWachtwoordHdnCertificaat, 2055},
              {&cmdImportHdnCertificaat, 1215}})
        .finish();

    describeFieldButton(cmdLocatieHdnCertificaat, FieldButton::ChooseFile, txtLocatieHdnCertificaat);
    describeFieldButton(cmdClearLocatieHdnCertificaat, FieldButton::ClearFile, txtLocatieHdnCertificaat);
    return fraHdnVerkeer;
}

// Other: start-up checks and where stored messages live.
Frame& SetupHDNOUD::addOverig()
{
    Frame& fraOverig = frameOf(form(), u"fraOverig"_s);
    fraOverig.setCaption(u"Overig"_s);
    auto& chkRetourberichten =
        add<CheckBox>(fraOverig, u"chkRetourberichten"_s, u"Bij opstarten controleren op retourberichten"_s);
    auto& chkAdviesBlokkeren =
        add<CheckBox>(fraOverig, u"chkAdviesBlokkerenNaHDNAanvraag"_s, u"Advies blokkeren na HDN aanvraag"_s);
    auto& lblOpslag = add<Label>(fraOverig, u"lblHDNBerichtenOpslag"_s, u"HDN berichten opslag"_s);
    txtHDNBerichtenOpslag.setLocked(true);
    RowLayout(fraOverig, InnerWidth)
        .line(chkRetourberichten)
        .line(chkAdviesBlokkeren)
        .row({{&lblOpslag, LabelWidth}, {&txtHDNBerichtenOpslag, FolderWidth}})
        .row({{&cmdHDNBerichtenOpslag, 2900}})
        .finish();

    bind(chkAdviesBlokkeren, &HdnSettings::AdviesBlokkerenNaHDNAanvraag);
    bind(chkRetourberichten, &HdnSettings::Retourberichten);
    return fraOverig;
}

// Clean-up, listed from the longest keeping time down.
Frame& SetupHDNOUD::addOpschonen()
{
    Frame& fraOpschonen = frameOf(form(), u"fraOpschonen"_s);
    fraOpschonen.setCaption(u"Oudere HDN berichten automatisch verwijderen uit database"_s);
    auto& hntOpschonen = add<Hint>(
        fraOpschonen, u"hntHDNBerichtenVerwijderen"_s,
        u"Hier kunt u aangeven of Quenmarix bij het opstarten automatisch oudere HDN berichten uit de adviezendatabase verwijderd. Dit kan veel ruimte schelen."_s);
    RowLayout(fraOpschonen, InnerWidth).line(opt12Maanden).line(opt6Maanden).line(optNooit).text(hntOpschonen).finish();
    return fraOpschonen;
}

// HDN Enterprise: a subnode per branch.
Frame& SetupHDNOUD::addEnterprise()
{
    Frame& fraHDNEnterprise = frameOf(form(), u"fraHDNEnterprise"_s);
    fraHDNEnterprise.setCaption(u"HDN Enterprise"_s);
    lblSubnodes.setCaption(u"Onderstaand kunt u uw vestigingen koppelen aan specifieke HDN-nummers."_s);
    auto& lblUsers = add<Label>(fraEnterprise, u"lblHDNEnterpriseUsersFolder"_s, u"HDN Users map"_s);
    auto& cmdUsers = add<CommandButton>(fraEnterprise, u"cmdHDNEnterpriseUsersFolder"_s, u"..."_s);
    auto& cmdClearUsers = add<CommandButton>(fraEnterprise, u"cmdClearHDNEnterpriseUsersFolder"_s, u"X"_s);
    auto& hntUsers = add<Hint>(fraEnterprise, u"hntHDNEnterpriseUsersFolder"_s,
                               u"Selecteer hier de HDN Enterprise 'Users' folder."_s);
    lstHDNSubnodes.setFullRowSelect(true);
    lstHDNSubnodes.setHideSelection(false);
    RowLayout(fraEnterprise, NestedWidth, false)
        .text(lblSubnodes)
        .line(lstHDNSubnodes, 1215)
        .row({{&cmdEditSubnodes, 2900}})
        .row({{&lblUsers, LabelWidth},
              {&txtHDNEnterpriseUsersFolder, NestedFolderWidth},
              {&cmdUsers, RowLayout::FieldButtonWidth},
              {&cmdClearUsers, RowLayout::FieldButtonWidth}})
        .text(hntUsers)
        .finish();
    RowLayout(fraHDNEnterprise, InnerWidth).line(chkHDNEnterprise).line(fraEnterprise, fraEnterprise.height()).finish();

    addFolderHandlers(txtHDNEnterpriseUsersFolder, &cmdUsers, &cmdClearUsers,
                      u"Selecteer de 'users'-map van HDN Enterprise"_s, &HdnSettings::HDNEnterpriseUsersFolder, false);
    return fraHDNEnterprise;
}

// Alternative incoming folders.
Frame& SetupHDNOUD::addInkomend()
{
    Frame& fraInkomend = frameOf(form(), u"fraInkomend"_s);
    fraInkomend.setCaption(u"Inkomende berichten"_s);
    auto& lblInkoopcombinaties = add<Label>(
        fraIndir, u"lblInkoopcombinaties"_s,
        u"Onderstaand kunt u per berichtsoort instellen waar deze binnenkomen, indien u in de configuratie van de HDN Client afwijkende locaties hebt ingevoerd. U hoeft geen locaties in te stellen als alle berichtsoorten in de standaard HDN indir binnenkomen."_s);
    lblMelding.setCaption(u"Let op: deze mappen zijn alleen van toepassing op het hoofdcertificaat."_s);
    RowLayout(fraIndir, NestedWidth, false)
        .text(lblInkoopcombinaties)
        .text(lblMelding)
        .line(lstHdnIndir, 1095)
        .row({{&cmdToevoegen, 1215}, {&cmdVerwijderen, 1215}})
        .finish();
    RowLayout(fraInkomend, InnerWidth).line(chkAfwijkendeIndirHDN).line(fraIndir, fraIndir.height()).finish();
    return fraInkomend;
}

// The settings the page fills itself, for the markers and for changes from elsewhere.
void SetupHDNOUD::showSettings()
{
    shows(txtHDNImporterArchieffolder, &HdnSettings::HDNImporterArchieffolder);
    shows(chkHDNBewaren, &HdnSettings::HDNBewaren);
    shows(txtDirHDNXML, &HdnSettings::DirHDNXML);
    shows(txtHDNNummer, &HdnSettings::HDNNummer);
    shows(txtHDNInDir, &HdnSettings::HDNInDir);
    shows(txtHDNOutDir, &HdnSettings::HDNOutDir);
    shows(txtHDNErrDir, &HdnSettings::HDNErrDir);
    shows(jnHdnVerkeerViaAbo, &HdnSettings::HdnVerkeerViaAbo);
    shows(txtLocatieHdnCertificaat, &HdnSettings::LocatieHdnCertificaat);
    shows(txtWachtwoordHdnCertificaat, &HdnSettings::WachtwoordHdnCertificaat);
    shows(chkHDNEnterprise, &HdnSettings::HDNEnterprise);
    shows(txtHDNEnterpriseUsersFolder, &HdnSettings::HDNEnterpriseUsersFolder);
    shows(chkAfwijkendeIndirHDN, &HdnSettings::AfwijkendeIndirHDN);
}

void SetupHDNOUD::connectHandlers()
{
    chkHDNBewaren.Click.connect([this] {
        if (!IsLoading)
            chkHDNBewaren_Click();
    });
    chkAfwijkendeIndirHDN.Click.connect([this] {
        if (!IsLoading)
            chkAfwijkendeIndirHDN_Click();
    });
    chkHDNEnterprise.Click.connect([this] {
        if (!IsLoading)
            chkHDNEnterprise_Click();
    });
    jnHdnVerkeerViaAbo.Change.connect([this] {
        if (!IsLoading)
            jnHdnVerkeerViaAbo_Change();
    });
    txtHDNNummer.Validate.connect([this](bool& cancel) { txtHDNNummer_Validation(cancel); });
    txtWachtwoordHdnCertificaat.Validate.connect(
        [this](bool& cancel) { txtWachtwoordHdnCertificaat_Validation(cancel); });
    cmdLocatieHdnCertificaat.Click.connect([this] { cmdLocatieHdnCertificaat_Click(); });
    cmdImportHdnCertificaat.Click.connect([this] { cmdImportHdnCertificaat_Click(); });
    cmdClearLocatieHdnCertificaat.Click.connect([this] { cmdClearLocatieHdnCertificaat_Click(); });
    cmdHDNBerichtenOpslag.Click.connect([this] { cmdHDNBerichtenOpslag_Click(); });
    cmdEditSubnodes.Click.connect([this] { cmdEditSubnodes_Click(); });
    lstHDNSubnodes.DblClick.connect([this] { cmdEditSubnodes_Click(); });
    lblLink.Click.connect([this] { lblLink_Click(); });
    int index = 0;
    for (OptionButton* option : {&optNooit, &opt6Maanden, &opt12Maanden}) {
        option->Click.connect([this, index] {
            if (!IsLoading)
                optHDNBerichtenVerwijderenUitDatabase_Click(index);
        });
        ++index;
    }
    indirs_.Changed = [this] { announce(); };
}

HdnSettings& SetupHDNOUD::hdn() const { return Setup<HdnSettings>(); }

void SetupHDNOUD::announce()
{
    app().RaiseNotify(componentName(), u"frmInstellingen"_s, u"HdnServiceChanged"_s, QVariant());
}

void SetupHDNOUD::addFolderHandlers(TextBox& field, CommandButton* browse, CommandButton* clear, const QString& title,
                                    Setting<QString> HdnSettings::*setting, bool announces)
{
    TextBox* box = &field;
    if (browse)
        describeFieldButton(*browse, FieldButton::ChooseFolder, field);
    if (clear)
        describeFieldButton(*clear, FieldButton::ClearFolder, field);
    if (browse) {
        browse->Click.connect([=, this] {
            guarded(browse->name() + u"_Click"_s, [&] {
                const QString chosen = BrowseForFolder(ui(), (hdn().*setting).get(), title);
                if (chosen.isEmpty())
                    return;
                box->setText(chosen);
                hdn().*setting = chosen;
                if (announces)
                    announce();
            });
        });
    }
    if (clear) {
        clear->Click.connect([=, this] {
            guarded(clear->name() + u"_Click"_s, [&] {
                box->setText(QString());
                hdn().*setting = QString();
                // The running HDN service must stop using a folder that is no longer set.
                if (announces)
                    announce();
            });
        });
    }
    field.Validate.connect([=, this](bool& cancel) {
        guarded(box->name() + u"_Validation"_s, [&] {
            const QString folder = box->text().trimmed();
            if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
                ui().msgBox(u"De ingevoerde folder bestaat niet of is niet beschikbaar. Kies een andere folder."_s,
                            MsgButtons::OK, MsgIcon::Exclamation, folder + u" niet beschikbaar"_s);
                box->setFocus();
                cancel = true;
                return;
            }
            hdn().*setting = box->text();
            if (announces)
                announce();
        });
    });
}

void SetupHDNOUD::Fill()
{
    const QScopedValueRollback filling(IsLoading, true);
    HdnSettings& s = hdn();
    // 2. The client's folders.
    txtHDNInDir.setText(s.HDNInDir);
    txtHDNOutDir.setText(s.HDNOutDir);
    txtHDNErrDir.setText(s.HDNErrDir);
    // 3. Without a number, the one of the client's certificate, and the portal route.
    if (s.HDNNummer.get().isEmpty()) {
        SystemdWeslyService service;
        CWeslyHDN wesly(app().registry(), service);
        QString node;
        long number = 0;
        QString description;
        if (wesly.WeslyHDNGetNodeNumber(node, number, description) && number == 0 && !node.isEmpty())
            s.HDNNummer = node;
        s.HdnVerkeerViaAbo = true;
    }
    txtHDNNummer.setText(s.HDNNummer);
    // 4. Copies.
    chkHDNBewaren.setChecked(s.HDNBewaren);
    if (s.DirHDNXML.get().isEmpty() && s.HDNBewaren)
        s.DirHDNXML = app().DefaultDataFolder();
    txtDirHDNXML.setText(s.DirHDNXML);
    cmdHDNExportDir.setEnabled(s.HDNBewaren);
    // 5. Incoming folders per type.
    chkAfwijkendeIndirHDN.setChecked(s.AfwijkendeIndirHDN);
    fraIndir.setVisible(s.AfwijkendeIndirHDN);
    fitFrame(fraIndir);
    // 6.
    txtHDNImporterArchieffolder.setText(s.HDNImporterArchieffolder);
    // 7. The portal route and its certificate.
    jnHdnVerkeerViaAbo.setJa(s.HdnVerkeerViaAbo);
    Show_Certificaat();
    txtWachtwoordHdnCertificaat.setText(s.WachtwoordHdnCertificaat);
    Enable_HdnVerkeerControls();
    // 8.
    Show_HDNBerichtenOpslag(false);
    // 9. Clean-up: an unknown value becomes "never".
    switch (s.HDNBerichtenVerwijderen) {
    case 2: opt6Maanden.setValue(true); break;
    case 3: opt12Maanden.setValue(true); break;
    default:
        optNooit.setValue(true);
        s.HDNBerichtenVerwijderen = 1;
        break;
    }
    // 10.
    indirs_.setSetup(&Setup());
    indirs_.Fill();
    Fill_ListviewSubnodes();
}

void SetupHDNOUD::Enable_HdnVerkeerControls()
{
    guarded([this] {
        const bool on = hdn().HdnVerkeerViaAbo;
        for (Control* control : std::initializer_list<Control*>{&cmdImportHdnCertificaat, &lblLocatieHdnCertificaat,
                                                                &cmdLocatieHdnCertificaat, &lblWachtwoordHdnCertificaat,
                                                                &txtWachtwoordHdnCertificaat})
            control->setEnabled(on);
        cmdClearLocatieHdnCertificaat.setEnabled(on && !hdn().LocatieHdnCertificaat.get().isEmpty());
    });
}

void SetupHDNOUD::Show_Certificaat()
{
    const QString path = QDir::toNativeSeparators(hdn().LocatieHdnCertificaat);
    txtLocatieHdnCertificaat.setText(
        FitTextToWidth(ui(), txtLocatieHdnCertificaat.font(), path, txtLocatieHdnCertificaat.width() - 60, false));
    txtLocatieHdnCertificaat.setToolTipText(path);
}

void SetupHDNOUD::Show_HDNBerichtenOpslag(bool afterChange)
{
    const HdnStorageSettings& storage = GlobalSetup<HdnStorageSettings>();
    if (storage.Cd_HDNBerichtenOpslag == 2) {
        const QString map = storage.HDNBerichtenOpslagMap;
        txtHDNBerichtenOpslag.setText(map.isEmpty() ? u"Opslaglocatie niet bekend"_s : map);
    } else {
        txtHDNBerichtenOpslag.setText(afterChange ? u"In database"_s : u" In adviezendatabase"_s);
    }
}

void SetupHDNOUD::Fill_ListviewSubnodes()
{
    guarded([this] {
        const bool enterprise = hdn().HDNEnterprise == 1;
        {
            const QScopedValueRollback filling(IsLoading, true);
            chkHDNEnterprise.setChecked(enterprise);
        }
        fraEnterprise.setVisible(enterprise);
        fitFrame(fraEnterprise);
        const AutorisatieSettings& vestigingen = Setup<AutorisatieSettings>();
        const bool any = vestigingen.Vestiging(1) != nullptr;
        lstHDNSubnodes.setEnabled(any);
        cmdEditSubnodes.setVisible(any);
        cmdEditSubnodes.setEnabled(any);
        lblSubnodes.setCaption(any ? u"Onderstaand kunt u uw vestigingen koppelen aan specifieke HDN-nummers."_s
                                   : u"Maak eerst vestigingen aan in het onderdeel 'Inregelen - Autorisatie'."_s);
        txtHDNEnterpriseUsersFolder.setText(hdn().HDNEnterpriseUsersFolder);
        lstHDNSubnodes.clear();
        lstHDNSubnodes.clearColumns();
        lstHDNSubnodes.addColumn(u"Vestiging"_s, u"Vestiging"_s, 3600);
        lstHDNSubnodes.addColumn(u"HDN-nummer"_s, u"HDN-nummer"_s, 1800);
        for (int i = 1; const VestigingRecord* vestiging = vestigingen.Vestiging(i); ++i)
            lstHDNSubnodes.addItem(u"v%1"_s.arg(i), vestiging->Naam).setSubItem(1, vestiging->HDNNummer);
        lstHDNSubnodes.setFullRowSelect(true);
        if (lstHDNSubnodes.count() > 0)
            lstHDNSubnodes.setSelectedItem(&lstHDNSubnodes.item(1));
        Show_HDNSubnodeMeldingen();
    });
}

void SetupHDNOUD::Show_HDNSubnodeMeldingen()
{
    guarded([this] {
        const bool enterprise = hdn().HDNEnterprise == 1;
        lblHoofdcertificaat.setVisible(enterprise);
        lblMelding.setVisible(enterprise);
        lstHdnIndir.setHeight(enterprise ? 1095 : 735);
    });
}

void SetupHDNOUD::chkHDNBewaren_Click()
{
    guarded([this] {
        HdnSettings& s = hdn();
        s.HDNBewaren = chkHDNBewaren.value() == 1;
        if (s.HDNBewaren && s.DirHDNXML.get().isEmpty())
            s.DirHDNXML = app().DefaultDataFolder();
        else if (!s.HDNBewaren)
            s.DirHDNXML = QString();
        cmdHDNExportDir.setEnabled(s.HDNBewaren);
        txtDirHDNXML.setText(s.DirHDNXML);
    });
}

void SetupHDNOUD::chkAfwijkendeIndirHDN_Click()
{
    guarded([this] {
        hdn().AfwijkendeIndirHDN = chkAfwijkendeIndirHDN.value() == 1;
        fraIndir.setVisible(hdn().AfwijkendeIndirHDN);
        fitFrame(fraIndir);
        announce();
    });
}

void SetupHDNOUD::chkHDNEnterprise_Click()
{
    guarded([this] {
        hdn().HDNEnterprise = chkHDNEnterprise.value() == 1 ? 1 : 0;
        fraEnterprise.setVisible(hdn().HDNEnterprise == 1);
        fitFrame(fraEnterprise);
        Show_HDNSubnodeMeldingen();
    });
}

void SetupHDNOUD::jnHdnVerkeerViaAbo_Change()
{
    guarded([this] {
        hdn().HdnVerkeerViaAbo = jnHdnVerkeerViaAbo.isJa();
        Enable_HdnVerkeerControls();
        // The HDN service sends another way now.
        announce();
    });
}

void SetupHDNOUD::cmdEditSubnodes_Click()
{
    guarded([this] {
        const ListItem* row = lstHDNSubnodes.selectedItem();
        if (!row)
            return;
        VestigingRecord* vestiging = Setup<AutorisatieSettings>().Vestiging(row->key().mid(1).toInt());
        frmSubnodeEdit dialog;
        dialog.setVestiging(vestiging);
        dialog.setApplication(app());
        ui().showModal(dialog);
        if (!dialog.Geannuleerd())
            app().SetupChanged();
        Fill_ListviewSubnodes();
    });
}

std::optional<QString> SetupHDNOUD::chooseCertificate()
{
    FileRequest request;
    request.title = u"Selecteer het HDN-certificaat"_s;
    request.filter = u"PKCS#12 certificaat (*.p12;*.pks)|*.p12;*.pks"_s;
    const QString current = hdn().LocatieHdnCertificaat;
    if (!current.isEmpty())
        request.initialFolder = QFileInfo(current).absolutePath();
    std::optional<QString> chosen = ui().chooseOpenFile(request);
    if (chosen && (chosen->isEmpty() || !QFileInfo(*chosen).isFile()))
        return std::nullopt;
    return chosen;
}

void SetupHDNOUD::cmdLocatieHdnCertificaat_Click()
{
    guarded([this] {
        const std::optional<QString> chosen = chooseCertificate();
        if (!chosen)
            return;
        hdn().LocatieHdnCertificaat = *chosen;
        Show_Certificaat();
        Enable_HdnVerkeerControls();
        announce();
    });
}

void SetupHDNOUD::cmdImportHdnCertificaat_Click()
{
    guarded([this] {
        const std::optional<QString> chosen = chooseCertificate();
        if (!chosen)
            return;
        const QString copy = QDir(app().DataFolder()).filePath(QFileInfo(*chosen).fileName());
        if (QFileInfo(copy).absoluteFilePath() != QFileInfo(*chosen).absoluteFilePath()) {
            // Written beside the old copy first, so that a failed copy leaves the old one in place.
            const QString partial = copy + u".nieuw"_s;
            QFile::remove(partial);
            if (!QFile::copy(*chosen, partial) || (QFile::exists(copy) && !QFile::remove(copy)) ||
                !QFile::rename(partial, copy)) {
                QFile::remove(partial);
                ui().msgBox(u"Het certificaat kan niet worden gekopieerd naar "_s + QDir::toNativeSeparators(copy) +
                                u"."_s,
                            MsgButtons::OK, MsgIcon::Exclamation, u"Importeren HDN-certificaat"_s);
                return;
            }
        }
        hdn().LocatieHdnCertificaat = copy;
        Show_Certificaat();
        Enable_HdnVerkeerControls();
        announce();
    });
}

void SetupHDNOUD::cmdClearLocatieHdnCertificaat_Click()
{
    guarded([this] {
        hdn().LocatieHdnCertificaat = QString();
        txtLocatieHdnCertificaat.setText(QString());
        txtLocatieHdnCertificaat.setToolTipText(QString());
        Enable_HdnVerkeerControls();
        announce();
    });
}

void SetupHDNOUD::txtWachtwoordHdnCertificaat_Validation(bool&)
{
    guarded([this] {
        hdn().WachtwoordHdnCertificaat = txtWachtwoordHdnCertificaat.text();
        announce();
    });
}

void SetupHDNOUD::txtHDNNummer_Validation(bool& cancel)
{
    guarded([&] {
        const QString nummer = txtHDNNummer.text().trimmed();
        if (!IsHdnNummer(nummer)) {
            ui().msgBox(u"Ongeldig HDN Nummer ingevoerd..."_s, MsgButtons::OK, MsgIcon::Information,
                        u"Ongeldige invoer"_s);
            txtHDNNummer.setFocus();
            cancel = true;
            return;
        }
        Check_HdnDirectories();
        hdn().HDNNummer = nummer;
        announce();
    });
}

void SetupHDNOUD::Check_HdnDirectories()
{
    guarded([this] {
        if (!hdn().HDNNummer.get().isEmpty() || !txtHDNInDir.text().isEmpty() || !txtHDNOutDir.text().isEmpty() ||
            !txtHDNErrDir.text().isEmpty())
            return;
        const QString base = QDir(app().DataFolder()).filePath(u"HDN berichten"_s);
        // The first folder that cannot be made is told with its reason; the
        // folders made before it are kept, the others stay empty.
        const auto make = [&](const QString& name, TextBox& field, Setting<QString>& setting) {
            const QString folder = QDir(base).filePath(name);
            if (!QDir().mkpath(folder)) {
                ui().msgBox(u"De map %1 kan niet worden gemaakt: %2"_s.arg(QDir::toNativeSeparators(folder),
                                                                           whyNoFolder(folder)),
                            MsgButtons::OK, MsgIcon::Exclamation, Titel());
                return false;
            }
            setting = folder;
            field.setText(folder);
            return true;
        };
        make(u"InDir"_s, txtHDNInDir, hdn().HDNInDir) && make(u"OutDir"_s, txtHDNOutDir, hdn().HDNOutDir) &&
            make(u"ErrorDir"_s, txtHDNErrDir, hdn().HDNErrDir);
    });
}

void SetupHDNOUD::optHDNBerichtenVerwijderenUitDatabase_Click(int index)
{
    guarded(Index{index}, [&] { hdn().HDNBerichtenVerwijderen = qint16(index + 1); });
}

void SetupHDNOUD::cmdHDNBerichtenOpslag_Click()
{
    guarded([this] {
        frmHDNBerichtenOpslag dialog;
        dialog.setApplication(app());
        ui().showModal(dialog);
        Show_HDNBerichtenOpslag(true);
    });
}

void SetupHDNOUD::lblLink_Click()
{
    guarded([this] { ui().openAddress(InstructieAdres()); });
}

} // namespace tarvelo
