#pragma once

#include <QDate>

namespace tarvelo {

class OfficeDatabase;
class Settings;

// The portfolio tasks the host makes by itself from the advices with status
// 'In beheer': approaching product end dates, ends of fixed-rate periods,
// birthdays and pensions, and review moments of client subscriptions, each
// as far in advance as the reminder settings say. A task is made once: running
// again on the same day, or the next, adds only what has come within reach.
namespace PortfolioTasks {

// Makes the due tasks in one transaction; returns how many are new.
int create(OfficeDatabase& db, const Settings& setup, const QDate& today);
// Marks open tasks done whose event lies longer ago than the completion
// period; a completion unit "Nooit" closes nothing. Returns how many.
int close(OfficeDatabase& db, const Settings& setup, const QDate& today);

// The date count units after from (-1 day, -7 week, 1 month); null for unit 0.
QDate periodEnd(const QDate& from, int count, int unit);

} // namespace PortfolioTasks
} // namespace tarvelo
