#include "pages/general/SetupUpdates.h"

#include "framework/page/RowLayout.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

SetupUpdates::SetupUpdates() : SettingsPage(u"SetupUpdates"_s), updates(*this, bindings(), form())
{
    setTrapsErrors(false);
    RowLayout rows(form(), 5000, false);
    updates.layout(rows);
    rows.finish();
}

} // namespace tarvelo
