#include "framework/page/SettingsPage.h"

namespace tarvelo {

// Empty in 1.0: members that a later version adds to every page go here.
class SettingsPage::Private {};

void SettingsPage::PrivateDeleter::operator()(Private* d) const { delete d; }

void SettingsPage::virtual_hook(int, void*) {}

} // namespace tarvelo
