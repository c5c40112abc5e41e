#include "pages/advice/frmStandaardtekstDetail.h"

namespace tarvelo {

namespace {
constexpr int Margin = 120;
constexpr int Width = 7200;
constexpr int TextHeight = 2895;
constexpr int ButtonWidth = 1215;
constexpr int ButtonHeight = 375;
} // namespace

frmStandaardtekstDetail::frmStandaardtekstDetail()
    : Dialog(QStringLiteral("frmStandaardtekstDetail"), QStringLiteral("Instellingen - Standaard teksten motivering")),
      txtStandaardtekst(add<TextBox>(QStringLiteral("txtStandaardtekst"))),
      cmdOk(add<CommandButton>(QStringLiteral("cmdOk"))),
      cmdAnnuleren(add<CommandButton>(QStringLiteral("cmdAnnuleren")))
{
    setCaption(QStringLiteral("<Standaardtekst Detail>"));
    txtStandaardtekst.setMultiLine(true);
    cmdOk.setCaption(QStringLiteral("&OK"));
    cmdAnnuleren.setCaption(QStringLiteral("&Annuleren"));
    cmdAnnuleren.setCancel(true);
    txtStandaardtekst.setBounds(Margin, Margin, Width - 2 * Margin, TextHeight);
    const int buttonsTop = txtStandaardtekst.bottom() + Margin;
    cmdAnnuleren.setBounds(Width - Margin - ButtonWidth, buttonsTop, ButtonWidth, ButtonHeight);
    cmdOk.setBounds(cmdAnnuleren.left() - Margin - ButtonWidth, buttonsTop, ButtonWidth, ButtonHeight);
    setBorderHeight(TitleBarHeight);
    setBounds(0, 0, Width, buttonsTop + ButtonHeight + Margin + TitleBarHeight);

    cmdOk.Click.connect([this] { cmdOk_Click(); });
    cmdAnnuleren.Click.connect([this] { close(true); });
}

void frmStandaardtekstDetail::setCaptionText(const QString& text) { setCaption(QStringLiteral("Standaardtekst ") + text); }

void frmStandaardtekstDetail::Fill_Control()
{
    guarded([this] {
        txtStandaardtekst.setText(tekst_);
        txtStandaardtekst.setFocus();
    });
}

void frmStandaardtekstDetail::cmdOk_Click()
{
    guarded([this] {
        tekst_ = txtStandaardtekst.text();
        close(false);
    });
}

} // namespace tarvelo
