#include "pages/integrations/KoppelingPages.h"

#include "framework/settings/IntegrationSettings.h"

namespace tarvelo {

namespace {
using S = IntegrationSettings;

const QString HttpsHint =
    QStringLiteral("Let op: de opgegeven locatie dient altijd voorafgegaan te worden met 'https://'.");

// Elements and ANVA CRM share their five boxes; only the portal's label differs.
std::vector<KoppelingVeld> portalVelden(const char* portalLabel, Setting<QString> S::*portal,
                                        Setting<QString> S::*gebruiker, Setting<QString> S::*wachtwoord,
                                        Setting<QString> S::*organisatie, Setting<QString> S::*sso)
{
    return {veld("txtLocatiePortal", portalLabel, portal), veld("txtGebruikersnaam", "Gebruikersnaam", gebruiker),
            veld("txtWachtwoord", "Wachtwoord", wachtwoord, true),
            veld("txtOrganisatieId", "Organisatienummer", organisatie), veld("txtSSOCode", "SSO Code", sso, true)};
}
} // namespace

SetupKopElements::SetupKopElements()
    : KoppelingPage({QStringLiteral("SetupKopElements"), QStringLiteral("Koppeling Elements"),
                     QStringLiteral("Koppeling met Elements"), settingOf(&S::ElementsKoppeling),
                     portalVelden("Locatie Elements portal", &S::ElementsLocatiePortal, &S::ElementsGebruikersnaam,
                                  &S::ElementsWachtwoord, &S::ElementsOrganisatieId, &S::ElementsSSOCode),
                     HttpsHint})
{
    finishLayout();
}

SetupKopANVA::SetupKopANVA()
    : KoppelingPage({QStringLiteral("SetupKopANVA"), QStringLiteral("Koppeling ANVA CRM"),
                     QStringLiteral("Koppeling met ANVA CRM"), settingOf(&S::ANVAKoppeling),
                     portalVelden("Locatie portal", &S::ANVALocatiePortal, &S::ANVAGebruikersnaam, &S::ANVAWachtwoord,
                                  &S::ANVAOrganisatieId, &S::ANVASSOCode),
                     HttpsHint})
{
    finishLayout();
}

SetupKopNHBond::SetupKopNHBond()
    : KoppelingPage({QStringLiteral("SetupKopNHBond"), QStringLiteral("Koppeling Nationale hypotheekbond"),
                     QStringLiteral("Koppeling met Nationale hypotheekbond"), settingOf(&S::NHBondKoppeling),
                     {veld("txtEMailadres", "E-mailadres", &S::NHBondEMailadres),
                      veld("txtWachtwoord", "Wachtwoord", &S::NHBondWachtwoord, true)},
                     {}})
{
    finishLayout();
}

SetupKopAdvies::SetupKopAdvies()
    : KoppelingPage({QStringLiteral("SetupKopAdvies"), QStringLiteral("Koppeling ") + Vergelijkingssite,
                     QStringLiteral("Koppeling met ") + Vergelijkingssite, settingOf(&S::AdvieskeuzeKoppeling),
                     {veld("txtKantoorID", "KantoorID", &S::AdvieskeuzeKantoorID)},
                     {}})
{
    finishLayout();
}

SetupKopJulia::SetupKopJulia()
    : KoppelingPage({QStringLiteral("SetupKopJulia"), QStringLiteral("Koppeling Julia"),
                     QStringLiteral("Koppeling met Julia"), settingOf(&S::JuliaKoppeling),
                     {veld("txtAdviseurCode", "Adviseurcode", &S::JuliaAdviseurCode),
                      veld("txtVestigingCode", "Vestigingcode", &S::JuliaVestigingCode)},
                     {}})
{
    finishLayout();
}

SetupKopVanBruggen::SetupKopVanBruggen()
    : KoppelingPage({QStringLiteral("SetupKopVanBruggen"), QStringLiteral("Koppeling Van Bruggen Adviesgroep"),
                     QStringLiteral("Koppeling"), settingOf(&S::VanBruggenKoppeling),
                     {veld("txtLocatieDynamics", "Locatie Dynamics", &S::VanBruggenLocatieDynamics),
                      veld("txtGebruikersnaam", "Gebruikersnaam", &S::VanBruggenGebruikersnaam),
                      veld("txtWachtwoord", "Wachtwoord", &S::VanBruggenWachtwoord, true)},
                     {}})
{
    finishLayout();
}

SetupKopBoxD::SetupKopBoxD()
    : KoppelingPage({QStringLiteral("SetupKopBoxD"), QStringLiteral("Koppeling BOX Duurzaam"),
                     QStringLiteral("Koppeling met BOX Duurzaam"), settingOf(&S::BoxDuurzaamKoppeling), {}, {}})
{
    finishLayout();
}

SetupKopCalcasa::SetupKopCalcasa()
    : KoppelingPage({QStringLiteral("SetupKopCalcasa"), QStringLiteral("Koppeling Calcasa"),
                     QStringLiteral("Koppeling met Calcasa"), settingOf(&S::CalcasaKoppeling), {}, {}})
{
    finishLayout();
}

SetupKopPosWon::SetupKopPosWon()
    : KoppelingPage({QStringLiteral("SetupKopPosWon"), QStringLiteral("Koppeling Positief Wonen"),
                     QStringLiteral("Koppeling met Positief Wonen"), settingOf(&S::PositiefWonenKoppeling), {}, {}})
{
    finishLayout();
}

} // namespace tarvelo
