#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QMap>
#include <QSet>
#include <QString>
#include <optional>
#include <vector>

namespace tarvelo {

class Settings;

// A record list (notaries, subscriptions, service providers, ...) changed
// here and by another workstation since it was read, merged record by record:
// what each side changed, added or removed survives; a record both changed
// differently, or one removed and the other changed, is a conflict the user
// decides. Records have no key of their own: each version is lined up with
// the list as it was read (the longest run of unchanged records, the rest
// paired by place), as a three-way text merge lines up lines.
namespace RecordListMerge {

// One record both sides touched. A removed version is null.
struct Conflict {
    int record = 0; // its place in the list as read, from 1
    QJsonValue started, theirs, mine;
};

struct Result {
    QJsonArray merged; // with every conflict decided for mine
    std::vector<Conflict> conflicts;
};

// The names of the record lists of a settings object.
QSet<QString> names(const Settings& settings);

// A list's stored value (its JSON text) as records; not a list of records: nothing.
std::optional<QJsonArray> records(const QJsonValue& stored);
QJsonValue stored(const QJsonArray& records);

// keepMine: per conflicting record (its place in base), whether the user keeps
// the own version; a record not named keeps the own version.
Result merge(const QJsonArray& base, const QJsonArray& theirs, const QJsonArray& mine,
             const QMap<int, bool>& keepMine = {});

} // namespace RecordListMerge

} // namespace tarvelo
