#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/ListView.h"
#include "framework/page/SettingsPage.h"
#include "framework/ui/Ui.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

class Database;
struct AbonnementRecord;
struct AbonnementSettings;

// "Abonnementen": the service subscriptions the office sells to its clients.
// Advices in the office database use them, so a subscription in use is only
// deleted after its advices have moved to another one.
class SetupAbonnement final : public SettingsPage {
public:
    SetupAbonnement();
    QString Titel() const override { return u"Abonnementen"_s; }
    void setBackColor(Colour colour) override;

    static QString betaaltermijnText(int months);
    static QString controleText(int count, int unit);

protected:
    void Fill() override;

private:
    void Fill_Screen();
    void lvwAbonnement_ItemCheck(ListItem& item);
    void cmdAdd_Click();
    void cmdBewerkenNotaris_Click();
    void lvwAbonnement_DblClick();
    void cmdDelete_Click();
    void Bewerken();
    // Tells the user the office keeps at least one active subscription.
    void minimaalEenActief(MsgIcon icon);
    AbonnementSettings& abonnementen() const;
    Database& database() const;

    ListView& lvwAbonnement;
    CommandButton& cmdAdd;
    CommandButton& cmdBewerkenNotaris;
    CommandButton& cmdDelete;
    Database* database_ = nullptr;
};

} // namespace tarvelo
