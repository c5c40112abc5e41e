#pragma once

#include "host/office/ChangeHistory.h"

#include <QHash>
#include <QString>
#include <functional>

namespace tarvelo {

class PageInspector;
class SettingsHost;
class SettingCatalogue;
class SettingsPage;

// Takes one change of the history back: the setting gets the old value of
// that line through the page that shows it, as if the user put it there (the
// page's rules, the administrator's locks), and only when no page's check
// then finds a new problem. Nothing is stored here: the caller stores the
// settings as its other changes, with pageOf and howOf filled in.
class ChangeReverter {
public:
    enum class Outcome { Done, AskFirst, Refused };
    struct Result {
        Outcome outcome = Outcome::Refused;
        QString message;  // why it was refused, or what changed since
        QString question; // with AskFirst: what to ask before going on
        // The settings it changed ("Setup.Name"), each with its page.
        QHash<QString, QString> pageOf;
    };

    ChangeReverter(SettingsHost& app, PageInspector& pages, const SettingCatalogue& catalogue);

    // Whether the line can be taken back as it stands: Refused with the
    // reason, AskFirst when the setting was changed again since (naming the
    // newer value), else Done.
    Result check(const ChangeEntry& entry) const;
    // Takes it back; confirmed answers the question of check. opened gives a
    // page the user has open in a window, which is then used as it is.
    Result revert(const ChangeEntry& entry, bool confirmed,
                  const std::function<SettingsPage*(const QString&)>& opened = {});

private:
    SettingsHost& app_;
    PageInspector& pages_;
    const SettingCatalogue& catalogue_;
};

} // namespace tarvelo
