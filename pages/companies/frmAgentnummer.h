#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/Frame.h"
#include "framework/forms/TextBox.h"

#include <optional>

namespace tarvelo {

class CAgentnummer;

// Adds or changes one agent number of a company: the number, its interest
// surcharge or discount, its description and whether it is the default.
// Only OK hands the values back; closing the dialog otherwise changes nothing.
class frmAgentnummer final : public Dialog {
public:
    enum class Mode { Toevoegen, Wijzigen };

    frmAgentnummer();

    // A number without a key is new and gets one here.
    void setAgentnummer(CAgentnummer& agentnummer);
    void setMode(Mode mode);
    // Shows the object's values; the application and the object come first.
    void Fill_Control();

    // The surcharge typed, with a decimal comma or point; none when it is no number.
    static std::optional<float> renteOf(const QString& text);
    // A surcharge as the office database stores it: the number as typed
    // (0.1, not the nearest single-precision 0.100000001).
    static double storedRente(float rente);

    TextBox& txtAgentnummer;
    TextBox& txtRente;
    TextBox& txtAgentnummerOmschrijving;
    CheckBox& chkStandaard;
    CommandButton& cmdOk;

private:
    void txtAgentnummer_Validation();
    void txtAgentnummerOmschrijving_Validation();
    void txtRente_Validation();
    void chkStandaard_Click();
    void cmdOk_Click();
    bool Validation();
    void Form_QueryUnload();
    // Whether any control now differs from the object: an edit stays an edit
    // when another control is set back.
    bool differs() const;

    CAgentnummer* agentnummer_ = nullptr;
    bool filling_ = false;
};

} // namespace tarvelo
