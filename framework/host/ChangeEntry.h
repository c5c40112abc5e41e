#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace tarvelo {

// One changed setting: who changed which setting of which settings object
// from what to what, and when. Secret settings (passwords, tokens) are
// recorded as changed, without their values.
struct ChangeEntry {
    QDateTime when;
    QString adviserCode;
    QString adviserName;
    QString object;  // "Setup" or "GlobalSetup"
    QString setting;
    std::optional<QString> oldValue;
    std::optional<QString> newValue;
    bool secret = false;
    QString page;    // the page on which the change was made, when known
};

} // namespace tarvelo
