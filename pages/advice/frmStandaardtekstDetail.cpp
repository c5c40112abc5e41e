#include "pages/advice/frmStandaardtekstDetail.h"

#include "framework/forms/Label.h"
#include "framework/page/RowLayout.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int Width = 7200;
constexpr int TextHeight = 2895;
} // namespace

frmStandaardtekstDetail::frmStandaardtekstDetail()
    : Dialog(u"frmStandaardtekstDetail"_s, u"Instellingen - Standaard teksten motivering"_s),
      txtStandaardtekst(add<TextBox>(*this, u"txtStandaardtekst"_s)),
      cmdOk(add<CommandButton>(*this, u"cmdOk"_s)),
      cmdAnnuleren(add<CommandButton>(*this, u"cmdAnnuleren"_s))
{
    setCaption(u"<Standaardtekst Detail>"_s);
    txtStandaardtekst.setMultiLine(true);
    cmdOk.setCaption(u"&OK"_s);
    cmdAnnuleren.setCaption(u"&Annuleren"_s);
    txtStandaardtekst.setBounds(RowLayout::DialogMargin, RowLayout::DialogMargin, Width - 2 * RowLayout::DialogMargin,
                                TextHeight);
    // In the text Enter starts a new line: the dialog says how to answer it.
    add<Hint>(*this, u"hntSneltoets"_s, u"Enter begint een nieuwe regel; Ctrl+Enter is OK."_s)
        .setBounds(RowLayout::DialogMargin, RowLayout::DialogMargin + TextHeight + 60,
                   Width - 2 * RowLayout::DialogMargin, 255);
    placeButtonRow({&cmdOk, &cmdAnnuleren}, &cmdOk, &cmdAnnuleren);

    cmdOk.Click.connect([this] { cmdOk_Click(); });
    cmdAnnuleren.Click.connect([this] { close(true); });
}

void frmStandaardtekstDetail::setCaptionText(const QString& text) { setCaption(u"Standaardtekst "_s + text); }

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
