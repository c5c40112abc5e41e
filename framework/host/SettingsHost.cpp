#include "framework/host/SettingsHost.h"

namespace tarvelo {

void SettingsHost::setOpenPage(const QString&) {}

std::vector<ChangeEntry> SettingsHost::changeHistory(const QString&) const { return {}; }

} // namespace tarvelo
