#include "pages/general/SetupUpdates.h"

#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "pages/general/UpdateInterval.h"

namespace tarvelo {

SetupUpdates::SetupUpdates()
    : SettingsPage(QStringLiteral("SetupUpdates")),
      chkAutoDownload(form().add<CheckBox>("chkAutoDownload")),
      lblUpdate(form().add<Label>("lblUpdate")),
      cboUpdateTermijn(form().add<ComboBox>("cboUpdateTermijn"))
{
    chkAutoDownload.setCaption(QStringLiteral("Updates automatisch downloaden"));
    lblUpdate.setCaption(QStringLiteral("Zoeken naar updates"));
    RowLayout(form(), 5000, false)
        .line(chkAutoDownload, RowLayout::LabelHeight)
        .field(lblUpdate, cboUpdateTermijn, 1815)
        .finish();

    cboUpdateTermijn.Click.connect([this] { cboUpdateTermijn_Click(); });
    chkAutoDownload.Click.connect([this] { chkAutoDownload_Click(); });
}

void SetupUpdates::Fill()
{
    UpdateInterval::fill(cboUpdateTermijn, Setup());
    chkAutoDownload.setChecked(Setup().AutoDownload);
}

void SetupUpdates::cboUpdateTermijn_Click()
{
    UpdateInterval::store(cboUpdateTermijn, Setup(), app().SysteemDatum());
}

void SetupUpdates::chkAutoDownload_Click() { Setup().AutoDownload = chkAutoDownload.isChecked(); }

} // namespace tarvelo
