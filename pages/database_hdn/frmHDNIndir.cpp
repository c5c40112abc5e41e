#include "pages/database_hdn/frmHDNIndir.h"

#include "framework/errors/RuntimeError.h"
#include "framework/forms/Label.h"
#include "framework/host/Settings.h"
#include "framework/settings/HdnSettings.h"
#include "framework/ui/Ui.h"
#include "framework/util/FolderRoutines.h"

namespace tarvelo {

namespace {
constexpr int Margin = 120;
constexpr int InnerWidth = 5400;
constexpr int LabelWidth = 1200;
constexpr int ButtonWidth = 1215;
constexpr int ButtonHeight = 375;

// "Find_HdnIndir": whether the type already has a folder.
bool Find_HdnIndir(HdnSettings& hdn, const QString& berichtsoort)
{
    for (int i = 1; const HdnIndirRecord* entry = hdn.HDNIndirs().Item(i); ++i)
        if (entry->Berichtsoort == berichtsoort)
            return true;
    return false;
}
} // namespace

frmHDNIndir::frmHDNIndir()
    : Dialog(QStringLiteral("frmHDNIndir"), QStringLiteral("Instellingen - HDN Indir")),
      cboBerichtsoort(add<ComboBox>(QStringLiteral("cboBerichtsoort"))),
      txtHDNInDir(add<TextBox>(QStringLiteral("txtHDNInDir"))),
      cmdHDNInDir(add<CommandButton>(QStringLiteral("cmdHDNInDir"))),
      cmdClearHDNInDir(add<CommandButton>(QStringLiteral("cmdClearHDNInDir"))),
      cmdOk(add<CommandButton>(QStringLiteral("cmdOk"))),
      cmdAnnuleren(add<CommandButton>(QStringLiteral("cmdAnnuleren")))
{
    setCaption(QStringLiteral("Afwijkende locatie HDN Indir toevoegen"));
    auto& lblBerichtsoort = add<Label>(QStringLiteral("lblBerichtsoort"));
    lblBerichtsoort.setCaption(QStringLiteral("Berichtsoort"));
    auto& lblLocatie = add<Label>(QStringLiteral("lblLocatie"));
    lblLocatie.setCaption(QStringLiteral("Locatie"));
    cboBerichtsoort.setStyle(ComboBox::Style::DropDownList);
    int top = Margin;
    lblBerichtsoort.setBounds(Margin, top + 45, LabelWidth, 255);
    cboBerichtsoort.setBounds(Margin + LabelWidth, top, 1200, 315);
    top += 435;
    lblLocatie.setBounds(Margin, top + 45, LabelWidth, 255);
    const int fieldWidth = InnerWidth - LabelWidth - 2 * 375 - 60;
    txtHDNInDir.setBounds(Margin + LabelWidth, top, fieldWidth, 315);
    txtHDNInDir.setLocked(true);
    cmdHDNInDir.setCaption(QStringLiteral("..."));
    cmdHDNInDir.setBounds(txtHDNInDir.right() + 30, top, 375, 315);
    cmdClearHDNInDir.setCaption(QStringLiteral("X"));
    cmdClearHDNInDir.setToolTipText(QStringLiteral("Locatie leegmaken"));
    cmdClearHDNInDir.setBounds(cmdHDNInDir.right() + 30, top, 375, 315);
    top += 315 + 2 * Margin;
    cmdAnnuleren.setCaption(QStringLiteral("&Annuleren"));
    cmdAnnuleren.setCancel(true);
    cmdAnnuleren.setBounds(Margin + InnerWidth - ButtonWidth, top, ButtonWidth, ButtonHeight);
    cmdOk.setCaption(QStringLiteral("&OK"));
    cmdOk.setDefault(true);
    cmdOk.setBounds(cmdAnnuleren.left() - Margin - ButtonWidth, top, ButtonWidth, ButtonHeight);
    setBorderHeight(TitleBarHeight);
    setBounds(0, 0, InnerWidth + 2 * Margin, top + ButtonHeight + Margin + TitleBarHeight);

    cmdHDNInDir.Click.connect([this] { cmdHDNInDir_Click(); });
    cmdClearHDNInDir.Click.connect([this] { cmdClearHDNInDir_Click(); });
    cmdOk.Click.connect([this] { cmdOk_Click(); });
    cmdAnnuleren.Click.connect([this] { close(true); });
}

QStringList frmHDNIndir::Berichtsoorten()
{
    return QStringLiteral("AX;DA;DX;GX;LX;KX;OX;PX;RX;SX;TX;BX").split(QLatin1Char(';'));
}

QStringList frmHDNIndir::FreeBerichtsoorten(Settings& setup)
{
    HdnSettings& hdn = setup.get<HdnSettings>();
    QStringList free;
    for (const QString& soort : Berichtsoorten())
        if (!Find_HdnIndir(hdn, soort))
            free << soort;
    return free;
}

void frmHDNIndir::setApplication(Application& application)
{
    Dialog::setApplication(application);
    Fill_Controls();
}

void frmHDNIndir::Fill_Controls()
{
    guarded([this] {
        if (!setup_)
            throw RuntimeError::objectRequired();
        cboBerichtsoort.clear();
        for (const QString& soort : FreeBerichtsoorten(*setup_))
            cboBerichtsoort.addItem(soort);
        if (cboBerichtsoort.listCount() > 0)
            cboBerichtsoort.setListIndex(0);
    });
}

void frmHDNIndir::cmdHDNInDir_Click()
{
    guarded([this] {
        const QString chosen = BrowseForFolder(ui(), txtHDNInDir.text(),
                                               QStringLiteral("Selecteer de 'in'-map voor het HDN ") + cboBerichtsoort.text() +
                                                   QStringLiteral("-bericht"));
        if (!chosen.isEmpty())
            txtHDNInDir.setText(chosen);
    });
}

void frmHDNIndir::cmdClearHDNInDir_Click()
{
    guarded([this] { txtHDNInDir.setText(QString()); });
}

void frmHDNIndir::cmdOk_Click()
{
    guarded([this] {
        if (!setup_)
            throw RuntimeError::objectRequired();
        const QString soort = cboBerichtsoort.text();
        const QString map = txtHDNInDir.text().trimmed();
        if (soort.isEmpty() || map.isEmpty()) {
            ui().msgBox(QStringLiteral("Selecteer a.u.b. een berichtsoort en een locatie voor de Indir."), MsgButtons::OK,
                        MsgIcon::Exclamation, caption());
            return;
        }
        setup_->get<HdnSettings>().HDNIndirs().Add(soort, map);
        close(false);
    });
}

} // namespace tarvelo
