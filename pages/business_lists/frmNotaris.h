#pragma once

#include "framework/forms/AddressControl.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/Frame.h"
#include "framework/forms/TextBox.h"

namespace tarvelo {

class Settings;
struct NotarisRecord;
struct NotarisSettings;

// Adds one notary office to the office's list, or edits one: its name,
// address and telephone number, and its contact person.
class frmNotaris final : public Dialog {
public:
    frmNotaris();

    // 0 adds a new office; any other number edits the office at that index.
    void setIndex(int index) { Index = index; }
    void setSetup(Settings& setup) { setup_ = &setup; }
    // Stores the application and fills the dialog; Setup and Index come first.
    void setApplication(Application& application);

    static QString captionFor(int index);

    TextBox& txtNaamNotaris;
    AddressControl& AdresGegevens;
    TextBox& txtTelefoonNotaris;
    OptionButton& optMan;
    OptionButton& optVrouw;
    TextBox& txtVoorlettersNotaris;
    TextBox& txtVoorvoegselNotaris;
    TextBox& txtAchternaamNotaris;
    CommandButton& cmdOK;
    CommandButton& cmdCancel;

private:
    void Fill_Controls();
    void Fill_AdresGegevens(const NotarisRecord& record);
    bool Validation();
    void cmdOK_Click();
    void cmdCancel_Click();
    NotarisSettings& notarissen() const;

    // What the fields showed when the dialog was filled: a field the user left
    // as it was is written back exactly as it was stored.
    struct Shown {
        QString naam, telefoon, voorletters, voorvoegsel, achternaam;
        Address adres;
    };
    Shown shownAtFill() const;

    int Index = 0;
    Settings* setup_ = nullptr;
    Shown filled_;
};

} // namespace tarvelo
