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
// since this program read it. In a record list (notaries, subscriptions, ...)
// it is one record that both changed, or one removed and the other changed:
// record is its place in the list as read (from 1), started, theirs and mine
// are that record's versions (null where it was removed), and theirsList is
// the other program's whole list. A plain setting has record 0.
struct TARVELO_EXPORT SettingConflict {
    QString object; // "Setup" or "GlobalSetup"
    QString name;
    QJsonValue started, theirs, mine;
    bool secret = false;
    bool keepMine = true; // the user's choice
    int record = 0;
    QJsonValue theirsList = {};
};

} // namespace tarvelo
