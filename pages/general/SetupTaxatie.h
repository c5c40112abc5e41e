#pragma once

#include "framework/forms/ComboBox.h"
#include "framework/host/Application.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Taxatiebureau": the valuation office the office works with by default.
class SetupTaxatie final : public SettingsPage {
public:
    SetupTaxatie();
    QString Titel() const override { return u"Taxatiebureau"_s; }

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }

private:
    void cboTaxatieMaatschappij_Click();
    std::optional<HostCompany> company(int position) const;

    ComboBox* cboTaxatieMaatschappij = nullptr;
};

} // namespace tarvelo
