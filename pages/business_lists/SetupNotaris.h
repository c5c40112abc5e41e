#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/ListView.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Notariskantoren": the office's notary offices, which advices choose from;
// added and edited in frmNotaris.
class SetupNotaris final : public SettingsPage {
public:
    SetupNotaris();
    QString Titel() const override { return u"Notariskantoren"_s; }

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }
    QString errorContext() const override { return u"Instellingen - Notaris"_s; }

private:
    void Fill_Listview();
    void lstNotaris_ItemClick();
    void lstNotaris_DblClick();
    void cmdToevoegenNotaris_Click();
    void cmdBewerkenNotaris_Click();
    void cmdVerwijderenNotaris_Click();
    // Shows frmNotaris for the office at index (0 = a new one); true when confirmed.
    bool showNotaris(int index);
    // The index in the selected row's key ("n3" is 3), or 0 when none is selected.
    int selectedIndex() const;
    void enableButtons(bool on);

    ListView& lstNotaris;
    CommandButton& cmdToevoegenNotaris;
    CommandButton& cmdBewerkenNotaris;
    CommandButton& cmdVerwijderenNotaris;
};

} // namespace tarvelo
