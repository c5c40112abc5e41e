#include "framework/host/SettingsHost.h"

#include "framework/errors/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

QString SettingsHost::actingAdviserCode() const { return {}; }

void SettingsHost::withStandIns(Settings& setup, Settings& globalSetup, Ui& ui, const std::function<void()>& body)
{
    bool standingIn = false;
    standInsDuring(setup, globalSetup, ui, [&] {
        if (&SettingsObject() != &setup || &GlobalSetup() != &globalSetup || &this->ui() != &ui)
            throw RuntimeError(ErrorNumber::ApplicationDefined,
                               u"De host geeft tijdens het bekijken van een pagina zijn eigen instellingen in plaats "
                               "van de kopieën (SettingsHost::standInsDuring); er is niets gewijzigd."_s);
        standingIn = true;
        body();
    });
    if (!standingIn)
        throw RuntimeError(ErrorNumber::ApplicationDefined,
                           u"De host heeft de pagina niet op de kopieën van de instellingen laten kijken "
                           "(SettingsHost::standInsDuring)."_s);
}

void SettingsHost::setOpenPage(const QString&) {}

std::vector<ChangeEntry> SettingsHost::changeHistory(const QString&) const { return {}; }

void SettingsHost::watchOffice(std::function<void(const QSet<QString>&)>) {}

void SettingsHost::takeOfficeChange(const QSet<QString>&) {}

std::vector<SettingConflict> SettingsHost::settingConflicts() { return {}; }

void SettingsHost::resolveConflicts(const std::vector<SettingConflict>&) {}

void SettingsHost::withoutOfficeDatabase(const std::function<void()>& body) { body(); }

} // namespace tarvelo
