#pragma once

#include "TarveloExport.h"

#include <QJsonValue>
#include <QString>

namespace tarvelo {

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
