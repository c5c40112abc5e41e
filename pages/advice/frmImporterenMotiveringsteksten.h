#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"

namespace tarvelo {

// Asks whether imported standard texts are added to the current ones or
// replace them.
class frmImporterenMotiveringsteksten final : public Dialog {
public:
    enum Keuze { GeenKeuze = 0, Overschrijven = 1, Toevoegen = 2 };

    frmImporterenMotiveringsteksten();

    // 2 add, 1 overwrite, 0 when the dialog was closed any other way.
    Keuze keuze() const { return keuze_; }

private:
    void choose(Keuze keuze);

    CommandButton& cmdToevoegen;
    CommandButton& cmdOverschrijven;
    CommandButton& cmdAnnuleren;
    Keuze keuze_ = GeenKeuze;
};

} // namespace tarvelo
