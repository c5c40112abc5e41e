// What the user changes on the company overview, and how each change reaches
// the office database at once: the company row's settings, the company's
// agent numbers and their exchange through "AgentNrs.txt".
#include "pages/companies/MijOverzicht.h"

#include "framework/errors/Conversions.h"
#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"
#include "framework/host/Connection.h"
#include "framework/host/Database.h"
#include "framework/host/Maatschappij.h"
#include "framework/listsort/ListSort.h"
#include "framework/status/StatusReporter.h"
#include "framework/ui/Ui.h"
#include "framework/util/FolderRoutines.h"
#include "framework/util/ListRoutines.h"
#include "pages/companies/AgentNumberFile.h"
#include "pages/companies/CAgentnummer.h"
#include "pages/companies/frmAgentnummer.h"
#include "pages/companies/frmProvisieInstellingen.h"
#include "pages/companies/frmRenteopties.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUuid>
#include <algorithm>
#include <cmath>
#include <pugixml.hpp>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
const QString ExportFileName = u"AgentNrs.txt"_s;

QString withSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) || folder.endsWith(QDir::separator()) ? folder : folder + QLatin1Char('/');
}
QString utf8(const char* text) { return QString::fromUtf8(text); }
// A text the row shows as nothing is stored, and compared, as an empty text:
// a null one would be bound as NULL.
QString orEmpty(const QString& text) { return text.isNull() ? u""_s : text; }
} // namespace

void MijOverzicht::connectEditing()
{
    lvwMaatschappij.ItemCheck.connect([this](ListItem& row) { lvwMaatschappij_ItemCheck(row); });
    cboHDNOntvanger.Click.connect([this] { cboHDNOntvanger_Click(); });
    cboHDNRetour.Click.connect([this] { cboHDNRetour_Click(); });
    cmdAddAgentnummer.Click.connect([this] { cmdAddAgentnummer_Click(); });
    cmdEditAgentnummer.Click.connect([this] { cmdEditAgentnummer_Click(); });
    lvwAgentnummers.DblClick.connect([this] { lvwAgentnummers_DblClick(); });
    cmdDeleteAgentnummer.Click.connect([this] { cmdDeleteAgentnummer_Click(); });
    lvwAgentnummers.ItemCheck.connect([this](ListItem& row) { lvwAgentnummers_ItemCheck(row); });
    lvwAgentnummers.ColumnClick.connect([this](ColumnHeader& column) { lvwAgentnummers_ColumnClick(column); });
    cmdAgentnummerExport.Click.connect([this] { cmdAgentnummerExport_Click(); });
    cmdAgentnummerImport.Click.connect([this] { cmdAgentnummerImport_Click(); });
    cmdRenteOpties.Click.connect([this] { cmdRenteOpties_Click(); });
    cmdProvisieInstellingen.Click.connect([this] { cmdProvisieInstellingen_Click(); });
}

void MijOverzicht::cmdProvisieInstellingen_Click()
{
    guarded([this] {
        // Lenders and valuers set no commission here.
        if (cdSoortMij_ == SoortMij::Geldverstrekker || cdSoortMij_ == SoortMij::Taxateur || cdMij_.isEmpty())
            return;
        const auto entry = std::find_if(provisie_.begin(), provisie_.end(),
                                        [this](const ProvisieMij& p) { return p.Cd_Mij == cdMij_; });
        if (entry == provisie_.end() || entry->Om_Object.isEmpty())
            return;
        frmProvisieInstellingen dialog;
        dialog.setBackColor(BackColor());
        dialog.setControlName(entry->Om_Object);
        dialog.setApplication(app());
        ui().showModal(dialog);
    });
}

void MijOverzicht::cmdRenteOpties_Click()
{
    guarded([this] {
        if (cdMij_.isEmpty())
            return;
        frmRenteopties dialog;
        dialog.setBackColor(BackColor());
        dialog.setCd_Mij(cdMij_);
        dialog.SetApplication(app());
        ui().showModal(dialog);
    });
}

// The company row's receiver, mark and return method, as the user sees them.
void MijOverzicht::Save_MijInstellingen()
{
    guarded([this] {
        if (IsLoading || cdMij_.isEmpty() || !catalogus_)
            return;
        ListItem* row = lvwMaatschappij.selectedItem();
        if (!row)
            return;
        if (cboHDNRetour.listIndex() >= 0)
            row->setTag(cboHDNRetour.itemData(cboHDNRetour.listIndex()));
        catalogus_->SaveMijInstellingen(row->key(), cdSoortMij_, row->subItem(2).trimmed(), row->checked(),
                                        row->tag().toInt());
    });
}

void MijOverzicht::lvwMaatschappij_ItemCheck(ListItem& row)
{
    guarded([&] {
        if (IsLoading)
            return;
        if (row.key() == QLatin1String("XX")) {
            row.setChecked(true);
            return;
        }
        if (IsInList(cdSoortMij_, {SoortMij::Geldverstrekker, SoortMij::Verzekeraar, SoortMij::Vermogensbeheerder,
                                   SoortMij::Kredietverstrekker})) {
            const Maatschappij* mij = companyOf(row.key());
            if (row.checked() && mij && !mij->In_Selecteerbaar)
                row.setChecked(false);
        }
        // The mark belongs to the row that was checked, also when another row is selected.
        if (lvwMaatschappij.selectedItem() != &row) {
            catalogus_->SaveMijInstellingen(row.key(), cdSoortMij_, row.subItem(2).trimmed(), row.checked(),
                                            row.tag().toInt());
            return;
        }
        Save_MijInstellingen();
    });
}

void MijOverzicht::cboHDNOntvanger_Click()
{
    guarded([this] {
        if (IsLoading || cboHDNOntvanger.listIndex() < 0)
            return;
        if (ListItem* row = lvwMaatschappij.selectedItem())
            row->setSubItem(2, cboHDNOntvanger.text());
        Save_MijInstellingen();
    });
}

void MijOverzicht::cboHDNRetour_Click()
{
    guarded([this] {
        if (IsLoading || cboHDNRetour.listIndex() < 0)
            return;
        if (ListItem* row = lvwMaatschappij.selectedItem())
            row->setTag(cboHDNRetour.itemData(cboHDNRetour.listIndex()));
        Save_MijInstellingen();
    });
}

CAgentnummer MijOverzicht::agentnummerOf(const ListItem& row) const
{
    CAgentnummer agentnummer;
    agentnummer.GUID = row.key();
    agentnummer.Om_Agentnummer = row.text();
    agentnummer.Pc_Opslag = row.subItem(1).trimmed().toFloat();
    // Only the placeholder of an empty description is no text of its own.
    const QString beschrijving = row.subItem(2);
    agentnummer.Om_Beschrijving = beschrijving == QLatin1String(" ") ? QString() : beschrijving;
    agentnummer.In_Standaard = row.checked();
    agentnummer.In_Changed = false;
    return agentnummer;
}

void MijOverzicht::showAgentnummer(ListItem& row, const CAgentnummer& agentnummer)
{
    const bool wasLoading = std::exchange(IsLoading, true);
    row.setText(agentnummer.Om_Agentnummer);
    showSurcharge(row, double(agentnummer.Pc_Opslag));
    row.setSubItem(2, agentnummer.Om_Beschrijving.isEmpty() ? u" "_s : agentnummer.Om_Beschrijving);
    if (agentnummer.In_Standaard) {
        for (int i = 1; i <= lvwAgentnummers.count(); ++i)
            lvwAgentnummers.item(i).setChecked(&lvwAgentnummers.item(i) == &row);
    } else {
        row.setChecked(false);
    }
    IsLoading = wasLoading;
}

// The surcharge is shown with a decimal point, as it is read back; it sorts by
// a key in the locale's own form, which the number sort reads.
void MijOverzicht::showSurcharge(ListItem& row, double surcharge)
{
    row.setSubItem(1, QString::number(surcharge, 'f', 2));
    row.listSubItem(1).key = QLocale().toString(surcharge, 'f', 2);
}

void MijOverzicht::showCompanyDefault(const QString& agentnummer)
{
    if (ListItem* company = lvwMaatschappij.selectedItem())
        company->setSubItem(1, agentnummer.isEmpty() ? u" "_s : agentnummer);
    Save_MijInstellingen();
}

// A company and kind have one default agent number: a new default clears the others first.
MijOverzicht::Statement MijOverzicht::clearOtherDefaults(const QString& guid) const
{
    return {u"UPDATE tp_info SET In_Default = 0 WHERE Cd_SoortMij = ? AND Cd_Mij = ? AND GUID <> ?"_s,
            {cdSoortMij_, cdMij_, guid}};
}

bool MijOverzicht::runInTransaction(const std::vector<Statement>& statements, Touch touch)
{
    Connection& connection = database_->connection();
    connection.BeginTrans();
    try {
        int touched = 0;
        for (const Statement& statement : statements)
            touched = connection.Execute(statement.sql, statement.values);
        if (touch == Touch::LastTouchesARow && touched == 0) {
            connection.RollbackTrans();
            return false;
        }
        connection.CommitTrans();
    } catch (...) {
        connection.RollbackTrans();
        throw;
    }
    return true;
}

bool MijOverzicht::Add_AgentnummerToDatabase(const CAgentnummer& a)
{
    bool done = false;
    guarded([&] {
        std::vector<Statement> statements;
        if (a.In_Standaard)
            statements.push_back(clearOtherDefaults(a.GUID));
        statements.push_back({u"INSERT INTO tp_info "_s + u"VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                              {a.Om_Agentnummer, cdMij_, frmAgentnummer::storedRente(a.Pc_Opslag),
                               a.In_Standaard ? -1 : 0, cdSoortMij_, orEmpty(a.Om_Beschrijving), a.GUID}});
        done = runInTransaction(statements);
    });
    return done;
}

namespace {
bool sameSurcharge(float one, float other) { return std::abs(double(one) - double(other)) < 0.005; }

// The fields the user changed, over what is stored now; and whether the other
// workstation changed one of them too, to something else.
struct MergedNumber {
    CAgentnummer number;
    bool bothChanged = false;
};
MergedNumber merged(const CAgentnummer& shown, const CAgentnummer& stored, const CAgentnummer& mine)
{
    MergedNumber m{stored, false};
    m.number.In_Changed = mine.In_Changed;
    const auto field = [&](auto CAgentnummer::*member, auto same) {
        if (same(mine.*member, shown.*member))
            return;
        m.number.*member = mine.*member;
        if (!same(stored.*member, shown.*member) && !same(stored.*member, mine.*member))
            m.bothChanged = true;
    };
    const auto equal = [](const auto& one, const auto& other) { return one == other; };
    field(&CAgentnummer::Om_Agentnummer, equal);
    field(&CAgentnummer::Pc_Opslag, sameSurcharge);
    field(&CAgentnummer::Om_Beschrijving, equal);
    field(&CAgentnummer::In_Standaard, equal);
    return m;
}

QString described(const CAgentnummer& n)
{
    return u"%1, opslag %2, %3%4"_s.arg(n.Om_Agentnummer, QString::number(n.Pc_Opslag, 'f', 2),
                                        n.Om_Beschrijving.isEmpty() ? u"zonder omschrijving"_s
                                                                    : u"'%1'"_s.arg(n.Om_Beschrijving),
                                        n.In_Standaard ? u", standaard"_s : QString());
}
} // namespace

std::vector<MijOverzicht::Statement> MijOverzicht::updateStatements(const CAgentnummer& a,
                                                                    const CAgentnummer& expected) const
{
    std::vector<Statement> statements;
    if (a.In_Standaard)
        statements.push_back(clearOtherDefaults(a.GUID));
    // Only over the number as it was expected in its row, every column the
    // update writes: what another workstation changed since is not written
    // over unasked, the default flag included.
    statements.push_back(
        {u"UPDATE tp_info "_s + u"SET Agent_Id = ?, Cd_Mij = ?, Rente = ?, In_Default = ?, Cd_SoortMij = ?, "
                                "Om_Omschrijving = ? WHERE GUID = ? AND Agent_Id = ? AND Cd_Mij = ? "
                                "AND ABS(Rente - ?) < 0.005 AND CASE WHEN In_Default <> 0 THEN 1 ELSE 0 END = ? "
                                "AND Cd_SoortMij = ? AND COALESCE(Om_Omschrijving, '') = ?"_s,
         {a.Om_Agentnummer, cdMij_, frmAgentnummer::storedRente(a.Pc_Opslag), a.In_Standaard ? -1 : 0, cdSoortMij_,
          orEmpty(a.Om_Beschrijving), a.GUID, expected.Om_Agentnummer, cdMij_, double(expected.Pc_Opslag),
          expected.In_Standaard ? 1 : 0, cdSoortMij_, orEmpty(expected.Om_Beschrijving)}});
    return statements;
}

bool MijOverzicht::Update_AgentnummerInDatabase(CAgentnummer& a, const CAgentnummer& shown)
{
    bool done = false;
    guarded([&] {
        CAgentnummer wanted = a;
        CAgentnummer expected = shown;
        bool asked = false;
        // A workstation that keeps changing the number while the user decides
        // gets a few rounds; then the change is refused, nothing written.
        for (int round = 1; round <= 3; ++round) {
            if (runInTransaction(updateStatements(wanted, expected), Touch::LastTouchesARow)) {
                a = wanted;
                done = true;
                return;
            }
            const std::optional<CAgentnummer> stored = storedAgentnummer(a.GUID);
            if (!stored || stored->GUID.isEmpty()) {
                agentnummerGone(a.GUID, true);
                return;
            }
            const MergedNumber m = merged(shown, *stored, a);
            if (m.bothChanged && !asked) {
                const MsgResult answer =
                    ui().msgBox(u"Het agentnummer is intussen op een andere werkplek gewijzigd.\r\n\r\nWas: %1\r\n"
                                "Andere werkplek: %2\r\nUw wijziging: %3\r\n\r\nWilt u uw wijziging bewaren? "
                                "Kies Nee om de gegevens van de andere werkplek te houden."_s.arg(
                                    described(shown), described(*stored), described(m.number)),
                                MsgButtons::YesNo, MsgIcon::Question, u"Agentnummer wijzigen"_s);
                if (answer != MsgResult::Yes) {
                    if (ListItem* row = lvwAgentnummers.findItem(a.GUID))
                        showAgentnummer(*row, *stored);
                    return;
                }
                asked = true;
            }
            wanted = m.number;
            expected = *stored;
        }
        ui().msgBox(u"Het agentnummer %1 wordt op een andere werkplek steeds opnieuw gewijzigd. "
                    "Uw wijziging is niet opgeslagen; probeer het straks opnieuw."_s.arg(shown.Om_Agentnummer),
                    MsgButtons::OK, MsgIcon::Exclamation, u"Agentnummer wijzigen"_s);
    });
    return done;
}

std::optional<CAgentnummer> MijOverzicht::storedAgentnummer(const QString& guid)
{
    std::unique_ptr<Recordset> rs = database_->connection().OpenRecordset(
        u"SELECT Agent_Id, Rente, In_Default, Om_Omschrijving, Cd_Mij, Cd_SoortMij FROM tp_info WHERE GUID = ?"_s,
        {guid});
    if (rs->EOF_())
        return std::nullopt;
    CAgentnummer stored;
    // A number moved to another company or kind is no longer this list's.
    if (rs->text(u"Cd_Mij"_s) == cdMij_ && rs->field(u"Cd_SoortMij"_s).toInt() == cdSoortMij_)
        stored.GUID = guid;
    stored.Om_Agentnummer = rs->text(u"Agent_Id"_s);
    stored.Pc_Opslag = rs->field(u"Rente"_s).toFloat();
    stored.In_Standaard = rs->field(u"In_Default"_s).toInt() != 0;
    stored.Om_Beschrijving = rs->text(u"Om_Omschrijving"_s);
    rs->Close();
    return stored;
}

void MijOverzicht::agentnummerGone(const QString& guid, bool removeRow, bool deleting)
{
    ListItem* row = lvwAgentnummers.findItem(guid);
    const QString number = row ? row->text() : QString();
    ui().msgBox(deleting ? u"Het agentnummer %1 was al op een andere werkplek verwijderd."_s.arg(number)
                         : u"Het agentnummer %1 is intussen op een andere werkplek verwijderd. "
                           "Uw wijziging is niet opgeslagen."_s.arg(number),
                MsgButtons::OK, MsgIcon::Exclamation, u"Agentnummer"_s);
    if (row && removeRow) {
        lvwAgentnummers.removeItem(row->index());
        StateChange();
    }
}

bool MijOverzicht::Delete_AgentnummerFromDatabase(const QString& guid)
{
    bool done = false;
    guarded([&] {
        done = runInTransaction({{u"DELETE FROM tp_info WHERE GUID = ?"_s, {guid}}}, Touch::LastTouchesARow);
        if (!done)
            agentnummerGone(guid, true, true);
    });
    return done;
}

bool MijOverzicht::Update_AgentnummerDefaultInDatabase(const CAgentnummer& a)
{
    bool done = false;
    guarded([&] {
        const QString company = u"WHERE Cd_SoortMij = ? AND Cd_Mij = ?"_s;
        done = runInTransaction({{u"UPDATE tp_info "_s + u"SET In_Default = 0 "_s + company, {cdSoortMij_, cdMij_}},
                                 {u"UPDATE tp_info "_s + u"SET In_Default = -1 "_s + company + u" AND GUID = ?"_s,
                                  {cdSoortMij_, cdMij_, a.GUID}}},
                                Touch::LastTouchesARow);
        // The list follows once the other workstation's removal arrives.
        if (!done)
            agentnummerGone(a.GUID, false);
    });
    return done;
}

void MijOverzicht::cmdAddAgentnummer_Click()
{
    guarded([this] {
        if (!ordinaryCompanyCurrent())
            return;
        CAgentnummer agentnummer;
        frmAgentnummer dialog;
        dialog.setApplication(app());
        dialog.setAgentnummer(agentnummer);
        dialog.setMode(frmAgentnummer::Mode::Toevoegen);
        dialog.Fill_Control();
        ui().showModal(dialog);
        if (!agentnummer.In_Changed || !Add_AgentnummerToDatabase(agentnummer))
            return;
        const bool wasLoading = std::exchange(IsLoading, true);
        ListItem& row = lvwAgentnummers.addItem(agentnummer.GUID, agentnummer.Om_Agentnummer);
        IsLoading = wasLoading;
        showAgentnummer(row, agentnummer);
        if (agentnummer.In_Standaard)
            showCompanyDefault(agentnummer.Om_Agentnummer);
        StateChange();
    });
}

void MijOverzicht::cmdEditAgentnummer_Click()
{
    guarded([this] { editAgentnummer(); });
}

void MijOverzicht::lvwAgentnummers_DblClick()
{
    guarded([this] { editAgentnummer(); });
}

void MijOverzicht::editAgentnummer()
{
    ListItem* row = lvwAgentnummers.selectedItem();
    if (!row || !ordinaryCompanyCurrent())
        return;
    CAgentnummer agentnummer = agentnummerOf(*row);
    const CAgentnummer shown = agentnummer;
    frmAgentnummer dialog;
    dialog.setApplication(app());
    dialog.setAgentnummer(agentnummer);
    dialog.setMode(frmAgentnummer::Mode::Wijzigen);
    dialog.Fill_Control();
    ui().showModal(dialog);
    const bool wasDefault = row->checked();
    if (!agentnummer.In_Changed || !Update_AgentnummerInDatabase(agentnummer, shown))
        return;
    showAgentnummer(*row, agentnummer);
    // Another workstation may have made another number the default meanwhile.
    if (agentnummer.In_Standaard || wasDefault)
        showStoredDefault();
}

void MijOverzicht::showStoredDefault()
{
    std::unique_ptr<Recordset> rs = database_->connection().OpenRecordset(
        u"SELECT GUID, Agent_Id FROM tp_info WHERE Cd_Mij = ? AND Cd_SoortMij = ? AND In_Default <> 0"_s,
        {cdMij_, cdSoortMij_});
    const QString guid = rs->EOF_() ? QString() : rs->text(u"GUID"_s);
    const QString number = rs->EOF_() ? QString() : rs->text(u"Agent_Id"_s);
    rs->Close();
    const bool wasLoading = std::exchange(IsLoading, true);
    for (int i = 1; i <= lvwAgentnummers.count(); ++i)
        lvwAgentnummers.item(i).setChecked(!guid.isEmpty() && lvwAgentnummers.item(i).key() == guid);
    // A single number shows as the default, as the list is filled.
    if (guid.isEmpty() && lvwAgentnummers.count() == 1)
        lvwAgentnummers.item(1).setChecked(true);
    IsLoading = wasLoading;
    showCompanyDefault(number);
}

void MijOverzicht::cmdDeleteAgentnummer_Click()
{
    guarded([this] {
        ListItem* row = lvwAgentnummers.selectedItem();
        if (!row || !ordinaryCompanyCurrent())
            return;
        const MsgResult answer =
            ui().msgBox(u"Weet u zeker dat u het geselecteerde agentnummer wilt verwijderen?\r\n\r\n"
                        "Let op. Deze aanpassing kan niet ongedaan gemaakt worden."_s,
                        MsgButtons::YesNo, MsgIcon::Exclamation, u"Agentnummer verwijderen"_s);
        if (answer != MsgResult::Yes || !Delete_AgentnummerFromDatabase(row->key()))
            return;
        const bool wasDefault = row->checked();
        lvwAgentnummers.removeItem(row->index());
        if (wasDefault)
            showCompanyDefault(QString());
        StateChange();
    });
}

// Checking or unchecking a row makes it the one default of the company and kind.
void MijOverzicht::lvwAgentnummers_ItemCheck(ListItem& row)
{
    guarded([&] {
        if (IsLoading)
            return;
        CAgentnummer agentnummer = agentnummerOf(row);
        const bool ok = ordinaryCompanyCurrent() && Update_AgentnummerDefaultInDatabase(agentnummer);
        const bool wasLoading = std::exchange(IsLoading, true);
        if (!ok) {
            row.setChecked(!row.checked());
            IsLoading = wasLoading;
            return;
        }
        for (int i = 1; i <= lvwAgentnummers.count(); ++i)
            lvwAgentnummers.item(i).setChecked(&lvwAgentnummers.item(i) == &row);
        IsLoading = wasLoading;
        showCompanyDefault(row.text());
    });
}

void MijOverzicht::lvwAgentnummers_ColumnClick(ColumnHeader& column)
{
    guarded([&] {
        const int sortColumn = column.index - 1;
        // The surcharges sort by their keys; the first column's key is the row's GUID.
        const bool surcharge = sortColumn == 1;
        SortListView(app().listSortState(), lvwAgentnummers, ui(), sortColumn,
                     surcharge ? SortDataType::Numbers : SortDataType::Text,
                     surcharge ? SortSource::Keys : SortSource::ShownText, false, ToggleOrder);
        // The sort selects the first row.
        StateChange();
    });
}

void MijOverzicht::cmdAgentnummerExport_Click() { Save_AgentnummerExport(); }

void MijOverzicht::Save_AgentnummerExport()
{
    guarded([this] {
        std::unique_ptr<Recordset> rs = database_->connection().OpenRecordset(u"SELECT * FROM tp_info;"_s);
        if (rs->EOF_()) {
            rs->Close();
            ui().msgBox(u"Geen agentnummers gevonden..."_s, MsgButtons::OK, MsgIcon::Information,
                        u"Export niet mogelijk"_s);
            return;
        }
        // The declaration is written as text below, before the document.
        pugi::xml_document document;
        pugi::xml_node root = document.append_child("quenmarixagentnummers");
        root.append_attribute("aanmaakdatum") =
            CDate(app().SysteemDatum()).toString(u"dd-MM-yyyy"_s).toUtf8().constData();
        root.append_attribute("versie") = app().VersionText().toUtf8().constData();
        int id = 0;
        while (!rs->EOF_()) {
            pugi::xml_node data = root.append_child("agentnummerdata");
            data.append_attribute("id") = ++id;
            if (!rs->field(u"GUID"_s).isNull())
                data.append_attribute("guid") = rs->text(u"GUID"_s).toUtf8().constData();
            const auto child = [&](const char* name, const QString& text) {
                data.append_child(name).text().set(text.toUtf8().constData());
            };
            child("agentnummer", rs->text(u"Agent_Id"_s));
            child("maatschappijcode", rs->text(u"Cd_Mij"_s));
            child("renteopslagpercentage", rs->text(u"Rente"_s).replace(QLatin1Char(','), QLatin1Char('.')));
            child("soortmaatschappijcode", rs->text(u"Cd_SoortMij"_s));
            child("omschrijving", rs->text(u"Om_Omschrijving"_s));
            // Which number is the default travels along, so an import keeps it.
            child("standaard", rs->field(u"In_Default"_s).toInt() != 0 ? u"-1"_s : u"0"_s);
            rs->MoveNext();
        }
        rs->Close();
        const QString file = withSeparator(app().ExchangeFolder()) + ExportFileName;
        // The new file takes the old one's place only when it is complete: a
        // failed export leaves the previous file as it was and no half file.
        QSaveFile out(file);
        const auto cannotWrite = [&] {
            const QString why = out.errorString();
            out.cancelWriting();
            return RuntimeError(
                ErrorNumber::PathFileAccessError,
                u"Het bestand %1 kan niet worden geschreven: %2"_s.arg(QDir::toNativeSeparators(file), why));
        };
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw cannotWrite();
        // A Unicode text file: UTF-16 with its byte-order mark and CR LF line ends,
        // written as the document's text comes, without a copy of the whole. The
        // declaration names what is written, so that strict XML readers take it;
        // the import also reads older files that declared UTF-8.
        struct Writer final : pugi::xml_writer {
            QSaveFile& out;
            QStringDecoder fromUtf8{QStringDecoder::Utf8};
            QByteArray pending;
            bool failed = false;
            explicit Writer(QSaveFile& file) : out(file) {}
            void add(QString text)
            {
                text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
                pending.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
                if (pending.size() >= 64 * 1024)
                    flush();
            }
            void flush()
            {
                if (!failed && out.write(pending) != pending.size())
                    failed = true;
                pending.clear();
            }
            void write(const void* data, size_t size) override
            {
                add(fromUtf8(QByteArrayView(static_cast<const char*>(data), qsizetype(size))));
            }
        } writer(out);
        writer.pending.append("\xFF\xFE", 2);
        writer.add(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"_s);
        document.save(writer, "  ", pugi::format_default | pugi::format_no_declaration);
        writer.flush();
        if (writer.failed || !out.commit())
            throw cannotWrite();
        ui().msgBox(utf8("Agentnummers zijn geëxporteerd naar het volgende bestand:") + u"\r\n"_s +
                        QDir::toNativeSeparators(file),
                    MsgButtons::OK, MsgIcon::Information, u"Export %1 agentnummer(s) succesvol afgerond..."_s.arg(id));
    });
}

namespace {
// The progress of a large import, told every thousand agent numbers; a small
// one is done before a window could be read.
class ImportProgress {
public:
    static constexpr qint64 Step = 1000;

    ImportProgress(StatusReporter& status, qint64 total) : status_(status), total_(total)
    {
        if (total_ > Step)
            status_.InitStatus(int((total_ + Step - 1) / Step), u"Agentnummers importeren"_s, text(), false);
    }
    ~ImportProgress()
    {
        if (total_ > Step)
            status_.TermStatus();
    }
    ImportProgress(const ImportProgress&) = delete;
    ImportProgress& operator=(const ImportProgress&) = delete;

    void advance()
    {
        if (total_ <= Step || ++done_ % Step != 0)
            return;
        QString message = text();
        bool cancelled = false;
        status_.SetStatus(message, cancelled, true);
    }

private:
    QString text() const { return u"Bezig met agentnummer %1 van %2"_s.arg(done_).arg(total_); }

    StatusReporter& status_;
    qint64 total_;
    qint64 done_ = 0;
};
} // namespace

void MijOverzicht::cmdAgentnummerImport_Click() { Read_AgentnummerExport(); }

void MijOverzicht::Read_AgentnummerExport()
{
    guarded([this] {
        const QString folder =
            BrowseForFolder(ui(), app().ExchangeFolder(),
                            u"Selecteer de folder waar het exportbestand van de agentnummers zich bevindt..."_s);
        if (folder.isEmpty())
            return;
        const QString file = withSeparator(folder) + ExportFileName;
        AgentNumberFile in(file);
        if (!in.open()) {
            ui().msgBox(u"Exportbestand '"_s + QDir::toNativeSeparators(file) + u"' niet gevonden."_s, MsgButtons::OK,
                        MsgIcon::Exclamation, u"Agentnummers"_s);
            return;
        }
        const auto refuse = [&](const QString& what) {
            ui().msgBox(u"Het bestand '"_s + QDir::toNativeSeparators(file) + u"' "_s + what +
                            u".\r\nEr is niets gewijzigd."_s,
                        MsgButtons::OK, MsgIcon::Exclamation, u"Agentnummers importeren"_s);
        };
        if (in.check() != AgentNumberFile::Status::Ok) {
            const int line = in.damagedLine();
            return refuse(u"is beschadigd of is geen export van agentnummers"_s +
                          (line > 0 ? u" (regel %1)"_s.arg(line) : QString()));
        }
        QString date = in.date();
        if (date.isEmpty()) {
            const QFileInfo info(file);
            const QDateTime created = info.birthTime().isValid() ? info.birthTime() : info.lastModified();
            date = created.toString(u"dd-MM-yyyy"_s);
        }
        const MsgResult answer =
            ui().msgBox(u"Door deze actie zullen de huidige agentnummers verwijderd worden.\r\n\r\n"
                        "De aanmaakdatum van deze export is "_s +
                            date + u".\r\nWeet u dit zeker?"_s,
                        MsgButtons::YesNo, MsgIcon::Question, u"Agentnummers importeren"_s);
        if (answer != MsgResult::Yes)
            return;

        Connection& connection = database_->connection();
        connection.BeginTrans();
        AgentNumberFile::Status read = AgentNumberFile::Status::Ok;
        try {
            // A file without agent numbers leaves the stored ones alone.
            if (in.entryCount() > 0) {
                connection.Execute(u"DELETE FROM tp_info"_s);
                const std::unique_ptr<PreparedStatement> insert =
                    connection.Prepare(u"INSERT INTO tp_info (Agent_Id, Cd_Mij, Rente, In_Default, "
                                       "Cd_SoortMij, Om_Omschrijving, GUID) VALUES (?, ?, ?, ?, ?, ?, ?)"_s);
                ImportProgress progress(app().status(), in.entryCount());
                read = in.read([&](const AgentNumberEntry& e) {
                    progress.advance();
                    // Every stored agent number needs its key: an entry without one gets a new one.
                    const QVariant guid = e.GUID.toString().isEmpty()
                                              ? QVariant(QUuid::createUuid().toString(QUuid::WithBraces).toUpper())
                                              : e.GUID;
                    insert->Execute(
                        {e.Agent_Id, e.Cd_Mij, e.Rente, e.In_Default ? -1 : 0, e.Cd_SoortMij, e.Om_Omschrijving, guid});
                });
            }
            if (read == AgentNumberFile::Status::Ok)
                connection.CommitTrans();
            else
                connection.RollbackTrans();
        } catch (...) {
            connection.RollbackTrans();
            throw;
        }
        if (read != AgentNumberFile::Status::Ok)
            return refuse(u"is tijdens het importeren gewijzigd"_s);
        ui().msgBox(utf8("De agentnummers zijn geïmporteerd."), MsgButtons::OK, MsgIcon::Information,
                    u"Importeren agentnummers"_s);
        if (ordinaryCompanyCurrent())
            Fill_Agentnummers();
        StateChange();
    });
}

} // namespace tarvelo
