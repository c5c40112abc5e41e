#include "pages/advice/frmImporterenMotiveringsteksten.h"

#include "framework/forms/Label.h"

namespace tarvelo {

namespace {
constexpr int Margin = 120;
constexpr int Width = 5400;
constexpr int ButtonWidth = 1335;
constexpr int ButtonHeight = 375;
} // namespace

frmImporterenMotiveringsteksten::frmImporterenMotiveringsteksten()
    : Dialog(QStringLiteral("frmImporterenMotiveringsteksten"),
             QStringLiteral("Instellingen - Standaard teksten motivering")),
      cmdToevoegen(add<CommandButton>(QStringLiteral("cmdToevoegen"))),
      cmdOverschrijven(add<CommandButton>(QStringLiteral("cmdOverschrijven")))
{
    setCaption(QStringLiteral("Importeren motiveringsteksten"));
    auto& lblVraag = add<Label>(QStringLiteral("lblVraag"));
    lblVraag.setCaption(QStringLiteral("Wilt u de te importeren teksten toevoegen aan de huidige teksten of de huidige "
                                       "teksten overschrijven?"));
    lblVraag.setWordWrap(true);
    cmdToevoegen.setCaption(QStringLiteral("&Toevoegen"));
    cmdToevoegen.setDefault(true);
    cmdOverschrijven.setCaption(QStringLiteral("&Overschrijven"));

    lblVraag.setBounds(Margin, Margin, Width - 2 * Margin, 2 * 195 + 60);
    const int buttonsTop = lblVraag.bottom() + Margin;
    cmdOverschrijven.setBounds(Width - Margin - ButtonWidth, buttonsTop, ButtonWidth, ButtonHeight);
    cmdToevoegen.setBounds(cmdOverschrijven.left() - Margin - ButtonWidth, buttonsTop, ButtonWidth, ButtonHeight);
    setBorderHeight(TitleBarHeight);
    setBounds(0, 0, Width, buttonsTop + ButtonHeight + Margin + TitleBarHeight);

    cmdToevoegen.Click.connect([this] { choose(Toevoegen); });
    cmdOverschrijven.Click.connect([this] { choose(Overschrijven); });
}

void frmImporterenMotiveringsteksten::choose(Keuze keuze)
{
    keuze_ = keuze;
    close(false);
}

} // namespace tarvelo
