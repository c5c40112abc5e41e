#pragma once

#include "TarveloExport.h"

#include "framework/settings/RecordList.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// One branch of the office, with the HDN number (subnode) it sends under.
struct TARVELO_EXPORT VestigingRecord {
    // A GUID text of 36 characters, without braces.
    QString ID;
    QString Naam;
    QString HDNNummer;

    bool operator==(const VestigingRecord&) const = default;

    QJsonObject toJson() const { return {{u"ID"_s, ID}, {u"Naam"_s, Naam}, {u"HDNNummer"_s, HDNNummer}}; }
    static VestigingRecord fromJson(const QJsonObject& o)
    {
        return {o.value(QLatin1String("ID")).toString(), o.value(QLatin1String("Naam")).toString(),
                o.value(QLatin1String("HDNNummer")).toString()};
    }
};

// The office-wide access rules: what ordinary users may reach, the rights a
// new adviser gets, and the office's branches.
struct TARVELO_EXPORT AutorisatieSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    // 1 "Administrator", 2 "Gebruiker"; 0 until the page stores its default.
    Setting<qint16> StandaardRol{this, "StandaardRol", 1};
    Setting<qint16> StandaardAdviezenOpenen{this, "StandaardAdviezenOpenen", 3};
    Setting<qint16> StandaardAdviezenRechten{this, "StandaardAdviezenRechten", 3};
    Setting<QString> StandaardVestiging{this, "StandaardVestiging", QString(),
                                        Shown{u"Standaardvestiging"_s, u"SetupAutorisatie"_s}};
    // Bit 1: the menu "Onderhoud"; bit 2: report structures and templates.
    Setting<qint32> GebruikersToegang{this, "GebruikersToegang", 0,
                                      Shown{u"Gebruikerstoegang"_s, u"SetupAutorisatie"_s}};
    RecordList<VestigingRecord> Vestigingen{
        this, "Vestigingen", Shown{u"Vestigingen"_s, u"SetupAutorisatie"_s, u"vestiging"_s, u"vestigingen"_s}};

    // The branch at index (from 1), or null past the last.
    VestigingRecord* Vestiging(int index) const { return Vestigingen.at(index); }
    // Appends an empty branch and gives its index.
    int AddVestiging()
    {
        Vestigingen.add();
        return Vestigingen.count();
    }
    void RemoveVestiging(int index) { Vestigingen.remove(index); }
};

// The current user's own adviser data and branch, as the host keeps them
// with the user's settings.
struct TARVELO_EXPORT HuidigeAdviseurSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<QString> Email{this, "Adviseur.Email", QString(), Shown{u"Adviseur: E-mailadres"_s, u"Adviseurs"_s}};
    Setting<QString> Internet{this, "Adviseur.Internet", QString(),
                              Shown{u"Adviseur: Internetadres"_s, u"Adviseurs"_s}};
    Setting<QString> Telefoon{this, "Adviseur.Telefoon", QString(),
                              Shown{u"Adviseur: Telefoonnummer"_s, u"Adviseurs"_s}};
    Setting<QString> Telefax{this, "Adviseur.Telefax", QString(), Shown{u"Adviseur: Telefaxnummer"_s, u"Adviseurs"_s}};
    Setting<QString> Gebruikersnaam{this, "Adviseur.Gebruikersnaam", QString(),
                                    Shown{u"Adviseur: Gebruikersnaam"_s, u"Adviseurs"_s}};
    Setting<QString> AFMRegistratieNr{this, "Adviseur.AFMRegistratieNr", QString(),
                                      Shown{u"Adviseur: AFM registratienummer"_s, u"Adviseurs"_s}};
    Setting<QString> Vestiging{this, "Adviseur.Vestiging", QString(), Shown{u"Adviseur: Vestiging"_s, u"Adviseurs"_s}};
};

} // namespace tarvelo
