#pragma once

#include "TarveloExport.h"

#include "framework/host/Application.h"
#include "framework/host/ChangeEntry.h"
#include "framework/host/OfficeChange.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <functional>
#include <vector>

namespace tarvelo {

class Settings;
class Ui;

// What the settings window needs of its host beyond the application object the
// pages see: storing or dropping what the pages changed in the settings
// objects, and looking at pages that are not open without touching what the
// user holds (their defaults, their checks before a save).
class TARVELO_EXPORT SettingsHost : public Application {
public:
    // Stores Setup and GlobalSetup. pageOf names the page of each change
    // ("Setup.Name" or "GlobalSetup.Name" -> the page's class name) for a host
    // that keeps a change history. Throws RuntimeError with a Dutch
    // description when nothing was stored.
    // howOf tells, by the same keys, how a change was made when not typed on
    // its page ("importeren", "terugdraaien").
    virtual void saveSettings(const QHash<QString, QString>& pageOf, const QHash<QString, QString>& howOf) = 0;
    // Drops unsaved changes: the settings objects hold what is stored again.
    virtual void reloadSettings() = 0;
    // Whether the settings objects hold changes that are not stored.
    virtual bool hasUnsavedChanges() const = 0;

    // The user's own settings objects, also while stand-ins are in place.
    virtual Settings& userSetup() = 0;
    virtual Settings& officeSetup() = 0;
    // Runs body while SettingsObject(), GlobalSetup() and ui() give the
    // stand-ins (standInsDuring below). Checked: when inside body the host
    // still gives its own objects, the window would write into the user's
    // real settings, so this throws RuntimeError before body runs.
    void withStandIns(Settings& setup, Settings& globalSetup, Ui& ui, const std::function<void()>& body);

    // The code of the adviser whose Setup userSetup() is, for a host with
    // advisers: a change of another adviser's Setup is not this one's to
    // take back. Empty without advisers.
    virtual QString actingAdviserCode() const;
    // The page the user has open, for a host that records where a change was made.
    virtual void setOpenPage(const QString& className);
    // The stored changes, newest first: all of them, or those made on one
    // page. A host that keeps no history has none.
    virtual std::vector<ChangeEntry> changeHistory(const QString& page = {}) const;

    // Other workstations on one office database. A host whose settings no
    // other program changes has nothing to watch, take in or ask about.
    //
    // Watches the office for what other programs change and tells changed
    // (on the user-interface thread); an empty function stops.
    virtual void watchOffice(std::function<void(const QSet<QString>& tables)> changed);
    // Takes in what other programs stored in these tables; every setting the
    // user has not changed here takes the stored value, which the settings
    // objects announce (SettingsObject::Changed) with the names they changed.
    virtual void takeOfficeChange(const QSet<QString>& tables);
    // The settings the user changed here that another program stored
    // differently since they were read.
    virtual std::vector<SettingConflict> settingConflicts();
    // Applies the user's choices: the other program's value is taken where
    // chosen, and either way saving no longer asks about that value.
    virtual void resolveConflicts(const std::vector<SettingConflict>& chosen);
    // Runs body while pages reach no office database, for looking at what
    // pages declare at no statement's cost.
    virtual void withoutOfficeDatabase(const std::function<void()>& body);

protected:
    // The host's part of withStandIns: runs body while SettingsObject(),
    // GlobalSetup() and ui() give the stand-ins, and the host's own again
    // afterwards, also when body throws.
    virtual void standInsDuring(Settings& setup, Settings& globalSetup, Ui& ui, const std::function<void()>& body) = 0;
};

} // namespace tarvelo
