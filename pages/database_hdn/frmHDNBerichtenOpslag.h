#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/Label.h"

namespace tarvelo {

// Where the office keeps its HDN messages: in the advice database or as files
// in a folder; the change itself runs in frmWijzigenHDNBerichtenOpslag.
class frmHDNBerichtenOpslag final : public Dialog {
public:
    frmHDNBerichtenOpslag();
    // Stores the application and fills the dialog.
    void setApplication(Application& application);
    // Closing: asks when a choice was made but not carried out; true when the dialog may close.
    bool QueryUnload();

    Label& lblUitleg0;
    Label& lblUitleg1;
    OptionButton& optDatabase;
    OptionButton& optMap;
    CommandButton& cmdWijzigen;
    CommandButton& cmdSluiten;

private:
    void Fill_Control();
    void optHDNBerichtenOpslag_Click(int index);
    void cmdWijzigen_Click();
    void cmdSluiten_Click();
    int huidigeOpslag() const;
};

} // namespace tarvelo
