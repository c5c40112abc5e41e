#pragma once

#include <QMetaType>
#include <QString>

namespace tarvelo {

class Settings;

// The host's database object, reached through Application::RunFunction with
// "GetDatabase". The office database's connection and the record operations
// of the later pages are added here as those pages arrive.
class Database {
public:
    virtual ~Database() = default;

    // Stores the office-wide settings object.
    virtual void SaveGlobalSetup(const Settings& globalSetup) = 0;
};

} // namespace tarvelo

Q_DECLARE_METATYPE(tarvelo::Database*)
