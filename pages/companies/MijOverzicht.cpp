#include "pages/companies/MijOverzicht.h"

#include "framework/errors/Conversions.h"
#include "framework/host/Application.h"
#include "framework/host/Connection.h"
#include "framework/host/Database.h"
#include "framework/host/Maatschappij.h"
#include "framework/host/OfficeTables.h"
#include "framework/page/HostedPage.h"
#include "framework/page/RowLayout.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/InkoopcombinatieSettings.h"
#include "framework/ui/Ui.h"
#include "framework/util/ListRoutines.h"

#include <QDir>
#include <QScopedValueRollback>
#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int LeftWidth = 5325; // the left column, as wide as a hosted page
constexpr int RightWidth = 4005;
// The left column beside the right one at least, so that company names read whole.
constexpr int ReadableLeftWidth = 7200;
constexpr int FrameGap = 60;
constexpr int HostedHeight = 5685;
constexpr Colour HintBackColor = 0xFFFFFF;

// The companies whose commission settings the office keeps, per list.
const QStringList KredietProvisieCodes = {u"CE"_s, u"DM"_s, u"IT"_s, u"AUC"_s};
const QStringList ProvisieCodes = {u"AVT"_s, u"CE"_s, u"DM"_s, u"IT"_s, u"AUC"_s};

// The look-up of a company by short name, table by table in this order.
struct LookupTable {
    const char* table;
    qint32 kind;
};
constexpr LookupTable LookupOrder[] = {
    {"Tbl_Mij_Info", SoortMij::Geldverstrekker},
    {"Tbl_Mij_Verzekering", SoortMij::Verzekeraar},
    {"Tbl_Mij_Vermogen", SoortMij::Vermogensbeheerder},
    {"Tbl_Mij_Krediet", SoortMij::Kredietverstrekker},
    {"Tbl_Mij_Taxatie", SoortMij::Taxateur},
    {"Tbl_Mij_Bankgarantie", SoortMij::Bankgarantie},
};

// Applications of the extended return methods started on this day.
const QDate ExtendedReturnMethodsFrom(2013, 5, 1);

// The hourglass while the page works; the pointer comes back also when it fails.
class Hourglass {
public:
    explicit Hourglass(Ui& ui) : ui_(ui), previous_(ui.mousePointer()) { ui_.setMousePointer(MousePointer::Hourglass); }
    ~Hourglass() { ui_.setMousePointer(previous_); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    Ui& ui_;
    MousePointer previous_;
};

bool isHostedKind(qint32 kind) { return kind == SoortMij::Notaris || kind == SoortMij::Serviceprovider; }
} // namespace

MijOverzicht::MijOverzicht()
    : SettingsPage(u"MijOverzicht"_s),
      fraPartijen(add<Frame>(form(), u"fraPartijen"_s, u"Soort partij"_s)),
      cboPartijen(form().add<ComboBox>(fraPartijen, u"cboPartijen"_s)),
      fraMaatschappij(add<Frame>(form(), u"fraMaatschappij"_s, u"Maatschappij"_s)),
      lvwMaatschappij(add<ListView>(fraMaatschappij, u"lvwMaatschappij"_s)),
      fraAgentnummers(add<Frame>(form(), u"fraAgentnummers"_s, u"Agentnummers"_s)),
      lvwAgentnummers(add<ListView>(fraAgentnummers, u"lvwAgentnummers"_s)),
      cmdAddAgentnummer(add<CommandButton>(fraAgentnummers, u"cmdAddAgentnummer"_s, u"Toevoegen"_s)),
      cmdEditAgentnummer(add<CommandButton>(fraAgentnummers, u"cmdEditAgentnummer"_s, u"Wijzigen"_s)),
      cmdDeleteAgentnummer(add<CommandButton>(fraAgentnummers, u"cmdDeleteAgentnummer"_s, u"Verwijderen"_s)),
      hintAgentnummer(add<Hint>(fraAgentnummers, u"hintAgentnummer"_s)),
      fraAgentummersUitwisselen(add<Frame>(form(), u"fraAgentummersUitwisselen"_s, u"Agentnummers"_s)),
      cmdAgentnummerExport(add<CommandButton>(fraAgentummersUitwisselen, u"cmdAgentnummerExport"_s, u"Exporteren"_s)),
      cmdAgentnummerImport(add<CommandButton>(fraAgentummersUitwisselen, u"cmdAgentnummerImport"_s, u"Importeren"_s)),
      fraHypotheekaanvraag(add<Frame>(form(), u"fraHypotheekaanvraag"_s, u"Hypotheekaanvraag"_s)),
      lblOntvanger(add<Label>(fraHypotheekaanvraag, u"lblOntvanger"_s, u"HDN aanvraag naar"_s)),
      cboHDNOntvanger(add<ComboBox>(fraHypotheekaanvraag, u"cboHDNOntvanger"_s)),
      lblHdnRetour(add<Label>(fraHypotheekaanvraag, u"lblHdnRetour"_s, u"Voorkeur retourwijze"_s)),
      cboHDNRetour(add<ComboBox>(fraHypotheekaanvraag, u"cboHDNRetour"_s)),
      fraHypotheekOpties(add<Frame>(form(), u"fraHypotheekOpties"_s, u"Hypotheekopties"_s)),
      lblProvisie(add<Label>(fraHypotheekOpties, u"lblProvisie"_s,
                             u"De hypotheekopties zijn via de onderstaande knop te wijzigen:"_s)),
      cmdRenteOpties(add<CommandButton>(fraHypotheekOpties, u"cmdRenteOpties"_s, u"Hypotheekopties"_s)),
      fraProvisie(add<Frame>(form(), u"fraProvisie"_s, u"Provisie"_s)),
      cmdProvisieInstellingen(form().add<CommandButton>(fraProvisie, u"cmdProvisieInstellingen"_s)),
      fraProducten(add<Frame>(form(), u"fraProducten"_s, u"Producten"_s)),
      lvwProducten(add<ListView>(fraProducten, u"lvwProducten"_s))
{
    // The companies with their agent numbers and the office's data per company.
    showsOfficeTables(OfficeTables::companyData());
    // The ticked service providers are receivers of the applications.
    fillReads<InkoopcombinatieSettings>();
    // Left column: the kind, the companies and their agent numbers.
    auto& lblPartijen = add<Label>(fraPartijen, u"lblPartijen"_s, u"Partij"_s);
    RowLayout(fraPartijen, LeftWidth - 2 * RowLayout::Margin).row({{&lblPartijen, 900}, {&cboPartijen, 0}}).finish();

    for (ListView* list : {&lvwMaatschappij, &lvwAgentnummers, &lvwProducten}) {
        list->setFullRowSelect(true);
        list->setHideSelection(false);
    }
    lvwMaatschappij.setCheckboxes(true);
    lvwAgentnummers.setCheckboxes(true);
    RowLayout(fraMaatschappij, LeftWidth - 2 * RowLayout::Margin).line(lvwMaatschappij, 3255).finish();

    cmdAddAgentnummer.setToolTipText(u"Toevoegen agentnummer"_s);
    cmdEditAgentnummer.setToolTipText(u"Wijzigen agentnummer"_s);
    cmdDeleteAgentnummer.setToolTipText(u"Verwijderen agentnummer"_s);
    hintAgentnummer.setText(
        u"Hier kunt u per maatschappij een of meerdere agentnummers opgeven."_s +
        u" Per agentnummer is een eventuele renteop- of afslag aan te geven. Daarnaast kunt u aangeven "
        "welk agentnummer de standaardkeuze wordt."_s);
    hintAgentnummer.setBackColor(HintBackColor);
    RowLayout(fraAgentnummers, LeftWidth - 2 * RowLayout::Margin)
        .line(lvwAgentnummers, 1695)
        .buttons({&cmdAddAgentnummer, &cmdEditAgentnummer, &cmdDeleteAgentnummer})
        .space(RowLayout::RowGap)
        .line(hintAgentnummer, 1035)
        .finish();

    // Right column: exchange, applications, mortgage options, commission, products.
    constexpr int RightInner = RightWidth - 2 * RowLayout::Margin;
    auto& lblUitwisselen =
        add<Label>(fraAgentummersUitwisselen, u"lblAgentnummersUitwisselen"_s, u"Agentnummers uitwisselen"_s);
    cmdAgentnummerExport.setToolTipText(u"Exporteer agentnummers"_s);
    cmdAgentnummerImport.setToolTipText(u"Importeer agentnummers"_s);
    RowLayout(fraAgentummersUitwisselen, RightInner)
        .line(lblUitwisselen)
        .buttons({&cmdAgentnummerExport, &cmdAgentnummerImport})
        .finish();

    RowLayout(fraHypotheekaanvraag, RightInner)
        .line(lblOntvanger)
        .line(cboHDNOntvanger)
        .line(lblHdnRetour)
        .line(cboHDNRetour)
        .finish();

    lblProvisie.setWordWrap(true);
    cmdRenteOpties.setToolTipText(u"Stel hypotheekopties in per arrangement"_s);
    RowLayout(fraHypotheekOpties, RightInner).text(lblProvisie).row({{&cmdRenteOpties, 1695}}).finish();

    auto& lblProvisieInstellingen = add<Label>(fraProvisie, u"lblProvisieInstellingen"_s,
                                               u"De provisieinstellingen zijn via de onderstaande knop te wijzigen:"_s);
    lblProvisieInstellingen.setWordWrap(true);
    cmdProvisieInstellingen.setCaption(u"Provisie"_s);
    cmdProvisieInstellingen.setToolTipText(u"Provisieinstellingen"_s);
    RowLayout(fraProvisie, RightInner).text(lblProvisieInstellingen).row({{&cmdProvisieInstellingen, 1695}}).finish();

    RowLayout(fraProducten, RightInner).line(lvwProducten, 1695).finish();

    cboPartijen.Click.connect([this] { cboPartijen_Click(); });
    lvwMaatschappij.ItemClick.connect([this](ListItem& row) { lvwMaatschappij_ItemClick(row); });
    lvwAgentnummers.ItemClick.connect([this](ListItem&) { StateChange(); });
    connectEditing();
    form().Resize.connect([this] { Form_Resize(); });
    form().MouseDown.connect([this](int x, int y) { mouseDown(x, y); });
    clearAgentnummers();
    Form_Resize();
}

MijOverzicht::~MijOverzicht() = default;

void MijOverzicht::setBackColor(Colour colour)
{
    SettingsPage::setBackColor(colour);
    hintAgentnummer.setBackColor(HintBackColor);
}

// Algorithms of loading: the preselected company, the commission list, the
// kinds and the lists of the current kind; then the company row is selected.
void MijOverzicht::Fill()
{
    Hourglass hourglass(ui());
    database_ = GetDatabase(app());
    catalogus_ = &GetMijCatalogus(app());
    cdMij_.clear();
    cdSoortMij_ = SoortMij::Geldverstrekker;
    const bool preselected = !omNaamKort_.isEmpty() && Get_Mij_Info(omNaamKort_);
    Collect_ProvisieControls();
    {
        const QScopedValueRollback filling(IsLoading, true);
        Fill_cboPartijen();
        Fill_Controls();
    }
    if (lvwMaatschappij.count() > 0) {
        ListItem* row = preselected ? lvwMaatschappij.selectedItem() : nullptr;
        if (!row)
            row = &lvwMaatschappij.item(1);
        lvwMaatschappij.setSelectedItem(row);
        selectCompany(*row);
        row->ensureVisible();
    }
    omNaamKort_.clear();
}

bool MijOverzicht::Get_Mij_Info(const QString& shortName)
{
    bool found = false;
    guarded([&] {
        Connection& connection = catalogus_->AdoConnection();
        for (const LookupTable& lookup : LookupOrder) {
            std::unique_ptr<Recordset> rs = connection.OpenRecordset(
                u"SELECT [Cd_Mij] FROM %1 WHERE [Om_NaamKort] = ?"_s.arg(QLatin1String(lookup.table)), {shortName});
            const bool hit = !rs->EOF_();
            if (hit) {
                cdMij_ = rs->text(u"Cd_Mij"_s);
                cdSoortMij_ = lookup.kind;
            }
            rs->Close();
            if (hit) {
                found = true;
                return;
            }
        }
    });
    return found;
}

// The kinds in the order the office knows them; the found kind is shown.
void MijOverzicht::Fill_cboPartijen()
{
    guarded([this] {
        static const std::pair<const char*, qint32> kinds[] = {
            {"Geldverstrekkers", SoortMij::Geldverstrekker},
            {"Verzekeringsmaatschappijen", SoortMij::Verzekeraar},
            {"Bank / Vermogensbeheerders", SoortMij::Vermogensbeheerder},
            {"Kredietverstrekkers", SoortMij::Kredietverstrekker},
            {"Taxatiebureau's", SoortMij::Taxateur},
            {"Notarissen", SoortMij::Notaris},
            {"Serviceproviders", SoortMij::Serviceprovider},
            {"Bankgarantieinstellingen", SoortMij::Bankgarantie},
        };
        cboPartijen.clear();
        int shown = 0;
        for (const auto& [text, kind] : kinds) {
            const int position = cboPartijen.addItemWithData(QString::fromUtf8(text), kind);
            if (kind == cdSoortMij_)
                shown = position;
        }
        cboPartijen.setListIndex(shown);
    });
}

void MijOverzicht::cboPartijen_Click()
{
    guarded([this] {
        if (IsLoading || cboPartijen.listIndex() < 0)
            return;
        cdSoortMij_ = cboPartijen.itemData(cboPartijen.listIndex());
        cdMij_.clear();
        Fill_Controls();
    });
}

void MijOverzicht::Fill_Controls()
{
    guarded([this] {
        // No company of the former kind stays current with its agent numbers.
        clearAgentnummers();
        Fill_Producten();
        cboHDNOntvanger.clear();
        if (hostedPage_) {
            hostedPage_->setVisible(false);
            hostedPage_->close();
            form().remove(*hostedPage_);
            hostedPage_ = nullptr;
        }
        if (isHostedKind(cdSoortMij_)) {
            lvwMaatschappij.clear();
            const QString className = cdSoortMij_ == SoortMij::Notaris ? u"SetupNotaris"_s : u"SetupInkoopCombis"_s;
            HostedPage& hosted = form().add<HostedPage>(form(), className);
            hostedPage_ = &hosted;
            hosted.setBackColor(BackColor());
            hosted.setApplication(app());
            hosted.open(className);
            hosted.setBounds(fraMaatschappij.left(), fraPartijen.bottom() + FrameGap, LeftWidth, HostedHeight);
            hosted.setVisible(true);
        } else {
            Fill_cboHDNRetour();
            Fill_Maatschappijen();
        }
        StateChange();
    });
}

const Maatschappij* MijOverzicht::listEntry(qint32 kind, int index) const
{
    // The bank-guarantee institutions are found among the lenders.
    return catalogus_->maatschappij(kind == SoortMij::Bankgarantie ? SoortMij::Geldverstrekker : kind, index);
}

const Maatschappij* MijOverzicht::companyOf(const QString& cdMij) const
{
    for (int i = 1; const Maatschappij* mij = listEntry(cdSoortMij_, i); ++i) {
        if (mij->Cd_Mij == cdMij)
            return mij;
    }
    return nullptr;
}

void MijOverzicht::Fill_Maatschappijen()
{
    guarded([this] {
        lvwMaatschappij.clear();
        lvwMaatschappij.clearColumns();
        // The columns share the list's width, less room for a vertical scroll bar.
        const int width = lvwMaatschappij.width() - 360;
        lvwMaatschappij.addColumn(u"Partijnaam"_s, u"Partijnaam"_s, width - 1275 - 1455);
        lvwMaatschappij.addColumn(u"Agentnummer"_s, u"Agentnummer"_s, 1275);
        lvwMaatschappij.addColumn(u"Aanvraag naar"_s, u"Aanvraag naar"_s, 1455);
        if (cdSoortMij_ == SoortMij::Geldverstrekker) {
            fraHypotheekaanvraag.setCaption(u"Hypotheekaanvraag"_s);
        } else if (cdSoortMij_ == SoortMij::Kredietverstrekker) {
            fraHypotheekaanvraag.setCaption(u"Kredietaanvraag"_s);
            lblOntvanger.setCaption(u"HDN aanvraag naar"_s);
        } else {
            fraHypotheekaanvraag.setCaption(u"Productaanvraag"_s);
            lblOntvanger.setCaption(u"HDN aanvraag naar"_s);
        }
        const QDate today = CDate(app().SysteemDatum());
        const bool lenderList = cdSoortMij_ == SoortMij::Geldverstrekker || cdSoortMij_ == SoortMij::Bankgarantie;
        const bool ownAgentNumber =
            cdSoortMij_ >= SoortMij::Geldverstrekker && cdSoortMij_ <= SoortMij::Kredietverstrekker;
        for (int i = 1; const Maatschappij* mij = listEntry(cdSoortMij_, i); ++i) {
            // Companies that left the market, or are not offered to the office, are not listed.
            if (!mij->In_Actief || !mij->In_Gebruik)
                continue;
            if (lenderList && mij->Dt_Einde.isValid() && today.daysTo(mij->Dt_Einde) < 0)
                continue;
            ListItem& row = lvwMaatschappij.addItem(mij->Cd_Mij, mij->Om_Naam);
            const MijInstellingen stored = catalogus_->GetMijInstellingen(mij->Cd_Mij, cdSoortMij_);
            QString agentnummer = stored.Agentnummer;
            bool checked = false;
            qint32 retour = stored.Retourwijze;
            if (agentnummer.isEmpty() && retour == 0) {
                checked = true;
                if (ownAgentNumber)
                    agentnummer = mij->Agent_Id;
            }
            // The office's own mark, once stored, is what it chose.
            if (stored.Opgeslagen)
                checked = stored.Geselecteerd;
            if (mij->Cd_Mij == QLatin1String("IN"))
                retour = 0;
            if (mij->Cd_Mij == QLatin1String("XX"))
                checked = true;
            const QString ontvanger = catalogus_->HdnOntvanger(mij->Cd_Mij, cdSoortMij_);
            row.setSubItem(1, agentnummer.isEmpty() ? u" "_s : agentnummer);
            row.setSubItem(2, ontvanger.isEmpty() ? u" "_s : ontvanger);
            row.setChecked(checked);
            row.setTag(retour);
            if (!cdMij_.isEmpty() && mij->Cd_Mij == cdMij_)
                lvwMaatschappij.setSelectedItem(&row);
        }
    });
}

void MijOverzicht::clearAgentnummers()
{
    lvwAgentnummers.clear();
    cmdAddAgentnummer.setEnabled(false);
    cmdEditAgentnummer.setEnabled(false);
    cmdDeleteAgentnummer.setEnabled(false);
    lvwAgentnummers.setEnabled(false);
}

bool MijOverzicht::ordinaryCompanyCurrent() const
{
    return !isHostedKind(cdSoortMij_) && !cdMij_.isEmpty() && cdMij_ != QLatin1String("TV") &&
           cdMij_ != QLatin1String("KW") && lvwMaatschappij.selectedItem();
}

void MijOverzicht::Fill_Agentnummers()
{
    guarded([this] {
        Hourglass hourglass(ui());
        lvwAgentnummers.clear();
        lvwAgentnummers.clearColumns();
        constexpr int NumberWidth = 1335;
        constexpr int RenteWidth = 1455;
        lvwAgentnummers.addColumn(u"AGENTNUMMER"_s, u"Agentnummer"_s, NumberWidth);
        lvwAgentnummers.addColumn(u"RENTEOPSLAG"_s, u"Rente op-/afslag"_s, RenteWidth, Alignment::Right);
        lvwAgentnummers.addColumn(u"OMSCHRIJVING"_s, u"Omschrijving"_s,
                                  lvwAgentnummers.width() - NumberWidth - RenteWidth - 360);
        std::unique_ptr<Recordset> rs = catalogus_->AgentnummerRecordset(cdMij_, cdSoortMij_);
        while (!rs->EOF_()) {
            ListItem& row = lvwAgentnummers.addItem(rs->text(u"GUID"_s), rs->text(u"Agent_Id"_s));
            row.setChecked(rs->field(u"In_Default"_s).toInt() != 0);
            showSurcharge(row, rs->field(u"Rente"_s).toDouble());
            const QString omschrijving = rs->text(u"Om_Omschrijving"_s);
            row.setSubItem(2, omschrijving.isEmpty() ? u" "_s : omschrijving);
            rs->MoveNext();
        }
        rs->Close();
        if (lvwAgentnummers.count() == 1)
            lvwAgentnummers.item(1).setChecked(true);
    });
}

void MijOverzicht::Fill_cboHDNRetour()
{
    guarded([this] {
        const QDate today = CDate(app().SysteemDatum());
        const QString urlServer = app().registry().RegGetString(
            Hive::HKEY_LOCAL_MACHINE, QString(RegistryNames::ProductKey), QString(RegistryNames::UrlServer), QString());
        const bool extended = ((today >= ExtendedReturnMethodsFrom || !urlServer.isEmpty()) &&
                               cdSoortMij_ == SoortMij::Geldverstrekker) ||
                              cdSoortMij_ == SoortMij::Kredietverstrekker;
        cboHDNRetour.clear();
        const bool insurers = cdSoortMij_ == SoortMij::Verzekeraar;
        lblHdnRetour.setEnabled(!insurers);
        cboHDNRetour.setEnabled(!insurers);
        if (extended) {
            lblHdnRetour.setCaption(u"Aanvullende retourwijze"_s);
            catalogus_->FillComboFromXsd(QDir(app().InstallationFolder()).filePath(u"HDN/HDN/datacatalogus_AX.xsd"_s),
                                         u"AanvullendeVerzendwijzeType"_s, cboHDNRetour);
            cboHDNRetour.addItem(QString(), 0);
            cboHDNRetour.setItemData(0, 0);
        } else if (!insurers) {
            lblHdnRetour.setCaption(u"Voorkeur retourwijze"_s);
            cboHDNRetour.addItemWithData(u"Per post"_s, 1);
            cboHDNRetour.addItemWithData(u"Per fax"_s, 2);
            cboHDNRetour.addItemWithData(u"Per HDN"_s, 3);
            cboHDNRetour.addItemWithData(u"Per e-mail"_s, 4);
        }
    });
}

void MijOverzicht::Fill_HDNAanvraag()
{
    guarded([this] {
        const ListItem* row = lvwMaatschappij.selectedItem();
        cboHDNOntvanger.clear();
        if (const Maatschappij* mij = companyOf(cdMij_); mij && mij->heeftHdnNummer())
            cboHDNOntvanger.addItem(mij->Om_Naam);
        const InkoopcombinatieSettings& providers = Setup<InkoopcombinatieSettings>();
        for (int i = 1; const InkoopcombinatieRecord* provider = providers.Inkoopcombinatie(i); ++i) {
            if (provider->Geselecteerd)
                cboHDNOntvanger.addItem(provider->Naam);
        }
        if (!row)
            return;
        int receiver = cboHDNOntvanger.listCount() > 0 ? 0 : -1;
        for (int i = 0; i < cboHDNOntvanger.listCount(); ++i) {
            if (cboHDNOntvanger.list(i) == row->subItem(2)) {
                receiver = i;
                break;
            }
        }
        // Showing the row's settings is no change of them.
        const bool wasLoading = std::exchange(IsLoading, true);
        cboHDNOntvanger.setListIndex(receiver);
        // The stored return method, else the usual third choice when the list has one.
        int method = cboHDNRetour.listCount() > 2 ? 2 : -1;
        for (int i = 0; i < cboHDNRetour.listCount(); ++i) {
            if (cboHDNRetour.itemData(i) == row->tag().toInt()) {
                method = i;
                break;
            }
        }
        cboHDNRetour.setListIndex(method);
        IsLoading = wasLoading;
    });
}

void MijOverzicht::Fill_Producten()
{
    guarded([this] {
        lvwProducten.clear();
        lvwProducten.clearColumns();
        const QString caption = cdSoortMij_ == SoortMij::Bankgarantie ? u"Bankgarantie"_s : u"Productnaam"_s;
        lvwProducten.addColumn(caption, caption, lvwProducten.width() - 360);
        const Maatschappij* mij = companyOf(cdMij_);
        if (!mij)
            return;
        for (const MijProduct& product : mij->Producten) {
            if (product.In_Actief)
                lvwProducten.addItem(product.Om_Product);
        }
    });
}

void MijOverzicht::lvwMaatschappij_ItemClick(ListItem& row)
{
    guarded([&] { selectCompany(row); });
}

void MijOverzicht::selectCompany(ListItem& row)
{
    cdMij_ = row.key();
    if (cdMij_ == QLatin1String("TV") || cdMij_ == QLatin1String("KW")) {
        // These have no agent numbers of their own; none of another company stays editable.
        clearAgentnummers();
        lvwProducten.clear();
    } else {
        Fill_Agentnummers();
        Fill_Producten();
        if (IsInList(cdSoortMij_, {SoortMij::Geldverstrekker, SoortMij::Verzekeraar, SoortMij::Kredietverstrekker})) {
            Fill_HDNAanvraag();
        } else {
            cboHDNOntvanger.setListIndex(-1);
            cboHDNRetour.setListIndex(-1);
        }
    }
    StateChange();
}

void MijOverzicht::StateChange()
{
    guarded([this] {
        const bool hosted = isHostedKind(cdSoortMij_);
        const bool selected = lvwMaatschappij.selectedItem() != nullptr && !cdMij_.isEmpty();
        fraMaatschappij.setVisible(!hosted);
        fraAgentnummers.setVisible(!hosted);
        fraAgentummersUitwisselen.setVisible(!hosted);
        const bool aanvraag = cdSoortMij_ == SoortMij::Geldverstrekker || cdSoortMij_ == SoortMij::Verzekeraar ||
                              (cdSoortMij_ == SoortMij::Kredietverstrekker && cdMij_ != QLatin1String("XX"));
        fraHypotheekaanvraag.setVisible(aanvraag);
        cboHDNOntvanger.setEnabled(aanvraag && selected);
        const bool insurers = cdSoortMij_ == SoortMij::Verzekeraar;
        cboHDNRetour.setEnabled(!insurers);
        lblHdnRetour.setEnabled(!insurers);
        lblOntvanger.setEnabled(!insurers);
        fraHypotheekOpties.setVisible(cdSoortMij_ == SoortMij::Geldverstrekker);
        cmdRenteOpties.setEnabled(selected && cdMij_ != QLatin1String("IN"));
        fraProvisie.setVisible((cdMij_ == QLatin1String("AVT") && insurers) ||
                               (cdSoortMij_ == SoortMij::Kredietverstrekker && KredietProvisieCodes.contains(cdMij_)));
        cmdProvisieInstellingen.setEnabled(ProvisieCodes.contains(cdMij_));
        fraProducten.setVisible(!hosted);
        const bool ordinary = ordinaryCompanyCurrent();
        const bool agentRow = ordinary && lvwAgentnummers.selectedItem() != nullptr;
        lvwAgentnummers.setEnabled(ordinary);
        cmdAddAgentnummer.setEnabled(ordinary);
        cmdEditAgentnummer.setEnabled(agentRow);
        cmdDeleteAgentnummer.setEnabled(agentRow);
        Form_Resize();
    });
}

void MijOverzicht::Collect_ProvisieControls()
{
    guarded([this] {
        provisie_.clear();
        guarded("Collect_ProvisieControls Add Geldverstrekkers", [this] {
            for (int i = 1; const Maatschappij* mij = catalogus_->Geldverstrekker(i); ++i) {
                if (mij->Cd_Mij == QLatin1String("Dummy") && !mij->Om_Object.isEmpty())
                    Add_ProvisieMij(*mij);
            }
        });
        guarded("Collect_ProvisieControls Add Verzekeraars", [this] {
            for (int i = 1; const Maatschappij* mij = catalogus_->Verzekeraar(i); ++i) {
                if (mij->Cd_Mij == QLatin1String("AVT") && !mij->Om_Object.isEmpty() && mij->In_Provisie &&
                    mij->In_ProvisieAfsluit && mij->In_ProvisieDoorlopend)
                    Add_ProvisieMij(*mij);
            }
        });
        guarded("Collect_ProvisieControls Add Taxateurs", [this] {
            for (int i = 1; const Maatschappij* mij = catalogus_->Taxateur(i); ++i) {
                if (!mij->Om_Object.isEmpty() && mij->In_Provisie)
                    Add_ProvisieMij(*mij);
            }
        });
        guarded("Collect_ProvisieControls Add Kredietverstrekkers", [this] {
            for (int i = 1; const Maatschappij* mij = catalogus_->Kredietverstrekker(i); ++i) {
                if (KredietProvisieCodes.contains(mij->Cd_Mij) && !mij->Om_Object.isEmpty() && mij->In_Provisie)
                    Add_ProvisieMij(*mij);
            }
        });
    });
}

// Kept sorted on the name; a code already listed is not added twice.
void MijOverzicht::Add_ProvisieMij(const Maatschappij& mij)
{
    guarded(u"Add_ProvisieMij Cd_Mij="_s + mij.Cd_Mij, [&] {
        const bool known = std::any_of(provisie_.begin(), provisie_.end(),
                                       [&](const ProvisieMij& entry) { return entry.Cd_Mij == mij.Cd_Mij; });
        if (known)
            return;
        ProvisieMij entry{mij.Cd_Mij.left(4), mij.Om_Naam.left(50), mij.Om_NaamKort.left(50), mij.Om_Object.left(50)};
        const auto at =
            std::upper_bound(provisie_.begin(), provisie_.end(), entry,
                             [](const ProvisieMij& a, const ProvisieMij& b) { return a.Om_Mij < b.Om_Mij; });
        provisie_.insert(at, std::move(entry));
    });
}

// Two columns of frames, 60 twips apart; only the frames shown take room.
void MijOverzicht::Form_Resize()
{
    if (IsResizing)
        return;
    IsResizing = true;
    const auto stack = [](std::vector<Control*> column, int left, int top, int width) {
        for (Control* c : column) {
            if (!c || !c->visible())
                continue;
            c->setBounds(left, top, width, c->height());
            top = c->bottom() + FrameGap;
        }
        return top;
    };
    // Room beyond the two columns goes to the left one, whose lists hold the
    // long company names, up to a width that still reads well. Where the
    // left column would be too narrow for the names, the columns stack.
    const int natural = LeftWidth + FrameGap + RightWidth;
    const int asked = form().width();
    const bool stacked = asked > 0 && asked < ReadableLeftWidth + FrameGap + RightWidth;
    const int leftWidth =
        stacked ? std::clamp(asked, LeftWidth, RowLayout::ReadableWidth)
                : LeftWidth + std::clamp(asked - natural, 0, std::max(0, RowLayout::ReadableWidth - natural));
    fraPartijen.move(0, 0);
    const auto stackColumns = [&] {
        const int leftBottom = stack({&fraPartijen, &fraMaatschappij, &fraAgentnummers, hostedPage_}, 0, 0, leftWidth);
        if (stacked)
            return std::pair{leftBottom, stack({&fraAgentummersUitwisselen, &fraHypotheekaanvraag, &fraHypotheekOpties,
                                                &fraProvisie, &fraProducten},
                                               0, leftBottom, leftWidth)};
        return std::pair{leftBottom, stack({&fraAgentummersUitwisselen, &fraHypotheekaanvraag, &fraHypotheekOpties,
                                            &fraProvisie, &fraProducten},
                                           leftWidth + FrameGap, 0, RightWidth)};
    };
    stackColumns();
    // The frames' contents follow their new width, and may change their height.
    form().relayout();
    const auto [leftBottom, rightBottom] = stackColumns();
    fraAgentummersUitwisselen.setLeft(stacked ? 0 : leftWidth + FrameGap);
    innerHeight_ = qint16(std::max(leftBottom, rightBottom) - FrameGap);
    innerWidth_ = qint16(fraAgentummersUitwisselen.right());
    if (form().height() < innerHeight_ || form().width() < innerWidth_)
        form().setBounds(form().left(), form().top(), std::max<int>(form().width(), innerWidth_),
                         std::max<int>(form().height(), innerHeight_));
    IsResizing = false;
    HeightChanged();
}

void MijOverzicht::mouseDown(int x, int y)
{
    guarded([&] {
        if (x == 0 && y == 0)
            Fill_Controls();
    });
}

} // namespace tarvelo
