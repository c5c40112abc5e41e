#include "pages/database_hdn/frmSubnodeEdit.h"

#include "framework/forms/Label.h"
#include "framework/host/Maatschappij.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/ui/Ui.h"

namespace tarvelo {

namespace {
constexpr int Margin = 120;
constexpr int InnerWidth = 4800;
constexpr int LabelWidth = 1320;
constexpr int ButtonWidth = 1215;
constexpr int ButtonHeight = 375;
} // namespace

frmSubnodeEdit::frmSubnodeEdit()
    : Dialog(QStringLiteral("frmSubnodeEdit"), QStringLiteral("Instellingen - HDN")),
      txtVestiging(add<TextBox>(QStringLiteral("txtVestiging"))),
      txtHDNNummer(add<TextBox>(QStringLiteral("txtHDNNummer"))),
      cmdOK(add<CommandButton>(QStringLiteral("cmdOK"))),
      cmdAnnuleren(add<CommandButton>(QStringLiteral("cmdAnnuleren")))
{
    setCaption(QStringLiteral("Subnode per vestiging"));
    auto& lblVestiging = add<Label>(QStringLiteral("lblVestiging"));
    lblVestiging.setCaption(QStringLiteral("Vestiging"));
    auto& lblHDNNummer = add<Label>(QStringLiteral("lblHDNNummer"));
    lblHDNNummer.setCaption(QStringLiteral("HDN-nummer"));
    lblVestiging.setBounds(Margin, Margin + 45, LabelWidth, 255);
    txtVestiging.setBounds(Margin + LabelWidth, Margin, InnerWidth - LabelWidth, 315);
    txtVestiging.setLocked(true);
    lblHDNNummer.setBounds(Margin, Margin + 480, LabelWidth, 255);
    txtHDNNummer.setBounds(Margin + LabelWidth, Margin + 435, 1200, 315);
    txtHDNNummer.setMaxLength(6);
    const int top = txtHDNNummer.bottom() + 2 * Margin;
    cmdAnnuleren.setCaption(QStringLiteral("&Annuleren"));
    cmdAnnuleren.setCancel(true);
    cmdAnnuleren.setBounds(Margin + InnerWidth - ButtonWidth, top, ButtonWidth, ButtonHeight);
    cmdOK.setCaption(QStringLiteral("&OK"));
    cmdOK.setDefault(true);
    cmdOK.setBounds(cmdAnnuleren.left() - Margin - ButtonWidth, top, ButtonWidth, ButtonHeight);
    setBorderHeight(TitleBarHeight);
    setBounds(0, 0, InnerWidth + 2 * Margin, top + ButtonHeight + Margin + TitleBarHeight);
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
            ui().msgBox(QStringLiteral("Vul eerst de properties 'Application' en 'Vestiging'."), MsgButtons::OK,
                        MsgIcon::Critical, caption());
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
            ui().msgBox(QStringLiteral("Vul eerst de properties 'Application' en 'Vestiging'."), MsgButtons::OK,
                        MsgIcon::Critical, caption());
            return;
        }
        const QString nummer = txtHDNNummer.text().trimmed();
        // Empty takes the branch back to the office's own number.
        if (!nummer.isEmpty() && !IsHdnNummer(nummer)) {
            ui().msgBox(QStringLiteral("Ongeldig HDN Nummer ingevoerd..."), MsgButtons::OK, MsgIcon::Information,
                        QStringLiteral("Ongeldige invoer"));
            txtHDNNummer.setFocus();
            return;
        }
        vestiging_->HDNNummer = nummer;
        close(false);
    });
}

} // namespace tarvelo
