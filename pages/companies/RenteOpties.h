#pragma once

#include "framework/forms/Event.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/UserControl.h"

namespace tarvelo {

// The mortgage options of a lender per arrangement: which of its arrangements
// the office offers in its advice. It reads the lender's arrangements from the
// host's catalogue and keeps the office's choice in the office database.
class RenteOpties : public UserControl {
public:
    RenteOpties(Form& form, const QString& name, int index, Control* parent);

    // The lender whose defaults are edited (without a loan part).
    const QString& Cd_Mij() const { return cdMij_; }
    void setCd_Mij(const QString& code) { cdMij_ = code; }
    QString Om_Titel() const { return titel_; }
    // Stores the office's choice; nothing happens without a lender.
    void Save_Renteopties();

    Label& lblOpties;
    ListView& lvwOpties;

    Event<> Changed;
    Event<> Resized;

protected:
    RenteOpties(Form& form, const QString& className, const QString& name, int index, Control* parent);
    void Fill_Control() override;

private:
    QString cdMij_;
    QString titel_;
    bool filling_ = false;
};

// The same options for the lender of the product's own proposals ("IN").
class RenteOptiesIN final : public RenteOpties {
public:
    RenteOptiesIN(Form& form, const QString& name, int index, Control* parent);
};

} // namespace tarvelo
