#pragma once

#include "TarveloExport.h"

#include "framework/settings/RecordList.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// One notary office the advices can choose from, with its contact person.
struct TARVELO_EXPORT NotarisRecord {
    QString Naam;
    QString Straat;
    // Held wider than the classic Integer: house numbers run up to 99999.
    qint32 Huisnummer = 0;
    QString Toevoeging;
    QString Postcode;
    QString Woonplaats;
    QString Telefoon;
    // "M", "V", or empty when the gender was never given.
    QString Geslacht;
    QString Voorletters;
    QString Voorvoegsel;
    QString Achternaam;

    bool operator==(const NotarisRecord&) const = default;

    QJsonObject toJson() const
    {
        return {{u"Naam"_s, Naam},
                {u"Straat"_s, Straat},
                {u"Huisnummer"_s, Huisnummer},
                {u"Toevoeging"_s, Toevoeging},
                {u"Postcode"_s, Postcode},
                {u"Woonplaats"_s, Woonplaats},
                {u"Telefoon"_s, Telefoon},
                {u"Geslacht"_s, Geslacht},
                {u"Voorletters"_s, Voorletters},
                {u"Voorvoegsel"_s, Voorvoegsel},
                {u"Achternaam"_s, Achternaam}};
    }
    static NotarisRecord fromJson(const QJsonObject& o)
    {
        const auto text = [&o](const char* name) { return o.value(QLatin1String(name)).toString(); };
        NotarisRecord r;
        r.Naam = text("Naam");
        r.Straat = text("Straat");
        r.Huisnummer = o.value(QLatin1String("Huisnummer")).toInt();
        r.Toevoeging = text("Toevoeging");
        r.Postcode = text("Postcode");
        r.Woonplaats = text("Woonplaats");
        r.Telefoon = text("Telefoon");
        r.Geslacht = text("Geslacht");
        r.Voorletters = text("Voorletters");
        r.Voorvoegsel = text("Voorvoegsel");
        r.Achternaam = text("Achternaam");
        return r;
    }
};

// The office's notary offices.
struct TARVELO_EXPORT NotarisSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    RecordList<NotarisRecord> Notarissen{
        this, "Notarissen", Shown{u"Notariskantoren"_s, u"SetupNotaris"_s, u"notariskantoor"_s, u"notariskantoren"_s}};

    // The office at index (from 1), or null past the last.
    NotarisRecord* Notaris(int index) const { return Notarissen.at(index); }
    NotarisRecord& AddNotaris() { return Notarissen.add(); }
    void RemoveNotaris(int index) { Notarissen.remove(index); }
};

} // namespace tarvelo
