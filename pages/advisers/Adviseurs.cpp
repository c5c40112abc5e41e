#include "pages/advisers/Adviseurs.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"
#include "framework/host/Connection.h"
#include "framework/host/Database.h"
#include "framework/listsort/ListSort.h"
#include "framework/mail/CEmail.h"
#include "framework/mail/MailSender.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/text/Ansi.h"
#include "framework/ui/Ui.h"
#include "pages/advisers/frmOmzettenAdviseur.h"
#include "pages/advisers/frmWachtwoord.h"

#include <algorithm>

namespace tarvelo {

namespace {
constexpr int PageWidth = 9000;
constexpr int Margin = 120;
constexpr int FrameInner = PageWidth - 2 * Margin - 2 * RowLayout::Margin;
constexpr int LabelWidth = 3015;
constexpr int FieldWidth = FrameInner - LabelWidth - RowLayout::Gap;
constexpr int ListHeight = 2295;
constexpr int ButtonHeight = 375;
constexpr int IdLength = 36;
const QString Spaces100 = QString(100, QLatin1Char(' '));
const QString RolCaption = QStringLiteral("Wijzigen rol");

enum Column { ColNaam = 1, ColKantoor, ColPlaats, ColVestiging };

const QString HintGebruikersnaam =
    QStringLiteral("Indien u bij Instellingen/Autorisatie/Autorisatie instellingen hebt aangegeven dat u wilt inloggen "
                   "door het invoeren ") +
    QStringLiteral("van gebruikersnaam, in plaats van het selecteren van een adviseur uit een keuzelijst, kunt u hier "
                   "aangeven met welke ") +
    QStringLiteral("gebruikersnaam de adviseur dient in te loggen. Indien de gebruikersnaam niet is ingevuld zal de "
                   "adviseur moeten inloggen ") +
    QStringLiteral("met het e-mailadres waarmee hij bij Quenmarix geregistreerd is.");
} // namespace

Adviseurs::Adviseurs()
    : SettingsPage(QStringLiteral("Adviseurs")),
      fraAdviseurs(add<Frame>(form(), QStringLiteral("fraAdviseurs"), QStringLiteral("Adviseurs"))),
      lvwAdviseurs(add<ListView>(fraAdviseurs, QStringLiteral("lvwAdviseurs"))),
      cmdDelete(add<CommandButton>(fraAdviseurs, QStringLiteral("cmdDelete"), QStringLiteral("Verwijderen"))),
      fraAdviseur(add<Frame>(fraAdviseurs, QStringLiteral("fraAdviseur"), QStringLiteral("Adviseur"))),
      txtKlantcode(add<TextBox>(fraAdviseur, QStringLiteral("txtKlantcode"))),
      txtVoorletters(add<TextBox>(fraAdviseur, QStringLiteral("txtVoorletters"))),
      txtTussenvoegsel(add<TextBox>(fraAdviseur, QStringLiteral("txtTussenvoegsel"))),
      txtNaam(add<TextBox>(fraAdviseur, QStringLiteral("txtNaam"))),
      txtVoornamen(add<TextBox>(fraAdviseur, QStringLiteral("txtVoornamen"))),
      txtGeslachtAdviseur(add<TextBox>(fraAdviseur, QStringLiteral("txtGeslachtAdviseur"))),
      txtEmailGeregistreerd(add<TextBox>(fraAdviseur, QStringLiteral("txtEmailGeregistreerd"))),
      txtEmailAdviseur(add<TextBox>(fraAdviseur, QStringLiteral("txtEmailAdviseur"))),
      txtInternetAdviseur(add<TextBox>(fraAdviseur, QStringLiteral("txtInternetAdviseur"))),
      txtTelefoonAdviseur(add<TextBox>(fraAdviseur, QStringLiteral("txtTelefoonAdviseur"))),
      txtTelefaxAdviseur(add<TextBox>(fraAdviseur, QStringLiteral("txtTelefaxAdviseur"))),
      txtGebruikersnaam(add<TextBox>(fraAdviseur, QStringLiteral("txtGebruikersnaam"))),
      hintGebruikersnaam(add<Hint>(fraAdviseur, QStringLiteral("hintGebruikersnaam"))),
      txtAFMRegistratieNr(add<TextBox>(fraAdviseur, QStringLiteral("txtAFMRegistratieNr"))),
      fraKantoor(add<Frame>(fraAdviseurs, QStringLiteral("fraKantoor"), QStringLiteral("Kantoor"))),
      txtNaamKantoor(add<TextBox>(fraKantoor, QStringLiteral("txtNaamKantoor"))),
      txtStraatKantoor(add<TextBox>(fraKantoor, QStringLiteral("txtStraatKantoor"))),
      txtHuinummerKantoor(add<TextBox>(fraKantoor, QStringLiteral("txtHuinummerKantoor"))),
      txtToevoeging(add<TextBox>(fraKantoor, QStringLiteral("txtToevoeging"))),
      txtPostcodeKantoor(add<TextBox>(fraKantoor, QStringLiteral("txtPostcodeKantoor"))),
      txtPlaatsKantoor(add<TextBox>(fraKantoor, QStringLiteral("txtPlaatsKantoor"))),
      fraAutorisatie(add<Frame>(fraAdviseurs, QStringLiteral("fraAutorisatie"), QStringLiteral("Autorisatie"))),
      cboRol(add<ComboBox>(fraAutorisatie, QStringLiteral("cboRol"))),
      hintRol(add<Hint>(fraAutorisatie, QStringLiteral("hintRol"))),
      cboVestiging(add<ComboBox>(fraAutorisatie, QStringLiteral("cboVestiging"))),
      hintVestiging(add<Hint>(fraAutorisatie, QStringLiteral("hintVestiging"))),
      cboAdviezenOpenen(add<ComboBox>(fraAutorisatie, QStringLiteral("cboAdviezenOpenen"))),
      hintAdviezenOpenen(add<Hint>(fraAutorisatie, QStringLiteral("hintAdviezenOpenen"))),
      cboAdviezenRechten(add<ComboBox>(fraAutorisatie, QStringLiteral("cboAdviezenRechten"))),
      hintRechtenAdviezen(add<Hint>(fraAutorisatie, QStringLiteral("hintRechtenAdviezen"))),
      cmdInstellenWachtwoord(add<CommandButton>(fraAutorisatie, QStringLiteral("cmdInstellenWachtwoord"),
                                                QStringLiteral("Instellen wachtwoord"))),
      cmdWachtwoordVersturen(add<CommandButton>(fraAutorisatie, QStringLiteral("cmdWachtwoordVersturen"),
                                                QStringLiteral("Wachtwoord mailen naar adviseur")))
{
    // The hints are laid out for their text, so they have it before the layout.
    setHintTexts();
    lvwAdviseurs.setFullRowSelect(true);
    lvwAdviseurs.setHideSelection(false);
    cmdDelete.setToolTipText(QStringLiteral("Adviseur op 'inactief' zetten"));
    for (TextBox* box : {&txtKlantcode, &txtVoorletters, &txtTussenvoegsel, &txtNaam, &txtVoornamen, &txtGeslachtAdviseur,
                         &txtEmailGeregistreerd, &txtNaamKantoor, &txtStraatKantoor, &txtHuinummerKantoor, &txtToevoeging,
                         &txtPostcodeKantoor, &txtPlaatsKantoor})
        box->setLocked(true);
    for (ComboBox* combo : {&cboRol, &cboVestiging, &cboAdviezenOpenen, &cboAdviezenRechten})
        combo->setStyle(ComboBox::Style::DropDownList);

    const auto label = [this](Frame& frame, const QString& name, const QString& caption) -> Label& {
        return add<Label>(frame, name, caption);
    };
    RowLayout(fraAdviseur, FrameInner)
        .field(label(fraAdviseur, QStringLiteral("lblKlantcode"), QStringLiteral("Klantcode")), txtKlantcode, FieldWidth,
               LabelWidth)
        .row({{&label(fraAdviseur, QStringLiteral("lblVoorletters"), QStringLiteral("Voorletters / tussenvoegsel")),
               LabelWidth},
              {&txtVoorletters, 1215},
              {&txtTussenvoegsel, 1215}})
        .field(label(fraAdviseur, QStringLiteral("lblNaam"), QStringLiteral("Achternaam")), txtNaam, FieldWidth, LabelWidth)
        .field(label(fraAdviseur, QStringLiteral("lblVoornamen"), QStringLiteral("Voornamen")), txtVoornamen, FieldWidth,
               LabelWidth)
        .row({{&label(fraAdviseur, QStringLiteral("lblGeslacht"), QStringLiteral("Geslacht")), LabelWidth},
              {&txtGeslachtAdviseur, 1215}})
        .field(label(fraAdviseur, QStringLiteral("lblEmailGeregistreerd"), QStringLiteral("Geregistreerd e-mailadres")),
               txtEmailGeregistreerd, FieldWidth, LabelWidth)
        .space(RowLayout::RowGap)
        .field(label(fraAdviseur, QStringLiteral("lblEmailAdviseur"), QStringLiteral("E-mailadres voor rapportage")),
               txtEmailAdviseur, FieldWidth, LabelWidth)
        .field(label(fraAdviseur, QStringLiteral("lblInternetAdviseur"), QStringLiteral("Internetadres")),
               txtInternetAdviseur, FieldWidth, LabelWidth)
        .row({{&label(fraAdviseur, QStringLiteral("lblTelefoonAdviseur"), QStringLiteral("Telefoonnummer / faxnummer")),
               LabelWidth},
              {&txtTelefoonAdviseur, (FieldWidth - RowLayout::Gap) / 2},
              {&txtTelefaxAdviseur, 0}})
        .field(label(fraAdviseur, QStringLiteral("lblGebruikersnaam"), QStringLiteral("Gebruikersnaam")),
               txtGebruikersnaam, FieldWidth, LabelWidth)
        .text(hintGebruikersnaam)
        .field(label(fraAdviseur, QStringLiteral("lblAFMRegistratieNr"), QStringLiteral("AFM registratienummer")),
               txtAFMRegistratieNr, FieldWidth, LabelWidth)
        .finish();
    RowLayout(fraKantoor, FrameInner)
        .field(label(fraKantoor, QStringLiteral("lblNaamKantoor"), QStringLiteral("Naam")), txtNaamKantoor, FieldWidth,
               LabelWidth)
        .row({{&label(fraKantoor, QStringLiteral("lblStraatKantoor"), QStringLiteral("Straat / huisnummer / toevoeging")),
               LabelWidth},
              {&txtStraatKantoor, FieldWidth - 1590 - 2 * RowLayout::Gap},
              {&txtHuinummerKantoor, 795},
              {&txtToevoeging, 0}})
        .row({{&label(fraKantoor, QStringLiteral("lblPostcodeKantoor"), QStringLiteral("Postcode / plaats")), LabelWidth},
              {&txtPostcodeKantoor, 1215},
              {&txtPlaatsKantoor, 0}})
        .finish();
    const int buttonWidth = (FrameInner - RowLayout::Gap) / 2;
    RowLayout(fraAutorisatie, FrameInner)
        .field(label(fraAutorisatie, QStringLiteral("lblRol"), QStringLiteral("Rol")), cboRol, FieldWidth, LabelWidth)
        .text(hintRol)
        .field(label(fraAutorisatie, QStringLiteral("lblVestiging"), QStringLiteral("Vestiging")), cboVestiging, FieldWidth,
               LabelWidth)
        .text(hintVestiging)
        .field(label(fraAutorisatie, QStringLiteral("lblAdviezenOpenen"), QStringLiteral("Adviezen openen van")),
               cboAdviezenOpenen, FieldWidth, LabelWidth)
        .text(hintAdviezenOpenen)
        .field(label(fraAutorisatie, QStringLiteral("lblAdviezenRechten"), QStringLiteral("Rechten op adviezen van anderen")),
               cboAdviezenRechten, FieldWidth, LabelWidth)
        .text(hintRechtenAdviezen)
        .space(RowLayout::RowGap)
        .row({{&cmdInstellenWachtwoord, buttonWidth}, {&cmdWachtwoordVersturen, 0}})
        .finish();
    cmdInstellenWachtwoord.setHeight(ButtonHeight);
    cmdWachtwoordVersturen.setHeight(ButtonHeight);
    fraAutorisatie.setHeight(fraAutorisatie.height() + ButtonHeight - RowLayout::RowHeight);
    arrange();

    lvwAdviseurs.ItemClick.connect([this](ListItem& item) { lvwAdviseurs_ItemClick(item); });
    lvwAdviseurs.ColumnClick.connect([this](ColumnHeader& header) { lvwAdviseurs_ColumnClick(header); });
    for (TextBox* box : {&txtEmailAdviseur, &txtInternetAdviseur, &txtTelefoonAdviseur, &txtTelefaxAdviseur,
                         &txtAFMRegistratieNr}) {
        box->Change.connect([this] {
            if (!IsLoading)
                changed_ = true;
        });
    }
    txtGebruikersnaam.Validate.connect([this](bool& cancel) { txtGebruikersnaam_Validate(cancel); });
    txtAFMRegistratieNr.Validate.connect([this](bool& cancel) { txtAFMRegistratieNr_Validate(cancel); });
    cboRol.Click.connect([this] { cboRol_Click(); });
    cboAdviezenOpenen.Click.connect([this] { cboAdviezenOpenen_Click(); });
    cboAdviezenRechten.Click.connect([this] { cboAdviezenRechten_Click(); });
    cboVestiging.Click.connect([this] { cboVestiging_Click(); });
    cmdInstellenWachtwoord.Click.connect([this] { cmdInstellenWachtwoord_Click(); });
    cmdWachtwoordVersturen.Click.connect([this] { cmdWachtwoordVersturen_Click(); });
    cmdDelete.Click.connect([this] { cmdDelete_Click(); });
}

// The list takes the room of the rights frame when that is hidden; the outer
// frame keeps its size, and the page grows to it.
void Adviseurs::arrange()
{
    const int extra = fraAutorisatie.visible() ? 0 : fraAutorisatie.height() + Margin;
    lvwAdviseurs.setBounds(Margin, RowLayout::CaptionTop, PageWidth - 2 * Margin, ListHeight + extra);
    cmdDelete.setBounds(PageWidth - Margin - 1215, lvwAdviseurs.bottom() + Margin / 2, 1215, ButtonHeight);
    fraAdviseur.move(Margin, cmdDelete.bottom() + Margin / 2);
    fraKantoor.move(Margin, fraAdviseur.bottom() + Margin);
    fraAutorisatie.move(Margin, fraKantoor.bottom() + Margin);
    const int bottom = (fraAutorisatie.visible() ? fraAutorisatie.bottom() : fraKantoor.bottom()) + Margin;
    const int oldHeight = form().height();
    fraAdviseurs.setBounds(0, 0, PageWidth, bottom);
    form().setBounds(form().left(), form().top(), std::max(form().width(), PageWidth),
                     std::max(form().height(), fraAdviseurs.height()));
    if (form().height() != oldHeight)
        HeightChanged();
}

void Adviseurs::setHintTexts()
{
    hintRol.setText(
        QStringLiteral("In dit veld kunt u aangeven of de adviseur een standaard gebruiker is of een administrator. ") +
        QStringLiteral("Een administrator kan de autorisatie instellingen wijzigen. Een standaard gebruiker kan dit niet."));
    hintVestiging.setText(
        QStringLiteral("U kunt onder de instellingen, op het onderdeel Autorisatie de vestigingen aanmaken. Zodra u ") +
        QStringLiteral("één of meerdere vestigingen heeft aangemaakt, zult u deze in dit veld kunnen selecteren."));
    hintAdviezenOpenen.setText(
        QStringLiteral("In dit veld kunt u aangeven of de adviseur alleen eigen adviezen, adviezen van de ") +
        QStringLiteral("eigen vestiging, of van het gehele bedrijf mag openen."));
    hintRechtenAdviezen.setText(QStringLiteral(
        "In dit veld kunt u aangeven of de adviseur de adviezen van anderen enkel mag inzien, of ook mag wijzigen."));
    hintGebruikersnaam.setText(HintGebruikersnaam);
}

void Adviseurs::setBackColor(Colour colour)
{
    SettingsPage::setBackColor(colour);
    lvwAdviseurs.setBackColor(colour);
}

void Adviseurs::Fill()
{
    database_ = GetDatabase(app());
    Fill_Controls();
}

void Adviseurs::Notify(const QString& sender, const QString& form, const QString& action, const QVariant&)
{
    if (sender == QLatin1String("SetupAutorisatie") && form == QLatin1String("Adviseurs") &&
        action == QLatin1String("Refresh"))
        Fill_Controls();
}

QString Adviseurs::huidigeAdviseur() const { return adviserCode(app().HuidigeAdviseur()); }

void Adviseurs::Fill_Controls()
{
    guarded([this] {
        IsLoading = true;
        setHintTexts();

        register_ = AdviserRegister::of(app());
        if (database_ && !huidigeAdviseur().isEmpty()) {
            Autorisatie eigen;
            database_->GetAutorisatie(eigen, huidigeAdviseur());
            if (eigen.Rol == 0 && eigen.AdviezenOpenen == 0 && eigen.AdviezenRechten == 0) {
                ui().msgBox(QStringLiteral("De autorisatiegegevens moeten worden bijgewerkt. Ogenblik geduld.."),
                            MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Autorisatie"));
                Update_Autorisatie();
            }
        }

        magBeheren_ = app().HeeftRecht(2);
        fraAutorisatie.setVisible(magBeheren_);
        cmdDelete.setEnabled(magBeheren_);
        arrange();

        cboRol.clear();
        cboRol.addItemWithData(QStringLiteral("Gebruiker"), 2);
        cboRol.addItemWithData(QStringLiteral("Administrator"), 1);
        cboVestiging.clear();
        const AutorisatieSettings& vestigingen = Setup<AutorisatieSettings>();
        for (int i = 1; const VestigingRecord* v = vestigingen.Vestiging(i); ++i)
            cboVestiging.addItemWithData(v->Naam + Spaces100 + v->ID, i);
        const bool branches = cboVestiging.listCount() > 0;
        if (branches) {
            cboVestiging.addItem(QStringLiteral("<selecteer een vestiging>"), 0);
            cboVestiging.setItemData(0, -1);
        }
        cboVestiging.setEnabled(branches);
        cboAdviezenOpenen.clear();
        cboAdviezenOpenen.addItemWithData(QStringLiteral("Zichzelf"), 1);
        cboAdviezenOpenen.addItemWithData(QStringLiteral("Eigen vestiging"), 2);
        cboAdviezenOpenen.addItemWithData(QStringLiteral("Iedereen"), 3);
        cboAdviezenRechten.clear();
        cboAdviezenRechten.addItemWithData(QStringLiteral("Alleen leesrechten"), 2);
        cboAdviezenRechten.addItemWithData(QStringLiteral("Lees- en schrijfrechten"), 3);

        lvwAdviseurs.clear();
        lvwAdviseurs.clearColumns();
        const int width = lvwAdviseurs.width() - 360;
        lvwAdviseurs.addColumn(QStringLiteral("Naam"), QStringLiteral("Naam"), branches ? width * 3 / 10 : width * 2 / 5);
        lvwAdviseurs.addColumn(QStringLiteral("Kantoor"), QStringLiteral("Kantoor"), branches ? width * 3 / 10 : width * 2 / 5);
        lvwAdviseurs.addColumn(QStringLiteral("Plaats"), QStringLiteral("Plaats"), branches ? width / 5 : width / 5);
        if (branches)
            lvwAdviseurs.addColumn(QStringLiteral("Vestiging"), QStringLiteral("Vestiging"), width / 5);
        for (const RegisteredAdviser& a : register_.advisers()) {
            // An adviser taken off the register stays in it as "inactief".
            if (!a.actief())
                continue;
            ListItem& row = lvwAdviseurs.addItem(a.naam());
            row.setSubItem(1, a.kantoorNaam);
            row.setSubItem(2, a.kantoorPlaats);
            if (branches && database_) {
                Autorisatie rechten;
                database_->GetAutorisatie(rechten, a.code);
                row.setSubItem(3, Get_VestigingNaam(rechten.Vestiging));
            }
            row.setTag(a.code);
        }

        code_.clear();
        changed_ = false;
        cmdInstellenWachtwoord.setEnabled(false);
        cmdWachtwoordVersturen.setEnabled(false);
        IsLoading = false;
        if (lvwAdviseurs.count() > 0) {
            lvwAdviseurs.setSelectedItem(&lvwAdviseurs.item(1));
            Show_Adviseur(lvwAdviseurs.item(1));
        }
    });
    IsLoading = false;
}

// Advisers whose rights were never set up become administrators who may open
// and change every advice.
void Adviseurs::Update_Autorisatie()
{
    guarded([this] {
        for (const RegisteredAdviser& a : register_.advisers()) {
            Autorisatie rechten;
            database_->GetAutorisatie(rechten, a.code);
            if (rechten.Rol != 0)
                continue;
            rechten.Rol = 1;
            rechten.AdviezenOpenen = 3;
            rechten.AdviezenRechten = 3;
            rechten.Vestiging.clear();
            rechten.Wachtwoord.clear();
            database_->SaveAutorisatie(a.code, rechten);
        }
    });
}

QString Adviseurs::Get_VestigingNaam(const QString& vestiging) const
{
    if (vestiging.isEmpty())
        return QString();
    const AutorisatieSettings& vestigingen = Setup<AutorisatieSettings>();
    for (int i = 1; const VestigingRecord* v = vestigingen.Vestiging(i); ++i) {
        if (v->ID == vestiging)
            return v->Naam;
    }
    return QString();
}

ListItem* Adviseurs::rowOf(const QString& code) const
{
    for (int i = 1; i <= lvwAdviseurs.count(); ++i) {
        if (lvwAdviseurs.item(i).tag().toString() == code)
            return &lvwAdviseurs.item(i);
    }
    return nullptr;
}

void Adviseurs::lvwAdviseurs_ItemClick(ListItem& item)
{
    guarded([&] {
        if (changed_)
            Save_Kantoorgegevens();
        Show_Adviseur(item);
    });
}

void Adviseurs::Show_Adviseur(ListItem& item)
{
    guarded([&] {
        IsLoading = true;
        code_ = item.tag().toString();
        const RegisteredAdviser* a = register_.find(code_);
        if (!a) {
            IsLoading = false;
            ui().msgBox(QStringLiteral("Er is geen gebruiker gevonden met de opgegeven klantcode"), MsgButtons::OK,
                        MsgIcon::Exclamation, QStringLiteral("Adviseurs"));
            return;
        }
        txtKlantcode.setText(a->code);
        txtVoorletters.setText(a->voorletters);
        txtTussenvoegsel.setText(a->tussenvoegsel);
        txtNaam.setText(a->achternaam);
        txtVoornamen.setText(a->voornamen);
        txtGeslachtAdviseur.setText(a->vrouw() ? QStringLiteral("Vrouw") : QStringLiteral("Man"));
        txtEmailGeregistreerd.setText(a->emailadres);
        txtNaamKantoor.setText(a->kantoorNaam);
        txtStraatKantoor.setText(a->kantoorStraat);
        txtHuinummerKantoor.setText(a->kantoorHuisnummer);
        txtToevoeging.setText(a->kantoorToevoeging);
        txtPostcodeKantoor.setText(a->kantoorPostcode);
        txtPlaatsKantoor.setText(a->kantoorPlaats);

        gegevens_ = {};
        autorisatie_ = {};
        if (database_) {
            database_->GetAdviseur(gegevens_, code_);
            database_->GetAutorisatie(autorisatie_, code_);
        }
        txtEmailAdviseur.setText(gegevens_.Email);
        txtInternetAdviseur.setText(gegevens_.Internet);
        txtTelefoonAdviseur.setText(gegevens_.Telefoon);
        txtTelefaxAdviseur.setText(gegevens_.Telefax);
        txtGebruikersnaam.setText(gegevens_.Gebruikersnaam);
        txtAFMRegistratieNr.setText(gegevens_.AFMRegistratieNr);
        changed_ = false;

        selectData(cboRol, autorisatie_.Rol);
        selectData(cboAdviezenOpenen, autorisatie_.AdviezenOpenen);
        selectData(cboAdviezenRechten, autorisatie_.AdviezenRechten);
        int vestiging = cboVestiging.listCount() > 0 ? 0 : -1;
        for (int i = 0; i < cboVestiging.listCount(); ++i) {
            if (!autorisatie_.Vestiging.isEmpty() && cboVestiging.identifierOf(i, IdLength) == autorisatie_.Vestiging)
                vestiging = i;
        }
        cboVestiging.setListIndex(vestiging);
        cmdInstellenWachtwoord.setEnabled(true);
        cmdWachtwoordVersturen.setEnabled(true);
        IsLoading = false;
    });
    IsLoading = false;
}

void Adviseurs::selectData(ComboBox& combo, int data)
{
    const bool loading = IsLoading;
    IsLoading = true;
    int index = -1;
    for (int i = 0; i < combo.listCount(); ++i) {
        if (combo.itemData(i) == data)
            index = i;
    }
    combo.setListIndex(index);
    IsLoading = loading;
}

void Adviseurs::Update_Kantoorgegevens()
{
    guarded([this] { Save_Kantoorgegevens(); });
}

void Adviseurs::Save_Kantoorgegevens()
{
    guarded([this] {
        if (ui().msgBox(QStringLiteral("Wilt u de bijgewerkte gegevens opslaan?"), MsgButtons::YesNo, MsgIcon::Question,
                        QStringLiteral("Gegevens gewijzigd")) == MsgResult::Yes &&
            database_ && !code_.isEmpty()) {
            gegevens_.Email = txtEmailAdviseur.text();
            gegevens_.Internet = txtInternetAdviseur.text();
            gegevens_.Telefoon = txtTelefoonAdviseur.text();
            gegevens_.Telefax = txtTelefaxAdviseur.text();
            gegevens_.Gebruikersnaam = txtGebruikersnaam.text();
            gegevens_.AFMRegistratieNr = txtAFMRegistratieNr.text();
            database_->SaveAdviseur(gegevens_, code_);
            if (code_.compare(huidigeAdviseur(), Qt::CaseInsensitive) == 0) {
                HuidigeAdviseurSettings& eigen = Setup<HuidigeAdviseurSettings>();
                eigen.Email = gegevens_.Email;
                eigen.Internet = gegevens_.Internet;
                eigen.Telefoon = gegevens_.Telefoon;
                eigen.Telefax = gegevens_.Telefax;
                eigen.Gebruikersnaam = gegevens_.Gebruikersnaam;
                eigen.AFMRegistratieNr = gegevens_.AFMRegistratieNr;
                app().SetupChanged();
            }
        }
        changed_ = false;
    });
}

std::vector<ValidationCheck> Adviseurs::validationChecks()
{
    return {{1, [this] { return Check_Gebruikersnaam(); }},
            {2, [this] {
                 if (changed_)
                     Save_Kantoorgegevens();
                 return true;
             }}};
}

bool Adviseurs::Check_Gebruikersnaam()
{
    const QString naam = txtGebruikersnaam.text().trimmed();
    if (!database_ || naam.isEmpty() || code_.isEmpty())
        return true;
    if (database_->GebruikersnaamInGebruik(code_, naam))
        return failCheck(QStringLiteral("De door u ingevulde gebruikersnaam is reeds in gebruik."),
                         QStringLiteral("Gebruikersnaam"), &txtGebruikersnaam);
    return true;
}

void Adviseurs::txtGebruikersnaam_Validate(bool& cancel)
{
    guarded([&] {
        Validation(cancel, 1);
        if (!cancel && txtGebruikersnaam.text() != gegevens_.Gebruikersnaam)
            changed_ = true;
    });
}

void Adviseurs::txtAFMRegistratieNr_Validate(bool&)
{
    guarded([this] { Changed(); });
}

void Adviseurs::saveAutorisatie()
{
    if (database_ && !code_.isEmpty())
        database_->SaveAutorisatie(code_, autorisatie_);
}

void Adviseurs::cboRol_Click()
{
    guarded([this] {
        if (IsLoading || cboRol.listIndex() < 0 || code_.isEmpty())
            return;
        const qint16 rol = qint16(cboRol.itemData(cboRol.listIndex()));
        if (rol == 2 && code_.compare(huidigeAdviseur(), Qt::CaseInsensitive) == 0 &&
            ui().msgBox(QStringLiteral("Weet u zeker dat u uw eigen rol wilt aanpassen naar 'Gebruiker'?") +
                            QStringLiteral("\r\nHiermee vervallen voor u de rechten om gebruikers toe te voegen, ") +
                            QStringLiteral("te verwijderen en te onderhouden."),
                        MsgButtons::YesNo, MsgIcon::Question, RolCaption) == MsgResult::No) {
            selectData(cboRol, 1);
            return;
        }
        if (rol == 2 && autorisatie_.Rol == 1 && database_) {
            QStringList codes;
            for (const RegisteredAdviser& a : register_.advisers()) {
                if (a.actief())
                    codes << sqlQuoted(a.code);
            }
            if (database_->AantalAdministrators(codes.join(QLatin1Char(','))) == 1) {
                ui().msgBox(QStringLiteral("Er moet minstens één gebruiker met administrator rechten aanwezig zijn.") +
                                QStringLiteral("\r\nDe aanpassing wordt afgebroken."),
                            MsgButtons::OK, MsgIcon::Information, RolCaption);
                selectData(cboRol, 1);
                return;
            }
        }
        autorisatie_.Rol = rol;
        saveAutorisatie();
        if (ListItem* row = rowOf(code_))
            Show_Adviseur(*row);
    });
}

void Adviseurs::cboAdviezenOpenen_Click()
{
    guarded([this] {
        if (IsLoading || cboAdviezenOpenen.listIndex() < 0 || code_.isEmpty())
            return;
        const qint16 openen = qint16(cboAdviezenOpenen.itemData(cboAdviezenOpenen.listIndex()));
        if (openen == 2 && database_ && database_->AantalVestigingen() == 0) {
            ui().msgBox(QStringLiteral("Stel eerst de vestigingen in. Dit kan in de Instellingen, onderdeel Autorisatie."),
                        MsgButtons::OK, MsgIcon::Information, QStringLiteral("Wijzigen Adviezen openen"));
            selectData(cboAdviezenOpenen, autorisatie_.AdviezenOpenen);
            return;
        }
        autorisatie_.AdviezenOpenen = openen;
        saveAutorisatie();
    });
}

void Adviseurs::cboAdviezenRechten_Click()
{
    guarded([this] {
        if (IsLoading || cboAdviezenRechten.listIndex() < 0 || code_.isEmpty())
            return;
        autorisatie_.AdviezenRechten = qint16(cboAdviezenRechten.itemData(cboAdviezenRechten.listIndex()));
        saveAutorisatie();
    });
}

void Adviseurs::cboVestiging_Click()
{
    guarded([this] {
        const int index = cboVestiging.listIndex();
        if (IsLoading || index < 0 || code_.isEmpty())
            return;
        autorisatie_.Vestiging = cboVestiging.itemData(index) == -1 ? QString() : cboVestiging.identifierOf(index, IdLength);
        saveAutorisatie();
        if (ListItem* row = rowOf(code_); row && lvwAdviseurs.columnCount() >= ColVestiging)
            row->setSubItem(ColVestiging - 1, Get_VestigingNaam(autorisatie_.Vestiging));
    });
}

void Adviseurs::cmdInstellenWachtwoord_Click()
{
    guarded([this] {
        if (code_.isEmpty())
            return;
        if (!autorisatie_.Wachtwoord.isEmpty() &&
            ui().msgBox(QStringLiteral("Weet u zeker dat u het wachtwoord wilt wijzigen?"), MsgButtons::YesNo,
                        MsgIcon::Exclamation, QStringLiteral("Wijzigen bestaand wachtwoord")) == MsgResult::No)
            return;
        frmWachtwoord dialog;
        dialog.setBevestigen(true);
        dialog.setBackColor(BackColor());
        dialog.setApplication(app());
        ui().showModal(dialog);
        if (dialog.Geannuleerd())
            return;
        autorisatie_.Wachtwoord = dialog.Wachtwoord();
        saveAutorisatie();
    });
}

void Adviseurs::cmdWachtwoordVersturen_Click()
{
    guarded([this] {
        const RegisteredAdviser* a = register_.find(code_);
        if (!a)
            return;
        if (a->emailadres.isEmpty()) {
            ui().msgBox(QStringLiteral("Er is geen emailadres bekend. ") +
                            QStringLiteral("Vul het e-mailadres van de adviseur in op de website van Quenmarix, onder "
                                           "Mijn gegevens."),
                        MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Emailadres onbekend"));
            return;
        }
        if (autorisatie_.Wachtwoord.isEmpty()) {
            ui().msgBox(QStringLiteral("Er is nog geen wachtwoord aangemaakt. Stel eerst een wachtwoord in."),
                        MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Wachtwoord onbekend"));
            return;
        }
        // The mail carries ANSI text: a character without its own byte would arrive as "?".
        if (!isAnsi(autorisatie_.Wachtwoord)) {
            ui().msgBox(QStringLiteral("Het wachtwoord bevat tekens die niet per e-mail verstuurd kunnen worden. "
                                       "Stel een wachtwoord in zonder deze tekens."),
                        MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Wachtwoord versturen"));
            return;
        }
        CEmail mail;
        mail.AddAan({a->naam(), a->emailadres});
        mail.setAfzender({QStringLiteral("Administrator Quenmarix"), MailSender::NoReplyAdres});
        mail.Onderwerp = QStringLiteral("Wachtwoord Quenmarix");
        mail.Inhoud = QStringLiteral("Hierbij ontvangt u uw wachtwoord waarmee u kunt inloggen in Quenmarix.") +
                      QStringLiteral("\r\nWachtwoord: ") + autorisatie_.Wachtwoord +
                      QStringLiteral("\r\nLet bij het invoeren op het gebruik van hoofd- en kleine letters.");
        QString antwoord;
        const MousePointer pointer = ui().mousePointer();
        ui().setMousePointer(MousePointer::Hourglass);
        try {
            antwoord = MailSender::send(app(), mail);
        } catch (const RuntimeError&) {
            // Not reached, refused or not understood: the mail counts as not sent.
            antwoord.clear();
        }
        ui().setMousePointer(pointer);
        if (antwoord == QLatin1String("ok"))
            ui().msgBox(QStringLiteral("Het wachtwoord is verstuurd naar het email-adres: ") + a->emailadres,
                        MsgButtons::OK, MsgIcon::Information, QStringLiteral("Wachtwoord versturen"));
        else
            ui().msgBox(QStringLiteral("Er is een fout geconstateerd bij het mailen."), MsgButtons::OK,
                        MsgIcon::Exclamation, QStringLiteral("Fout bij versturen mail"));
    });
}

void Adviseurs::cmdDelete_Click()
{
    guarded([this] {
        const ListItem* row = lvwAdviseurs.selectedItem();
        if (!row)
            return;
        const QString code = row->tag().toString();
        const QString caption = QStringLiteral("Verwijderen adviseurs");
        if (lvwAdviseurs.count() < 2) {
            ui().msgBox(QStringLiteral("De laatste adviseur kan niet worden verwijderd."), MsgButtons::OK,
                        MsgIcon::Information, caption);
            return;
        }
        if (code.compare(huidigeAdviseur(), Qt::CaseInsensitive) == 0) {
            ui().msgBox(QStringLiteral("U kunt uzelf niet verwijderen."), MsgButtons::OK, MsgIcon::Information, caption);
            return;
        }
        if (!database_)
            throw RuntimeError::objectRequired();
        const int aantal = database_->AantalAdviezen(code);
        if (aantal > 0) {
            frmOmzettenAdviseur dialog;
            dialog.setDatabase(database_);
            dialog.setAantal(aantal);
            dialog.setCode(code);
            dialog.setBackColor(BackColor());
            dialog.setApplication(app());
            ui().showModal(dialog);
            // Advices are never moved to nobody.
            if (dialog.Geannuleerd() || dialog.NieuweCode().isEmpty())
                return;
            database_->OmzettenAdviezen(code, dialog.NieuweCode());
        }
        app().VerwijderAdviseurUitRegister(code);
        database_->DeleteAdviseur(code);
        Fill_Controls();
    });
}

void Adviseurs::lvwAdviseurs_ColumnClick(ColumnHeader& header)
{
    guarded([&] {
        // A new column starts ascending; the same column again turns the order round.
        const int column = header.index - 1;
        sortOrder_ = column == sortColumn_ ? 1 - sortOrder_ : 0;
        sortColumn_ = column;
        SortListView(app().listSortState(), lvwAdviseurs, ui(), column, SortDataType::Text, SortSource::ShownText, false,
                     sortOrder_);
    });
}

void Adviseurs::Terminate()
{
    guarded([this] {
        ui().doEvents();
        if (changed_)
            Save_Kantoorgegevens();
    });
}

} // namespace tarvelo
