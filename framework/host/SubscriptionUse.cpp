#include "host/office/SubscriptionUse.h"

#include "framework/errors/RuntimeError.h"
#include "framework/settings/AbonnementSettings.h"
#include "host/office/OfficeDatabase.h"

#include <QSqlQuery>
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

int adviceCount(OfficeDatabase& db, const QString& id)
{
    QSqlQuery count = db.exec(u"SELECT COUNT(*) FROM Advies WHERE AbonnementID = ?"_s, {id});
    return count.next() ? count.value(0).toInt() : 0;
}

void replace(OfficeDatabase& db, const AbonnementRecord& oud, const AbonnementRecord& nieuw)
{
    // Advices must never be left with a subscription that is about to go.
    if (nieuw.ID.isEmpty() || nieuw.ID == oud.ID)
        throw RuntimeError::invalidProcedureCall();
    db.transaction([&] { db.exec(SetTerms, terms(nieuw, oud.ID)); });
}

int apply(OfficeDatabase& db, const AbonnementRecord& abonnement)
{
    int applied = 0;
    db.transaction([&] {
        applied = adviceCount(db, abonnement.ID);
        db.exec(SetTerms, terms(abonnement, abonnement.ID));
    });
    return applied;
}

} // namespace tarvelo::SubscriptionUse
