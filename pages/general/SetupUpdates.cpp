#include "pages/general/SetupUpdates.h"

#include "framework/page/RowLayout.h"

namespace tarvelo {

SetupUpdates::SetupUpdates() : SettingsPage(QStringLiteral("SetupUpdates")), updates(*this, bindings(), form())
{
    setTrapsErrors(false);
    RowLayout rows(form(), 5000, false);
    updates.layout(rows);
    rows.finish();
}

} // namespace tarvelo
