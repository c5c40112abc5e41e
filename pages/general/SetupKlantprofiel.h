#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/page/SettingsPage.h"

#include <array>

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Klantadvisering en motivering": how complete the client profile and the
// motivation must be before an application form or HDN application is printed.
class SetupKlantprofiel final : public SettingsPage {
public:
    SetupKlantprofiel();
    QString Titel() const override { return u"Klantadvisering en motivering"_s; }
    bool hasValidation() const override { return true; }

protected:
    void Fill() override;
    QString errorContext() const override { return u"Instellingen klantprofiel"_s; }

private:
    std::array<OptionButton*, 3> optVolledigheidKlantadvisering{};
};

} // namespace tarvelo
