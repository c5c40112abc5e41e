#include "pages/advice/SetupDocumenten.h"

#include "framework/errors/Conversions.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/Frame.h"
#include "framework/forms/YesNo.h"
#include "framework/host/Application.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/CurrentAdviserSettings.h"
#include "framework/settings/DocumentSettings.h"
#include "framework/ui/Ui.h"
#include "framework/util/NumberText.h"
#include "pages/advice/AdviseurnaamWeergave.h"
#include "pages/advice/frmKolommenFinancieelPlan.h"
#include "pages/advice/frmToetsingKolommen.h"
#include "pages/general/frmFormaatLogo.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 7200;
constexpr int LabelWidth = 2895;
constexpr int FieldWidth = InnerWidth - LabelWidth - RowLayout::Gap;
constexpr int NumberWidth = 675;
constexpr int AlignWidth = 1335;
constexpr int AlignLabelWidth = 795;
constexpr int OptionWidth = 1335;
constexpr int MarginLabelWidth = 615;

// A position on the covering letter beyond this many centimetres is no
// position: the standard one replaces it.
constexpr double MaxPositie = 255;
constexpr double StandaardPositieBoven = 5.5;
constexpr double StandaardPositieLinks = 3;

// The report draws a stored -1 as right-aligned.
constexpr qint32 OudeLogoUitlijning = -1;

constexpr qint32 GrafiekenTonen = -1;
constexpr qint32 GrafiekenNietTonen = 0;

const QString StandaardAfbeelding = u"Standaard..."_s;

// The order differs from the codes: Links 0, Rechts 2, Midden 1.
std::vector<ListEntry> uitlijningen() { return {{u"Links"_s, 0}, {u"Rechts"_s, 2}, {u"Midden"_s, 1}}; }

// A margin or position as typed: a number of 0 or more, or nothing.
std::optional<double> typedNumber(const QString& text)
{
    try {
        const double number = CDbl(text);
        if (number >= 0)
            return number;
    } catch (const RuntimeError&) {
    }
    return std::nullopt;
}

const QString HintAdviseurnaam =
    u"Bij \"hoofdkantoor\" wordt altijd de \"Contactpersoon\" gebruikt uit uw Quenmarix registratie. "
    "Indien u kiest voor \"bijkantoor\", dan zal bij het importeren van adviezen de naam van de "
    "oorspronkelijke adviseur op uw formulieren en documenten getoond worden."_s;
const QString HintVoorbeeld =
    u"Deze instelling geldt alleen voor nieuwe adviezen. De adviseurnaam in bestaande adviezen is alleen "
    "te wijzigen door een andere adviseur aan het advies te koppelen."_s;
const QString AfbeeldingFilter = u"Bitmap (*.bmp;*.dib)|*.bmp;*.dib|"_s + u"GIF (*.gif)|*.gif|"_s +
                                 u"JPEG (*.jpg)|*.jpg|"_s + u"Metabestanden (*.wmf;*.emf)|*.wmf;*.emf|"_s +
                                 u"Icon (*.ico;*.cur)|*.ico;*.cur|"_s +
                                 u"Alle afbeeldingen|*.bmp;*.dib;*.gif;*.jpg;*.wmf;*.emf;*.ico;*.cur"_s;
} // namespace

SetupDocumenten::SetupDocumenten() : SettingsPage(u"SetupDocumenten"_s)
{
    stackFrames({&addOndertekening(), &addOverzichten(), &addWordRapportages(), &addPositieAdresgegevens()});
}

Label& SetupDocumenten::label(Control& parent, const char* name, const char* caption, int index)
{
    return add<Label>(parent, QString::fromLatin1(name), QString::fromUtf8(caption), index);
}

// The adviser's name and the signature line on forms.
Frame& SetupDocumenten::addOndertekening()
{
    auto& fraOndertekening = add<Frame>(form(), u"fraOndertekening"_s, u"Ondertekening"_s);
    auto& lblAdviseurNaam = label(fraOndertekening, "lblAdviseurNaam", "Tonen op formulieren");
    auto& cboAdviseurNaam = add<ComboBox>(fraOndertekening, u"cboAdviseurNaam"_s);
    auto& hntAdviseurnaam = add<Hint>(fraOndertekening, u"hntAdviseurnaam"_s, HintAdviseurnaam);
    auto& lblOndertekening = label(fraOndertekening, "lblOndertekening", "Extra ondertekeningsregel");
    auto& txtOndertekening = add<TextBox>(fraOndertekening, u"txtOndertekening"_s);
    auto& lblWeergave = label(fraOndertekening, "lblWeergaveAdviseurnaam", "Weergave adviseurnaam");
    auto& cboWeergaveAdviseurnaam = add<ComboBox>(fraOndertekening, u"cboWeergaveAdviseurnaam"_s);
    auto& lblVoorbeeld = label(fraOndertekening, "lblVoorbeeld", "Voorbeeld");
    lblVoorbeeldAdviseurnaam = &add<Label>(fraOndertekening, u"lblVoorbeeldAdviseurnaam"_s);
    auto& hntVoorbeeld = add<Hint>(fraOndertekening, u"hntVoorbeeldAdviseurnaam"_s, HintVoorbeeld);
    auto& lblAanvraagformulier = label(fraOndertekening, "lblAanvraagformulier", "Aanvraagformulier");
    auto& chkTonenOpAanvraagformulier =
        add<CheckBox>(fraOndertekening, u"chkTonenOpAanvraagformulier"_s, u"Bedrijfslogo tonen"_s);
    cboAdviseurNaam.addItem(u"Adviseurnaam van hoofdkantoor"_s);
    cboAdviseurNaam.addItem(u"Adviseurnaam van bijkantoor"_s);
    lblVoorbeeldAdviseurnaam->setFontBold(true);

    bindIndex(cboAdviseurNaam, &DocumentSettings::AdviseurNaam);
    bind(txtOndertekening, &DocumentSettings::Ondertekening);
    bind(cboWeergaveAdviseurnaam, &DocumentSettings::WeergaveAdviseurnaam,
         {{u"Voorletters Achternaam"_s, 1},
          {u"Titel Achternaam"_s, 2},
          {u"Titel Voorletters Achternaam"_s, 5},
          {u"Voorletters (Voornamen) Achternaam"_s, 3},
          {u"Voornamen Achternaam"_s, 4}})
        .defaultWhenEmpty()
        .then([this] { Show_VoorbeeldAdviseurnaam(); });
    bind(chkTonenOpAanvraagformulier, &DocumentSettings::LogoOpAanvraagformulier);
    RowLayout(fraOndertekening, InnerWidth)
        .field(lblAdviseurNaam, cboAdviseurNaam, FieldWidth, LabelWidth)
        .text(hntAdviseurnaam)
        .field(lblOndertekening, txtOndertekening, FieldWidth, LabelWidth)
        .field(lblWeergave, cboWeergaveAdviseurnaam, FieldWidth, LabelWidth)
        .row({{&lblVoorbeeld, LabelWidth}, {lblVoorbeeldAdviseurnaam, 0}})
        .text(hntVoorbeeld)
        .row({{&lblAanvraagformulier, LabelWidth}, {&chkTonenOpAanvraagformulier, 0}})
        .finish();
    return fraOndertekening;
}

// Amounts, years, graphs, column headings and printer margins of the overviews.
Frame& SetupDocumenten::addOverzichten()
{
    auto& fraOverzichten = add<Frame>(form(), u"fraOverzichten"_s, u"Instellingen overzichten"_s);
    auto& lblBedragen = label(fraOverzichten, "lblBedragen", "Bedragen tonen in");
    auto& cboBedragen = add<ComboBox>(fraOverzichten, u"cboBedragen"_s);
    auto& lblTonenJaren = label(fraOverzichten, "lblTonenJaren", "Tonen van");
    auto& cboTonenJaren = add<ComboBox>(fraOverzichten, u"cboTonenJaren"_s);
    auto& lblScenarioGrafieken = label(fraOverzichten, "lblScenarioGrafieken", "Scenario-grafieken tonen");
    auto& cboScenarioGrafieken = add<ComboBox>(fraOverzichten, u"cboScenarioGrafieken"_s);
    auto& lblUitlijning =
        label(fraOverzichten, "lblUitlijningKolomkoppen", "Uitlijning kolomkoppen scenario-overzichten");
    auto& optHorizontaal = add<OptionButton>(fraOverzichten, u"optUitlijning"_s, u"Horizontaal"_s, 0);
    auto& optVerticaal = add<OptionButton>(fraOverzichten, u"optUitlijning"_s, u"Verticaal"_s, 1);
    auto& lblGrafieken = label(fraOverzichten, "lblGrafieken", "Toon grafieken bij scenario-overzichten");
    auto& jnGrafieken = add<YesNo>(fraOverzichten, u"jnGrafieken"_s);
    auto& lblMijTonen =
        label(fraOverzichten, "lblMijTonen", "Geldverstrekkernaam tonen op vergelijkend lastenoverzicht");
    auto& jnMijTonen = add<YesNo>(fraOverzichten, u"jnMijTonen"_s);
    auto& lblMarges = label(fraOverzichten, "lblPrinterMarges", "Printer marges");
    auto& lblLinks = label(fraOverzichten, "lblMarge", "Links", 0);
    auto& txtLinkerMarge = add<TextBox>(fraOverzichten, u"txtLinkerMarge"_s);
    auto& lblRechts = label(fraOverzichten, "lblMarge", "Rechts", 1);
    auto& txtRechterMarge = add<TextBox>(fraOverzichten, u"txtRechterMarge"_s);
    auto& lblBoven = label(fraOverzichten, "lblMarge", "Boven", 2);
    auto& txtBovenmarge = add<TextBox>(fraOverzichten, u"txtBovenmarge"_s);
    auto& lblOnder = label(fraOverzichten, "lblMarge", "Onder", 3);
    auto& txtOndermarge = add<TextBox>(fraOverzichten, u"txtOndermarge"_s);
    auto& cmdKolomSelectie =
        add<CommandButton>(fraOverzichten, u"cmdKolomSelectie"_s, u"Selectie kolommen rapportage"_s);
    auto& cmdToetsingKolommen =
        add<CommandButton>(fraOverzichten, u"cmdToetsingKolommen"_s, u"Kolommen toetsing overzicht"_s);
    cboBedragen.addItem(u"Jaarbedragen"_s);
    cboBedragen.addItem(u"Maandbedragen"_s);
    cboTonenJaren.addItem(u"Alle jaren"_s);
    cboTonenJaren.addItem(u"Alleen jaren met wijzigingen"_s);
    for (TextBox* marge : {&txtLinkerMarge, &txtRechterMarge, &txtBovenmarge, &txtOndermarge}) {
        marge->setAlignment(Alignment::Right);
        marge->setMaxLength(6);
    }

    bindIndex(cboBedragen, &DocumentSettings::Bedragen);
    bindIndex(cboTonenJaren, &DocumentSettings::AlleenJarenMetWijzigingen);
    bind(cboScenarioGrafieken, &DocumentSettings::ScenarioGrafieken,
         {{u"Huidige situatie en na advies"_s, 1}, {u"Na advies"_s, 2}, {u"Geen grafieken"_s, 3}})
        .inGlobalSetup()
        .defaultWhenEmpty();
    bindOptions({&optHorizontaal, &optVerticaal}, &DocumentSettings::UitlijningKolomkoppen, {0, 90});
    // "Ja" stores -1 (the classic True) and "Nee" 0; a stored 0 becomes 3 at
    // the first fill, which shows "Nee" like every value but -1.
    bind(jnGrafieken, &DocumentSettings::ToonGrafiekenScenario)
        .defaultWhenEmpty()
        .convert([](const QVariant& v) { return QVariant(v.toInt() == GrafiekenTonen); },
                 [](const QVariant& v) { return QVariant(v.toBool() ? GrafiekenTonen : GrafiekenNietTonen); });
    bind(jnMijTonen, &DocumentSettings::MijTonen);
    lblUitlijning.setBuddy(&optHorizontaal);
    lblGrafieken.setBuddy(&jnGrafieken);
    lblMijTonen.setBuddy(&jnMijTonen);
    numberField(txtLinkerMarge, &DocumentSettings::PrinterMargeLinks);
    numberField(txtRechterMarge, &DocumentSettings::PrinterMargeRechts);
    numberField(txtBovenmarge, &DocumentSettings::PrinterMargeBoven);
    numberField(txtOndermarge, &DocumentSettings::PrinterMargeOnder);
    cmdKolomSelectie.Click.connect([this] { cmdKolomSelectie_Click(); });
    cmdToetsingKolommen.Click.connect([this] { cmdToetsingKolommen_Click(); });

    RowLayout(fraOverzichten, InnerWidth)
        .field(lblBedragen, cboBedragen, FieldWidth, LabelWidth)
        .field(lblTonenJaren, cboTonenJaren, FieldWidth, LabelWidth)
        .field(lblScenarioGrafieken, cboScenarioGrafieken, FieldWidth, LabelWidth)
        .line(lblUitlijning)
        .row({{&optHorizontaal, OptionWidth}, {&optVerticaal, 0}})
        // Questions too long for the label column stand above their answer,
        // as the alignment question does.
        .line(lblGrafieken)
        .line(jnGrafieken)
        .line(lblMijTonen)
        .line(jnMijTonen)
        .line(lblMarges)
        .row({{&lblLinks, MarginLabelWidth},
              {&txtLinkerMarge, NumberWidth},
              {&lblRechts, MarginLabelWidth},
              {&txtRechterMarge, NumberWidth},
              {&lblBoven, MarginLabelWidth},
              {&txtBovenmarge, NumberWidth},
              {&lblOnder, MarginLabelWidth},
              {&txtOndermarge, NumberWidth}})
        .space(RowLayout::RowGap)
        .buttons({&cmdKolomSelectie, &cmdToetsingKolommen})
        .finish();
    return fraOverzichten;
}

// The company logo and the cover page of the Word reports.
Frame& SetupDocumenten::addWordRapportages()
{
    auto& fraWord = add<Frame>(form(), u"fraWord"_s, u"Instellingen Word-rapportages"_s);
    auto& chkTonenOpRapport =
        add<CheckBox>(fraWord, u"chkTonenOpRapport"_s, QString::fromUtf8("Bedrijfslogo op vervolgpagina's tonen"));
    auto& lblLogoUitlijning = label(fraWord, "lblUitlijning", "Uitlijning", 0);
    cboLogoUitlijning = &add<ComboBox>(fraWord, u"cboLogoUitlijning"_s);
    auto& cmdFormaatLogo = add<CommandButton>(fraWord, u"cmdFormaatLogo"_s, u"Formaat logo instellen"_s);
    cmdFormaatLogo.setToolTipText(u"Pas de maximale afmetingen van het logo op het Financieel Plan aan."_s);

    auto& fraVoorblad = add<Frame>(fraWord, u"fraVoorblad"_s, u"Instellingen voorblad"_s);
    auto& lblLogoPath = label(fraVoorblad, "lblLogoPath", "Afbeelding voorblad");
    txtLogoPath = &add<TextBox>(fraVoorblad, u"txtLogoPath"_s);
    auto& cmdLogoVoorblad = add<CommandButton>(fraVoorblad, u"cmdLogoVoorblad"_s, u"..."_s);
    cmdDefaultVoorbladLogo = &add<CommandButton>(fraVoorblad, u"cmdDefaultVoorbladLogo"_s, u"Standaard"_s);
    auto& chkVoorbladLogo = add<CheckBox>(fraVoorblad, u"chkVoorbladLogo"_s, u"Bedrijfslogo op voorblad tonen"_s);
    auto& lblVoorbladLogoUitlijning = label(fraVoorblad, "lblUitlijning", "Uitlijning", 1);
    auto& cboVoorbladLogoUitlijning = add<ComboBox>(fraVoorblad, u"cboVoorbladLogoUitlijning"_s);
    auto& chkVoorbladGegevens =
        add<CheckBox>(fraVoorblad, u"chkVoorbladGegevens"_s, u"Bedrijfsgegevens op voorblad tonen"_s);
    auto& lblVoorbladGegevensUitlijning = label(fraVoorblad, "lblUitlijning", "Uitlijning", 2);
    auto& cboVoorbladGegevensUitlijning = add<ComboBox>(fraVoorblad, u"cboVoorbladGegevensUitlijning"_s);
    txtLogoPath->setLocked(true);
    cmdLogoVoorblad.setToolTipText(u"Selecteer een eigen afbeelding voor het voorblad"_s);
    cmdDefaultVoorbladLogo->setToolTipText(u"Gebruik de standaardafbeelding voor het voorblad"_s);

    bind(chkTonenOpRapport, &DocumentSettings::LogoOpVervolgpaginas).enables({&lblLogoUitlijning, cboLogoUitlijning});
    bind(*cboLogoUitlijning, &DocumentSettings::LogoUitlijning, uitlijningen()).procedure(u"cboLogoUitlijning_Click"_s);
    bind(chkVoorbladLogo, &DocumentSettings::VoorbladLogo);
    bind(cboVoorbladLogoUitlijning, &DocumentSettings::VoorbladLogoUitlijning, uitlijningen());
    bind(chkVoorbladGegevens, &DocumentSettings::VoorbladGegevens);
    bind(cboVoorbladGegevensUitlijning, &DocumentSettings::VoorbladGegevensUitlijning, uitlijningen());
    cmdFormaatLogo.Click.connect([this] { cmdFormaatLogo_Click(); });
    cmdLogoVoorblad.Click.connect([this] { cmdLogoVoorblad_Click(); });
    cmdDefaultVoorbladLogo->Click.connect([this] { cmdDefaultVoorbladLogo_Click(); });

    constexpr int VoorbladWidth = InnerWidth - 2 * RowLayout::Margin;
    constexpr int CheckWidth = VoorbladWidth - AlignLabelWidth - AlignWidth - 2 * RowLayout::Gap;
    RowLayout(fraVoorblad, VoorbladWidth)
        .line(lblLogoPath)
        .row({{txtLogoPath, 0}, {&cmdLogoVoorblad, 375}, {cmdDefaultVoorbladLogo, RowLayout::ButtonWidth}})
        .row({{&chkVoorbladLogo, CheckWidth},
              {&lblVoorbladLogoUitlijning, AlignLabelWidth},
              {&cboVoorbladLogoUitlijning, 0}})
        .row({{&chkVoorbladGegevens, CheckWidth},
              {&lblVoorbladGegevensUitlijning, AlignLabelWidth},
              {&cboVoorbladGegevensUitlijning, 0}})
        .finish();
    constexpr int WordCheckWidth = InnerWidth - AlignLabelWidth - AlignWidth - 2 * RowLayout::Gap;
    RowLayout(fraWord, InnerWidth)
        .row({{&chkTonenOpRapport, WordCheckWidth}, {&lblLogoUitlijning, AlignLabelWidth}, {cboLogoUitlijning, 0}})
        .buttons({&cmdFormaatLogo})
        .space(RowLayout::RowGap)
        .line(fraVoorblad, fraVoorblad.height())
        .finish();
    return fraWord;
}

// Where the client's address stands on the covering letter.
Frame& SetupDocumenten::addPositieAdresgegevens()
{
    auto& fraPositie =
        add<Frame>(form(), u"fraPositieAdresgegevens"_s, u"Positie adresgegevens klant op inleidende brief"_s);
    auto& lblPositieBoven = label(fraPositie, "lblPositieAdresgegevens", "Boven", 0);
    txtPositieAdresgegevensBoven = &add<TextBox>(fraPositie, u"txtPositieAdresgegevensBoven"_s);
    auto& lblCmBoven = label(fraPositie, "lblCm", "cm", 0);
    auto& lblPositieLinks = label(fraPositie, "lblPositieAdresgegevens", "Links", 1);
    txtPositieAdresgegevensLinks = &add<TextBox>(fraPositie, u"txtPositieAdresgegevensLinks"_s);
    auto& lblCmLinks = label(fraPositie, "lblCm", "cm", 1);
    for (TextBox* positie : {txtPositieAdresgegevensBoven, txtPositieAdresgegevensLinks}) {
        positie->setAlignment(Alignment::Right);
        positie->setMaxLength(6);
    }
    numberField(*txtPositieAdresgegevensBoven, &DocumentSettings::PositieAdresgegevensBoven);
    numberField(*txtPositieAdresgegevensLinks, &DocumentSettings::PositieAdresgegevensLinks);
    RowLayout(fraPositie, InnerWidth)
        .row({{&lblPositieBoven, MarginLabelWidth},
              {txtPositieAdresgegevensBoven, NumberWidth},
              {&lblCmBoven, 480},
              {&lblPositieLinks, MarginLabelWidth},
              {txtPositieAdresgegevensLinks, NumberWidth},
              {&lblCmLinks, 0}})
        .finish();
    return fraPositie;
}

// Shown with a decimal comma; what is no number of 0 or more keeps the stored
// value and is told when the user leaves the box.
void SetupDocumenten::numberField(TextBox& box, Setting<double> DocumentSettings::*setting)
{
    bind(box, setting)
        .convert([](const QVariant& v) { return QVariant(numberText(v.toDouble())); },
                 [this, setting](const QVariant& v) {
                     const std::optional<double> number = typedNumber(v.toString());
                     return number ? QVariant(*number) : (Setup<DocumentSettings>().*setting).toVariant();
                 });
    box.Validate.connect([this, &box](bool& Cancel) { txtNumber_Validation(box, Cancel); });
}

void SetupDocumenten::txtNumber_Validation(TextBox& box, bool& Cancel)
{
    guarded(box.name() + u"_Validation"_s, [&] {
        if (!typedNumber(box.text()))
            Cancel = !failCheck(u"Vul een getal van 0 of groter in."_s, Titel(), &box);
    });
}

void SetupDocumenten::Fill()
{
    DocumentSettings& s = Setup<DocumentSettings>();
    // Positions beyond the page are replaced by the standard ones and written back.
    if (s.PositieAdresgegevensBoven > MaxPositie) {
        s.PositieAdresgegevensBoven = StandaardPositieBoven;
        txtPositieAdresgegevensBoven->setText(numberText(StandaardPositieBoven));
    }
    if (s.PositieAdresgegevensLinks > MaxPositie) {
        s.PositieAdresgegevensLinks = StandaardPositieLinks;
        txtPositieAdresgegevensLinks->setText(numberText(StandaardPositieLinks));
    }
    Show_VoorbeeldAdviseurnaam();
    Fill_LogoVoorblad();
    Fill_cboLogoUitlijning();
}

void SetupDocumenten::Fill_cboLogoUitlijning()
{
    guarded([this] {
        DocumentSettings& s = Setup<DocumentSettings>();
        if (s.LogoUitlijning != OudeLogoUitlijning)
            return;
        s.LogoUitlijning = 2;
        for (int i = 0; i < cboLogoUitlijning->listCount(); ++i) {
            if (cboLogoUitlijning->itemData(i) == 2)
                cboLogoUitlijning->setListIndex(i);
        }
    });
}

void SetupDocumenten::Fill_LogoVoorblad()
{
    guarded([this] {
        const QString logo = Setup<DocumentSettings>().LogoVoorblad;
        txtLogoPath->setText(logo.isEmpty() ? StandaardAfbeelding : logo);
        cmdDefaultVoorbladLogo->setEnabled(!logo.isEmpty());
    });
}

void SetupDocumenten::Show_VoorbeeldAdviseurnaam()
{
    guarded([this] {
        lblVoorbeeldAdviseurnaam->setCaption(
            adviseurnaamWeergave(Setup<CurrentAdviserSettings>(), Setup<DocumentSettings>().WeergaveAdviseurnaam));
    });
}

void SetupDocumenten::cmdLogoVoorblad_Click()
{
    guarded([this] {
        FileRequest request;
        request.title = u"Selecteer afbeelding voor het voorblad"_s;
        request.filter = AfbeeldingFilter;
        const QString current = Setup<DocumentSettings>().LogoVoorblad;
        if (!current.isEmpty())
            request.fileName = current;
        const std::optional<QString> file = ui().chooseOpenFile(request);
        if (!file || file->isEmpty())
            return;
        Setup<DocumentSettings>().LogoVoorblad = *file;
        Fill_LogoVoorblad();
    });
}

void SetupDocumenten::cmdDefaultVoorbladLogo_Click()
{
    guarded([this] {
        if (ui().msgBox(u"Weet u zeker dat u de standaardafbeelding van het voorblad wil gebruiken?"_s,
                        MsgButtons::YesNo, MsgIcon::Question, u"Afbeelding voorblad"_s) != MsgResult::Yes)
            return;
        Setup<DocumentSettings>().LogoVoorblad = QString();
        Fill_LogoVoorblad();
    });
}

template <class D>
void SetupDocumenten::showSettingsDialog(D& dialog)
{
    dialog.setBackColor(BackColor());
    dialog.setApplication(app());
    if constexpr (requires { dialog.setSetup(Setup()); })
        dialog.setSetup(Setup());
    dialog.Fill_Control();
    ui().showModal(dialog);
    if (!dialog.Geannuleerd())
        app().SetupChanged();
}

void SetupDocumenten::cmdKolomSelectie_Click()
{
    guarded([this] {
        frmKolommenFinancieelPlan dialog;
        showSettingsDialog(dialog);
    });
}

void SetupDocumenten::cmdToetsingKolommen_Click()
{
    guarded([this] {
        frmToetsingKolommen dialog;
        showSettingsDialog(dialog);
    });
}

void SetupDocumenten::cmdFormaatLogo_Click()
{
    guarded([this] {
        frmFormaatLogo dialog;
        showSettingsDialog(dialog);
    });
}

} // namespace tarvelo
