#include "HostCompanies.h"

#include <tarvelo/framework/errors/RuntimeError.h>

using namespace Qt::StringLiterals;
using namespace tarvelo;

namespace minimalhost {

HostCompanies::HostCompanies(Connection& connection) : connection_(connection)
{
    Maatschappij bank;
    bank.Cd_Mij = u"VB"_s;
    bank.Om_Naam = u"Voorbeeldbank"_s;
    bank.Om_NaamKort = u"Voorbeeldbank"_s;
    lenders_.push_back(bank);
}

const Maatschappij* HostCompanies::maatschappij(qint32 cdSoortMij, int index) const
{
    if (cdSoortMij != SoortMij::Geldverstrekker || index < 1 || index > int(lenders_.size()))
        return nullptr;
    return &lenders_[std::size_t(index - 1)];
}

void HostCompanies::SetAgentnummer(const QString& cdMij, qint32 cdSoortMij, const QString& agentId)
{
    for (Maatschappij& lender : lenders_) {
        if (cdSoortMij == SoortMij::Geldverstrekker && lender.Cd_Mij == cdMij)
            lender.Agent_Id = agentId;
    }
}

std::unique_ptr<Recordset> HostCompanies::AgentnummerRecordset(const QString& cdMij, qint32 cdSoortMij)
{
    return connection_.OpenRecordset(u"SELECT * FROM tp_info WHERE Cd_Mij = ? AND Cd_SoortMij = ? ORDER BY Agent_Id"_s,
                                     {cdMij, cdSoortMij});
}

qint32 HostCompanies::AantalAgentnummers(const QString& cdMij, qint32 cdSoortMij)
{
    return AgentnummerRecordset(cdMij, cdSoortMij)->RecordCount();
}

MijInstellingen HostCompanies::GetMijInstellingen(const QString&, qint32) { return MijInstellingen(); }

void HostCompanies::SaveMijInstellingen(const QString&, qint32, const QString&, bool, qint32)
{
    throw RuntimeError(ErrorNumber::ApplicationDefined, u"Deze host bewaart geen instellingen per maatschappij."_s,
                       u"MinimalHost"_s);
}

} // namespace minimalhost
