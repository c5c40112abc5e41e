#include "pages/database_hdn/frmSubnodeEdit.h"

#include "framework/forms/Label.h"
#include "framework/host/Maatschappij.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/ui/Ui.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 4800;
constexpr int LabelWidth = 1320;
} // namespace

frmSubnodeEdit::frmSubnodeEdit()
    : Dialog(u"frmSubnodeEdit"_s, u"Instellingen - HDN"_s),
      txtVestiging(add<TextBox>(*this, u"txtVestiging"_s)),
      txtHDNNummer(add<TextBox>(*this, u"txtHDNNummer"_s)),
      cmdOK(add<CommandButton>(*this, u"cmdOK"_s)),
      cmdAnnuleren(add<CommandButton>(*this, u"cmdAnnuleren"_s))
{
    setCaption(u"Subnode per vestiging"_s);
    auto& lblVestiging = add<Label>(*this, u"lblVestiging"_s);
    lblVestiging.setCaption(u"Vestiging"_s);
    auto& lblHDNNummer = add<Label>(*this, u"lblHDNNummer"_s);
    lblHDNNummer.setCaption(u"HDN-nummer"_s);
    lblVestiging.setBounds(RowLayout::DialogMargin, RowLayout::DialogMargin + 45, LabelWidth, 255);
    txtVestiging.setBounds(RowLayout::DialogMargin + LabelWidth, RowLayout::DialogMargin, InnerWidth - LabelWidth, 315);
    txtVestiging.setLocked(true);
    lblHDNNummer.setBounds(RowLayout::DialogMargin, RowLayout::DialogMargin + 480, LabelWidth, 255);
    txtHDNNummer.setBounds(RowLayout::DialogMargin + LabelWidth, RowLayout::DialogMargin + 435, 1200, 315);
    txtHDNNummer.setMaxLength(6);
    cmdAnnuleren.setCaption(u"&Annuleren"_s);
    cmdOK.setCaption(u"&OK"_s);
    placeButtonRow({&cmdOK, &cmdAnnuleren}, &cmdOK, &cmdAnnuleren);
    cmdOK.Click.connect([this] { cmdOK_Click(); });
    cmdAnnuleren.Click.connect([this] { close(true); });
}

void frmSubnodeEdit::setApplication(Application& application)
{
    Dialog::setApplication(application);
    Fill_Controls();
}

void frmSubnodeEdit::Fill_Controls()
{
    guarded([this] {
        if (!host() || !vestiging_) {
            ui().msgBox(u"Vul eerst de properties 'Application' en 'Vestiging'."_s, MsgButtons::OK, MsgIcon::Critical,
                        caption());
            return;
        }
        txtVestiging.setText(vestiging_->Naam);
        txtHDNNummer.setText(vestiging_->HDNNummer);
    });
}

void frmSubnodeEdit::cmdOK_Click()
{
    guarded([this] {
        if (!vestiging_) {
            ui().msgBox(u"Vul eerst de properties 'Application' en 'Vestiging'."_s, MsgButtons::OK, MsgIcon::Critical,
                        caption());
            return;
        }
        const QString nummer = txtHDNNummer.text().trimmed();
        // Empty takes the branch back to the office's own number.
        if (!nummer.isEmpty() && !IsHdnNummer(nummer)) {
            ui().msgBox(u"Ongeldig HDN Nummer ingevoerd..."_s, MsgButtons::OK, MsgIcon::Information,
                        u"Ongeldige invoer"_s);
            txtHDNNummer.setFocus();
            return;
        }
        vestiging_->HDNNummer = nummer;
        close(false);
    });
}

} // namespace tarvelo
