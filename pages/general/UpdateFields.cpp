#include "pages/general/UpdateFields.h"

#include "framework/errors/Conversions.h"
#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/UpdateSettings.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

UpdateFields::UpdateFields(SettingsPage& page, Bindings& bindings, Control& container)
    : chkAutoDownload(page.form().add<CheckBox>(container, u"chkAutoDownload"_s)),
      lblUpdate(page.form().add<Label>(container, u"lblUpdate"_s)),
      cboUpdateTermijn(page.form().add<ComboBox>(container, u"cboUpdateTermijn"_s)),
      page_(page)
{
    chkAutoDownload.setCaption(u"Updates automatisch downloaden"_s);
    lblUpdate.setCaption(u"Zoeken naar updates"_s);

    bindings.bind(chkAutoDownload, &UpdateSettings::AutoDownload);
    // A stored 0 means no choice yet: daily, written back at once. Choosing
    // the stored interval again changes nothing, so merely opening the page
    // never postpones the next check.
    bindings
        .bind(cboUpdateTermijn, &UpdateSettings::UpdateTermijn,
              std::vector<ListEntry>{
                  {u"Dagelijks"_s, 1}, {u"Wekelijks"_s, 7}, {u"2-Wekelijks"_s, 14}, {u"Maandelijks"_s, 30}})
        .defaultWhenEmpty()
        .then([this] { planNextUpdate(); });
}

void UpdateFields::layout(RowLayout& rows) { rows.line(chkAutoDownload).field(lblUpdate, cboUpdateTermijn, 1815); }

// A new interval clears the update flag and plans the next check that many
// calendar days after the host's date.
void UpdateFields::planNextUpdate()
{
    UpdateSettings& updates = page_.getSetup()->get<UpdateSettings>();
    updates.UpdateVlag = 0;
    updates.VolgendeUpdate = CDate(page_.getApplication()->SysteemDatum()).addDays(updates.UpdateTermijn);
}

} // namespace tarvelo
