#include "pages/general/frmVoorbeeldKleurinstelling.h"

#include "framework/forms/Contrast.h"
#include "framework/forms/Label.h"
#include "framework/util/NumberText.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int Margin = 240;
constexpr int CellWidth = 1035;
constexpr int CellHeight = 285;

Colour textOn(Colour back) { return isSystemColour(back) ? SystemColour::WindowText : readableTextOn(back); }
} // namespace

frmVoorbeeldKleurinstelling::frmVoorbeeldKleurinstelling(Colour titel, Colour rij1, Colour rij2)
    : Dialog(u"frmVoorbeeldKleurinstelling"_s, u"Instellingen - Algemeen"_s),
      cmdSluiten(add<CommandButton>(*this, u"cmdSluiten"_s))
{
    setCaption(u"Voorbeeld kleurinstelling"_s);
    auto& lblTabel = add<Label>(*this, u"lblTabel"_s);
    lblTabel.setCaption(u"VOORBEELDTABEL"_s);
    lblTabel.setFontBold(true);
    lblTabel.setBounds(Margin, Margin, CellWidth * Kolommen, CellHeight);

    int top = lblTabel.bottom();
    for (int column = 0; column < Kolommen; ++column) {
        auto& kop = add<Label>(*this, u"lblKop"_s, {}, column);
        kop.setCaption(column == 0 ? u"Jaar"_s : u"Waarde %1"_s.arg(column));
        kop.setFontBold(true);
        kop.setBackColor(titel);
        // The office's colours may be dark: the text takes what reads on them.
        kop.setForeColor(textOn(titel));
        kop.setAlignment(column == 0 ? Alignment::Left : Alignment::Right);
        kop.setBounds(Margin + column * CellWidth, top, CellWidth, CellHeight);
    }
    for (int row = 0; row < Rijen; ++row) {
        top += CellHeight;
        for (int column = 0; column < Kolommen; ++column) {
            auto& cel = add<Label>(*this, u"lblCel"_s, {}, row * Kolommen + column);
            cel.setCaption(column == 0 ? QString::number(2027 + row) : amountText((row + 1) * column * 125));
            const Colour back = row % 2 == 0 ? rij1 : rij2;
            cel.setBackColor(back);
            cel.setForeColor(textOn(back));
            cel.setAlignment(column == 0 ? Alignment::Left : Alignment::Right);
            cel.setBounds(Margin + column * CellWidth, top, CellWidth, CellHeight);
        }
    }

    cmdSluiten.setCaption(u"Sluiten"_s);
    cmdSluiten.Click.connect([this] { close(false); });
    placeButtonRow({&cmdSluiten}, &cmdSluiten, &cmdSluiten);
}

} // namespace tarvelo
