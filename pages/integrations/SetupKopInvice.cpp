#include "pages/integrations/SetupKopInvice.h"

#include "framework/settings/IntegrationSettings.h"
#include "pages/integrations/MarkerFiles.h"
#include "pages/integrations/SoftwareFolder.h"

namespace tarvelo {

namespace {
using S = IntegrationSettings;
const QString FolderToolTip = QStringLiteral("Geef het pad aan waar FileMaker is ge\u00efnstalleerd");
} // namespace

SetupKopInvice::SetupKopInvice()
    : KoppelingPage({QStringLiteral("SetupKopInvice"), QStringLiteral("Koppeling Invice"),
                     QStringLiteral("Koppeling met Invice"), settingOf(&S::InviceKoppeling),
                     {veld("txtFilemakerDirectory", "Filemaker import locatie", &S::InviceFilemakerDirectory)},
                     {}}),
      txtFilemakerDirectory(textBox(QStringLiteral("txtFilemakerDirectory")))
{
    finishLayout();
    auto& cmdFilemaker = addFolderButton(txtFilemakerDirectory, QStringLiteral("cmdFilemaker"), FolderToolTip);
    cmdFilemaker.Click.connect([this] { cmdFilemaker_Click(); });
}

void SetupKopInvice::cmdFilemaker_Click()
{
    guarded([this] {
        chooseSoftwareFolder(ui(),
                             {QStringLiteral("Selecteer de folder waar 'ImportTV.fp7' van FileMaker staat"),
                              QStringLiteral("C:\\Program Files\\Filemaker\\import"), hasInviceMarker,
                              QStringLiteral("Onjuiste directory en/of 'ImportTV.fp7' niet gevonden")},
                             txtFilemakerDirectory, Setup<S>().InviceFilemakerDirectory);
    });
}

SetupKopAssistent::SetupKopAssistent()
    : KoppelingPage({QStringLiteral("SetupKopAssistent"), QStringLiteral("Koppeling Assistent"),
                     QStringLiteral("Koppeling met Assistent"), settingOf(&S::AssistentKoppeling),
                     {veld("txtAssistentDirectory", "Locatie Assistent", &S::AssistentDirectory),
                      veld("txtGebruikersnaam", "Gebruikersnaam", &S::AssistentGebruikersnaam),
                      veld("txtWachtwoord", "Wachtwoord", &S::AssistentWachtwoord, true)},
                     {}}),
      txtAssistentDirectory(textBox(QStringLiteral("txtAssistentDirectory")))
{
    finishLayout();
    auto& cmdAssistent = addFolderButton(txtAssistentDirectory, QStringLiteral("cmdAssistent"), FolderToolTip);
    cmdAssistent.Click.connect([this] { cmdAssistent_Click(); });
}

void SetupKopAssistent::cmdAssistent_Click()
{
    guarded([this] {
        chooseSoftwareFolder(ui(),
                             {QStringLiteral("Selecteer de folder waar 'ass20.exe' van FileMaker staat"),
                              QStringLiteral("C:\\Ass20"), hasAssistentMarker,
                              QStringLiteral("Onjuiste directory en/of 'ass20.exe' niet gevonden")},
                             txtAssistentDirectory, Setup<S>().AssistentDirectory);
    });
}

} // namespace tarvelo
