#include "pages/database_hdn/SetupHDNOUD.h"

#include "framework/forms/Label.h"
#include "framework/host/Application.h"
#include "framework/host/Maatschappij.h"
#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/HdnSettings.h"
#include "framework/settings/AutorisatieSettings.h"
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

namespace tarvelo {

namespace {
constexpr int InnerWidth = 7200;
constexpr int LabelWidth = 2700;
constexpr int ButtonWidth = 375;
constexpr int FolderWidth = InnerWidth - LabelWidth - 3 * RowLayout::Gap - 2 * ButtonWidth;
// A container inside a frame takes the frame's inner width, margins included.
constexpr int NestedWidth = InnerWidth - 2 * RowLayout::Margin;
constexpr int NestedFolderWidth = FolderWidth - 2 * RowLayout::Margin;
const QString CrLf = QStringLiteral("\r\n");

Frame& frameOf(Form& form, const QString& name)
{
    if (Control* found = form.find(name))
        return dynamic_cast<Frame&>(*found);
    return form.add<Frame>(name, &form);
}
} // namespace

QString SetupHDNOUD::InstructieAdres() { return QStringLiteral("https://support.quenmarix.nl/artikel/hdn-platform-instellen"); }

// A frame holding a container that can be hidden ends below what shows, and
// the frames below it move up or down.
void SetupHDNOUD::fitFrame(Frame& container)
{
    Control* outer = container.parent();
    outer->setHeight(container.visible() ? container.bottom() + RowLayout::Gap : container.top());
    form().Resize();
}

SetupHDNOUD::SetupHDNOUD()
    : SettingsPage(QStringLiteral("SetupHDNOUD")),
      cboToonBerichten(add<ComboBox>(frameOf(form(), QStringLiteral("fraHDN")), QStringLiteral("cboToonBerichten"))),
      txtHDNImporterArchieffolder(add<TextBox>(frameOf(form(), QStringLiteral("fraHDN")), QStringLiteral("txtHDNImporterArchieffolder"))),
      chkHDNBewaren(add<CheckBox>(frameOf(form(), QStringLiteral("fraHDN")), QStringLiteral("chkHDNBewaren"),
                                  QStringLiteral("Kopie HDN Bericht bewaren"))),
      txtDirHDNXML(add<TextBox>(frameOf(form(), QStringLiteral("fraHDN")), QStringLiteral("txtDirHDNXML"))),
      cmdHDNExportDir(add<CommandButton>(frameOf(form(), QStringLiteral("fraHDN")), QStringLiteral("cmdHDNExportDir"), QStringLiteral("..."))),
      txtHDNNummer(add<TextBox>(frameOf(form(), QStringLiteral("fraHDN")), QStringLiteral("txtHDNNummer"))),
      lblHoofdcertificaat(add<Label>(frameOf(form(), QStringLiteral("fraHDN")), QStringLiteral("lblHoofdcertificaat"),
                                     QStringLiteral("(Hoofdcertificaat)"))),
      txtHDNInDir(add<TextBox>(frameOf(form(), QStringLiteral("fraHDN")), QStringLiteral("txtHDNInDir"))),
      txtHDNOutDir(add<TextBox>(frameOf(form(), QStringLiteral("fraHDN")), QStringLiteral("txtHDNOutDir"))),
      txtHDNErrDir(add<TextBox>(frameOf(form(), QStringLiteral("fraHDN")), QStringLiteral("txtHDNErrDir"))),
      lblLink(add<Label>(frameOf(form(), QStringLiteral("fraHDN")), QStringLiteral("lblLink"), QStringLiteral("Instructie HDN instellen"))),
      jnHdnVerkeerViaAbo(add<YesNo>(frameOf(form(), QStringLiteral("fraHdnVerkeer")), QStringLiteral("jnHdnVerkeerViaAbo"))),
      lblLocatieHdnCertificaat(add<Label>(frameOf(form(), QStringLiteral("fraHdnVerkeer")), QStringLiteral("lblLocatieHdnCertificaat"),
                                          QStringLiteral("Locatie HDN-certificaat"))),
      txtLocatieHdnCertificaat(add<TextBox>(frameOf(form(), QStringLiteral("fraHdnVerkeer")), QStringLiteral("txtLocatieHdnCertificaat"))),
      cmdLocatieHdnCertificaat(add<CommandButton>(frameOf(form(), QStringLiteral("fraHdnVerkeer")), QStringLiteral("cmdLocatieHdnCertificaat"),
                                                  QStringLiteral("..."))),
      cmdClearLocatieHdnCertificaat(add<CommandButton>(frameOf(form(), QStringLiteral("fraHdnVerkeer")),
                                                       QStringLiteral("cmdClearLocatieHdnCertificaat"), QStringLiteral("X"))),
      cmdImportHdnCertificaat(add<CommandButton>(frameOf(form(), QStringLiteral("fraHdnVerkeer")), QStringLiteral("cmdImportHdnCertificaat"),
                                                 QStringLiteral("Importeren"))),
      lblWachtwoordHdnCertificaat(add<Label>(frameOf(form(), QStringLiteral("fraHdnVerkeer")), QStringLiteral("lblWachtwoordHdnCertificaat"),
                                             QStringLiteral("Wachtwoord"))),
      txtWachtwoordHdnCertificaat(add<TextBox>(frameOf(form(), QStringLiteral("fraHdnVerkeer")), QStringLiteral("txtWachtwoordHdnCertificaat"))),
      cmdHDNBerichtenOpslag(add<CommandButton>(frameOf(form(), QStringLiteral("fraOverig")), QStringLiteral("cmdHDNBerichtenOpslag"),
                                               QStringLiteral("Wijzigen HDN berichten opslag"))),
      txtHDNBerichtenOpslag(add<TextBox>(frameOf(form(), QStringLiteral("fraOverig")), QStringLiteral("txtHDNBerichtenOpslag"))),
      optNooit(add<OptionButton>(frameOf(form(), QStringLiteral("fraOpschonen")), QStringLiteral("optHDNBerichtenVerwijderenUitDatabase"),
                                 QStringLiteral("Nooit verwijderen"), 0)),
      opt6Maanden(add<OptionButton>(frameOf(form(), QStringLiteral("fraOpschonen")), QStringLiteral("optHDNBerichtenVerwijderenUitDatabase"),
                                    QStringLiteral("Berichten ouder dan 6 maanden verwijderen"), 1)),
      opt12Maanden(add<OptionButton>(frameOf(form(), QStringLiteral("fraOpschonen")), QStringLiteral("optHDNBerichtenVerwijderenUitDatabase"),
                                     QStringLiteral("Berichten ouder dan 12 maanden verwijderen"), 2)),
      chkHDNEnterprise(add<CheckBox>(frameOf(form(), QStringLiteral("fraHDNEnterprise")), QStringLiteral("chkHDNEnterprise"),
                                     QStringLiteral("Subnode per vestiging"))),
      fraEnterprise(add<Frame>(frameOf(form(), QStringLiteral("fraHDNEnterprise")), QStringLiteral("fraEnterprise"))),
      lblSubnodes(add<Label>(fraEnterprise, QStringLiteral("lblSubnodes"))),
      lstHDNSubnodes(add<ListView>(fraEnterprise, QStringLiteral("lstHDNSubnodes"))),
      cmdEditSubnodes(add<CommandButton>(fraEnterprise, QStringLiteral("cmdEditSubnodes"), QStringLiteral("Wijzigen subnode per vestiging"))),
      txtHDNEnterpriseUsersFolder(add<TextBox>(fraEnterprise, QStringLiteral("txtHDNEnterpriseUsersFolder"))),
      chkAfwijkendeIndirHDN(add<CheckBox>(frameOf(form(), QStringLiteral("fraInkomend")), QStringLiteral("chkAfwijkendeIndirHDN"),
                                          QStringLiteral("Afwijkende inkomende berichten mappen"))),
      fraIndir(add<Frame>(frameOf(form(), QStringLiteral("fraInkomend")), QStringLiteral("fraIndir"))),
      lblMelding(add<Label>(fraIndir, QStringLiteral("lblMelding"))),
      lstHdnIndir(add<ListView>(fraIndir, QStringLiteral("lstHdnIndir"))),
      cmdToevoegen(add<CommandButton>(fraIndir, QStringLiteral("cmdToevoegen"), QStringLiteral("Toevoegen"))),
      cmdVerwijderen(add<CommandButton>(fraIndir, QStringLiteral("cmdVerwijderen"), QStringLiteral("Verwijderen"))),
      indirs_(*this, lstHdnIndir, cmdToevoegen, cmdVerwijderen, {QStringLiteral("Fill_Listview"), QStringLiteral("Update_SetupHDNInDirs")})
{
    Frame& fraHDN = frameOf(form(), QStringLiteral("fraHDN"));
    Frame& fraHdnVerkeer = frameOf(form(), QStringLiteral("fraHdnVerkeer"));
    Frame& fraOverig = frameOf(form(), QStringLiteral("fraOverig"));
    Frame& fraOpschonen = frameOf(form(), QStringLiteral("fraOpschonen"));
    Frame& fraHDNEnterprise = frameOf(form(), QStringLiteral("fraHDNEnterprise"));
    Frame& fraInkomend = frameOf(form(), QStringLiteral("fraInkomend"));
    fraHDN.setCaption(QStringLiteral("HDN"));
    fraHdnVerkeer.setCaption(QStringLiteral("HDN-berichtenverkeer"));
    fraOverig.setCaption(QStringLiteral("Overig"));
    fraOpschonen.setCaption(QStringLiteral("Oudere HDN berichten automatisch verwijderen uit database"));
    fraHDNEnterprise.setCaption(QStringLiteral("HDN Enterprise"));
    fraInkomend.setCaption(QStringLiteral("Inkomende berichten"));

    // HDN: overview, importer archive, copies, number and the client's folders.
    auto& lblToonBerichten = add<Label>(fraHDN, QStringLiteral("lblToonBerichten"), QStringLiteral("Toon HDN-overzicht met"));
    auto& lblArchief = add<Label>(fraHDN, QStringLiteral("lblHDNImporterArchieffolder"), QStringLiteral("Archiefmap HDN Importer"));
    auto& cmdHDNImporterArchieffolder = add<CommandButton>(fraHDN, QStringLiteral("cmdHDNImporterArchieffolder"), QStringLiteral("..."));
    auto& lblHDNNummer = add<Label>(fraHDN, QStringLiteral("lblHDNNummer"), QStringLiteral("HDN-nummer"));
    auto& lblIn = add<Label>(fraHDN, QStringLiteral("lblHDNInDir"), QStringLiteral("Inkomende berichten"));
    auto& cmdHDNInDir = add<CommandButton>(fraHDN, QStringLiteral("cmdHDNInDir"), QStringLiteral("..."));
    auto& cmdClearHDNInDir = add<CommandButton>(fraHDN, QStringLiteral("cmdClearHDNInDir"), QStringLiteral("X"));
    auto& lblOut = add<Label>(fraHDN, QStringLiteral("lblHDNOutDir"), QStringLiteral("Uitgaande berichten"));
    auto& cmdHDNOutDir = add<CommandButton>(fraHDN, QStringLiteral("cmdHDNOutDir"), QStringLiteral("..."));
    auto& cmdClearHDNOutDir = add<CommandButton>(fraHDN, QStringLiteral("cmdClearHDNOutDir"), QStringLiteral("X"));
    auto& lblErr = add<Label>(fraHDN, QStringLiteral("lblHDNErrDir"), QStringLiteral("Foutberichten"));
    auto& cmdHdnErrDir = add<CommandButton>(fraHDN, QStringLiteral("cmdHdnErrDir"), QStringLiteral("..."));
    auto& cmdClearHdnErrDir = add<CommandButton>(fraHDN, QStringLiteral("cmdClearHdnErrDir"), QStringLiteral("X"));
    auto& hntHDN = add<Hint>(fraHDN, QStringLiteral("hntHDN"),
                             QStringLiteral("Zorg ervoor dat uw digitale HDN certificaat geïnstalleerd is. Deze kunt u aanvragen bij HDN.") +
                                 QStringLiteral(" Meer informatie over het HDN-platform vindt u op www.hdn.nl."));
    lblLink.setLink(true);
    txtHDNNummer.setMaxLength(6);
    RowLayout(fraHDN, InnerWidth)
        .row({{&lblToonBerichten, LabelWidth}, {&cboToonBerichten, 2055}})
        .row({{&lblArchief, LabelWidth}, {&txtHDNImporterArchieffolder, FolderWidth}, {&cmdHDNImporterArchieffolder, ButtonWidth}})
        .row({{&chkHDNBewaren, LabelWidth}, {&txtDirHDNXML, FolderWidth}, {&cmdHDNExportDir, ButtonWidth}})
        .row({{&lblHDNNummer, LabelWidth}, {&txtHDNNummer, 1200}, {&lblHoofdcertificaat, 0}})
        .row({{&lblIn, LabelWidth}, {&txtHDNInDir, FolderWidth}, {&cmdHDNInDir, ButtonWidth}, {&cmdClearHDNInDir, ButtonWidth}})
        .row({{&lblOut, LabelWidth}, {&txtHDNOutDir, FolderWidth}, {&cmdHDNOutDir, ButtonWidth}, {&cmdClearHDNOutDir, ButtonWidth}})
        .row({{&lblErr, LabelWidth}, {&txtHDNErrDir, FolderWidth}, {&cmdHdnErrDir, ButtonWidth}, {&cmdClearHdnErrDir, ButtonWidth}})
        .text(hntHDN)
        .line(lblLink, RowLayout::LabelHeight)
        .finish();

    // The route through the consumer portal and its certificate.
    auto& lblHdnVerkeerViaAbo = add<Label>(fraHdnVerkeer, QStringLiteral("lblHdnVerkeerViaAbo"), QStringLiteral("Via Quenmarix Online"));
    auto& htnHdnVerkeerViaAbo = add<Hint>(fraHdnVerkeer, QStringLiteral("htnHdnVerkeerViaAbo"));
    htnHdnVerkeerViaAbo.setText(
        QStringLiteral("Selecteer 'Ja' indien u in HDN WebCert Quenmarix Online gemachtigd heeft om namens uw organisatie ") +
        QStringLiteral("HDN berichten te verzenden en ontvangen. ") +
        QStringLiteral("Vervolgens dient u hieronder aan te geven waar het HDN-certificaat (dat u met HDN WebCert kunt exporteren) ") +
        QStringLiteral("zich bevindt en het bijbehorende wachtwoord in te voeren.") + CrLf +
        QStringLiteral("Selecteer 'Nee' indien het HDN-berichtenverkeer via HDN Basic verloopt."));
    txtLocatieHdnCertificaat.setLocked(true);
    txtWachtwoordHdnCertificaat.setPasswordChar(QLatin1Char('*'));
    RowLayout(fraHdnVerkeer, InnerWidth)
        .row({{&lblHdnVerkeerViaAbo, LabelWidth}, {&jnHdnVerkeerViaAbo, 1455}})
        .text(htnHdnVerkeerViaAbo)
        .row({{&lblLocatieHdnCertificaat, LabelWidth}, {&txtLocatieHdnCertificaat, FolderWidth},
              {&cmdLocatieHdnCertificaat, ButtonWidth}, {&cmdClearLocatieHdnCertificaat, ButtonWidth}})
        .row({{&lblWachtwoordHdnCertificaat, LabelWidth}, {&txtWachtwoordHdnCertificaat, 2055}, {&cmdImportHdnCertificaat, 1215}})
        .finish();

    // Other.
    auto& chkRetourberichten = add<CheckBox>(fraOverig, QStringLiteral("chkRetourberichten"),
                                             QStringLiteral("Bij opstarten controleren op retourberichten"));
    auto& chkAdviesBlokkeren = add<CheckBox>(fraOverig, QStringLiteral("chkAdviesBlokkerenNaHDNAanvraag"),
                                             QStringLiteral("Advies blokkeren na HDN aanvraag"));
    auto& lblOpslag = add<Label>(fraOverig, QStringLiteral("lblHDNBerichtenOpslag"), QStringLiteral("HDN berichten opslag"));
    txtHDNBerichtenOpslag.setLocked(true);
    RowLayout(fraOverig, InnerWidth)
        .line(chkRetourberichten, RowLayout::LabelHeight)
        .line(chkAdviesBlokkeren, RowLayout::LabelHeight)
        .row({{&lblOpslag, LabelWidth}, {&txtHDNBerichtenOpslag, FolderWidth}})
        .row({{&cmdHDNBerichtenOpslag, 2900}})
        .finish();

    // Clean-up, listed from the longest keeping time down.
    auto& hntOpschonen = add<Hint>(fraOpschonen, QStringLiteral("hntHDNBerichtenVerwijderen"),
                                   QStringLiteral("Hier kunt u aangeven of Quenmarix bij het opstarten automatisch oudere HDN berichten uit de adviezendatabase verwijderd. Dit kan veel ruimte schelen."));
    RowLayout(fraOpschonen, InnerWidth)
        .line(opt12Maanden, RowLayout::LabelHeight)
        .line(opt6Maanden, RowLayout::LabelHeight)
        .line(optNooit, RowLayout::LabelHeight)
        .text(hntOpschonen)
        .finish();

    // HDN Enterprise: a subnode per branch.
    lblSubnodes.setCaption(QStringLiteral("Onderstaand kunt u uw vestigingen koppelen aan specifieke HDN-nummers."));
    auto& lblUsers = add<Label>(fraEnterprise, QStringLiteral("lblHDNEnterpriseUsersFolder"), QStringLiteral("HDN Users map"));
    auto& cmdUsers = add<CommandButton>(fraEnterprise, QStringLiteral("cmdHDNEnterpriseUsersFolder"), QStringLiteral("..."));
    auto& cmdClearUsers = add<CommandButton>(fraEnterprise, QStringLiteral("cmdClearHDNEnterpriseUsersFolder"), QStringLiteral("X"));
    auto& hntUsers = add<Hint>(fraEnterprise, QStringLiteral("hntHDNEnterpriseUsersFolder"),
                               QStringLiteral("Selecteer hier de HDN Enterprise 'Users' folder."));
    lstHDNSubnodes.setFullRowSelect(true);
    lstHDNSubnodes.setHideSelection(false);
    RowLayout(fraEnterprise, NestedWidth, false)
        .text(lblSubnodes)
        .line(lstHDNSubnodes, 1215)
        .row({{&cmdEditSubnodes, 2900}})
        .row({{&lblUsers, LabelWidth}, {&txtHDNEnterpriseUsersFolder, NestedFolderWidth}, {&cmdUsers, ButtonWidth},
              {&cmdClearUsers, ButtonWidth}})
        .text(hntUsers)
        .finish();
    RowLayout(fraHDNEnterprise, InnerWidth)
        .line(chkHDNEnterprise, RowLayout::LabelHeight)
        .line(fraEnterprise, fraEnterprise.height())
        .finish();

    // Alternative incoming folders.
    auto& lblInkoopcombinaties = add<Label>(
        fraIndir, QStringLiteral("lblInkoopcombinaties"),
        QStringLiteral("Onderstaand kunt u per berichtsoort instellen waar deze binnenkomen, indien u in de configuratie van de HDN Client afwijkende locaties hebt ingevoerd. U hoeft geen locaties in te stellen als alle berichtsoorten in de standaard HDN indir binnenkomen."));
    lblMelding.setCaption(QStringLiteral("Let op: deze mappen zijn alleen van toepassing op het hoofdcertificaat."));
    RowLayout(fraIndir, NestedWidth, false)
        .text(lblInkoopcombinaties)
        .text(lblMelding)
        .line(lstHdnIndir, 1095)
        .row({{&cmdToevoegen, 1215}, {&cmdVerwijderen, 1215}})
        .finish();
    RowLayout(fraInkomend, InnerWidth)
        .line(chkAfwijkendeIndirHDN, RowLayout::LabelHeight)
        .line(fraIndir, fraIndir.height())
        .finish();

    bind(cboToonBerichten, &HdnSettings::ToonBerichten,
         {{QStringLiteral("alle"), 1},
          {QStringLiteral("de laatste 10"), 10},
          {QStringLiteral("de laatste 50"), 50},
          {QStringLiteral("de laatste 100"), 100},
          {QStringLiteral("de laatste 250"), 250}})
        .defaultWhenEmpty(100);
    bind(chkAdviesBlokkeren, &HdnSettings::AdviesBlokkerenNaHDNAanvraag);
    bind(chkRetourberichten, &HdnSettings::Retourberichten);

    chkHDNBewaren.Click.connect([this] { if (!IsLoading) chkHDNBewaren_Click(); });
    chkAfwijkendeIndirHDN.Click.connect([this] { if (!IsLoading) chkAfwijkendeIndirHDN_Click(); });
    chkHDNEnterprise.Click.connect([this] { if (!IsLoading) chkHDNEnterprise_Click(); });
    jnHdnVerkeerViaAbo.Change.connect([this] { if (!IsLoading) jnHdnVerkeerViaAbo_Change(); });
    addFolderHandlers(txtHDNInDir, &cmdHDNInDir, &cmdClearHDNInDir, QStringLiteral("Selecteer de 'in'-map van HDN"),
                      &HdnSettings::HDNInDir, true);
    addFolderHandlers(txtHDNOutDir, &cmdHDNOutDir, &cmdClearHDNOutDir, QStringLiteral("Selecteer de 'out'-map van HDN"),
                      &HdnSettings::HDNOutDir, true);
    addFolderHandlers(txtHDNErrDir, &cmdHdnErrDir, &cmdClearHdnErrDir, QStringLiteral("Selecteer de 'errors'-map van HDN"),
                      &HdnSettings::HDNErrDir, true);
    addFolderHandlers(txtDirHDNXML, &cmdHDNExportDir, nullptr,
                      QStringLiteral("Selecteer de folder waar u het HDN-XML bericht wilt bewaren"), &HdnSettings::DirHDNXML, false);
    addFolderHandlers(txtHDNImporterArchieffolder, &cmdHDNImporterArchieffolder, nullptr,
                      QStringLiteral("Selecteer de archieffolder voor de HDN Importer"), &HdnSettings::HDNImporterArchieffolder, false);
    addFolderHandlers(txtHDNEnterpriseUsersFolder, &cmdUsers, &cmdClearUsers,
                      QStringLiteral("Selecteer de 'users'-map van HDN Enterprise"), &HdnSettings::HDNEnterpriseUsersFolder, false);
    txtHDNNummer.Validate.connect([this](bool& cancel) { txtHDNNummer_Validation(cancel); });
    txtWachtwoordHdnCertificaat.Validate.connect([this](bool& cancel) { txtWachtwoordHdnCertificaat_Validation(cancel); });
    cmdLocatieHdnCertificaat.Click.connect([this] { cmdLocatieHdnCertificaat_Click(); });
    cmdImportHdnCertificaat.Click.connect([this] { cmdImportHdnCertificaat_Click(); });
    cmdClearLocatieHdnCertificaat.Click.connect([this] { cmdClearLocatieHdnCertificaat_Click(); });
    cmdHDNBerichtenOpslag.Click.connect([this] { cmdHDNBerichtenOpslag_Click(); });
    cmdEditSubnodes.Click.connect([this] { cmdEditSubnodes_Click(); });
    lstHDNSubnodes.DblClick.connect([this] { cmdEditSubnodes_Click(); });
    lblLink.Click.connect([this] { lblLink_Click(); });
    int index = 0;
    for (OptionButton* option : {&optNooit, &opt6Maanden, &opt12Maanden}) {
        option->Click.connect([this, index] { if (!IsLoading) optHDNBerichtenVerwijderenUitDatabase_Click(index); });
        ++index;
    }
    indirs_.Changed = [this] { announce(); };

    stackFrames({&fraHDN, &fraHdnVerkeer, &fraOverig, &fraOpschonen, &fraHDNEnterprise, &fraInkomend});
}

HdnSettings& SetupHDNOUD::hdn() const { return Setup<HdnSettings>(); }

void SetupHDNOUD::announce()
{
    app().RaiseNotify(componentName(), QStringLiteral("frmInstellingen"), QStringLiteral("HdnServiceChanged"), QVariant());
}

void SetupHDNOUD::addFolderHandlers(TextBox& field, CommandButton* browse, CommandButton* clear, const QString& title,
                                    Setting<QString> HdnSettings::*setting, bool announces)
{
    TextBox* box = &field;
    if (browse) {
        browse->Click.connect([=, this] {
            guarded(browse->name() + QStringLiteral("_Click"), [&] {
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
            guarded(clear->name() + QStringLiteral("_Click"), [&] {
                box->setText(QString());
                hdn().*setting = QString();
                // The running HDN service must stop using a folder that is no longer set.
                if (announces)
                    announce();
            });
        });
    }
    field.Validate.connect([=, this](bool& cancel) {
        guarded(box->name() + QStringLiteral("_Validation"), [&] {
            const QString folder = box->text().trimmed();
            if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
                ui().msgBox(QStringLiteral("De ingevoerde folder bestaat niet of is niet beschikbaar. Kies een andere folder."),
                            MsgButtons::OK, MsgIcon::Exclamation, folder + QStringLiteral(" niet beschikbaar"));
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
    IsLoading = true;
    struct Done {
        bool& loading;
        ~Done() { loading = false; }
    } done{IsLoading};
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
    case 2:
        opt6Maanden.setValue(true);
        break;
    case 3:
        opt12Maanden.setValue(true);
        break;
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
        txtHDNBerichtenOpslag.setText(map.isEmpty() ? QStringLiteral("Opslaglocatie niet bekend") : map);
    } else {
        txtHDNBerichtenOpslag.setText(afterChange ? QStringLiteral("In database") : QStringLiteral(" In adviezendatabase"));
    }
}

void SetupHDNOUD::Fill_ListviewSubnodes()
{
    guarded([this] {
        const bool enterprise = hdn().HDNEnterprise == 1;
        const bool loading = IsLoading;
        IsLoading = true;
        chkHDNEnterprise.setChecked(enterprise);
        IsLoading = loading;
        fraEnterprise.setVisible(enterprise);
        fitFrame(fraEnterprise);
        const AutorisatieSettings& vestigingen = Setup<AutorisatieSettings>();
        const bool any = vestigingen.Vestiging(1) != nullptr;
        lstHDNSubnodes.setEnabled(any);
        cmdEditSubnodes.setVisible(any);
        cmdEditSubnodes.setEnabled(any);
        lblSubnodes.setCaption(any ? QStringLiteral("Onderstaand kunt u uw vestigingen koppelen aan specifieke HDN-nummers.")
                                   : QStringLiteral("Maak eerst vestigingen aan in het onderdeel 'Inregelen - Autorisatie'."));
        txtHDNEnterpriseUsersFolder.setText(hdn().HDNEnterpriseUsersFolder);
        lstHDNSubnodes.clear();
        lstHDNSubnodes.clearColumns();
        lstHDNSubnodes.addColumn(QStringLiteral("Vestiging"), QStringLiteral("Vestiging"), 3600);
        lstHDNSubnodes.addColumn(QStringLiteral("HDN-nummer"), QStringLiteral("HDN-nummer"), 1800);
        for (int i = 1; const VestigingRecord* vestiging = vestigingen.Vestiging(i); ++i)
            lstHDNSubnodes.addItem(QStringLiteral("v%1").arg(i), vestiging->Naam).setSubItem(1, vestiging->HDNNummer);
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
    request.title = QStringLiteral("Selecteer het HDN-certificaat");
    request.filter = QStringLiteral("PKCS#12 certificaat (*.p12;*.pks)|*.p12;*.pks");
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
            const QString partial = copy + QStringLiteral(".nieuw");
            QFile::remove(partial);
            if (!QFile::copy(*chosen, partial) || (QFile::exists(copy) && !QFile::remove(copy)) || !QFile::rename(partial, copy)) {
                QFile::remove(partial);
                ui().msgBox(QStringLiteral("Het certificaat kan niet worden gekopieerd naar ") + QDir::toNativeSeparators(copy) +
                                QStringLiteral("."),
                            MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Importeren HDN-certificaat"));
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
            ui().msgBox(QStringLiteral("Ongeldig HDN Nummer ingevoerd..."), MsgButtons::OK, MsgIcon::Information,
                        QStringLiteral("Ongeldige invoer"));
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
        const QString base = QDir(app().DataFolder()).filePath(QStringLiteral("HDN berichten"));
        const auto make = [&](const QString& name, TextBox& field, Setting<QString>& setting) {
            const QString folder = QDir(base).filePath(name);
            if (!QDir().mkpath(folder))
                return;
            setting = folder;
            field.setText(folder);
        };
        make(QStringLiteral("InDir"), txtHDNInDir, hdn().HDNInDir);
        make(QStringLiteral("OutDir"), txtHDNOutDir, hdn().HDNOutDir);
        make(QStringLiteral("ErrorDir"), txtHDNErrDir, hdn().HDNErrDir);
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
