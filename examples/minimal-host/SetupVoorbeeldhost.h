#pragma once

#include <tarvelo/framework/forms/CheckBox.h>
#include <tarvelo/framework/forms/Frame.h>
#include <tarvelo/framework/forms/Label.h>
#include <tarvelo/framework/page/SettingsPage.h>

namespace minimalhost {

using namespace Qt::StringLiterals;

// The host's own page beside the library's: it is made like theirs, from the
// same control model, and binds a setting of the library's settings objects.
class SetupVoorbeeldhost final : public tarvelo::SettingsPage {
public:
    // The group the host's own pages are listed in.
    static inline const QString Group = u"Voorbeeldhost"_s;

    SetupVoorbeeldhost();
    QString Titel() const override { return u"Voorbeeldhost"_s; }

protected:
    void Fill() override;

private:
    void Show_Status();

    tarvelo::Frame& fraHost;
    tarvelo::Label& lblUitleg;
    tarvelo::CheckBox& chkAutomatischOpslaan;
    tarvelo::Label& lblStatus;
};

} // namespace minimalhost
