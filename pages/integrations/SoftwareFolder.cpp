#include "pages/integrations/SoftwareFolder.h"

#include "framework/forms/TextBox.h"
#include "framework/host/SettingsObject.h"
#include "framework/ui/Ui.h"
#include "framework/util/FolderRoutines.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

void chooseSoftwareFolder(Ui& ui, const SoftwareFolder& folder, TextBox& box, Setting<QString>& setting)
{
    const QString chosen = BrowseForFolder(ui, folder.startFolder, folder.dialogTitle);
    if (chosen.isEmpty())
        return;
    if (folder.hasMarker(chosen)) {
        box.setText(chosen);
        setting = box.text();
        return;
    }
    setting = QString();
    box.setText(QString());
    ui.msgBox(folder.message, MsgButtons::OK, MsgIcon::Critical, u"Onjuiste directory"_s);
}

} // namespace tarvelo
