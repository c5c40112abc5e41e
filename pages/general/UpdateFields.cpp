#include "pages/general/UpdateFields.h"

#include "framework/errors/Conversions.h"
#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/UpdateSettings.h"

namespace tarvelo {

UpdateFields::UpdateFields(SettingsPage& page, Bindings& bindings, Control& container)
    : chkAutoDownload(page.form().add<CheckBox>("chkAutoDownload", &container)),
      lblUpdate(page.form().add<Label>("lblUpdate", &container)),
      cboUpdateTermijn(page.form().add<ComboBox>("cboUpdateTermijn", &container)),
      page_(page)
{
    chkAutoDownload.setCaption(QStringLiteral("Updates automatisch downloaden"));
    lblUpdate.setCaption(QStringLiteral("Zoeken naar updates"));

    bindings.bind(chkAutoDownload, &UpdateSettings::AutoDownload);
    // A stored 0 means no choice yet: daily, written back at once. Choosing
    // the stored interval again changes nothing, so merely opening the page
    // never postpones the next check.
    bindings
        .bind(cboUpdateTermijn, &UpdateSettings::UpdateTermijn,
              std::vector<ListEntry>{{QStringLiteral("Dagelijks"), 1},
                                     {QStringLiteral("Wekelijks"), 7},
                                     {QStringLiteral("2-Wekelijks"), 14},
                                     {QStringLiteral("Maandelijks"), 30}})
        .defaultWhenEmpty(1)
        .then([this] { planNextUpdate(); });
}

void UpdateFields::layout(RowLayout& rows)
{
    rows.line(chkAutoDownload, RowLayout::LabelHeight).field(lblUpdate, cboUpdateTermijn, 1815);
}

// A new interval clears the update flag and plans the next check that many
// calendar days after the host's date.
void UpdateFields::planNextUpdate()
{
    UpdateSettings& updates = page_.getSetup()->get<UpdateSettings>();
    updates.UpdateVlag = 0;
    updates.VolgendeUpdate = CDate(page_.getApplication()->SysteemDatum()).addDays(updates.UpdateTermijn);
}

} // namespace tarvelo
