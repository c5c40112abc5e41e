#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The links with outside parties: whether each link is on and the access data
// the host needs for the exchange. Passwords, tokens and single-sign-on codes
// are kept as typed and never shown in a change history.
struct TARVELO_EXPORT IntegrationSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;

    Setting<bool> ElementsKoppeling{this, "ElementsKoppeling", false};
    Setting<QString> ElementsLocatiePortal{this, "ElementsLocatiePortal"};
    Setting<QString> ElementsGebruikersnaam{this, "ElementsGebruikersnaam"};
    Setting<QString> ElementsWachtwoord{this, "ElementsWachtwoord", QString(), SettingFlag::Secret};
    Setting<QString> ElementsOrganisatieId{this, "ElementsOrganisatieId"};
    Setting<QString> ElementsSSOCode{this, "ElementsSSOCode", QString(), SettingFlag::Secret};

    Setting<bool> ANVAKoppeling{this, "ANVAKoppeling", false};
    Setting<QString> ANVALocatiePortal{this, "ANVALocatiePortal"};
    Setting<QString> ANVAGebruikersnaam{this, "ANVAGebruikersnaam"};
    Setting<QString> ANVAWachtwoord{this, "ANVAWachtwoord", QString(), SettingFlag::Secret};
    Setting<QString> ANVAOrganisatieId{this, "ANVAOrganisatieId"};
    Setting<QString> ANVASSOCode{this, "ANVASSOCode", QString(), SettingFlag::Secret};

    Setting<bool> InviceKoppeling{this, "InviceKoppeling", false};
    Setting<QString> InviceFilemakerDirectory{this, "InviceFilemakerDirectory"};

    Setting<bool> AssistentKoppeling{this, "AssistentKoppeling", false};
    Setting<QString> AssistentDirectory{this, "AssistentDirectory"};
    Setting<QString> AssistentGebruikersnaam{this, "AssistentGebruikersnaam"};
    Setting<QString> AssistentWachtwoord{this, "AssistentWachtwoord", QString(), SettingFlag::Secret};

    Setting<bool> NHBondKoppeling{this, "NHBondKoppeling", false};
    Setting<QString> NHBondEMailadres{this, "NHBondEMailadres"};
    Setting<QString> NHBondWachtwoord{this, "NHBondWachtwoord", QString(), SettingFlag::Secret};

    Setting<bool> RollsKoppeling{this, "RollsKoppeling", false};
    Setting<QString> RollsKantoornummer{this, "RollsKantoornummer"};

    Setting<bool> FinlyKoppeling{this, "FinlyKoppeling", false};
    Setting<QString> FinlyToken{this, "FinlyToken", QString(), SettingFlag::Secret};

    Setting<bool> EDRKoppeling{this, "EDRKoppeling", false};
    Setting<QString> EDRGebruikersnaam{this, "EDRGebruikersnaam"};
    Setting<QString> EDRWachtwoord{this, "EDRWachtwoord", QString(), SettingFlag::Secret};
    Setting<QString> EDRKlantnummer{this, "EDRKlantnummer"};

    Setting<bool> AdvieskeuzeKoppeling{this, "AdvieskeuzeKoppeling", false};
    Setting<QString> AdvieskeuzeKantoorID{this, "AdvieskeuzeKantoorID"};

    Setting<bool> JuliaKoppeling{this, "JuliaKoppeling", false};
    Setting<QString> JuliaAdviseurCode{this, "JuliaAdviseurCode"};
    Setting<QString> JuliaVestigingCode{this, "JuliaVestigingCode"};

    Setting<bool> VanBruggenKoppeling{this, "VanBruggenKoppeling", false};
    Setting<QString> VanBruggenLocatieDynamics{this, "VanBruggenLocatieDynamics"};
    Setting<QString> VanBruggenGebruikersnaam{this, "VanBruggenGebruikersnaam"};
    Setting<QString> VanBruggenWachtwoord{this, "VanBruggenWachtwoord", QString(), SettingFlag::Secret};

    Setting<bool> BoxDuurzaamKoppeling{this, "BoxDuurzaamKoppeling", false};
    Setting<bool> CalcasaKoppeling{this, "CalcasaKoppeling", false};
    Setting<bool> PositiefWonenKoppeling{this, "PositiefWonenKoppeling", false};

    // The XML exchange with other advice software.
    Setting<bool> XMLKoppelingActief{this, "XMLKoppelingActief", false};
    Setting<bool> XMLValideren{this, "XMLValideren", false};
    Setting<QString> XMLExportlocatie{this, "XMLExportlocatie"};
    Setting<QString> XMLImportlocatie{this, "XMLImportlocatie"};
    Setting<QString> WebsiteURL{this, "WebsiteURL"};
};

} // namespace tarvelo
