#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

#include <array>

namespace tarvelo {

// The office's house style: its logo, the six colours of the program and of
// the tables in printed overviews, what the start screen shows, and the
// largest size of the logo on the financial plan.
struct TARVELO_EXPORT HouseStyleSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<qint16> StartschermKlanten{this, "StartschermKlanten", 0};
    Setting<qint16> StartschermAdviezen{this, "StartschermAdviezen", 0};
    // File name without folder in the logo folder; "" for the built-in logo.
    Setting<QString> LogoBestand{this, "LogoBestand", QString(), Shown{u"Bedrijfslogo"_s, u"SetupAlgemeen"_s}};
    // Centimetres; 0 until the office chose a size.
    Setting<double> LogoMaxBreedte{this, "LogoMaxBreedte", 0,
                                   Shown{u"Bedrijfslogo: maximale breedte"_s, u"SetupDocumenten"_s}};
    Setting<double> LogoMaxHoogte{this, "LogoMaxHoogte", 0,
                                  Shown{u"Bedrijfslogo: maximale hoogte"_s, u"SetupDocumenten"_s}};

    // Kleuren, BGR, by index: start screen, table title, row colour 1, row
    // colour 2, inactive tabs, application background.
    static constexpr std::array<qint32, 6> StandaardKleur = {0xFCFCFC, 0xDFDFDF, 0xEFEFEF,
                                                             0xFFFFFF, 0xE3DFE0, 0x201D96};
    Setting<qint32> KleurStartscherm{this, "Kleuren.Startscherm", StandaardKleur[0],
                                     Shown{u"Kleur startscherm"_s, u"SetupAlgemeen"_s}};
    Setting<qint32> KleurTitelTabel{this, "Kleuren.TitelTabel", StandaardKleur[1],
                                    Shown{u"Kleur titel tabel"_s, u"SetupAlgemeen"_s}};
    Setting<qint32> KleurRij1{this, "Kleuren.RijKleur1", StandaardKleur[2],
                              Shown{u"Kleur rij 1"_s, u"SetupAlgemeen"_s}};
    Setting<qint32> KleurRij2{this, "Kleuren.RijKleur2", StandaardKleur[3],
                              Shown{u"Kleur rij 2"_s, u"SetupAlgemeen"_s}};
    Setting<qint32> KleurTabblad{this, "Kleuren.TabbladNietActief", StandaardKleur[4],
                                 Shown{u"Kleur tabblad niet actief"_s, u"SetupAlgemeen"_s}};
    Setting<qint32> KleurAchtergrond{this, "Kleuren.Achtergrond", StandaardKleur[5],
                                     Shown{u"Kleur achtergrond"_s, u"SetupAlgemeen"_s}};

    Setting<qint32>& Kleur(int index)
    {
        Setting<qint32>* kleuren[] = {&KleurStartscherm, &KleurTitelTabel, &KleurRij1,
                                      &KleurRij2,        &KleurTabblad,    &KleurAchtergrond};
        return *kleuren[index];
    }
};

} // namespace tarvelo
