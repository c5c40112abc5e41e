#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/Label.h"
#include "pages/advice/ColumnDialog.h"

namespace tarvelo {

// The columns of the charges overviews and of the overview "netto besteedbaar
// inkomen" of the financial plan, each list stored as its own bit set.
class frmKolommenFinancieelPlan final : public ColumnDialog {
public:
    // More columns than this in one list do not fit on a portrait page...
    static constexpr int MaxStaand = 9;
    // ...and from this many on they do not fit on a landscape page.
    static constexpr int TeveelLiggend = 15;

    frmKolommenFinancieelPlan();

    // Shows the stored columns; the caller sets the application and Setup first.
    void Fill_Control();

private:
    void Fill_Listboxes();
    void Set_Listboxes();
    void Check_Kolomselectie();
    void cmdOk_Click();

    Label& lblUitleg;
    Label& lblWaarschuwing;
    ListBox& lstKolommenLastenoverzicht;
    ListBox& lstKolommenNBIOverzicht;
    CommandButton& cmdOk;
    CommandButton& cmdAnnuleren;
};

} // namespace tarvelo
