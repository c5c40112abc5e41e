#include "pages/integrations/SetupKopRolls.h"

#include "framework/host/Application.h"
#include "framework/host/ComponentFactory.h"
#include "framework/settings/IntegrationSettings.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
const QString Beschikbaar =
    u"Voor de koppeling met Rolls is het noodzakelijk dat u de Rolls software op dezelfde pc installeert als Quenmarix."_s;
const QString NietGevonden = u"Quenmarix heeft geen ge\u00efnstalleerde versie van de Rolls applicatie gevonden."_s;
} // namespace

SetupKopRolls::SetupKopRolls()
    : KoppelingPage({u"SetupKopRolls"_s,
                     u"Koppeling Rolls"_s,
                     u"Koppeling met Rolls"_s,
                     settingOf(&IntegrationSettings::RollsKoppeling),
                     {veld("txtKantoornummer", "Kantoornummer", &IntegrationSettings::RollsKantoornummer)},
                     {}}),
      hntRollsBeschikbaar(add<Hint>(fraKoppeling, u"hntRollsBeschikbaar"_s, Beschikbaar))
{
    auto& hntRollsKantoornummer =
        add<Hint>(fraKoppeling, u"hntRollsKantoornummer"_s,
                  u"Het kantoornummer is het nummer waaronder uw kantoor bij Rolls bekend is."_s);
    rows().space(RowLayout::RowGap);
    rows().text(hntRollsKantoornummer);
    rows().space(RowLayout::RowGap);
    // Room for the second sentence, which shows only when the software is missing.
    hntRollsBeschikbaar.setCaption(Beschikbaar + u"\r\n"_s + NietGevonden);
    rows().text(hntRollsBeschikbaar);
    hntRollsBeschikbaar.setCaption(Beschikbaar);
    finishLayout();
}

void SetupKopRolls::Fill()
{
    guarded([this] {
        const bool installed = rollsInstalled();
        chkKoppeling->setEnabled(installed);
        if (!installed) {
            Setup<IntegrationSettings>().RollsKoppeling = false;
            chkKoppeling->setChecked(false);
        }
        hntRollsBeschikbaar.setCaption(installed ? Beschikbaar : Beschikbaar + u"\r\n"_s + NietGevonden);
    });
}

// Installed when its component can be created; the object is released at
// once. Any failure to create it means the software is absent.
bool SetupKopRolls::rollsInstalled()
{
    try {
        Form scratch(u"RollsProbe"_s);
        app().components().create(RollsComponent, scratch, u"objRolls"_s);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace tarvelo
