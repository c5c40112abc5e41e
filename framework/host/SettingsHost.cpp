#include "framework/host/SettingsHost.h"

namespace tarvelo {

QString SettingsHost::actingAdviserCode() const { return {}; }
void SettingsHost::setOpenPage(const QString&) {}

std::vector<ChangeEntry> SettingsHost::changeHistory(const QString&) const { return {}; }

void SettingsHost::watchOffice(std::function<void(const QSet<QString>&)>) {}

OfficeChange SettingsHost::takeOfficeChange(const QSet<QString>& tables) { return {tables, {}}; }

std::vector<SettingConflict> SettingsHost::settingConflicts() { return {}; }

void SettingsHost::resolveConflicts(const std::vector<SettingConflict>&) {}

void SettingsHost::withoutOfficeDatabase(const std::function<void()>& body) { body(); }

} // namespace tarvelo
