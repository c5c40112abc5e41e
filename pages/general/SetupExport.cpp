#include "pages/general/SetupExport.h"

#include "framework/errors/RuntimeError.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/Line.h"
#include "framework/host/Application.h"
#include "framework/page/RowLayout.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/ImportExportSettings.h"
#include "framework/util/FolderRoutines.h"

namespace tarvelo {

namespace {
constexpr int InnerWidth = 6600;
constexpr int LabelWidth = 2055;
constexpr int ButtonWidth = 315;
constexpr int FolderWidth = InnerWidth - LabelWidth - ButtonWidth - 2 * RowLayout::Gap;

// The page traps the errors of its folder handlers and ends them silently:
// what was written before the error stays.
template <class Body>
void endingSilently(Body body)
{
    try {
        body();
    } catch (const RuntimeError&) {
    }
}
} // namespace

SetupExport::SetupExport() : SettingsPage(QStringLiteral("SetupExport"))
{
    auto& fra = add<Frame>(form(), QStringLiteral("fraExport"), QStringLiteral("Import en export"));
    auto& lblExport = add<Label>(fra, QStringLiteral("lblExportDir"), QStringLiteral("Export locatie adviezen"));
    txtExportDir = &add<TextBox>(fra, QStringLiteral("txtExportDir"));
    auto& cmdExportLocatie = add<CommandButton>(fra, QStringLiteral("cmdExportLocatie"), QStringLiteral("..."));
    auto& lblImport = add<Label>(fra, QStringLiteral("lblImportDir"), QStringLiteral("Import locatie adviezen"));
    txtImportDir = &add<TextBox>(fra, QStringLiteral("txtImportDir"));
    auto& cmdImportLocatie = add<CommandButton>(fra, QStringLiteral("cmdImportLocatie"), QStringLiteral("..."));
    auto& linTop = add<Line>(fra, QStringLiteral("linScheiding"), QString(), 0);
    auto& lblEmail = add<Label>(fra, QStringLiteral("lblEmailKop"),
                                QStringLiteral("E-mail voor automatische verzending van ge\u00ebxporteerde adviezen"));
    auto& lblOntvanger = add<Label>(fra, QStringLiteral("lblEmailOntvanger"), QStringLiteral("E-mail versturen naar"));
    auto& txtEmailOntvanger = add<TextBox>(fra, QStringLiteral("txtEmailOntvanger"));
    auto& lblSmtp = add<Label>(fra, QStringLiteral("lblSMTPServer"), QStringLiteral("SMTP Server"));
    auto& txtSMTPServer = add<TextBox>(fra, QStringLiteral("txtSMTPServer"));
    auto& linBottom = add<Line>(fra, QStringLiteral("linScheiding"), QString(), 1);
    auto& hint = add<Hint>(fra, QStringLiteral("hntExport"),
                           QStringLiteral("Een ge\u00ebxporteerd advies wordt naar het ingevulde e-mailadres verstuurd via "
                                          "de opgegeven SMTP-server. Laat het e-mailadres leeg om niet automatisch te "
                                          "versturen."));
    for (TextBox* box : {txtExportDir, txtImportDir})
        box->setLocked(true);
    cmdExportLocatie.setToolTipText(QStringLiteral("De export locatie kiezen"));
    cmdImportLocatie.setToolTipText(QStringLiteral("De import locatie kiezen"));
    cmdExportLocatie.Click.connect([this] { cmdExportLocatie_Click(); });
    cmdImportLocatie.Click.connect([this] { cmdImportLocatie_Click(); });
    bind(txtEmailOntvanger, &ImportExportSettings::EmailOntvanger);
    bind(txtSMTPServer, &ImportExportSettings::SMTPServer);

    RowLayout rows(fra, InnerWidth);
    rows.row({{&lblExport, LabelWidth}, {txtExportDir, FolderWidth}, {&cmdExportLocatie, ButtonWidth}})
        .row({{&lblImport, LabelWidth}, {txtImportDir, FolderWidth}, {&cmdImportLocatie, ButtonWidth}});
    linTop.setPoints(RowLayout::Margin, rows.nextTop(), RowLayout::Margin + InnerWidth, rows.nextTop());
    rows.space(RowLayout::RowGap)
        .line(lblEmail, RowLayout::LabelHeight)
        .field(lblOntvanger, txtEmailOntvanger, FolderWidth, LabelWidth)
        .field(lblSmtp, txtSMTPServer, FolderWidth, LabelWidth);
    linBottom.setPoints(RowLayout::Margin, rows.nextTop(), RowLayout::Margin + InnerWidth, rows.nextTop());
    rows.space(RowLayout::RowGap).text(hint).finish();
    stackFrames({&fra});
}

void SetupExport::Fill()
{
    txtImportDir->setText(Setup<ImportExportSettings>().ImportDir.get().toUpper());
    txtExportDir->setText(app().ExportDir().toUpper());
}

// The host holds the folder: it is asked first, so that a folder it refuses
// reaches neither the registry nor the box.
void SetupExport::cmdExportLocatie_Click()
{
    endingSilently([&] {
        const QString folder = BrowseForFolder(ui(), app().ExportDir(),
                                               QStringLiteral("Selecteer de standaardfolder voor de advies-exportbestanden"));
        if (folder.isEmpty())
            return;
        app().setExportDir(folder);
        app().registry().RegSetString(Hive::HKEY_CURRENT_USER, RegistryNames::ProductKey, RegistryNames::ExportDir,
                                      folder.toUpper());
        txtExportDir->setText(folder.toUpper());
    });
}

void SetupExport::cmdImportLocatie_Click()
{
    endingSilently([&] {
        const QString folder = BrowseForFolder(ui(), Setup<ImportExportSettings>().ImportDir,
                                               QStringLiteral("Selecteer de standaardfolder voor de importbestanden"));
        if (folder.isEmpty())
            return;
        Setup<ImportExportSettings>().ImportDir = folder;
        app().registry().RegSetString(Hive::HKEY_CURRENT_USER, RegistryNames::ProductKey, RegistryNames::ImportDir,
                                      folder.toUpper());
        txtImportDir->setText(folder.toUpper());
    });
}

} // namespace tarvelo
