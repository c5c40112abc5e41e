#include "pages/database_hdn/frmHDNIndir.h"

#include "framework/errors/RuntimeError.h"
#include "framework/forms/Label.h"
#include "framework/host/Settings.h"
#include "framework/page/FieldButtons.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/HdnSettings.h"
#include "framework/ui/Ui.h"
#include "framework/util/FolderRoutines.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 5400;
constexpr int LabelWidth = 1200;

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
    : Dialog(u"frmHDNIndir"_s, u"Instellingen - HDN Indir"_s),
      cboBerichtsoort(add<ComboBox>(*this, u"cboBerichtsoort"_s)),
      txtHDNInDir(add<TextBox>(*this, u"txtHDNInDir"_s)),
      cmdHDNInDir(add<CommandButton>(*this, u"cmdHDNInDir"_s)),
      cmdClearHDNInDir(add<CommandButton>(*this, u"cmdClearHDNInDir"_s)),
      cmdOk(add<CommandButton>(*this, u"cmdOk"_s)),
      cmdAnnuleren(add<CommandButton>(*this, u"cmdAnnuleren"_s))
{
    setCaption(u"Afwijkende locatie HDN Indir toevoegen"_s);
    auto& lblBerichtsoort = add<Label>(*this, u"lblBerichtsoort"_s);
    lblBerichtsoort.setCaption(u"Berichtsoort"_s);
    auto& lblLocatie = add<Label>(*this, u"lblLocatie"_s);
    lblLocatie.setCaption(u"Locatie"_s);
    cboBerichtsoort.setStyle(ComboBox::Style::DropDownList);
    int top = RowLayout::DialogMargin;
    lblBerichtsoort.setBounds(RowLayout::DialogMargin, top + 45, LabelWidth, 255);
    cboBerichtsoort.setBounds(RowLayout::DialogMargin + LabelWidth, top, 1200, 315);
    top += 435;
    lblLocatie.setBounds(RowLayout::DialogMargin, top + 45, LabelWidth, 255);
    const int fieldWidth = InnerWidth - LabelWidth - 2 * 375 - 60;
    txtHDNInDir.setBounds(RowLayout::DialogMargin + LabelWidth, top, fieldWidth, 315);
    txtHDNInDir.setLocked(true);
    cmdHDNInDir.setCaption(u"..."_s);
    cmdHDNInDir.setBounds(txtHDNInDir.right() + 30, top, 375, 315);
    cmdClearHDNInDir.setCaption(u"X"_s);
    cmdClearHDNInDir.setToolTipText(u"Locatie leegmaken"_s);
    cmdClearHDNInDir.setBounds(cmdHDNInDir.right() + 30, top, 375, 315);
    cmdAnnuleren.setCaption(u"&Annuleren"_s);
    cmdOk.setCaption(u"&OK"_s);
    placeButtonRow({&cmdOk, &cmdAnnuleren}, &cmdOk, &cmdAnnuleren);

    describeFieldButton(cmdHDNInDir, FieldButton::ChooseFolder, txtHDNInDir, lblLocatie.caption());
    cmdHDNInDir.Click.connect([this] { cmdHDNInDir_Click(); });
    cmdClearHDNInDir.Click.connect([this] { cmdClearHDNInDir_Click(); });
    cmdOk.Click.connect([this] { cmdOk_Click(); });
    cmdAnnuleren.Click.connect([this] { close(true); });
}

QStringList frmHDNIndir::Berichtsoorten() { return u"AX;DA;DX;GX;LX;KX;OX;PX;RX;SX;TX;BX"_s.split(QLatin1Char(';')); }

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
        const QString chosen =
            BrowseForFolder(ui(), txtHDNInDir.text(),
                            u"Selecteer de 'in'-map voor het HDN "_s + cboBerichtsoort.text() + u"-bericht"_s);
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
            ui().msgBox(u"Selecteer a.u.b. een berichtsoort en een locatie voor de Indir."_s, MsgButtons::OK,
                        MsgIcon::Exclamation, caption());
            return;
        }
        setup_->get<HdnSettings>().HDNIndirs().Add(soort, map);
        close(false);
    });
}

} // namespace tarvelo
