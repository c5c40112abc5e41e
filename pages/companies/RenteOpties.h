#pragma once

#include "framework/forms/Event.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/UserControl.h"
#include "framework/host/Advies.h"

namespace tarvelo {

struct Maatschappij;

// The mortgage options of a lender per arrangement. For the lender's defaults:
// which of its arrangements the office offers in its advice, kept in the office
// database. For one loan part of the open advice: which of those arrangements
// the loan part takes, kept with the loan part by the host.
class RenteOpties : public UserControl {
public:
    RenteOpties(Form& form, const QString& name, int index, Control* parent);

    // The lender whose defaults are edited (without a loan part).
    const QString& Cd_Mij() const { return cdMij_; }
    void setCd_Mij(const QString& code) { cdMij_ = code; }
    // The loan part whose arrangement is chosen; its lender is the company.
    const std::optional<Lening>& lening() const { return lening_; }
    void setLening(const Lening& lening);
    QString Om_Titel() const { return titel_; }
    // Stores the choice shown; nothing happens without a known lender. False
    // when storing failed (the failure is reported).
    bool Save_Renteopties();

    Label& lblOpties;
    ListView& lvwOpties;

    Event<> Changed;
    Event<> Resized;

    // Reads the arrangements and the stored choice (also done when the
    // application is set).
    void Fill_Control() override;

protected:
    RenteOpties(Form& form, const QString& className, const QString& name, int index, Control* parent);

private:
    void fillDefaults(const Maatschappij& lender);
    void fillLoanPart(const Maatschappij& lender);
    void saveDefaults();
    void saveLoanPart();
    void rowChecked(ListItem& row);

    QString cdMij_;
    std::optional<Lening> lening_;
    bool filled_ = false;
    QString titel_;
    bool filling_ = false;
};

// The same options for the lender of the product's own proposals ("IN").
class RenteOptiesIN final : public RenteOpties {
public:
    RenteOptiesIN(Form& form, const QString& name, int index, Control* parent);
};

} // namespace tarvelo
