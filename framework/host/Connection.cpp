#include "framework/host/Connection.h"

#include "framework/errors/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

std::unique_ptr<Recordset> Connection::OpenRecordset(const QString&, const QVariantList&)
{
    throw RuntimeError(3251, u"Deze verbinding met de kantoordatabase kan geen waarden binden."_s,
                       u"Quenmarix database"_s);
}

} // namespace tarvelo
