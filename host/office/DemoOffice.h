#pragma once

#include <QString>

namespace tarvelo {

class OfficeDatabase;

// A made-up advice office with enough in it for every page to show something
// real: the office and its branches, advisers with their rights, companies of
// every kind with products and agent numbers, notaries, service providers,
// subscriptions and a few hundred HDN messages of the last eighteen months.
// Apart from those dates it is the same office every time.
namespace DemoOffice {

// Fills a new, empty office database inside the transaction the caller holds
// (the one that makes the office). The first adviser logs in as loginName, so
// that the workstation user works as that adviser; the dossiers keep their
// documents under documentRoot.
void fill(OfficeDatabase& database, const QString& loginName, const QString& documentRoot);
// The same in a transaction of its own.
void create(OfficeDatabase& database, const QString& loginName, const QString& documentRoot);

} // namespace DemoOffice
} // namespace tarvelo
