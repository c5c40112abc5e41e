#include "framework/host/SubscriptionUse.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Connection.h"
#include "framework/host/OfficeTransaction.h"
#include "framework/settings/AbonnementSettings.h"

#include <QVariant>

using namespace Qt::StringLiterals;

namespace tarvelo::SubscriptionUse {

namespace {
const QString SetTerms = u"UPDATE Advies SET AbonnementID = ?, Termijnbedrag = ?, Betaaltermijn = ?, "
                         "ControleAantal = ?, ControleEenheid = ?, Contractduur = ? WHERE AbonnementID = ?"_s;

QVariantList terms(const AbonnementRecord& r, const QString& where)
{
    return {r.ID, r.Termijnbedrag, r.Betaaltermijn, r.ControleAantal, r.ControleEenheid, r.Contractduur, where};
}
} // namespace

int adviceCount(Connection& connection, const QString& id)
{
    const std::unique_ptr<Recordset> count =
        connection.OpenRecordset(u"SELECT COUNT(*) AS Aantal FROM Advies WHERE AbonnementID = ?"_s, {id});
    return count->EOF_() ? 0 : count->field(u"Aantal"_s).toInt();
}

void replace(Connection& connection, const AbonnementRecord& oud, const AbonnementRecord& nieuw)
{
    // Advices must never be left with a subscription that is about to go.
    if (nieuw.ID.isEmpty() || nieuw.ID == oud.ID)
        throw RuntimeError::invalidProcedureCall();
    inOneTransaction(connection, [&] { connection.Execute(SetTerms, terms(nieuw, oud.ID)); });
}

int apply(Connection& connection, const AbonnementRecord& abonnement)
{
    int applied = 0;
    inOneTransaction(connection, [&] {
        applied = adviceCount(connection, abonnement.ID);
        connection.Execute(SetTerms, terms(abonnement, abonnement.ID));
    });
    return applied;
}

} // namespace tarvelo::SubscriptionUse
