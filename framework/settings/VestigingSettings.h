#pragma once

#include "framework/settings/RecordList.h"

namespace tarvelo {

// One branch of the office, with the HDN number (subnode) it sends under.
struct VestigingRecord {
    QString ID; // 36 characters, no braces
    QString Naam;
    QString HDNNummer;

    bool operator==(const VestigingRecord&) const = default;
    QJsonObject toJson() const
    {
        return {{QStringLiteral("ID"), ID}, {QStringLiteral("Naam"), Naam}, {QStringLiteral("HDNNummer"), HDNNummer}};
    }
    static VestigingRecord fromJson(const QJsonObject& o)
    {
        return {o.value(QLatin1String("ID")).toString(), o.value(QLatin1String("Naam")).toString(),
                o.value(QLatin1String("HDNNummer")).toString()};
    }
};

// The office's branches.
struct VestigingSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    RecordList<VestigingRecord> Vestigingen{this, "Vestigingen"};

    // The branch at index (from 1), or null past the last.
    VestigingRecord* Vestiging(int index) const { return Vestigingen.at(index); }
    int AddVestiging()
    {
        Vestigingen.add();
        return Vestigingen.count();
    }
    void RemoveVestiging(int index) { Vestigingen.remove(index); }
};

} // namespace tarvelo
