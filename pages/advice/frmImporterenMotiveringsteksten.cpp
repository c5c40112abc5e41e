#include "pages/advice/frmImporterenMotiveringsteksten.h"

#include "framework/forms/Label.h"
#include "framework/page/RowLayout.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int Width = 5400;
} // namespace

frmImporterenMotiveringsteksten::frmImporterenMotiveringsteksten()
    : Dialog(u"frmImporterenMotiveringsteksten"_s, u"Instellingen - Standaard teksten motivering"_s),
      cmdToevoegen(add<CommandButton>(*this, u"cmdToevoegen"_s)),
      cmdOverschrijven(add<CommandButton>(*this, u"cmdOverschrijven"_s)),
      cmdAnnuleren(add<CommandButton>(*this, u"cmdAnnuleren"_s))
{
    setCaption(u"Importeren motiveringsteksten"_s);
    auto& lblVraag = add<Label>(*this, u"lblVraag"_s);
    lblVraag.setCaption(u"Wilt u de te importeren teksten toevoegen aan de huidige teksten of de huidige "
                        "teksten overschrijven?"_s);
    lblVraag.setWordWrap(true);
    cmdToevoegen.setCaption(u"&Toevoegen"_s);
    cmdOverschrijven.setCaption(u"&Overschrijven"_s);
    cmdAnnuleren.setCaption(u"&Annuleren"_s);

    lblVraag.setBounds(RowLayout::DialogMargin, RowLayout::DialogMargin, Width - 2 * RowLayout::DialogMargin,
                       2 * 195 + 60);
    // Adding is the default: nothing is imported before the file is chosen,
    // and adding keeps the texts the office has.
    placeButtonRow({&cmdToevoegen, &cmdOverschrijven, &cmdAnnuleren}, &cmdToevoegen, &cmdAnnuleren);

    cmdToevoegen.Click.connect([this] { choose(Toevoegen); });
    cmdOverschrijven.Click.connect([this] { choose(Overschrijven); });
    cmdAnnuleren.Click.connect([this] { close(true); });
}

void frmImporterenMotiveringsteksten::choose(Keuze keuze)
{
    keuze_ = keuze;
    close(false);
}

} // namespace tarvelo
