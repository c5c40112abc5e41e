#include "framework/host/OfficeTables.h"

namespace tarvelo {

const QStringList& OfficeTables::companyData()
{
    static const QStringList tables = {
        u"tp_info"_s,
        u"tbl_mij_info"_s,
        u"tbl_mij_verzekering"_s,
        u"tbl_mij_vermogen"_s,
        u"tbl_mij_krediet"_s,
        u"tbl_mij_taxatie"_s,
        u"tbl_mij_bankgarantie"_s,
        u"tbl_mij_product"_s,
        u"tbl_mij_instellingen"_s,
        u"tbl_mij_provisie"_s,
        u"tbl_mij_renteopties"_s,
    };
    return tables;
}

const QStringList& OfficeTables::advisers()
{
    static const QStringList tables = {u"adviseur"_s, u"adviseurgegevens"_s, u"autorisatie"_s, u"vestiging"_s};
    return tables;
}

const QStringList& OfficeTables::watched()
{
    static const QStringList tables = QStringList{GlobalSetup, Setup} + companyData() + advisers() +
                                      QStringList{u"notaris"_s, u"abonnement"_s, u"inkoopcombinatie"_s};
    return tables;
}

bool OfficeTables::isCompanyData(const QString& table)
{
    return table == QLatin1String("tp_info") || table.startsWith(QLatin1String("tbl_mij_"));
}

} // namespace tarvelo
