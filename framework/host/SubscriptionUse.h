#pragma once

#include <QString>

namespace tarvelo {

class Connection;
struct AbonnementRecord;

// How the advices in the office database use the client subscriptions: each
// advice keeps the subscription's identifier and the terms agreed with it.
// What the Database calls do when a host leaves them to the library.
namespace SubscriptionUse {
// The number of advices that use the subscription.
int adviceCount(Connection& connection, const QString& id);
// Moves every advice of the old subscription to the new one, with the new
// terms, in one transaction. The new one must be another subscription.
void replace(Connection& connection, const AbonnementRecord& oud, const AbonnementRecord& nieuw);
// Gives every advice of the subscription its current terms; returns how many.
int apply(Connection& connection, const AbonnementRecord& abonnement);
} // namespace SubscriptionUse

} // namespace tarvelo
