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
#include "framework/ui/Ui.h"
#include "framework/util/FolderRoutines.h"

#include <QDir>

using namespace Qt::StringLiterals;

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

SetupExport::SetupExport() : SettingsPage(u"SetupExport"_s)
{
    auto& fra = add<Frame>(form(), u"fraExport"_s, u"Import en export"_s);
    auto& lblExport = add<Label>(fra, u"lblExportDir"_s, u"Export locatie adviezen"_s);
    txtExportDir = &add<TextBox>(fra, u"txtExportDir"_s);
    auto& cmdExportLocatie = add<CommandButton>(fra, u"cmdExportLocatie"_s, u"..."_s);
    auto& lblImport = add<Label>(fra, u"lblImportDir"_s, u"Import locatie adviezen"_s);
    txtImportDir = &add<TextBox>(fra, u"txtImportDir"_s);
    auto& cmdImportLocatie = add<CommandButton>(fra, u"cmdImportLocatie"_s, u"..."_s);
    auto& linTop = add<Line>(fra, u"linScheiding"_s, QString(), 0);
    auto& lblEmail =
        add<Label>(fra, u"lblEmailKop"_s, u"E-mail voor automatische verzending van ge\u00ebxporteerde adviezen"_s);
    auto& lblOntvanger = add<Label>(fra, u"lblEmailOntvanger"_s, u"E-mail versturen naar"_s);
    auto& txtEmailOntvanger = add<TextBox>(fra, u"txtEmailOntvanger"_s);
    auto& lblSmtp = add<Label>(fra, u"lblSMTPServer"_s, u"SMTP Server"_s);
    auto& txtSMTPServer = add<TextBox>(fra, u"txtSMTPServer"_s);
    auto& linBottom = add<Line>(fra, u"linScheiding"_s, QString(), 1);
    auto& hint = add<Hint>(fra, u"hntExport"_s,
                           u"Een ge\u00ebxporteerd advies wordt naar het ingevulde e-mailadres verstuurd via "
                           "de opgegeven SMTP-server. Laat het e-mailadres leeg om niet automatisch te "
                           "versturen."_s);
    for (TextBox* box : {txtExportDir, txtImportDir})
        box->setLocked(true);
    cmdExportLocatie.setToolTipText(u"De export locatie kiezen"_s);
    cmdImportLocatie.setToolTipText(u"De import locatie kiezen"_s);
    cmdExportLocatie.Click.connect([this] { cmdExportLocatie_Click(); });
    cmdImportLocatie.Click.connect([this] { cmdImportLocatie_Click(); });
    bind(txtEmailOntvanger, &ImportExportSettings::EmailOntvanger);
    bind(txtSMTPServer, &ImportExportSettings::SMTPServer);

    RowLayout rows(fra, InnerWidth);
    rows.row({{&lblExport, LabelWidth}, {txtExportDir, FolderWidth}, {&cmdExportLocatie, ButtonWidth}})
        .row({{&lblImport, LabelWidth}, {txtImportDir, FolderWidth}, {&cmdImportLocatie, ButtonWidth}});
    const auto rule = [](Line& line) {
        return
            [at = &line](int top, int width) { at->setPoints(RowLayout::Margin, top, RowLayout::Margin + width, top); };
    };
    rows.block(RowLayout::RowGap, rule(linTop))
        .line(lblEmail)
        .field(lblOntvanger, txtEmailOntvanger, FolderWidth, LabelWidth)
        .field(lblSmtp, txtSMTPServer, FolderWidth, LabelWidth);
    rows.block(RowLayout::RowGap, rule(linBottom)).text(hint).finish();
    stackFrames({&fra});
}

void SetupExport::Fill()
{
    txtImportDir->setText(Setup<ImportExportSettings>().ImportDir.get().toUpper());
    txtExportDir->setText(app().ExportDir().toUpper());
}

// The host holds the folder: it is asked first, so that a folder it refuses
// reaches neither the registry nor the box, and the user is told its reason.
void SetupExport::cmdExportLocatie_Click()
{
    endingSilently([&] {
        const QString folder =
            BrowseForFolder(ui(), app().ExportDir(), u"Selecteer de standaardfolder voor de advies-exportbestanden"_s);
        if (folder.isEmpty())
            return;
        try {
            app().setExportDir(folder);
        } catch (const RuntimeError& refused) {
            ui().msgBox(u"De map %1 is niet als exportlocatie overgenomen."_s.arg(QDir::toNativeSeparators(folder)) +
                            u"\r\n\r\n"_s + refused.description(),
                        MsgButtons::OK, MsgIcon::Exclamation, u"Export locatie adviezen"_s);
            return;
        }
        app().registry().RegSetString(Hive::HKEY_CURRENT_USER, RegistryNames::ProductKey, RegistryNames::ExportDir,
                                      folder.toUpper());
        txtExportDir->setText(folder.toUpper());
    });
}

void SetupExport::cmdImportLocatie_Click()
{
    endingSilently([&] {
        const QString folder = BrowseForFolder(ui(), Setup<ImportExportSettings>().ImportDir,
                                               u"Selecteer de standaardfolder voor de importbestanden"_s);
        if (folder.isEmpty())
            return;
        Setup<ImportExportSettings>().ImportDir = folder;
        app().registry().RegSetString(Hive::HKEY_CURRENT_USER, RegistryNames::ProductKey, RegistryNames::ImportDir,
                                      folder.toUpper());
        txtImportDir->setText(folder.toUpper());
    });
}

} // namespace tarvelo
