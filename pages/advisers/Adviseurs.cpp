#include "pages/advisers/Adviseurs.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"
#include "framework/host/Connection.h"
#include "framework/host/Database.h"
#include "framework/host/OfficeTables.h"
#include "framework/listsort/ListSort.h"
#include "framework/mail/CEmail.h"
#include "framework/mail/MailSender.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/text/Ansi.h"
#include "framework/ui/Ui.h"
#include "pages/advisers/frmOmzettenAdviseur.h"
#include "pages/advisers/frmWachtwoord.h"

#include <QScopedValueRollback>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int PageWidth = 9000;
constexpr int FrameInner = PageWidth - 2 * RowLayout::PageMargin - 2 * RowLayout::Margin;
constexpr int LabelWidth = 3015;
constexpr int FieldWidth = FrameInner - LabelWidth - RowLayout::Gap;
constexpr int ListHeight = 2295;
constexpr int IdLength = 36;
const QString Spaces100 = QString(100, QLatin1Char(' '));
const QString RolCaption = u"Wijzigen rol"_s;

enum Column { ColNaam = 1, ColKantoor, ColPlaats, ColVestiging };

const QString HintGebruikersnaam =
    u"Indien u bij Instellingen/Autorisatie/Autorisatie instellingen hebt aangegeven dat u wilt inloggen "
    "door het invoeren "_s +
    u"van gebruikersnaam, in plaats van het selecteren van een adviseur uit een keuzelijst, kunt u hier "
    "aangeven met welke "_s +
    u"gebruikersnaam de adviseur dient in te loggen. Indien de gebruikersnaam niet is ingevuld zal de "
    "adviseur moeten inloggen "_s +
    u"met het e-mailadres waarmee hij bij Quenmarix geregistreerd is."_s;
} // namespace

Adviseurs::Adviseurs()
    : SettingsPage(u"Adviseurs"_s),
      fraAdviseurs(add<Frame>(form(), u"fraAdviseurs"_s, u"Adviseurs"_s)),
      lvwAdviseurs(add<ListView>(fraAdviseurs, u"lvwAdviseurs"_s)),
      cmdDelete(add<CommandButton>(fraAdviseurs, u"cmdDelete"_s, u"Verwijderen"_s)),
      fraAdviseur(add<Frame>(fraAdviseurs, u"fraAdviseur"_s, u"Adviseur"_s)),
      txtKlantcode(add<TextBox>(fraAdviseur, u"txtKlantcode"_s)),
      txtVoorletters(add<TextBox>(fraAdviseur, u"txtVoorletters"_s)),
      txtTussenvoegsel(add<TextBox>(fraAdviseur, u"txtTussenvoegsel"_s)),
      txtNaam(add<TextBox>(fraAdviseur, u"txtNaam"_s)),
      txtVoornamen(add<TextBox>(fraAdviseur, u"txtVoornamen"_s)),
      txtGeslachtAdviseur(add<TextBox>(fraAdviseur, u"txtGeslachtAdviseur"_s)),
      txtEmailGeregistreerd(add<TextBox>(fraAdviseur, u"txtEmailGeregistreerd"_s)),
      txtEmailAdviseur(add<TextBox>(fraAdviseur, u"txtEmailAdviseur"_s)),
      txtInternetAdviseur(add<TextBox>(fraAdviseur, u"txtInternetAdviseur"_s)),
      txtTelefoonAdviseur(add<TextBox>(fraAdviseur, u"txtTelefoonAdviseur"_s)),
      txtTelefaxAdviseur(add<TextBox>(fraAdviseur, u"txtTelefaxAdviseur"_s)),
      txtGebruikersnaam(add<TextBox>(fraAdviseur, u"txtGebruikersnaam"_s)),
      hintGebruikersnaam(add<Hint>(fraAdviseur, u"hintGebruikersnaam"_s)),
      txtAFMRegistratieNr(add<TextBox>(fraAdviseur, u"txtAFMRegistratieNr"_s)),
      fraKantoor(add<Frame>(fraAdviseurs, u"fraKantoor"_s, u"Kantoor"_s)),
      txtNaamKantoor(add<TextBox>(fraKantoor, u"txtNaamKantoor"_s)),
      txtStraatKantoor(add<TextBox>(fraKantoor, u"txtStraatKantoor"_s)),
      txtHuinummerKantoor(add<TextBox>(fraKantoor, u"txtHuinummerKantoor"_s)),
      txtToevoeging(add<TextBox>(fraKantoor, u"txtToevoeging"_s)),
      txtPostcodeKantoor(add<TextBox>(fraKantoor, u"txtPostcodeKantoor"_s)),
      txtPlaatsKantoor(add<TextBox>(fraKantoor, u"txtPlaatsKantoor"_s)),
      fraAutorisatie(add<Frame>(fraAdviseurs, u"fraAutorisatie"_s, u"Autorisatie"_s)),
      cboRol(add<ComboBox>(fraAutorisatie, u"cboRol"_s)),
      hintRol(add<Hint>(fraAutorisatie, u"hintRol"_s)),
      cboVestiging(add<ComboBox>(fraAutorisatie, u"cboVestiging"_s)),
      hintVestiging(add<Hint>(fraAutorisatie, u"hintVestiging"_s)),
      cboAdviezenOpenen(add<ComboBox>(fraAutorisatie, u"cboAdviezenOpenen"_s)),
      hintAdviezenOpenen(add<Hint>(fraAutorisatie, u"hintAdviezenOpenen"_s)),
      cboAdviezenRechten(add<ComboBox>(fraAutorisatie, u"cboAdviezenRechten"_s)),
      hintRechtenAdviezen(add<Hint>(fraAutorisatie, u"hintRechtenAdviezen"_s)),
      cmdInstellenWachtwoord(
          add<CommandButton>(fraAutorisatie, u"cmdInstellenWachtwoord"_s, u"Instellen wachtwoord"_s)),
      cmdWachtwoordVersturen(
          add<CommandButton>(fraAutorisatie, u"cmdWachtwoordVersturen"_s, u"Wachtwoord mailen naar adviseur"_s))
{
    // The advisers with their data, rights and branches.
    showsOfficeTables(OfficeTables::advisers());
    // The hints are laid out for their text, so they have it before the layout.
    setHintTexts();
    lvwAdviseurs.setFullRowSelect(true);
    lvwAdviseurs.setHideSelection(false);
    cmdDelete.setToolTipText(u"Adviseur op 'inactief' zetten"_s);
    for (TextBox* box : {&txtKlantcode, &txtVoorletters, &txtTussenvoegsel, &txtNaam, &txtVoornamen,
                         &txtGeslachtAdviseur, &txtEmailGeregistreerd, &txtNaamKantoor, &txtStraatKantoor,
                         &txtHuinummerKantoor, &txtToevoeging, &txtPostcodeKantoor, &txtPlaatsKantoor})
        box->setLocked(true);
    for (ComboBox* combo : {&cboRol, &cboVestiging, &cboAdviezenOpenen, &cboAdviezenRechten})
        combo->setStyle(ComboBox::Style::DropDownList);

    layoutAdviseur();
    layoutKantoor();
    layoutAutorisatie();
    layoutList();
    stackFrames({&fraAdviseurs});
    connectHandlers();
}

Label& Adviseurs::label(Frame& frame, const QString& name, const QString& caption)
{
    return add<Label>(frame, name, caption);
}

// The adviser's own data: what the register holds is read-only, how the
// office reaches the adviser may be changed.
void Adviseurs::layoutAdviseur()
{
    RowLayout(fraAdviseur, FrameInner)
        .field(label(fraAdviseur, u"lblKlantcode"_s, u"Klantcode"_s), txtKlantcode, FieldWidth, LabelWidth)
        .row({{&label(fraAdviseur, u"lblVoorletters"_s, u"Voorletters / tussenvoegsel"_s), LabelWidth},
              {&txtVoorletters, 1215},
              {&txtTussenvoegsel, 1215}})
        .field(label(fraAdviseur, u"lblNaam"_s, u"Achternaam"_s), txtNaam, FieldWidth, LabelWidth)
        .field(label(fraAdviseur, u"lblVoornamen"_s, u"Voornamen"_s), txtVoornamen, FieldWidth, LabelWidth)
        .row({{&label(fraAdviseur, u"lblGeslacht"_s, u"Geslacht"_s), LabelWidth}, {&txtGeslachtAdviseur, 1215}})
        .field(label(fraAdviseur, u"lblEmailGeregistreerd"_s, u"Geregistreerd e-mailadres"_s), txtEmailGeregistreerd,
               FieldWidth, LabelWidth)
        .space(RowLayout::RowGap)
        .field(label(fraAdviseur, u"lblEmailAdviseur"_s, u"E-mailadres voor rapportage"_s), txtEmailAdviseur,
               FieldWidth, LabelWidth)
        .field(label(fraAdviseur, u"lblInternetAdviseur"_s, u"Internetadres"_s), txtInternetAdviseur, FieldWidth,
               LabelWidth)
        .row({{&label(fraAdviseur, u"lblTelefoonAdviseur"_s, u"Telefoonnummer / faxnummer"_s), LabelWidth},
              {&txtTelefoonAdviseur, (FieldWidth - RowLayout::Gap) / 2},
              {&txtTelefaxAdviseur, 0}})
        .field(label(fraAdviseur, u"lblGebruikersnaam"_s, u"Gebruikersnaam"_s), txtGebruikersnaam, FieldWidth,
               LabelWidth)
        .text(hintGebruikersnaam)
        .field(label(fraAdviseur, u"lblAFMRegistratieNr"_s, u"AFM registratienummer"_s), txtAFMRegistratieNr,
               FieldWidth, LabelWidth)
        .finish();
}

// The office the register gives the adviser, read-only.
void Adviseurs::layoutKantoor()
{
    RowLayout(fraKantoor, FrameInner)
        .field(label(fraKantoor, u"lblNaamKantoor"_s, u"Naam"_s), txtNaamKantoor, FieldWidth, LabelWidth)
        .row({{&label(fraKantoor, u"lblStraatKantoor"_s, u"Straat / huisnummer / toevoeging"_s), LabelWidth},
              {&txtStraatKantoor, FieldWidth - 1590 - 2 * RowLayout::Gap},
              {&txtHuinummerKantoor, 795},
              {&txtToevoeging, 0}})
        .row({{&label(fraKantoor, u"lblPostcodeKantoor"_s, u"Postcode / plaats"_s), LabelWidth},
              {&txtPostcodeKantoor, 1215},
              {&txtPlaatsKantoor, 0}})
        .finish();
}

// Rights and branch, shown to those who may manage them.
void Adviseurs::layoutAutorisatie()
{
    RowLayout(fraAutorisatie, FrameInner)
        .field(label(fraAutorisatie, u"lblRol"_s, u"Rol"_s), cboRol, FieldWidth, LabelWidth)
        .text(hintRol)
        .field(label(fraAutorisatie, u"lblVestiging"_s, u"Vestiging"_s), cboVestiging, FieldWidth, LabelWidth)
        .text(hintVestiging)
        .field(label(fraAutorisatie, u"lblAdviezenOpenen"_s, u"Adviezen openen van"_s), cboAdviezenOpenen, FieldWidth,
               LabelWidth)
        .text(hintAdviezenOpenen)
        .field(label(fraAutorisatie, u"lblAdviezenRechten"_s, u"Rechten op adviezen van anderen"_s), cboAdviezenRechten,
               FieldWidth, LabelWidth)
        .text(hintRechtenAdviezen)
        .space(RowLayout::RowGap)
        .buttons({&cmdInstellenWachtwoord, &cmdWachtwoordVersturen})
        .finish();
}

// The list of advisers above the three frames of the one selected.
void Adviseurs::layoutList()
{
    lvwAdviseurs.setHeight(ListHeight);
    RowLayout(fraAdviseurs, FrameInner + 2 * RowLayout::Margin)
        .line(lvwAdviseurs)
        .buttons({&cmdDelete})
        .line(fraAdviseur)
        .line(fraKantoor)
        .line(fraAutorisatie)
        .finish();
}

void Adviseurs::connectHandlers()
{
    lvwAdviseurs.ItemClick.connect([this](ListItem& item) { lvwAdviseurs_ItemClick(item); });
    lvwAdviseurs.ColumnClick.connect([this](ColumnHeader& header) { lvwAdviseurs_ColumnClick(header); });
    for (TextBox* box :
         {&txtEmailAdviseur, &txtInternetAdviseur, &txtTelefoonAdviseur, &txtTelefaxAdviseur, &txtAFMRegistratieNr}) {
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

// The list takes the room of the rights frame when that is hidden; the page
// follows the frames.
void Adviseurs::arrange()
{
    const int extra = fraAutorisatie.visible() ? 0 : fraAutorisatie.height() + RowLayout::RowGap;
    lvwAdviseurs.setHeight(ListHeight + extra);
    form().relayout();
}

void Adviseurs::setHintTexts()
{
    hintRol.setText(
        u"In dit veld kunt u aangeven of de adviseur een standaard gebruiker is of een administrator. "_s +
        u"Een administrator kan de autorisatie instellingen wijzigen. Een standaard gebruiker kan dit niet."_s);
    hintVestiging.setText(
        u"U kunt onder de instellingen, op het onderdeel Autorisatie de vestigingen aanmaken. Zodra u "_s +
        u"één of meerdere vestigingen heeft aangemaakt, zult u deze in dit veld kunnen selecteren."_s);
    hintAdviezenOpenen.setText(u"In dit veld kunt u aangeven of de adviseur alleen eigen adviezen, adviezen van de "_s +
                               u"eigen vestiging, of van het gehele bedrijf mag openen."_s);
    hintRechtenAdviezen.setText(
        u"In dit veld kunt u aangeven of de adviseur de adviezen van anderen enkel mag inzien, of ook mag wijzigen."_s);
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
        fillLists();
        if (lvwAdviseurs.count() > 0) {
            lvwAdviseurs.setSelectedItem(&lvwAdviseurs.item(1));
            Show_Adviseur(lvwAdviseurs.item(1));
        }
    });
}

// The rights' choices, the branches and the advisers, without running the
// combos' handlers; no adviser is shown yet.
void Adviseurs::fillLists()
{
    const QScopedValueRollback filling(IsLoading, true);
    setHintTexts();

    register_ = AdviserRegister::of(app());
    if (database_ && !huidigeAdviseur().isEmpty()) {
        Autorisatie eigen;
        database_->GetAutorisatie(eigen, huidigeAdviseur());
        if (eigen.Rol == 0 && eigen.AdviezenOpenen == 0 && eigen.AdviezenRechten == 0) {
            ui().msgBox(u"De autorisatiegegevens moeten worden bijgewerkt. Ogenblik geduld.."_s, MsgButtons::OK,
                        MsgIcon::Exclamation, u"Autorisatie"_s);
            Update_Autorisatie();
        }
    }

    magBeheren_ = app().HeeftRecht(2);
    fraAutorisatie.setVisible(magBeheren_);
    cmdDelete.setEnabled(magBeheren_);
    arrange();

    cboRol.clear();
    cboRol.addItemWithData(u"Gebruiker"_s, 2);
    cboRol.addItemWithData(u"Administrator"_s, 1);
    cboVestiging.clear();
    const AutorisatieSettings& vestigingen = Setup<AutorisatieSettings>();
    for (int i = 1; const VestigingRecord* v = vestigingen.Vestiging(i); ++i)
        cboVestiging.addItemWithData(v->Naam + Spaces100 + v->ID, i);
    const bool branches = cboVestiging.listCount() > 0;
    if (branches) {
        cboVestiging.addItem(u"<selecteer een vestiging>"_s, 0);
        cboVestiging.setItemData(0, -1);
    }
    cboVestiging.setEnabled(branches);
    cboAdviezenOpenen.clear();
    cboAdviezenOpenen.addItemWithData(u"Zichzelf"_s, 1);
    cboAdviezenOpenen.addItemWithData(u"Eigen vestiging"_s, 2);
    cboAdviezenOpenen.addItemWithData(u"Iedereen"_s, 3);
    cboAdviezenRechten.clear();
    cboAdviezenRechten.addItemWithData(u"Alleen leesrechten"_s, 2);
    cboAdviezenRechten.addItemWithData(u"Lees- en schrijfrechten"_s, 3);

    lvwAdviseurs.clear();
    lvwAdviseurs.clearColumns();
    const int width = lvwAdviseurs.width() - 360;
    lvwAdviseurs.addColumn(u"Naam"_s, u"Naam"_s, branches ? width * 3 / 10 : width * 2 / 5);
    lvwAdviseurs.addColumn(u"Kantoor"_s, u"Kantoor"_s, branches ? width * 3 / 10 : width * 2 / 5);
    lvwAdviseurs.addColumn(u"Plaats"_s, u"Plaats"_s, width / 5);
    if (branches)
        lvwAdviseurs.addColumn(u"Vestiging"_s, u"Vestiging"_s, width / 5);
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
        code_ = item.tag().toString();
        const RegisteredAdviser* a = register_.find(code_);
        if (!a) {
            ui().msgBox(u"Er is geen gebruiker gevonden met de opgegeven klantcode"_s, MsgButtons::OK,
                        MsgIcon::Exclamation, u"Adviseurs"_s);
            return;
        }
        const QScopedValueRollback filling(IsLoading, true);
        txtKlantcode.setText(a->code);
        txtVoorletters.setText(a->voorletters);
        txtTussenvoegsel.setText(a->tussenvoegsel);
        txtNaam.setText(a->achternaam);
        txtVoornamen.setText(a->voornamen);
        txtGeslachtAdviseur.setText(a->vrouw() ? u"Vrouw"_s : u"Man"_s);
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
    });
}

void Adviseurs::selectData(ComboBox& combo, int data)
{
    const QScopedValueRollback filling(IsLoading, true);
    int index = -1;
    for (int i = 0; i < combo.listCount(); ++i) {
        if (combo.itemData(i) == data)
            index = i;
    }
    combo.setListIndex(index);
}

void Adviseurs::Update_Kantoorgegevens()
{
    guarded([this] { Save_Kantoorgegevens(); });
}

void Adviseurs::Save_Kantoorgegevens()
{
    guarded([this] {
        if (ui().msgBox(u"Wilt u de bijgewerkte gegevens opslaan?"_s, MsgButtons::YesNo, MsgIcon::Question,
                        u"Gegevens gewijzigd"_s) == MsgResult::Yes &&
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
    return {{1, [this] { return Check_Gebruikersnaam(); }}, {2, [this] {
                                                                 if (changed_)
                                                                     Save_Kantoorgegevens();
                                                                 return true;
                                                             }}};
}

bool Adviseurs::Check_Gebruikersnaam()
{
    const QString naam = txtGebruikersnaam.text().trimmed();
    // Only a name the user changed can clash: the one read is already this
    // adviser's, and asking the office again would cost every save a round trip.
    if (!database_ || naam.isEmpty() || code_.isEmpty() || naam == gegevens_.Gebruikersnaam.trimmed())
        return true;
    if (database_->GebruikersnaamInGebruik(code_, naam))
        return failCheck(u"De door u ingevulde gebruikersnaam is reeds in gebruik."_s, u"Gebruikersnaam"_s,
                         &txtGebruikersnaam);
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
            ui().msgBox(u"Weet u zeker dat u uw eigen rol wilt aanpassen naar 'Gebruiker'?"_s +
                            u"\r\nHiermee vervallen voor u de rechten om gebruikers toe te voegen, "_s +
                            u"te verwijderen en te onderhouden."_s,
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
                ui().msgBox(u"Er moet minstens één gebruiker met administrator rechten aanwezig zijn."_s +
                                u"\r\nDe aanpassing wordt afgebroken."_s,
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
            ui().msgBox(u"Stel eerst de vestigingen in. Dit kan in de Instellingen, onderdeel Autorisatie."_s,
                        MsgButtons::OK, MsgIcon::Information, u"Wijzigen Adviezen openen"_s);
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
        autorisatie_.Vestiging =
            cboVestiging.itemData(index) == -1 ? QString() : cboVestiging.identifierOf(index, IdLength);
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
            ui().msgBox(u"Weet u zeker dat u het wachtwoord wilt wijzigen?"_s, MsgButtons::YesNo, MsgIcon::Exclamation,
                        u"Wijzigen bestaand wachtwoord"_s) == MsgResult::No)
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
            ui().msgBox(u"Er is geen emailadres bekend. "_s +
                            u"Vul het e-mailadres van de adviseur in op de website van Quenmarix, onder "
                            "Mijn gegevens."_s,
                        MsgButtons::OK, MsgIcon::Exclamation, u"Emailadres onbekend"_s);
            return;
        }
        if (autorisatie_.Wachtwoord.isEmpty()) {
            ui().msgBox(u"Er is nog geen wachtwoord aangemaakt. Stel eerst een wachtwoord in."_s, MsgButtons::OK,
                        MsgIcon::Exclamation, u"Wachtwoord onbekend"_s);
            return;
        }
        // The mail carries ANSI text: a character without its own byte would arrive as "?".
        if (!isAnsi(autorisatie_.Wachtwoord)) {
            ui().msgBox(u"Het wachtwoord bevat tekens die niet per e-mail verstuurd kunnen worden. "
                        "Stel een wachtwoord in zonder deze tekens."_s,
                        MsgButtons::OK, MsgIcon::Exclamation, u"Wachtwoord versturen"_s);
            return;
        }
        CEmail mail;
        mail.AddAan({a->naam(), a->emailadres});
        mail.setAfzender({u"Administrator Quenmarix"_s, MailSender::NoReplyAdres});
        mail.Onderwerp = u"Wachtwoord Quenmarix"_s;
        mail.Inhoud = u"Hierbij ontvangt u uw wachtwoord waarmee u kunt inloggen in Quenmarix."_s +
                      u"\r\nWachtwoord: "_s + autorisatie_.Wachtwoord +
                      u"\r\nLet bij het invoeren op het gebruik van hoofd- en kleine letters."_s;
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
            ui().msgBox(u"Het wachtwoord is verstuurd naar het email-adres: "_s + a->emailadres, MsgButtons::OK,
                        MsgIcon::Information, u"Wachtwoord versturen"_s);
        else
            ui().msgBox(u"Er is een fout geconstateerd bij het mailen."_s, MsgButtons::OK, MsgIcon::Exclamation,
                        u"Fout bij versturen mail"_s);
    });
}

void Adviseurs::cmdDelete_Click()
{
    guarded([this] {
        const ListItem* row = lvwAdviseurs.selectedItem();
        if (!row)
            return;
        const QString code = row->tag().toString();
        const QString caption = u"Verwijderen adviseurs"_s;
        if (lvwAdviseurs.count() < 2) {
            ui().msgBox(u"De laatste adviseur kan niet worden verwijderd."_s, MsgButtons::OK, MsgIcon::Information,
                        caption);
            return;
        }
        if (code.compare(huidigeAdviseur(), Qt::CaseInsensitive) == 0) {
            ui().msgBox(u"U kunt uzelf niet verwijderen."_s, MsgButtons::OK, MsgIcon::Information, caption);
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
        SortListView(app().listSortState(), lvwAdviseurs, ui(), column, SortDataType::Text, SortSource::ShownText,
                     false, sortOrder_);
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
