#include "host/office/CompanyCatalogue.h"

#include "framework/host/Connection.h"
#include "host/database/SnapshotRecordset.h"
#include "host/office/HdnDataCatalogue.h"
#include "host/office/OfficeDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
bool flag(const QSqlQuery& q, int field) { return q.value(field).toInt() != 0; }

constexpr qint32 Kinds[] = {SoortMij::Geldverstrekker, SoortMij::Verzekeraar,        SoortMij::Vermogensbeheerder,
                            SoortMij::Taxateur,        SoortMij::Kredietverstrekker, SoortMij::Bankgarantie};

QString listsRead()
{
    QStringList selects;
    for (const qint32 kind : Kinds)
        selects << u"SELECT %1 AS Soort, Cd_Mij, Om_Naam, Om_NaamKort, Om_Object, In_Actief, In_Gebruik, Dt_Einde, "
                   "Nr_HDN, Agent_Id, In_Selecteerbaar, In_Provisie, In_ProvisieAfsluit, In_ProvisieDoorlopend "
                   "FROM %2"_s.arg(kind)
                       .arg(CompanyCatalogue::tableOf(kind));
    return selects.join(u" UNION ALL "_s) + u" ORDER BY 1, 3, 2"_s;
}

QString productsRead()
{
    return u"SELECT Cd_SoortMij, Cd_Mij, Cd_Product, Om_Product, In_Actief FROM Tbl_Mij_Product ORDER BY Cd_Product"_s;
}

// Both in one statement, told apart by the first column: the agent numbers'
// count and default per company, and what the office stored per company
// (receiver, mark and return method).
QString officeDataRead()
{
    return u"SELECT 0, Cd_SoortMij, Cd_Mij, COUNT(*), MIN(CASE WHEN In_Default <> 0 THEN Agent_Id END), NULL, NULL, "
           "NULL FROM tp_info GROUP BY Cd_SoortMij, Cd_Mij UNION ALL SELECT 1, Cd_SoortMij, Cd_Mij, NULL, NULL, "
           "In_Geselecteerd, Cd_Retour, Om_Ontvanger FROM Tbl_Mij_Instellingen"_s;
}
} // namespace

CompanyCatalogue::CompanyCatalogue(OfficeDatabase& database) : database_(database) {}

QString CompanyCatalogue::tableOf(qint32 cdSoortMij)
{
    switch (cdSoortMij) {
    case SoortMij::Geldverstrekker: return u"Tbl_Mij_Info"_s;
    case SoortMij::Verzekeraar: return u"Tbl_Mij_Verzekering"_s;
    case SoortMij::Vermogensbeheerder: return u"Tbl_Mij_Vermogen"_s;
    case SoortMij::Taxateur: return u"Tbl_Mij_Taxatie"_s;
    case SoortMij::Kredietverstrekker: return u"Tbl_Mij_Krediet"_s;
    case SoortMij::Bankgarantie: return u"Tbl_Mij_Bankgarantie"_s;
    default: return QString();
    }
}

const CompanyCatalogue::List& CompanyCatalogue::list(qint32 cdSoortMij) const
{
    if (lists_.isEmpty())
        readLists();
    if (auto found = lists_.constFind(cdSoortMij); found != lists_.constEnd())
        return **found;
    static const List none;
    return none;
}

// Every kind's companies in one statement and every product in another: a
// page that shows several kinds asks the database twice (on the server in
// one round trip, with the office's data per company).
void CompanyCatalogue::readLists() const
{
    for (const qint32 kind : Kinds)
        lists_.insert(kind, std::make_shared<List>());
    // On the server the office's data per company comes in the same round
    // trip: what shows companies mostly shows their agent numbers too.
    if (database_.location().provider == QLatin1String("MSSQL") &&
        officeDataRead_ != database_.pageConnection().readGeneration())
        database_.readAhead({{listsRead(), {}}, {productsRead(), {}}, {officeDataRead(), {}}});
    QSqlQuery q = database_.exec(listsRead());
    while (q.next()) {
        List& list = *lists_[q.value(0).toInt()];
        Maatschappij mij;
        mij.Cd_Mij = q.value(1).toString();
        mij.Om_Naam = q.value(2).toString();
        mij.Om_NaamKort = q.value(3).toString();
        mij.Om_Object = q.value(4).toString();
        mij.In_Actief = flag(q, 5);
        mij.In_Gebruik = flag(q, 6);
        mij.Dt_Einde = QDate::fromString(q.value(7).toString(), Qt::ISODate);
        mij.Nr_HDN = q.value(8).toString();
        mij.Agent_Id = q.value(9).toString();
        mij.In_Selecteerbaar = flag(q, 10);
        mij.In_Provisie = flag(q, 11);
        mij.In_ProvisieAfsluit = flag(q, 12);
        mij.In_ProvisieDoorlopend = flag(q, 13);
        list.byCode.insert(mij.Cd_Mij, int(list.companies.size()));
        list.companies.push_back(std::move(mij));
    }
    QSqlQuery products = database_.exec(productsRead());
    while (products.next()) {
        const auto list = lists_.constFind(products.value(0).toInt());
        if (list == lists_.constEnd())
            continue;
        const auto owner = (*list)->byCode.constFind(products.value(1).toString());
        if (owner == (*list)->byCode.constEnd())
            continue;
        (*list)->companies[std::size_t(*owner)].Producten.push_back(
            {products.value(2).toString(), products.value(3).toString(), flag(products, 4)});
    }
}

const Maatschappij* CompanyCatalogue::maatschappij(qint32 cdSoortMij, int index) const
{
    const List& companies = list(cdSoortMij);
    if (index < 1 || index > int(companies.companies.size()))
        return nullptr;
    return &companies.companies[std::size_t(index - 1)];
}

const Maatschappij* CompanyCatalogue::find(qint32 cdSoortMij, const QString& cdMij) const
{
    const List& companies = list(cdSoortMij);
    const auto found = companies.byCode.constFind(cdMij);
    return found == companies.byCode.constEnd() ? nullptr : &companies.companies[std::size_t(*found)];
}

void CompanyCatalogue::reload()
{
    lists_.clear();
    officeData_.clear();
    officeDataRead_ = -1;
}

const CompanyCatalogue::OfficeData& CompanyCatalogue::officeData(qint32 cdSoortMij) const
{
    const qint64 generation = database_.pageConnection().readGeneration();
    if (officeDataRead_ != generation) {
        officeData_.clear();
        QSqlQuery rows = database_.exec(officeDataRead());
        while (rows.next()) {
            OfficeData& data = officeData_[rows.value(1).toInt()];
            const QString code = rows.value(2).toString();
            if (rows.value(0).toInt() == 0) {
                data.counts.insert(code, rows.value(3).toInt());
                if (!rows.value(4).isNull())
                    data.defaults.insert(code, rows.value(4).toString());
            } else {
                data.stored.insert(code, {rows.value(5).toInt() != 0, rows.value(6).toInt(), rows.value(7).toString()});
            }
        }
        officeDataRead_ = generation;
    }
    return officeData_[cdSoortMij];
}

void CompanyCatalogue::SetAgentnummer(const QString& cdMij, qint32 cdSoortMij, const QString& agentId)
{
    const QString table = tableOf(cdSoortMij);
    if (table.isEmpty())
        return;
    database_.exec(u"UPDATE %1 SET Agent_Id = ? WHERE Cd_Mij = ?"_s.arg(table), {agentId, cdMij});
    if (auto found = lists_.constFind(cdSoortMij); found != lists_.constEnd()) {
        if (auto at = (*found)->byCode.constFind(cdMij); at != (*found)->byCode.constEnd())
            (*found)->companies[std::size_t(*at)].Agent_Id = agentId;
    }
}

void CompanyCatalogue::FillComboFromXsd(const QString& schemaFile, const QString& typeName, ComboBox& combo)
{
    HdnDataCatalogue::fillComboFromXsd(schemaFile, typeName, combo);
}

Connection& CompanyCatalogue::AdoConnection() { return database_.pageConnection(); }

std::unique_ptr<Recordset> CompanyCatalogue::AgentnummerRecordset(const QString& cdMij, qint32 cdSoortMij)
{
    // The company's code is bound, never put into the statement.
    const QString sql = u"SELECT * FROM tp_info WHERE Cd_Mij = ? AND Cd_SoortMij = ? ORDER BY Agent_Id"_s;
    QSqlQuery rows = database_.exec(sql, {cdMij, cdSoortMij});
    return std::make_unique<SnapshotRecordset>(database_.pageConnection(), rows, sql);
}

qint32 CompanyCatalogue::AantalAgentnummers(const QString& cdMij, qint32 cdSoortMij)
{
    return officeData(cdSoortMij).counts.value(cdMij);
}

MijInstellingen CompanyCatalogue::GetMijInstellingen(const QString& cdMij, qint32 cdSoortMij)
{
    const OfficeData& data = officeData(cdSoortMij);
    MijInstellingen result;
    result.Agentnummer = data.defaults.value(cdMij);
    if (const auto stored = data.stored.constFind(cdMij); stored != data.stored.constEnd()) {
        result.Opgeslagen = true;
        result.Geselecteerd = stored->geselecteerd;
        result.Retourwijze = stored->retour;
    }
    return result;
}

QString CompanyCatalogue::HdnOntvanger(const QString& cdMij, qint32 cdSoortMij)
{
    const OfficeData& data = officeData(cdSoortMij);
    if (const auto stored = data.stored.constFind(cdMij);
        stored != data.stored.constEnd() && !stored->ontvanger.trimmed().isEmpty())
        return stored->ontvanger;
    const Maatschappij* mij = find(cdSoortMij, cdMij);
    return mij && mij->heeftHdnNummer() ? mij->Om_Naam : QString();
}

void CompanyCatalogue::SaveMijInstellingen(const QString& cdMij, qint32 cdSoortMij, const QString& ontvanger,
                                           bool geselecteerd, qint32 retourwijze)
{
    database_.exec(u"INSERT INTO Tbl_Mij_Instellingen (Cd_Mij, Cd_SoortMij, Om_Ontvanger, In_Geselecteerd, "
                   "Cd_Retour) VALUES (?, ?, ?, ?, ?) ON CONFLICT (Cd_Mij, Cd_SoortMij) DO UPDATE SET "
                   "Om_Ontvanger = excluded.Om_Ontvanger, In_Geselecteerd = excluded.In_Geselecteerd, "
                   "Cd_Retour = excluded.Cd_Retour"_s,
                   {cdMij, cdSoortMij, ontvanger.trimmed(), geselecteerd ? -1 : 0, retourwijze});
}

} // namespace tarvelo
