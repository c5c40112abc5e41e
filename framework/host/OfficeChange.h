#pragma once

#include "TarveloExport.h"

#include <QJsonValue>
#include <QSet>
#include <QString>
#include <QStringList>

namespace tarvelo {

// What another program changed, as this program took it in: the tables, and
// the settings ("Setup.Name", "GlobalSetup.Name") that now hold the value the
// other program stored because the user had not changed them here.
struct TARVELO_EXPORT OfficeChange {
    QSet<QString> tables;
    QStringList settings;
};

// A setting the user changed here that another program stored differently
// since this program read it.
struct TARVELO_EXPORT SettingConflict {
    QString object; // "Setup" or "GlobalSetup"
    QString name;
    QJsonValue started, theirs, mine;
    bool secret = false;
    bool keepMine = true; // the user's choice
};

} // namespace tarvelo
