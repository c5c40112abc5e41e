#include "host/office/OfficeAdvice.h"

#include "framework/errors/RuntimeError.h"
#include "host/office/OfficeDatabase.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace tarvelo {

bool OfficeAdvice::exists(OfficeDatabase& db, const QString& id)
{
    return db.exec(u"SELECT ID FROM Advies WHERE ID = ?"_s, {id}).next();
}

std::optional<Lening> OfficeAdvice::Leningdeel(int index) const
{
    QSqlQuery row = db_.exec(u"SELECT Omschrijving, Cd_Mij, Cd_Product FROM Leningdeel "
                             "WHERE AdviesID = ? AND Volgnummer = ?"_s,
                             {id_, index});
    if (!row.next())
        return std::nullopt;
    return Lening{id_, index, row.value(0).toString(), row.value(1).toString(), row.value(2).toString()};
}

void OfficeAdvice::SaveLening(const Lening& lening)
{
    QSqlQuery update =
        db_.exec(u"UPDATE Leningdeel SET Cd_Product = ? WHERE AdviesID = ? AND "
                 "Volgnummer = ?"_s,
                 {lening.Cd_Product.isEmpty() ? QVariant() : QVariant(lening.Cd_Product), id_, lening.Index});
    // Another workstation may have removed the loan part meanwhile.
    if (update.numRowsAffected() != 1)
        throw RuntimeError(ErrorNumber::ApplicationDefined,
                           u"Leningdeel %1 staat niet meer in het advies."_s.arg(lening.Index));
}

} // namespace tarvelo
