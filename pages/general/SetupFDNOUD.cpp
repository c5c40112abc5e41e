#include "pages/general/SetupFDNOUD.h"

#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/host/Application.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/FdnSettings.h"
#include "framework/util/FolderRoutines.h"
#include <QScopedValueRollback>

using namespace Qt::StringLiterals;

namespace tarvelo {

SetupFDNOUD::SetupFDNOUD() : SettingsPage(u"SetupFDNOUD"_s)
{
    auto& fra = add<Frame>(form(), u"fraFDN"_s, u"FDN"_s);
    auto& lblNummer = add<Label>(fra, u"lblFDNNummer"_s, u"FDN-nummer"_s);
    auto& lblInDir = add<Label>(fra, u"lblFDNInDir"_s, u"Installatiedirectory"_s);
    auto& cmdFDNInDir = add<CommandButton>(fra, u"cmdFDNInDir"_s, u"..."_s);
    auto& cmdClearFDNInDir = add<CommandButton>(fra, u"cmdClearFDNInDir"_s, u"X"_s);
    txtFDNNummer = &add<TextBox>(fra, u"txtFDNNummer"_s);
    txtFDNInDir = &add<TextBox>(fra, u"txtFDNInDir"_s);
    txtFDNInDir->setLocked(true);
    cmdFDNInDir.setToolTipText(u"De 'bin'-map van FDN kiezen"_s);
    cmdClearFDNInDir.setToolTipText(u"De installatiedirectory leegmaken"_s);
    bind(*txtFDNNummer, &FdnSettings::FDNNummer);
    cmdFDNInDir.Click.connect([this] { cmdFDNInDir_Click(); });
    cmdClearFDNInDir.Click.connect([this] { cmdClearFDNInDir_Click(); });
    RowLayout(fra, 5400)
        .field(lblNummer, *txtFDNNummer, 1800)
        .row({{&lblInDir, 2055}, {txtFDNInDir, 2565}, {&cmdFDNInDir, 315}, {&cmdClearFDNInDir, 315}})
        .finish();
    stackFrames({&fra});
}

void SetupFDNOUD::cmdFDNInDir_Click()
{
    guarded([&] {
        const QString folder =
            BrowseForFolder(ui(), Setup<FdnSettings>().FDNInDir, u"Selecteer de 'bin'-map van FDN"_s);
        if (folder.isEmpty())
            return; // cancelled: the folder stays as it was
        Setup<FdnSettings>().FDNInDir = folder;
        UpdateFDN();
    });
}

void SetupFDNOUD::cmdClearFDNInDir_Click()
{
    guarded([&] {
        Setup<FdnSettings>().FDNInDir = QString();
        UpdateFDN();
    });
}

// Both boxes show what Setup holds, without writing it back.
void SetupFDNOUD::UpdateFDN()
{
    guarded([&] {
        const QScopedValueRollback filling(IsLoading, true);
        txtFDNNummer->setText(Setup<FdnSettings>().FDNNummer);
        txtFDNInDir->setText(Setup<FdnSettings>().FDNInDir);
    });
}

} // namespace tarvelo
