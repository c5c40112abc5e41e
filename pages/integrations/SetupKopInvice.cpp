#include "pages/integrations/SetupKopInvice.h"

#include "framework/settings/IntegrationSettings.h"
#include "pages/integrations/MarkerFiles.h"
#include "pages/integrations/SoftwareFolder.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
using S = IntegrationSettings;
const QString FolderToolTip = u"Geef het pad aan waar FileMaker is ge\u00efnstalleerd"_s;
} // namespace

SetupKopInvice::SetupKopInvice()
    : KoppelingPage({u"SetupKopInvice"_s,
                     u"Koppeling Invice"_s,
                     u"Koppeling met Invice"_s,
                     settingOf(&S::InviceKoppeling),
                     {veld("txtFilemakerDirectory", "Filemaker import locatie", &S::InviceFilemakerDirectory)},
                     {}}),
      txtFilemakerDirectory(textBox(u"txtFilemakerDirectory"_s))
{
    auto& cmdFilemaker = addFolderButton(txtFilemakerDirectory, u"cmdFilemaker"_s, FolderToolTip);
    finishLayout();
    cmdFilemaker.Click.connect([this] { cmdFilemaker_Click(); });
}

void SetupKopInvice::cmdFilemaker_Click()
{
    guarded([this] {
        chooseSoftwareFolder(ui(),
                             {u"Selecteer de folder waar 'ImportTV.fp7' van FileMaker staat"_s,
                              u"C:\\Program Files\\Filemaker\\import"_s, hasInviceMarker,
                              u"Onjuiste directory en/of 'ImportTV.fp7' niet gevonden"_s},
                             txtFilemakerDirectory, Setup<S>().InviceFilemakerDirectory);
    });
}

SetupKopAssistent::SetupKopAssistent()
    : KoppelingPage({u"SetupKopAssistent"_s,
                     u"Koppeling Assistent"_s,
                     u"Koppeling met Assistent"_s,
                     settingOf(&S::AssistentKoppeling),
                     {veld("txtAssistentDirectory", "Locatie Assistent", &S::AssistentDirectory),
                      veld("txtGebruikersnaam", "Gebruikersnaam", &S::AssistentGebruikersnaam),
                      veld("txtWachtwoord", "Wachtwoord", &S::AssistentWachtwoord, true)},
                     {}}),
      txtAssistentDirectory(textBox(u"txtAssistentDirectory"_s))
{
    auto& cmdAssistent = addFolderButton(txtAssistentDirectory, u"cmdAssistent"_s, FolderToolTip);
    finishLayout();
    cmdAssistent.Click.connect([this] { cmdAssistent_Click(); });
}

void SetupKopAssistent::cmdAssistent_Click()
{
    guarded([this] {
        chooseSoftwareFolder(ui(),
                             {u"Selecteer de folder waar 'ass20.exe' van FileMaker staat"_s, u"C:\\Ass20"_s,
                              hasAssistentMarker, u"Onjuiste directory en/of 'ass20.exe' niet gevonden"_s},
                             txtAssistentDirectory, Setup<S>().AssistentDirectory);
    });
}

} // namespace tarvelo
