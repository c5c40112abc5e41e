#include "pages/general/SetupFDNOUD.h"

#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/host/Application.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/FdnSettings.h"
#include "framework/util/FolderRoutines.h"

namespace tarvelo {

SetupFDNOUD::SetupFDNOUD() : SettingsPage(QStringLiteral("SetupFDNOUD"))
{
    auto& fra = add<Frame>(form(), QStringLiteral("fraFDN"), QStringLiteral("FDN"));
    auto& lblNummer = add<Label>(fra, QStringLiteral("lblFDNNummer"), QStringLiteral("FDN-nummer"));
    auto& lblInDir = add<Label>(fra, QStringLiteral("lblFDNInDir"), QStringLiteral("Installatiedirectory"));
    auto& cmdFDNInDir = add<CommandButton>(fra, QStringLiteral("cmdFDNInDir"), QStringLiteral("..."));
    auto& cmdClearFDNInDir = add<CommandButton>(fra, QStringLiteral("cmdClearFDNInDir"), QStringLiteral("X"));
    txtFDNNummer = &add<TextBox>(fra, QStringLiteral("txtFDNNummer"));
    txtFDNInDir = &add<TextBox>(fra, QStringLiteral("txtFDNInDir"));
    txtFDNInDir->setLocked(true);
    cmdFDNInDir.setToolTipText(QStringLiteral("De 'bin'-map van FDN kiezen"));
    cmdClearFDNInDir.setToolTipText(QStringLiteral("De installatiedirectory leegmaken"));
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
        const QString folder = BrowseForFolder(ui(), Setup<FdnSettings>().FDNInDir,
                                               QStringLiteral("Selecteer de 'bin'-map van FDN"));
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
        const bool wasLoading = IsLoading;
        IsLoading = true;
        txtFDNNummer->setText(Setup<FdnSettings>().FDNNummer);
        txtFDNInDir->setText(Setup<FdnSettings>().FDNInDir);
        IsLoading = wasLoading;
    });
}

} // namespace tarvelo
