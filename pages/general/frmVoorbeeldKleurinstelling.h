#pragma once

#include "framework/forms/Colour.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"

namespace tarvelo {

// A sample table of a printed overview in the office's table colours: the
// title row in the title colour, the rows alternating in the two row colours.
class frmVoorbeeldKleurinstelling final : public Dialog {
public:
    static constexpr int Kolommen = 7; // "Jaar" and "Waarde 1" to "Waarde 6"
    static constexpr int Rijen = 4;

    frmVoorbeeldKleurinstelling(Colour titel, Colour rij1, Colour rij2);

private:
    CommandButton& cmdSluiten;
};

} // namespace tarvelo
