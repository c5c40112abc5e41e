#pragma once

#include <QString>

namespace tarvelo {

class OfficeDatabase;
struct AbonnementRecord;

// How the advices in the office database use the client subscriptions: each
// advice keeps the subscription's identifier and the terms agreed with it.
namespace SubscriptionUse {

// The number of advices that use the subscription.
int adviceCount(OfficeDatabase& db, const QString& id);
// Moves every advice of the old subscription to the new one, with the new
// terms, in one transaction. The new one must be another subscription.
void replace(OfficeDatabase& db, const AbonnementRecord& oud, const AbonnementRecord& nieuw);
// Gives every advice of the subscription its current terms; returns how many.
int apply(OfficeDatabase& db, const AbonnementRecord& abonnement);

} // namespace SubscriptionUse
} // namespace tarvelo
