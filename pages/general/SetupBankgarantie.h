#pragma once

#include "framework/forms/ComboBox.h"
#include "framework/host/Application.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Bankgarantieinstelling": the bank-guarantee institution the office works with by default.
class SetupBankgarantie final : public SettingsPage {
public:
    SetupBankgarantie();
    QString Titel() const override { return u"Bankgarantieinstelling"_s; }

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }

private:
    void cboBankgarantieMij_Click();
    std::optional<HostCompany> company(int position) const;

    ComboBox* cboBankgarantieMij = nullptr;
};

} // namespace tarvelo
