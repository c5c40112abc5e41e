#include "pages/integrations/SetupKopUBizz.h"

#include "framework/settings/IntegrationSettings.h"
#include "framework/util/FolderRoutines.h"

namespace tarvelo {

namespace {
using S = IntegrationSettings;
constexpr int ChoiceLabelWidth = 2700;
} // namespace

SetupKopUBizz::SetupKopUBizz()
    : KoppelingPage({QStringLiteral("SetupKopUBizz"), QStringLiteral("XML-koppeling"), QString(), {}, {}, {}}),
      txtExportlocatie(add<TextBox>(fraKoppeling, QStringLiteral("txtExportlocatie"))),
      txtImport(add<TextBox>(fraKoppeling, QStringLiteral("txtImport")))
{
    auto& lblExportlocatie = add<Label>(fraKoppeling, QStringLiteral("lblExportlocatie"), QStringLiteral("Exportlocatie"));
    auto& lblImport = add<Label>(fraKoppeling, QStringLiteral("lblImport"), QStringLiteral("Importlocatie"));
    auto& lblActiveren = add<Label>(fraKoppeling, QStringLiteral("lblActiveren"), QStringLiteral("XML-koppeling activeren"));
    auto& jnActiveren = add<YesNo>(fraKoppeling, QStringLiteral("jnActiveren"));
    auto& lblValideren = add<Label>(fraKoppeling, QStringLiteral("lblValideren"), QStringLiteral("XML-bestanden valideren"));
    auto& jnValideren = add<YesNo>(fraKoppeling, QStringLiteral("jnValideren"));
    auto& lblOmschrijving = add<Label>(fraKoppeling, QStringLiteral("lblOmschrijving"), QStringLiteral("Omschrijving"));
    auto& txtOmschrijving = add<TextBox>(fraKoppeling, QStringLiteral("txtOmschrijving"));
    auto& hntOmschrijving = add<Hint>(
        fraKoppeling, QStringLiteral("hntOmschrijving"),
        QStringLiteral("Voer hier de URL in van de website die geopend wordt bij het aanklikken van het bedrijfslogo op "
                       "het hoofdscherm"));
    bind(jnActiveren, &S::XMLKoppelingActief);
    bind(jnValideren, &S::XMLValideren);
    bind(txtOmschrijving, &S::WebsiteURL).procedure(QStringLiteral("txtOmschrijving_Validation"));
    bind(txtExportlocatie, &S::XMLExportlocatie);
    bind(txtImport, &S::XMLImportlocatie);
    rows()
        .row({{&lblActiveren, ChoiceLabelWidth}, {&jnActiveren, 1455}})
        .row({{&lblValideren, ChoiceLabelWidth}, {&jnValideren, 1455}})
        .field(lblExportlocatie, txtExportlocatie, FieldWidth, LabelWidth)
        .field(lblImport, txtImport, FieldWidth, LabelWidth)
        .field(lblOmschrijving, txtOmschrijving, FieldWidth, LabelWidth)
        .text(hntOmschrijving);
    finishLayout();
    auto& cmdExportlocatie = addFolderButton(txtExportlocatie, QStringLiteral("cmdExportlocatie"));
    auto& cmdImport = addFolderButton(txtImport, QStringLiteral("cmdImport"));
    cmdExportlocatie.Click.connect([this] { cmdExportlocatie_Click(); });
    cmdImport.Click.connect([this] { cmdImport_Click(); });
}

void SetupKopUBizz::cmdExportlocatie_Click()
{
    guarded([this] {
        const QString folder = BrowseForFolder(
            ui(), txtExportlocatie.text(),
            QStringLiteral("Selecteer a.u.b. de map waar u de XML-bestanden naartoe wilt exporteren"));
        if (folder.isEmpty())
            return;
        Setup<S>().XMLExportlocatie = folder;
        txtExportlocatie.setText(folder);
    });
}

void SetupKopUBizz::cmdImport_Click()
{
    guarded([this] {
        const QString folder =
            BrowseForFolder(ui(), txtImport.text(), QStringLiteral("Selecteer de map waar de XML-bestanden staan"));
        if (folder.isEmpty())
            return;
        Setup<S>().XMLImportlocatie = folder;
        txtImport.setText(folder);
    });
}

SetupKopFinly::SetupKopFinly()
    : KoppelingPage({QStringLiteral("SetupKopFinly"), QStringLiteral("Koppeling Finly"),
                     QStringLiteral("Koppeling met Finly"), settingOf(&S::FinlyKoppeling),
                     {veld("txtToken", "Token", &S::FinlyToken, true)},
                     {}})
{
    auto& lblUitleg = add<Label>(
        fraKoppeling, QStringLiteral("lblFinly"),
        QStringLiteral("Met Finly van Future Of Finance kunt u Quenmarix, websites, documenten en uzelf in beeld brengen."),
        0);
    auto& lblMeer = add<Label>(fraKoppeling, QStringLiteral("lblFinly"),
                               QStringLiteral("Voor meer informatie kunt u kijken op"), 1);
    auto& lblLink = addLink(fraKoppeling, QStringLiteral("lblFinly"), 4, InformatieAdres);
    lblUitleg.setWordWrap(true);
    rows().space(RowLayout::RowGap).text(lblUitleg).row({{&lblMeer, 3450}, {&lblLink, 0}});
    finishLayout();
}

SetupKopEDR::SetupKopEDR()
    : KoppelingPage({QStringLiteral("SetupKopEDR"), QStringLiteral("Koppeling EDR Creditservice"),
                     QStringLiteral("Koppeling met EDR Creditservice"), settingOf(&S::EDRKoppeling),
                     {veld("txtGebruikersnaam", "Gebruikersnaam", &S::EDRGebruikersnaam),
                      veld("txtWachtwoord", "Wachtwoord", &S::EDRWachtwoord, true),
                      veld("txtKlantnummer", "Klantnummer", &S::EDRKlantnummer)},
                     {}})
{
    auto& lblUitleg = add<Label>(
        fraKoppeling, QStringLiteral("lblUitleg"),
        QStringLiteral("Met de online EDR Credit Check heeft u als Hypotheekadviseur de mogelijkheid om in een vroeg "
                       "stadium een toetsing te doen naar de kredietwaardigheid van de consument. Hierdoor kunt u een "
                       "goede financi\u00eble inschatting maken van de consument waarmee u in gesprek wilt gaan en kunt "
                       "u deze beter adviseren zodat uw advies aansluit op de persoonlijke situatie. Hiermee geeft u "
                       "invulling aan het"),
        0);
    auto& lblKenUwKlant = add<Label>(fraKoppeling, QStringLiteral("lblUitleg"), QStringLiteral("Ken uw klant"), 1);
    auto& lblPrincipe = add<Label>(
        fraKoppeling, QStringLiteral("lblUitleg"),
        QStringLiteral("principe, uw zorgplicht en beperkt u het krediet- en betalingsrisico van de consument."), 2);
    auto& lblMeer = add<Label>(fraKoppeling, QStringLiteral("lblUitleg"),
                               QStringLiteral("Voor meer informatie over deze koppeling kunt u kijken op:"), 3);
    auto& lblLink = addLink(fraKoppeling, QStringLiteral("lblUitleg"), 4, WebsiteAdres);
    lblKenUwKlant.setFontBold(true);
    for (Label* l : {&lblUitleg, &lblPrincipe, &lblMeer})
        l->setWordWrap(true);
    rows().space(RowLayout::RowGap).text(lblUitleg).line(lblKenUwKlant, RowLayout::LabelHeight).text(lblPrincipe);
    rows().space(RowLayout::RowGap).text(lblMeer).line(lblLink, RowLayout::LabelHeight);
    finishLayout();
}

} // namespace tarvelo
