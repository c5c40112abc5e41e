#include "host/office/OfficeAdvice.h"

#include "framework/errors/RuntimeError.h"
#include "host/office/OfficeDatabase.h"

#include <QSqlQuery>

namespace tarvelo {

bool OfficeAdvice::exists(OfficeDatabase& db, const QString& id)
{
    return db.exec(QStringLiteral("SELECT ID FROM Advies WHERE ID = ?"), {id}).next();
}

std::optional<Lening> OfficeAdvice::Leningdeel(int index) const
{
    QSqlQuery row = db_.exec(QStringLiteral("SELECT Omschrijving, Cd_Mij, Cd_Product FROM Leningdeel "
                                            "WHERE AdviesID = ? AND Volgnummer = ?"),
                             {id_, index});
    if (!row.next())
        return std::nullopt;
    return Lening{id_, index, row.value(0).toString(), row.value(1).toString(), row.value(2).toString()};
}

void OfficeAdvice::SaveLening(const Lening& lening)
{
    QSqlQuery update = db_.exec(QStringLiteral("UPDATE Leningdeel SET Cd_Product = ? WHERE AdviesID = ? AND "
                                               "Volgnummer = ?"),
                                {lening.Cd_Product.isEmpty() ? QVariant() : QVariant(lening.Cd_Product), id_,
                                 lening.Index});
    // Another workstation may have removed the loan part meanwhile.
    if (update.numRowsAffected() != 1)
        throw RuntimeError(ErrorNumber::ApplicationDefined,
                           QStringLiteral("Leningdeel %1 staat niet meer in het advies.").arg(lening.Index));
}

} // namespace tarvelo
