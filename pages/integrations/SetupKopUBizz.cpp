#include "pages/integrations/SetupKopUBizz.h"

#include "framework/settings/IntegrationSettings.h"
#include "framework/util/FolderRoutines.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
using S = IntegrationSettings;
constexpr int ChoiceLabelWidth = 2700;
} // namespace

SetupKopUBizz::SetupKopUBizz()
    : KoppelingPage({u"SetupKopUBizz"_s, u"XML-koppeling"_s, QString(), {}, {}, {}}),
      txtExportlocatie(add<TextBox>(fraKoppeling, u"txtExportlocatie"_s)),
      txtImport(add<TextBox>(fraKoppeling, u"txtImport"_s))
{
    auto& lblExportlocatie = add<Label>(fraKoppeling, u"lblExportlocatie"_s, u"Exportlocatie"_s);
    auto& lblImport = add<Label>(fraKoppeling, u"lblImport"_s, u"Importlocatie"_s);
    auto& lblActiveren = add<Label>(fraKoppeling, u"lblActiveren"_s, u"XML-koppeling activeren"_s);
    auto& jnActiveren = add<YesNo>(fraKoppeling, u"jnActiveren"_s);
    auto& lblValideren = add<Label>(fraKoppeling, u"lblValideren"_s, u"XML-bestanden valideren"_s);
    auto& jnValideren = add<YesNo>(fraKoppeling, u"jnValideren"_s);
    auto& lblOmschrijving = add<Label>(fraKoppeling, u"lblOmschrijving"_s, u"Omschrijving"_s);
    auto& txtOmschrijving = add<TextBox>(fraKoppeling, u"txtOmschrijving"_s);
    auto& hntOmschrijving =
        add<Hint>(fraKoppeling, u"hntOmschrijving"_s,
                  u"Voer hier de URL in van de website die geopend wordt bij het aanklikken van het bedrijfslogo op "
                  "het hoofdscherm"_s);
    bind(jnActiveren, &S::XMLKoppelingActief);
    bind(jnValideren, &S::XMLValideren);
    bind(txtOmschrijving, &S::WebsiteURL).procedure(u"txtOmschrijving_Validation"_s);
    bind(txtExportlocatie, &S::XMLExportlocatie);
    bind(txtImport, &S::XMLImportlocatie);
    rows()
        .row({{&lblActiveren, ChoiceLabelWidth}, {&jnActiveren, 1455}})
        .row({{&lblValideren, ChoiceLabelWidth}, {&jnValideren, 1455}})
        .field(lblExportlocatie, txtExportlocatie, FieldWidth, LabelWidth)
        .field(lblImport, txtImport, FieldWidth, LabelWidth)
        .field(lblOmschrijving, txtOmschrijving, FieldWidth, LabelWidth)
        .text(hntOmschrijving);
    auto& cmdExportlocatie = addFolderButton(txtExportlocatie, u"cmdExportlocatie"_s);
    auto& cmdImport = addFolderButton(txtImport, u"cmdImport"_s);
    finishLayout();
    cmdExportlocatie.Click.connect([this] { cmdExportlocatie_Click(); });
    cmdImport.Click.connect([this] { cmdImport_Click(); });
}

void SetupKopUBizz::cmdExportlocatie_Click()
{
    guarded([this] {
        const QString folder =
            BrowseForFolder(ui(), txtExportlocatie.text(),
                            u"Selecteer a.u.b. de map waar u de XML-bestanden naartoe wilt exporteren"_s);
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
            BrowseForFolder(ui(), txtImport.text(), u"Selecteer de map waar de XML-bestanden staan"_s);
        if (folder.isEmpty())
            return;
        Setup<S>().XMLImportlocatie = folder;
        txtImport.setText(folder);
    });
}

SetupKopFinly::SetupKopFinly()
    : KoppelingPage({u"SetupKopFinly"_s,
                     u"Koppeling Finly"_s,
                     u"Koppeling met Finly"_s,
                     settingOf(&S::FinlyKoppeling),
                     {veld("txtToken", "Token", &S::FinlyToken, true)},
                     {}})
{
    auto& lblUitleg = add<Label>(
        fraKoppeling, u"lblFinly"_s,
        u"Met Finly van Future Of Finance kunt u Quenmarix, websites, documenten en uzelf in beeld brengen."_s, 0);
    auto& lblMeer = add<Label>(fraKoppeling, u"lblFinly"_s, u"Voor meer informatie kunt u kijken op"_s, 1);
    auto& lblLink = addLink(fraKoppeling, u"lblFinly"_s, 4, InformatieAdres);
    lblUitleg.setWordWrap(true);
    rows().space(RowLayout::RowGap).text(lblUitleg).row({{&lblMeer, 3450}, {&lblLink, 0}});
    finishLayout();
}

SetupKopEDR::SetupKopEDR()
    : KoppelingPage({u"SetupKopEDR"_s,
                     u"Koppeling EDR Creditservice"_s,
                     u"Koppeling met EDR Creditservice"_s,
                     settingOf(&S::EDRKoppeling),
                     {veld("txtGebruikersnaam", "Gebruikersnaam", &S::EDRGebruikersnaam),
                      veld("txtWachtwoord", "Wachtwoord", &S::EDRWachtwoord, true),
                      veld("txtKlantnummer", "Klantnummer", &S::EDRKlantnummer)},
                     {}})
{
    auto& lblUitleg =
        add<Label>(fraKoppeling, u"lblUitleg"_s,
                   u"Met de online EDR Credit Check heeft u als Hypotheekadviseur de mogelijkheid om in een vroeg "
                   "stadium een toetsing te doen naar de kredietwaardigheid van de consument. Hierdoor kunt u een "
                   "goede financi\u00eble inschatting maken van de consument waarmee u in gesprek wilt gaan en kunt "
                   "u deze beter adviseren zodat uw advies aansluit op de persoonlijke situatie. Hiermee geeft u "
                   "invulling aan het"_s,
                   0);
    auto& lblKenUwKlant = add<Label>(fraKoppeling, u"lblUitleg"_s, u"Ken uw klant"_s, 1);
    auto& lblPrincipe =
        add<Label>(fraKoppeling, u"lblUitleg"_s,
                   u"principe, uw zorgplicht en beperkt u het krediet- en betalingsrisico van de consument."_s, 2);
    auto& lblMeer =
        add<Label>(fraKoppeling, u"lblUitleg"_s, u"Voor meer informatie over deze koppeling kunt u kijken op:"_s, 3);
    auto& lblLink = addLink(fraKoppeling, u"lblUitleg"_s, 4, WebsiteAdres);
    lblKenUwKlant.setFontBold(true);
    // The principle's name is a term in bold inside the sentence, which reads as one paragraph.
    lblUitleg.continueWith(lblKenUwKlant);
    lblUitleg.continueWith(lblPrincipe);
    for (Label* l : {&lblUitleg, &lblMeer})
        l->setWordWrap(true);
    rows().space(RowLayout::RowGap).text(lblUitleg);
    rows().space(RowLayout::RowGap).text(lblMeer).line(lblLink);
    finishLayout();
}

} // namespace tarvelo
