#pragma once

#include "framework/forms/ComboBox.h"
#include "framework/host/Application.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/CompanyChoiceSettings.h"

#include <QStringList>

namespace tarvelo {

// A page that asks one question: which company of one of the host's lists the
// office works with by default. The valuation office and the bank-guarantee
// institution are such pages.
class CompanyChoicePage : public SettingsPage {
public:
    struct Choice {
        QString frame, caption;  // the frame and its caption
        QString label, question; // the label before the combo and its text
        QString combo;
        std::optional<HostCompany> (Application::*companies)(int) const;
        Setting<QString> CompanyChoiceSettings::*setting;
        QStringList excludedCodes = {};
    };

protected:
    CompanyChoicePage(const QString& className, Choice choice);

    void Fill() override;
    bool guardsFill() const override { return true; }

private:
    void combo_Click();
    std::optional<HostCompany> company(int position) const;

    Choice choice_;
    ComboBox* combo_ = nullptr;
};

} // namespace tarvelo
