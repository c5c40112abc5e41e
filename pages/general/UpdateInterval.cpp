#include "pages/general/UpdateInterval.h"

#include "framework/errors/Conversions.h"
#include "framework/forms/ComboBox.h"
#include "framework/host/Settings.h"

namespace tarvelo::UpdateInterval {

void fill(ComboBox& combo, Settings& setup)
{
    combo.clear();
    combo.addItemWithData(QStringLiteral("Dagelijks"), 1);
    combo.addItemWithData(QStringLiteral("Wekelijks"), 7);
    combo.addItemWithData(QStringLiteral("2-Wekelijks"), 14);
    combo.addItemWithData(QStringLiteral("Maandelijks"), 30);

    if (setup.UpdateTermijn == 0)
        setup.UpdateTermijn = 1;
    for (int i = 0; i < combo.listCount(); ++i) {
        if (combo.itemData(i) == setup.UpdateTermijn)
            combo.setListIndex(i);
    }
}

void store(const ComboBox& combo, Settings& setup, const QString& today)
{
    const qint16 days = CInt(double(combo.itemData(combo.listIndex())));
    // Selecting the stored interval again (as the fill does) is no change:
    // merely opening the page must not postpone the next update check.
    if (days == setup.UpdateTermijn)
        return;
    setup.UpdateTermijn = days;
    setup.UpdateVlag = 0;
    setup.VolgendeUpdate = CDate(today).addDays(days);
}

} // namespace tarvelo::UpdateInterval
