#include "host/office/SettingsStore.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Settings.h"
#include "host/SettingsFile.h"
#include "host/office/ChangeHistory.h"
#include "host/office/OfficeDatabase.h"
#include "host/office/RecordListMerge.h"
#include "host/secrets/RecordSecrets.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// Where one settings object lives: its table and the key of its row.
struct RecordPlace {
    QString object;
    QString table;
    QString keyColumn;
    QVariant key;
    QString description;
    RecordSecrets::Owner owner;
};

RecordPlace setupPlace(const QString& adviserCode)
{
    // An office without advisers keeps one Setup under the empty code; a null
    // text would be bound as NULL, which no row can be found by.
    const QString key = adviserCode.isNull() ? u""_s : adviserCode;
    return {ChangeHistory::SetupObject,
            u"Instellingen"_s,
            u"AdviseurCode"_s,
            key,
            u"de kantoordatabase (instellingen van adviseur '%1')"_s.arg(adviserCode),
            RecordSecrets::Owner::Adviser};
}

RecordPlace globalPlace()
{
    return {ChangeHistory::GlobalSetupObject,
            u"KantoorInstellingen"_s,
            u"Id"_s,
            1,
            u"de kantoordatabase (kantoorinstellingen)"_s,
            RecordSecrets::Owner::Office};
}

std::optional<QByteArray> storedText(const OfficeDatabase& db, const RecordPlace& place)
{
    QSqlQuery q = db.exec(u"SELECT Record FROM %1 WHERE %2 = ?"_s.arg(place.table, place.keyColumn), {place.key});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString().toUtf8();
}

bool onServer(const OfficeDatabase& db) { return db.location().provider == QLatin1String("MSSQL"); }

QString seenKey(const RecordPlace& place) { return place.table + u'\x1f' + place.key.toString(); }

// A stored record with its passwords opened; a text that is no record is
// left for the reading to tell what is wrong with it.
QByteArray opened(const QByteArray& text, const RecordSecrets& secrets, RecordSecrets::Owner owner,
                  QStringList* unreadable)
{
    const QJsonDocument doc = QJsonDocument::fromJson(text);
    if (!doc.isObject())
        return text;
    QJsonObject record = doc.object();
    secrets.open(record, owner, unreadable);
    return QJsonDocument(record).toJson(QJsonDocument::Compact);
}

// The stored record as it would load: stored values over the defaults. raw
// is the record as stored, its passwords sealed.
QJsonObject recordOf(const std::optional<QByteArray>& text, const RecordSecrets& secrets, const RecordPlace& place,
                     QJsonObject* raw = nullptr)
{
    Settings stored;
    if (text) {
        SettingsFile::fromRecord(stored, opened(*text, secrets, place.owner, nullptr), place.description);
        if (raw)
            *raw = QJsonDocument::fromJson(*text).object();
    }
    return SettingsFile::toRecord(stored);
}

} // namespace

QString SettingsStore::valueText(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::Bool: return v.toBool() ? u"true"_s : u"false"_s;
    case QJsonValue::Double: {
        const double d = v.toDouble();
        if (d == double(qint64(d)))
            return QString::number(qint64(d));
        return QString::number(d, 'g', 15);
    }
    case QJsonValue::String: return v.toString();
    default: return {};
    }
}

namespace {

// The stored text as read, and what this program knows of it from now on.
std::optional<QByteArray> readStored(const OfficeDatabase& db, const RecordPlace& place, SettingsStore::Seen& seen)
{
    std::optional<QByteArray> text = storedText(db, place);
    seen.insert(seenKey(place), text);
    return text;
}

// Takes the write lock before the record is read, so that a second program
// saving at the same moment waits and then reads what this one stored.
void lockForUpdate(OfficeDatabase& db, const RecordPlace& place)
{
    if (onServer(db))
        db.exec(u"LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE"_s.arg(place.table));
    else
        db.exec(u"UPDATE %1 SET Record = Record WHERE 1 = 0"_s.arg(place.table));
}

// One save's who, when and how, the same for each record it writes.
struct SaveRequest {
    const AdviserIdentity& author;
    const QHash<QString, QString>& pageOf;
    const QHash<QString, QString>& howOf;
    QDateTime now;
    SettingsStore::Conflicts conflicts;
};

// One settings object a save stores, and the record as this program read it.
struct SavedPart {
    const Settings* settings;
    RecordPlace place;
    const QJsonObject* base;
    bool unchanged() const { return base && *base == SettingsFile::toRecord(*settings); }
};

// What a save writes of one record: its new text, worked out over the stored
// text (none: no record is stored yet), and the history of its changes.
struct RecordWrite {
    RecordPlace place;
    std::optional<QByteArray> over;
    QByteArray text;
    std::vector<ChangeEntry> entries;
};

// The record to store over the stored text, or nothing when nothing changed.
// Throws ConflictError (with Refuse) when a setting changed here was changed
// there too.
std::optional<RecordWrite> written(const RecordSecrets& secrets, const SavedPart& part, const SaveRequest& request,
                                   const std::optional<QByteArray>& stored)
{
    const RecordPlace& place = part.place;
    const QJsonObject* base = part.base;
    const bool refuse = base && request.conflicts == SettingsStore::Conflicts::Refuse;
    const QJsonObject current = SettingsFile::toRecord(*part.settings);
    const QSet<QString> recordLists = RecordListMerge::names(*part.settings);
    QJsonObject merged;
    const QJsonObject old = recordOf(stored, secrets, place, &merged);
    // Passwords an older version stored as typed are sealed now.
    bool changed = !stored || RecordSecrets::holdsPlain(merged);
    std::vector<ChangeEntry> entries;
    if (refuse && !SettingsStore::conflicts(old, current, *base, recordLists).isEmpty())
        throw RuntimeError(SettingsStore::ConflictError, SettingsStore::conflictMessage());
    for (auto it = current.begin(); it != current.end(); ++it) {
        // A setting this program did not change keeps what is stored, which
        // another program may have changed meanwhile.
        if (base && base->contains(it.key()) && base->value(it.key()) == it.value())
            continue;
        // A record list another program changed too keeps its records' changes.
        const QJsonValue value =
            refuse ? SettingsStore::mergedValue(it.key(), old, current, *base, recordLists) : it.value();
        const QString before = SettingsStore::valueText(old.value(it.key()));
        const QString after = SettingsStore::valueText(value);
        // A password this workstation could not open reads as empty: unless
        // it was typed again, the sealed one stays as it is stored.
        if (before == after && RecordSecrets::isSecret(it.key()))
            continue;
        // Names this version does not know stay in the record as they were.
        merged.insert(it.key(), value);
        if (before == after)
            continue;
        changed = true;
        ChangeEntry entry;
        entry.when = request.now;
        entry.adviserCode = request.author.code;
        entry.adviserName = request.author.name;
        entry.object = place.object;
        entry.setting = it.key();
        entry.secret = part.settings->setting(it.key()).isSecret();
        if (!entry.secret) {
            entry.oldValue = before;
            entry.newValue = after;
        }
        entry.page = request.pageOf.value(SettingsStore::changeKey(place.object, it.key()));
        entry.how = request.howOf.value(SettingsStore::changeKey(place.object, it.key()));
        entries.push_back(std::move(entry));
    }
    if (!changed)
        return std::nullopt;
    secrets.seal(merged, place.owner);
    return RecordWrite{place, stored, SettingsFile::toText(merged), std::move(entries)};
}

QString storedTime(const QDateTime& now) { return now.toUTC().toString(Qt::ISODateWithMs); }

// Under the write lock: the record as stored now, refused or written over.
void storeUnderLock(OfficeDatabase& db, const RecordSecrets& secrets, const SavedPart& part, const SaveRequest& request,
                    SettingsStore::Seen& seen, std::vector<RecordWrite>& done)
{
    if (part.unchanged())
        return;
    lockForUpdate(db, part.place);
    std::optional<RecordWrite> write = written(secrets, part, request, readStored(db, part.place, seen));
    if (!write)
        return;
    ChangeHistory::record(db, write->entries);
    const RecordPlace& place = part.place;
    db.exec(u"INSERT INTO %1 (%2, Record, Gewijzigd) VALUES (?, ?, ?) ON CONFLICT (%2) DO UPDATE SET "
            "Record = excluded.Record, Gewijzigd = excluded.Gewijzigd"_s.arg(place.table, place.keyColumn),
            {place.key, QString::fromUtf8(write->text), storedTime(request.now)});
    done.push_back(std::move(*write));
}

// The record written only where it is still stored as the text it was worked
// out over: otherwise no row is written, and dividing by the rows written
// fails the statement and the transaction with it.
std::pair<QString, QVariantList> guardedWrite(const RecordWrite& write, const QDateTime& now)
{
    const RecordPlace& place = write.place;
    const QString text = QString::fromUtf8(write.text);
    if (!write.over)
        return {u"WITH written AS (INSERT INTO %1 (%2, Record, Gewijzigd) VALUES (?, ?, ?) ON CONFLICT (%2) "
                "DO NOTHING RETURNING 1) SELECT 1 / count(*) FROM written"_s.arg(place.table, place.keyColumn),
                {place.key, text, storedTime(now)}};
    return {u"WITH written AS (UPDATE %1 SET Record = ?, Gewijzigd = ? WHERE %2 = ? AND Record = ? RETURNING 1) "
            "SELECT 1 / count(*) FROM written"_s.arg(place.table, place.keyColumn),
            {text, storedTime(now), place.key, QString::fromUtf8(*write.over)}};
}

// On the server a save is one round trip: worked out over the records as this
// program last saw them, it is sent as one transaction in one batch, each
// record guarded. False when it could not be, with nothing stored: a record
// not seen yet, a conflict with what was seen, a record stored otherwise
// since, or any failure; the save then takes the write lock and reads.
bool savedInOneBatch(OfficeDatabase& db, const RecordSecrets& secrets, const std::vector<SavedPart>& parts,
                     const SaveRequest& request, SettingsStore::Seen& seen)
{
    SqlConnection& connection = db.pageConnection();
    if (!onServer(db) || connection.inTransaction())
        return false;
    std::vector<RecordWrite> writes;
    for (const SavedPart& part : parts) {
        if (part.unchanged())
            continue;
        const auto known = seen.constFind(seenKey(part.place));
        if (known == seen.constEnd())
            return false;
        try {
            if (std::optional<RecordWrite> write = written(secrets, part, request, *known))
                writes.push_back(std::move(*write));
        } catch (const RuntimeError&) {
            return false;
        }
    }
    if (writes.empty())
        return true;
    OfficeDatabase::Reads batch{{u"BEGIN"_s, {}}};
    for (const RecordWrite& write : writes)
        batch << guardedWrite(write, request.now);
    for (const RecordWrite& write : writes)
        batch << ChangeHistory::statements(write.entries);
    batch << std::pair{u"COMMIT"_s, QVariantList()};
    const std::vector<QSqlQuery> answers = connection.runTogether(batch);
    // A statement that failed ended the transaction: the server rolled it all back.
    if (std::any_of(answers.begin(), answers.end(), [](const QSqlQuery& a) { return a.lastError().isValid(); }))
        return false;
    for (const RecordWrite& write : writes)
        seen.insert(seenKey(write.place), write.text);
    return true;
}

} // namespace

std::pair<QString, QVariantList> SettingsStore::bothRead(const QString& adviserCode)
{
    const RecordPlace office = globalPlace();
    const RecordPlace own = setupPlace(adviserCode);
    return {u"SELECT 0, Record FROM %1 WHERE %2 = ? UNION ALL SELECT 1, Record FROM %3 WHERE %4 = ?"_s.arg(
                office.table, office.keyColumn, own.table, own.keyColumn),
            {office.key, own.key}};
}

void SettingsStore::loadBoth(Settings& setup, Settings& globalSetup, const QString& adviserCode,
                             QStringList* unreadable) const
{
    const RecordPlace office = globalPlace();
    const RecordPlace own = setupPlace(adviserCode);
    const auto [sql, values] = bothRead(adviserCode);
    QSqlQuery q = database_.exec(sql, values);
    std::optional<QByteArray> texts[2];
    while (q.next()) {
        const int which = q.value(0).toInt() == 0 ? 0 : 1;
        if (!texts[which])
            texts[which] = q.value(1).toString().toUtf8();
    }
    seen_.insert(seenKey(office), texts[0]);
    seen_.insert(seenKey(own), texts[1]);
    QStringList closed[2];
    if (texts[0])
        SettingsFile::fromRecord(globalSetup, opened(*texts[0], secrets_, office.owner, &closed[0]),
                                 office.description);
    if (texts[1])
        SettingsFile::fromRecord(setup, opened(*texts[1], secrets_, own.owner, &closed[1]), own.description);
    if (unreadable) {
        unreadable->clear();
        for (const QString& name : closed[1])
            *unreadable << changeKey(own.object, name);
        for (const QString& name : closed[0])
            *unreadable << changeKey(office.object, name);
    }
}

QJsonObject SettingsStore::storedSetup(const QString& adviserCode) const
{
    const RecordPlace place = setupPlace(adviserCode);
    return recordOf(readStored(database_, place, seen_), secrets_, place);
}

QJsonObject SettingsStore::storedGlobalSetup() const
{
    return recordOf(readStored(database_, globalPlace(), seen_), secrets_, globalPlace());
}

QJsonObject SettingsStore::lastSeenSetup(const QString& adviserCode) const
{
    const RecordPlace place = setupPlace(adviserCode);
    const auto known = seen_.constFind(seenKey(place));
    if (!onServer(database_) || known == seen_.constEnd())
        return storedSetup(adviserCode);
    return recordOf(*known, secrets_, place);
}

QJsonObject SettingsStore::lastSeenGlobalSetup() const
{
    const auto known = seen_.constFind(seenKey(globalPlace()));
    if (!onServer(database_) || known == seen_.constEnd())
        return storedGlobalSetup();
    return recordOf(*known, secrets_, globalPlace());
}

QByteArray SettingsStore::officeKey() const
{
    QJsonObject raw;
    recordOf(readStored(database_, globalPlace(), seen_), secrets_, globalPlace(), &raw);
    return secrets_.officeKeyFor(raw);
}

QString SettingsStore::conflictMessage()
{
    return u"Instellingen die u hebt gewijzigd, zijn intussen op een andere werkplek ook gewijzigd. "
           "Er is niets opgeslagen."_s;
}

namespace {
// The three versions of a record list, when each is one.
std::optional<RecordListMerge::Result> mergedRecords(const QJsonValue& was, const QJsonValue& there,
                                                     const QJsonValue& here)
{
    const auto base = RecordListMerge::records(was);
    const auto theirs = RecordListMerge::records(there);
    const auto mine = RecordListMerge::records(here);
    if (!base || !theirs || !mine)
        return std::nullopt;
    return RecordListMerge::merge(*base, *theirs, *mine);
}
} // namespace

QStringList SettingsStore::conflicts(const QJsonObject& stored, const QJsonObject& current, const QJsonObject& base,
                                     const QSet<QString>& recordLists)
{
    QStringList found;
    for (auto it = current.begin(); it != current.end(); ++it) {
        const QString& name = it.key();
        if (!base.contains(name) || !stored.contains(name))
            continue;
        const QJsonValue was = base.value(name);
        const QJsonValue there = stored.value(name);
        if (it.value() == was || there == was || there == it.value())
            continue;
        if (recordLists.contains(name)) {
            const auto merged = mergedRecords(was, there, it.value());
            if (merged && merged->conflicts.empty())
                continue;
        }
        found << name;
    }
    return found;
}

QJsonValue SettingsStore::mergedValue(const QString& name, const QJsonObject& stored, const QJsonObject& current,
                                      const QJsonObject& base, const QSet<QString>& recordLists)
{
    const QJsonValue here = current.value(name);
    if (!recordLists.contains(name) || !base.contains(name) || !stored.contains(name))
        return here;
    const QJsonValue was = base.value(name);
    const QJsonValue there = stored.value(name);
    if (there == was || here == was)
        return there == was ? here : there;
    const auto merged = mergedRecords(was, there, here);
    return merged ? RecordListMerge::stored(merged->merged) : here;
}

void SettingsStore::save(const Settings* setup, const Settings* globalSetup, const AdviserIdentity& author,
                         const QHash<QString, QString>& pageOf, const QJsonObject* setupBase,
                         const QJsonObject* globalBase, const QHash<QString, QString>& howOf, Conflicts conflicts)
{
    const SaveRequest request{author, pageOf, howOf, QDateTime::currentDateTime(), conflicts};
    std::vector<SavedPart> parts;
    if (setup)
        parts.push_back({setup, setupPlace(author.code), setupBase});
    if (globalSetup)
        parts.push_back({globalSetup, globalPlace(), globalBase});
    if (savedInOneBatch(database_, secrets_, parts, request, seen_))
        return;
    std::vector<RecordWrite> done;
    database_.transaction([&] {
        for (const SavedPart& part : parts)
            storeUnderLock(database_, secrets_, part, request, seen_, done);
    });
    for (const RecordWrite& write : done)
        seen_.insert(seenKey(write.place), write.text);
}

} // namespace tarvelo
