#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// How the host prints its documents: the adviser's name and signature on
// forms, amounts, years and graphs in overviews, printer margins, the logo and
// the cover page of the reports, and where the client's address goes on the
// covering letter.
struct TARVELO_EXPORT DocumentSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    // 0 the head office's adviser name, 1 the branch's.
    Setting<qint32> AdviseurNaam{this, "AdviseurNaam", 0};
    // 1 initials surname, 2 title surname, 3 initials (first names) surname,
    // 4 first names surname, 5 title initials surname; 0 until first shown.
    Setting<qint32> WeergaveAdviseurnaam{this, "WeergaveAdviseurnaam", 1};
    Setting<QString> Ondertekening{this, "Ondertekening"};
    // 0 yearly amounts, 1 monthly amounts.
    Setting<qint32> Bedragen{this, "Bedragen", 0};
    Setting<bool> AlleenJarenMetWijzigingen{this, "AlleenJarenMetWijzigingen", false};
    // -1 shows graphs with the scenario overviews; any other value does not.
    Setting<qint32> ToonGrafiekenScenario{this, "ToonGrafiekenScenario", 3};
    // Angle of the column headings: 0 horizontal, 90 vertical.
    Setting<double> UitlijningKolomkoppen{this, "UitlijningKolomkoppen", 0};
    Setting<bool> LogoOpAanvraagformulier{this, "LogoOpAanvraagformulier", false};
    Setting<bool> MijTonen{this, "MijTonen", false};
    Setting<double> PrinterMargeLinks{this, "PrinterMarges.Links", 0};
    Setting<double> PrinterMargeRechts{this, "PrinterMarges.Rechts", 0};
    Setting<double> PrinterMargeBoven{this, "PrinterMarges.Boven", 0};
    Setting<double> PrinterMargeOnder{this, "PrinterMarges.Onder", 0};
    // Centimetres from the top and left edge of the covering letter.
    Setting<double> PositieAdresgegevensBoven{this, "PositieAdresgegevensBoven", 0};
    Setting<double> PositieAdresgegevensLinks{this, "PositieAdresgegevensLinks", 0};
    // Alignments: 0 left, 1 centre, 2 right.
    Setting<qint32> LogoUitlijning{this, "LogoUitlijning", 0};
    Setting<bool> LogoOpVervolgpaginas{this, "LogoOpVervolgpaginas", false};
    // The cover page's picture; "" for the standard picture.
    Setting<QString> LogoVoorblad{this, "LogoVoorblad", QString(), Shown{u"Logo voorblad"_s, u"SetupDocumenten"_s}};
    Setting<bool> VoorbladLogo{this, "VoorbladLogo", false};
    Setting<qint32> VoorbladLogoUitlijning{this, "VoorbladLogoUitlijning", 0, Shown{u"Voorblad: uitlijning logo"_s}};
    Setting<bool> VoorbladGegevens{this, "VoorbladGegevens", false};
    Setting<qint32> VoorbladGegevensUitlijning{this, "VoorbladGegevensUitlijning", 0,
                                               Shown{u"Voorblad: uitlijning bedrijfsgegevens"_s}};
    // Office-wide (GlobalSetup): 1 current situation and after advice, 2 after
    // advice, 3 no graphs; 0 until first shown.
    Setting<qint32> ScenarioGrafieken{this, "ScenarioGrafieken", 2};
};

} // namespace tarvelo
