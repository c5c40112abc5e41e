// What other programs change in the office database while this one runs,
// and how the host takes it in.
#include "host/ReferenceApplication.h"

#include "framework/ui/MessageDetails.h"
#include "framework/ui/Ui.h"
#include "host/SettingsFile.h"
#include "host/database/LostServerWatch.h"
#include "host/office/ChangeWatcher.h"
#include "host/office/CompanyCatalogue.h"
#include "host/office/OfficeDatabase.h"
#include "host/office/RecordListMerge.h"
#include "host/office/SettingsStore.h"

#include <QTimer>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// Takes what is stored into settings wherever the user has not changed the
// setting since base was read; base follows what was taken. A setting both
// changed alike needs no question any more: its base becomes the stored value.
// The settings object announces what it took (SettingsObject::Changed).
void takeStored(Settings& settings, QJsonObject& base, const QJsonObject& stored)
{
    const QJsonObject current = SettingsFile::toRecord(settings);
    const QSet<QString> lists = RecordListMerge::names(settings);
    QVariantMap values;
    for (auto it = stored.begin(); it != stored.end(); ++it) {
        const QString& name = it.key();
        if (!current.contains(name) || it.value() == base.value(name))
            continue;
        // A record list changed on both sides, in different records: the
        // window shows the other's records beside the user's own changes.
        if (lists.contains(name) && current.value(name) != base.value(name) && current.value(name) != it.value() &&
            !SettingsStore::conflicts(stored, current, base, lists).contains(name)) {
            values.insert(name, SettingsStore::mergedValue(name, stored, current, base, lists).toVariant());
            base.insert(name, it.value());
            continue;
        }
        if (current.value(name) == base.value(name))
            values.insert(name, it.value().toVariant());
        if (current.value(name) == base.value(name) || current.value(name) == it.value())
            base.insert(name, it.value());
    }
    // Reading a stored value is no write of the user's: a lock does not refuse it.
    settings.fromMap(values);
}

} // namespace

void ReferenceApplication::watchOffice(std::function<void(const QSet<QString>& tables)> changed)
{
    serverWatch_.reset();
    watcher_.reset();
    office_->pageConnection().reconnected = nullptr;
    if (!changed)
        return;
    watcher_ = std::make_unique<ChangeWatcher>(*office_, std::move(changed));
    // What changed while the connection was lost was never told.
    office_->pageConnection().reconnected = [this] { watcher_->reconnected(); };
    if (office_->location().provider == QLatin1String("MSSQL"))
        serverWatch_ = std::make_unique<LostServerWatch>(office_->pageConnection(), [this](bool connected) {
            RaiseNotify(OfficeConnectionNotice::Sender, OfficeConnectionNotice::Form, OfficeConnectionNotice::Action,
                        connected ? OfficeConnectionNotice::Back : OfficeConnectionNotice::Lost);
        });
}

void ReferenceApplication::takeOfficeChange(const QSet<QString>& tables)
{
    // The company catalogue first: a page that follows a setting may read it.
    if (std::any_of(tables.begin(), tables.end(), OfficeTables::isCompanyData))
        office_->catalogue().reload();
    adviserRecords_.generation = -1;
    if (tables.contains(OfficeTables::GlobalSetup))
        takeStored(globalSetup_, globalBase_, store_->storedGlobalSetup());
    if (tables.contains(OfficeTables::Setup))
        takeStored(setup_, setupBase_, store_->storedSetup(adviser_.code));
}

void ReferenceApplication::withoutOfficeDatabase(const std::function<void()>& body)
{
    struct Away {
        int& depth;
        explicit Away(int& d) : depth(d) { ++depth; }
        ~Away() { --depth; }
    } away(withoutOffice_);
    body();
}

bool ReferenceApplication::presentConnectionLoss(const ErrorReport& report)
{
    if (report.ErrorNumber != QString::number(SqlConnection::ConnectionLost))
        return false;
    // Every procedure of the action that needed the server fails alike: one message says it.
    if (std::exchange(*connectionLossShown_, true))
        return true;
    QTimer::singleShot(0, [shown = connectionLossShown_] { *shown = false; });
    const SplitMessage description = splitDetails(report.ErrorDescription);
    ui().msgBox(withDetails(description.text + u"\r\n\r\nU kunt verder werken met wat het venster toont; wat u "
                                               "hebt gewijzigd, blijft bewaard. Probeer het straks opnieuw."_s,
                            description.details),
                MsgButtons::OK, MsgIcon::Exclamation, u"Kantoordatabase"_s);
    return true;
}

std::vector<SettingConflict> ReferenceApplication::settingConflicts()
{
    std::vector<SettingConflict> found;
    // Only what the user changed here can conflict: an unchanged object is not read.
    const auto collect = [&](const Settings& settings, const QJsonObject& base,
                             const std::function<QJsonObject()>& stored, const QString& object) {
        const QJsonObject current = SettingsFile::toRecord(settings);
        if (current == base)
            return;
        const QJsonObject there = stored();
        const QSet<QString> lists = RecordListMerge::names(settings);
        for (const QString& name : SettingsStore::conflicts(there, current, base, lists)) {
            const auto records = [](const QJsonValue& v) { return RecordListMerge::records(v); };
            const auto was = records(base.value(name)), theirs = records(there.value(name)),
                       mine = records(current.value(name));
            if (!lists.contains(name) || !was || !theirs || !mine) {
                found.push_back({object, name, base.value(name), there.value(name), current.value(name),
                                 settings.setting(name).isSecret()});
                continue;
            }
            // A record list asks about each record both touched.
            for (const auto& c : RecordListMerge::merge(*was, *theirs, *mine).conflicts) {
                SettingConflict conflict{object, name, c.started, c.theirs, c.mine, settings.setting(name).isSecret()};
                conflict.record = c.record;
                conflict.theirsList = there.value(name);
                found.push_back(conflict);
            }
        }
    };
    // On the server what this program last saw of the records: a change made
    // elsewhere that it has not heard of yet makes the save's guard miss, and
    // the save that then reads under the lock refuses, after which this asks.
    collect(
        setup_, setupBase_, [&] { return store_->lastSeenSetup(adviser_.code); }, ChangeHistory::SetupObject);
    collect(
        globalSetup_, globalBase_, [&] { return store_->lastSeenGlobalSetup(); }, ChangeHistory::GlobalSetupObject);
    return found;
}

void ReferenceApplication::resolveConflicts(const std::vector<SettingConflict>& chosen)
{
    // A record list's records are decided together: the list becomes the
    // other program's with what the user changed here, each record as chosen.
    struct ListChoice {
        QJsonValue theirs;
        QMap<int, bool> keepMine;
    };
    QMap<QString, ListChoice> lists;
    for (const SettingConflict& c : chosen) {
        const bool global = c.object == ChangeHistory::GlobalSetupObject;
        if (c.record > 0) {
            ListChoice& list = lists[SettingsStore::changeKey(c.object, c.name)];
            list.theirs = c.theirsList;
            list.keepMine.insert(c.record, c.keepMine);
            continue;
        }
        Settings& settings = global ? globalSetup_ : setup_;
        QJsonObject& base = global ? globalBase_ : setupBase_;
        base.insert(c.name, c.theirs);
        if (!c.keepMine)
            settings.fromMap({{c.name, c.theirs.toVariant()}});
    }
    for (auto it = lists.begin(); it != lists.end(); ++it) {
        const QString object = it.key().section(QLatin1Char('.'), 0, 0);
        const QString name = it.key().section(QLatin1Char('.'), 1);
        const bool global = object == ChangeHistory::GlobalSetupObject;
        Settings& settings = global ? globalSetup_ : setup_;
        QJsonObject& base = global ? globalBase_ : setupBase_;
        const auto was = RecordListMerge::records(base.value(name));
        const auto theirs = RecordListMerge::records(it->theirs);
        const auto mine = RecordListMerge::records(SettingsFile::toRecord(settings).value(name));
        if (!was || !theirs || !mine)
            continue;
        const QJsonValue decided =
            RecordListMerge::stored(RecordListMerge::merge(*was, *theirs, *mine, it->keepMine).merged);
        base.insert(name, it->theirs);
        settings.fromMap({{name, decided.toVariant()}});
    }
}

} // namespace tarvelo
