#pragma once

#include <QString>
#include <QStringList>

namespace tarvelo {

class Registry;
class SettingsObject;

// The office administrator's locks, kept in the machine-wide hive so that
// every workstation of the office and every user on it sees them: one key per
// settings object ("Setup" for each user's settings, "GlobalSetup" for the
// office's), one value per locked setting.
namespace AdministratorLocks {

QString keyOf(const QString& object);
// The locked names of one settings object, among the names it declares.
QStringList read(const Registry& registry, const QString& object, const SettingsObject& settings);
// Puts the stored locks on the settings object. When the lock list cannot be
// read, every setting is locked for changes (reading still works) and the
// reason is returned; empty when the list was read.
QString apply(const Registry& registry, const QString& object, SettingsObject& settings);
// The message for a change refused because the lock list cannot be read.
QString unreadableMessage(const QString& reason);
// Stores one lock; false when the hive refused the write.
bool store(const Registry& registry, const QString& object, const QString& name, bool locked);

} // namespace AdministratorLocks
} // namespace tarvelo
