#include "pages/general/frmVoorbeeldKleurinstelling.h"

#include "framework/forms/Label.h"

namespace tarvelo {

namespace {
constexpr int Margin = 240;
constexpr int CellWidth = 1035;
constexpr int CellHeight = 285;
} // namespace

frmVoorbeeldKleurinstelling::frmVoorbeeldKleurinstelling(Colour titel, Colour rij1, Colour rij2)
    : Dialog(QStringLiteral("frmVoorbeeldKleurinstelling"), QStringLiteral("Instellingen - Algemeen")),
      cmdSluiten(add<CommandButton>(QStringLiteral("cmdSluiten")))
{
    setCaption(QStringLiteral("Voorbeeld kleurinstelling"));
    auto& lblTabel = add<Label>(QStringLiteral("lblTabel"));
    lblTabel.setCaption(QStringLiteral("VOORBEELDTABEL"));
    lblTabel.setFontBold(true);
    lblTabel.setBounds(Margin, Margin, CellWidth * Kolommen, CellHeight);

    int top = lblTabel.bottom();
    for (int column = 0; column < Kolommen; ++column) {
        auto& kop = add<Label>(QStringLiteral("lblKop"), nullptr, column);
        kop.setCaption(column == 0 ? QStringLiteral("Jaar") : QStringLiteral("Waarde %1").arg(column));
        kop.setFontBold(true);
        kop.setBackColor(titel);
        kop.setAlignment(column == 0 ? Alignment::Left : Alignment::Right);
        kop.setBounds(Margin + column * CellWidth, top, CellWidth, CellHeight);
    }
    for (int row = 0; row < Rijen; ++row) {
        top += CellHeight;
        for (int column = 0; column < Kolommen; ++column) {
            auto& cel = add<Label>(QStringLiteral("lblCel"), nullptr, row * Kolommen + column);
            cel.setCaption(column == 0 ? QString::number(2027 + row)
                                       : QStringLiteral("%1,00").arg((row + 1) * column * 125));
            cel.setBackColor(row % 2 == 0 ? rij1 : rij2);
            cel.setAlignment(column == 0 ? Alignment::Left : Alignment::Right);
            cel.setBounds(Margin + column * CellWidth, top, CellWidth, CellHeight);
        }
    }
    top += CellHeight + Margin;
    cmdSluiten.setCaption(QStringLiteral("Sluiten"));
    cmdSluiten.setCancel(true);
    cmdSluiten.setDefault(true);
    cmdSluiten.setBounds(Margin + Kolommen * CellWidth - 1215, top, 1215, 375);
    cmdSluiten.Click.connect([this] { close(false); });
    setBounds(0, 0, 2 * Margin + Kolommen * CellWidth, cmdSluiten.bottom() + Margin);
}

} // namespace tarvelo
