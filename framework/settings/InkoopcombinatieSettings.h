#pragma once

#include "TarveloExport.h"

#include "framework/settings/RecordList.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// A service provider ("inkoopcombinatie") through which the office places
// applications.
struct TARVELO_EXPORT InkoopcombinatieRecord {
    QString Naam;
    // Six digits.
    QString HDNNummer;
    // "T" for the standard list, "A" for a provider the office added.
    QString TypeCode;
    // The office uses this provider.
    bool Geselecteerd = false;

    bool operator==(const InkoopcombinatieRecord&) const = default;

    QJsonObject toJson() const
    {
        return {{u"Naam"_s, Naam},
                {u"HDNNummer"_s, HDNNummer},
                {u"TypeCode"_s, TypeCode},
                {u"Geselecteerd"_s, Geselecteerd}};
    }
    static InkoopcombinatieRecord fromJson(const QJsonObject& o)
    {
        InkoopcombinatieRecord r;
        r.Naam = o.value(QLatin1String("Naam")).toString();
        r.HDNNummer = o.value(QLatin1String("HDNNummer")).toString();
        r.TypeCode = o.value(QLatin1String("TypeCode")).toString();
        r.Geselecteerd = o.value(QLatin1String("Geselecteerd")).toBool();
        return r;
    }
};

// The service providers the office knows: the standard list and its own.
struct TARVELO_EXPORT InkoopcombinatieSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    RecordList<InkoopcombinatieRecord> Inkoopcombinaties{
        this, "Inkoopcombinaties",
        Shown{u"Inkoopcombinaties"_s, u"SetupInkoopCombis"_s, u"inkoopcombinatie"_s, u"inkoopcombinaties"_s}};

    // The provider at index (from 1), or null past the last.
    InkoopcombinatieRecord* Inkoopcombinatie(int index) const { return Inkoopcombinaties.at(index); }
    int AantalInkoopcombinaties() const { return Inkoopcombinaties.count(); }
    InkoopcombinatieRecord& AddInkoopcombinatie() { return Inkoopcombinaties.add(); }
    void RemoveInkoopcombinatie(int index) { Inkoopcombinaties.remove(index); }
};

} // namespace tarvelo
