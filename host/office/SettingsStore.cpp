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
    return {ChangeHistory::SetupObject, u"Instellingen"_s, u"AdviseurCode"_s, key,
            u"de kantoordatabase (instellingen van adviseur '%1')"_s.arg(adviserCode), RecordSecrets::Owner::Adviser};
}

RecordPlace globalPlace()
{
    return {ChangeHistory::GlobalSetupObject, u"KantoorInstellingen"_s, u"Id"_s, 1,
            u"de kantoordatabase (kantoorinstellingen)"_s, RecordSecrets::Owner::Office};
}

std::optional<QByteArray> storedText(const OfficeDatabase& db, const RecordPlace& place)
{
    QSqlQuery q = db.exec(u"SELECT Record FROM %1 WHERE %2 = ?"_s.arg(place.table, place.keyColumn),
                          {place.key});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString().toUtf8();
}

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
QJsonObject storedRecord(const OfficeDatabase& db, const RecordSecrets& secrets, const RecordPlace& place,
                         QJsonObject* raw = nullptr, bool* missing = nullptr)
{
    Settings stored;
    const auto text = storedText(db, place);
    if (missing)
        *missing = !text;
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

// Takes the write lock before the record is read, so that a second program
// saving at the same moment waits and then reads what this one stored.
void lockForUpdate(OfficeDatabase& db, const RecordPlace& place)
{
    if (db.location().provider == QLatin1String("MSSQL"))
        db.exec(u"LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE"_s.arg(place.table));
    else
        db.exec(u"UPDATE %1 SET Record = Record WHERE 1 = 0"_s.arg(place.table));
}

void store(OfficeDatabase& db, const RecordSecrets& secrets, const RecordPlace& place, const Settings& settings, const AdviserIdentity& author,
           const QHash<QString, QString>& pageOf, const QDateTime& now, const QJsonObject* base,
           const QHash<QString, QString>& howOf, SettingsStore::Conflicts conflicts)
{
    const QJsonObject current = SettingsFile::toRecord(settings);
    // Nothing changed here since the record was read: there is nothing to write.
    if (base && *base == current)
        return;
    const QSet<QString> recordLists = RecordListMerge::names(settings);
    lockForUpdate(db, place);
    QJsonObject merged;
    bool missing = false;
    const QJsonObject old = storedRecord(db, secrets, place, &merged, &missing);
    // Passwords an older version stored as typed are sealed now.
    bool changed = missing || RecordSecrets::holdsPlain(merged);
    std::vector<ChangeEntry> entries;
    if (base && conflicts == SettingsStore::Conflicts::Refuse &&
        !SettingsStore::conflicts(old, current, *base, recordLists).isEmpty())
        throw RuntimeError(SettingsStore::ConflictError, SettingsStore::conflictMessage());
    for (auto it = current.begin(); it != current.end(); ++it) {
        // A setting this program did not change keeps what is stored, which
        // another program may have changed meanwhile.
        if (base && base->contains(it.key()) && base->value(it.key()) == it.value())
            continue;
        // A record list another program changed too keeps its records' changes.
        const QJsonValue written = base && conflicts == SettingsStore::Conflicts::Refuse
                                       ? SettingsStore::mergedValue(it.key(), old, current, *base, recordLists)
                                       : it.value();
        const QString before = SettingsStore::valueText(old.value(it.key()));
        const QString after = SettingsStore::valueText(written);
        // A password this workstation could not open reads as empty: unless
        // it was typed again, the sealed one stays as it is stored.
        if (before == after && RecordSecrets::isSecret(it.key()))
            continue;
        // Names this version does not know stay in the record as they were.
        merged.insert(it.key(), written);
        if (before == after)
            continue;
        changed = true;
        ChangeEntry entry;
        entry.when = now;
        entry.adviserCode = author.code;
        entry.adviserName = author.name;
        entry.object = place.object;
        entry.setting = it.key();
        entry.secret = settings.setting(it.key()).isSecret();
        if (!entry.secret) {
            entry.oldValue = before;
            entry.newValue = after;
        }
        entry.page = pageOf.value(SettingsStore::changeKey(place.object, it.key()));
        entry.how = howOf.value(SettingsStore::changeKey(place.object, it.key()));
        entries.push_back(std::move(entry));
    }
    if (!changed)
        return;
    secrets.seal(merged, place.owner);
    ChangeHistory::record(db, entries);
    db.exec(u"INSERT INTO %1 (%2, Record, Gewijzigd) VALUES (?, ?, ?) ON CONFLICT (%2) DO UPDATE SET "
            "Record = excluded.Record, Gewijzigd = excluded.Gewijzigd"_s.arg(place.table, place.keyColumn),
            {place.key, QString::fromUtf8(SettingsFile::toText(merged)), now.toUTC().toString(Qt::ISODateWithMs)});
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
    QStringList closed[2];
    if (texts[0])
        SettingsFile::fromRecord(globalSetup, opened(*texts[0], secrets_, office.owner, &closed[0]), office.description);
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
    return storedRecord(database_, secrets_, setupPlace(adviserCode));
}

QJsonObject SettingsStore::storedGlobalSetup() const { return storedRecord(database_, secrets_, globalPlace()); }

QByteArray SettingsStore::officeKey() const
{
    QJsonObject raw;
    storedRecord(database_, secrets_, globalPlace(), &raw);
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
    const QDateTime now = QDateTime::currentDateTime();
    database_.transaction([&] {
        if (setup)
            store(database_, secrets_, setupPlace(author.code), *setup, author, pageOf, now, setupBase, howOf, conflicts);
        if (globalSetup)
            store(database_, secrets_, globalPlace(), *globalSetup, author, pageOf, now, globalBase, howOf, conflicts);
    });
}

} // namespace tarvelo
