#include "pages/advisers/SetupAutorisatie.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"
#include "framework/host/Database.h"
#include "framework/page/RowLayout.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/ui/Ui.h"
#include "pages/advisers/AdviserRegister.h"

#include <QUuid>

namespace tarvelo {

namespace {
constexpr int InnerWidth = 6600;
constexpr int LabelWidth = 3015;
constexpr int FieldWidth = InnerWidth - LabelWidth - RowLayout::Gap;
constexpr int ButtonWidth = 1215;
constexpr int ListHeight = 1335;
constexpr int IdLength = 36;
// Stored instead of 0, so that "nothing allowed" differs from "never set".
constexpr qint32 GeenToegang = 0x8000000;
const QString Spaces100 = QString(100, QLatin1Char(' '));
const QString ResetCaption = QStringLiteral("Standaard autorisaties toepassen");

std::vector<ListEntry> rolEntries() { return {{QStringLiteral("Gebruiker"), 2}, {QStringLiteral("Administrator"), 1}}; }
std::vector<ListEntry> openenEntries()
{
    return {{QStringLiteral("Zichzelf"), 1}, {QStringLiteral("Eigen vestiging"), 2}, {QStringLiteral("Iedereen"), 3}};
}
std::vector<ListEntry> rechtenEntries()
{
    return {{QStringLiteral("Alleen leesrechten"), 2}, {QStringLiteral("Lees- en schrijfrechten"), 3}};
}
} // namespace

SetupAutorisatie::SetupAutorisatie()
    : SettingsPage(QStringLiteral("SetupAutorisatie")),
      fraToegangGebruiker(add<Frame>(form(), QStringLiteral("fraToegangGebruiker"),
                                     QStringLiteral("Toegang gebruiker (niet-administrator)"))),
      chkOnderhoudsmenu(add<CheckBox>(fraToegangGebruiker, QStringLiteral("chkOnderhoudsmenu"), QStringLiteral("Onderhoudsmenu"))),
      hntOnderhoudsmenu(add<Hint>(fraToegangGebruiker, QStringLiteral("hntOnderhoudsmenu"))),
      chkRapportageInstellingen(add<CheckBox>(fraToegangGebruiker, QStringLiteral("chkRapportageInstellingen"),
                                              QStringLiteral("Rapportageinstellingen"))),
      hntRapportageInstellingen(add<Hint>(fraToegangGebruiker, QStringLiteral("hntRapportageInstellingen"))),
      fraInloggen(add<Frame>(form(), QStringLiteral("fraInloggen"), QStringLiteral("Inloggen gebruiker"))),
      cboInlogMethode(add<ComboBox>(fraInloggen, QStringLiteral("cboInlogMethode"))),
      fraVoorkeuren(add<Frame>(form(), QStringLiteral("fraVoorkeuren"),
                               QStringLiteral("Standaard instellingen bij toevoegen nieuwe gebruiker"))),
      cboRol(add<ComboBox>(fraVoorkeuren, QStringLiteral("cboRol"))),
      cboAdviezenOpenen(add<ComboBox>(fraVoorkeuren, QStringLiteral("cboAdviezenOpenen"))),
      cboAdviezenRechten(add<ComboBox>(fraVoorkeuren, QStringLiteral("cboAdviezenRechten"))),
      cboVestiging(add<ComboBox>(fraVoorkeuren, QStringLiteral("cboVestiging"))),
      fraVestigingen(add<Frame>(form(), QStringLiteral("fraVestigingen"), QStringLiteral("Vestigingen"))),
      lvwVestigingen(add<ListView>(fraVestigingen, QStringLiteral("lvwVestigingen"))),
      txtVestiging(add<TextBox>(fraVestigingen, QStringLiteral("txtVestiging"))),
      cmdNieuw(add<CommandButton>(fraVestigingen, QStringLiteral("cmdNieuw"), QStringLiteral("Nieuw"))),
      cmdVerwijderen(add<CommandButton>(fraVestigingen, QStringLiteral("cmdVerwijderen"), QStringLiteral("Verwijderen"))),
      cmdOpslaan(add<CommandButton>(fraVestigingen, QStringLiteral("cmdOpslaan"), QStringLiteral("Opslaan"))),
      fraResetten(add<Frame>(form(), QStringLiteral("fraResetten"), QStringLiteral("Autorisaties opnieuw instellen"))),
      lblReset(add<Label>(fraResetten, QStringLiteral("lblReset"),
                          QStringLiteral("Met deze knop krijgen alle adviseurs de standaard instellingen hierboven als "
                                         "autorisatie. Uw eigen rol blijft 'administrator'."))),
      chkWachtwoordReset(add<CheckBox>(fraResetten, QStringLiteral("chkWachtwoordReset"),
                                       QStringLiteral("Ook wachtwoorden resetten"))),
      cmdReset(add<CommandButton>(fraResetten, QStringLiteral("cmdReset"), QStringLiteral("Toepassen op alle adviseurs")))
{
    for (ComboBox* combo : {&cboInlogMethode, &cboRol, &cboAdviezenOpenen, &cboAdviezenRechten, &cboVestiging})
        combo->setStyle(ComboBox::Style::DropDownList);
    lvwVestigingen.setFullRowSelect(true);
    lvwVestigingen.setHideSelection(false);
    txtVestiging.setMaxLength(100);

    // The hints are laid out for their text, so they have it before the layout.
    setHintTexts();
    RowLayout(fraToegangGebruiker, InnerWidth)
        .line(chkOnderhoudsmenu, RowLayout::LabelHeight)
        .text(hntOnderhoudsmenu)
        .line(chkRapportageInstellingen, RowLayout::LabelHeight)
        .text(hntRapportageInstellingen)
        .finish();
    RowLayout(fraInloggen, InnerWidth)
        .field(add<Label>(fraInloggen, QStringLiteral("lblInlogMethode"), QStringLiteral("Selectie gebruiker via")),
               cboInlogMethode, FieldWidth, LabelWidth)
        .finish();
    RowLayout(fraVoorkeuren, InnerWidth)
        .field(add<Label>(fraVoorkeuren, QStringLiteral("lblRol"), QStringLiteral("Rol")), cboRol, FieldWidth, LabelWidth)
        .field(add<Label>(fraVoorkeuren, QStringLiteral("lblAdviezenOpenen"), QStringLiteral("Adviezen openen van")),
               cboAdviezenOpenen, FieldWidth, LabelWidth)
        .field(add<Label>(fraVoorkeuren, QStringLiteral("lblAdviezenRechten"),
                          QStringLiteral("Rechten op adviezen van anderen")),
               cboAdviezenRechten, FieldWidth, LabelWidth)
        .field(add<Label>(fraVoorkeuren, QStringLiteral("lblVestiging"), QStringLiteral("Vestiging")), cboVestiging,
               FieldWidth, LabelWidth)
        .finish();
    RowLayout(fraVestigingen, InnerWidth)
        .line(lvwVestigingen, ListHeight)
        .row({{&txtVestiging, InnerWidth - 3 * (ButtonWidth + RowLayout::Gap)},
              {&cmdOpslaan, ButtonWidth},
              {&cmdNieuw, ButtonWidth},
              {&cmdVerwijderen, 0}})
        .finish();
    RowLayout(fraResetten, InnerWidth)
        .text(lblReset)
        .row({{&chkWachtwoordReset, InnerWidth - 2 * ButtonWidth - RowLayout::Gap}, {&cmdReset, 0}})
        .finish();
    stackFrames({&fraToegangGebruiker, &fraInloggen, &fraVoorkeuren, &fraVestigingen, &fraResetten});

    cboInlogMethode.addItemWithData(QStringLiteral("Keuzelijst adviseurs"), 0);
    cboInlogMethode.addItemWithData(QStringLiteral("Invoer gebruikersnaam"), 1);
    // A stored 0 means never set: the default is written back at once.
    bind(cboRol, &AutorisatieSettings::StandaardRol, rolEntries()).defaultWhenEmpty(1);
    bind(cboAdviezenOpenen, &AutorisatieSettings::StandaardAdviezenOpenen, openenEntries()).defaultWhenEmpty(3);
    bind(cboAdviezenRechten, &AutorisatieSettings::StandaardAdviezenRechten, rechtenEntries()).defaultWhenEmpty(3);

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
        QStringLiteral("Met het vinkje kan bepaald worden of gebruikers toegang mogen hebben tot het menu 'Onderhoud'."));
    hntRapportageInstellingen.setText(
        QStringLiteral("Met het vinkje kan bepaald worden of gebruikers geautoriseerd zijn om zelf ") +
        QStringLiteral("rapportstructuren en sjablonen te maken en op te slaan."));
}

void SetupAutorisatie::setBackColor(Colour colour)
{
    SettingsPage::setBackColor(colour);
    lvwVestigingen.setBackColor(colour);
}

void SetupAutorisatie::Fill()
{
    IsLoading = true;
    database_ = GetDatabase(app());
    setHintTexts();
    lvwVestigingen.clearColumns();
    lvwVestigingen.addColumn(QStringLiteral("Vestiging"), QStringLiteral("Vestiging"), lvwVestigingen.width() - 360);
    Fill_Vestigingen();
    const QString invoer = app().registry().RegGetString(Hive::HKEY_LOCAL_MACHINE, QString(RegistryNames::ProductKey),
                                                         QString(RegistryNames::InvoerGebruikersnaam),
                                                         QStringLiteral("False"));
    cboInlogMethode.setListIndex(invoer.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ? 1 : 0);
    const qint32 toegang = Setup<AutorisatieSettings>().GebruikersToegang;
    chkOnderhoudsmenu.setChecked((toegang & 1) != 0);
    chkRapportageInstellingen.setChecked((toegang & 2) != 0);
    IsLoading = false;
}

void SetupAutorisatie::Fill_Vestigingen()
{
    guarded([this] {
        const bool loading = IsLoading;
        IsLoading = true;
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
        IsLoading = loading;
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
        const qint32 toegang = (chkOnderhoudsmenu.isChecked() ? 1 : 0) + (chkRapportageInstellingen.isChecked() ? 2 : 0);
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
                                      QString(RegistryNames::InvoerGebruikersnaam),
                                      invoer ? QStringLiteral("True") : QStringLiteral("False"));
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
        vestiging.Naam = QStringLiteral("<Nieuwe vestiging>");
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
            failCheck(QStringLiteral("Vul de naam van de vestiging in."), QStringLiteral("Vestiging opslaan"), &txtVestiging);
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
            ui().msgBox(QStringLiteral("Er ") + (aantal == 1 ? QStringLiteral("is") : QStringLiteral("zijn")) +
                            QStringLiteral(" nog ") + QString::number(aantal) +
                            QStringLiteral(" adviseurs gekoppeld aan deze vestiging.") +
                            QStringLiteral("\r\nWeet u zeker dat u deze vestiging uit het systeem wilt verwijderen?"),
                        MsgButtons::YesNo, MsgIcon::Exclamation, QStringLiteral("Verwijderen vestiging")) == MsgResult::No)
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
    app().RaiseNotify(QStringLiteral("SetupAutorisatie"), QStringLiteral("Adviseurs"), QStringLiteral("Refresh"), QString());
}

void SetupAutorisatie::cmdReset_Click()
{
    guarded([this] {
        QStringList lines{QStringLiteral("Let op! U staat op het punt de ingestelde autorisaties voor alle ") +
                          QStringLiteral("geregistreerde adviseurs te overschrijven met de standaard instellingen.")};
        if (chkWachtwoordReset.isChecked())
            lines << QStringLiteral("Tevens worden voor alle adviseurs de wachtwoorden gewist.");
        lines << QStringLiteral("Uw eigen rol blijft na deze actie 'administrator', ongeacht wat de standaard instelling is.")
              << QStringLiteral("Wilt u doorgaan?");
        if (ui().msgBox(lines.join(QStringLiteral("\r\n")), MsgButtons::YesNo, MsgIcon::Exclamation, ResetCaption) ==
            MsgResult::No)
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
        ui().msgBox(QStringLiteral("De standaard autorisaties zijn toegepast op alle adviseurs."), MsgButtons::OK,
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
