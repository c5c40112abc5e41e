#include "pages/integrations/KoppelingPages.h"

#include "framework/settings/IntegrationSettings.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
using S = IntegrationSettings;

const QString HttpsHint = u"Let op: de opgegeven locatie dient altijd voorafgegaan te worden met 'https://'."_s;

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
    : KoppelingPage({u"SetupKopElements"_s, u"Koppeling Elements"_s, u"Koppeling met Elements"_s,
                     settingOf(&S::ElementsKoppeling),
                     portalVelden("Locatie Elements portal", &S::ElementsLocatiePortal, &S::ElementsGebruikersnaam,
                                  &S::ElementsWachtwoord, &S::ElementsOrganisatieId, &S::ElementsSSOCode),
                     HttpsHint})
{
    finishLayout();
}

SetupKopANVA::SetupKopANVA()
    : KoppelingPage({u"SetupKopANVA"_s, u"Koppeling ANVA CRM"_s, u"Koppeling met ANVA CRM"_s,
                     settingOf(&S::ANVAKoppeling),
                     portalVelden("Locatie portal", &S::ANVALocatiePortal, &S::ANVAGebruikersnaam, &S::ANVAWachtwoord,
                                  &S::ANVAOrganisatieId, &S::ANVASSOCode),
                     HttpsHint})
{
    finishLayout();
}

SetupKopNHBond::SetupKopNHBond()
    : KoppelingPage({u"SetupKopNHBond"_s,
                     u"Koppeling Nationale hypotheekbond"_s,
                     u"Koppeling met Nationale hypotheekbond"_s,
                     settingOf(&S::NHBondKoppeling),
                     {veld("txtEMailadres", "E-mailadres", &S::NHBondEMailadres),
                      veld("txtWachtwoord", "Wachtwoord", &S::NHBondWachtwoord, true)},
                     {}})
{
    finishLayout();
}

SetupKopAdvies::SetupKopAdvies()
    : KoppelingPage({u"SetupKopAdvies"_s,
                     u"Koppeling "_s + Vergelijkingssite,
                     u"Koppeling met "_s + Vergelijkingssite,
                     settingOf(&S::AdvieskeuzeKoppeling),
                     {veld("txtKantoorID", "KantoorID", &S::AdvieskeuzeKantoorID)},
                     {}})
{
    finishLayout();
}

SetupKopJulia::SetupKopJulia()
    : KoppelingPage({u"SetupKopJulia"_s,
                     u"Koppeling Julia"_s,
                     u"Koppeling met Julia"_s,
                     settingOf(&S::JuliaKoppeling),
                     {veld("txtAdviseurCode", "Adviseurcode", &S::JuliaAdviseurCode),
                      veld("txtVestigingCode", "Vestigingcode", &S::JuliaVestigingCode)},
                     {}})
{
    finishLayout();
}

SetupKopVanBruggen::SetupKopVanBruggen()
    : KoppelingPage({u"SetupKopVanBruggen"_s,
                     u"Koppeling Van Bruggen Adviesgroep"_s,
                     u"Koppeling"_s,
                     settingOf(&S::VanBruggenKoppeling),
                     {veld("txtLocatieDynamics", "Locatie Dynamics", &S::VanBruggenLocatieDynamics),
                      veld("txtGebruikersnaam", "Gebruikersnaam", &S::VanBruggenGebruikersnaam),
                      veld("txtWachtwoord", "Wachtwoord", &S::VanBruggenWachtwoord, true)},
                     {}})
{
    finishLayout();
}

SetupKopBoxD::SetupKopBoxD()
    : KoppelingPage({u"SetupKopBoxD"_s,
                     u"Koppeling BOX Duurzaam"_s,
                     u"Koppeling met BOX Duurzaam"_s,
                     settingOf(&S::BoxDuurzaamKoppeling),
                     {},
                     {}})
{
    finishLayout();
}

SetupKopCalcasa::SetupKopCalcasa()
    : KoppelingPage({u"SetupKopCalcasa"_s,
                     u"Koppeling Calcasa"_s,
                     u"Koppeling met Calcasa"_s,
                     settingOf(&S::CalcasaKoppeling),
                     {},
                     {}})
{
    finishLayout();
}

SetupKopPosWon::SetupKopPosWon()
    : KoppelingPage({u"SetupKopPosWon"_s,
                     u"Koppeling Positief Wonen"_s,
                     u"Koppeling met Positief Wonen"_s,
                     settingOf(&S::PositiefWonenKoppeling),
                     {},
                     {}})
{
    finishLayout();
}

} // namespace tarvelo
