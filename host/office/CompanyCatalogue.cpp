#include "host/office/CompanyCatalogue.h"

#include "framework/host/Connection.h"
#include "host/office/HdnDataCatalogue.h"
#include "host/office/OfficeDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
bool flag(const QSqlQuery& q, int field) { return q.value(field).toInt() != 0; }
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
    if (auto found = lists_.constFind(cdSoortMij); found != lists_.constEnd())
        return **found;
    auto list = std::make_shared<List>();
    const QString table = tableOf(cdSoortMij);
    if (!table.isEmpty()) {
        QSqlQuery q = database_.exec(
            u"SELECT Cd_Mij, Om_Naam, Om_NaamKort, Om_Object, In_Actief, In_Gebruik, Dt_Einde, Nr_HDN, "
                           "Agent_Id, In_Selecteerbaar, In_Provisie, In_ProvisieAfsluit, In_ProvisieDoorlopend "
                           "FROM %1 ORDER BY Om_Naam, Cd_Mij"_s
                .arg(table));
        while (q.next()) {
            Maatschappij mij;
            mij.Cd_Mij = q.value(0).toString();
            mij.Om_Naam = q.value(1).toString();
            mij.Om_NaamKort = q.value(2).toString();
            mij.Om_Object = q.value(3).toString();
            mij.In_Actief = flag(q, 4);
            mij.In_Gebruik = flag(q, 5);
            mij.Dt_Einde = QDate::fromString(q.value(6).toString(), Qt::ISODate);
            mij.Nr_HDN = q.value(7).toString();
            mij.Agent_Id = q.value(8).toString();
            mij.In_Selecteerbaar = flag(q, 9);
            mij.In_Provisie = flag(q, 10);
            mij.In_ProvisieAfsluit = flag(q, 11);
            mij.In_ProvisieDoorlopend = flag(q, 12);
            list->byCode.insert(mij.Cd_Mij, int(list->companies.size()));
            list->companies.push_back(std::move(mij));
        }
        QSqlQuery products = database_.exec(u"SELECT Cd_Mij, Cd_Product, Om_Product, In_Actief FROM "
                                                           "Tbl_Mij_Product WHERE Cd_SoortMij = ? ORDER BY Cd_Product"_s,
                                            {cdSoortMij});
        while (products.next()) {
            const auto owner = list->byCode.constFind(products.value(0).toString());
            if (owner == list->byCode.constEnd())
                continue;
            list->companies[std::size_t(*owner)].Producten.push_back(
                {products.value(1).toString(), products.value(2).toString(), flag(products, 3)});
        }
    }
    lists_.insert(cdSoortMij, list);
    return *list;
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

void CompanyCatalogue::reload() { lists_.clear(); }

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
    return database_.pageConnection().OpenRecordset(
        u"SELECT * FROM tp_info WHERE Cd_Mij = %1 AND Cd_SoortMij = %2 ORDER BY Agent_Id"_s
            .arg(sqlQuoted(cdMij))
            .arg(cdSoortMij));
}

qint32 CompanyCatalogue::AantalAgentnummers(const QString& cdMij, qint32 cdSoortMij)
{
    QSqlQuery q = database_.exec(u"SELECT COUNT(*) FROM tp_info WHERE Cd_Mij = ? AND Cd_SoortMij = ?"_s,
                                 {cdMij, cdSoortMij});
    return q.next() ? q.value(0).toInt() : 0;
}

MijInstellingen CompanyCatalogue::GetMijInstellingen(const QString& cdMij, qint32 cdSoortMij)
{
    MijInstellingen result;
    QSqlQuery standard = database_.exec(u"SELECT Agent_Id FROM tp_info WHERE Cd_Mij = ? AND "
                                                       "Cd_SoortMij = ? AND In_Default <> 0 ORDER BY Agent_Id"_s,
                                        {cdMij, cdSoortMij});
    if (standard.next())
        result.Agentnummer = standard.value(0).toString();
    QSqlQuery stored = database_.exec(u"SELECT In_Geselecteerd, Cd_Retour FROM Tbl_Mij_Instellingen "
                                                     "WHERE Cd_Mij = ? AND Cd_SoortMij = ?"_s,
                                      {cdMij, cdSoortMij});
    if (stored.next()) {
        result.Opgeslagen = true;
        result.Geselecteerd = stored.value(0).toInt() != 0;
        result.Retourwijze = stored.value(1).toInt();
    }
    return result;
}

QString CompanyCatalogue::HdnOntvanger(const QString& cdMij, qint32 cdSoortMij)
{
    QSqlQuery stored = database_.exec(
        u"SELECT Om_Ontvanger FROM Tbl_Mij_Instellingen WHERE Cd_Mij = ? AND Cd_SoortMij = ?"_s,
        {cdMij, cdSoortMij});
    if (stored.next() && !stored.value(0).toString().trimmed().isEmpty())
        return stored.value(0).toString();
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
