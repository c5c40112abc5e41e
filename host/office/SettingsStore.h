#pragma once

#include "host/office/Advisers.h"

#include <QHash>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>
#include <utility>

namespace tarvelo {

class OfficeDatabase;
class RecordSecrets;
class Settings;

// Setup per adviser and GlobalSetup for the office, each a record in the
// office database. Saving writes the records and the change history in one
// transaction: all of it is stored, or nothing. Passwords are stored sealed,
// with keys kept outside the office database (RecordSecrets).
class SettingsStore {
public:
    SettingsStore(OfficeDatabase& database, const RecordSecrets& secrets) : database_(database), secrets_(secrets) {}

    // Reads the stored records of the office (GlobalSetup) and of the adviser
    // (Setup), in one statement, into the settings; without one the settings
    // keep their defaults. Throws RuntimeError (Dutch) for a damaged record,
    // leaving those settings as they were. Passwords this workstation cannot
    // open (their key is missing) are read as empty and named in unreadable
    // ("Setup.Name", "GlobalSetup.Name").
    void loadBoth(Settings& setup, Settings& globalSetup, const QString& adviserCode,
                  QStringList* unreadable = nullptr) const;
    // The statement loadBoth runs, with its values, for reading it ahead.
    static std::pair<QString, QVariantList> bothRead(const QString& adviserCode);
    // The record as it is stored now, read as a load would read it (stored
    // values over the defaults).
    QJsonObject storedSetup(const QString& adviserCode) const;
    QJsonObject storedGlobalSetup() const;
    // The record as this program last read or stored it, as a load would
    // read it: on the server, where a read costs a round trip, what a save
    // is worked out over first. Read now on the file, or when it was not read.
    QJsonObject lastSeenSetup(const QString& adviserCode) const;
    QJsonObject lastSeenGlobalSetup() const;
    // The key of the office's passwords as this workstation holds it; empty
    // when it has none (or the office has no sealed password yet).
    QByteArray officeKey() const;

    // Stores what is given (either may be null) and records each changed
    // setting. pageOf maps "Setup.Name" or "GlobalSetup.Name" to the page on
    // which the change was made. Throws RuntimeError when nothing was stored.
    // With a base (the record as this program read it) only the settings that
    // differ from it are written, over the record as it is stored now: two
    // programs that change different settings at once lose neither change.
    // With LastWriterWins a setting another program changed since it was
    // read is written over all the same: a value stated without an older one
    // having been shown (the command line's set) is no conflict.
    // On the server the save is first sent as one transaction in one batch,
    // worked out over the records as last seen and written only where each
    // is still stored so; where one is not, nothing of it is stored and the
    // save takes the write lock, reads the records and works it out again.
    enum class Conflicts { Refuse, LastWriterWins };
    void save(const Settings* setup, const Settings* globalSetup, const AdviserIdentity& author,
              const QHash<QString, QString>& pageOf = {}, const QJsonObject* setupBase = nullptr,
              const QJsonObject* globalBase = nullptr, const QHash<QString, QString>& howOf = {},
              Conflicts conflicts = Conflicts::Refuse);

    // The settings changed both here (current differs from base, the record
    // as this program read it) and by another program since (stored differs
    // from base), to different values. Saving over such a setting is refused
    // with ConflictError until the user has chosen: the chosen value becomes
    // the base's and, when it is the other's, the current one's.
    // A record list (recordLists names them) is merged record by record: it
    // conflicts only where both changed one record differently, or one removed
    // a record the other changed (mergedValue).
    static QStringList conflicts(const QJsonObject& stored, const QJsonObject& current, const QJsonObject& base,
                                 const QSet<QString>& recordLists = {});
    // What a save writes of a setting this program changed: its value here,
    // or for a record list another program changed too, both merged.
    static QJsonValue mergedValue(const QString& name, const QJsonObject& stored, const QJsonObject& current,
                                  const QJsonObject& base, const QSet<QString>& recordLists);
    static constexpr int ConflictError = 3197; // changed by another user at the same time
    static QString conflictMessage();

    // A stored value as the change history keeps it ("true", "2", "2,5" as "2.5").
    static QString valueText(const QJsonValue& value);
    static QString changeKey(const QString& object, const QString& setting)
    {
        return object + QLatin1Char('.') + setting;
    }

    // The stored text of each record (table and key) as this program last
    // read or stored it; none for a record not stored yet.
    using Seen = QHash<QString, std::optional<QByteArray>>;

private:
    OfficeDatabase& database_;
    const RecordSecrets& secrets_;
    mutable Seen seen_;
};

} // namespace tarvelo
