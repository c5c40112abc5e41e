#include "SetupVoorbeeldhost.h"

#include <tarvelo/framework/page/RowLayout.h>
#include <tarvelo/framework/settings/AutosaveSettings.h>

using namespace tarvelo;

namespace minimalhost {

namespace {
constexpr int InnerWidth = 6000;
} // namespace

SetupVoorbeeldhost::SetupVoorbeeldhost()
    : SettingsPage(u"SetupVoorbeeldhost"_s),
      fraHost(add<Frame>(form(), u"fraHost"_s, u"Deze host"_s)),
      lblUitleg(add<Label>(fraHost, u"lblUitleg"_s,
                           u"Deze pagina hoort bij de host zelf en staat naast de pagina's van de "
                           "bibliotheek. De host bewaart de instellingen wanneer u op Opslaan klikt."_s)),
      chkAutomatischOpslaan(add<CheckBox>(fraHost, u"chkAutomatischOpslaan"_s, u"Automatisch opslaan"_s)),
      lblStatus(add<Label>(fraHost, u"lblStatus"_s))
{
    RowLayout(fraHost, InnerWidth)
        .text(lblUitleg)
        .line(chkAutomatischOpslaan, RowLayout::LabelHeight)
        .line(lblStatus, RowLayout::LabelHeight)
        .finish();
    bind(chkAutomatischOpslaan, &AutosaveSettings::AutomatischOpslaan).then([this] { Show_Status(); });
    stackFrames({&fraHost});
}

void SetupVoorbeeldhost::Fill() { Show_Status(); }

void SetupVoorbeeldhost::Show_Status()
{
    guarded([this] {
        lblStatus.setCaption(chkAutomatischOpslaan.value() != 0 ? u"Het advies wordt automatisch opgeslagen."_s
                                                                : u"Het advies wordt niet automatisch opgeslagen."_s);
    });
}

} // namespace minimalhost
