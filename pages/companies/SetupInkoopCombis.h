#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/ListView.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Serviceproviders": the service providers the office knows, ticked when the
// office uses them; the office adds its own in frmInkoopcombinatie and may
// remove only those.
class SetupInkoopCombis final : public SettingsPage {
public:
    SetupInkoopCombis();
    QString Titel() const override { return u"Serviceproviders"_s; }
    // The list of providers takes the page's colour too.
    void setBackColor(Colour colour) override;

protected:
    void Fill() override;
    QString fillProcedure() const override { return u"Set Application"_s; }
    bool guardsFill() const override { return true; }

private:
    void Fill_Listview(const QString& selectKey = QString());
    void lstInkoopcombinatie_ItemCheck(ListItem& row);
    void cmdSelectAll_Click();
    void cmdToevoegenInkoopCombinatie_Click();
    void cmdVerwijderenInkoopcombinatie_Click();

    ListView& lstInkoopcombinatie;
    CommandButton& cmdSelectAll;
    CommandButton& cmdToevoegenInkoopCombinatie;
    CommandButton& cmdVerwijderenInkoopcombinatie;
};

} // namespace tarvelo
