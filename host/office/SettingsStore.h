#pragma once

#include "host/office/Advisers.h"

#include <QHash>
#include <QString>

namespace tarvelo {

class OfficeDatabase;
class Settings;

// Setup per adviser and GlobalSetup for the office, each a record in the
// office database. Saving writes the records and the change history in one
// transaction: all of it is stored, or nothing.
class SettingsStore {
public:
    explicit SettingsStore(OfficeDatabase& database) : database_(database) {}

    // Reads the stored record into the settings; without one the settings
    // keep their defaults. Throws RuntimeError (Dutch) for a damaged record,
    // leaving the settings as they were.
    void loadSetup(Settings& setup, const QString& adviserCode) const;
    void loadGlobalSetup(Settings& globalSetup) const;

    // Whether the settings hold anything the database does not.
    bool differs(const Settings& setup, const QString& adviserCode, const Settings& globalSetup) const;

    // Stores what is given (either may be null) and records each changed
    // setting. pageOf maps "Setup.Name" or "GlobalSetup.Name" to the page on
    // which the change was made. Throws RuntimeError when nothing was stored.
    void save(const Settings* setup, const Settings* globalSetup, const AdviserIdentity& author,
              const QHash<QString, QString>& pageOf = {});

    static QString changeKey(const QString& object, const QString& setting) { return object + QLatin1Char('.') + setting; }

private:
    OfficeDatabase& database_;
};

} // namespace tarvelo
