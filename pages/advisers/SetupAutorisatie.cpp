#include "pages/advisers/SetupAutorisatie.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"
#include "framework/host/Database.h"
#include "framework/host/OfficeTables.h"
#include "framework/page/RowLayout.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/ui/Ui.h"
#include "pages/advisers/AdviserRegister.h"

#include <QScopedValueRollback>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 6600;
constexpr int LabelWidth = 3015;
constexpr int FieldWidth = InnerWidth - LabelWidth - RowLayout::Gap;
constexpr int ListHeight = 1335;
constexpr int IdLength = 36;
// Stored instead of 0, so that "nothing allowed" differs from "never set".
constexpr qint32 GeenToegang = 0x8000000;
const QString Spaces100 = QString(100, QLatin1Char(' '));
const QString ResetCaption = u"Standaard autorisaties toepassen"_s;

std::vector<ListEntry> rolEntries() { return {{u"Gebruiker"_s, 2}, {u"Administrator"_s, 1}}; }
std::vector<ListEntry> openenEntries() { return {{u"Zichzelf"_s, 1}, {u"Eigen vestiging"_s, 2}, {u"Iedereen"_s, 3}}; }
std::vector<ListEntry> rechtenEntries() { return {{u"Alleen leesrechten"_s, 2}, {u"Lees- en schrijfrechten"_s, 3}}; }
} // namespace

SetupAutorisatie::SetupAutorisatie()
    : SettingsPage(u"SetupAutorisatie"_s),
      fraToegangGebruiker(add<Frame>(form(), u"fraToegangGebruiker"_s, u"Toegang gebruiker (niet-administrator)"_s)),
      chkOnderhoudsmenu(add<CheckBox>(fraToegangGebruiker, u"chkOnderhoudsmenu"_s, u"Onderhoudsmenu"_s)),
      hntOnderhoudsmenu(add<Hint>(fraToegangGebruiker, u"hntOnderhoudsmenu"_s)),
      chkRapportageInstellingen(
          add<CheckBox>(fraToegangGebruiker, u"chkRapportageInstellingen"_s, u"Rapportageinstellingen"_s)),
      hntRapportageInstellingen(add<Hint>(fraToegangGebruiker, u"hntRapportageInstellingen"_s)),
      fraInloggen(add<Frame>(form(), u"fraInloggen"_s, u"Inloggen gebruiker"_s)),
      cboInlogMethode(add<ComboBox>(fraInloggen, u"cboInlogMethode"_s)),
      fraVoorkeuren(add<Frame>(form(), u"fraVoorkeuren"_s, u"Standaard instellingen bij toevoegen nieuwe gebruiker"_s)),
      cboRol(add<ComboBox>(fraVoorkeuren, u"cboRol"_s)),
      cboAdviezenOpenen(add<ComboBox>(fraVoorkeuren, u"cboAdviezenOpenen"_s)),
      cboAdviezenRechten(add<ComboBox>(fraVoorkeuren, u"cboAdviezenRechten"_s)),
      cboVestiging(add<ComboBox>(fraVoorkeuren, u"cboVestiging"_s)),
      fraVestigingen(add<Frame>(form(), u"fraVestigingen"_s, u"Vestigingen"_s)),
      lvwVestigingen(add<ListView>(fraVestigingen, u"lvwVestigingen"_s)),
      txtVestiging(add<TextBox>(fraVestigingen, u"txtVestiging"_s)),
      cmdNieuw(add<CommandButton>(fraVestigingen, u"cmdNieuw"_s, u"Nieuw"_s)),
      cmdVerwijderen(add<CommandButton>(fraVestigingen, u"cmdVerwijderen"_s, u"Verwijderen"_s)),
      cmdOpslaan(add<CommandButton>(fraVestigingen, u"cmdOpslaan"_s, u"Opslaan"_s)),
      fraResetten(add<Frame>(form(), u"fraResetten"_s, u"Autorisaties opnieuw instellen"_s)),
      lblReset(add<Label>(fraResetten, u"lblReset"_s,
                          u"Met deze knop krijgen alle adviseurs de standaard instellingen hierboven als "
                          "autorisatie. Uw eigen rol blijft 'administrator'."_s)),
      chkWachtwoordReset(add<CheckBox>(fraResetten, u"chkWachtwoordReset"_s, u"Ook wachtwoorden resetten"_s)),
      cmdReset(add<CommandButton>(fraResetten, u"cmdReset"_s, u"Toepassen op alle adviseurs"_s))
{
    // The advisers' rights and the branches.
    showsOfficeTables(OfficeTables::advisers());
    for (ComboBox* combo : {&cboInlogMethode, &cboRol, &cboAdviezenOpenen, &cboAdviezenRechten, &cboVestiging})
        combo->setStyle(ComboBox::Style::DropDownList);
    lvwVestigingen.setFullRowSelect(true);
    lvwVestigingen.setHideSelection(false);
    txtVestiging.setMaxLength(100);

    // The hints are laid out for their text, so they have it before the layout.
    setHintTexts();
    RowLayout(fraToegangGebruiker, InnerWidth)
        .line(chkOnderhoudsmenu)
        .text(hntOnderhoudsmenu)
        .line(chkRapportageInstellingen)
        .text(hntRapportageInstellingen)
        .finish();
    RowLayout(fraInloggen, InnerWidth)
        .field(add<Label>(fraInloggen, u"lblInlogMethode"_s, u"Selectie gebruiker via"_s), cboInlogMethode, FieldWidth,
               LabelWidth)
        .finish();
    RowLayout(fraVoorkeuren, InnerWidth)
        .field(add<Label>(fraVoorkeuren, u"lblRol"_s, u"Rol"_s), cboRol, FieldWidth, LabelWidth)
        .field(add<Label>(fraVoorkeuren, u"lblAdviezenOpenen"_s, u"Adviezen openen van"_s), cboAdviezenOpenen,
               FieldWidth, LabelWidth)
        .field(add<Label>(fraVoorkeuren, u"lblAdviezenRechten"_s, u"Rechten op adviezen van anderen"_s),
               cboAdviezenRechten, FieldWidth, LabelWidth)
        .field(add<Label>(fraVoorkeuren, u"lblVestiging"_s, u"Vestiging"_s), cboVestiging, FieldWidth, LabelWidth)
        .finish();
    RowLayout(fraVestigingen, InnerWidth)
        .line(lvwVestigingen, ListHeight)
        .row({{&txtVestiging, 0},
              {&cmdOpslaan, RowLayout::ButtonWidth},
              {&cmdNieuw, RowLayout::ButtonWidth},
              {&cmdVerwijderen, RowLayout::ButtonWidth}})
        .finish();
    RowLayout(fraResetten, InnerWidth)
        .text(lblReset)
        .row({{&chkWachtwoordReset, 0}, {&cmdReset, RowLayout::ButtonWidth}})
        .finish();
    stackFrames({&fraToegangGebruiker, &fraInloggen, &fraVoorkeuren, &fraVestigingen, &fraResetten});

    cboInlogMethode.addItemWithData(u"Keuzelijst adviseurs"_s, 0);
    cboInlogMethode.addItemWithData(u"Invoer gebruikersnaam"_s, 1);
    // A stored 0 means never set: the default is written back at once.
    bind(cboRol, &AutorisatieSettings::StandaardRol, rolEntries()).defaultWhenEmpty();
    bind(cboAdviezenOpenen, &AutorisatieSettings::StandaardAdviezenOpenen, openenEntries()).defaultWhenEmpty();
    bind(cboAdviezenRechten, &AutorisatieSettings::StandaardAdviezenRechten, rechtenEntries()).defaultWhenEmpty();

    chkOnderhoudsmenu.Click.connect([this] { Update_AuthorisatieInstellingenRechten(); });
    chkRapportageInstellingen.Click.connect([this] { Update_AuthorisatieInstellingenRechten(); });
    cboInlogMethode.Click.connect([this] { cboInlogMethode_Click(); });
    cboVestiging.Click.connect([this] { cboVestiging_Click(); });
    lvwVestigingen.ItemClick.connect([this](ListItem& item) { lvwVestigingen_ItemClick(item); });
    cmdNieuw.Click.connect([this] { cmdNieuw_Click(); });
    cmdOpslaan.Click.connect([this] { cmdOpslaan_Click(); });
    cmdVerwijderen.Click.connect([this] { cmdVerwijderen_Click(); });
    cmdReset.Click.connect([this] { cmdReset_Click(); });
}

void SetupAutorisatie::setHintTexts()
{
    hntOnderhoudsmenu.setText(
        u"Met het vinkje kan bepaald worden of gebruikers toegang mogen hebben tot het menu 'Onderhoud'."_s);
    hntRapportageInstellingen.setText(u"Met het vinkje kan bepaald worden of gebruikers geautoriseerd zijn om zelf "_s +
                                      u"rapportstructuren en sjablonen te maken en op te slaan."_s);
}

void SetupAutorisatie::setBackColor(Colour colour)
{
    SettingsPage::setBackColor(colour);
    lvwVestigingen.setBackColor(colour);
}

void SetupAutorisatie::Fill()
{
    const QScopedValueRollback filling(IsLoading, true);
    database_ = GetDatabase(app());
    setHintTexts();
    lvwVestigingen.clearColumns();
    lvwVestigingen.addColumn(u"Vestiging"_s, u"Vestiging"_s, lvwVestigingen.width() - 360);
    Fill_Vestigingen();
    const QString invoer = app().registry().RegGetString(Hive::HKEY_LOCAL_MACHINE, QString(RegistryNames::ProductKey),
                                                         QString(RegistryNames::InvoerGebruikersnaam), u"False"_s);
    cboInlogMethode.setListIndex(invoer.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ? 1 : 0);
    const qint32 toegang = Setup<AutorisatieSettings>().GebruikersToegang;
    chkOnderhoudsmenu.setChecked((toegang & 1) != 0);
    chkRapportageInstellingen.setChecked((toegang & 2) != 0);
}

void SetupAutorisatie::Fill_Vestigingen()
{
    guarded([this] {
        const QScopedValueRollback filling(IsLoading, true);
        lvwVestigingen.clear();
        cboVestiging.clear();
        const AutorisatieSettings& settings = Setup<AutorisatieSettings>();
        for (int i = 1; const VestigingRecord* v = settings.Vestiging(i); ++i) {
            if (!lvwVestigingen.findItem(v->ID))
                lvwVestigingen.addItem(v->ID, v->Naam);
            cboVestiging.addItemWithData(v->Naam + Spaces100 + v->ID, i);
        }
        cboVestiging.setEnabled(cboVestiging.listCount() > 0);
        txtVestiging.setText(QString());
        enableBranchEditing(false);
        cmdVerwijderen.setEnabled(false);
        Select_StandaardVestiging();
    });
}

void SetupAutorisatie::Select_StandaardVestiging()
{
    const QString standaard = Setup<AutorisatieSettings>().StandaardVestiging;
    int index = -1;
    for (int i = 0; i < cboVestiging.listCount(); ++i) {
        if (!standaard.isEmpty() && cboVestiging.identifierOf(i, IdLength) == standaard)
            index = i;
    }
    cboVestiging.setListIndex(index);
}

void SetupAutorisatie::enableBranchEditing(bool on)
{
    txtVestiging.setEnabled(on);
    cmdOpslaan.setEnabled(on);
}

// -1 first, then the boxes' bits; no bit at all is stored as GeenToegang.
void SetupAutorisatie::Update_AuthorisatieInstellingenRechten()
{
    guarded([this] {
        if (IsLoading)
            return;
        const qint32 toegang =
            (chkOnderhoudsmenu.isChecked() ? 1 : 0) + (chkRapportageInstellingen.isChecked() ? 2 : 0);
        AutorisatieSettings& settings = Setup<AutorisatieSettings>();
        settings.GebruikersToegang = -1;
        settings.GebruikersToegang = toegang == 0 ? GeenToegang : toegang;
        app().SetupChanged();
    });
}

void SetupAutorisatie::cboInlogMethode_Click()
{
    guarded([this] {
        if (IsLoading || cboInlogMethode.listIndex() < 0)
            return;
        const bool invoer = cboInlogMethode.itemData(cboInlogMethode.listIndex()) == 1;
        app().registry().RegSetString(Hive::HKEY_LOCAL_MACHINE, QString(RegistryNames::ProductKey),
                                      QString(RegistryNames::InvoerGebruikersnaam), invoer ? u"True"_s : u"False"_s);
    });
}

void SetupAutorisatie::cboVestiging_Click()
{
    guarded([this] {
        if (IsLoading || cboVestiging.listIndex() < 0)
            return;
        Setup<AutorisatieSettings>().StandaardVestiging = cboVestiging.identifierOf(cboVestiging.listIndex(), IdLength);
        app().SetupChanged();
    });
}

void SetupAutorisatie::lvwVestigingen_ItemClick(ListItem& item)
{
    guarded([&] {
        txtVestiging.setText(item.text());
        enableBranchEditing(true);
        cmdVerwijderen.setEnabled(true);
    });
}

void SetupAutorisatie::Select_VestigingItem(const QString& id)
{
    ListItem* row = lvwVestigingen.findItem(id);
    if (!row)
        return;
    lvwVestigingen.setSelectedItem(row);
    row->ensureVisible();
    txtVestiging.setText(row->text());
    cmdVerwijderen.setEnabled(true);
}

void SetupAutorisatie::cmdNieuw_Click()
{
    guarded([this] {
        AutorisatieSettings& settings = Setup<AutorisatieSettings>();
        VestigingRecord& vestiging = *settings.Vestiging(settings.AddVestiging());
        vestiging.ID = QUuid::createUuid().toString(QUuid::WithoutBraces);
        vestiging.Naam = u"<Nieuwe vestiging>"_s;
        app().SetupChanged();
        const QString id = vestiging.ID;
        Fill_Vestigingen();
        Select_VestigingItem(id);
        enableBranchEditing(true);
        txtVestiging.setFocus();
    });
}

void SetupAutorisatie::cmdOpslaan_Click()
{
    guarded([this] {
        const ListItem* row = lvwVestigingen.selectedItem();
        if (!row)
            return;
        if (txtVestiging.text().trimmed().isEmpty()) {
            failCheck(u"Vul de naam van de vestiging in."_s, u"Vestiging opslaan"_s, &txtVestiging);
            return;
        }
        const QString id = row->key();
        AutorisatieSettings& settings = Setup<AutorisatieSettings>();
        for (int i = 1; VestigingRecord* v = settings.Vestiging(i); ++i) {
            if (v->ID == id)
                v->Naam = txtVestiging.text();
        }
        app().SetupChanged();
        Fill_Vestigingen();
        broadcastRefresh();
    });
}

void SetupAutorisatie::cmdVerwijderen_Click()
{
    guarded([this] {
        const ListItem* row = lvwVestigingen.selectedItem();
        if (!row)
            return;
        const QString id = row->key();
        const int aantal = database_ ? database_->AantalAdviseursVestiging(id) : 0;
        if (aantal > 0 &&
            ui().msgBox(u"Er "_s + (aantal == 1 ? u"is"_s : u"zijn"_s) + u" nog "_s + QString::number(aantal) +
                            u" adviseurs gekoppeld aan deze vestiging."_s +
                            u"\r\nWeet u zeker dat u deze vestiging uit het systeem wilt verwijderen?"_s,
                        MsgButtons::YesNo, MsgIcon::Exclamation, u"Verwijderen vestiging"_s) == MsgResult::No)
            return;
        AutorisatieSettings& settings = Setup<AutorisatieSettings>();
        for (int i = settings.Vestigingen.count(); i >= 1; --i) {
            if (settings.Vestiging(i)->ID == id)
                settings.RemoveVestiging(i);
        }
        if (database_)
            database_->OntkoppelVestiging(id);
        HuidigeAdviseurSettings& eigen = Setup<HuidigeAdviseurSettings>();
        if (QString(eigen.Vestiging) == id)
            eigen.Vestiging = QString();
        // A default that names a branch no longer there would give new advisers a dangling branch.
        if (QString(settings.StandaardVestiging) == id)
            settings.StandaardVestiging = QString();
        app().SetupChanged();
        Fill_Vestigingen();
        enableBranchEditing(false);
        broadcastRefresh();
    });
}

void SetupAutorisatie::broadcastRefresh()
{
    app().RaiseNotify(u"SetupAutorisatie"_s, u"Adviseurs"_s, u"Refresh"_s, QString());
}

void SetupAutorisatie::cmdReset_Click()
{
    guarded([this] {
        QStringList lines{u"Let op! U staat op het punt de ingestelde autorisaties voor alle "_s +
                          u"geregistreerde adviseurs te overschrijven met de standaard instellingen."_s};
        if (chkWachtwoordReset.isChecked())
            lines << u"Tevens worden voor alle adviseurs de wachtwoorden gewist."_s;
        lines << u"Uw eigen rol blijft na deze actie 'administrator', ongeacht wat de standaard instelling is."_s
              << u"Wilt u doorgaan?"_s;
        if (ui().msgBox(lines.join(u"\r\n"_s), MsgButtons::YesNo, MsgIcon::Exclamation, ResetCaption) == MsgResult::No)
            return;
        if (!database_)
            throw RuntimeError::objectRequired();
        const auto data = [](const ComboBox& combo) {
            return qint16(combo.listIndex() < 0 ? 0 : combo.itemData(combo.listIndex()));
        };
        const QString vestiging =
            cboVestiging.listIndex() < 0 ? QString() : cboVestiging.identifierOf(cboVestiging.listIndex(), IdLength);
        const QString huidige = adviserCode(app().HuidigeAdviseur());
        const MousePointer pointer = ui().mousePointer();
        ui().setMousePointer(MousePointer::Hourglass);
        const AdviserRegister advisers = AdviserRegister::of(app());
        for (const RegisteredAdviser& a : advisers.advisers()) {
            if (a.code.isEmpty())
                continue;
            Autorisatie rechten;
            database_->GetAutorisatie(rechten, a.code);
            rechten.AdviezenOpenen = data(cboAdviezenOpenen);
            rechten.AdviezenRechten = data(cboAdviezenRechten);
            rechten.Rol = data(cboRol);
            rechten.Vestiging = vestiging;
            if (chkWachtwoordReset.isChecked())
                rechten.Wachtwoord.clear();
            if (a.code.compare(huidige, Qt::CaseInsensitive) == 0)
                rechten.Rol = 1;
            database_->SaveAutorisatie(a.code, rechten);
        }
        ui().setMousePointer(pointer);
        ui().msgBox(u"De standaard autorisaties zijn toegepast op alle adviseurs."_s, MsgButtons::OK,
                    MsgIcon::Information, ResetCaption);
    });
    ui().setMousePointer(MousePointer::Default);
}

void SetupAutorisatie::Terminate()
{
    guarded([this] {
        if (database_ && !Setup<AutorisatieSettings>().Vestiging(1))
            database_->OpschonenVestigingen(1);
    });
}

} // namespace tarvelo
