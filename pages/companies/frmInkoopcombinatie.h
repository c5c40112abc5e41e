#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/TextBox.h"

namespace tarvelo {

class Settings;

// Adds a service provider of the office's own to the list: its name and its
// six-digit HDN number, which no provider in the list may have yet.
class frmInkoopcombinatie final : public Dialog {
public:
    frmInkoopcombinatie();

    void setSetup(Settings& setup) { setup_ = &setup; }

    // Which fields Validation checks.
    enum Field { AllFields = 0, HdnNummerField = 1, NaamField = 2 };

    TextBox& txtNaam;
    TextBox& txtHDNNummer;
    CommandButton& cmdOk;
    CommandButton& cmdCancel;

private:
    bool Validation(Field field);
    void txtHDNNummer_Validation(bool& Cancel);
    void txtNaam_Validation(bool& Cancel);
    void cmdOk_Click();

    Settings* setup_ = nullptr;
};

} // namespace tarvelo
