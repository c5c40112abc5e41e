#pragma once

#include "TarveloExport.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace tarvelo {

// One changed setting: who changed which setting of which settings object
// from what to what, and when. Secret settings (passwords, tokens) are
// recorded as changed, without their values.
struct TARVELO_EXPORT ChangeEntry {
    QDateTime when;
    QString adviserCode;
    QString adviserName;
    QString object; // "Setup" or "GlobalSetup"
    QString setting;
    std::optional<QString> oldValue;
    std::optional<QString> newValue;
    bool secret = false;
    QString page; // the page on which the change was made, when known
    // How it was made: empty in the settings window, else "opdrachtregel",
    // "importeren", "terugdraaien" or a combination ("opdrachtregel: terugdraaien").
    QString how;
    qint64 id = 0; // the entry's number in the history, given when recorded
};

} // namespace tarvelo
