#pragma once

#include "framework/page/SettingsPage.h"
#include "pages/general/UpdateFields.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Tarvelo Update": only how often to look for updates and whether to download
// them without asking. Its handlers trap no errors of their own.
class SetupUpdates final : public SettingsPage {
public:
    SetupUpdates();
    QString Titel() const override { return u"Tarvelo Update"_s; }

private:
    UpdateFields updates;
};

} // namespace tarvelo
