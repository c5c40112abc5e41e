#pragma once

#include "TarveloExport.h"

#include "framework/settings/RecordList.h"

#include <QUuid>

namespace tarvelo {

using namespace Qt::StringLiterals;

// One service subscription the office sells to its clients.
struct TARVELO_EXPORT AbonnementRecord {
    // A GUID text with braces, 38 characters; empty until the record is stored.
    QString ID;
    bool Actief = false;
    QString Soort;
    QString Omschrijving;
    double Termijnbedrag = 0;
    // Months per instalment: 1, 3, 6 or 12.
    qint16 Betaaltermijn = 1;
    qint16 ControleAantal = 0;
    // 1 month, 12 year.
    qint16 ControleEenheid = 12;
    // In months.
    qint16 Contractduur = 0;

    bool operator==(const AbonnementRecord&) const = default;

    QJsonObject toJson() const
    {
        return {{u"ID"_s, ID},
                {u"Actief"_s, Actief},
                {u"Soort"_s, Soort},
                {u"Omschrijving"_s, Omschrijving},
                {u"Termijnbedrag"_s, Termijnbedrag},
                {u"Betaaltermijn"_s, Betaaltermijn},
                {u"ControleAantal"_s, ControleAantal},
                {u"ControleEenheid"_s, ControleEenheid},
                {u"Contractduur"_s, Contractduur}};
    }
    static AbonnementRecord fromJson(const QJsonObject& o)
    {
        const auto number = [&o](const char* name, int fallback) {
            return qint16(o.value(QLatin1String(name)).toInt(fallback));
        };
        AbonnementRecord r;
        r.ID = o.value(QLatin1String("ID")).toString();
        r.Actief = o.value(QLatin1String("Actief")).toBool();
        r.Soort = o.value(QLatin1String("Soort")).toString();
        r.Omschrijving = o.value(QLatin1String("Omschrijving")).toString();
        r.Termijnbedrag = o.value(QLatin1String("Termijnbedrag")).toDouble();
        r.Betaaltermijn = number("Betaaltermijn", 1);
        r.ControleAantal = number("ControleAantal", 0);
        r.ControleEenheid = number("ControleEenheid", 12);
        r.Contractduur = number("Contractduur", 0);
        return r;
    }
};

// The office's client subscriptions.
struct TARVELO_EXPORT AbonnementSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    RecordList<AbonnementRecord> Abonnementen{
        this, "Abonnementen", Shown{u"Klantabonnementen"_s, u"SetupAbonnement"_s, u"abonnement"_s, u"abonnementen"_s}};

    // The subscription at index (from 1), or null past the last.
    AbonnementRecord* Abonnement(int index) const { return Abonnementen.at(index); }
    // The index at which a new subscription is stored.
    int AantalAbonnementen() const { return Abonnementen.count() + 1; }
    AbonnementRecord* AbonnementOpID(const QString& id) const
    {
        for (int i = 1; AbonnementRecord* r = Abonnementen.at(i); ++i) {
            if (r->ID == id)
                return r;
        }
        return nullptr;
    }
    // Stores a new subscription at the end; it gets its identifier here.
    AbonnementRecord& AddAbonnement(const AbonnementRecord& record)
    {
        AbonnementRecord& added = Abonnementen.add();
        added = record;
        if (added.ID.isEmpty())
            added.ID = QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
        return added;
    }
    // Removes the subscription with this identifier; an unknown one is error 9.
    void RemoveAbonnement(const QString& id)
    {
        for (int i = 1; const AbonnementRecord* r = Abonnementen.at(i); ++i) {
            if (r->ID == id)
                return Abonnementen.remove(i);
        }
        throw RuntimeError::subscriptOutOfRange();
    }
    int AantalActief() const
    {
        int active = 0;
        for (int i = 1; const AbonnementRecord* r = Abonnementen.at(i); ++i)
            active += r->Actief ? 1 : 0;
        return active;
    }
};

} // namespace tarvelo
