#include "pages/integrations/SetupKopRolls.h"

#include "framework/host/Application.h"
#include "framework/host/ComponentFactory.h"
#include "framework/settings/IntegrationSettings.h"

namespace tarvelo {

namespace {
const QString Beschikbaar = QStringLiteral(
    "Voor de koppeling met Rolls is het noodzakelijk dat u de Rolls software op dezelfde pc installeert als Quenmarix.");
const QString NietGevonden = QStringLiteral("Quenmarix heeft geen ge\u00efnstalleerde versie van de Rolls applicatie gevonden.");
} // namespace

SetupKopRolls::SetupKopRolls()
    : KoppelingPage({QStringLiteral("SetupKopRolls"), QStringLiteral("Koppeling Rolls"),
                     QStringLiteral("Koppeling met Rolls"), settingOf(&IntegrationSettings::RollsKoppeling),
                     {veld("txtKantoornummer", "Kantoornummer", &IntegrationSettings::RollsKantoornummer)},
                     {}}),
      hntRollsBeschikbaar(add<Hint>(fraKoppeling, QStringLiteral("hntRollsBeschikbaar"), Beschikbaar))
{
    auto& hntRollsKantoornummer = add<Hint>(
        fraKoppeling, QStringLiteral("hntRollsKantoornummer"),
        QStringLiteral("Het kantoornummer is het nummer waaronder uw kantoor bij Rolls bekend is."));
    rows().space(RowLayout::RowGap);
    rows().text(hntRollsKantoornummer);
    rows().space(RowLayout::RowGap);
    // Room for the second sentence, which shows only when the software is missing.
    hntRollsBeschikbaar.setCaption(Beschikbaar + QStringLiteral("\r\n") + NietGevonden);
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
        hntRollsBeschikbaar.setCaption(installed ? Beschikbaar : Beschikbaar + QStringLiteral("\r\n") + NietGevonden);
    });
}

// Installed when its component can be created; the object is released at
// once. Any failure to create it means the software is absent.
bool SetupKopRolls::rollsInstalled()
{
    try {
        Form scratch(QStringLiteral("RollsProbe"));
        app().components().create(RollsComponent, scratch, QStringLiteral("objRolls"));
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace tarvelo
