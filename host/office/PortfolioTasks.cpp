#include "host/office/PortfolioTasks.h"

#include "framework/host/Settings.h"
#include "framework/settings/HerinneringSettings.h"
#include "host/office/OfficeDatabase.h"

#include <QSqlQuery>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace tarvelo::PortfolioTasks {

namespace {

const QString InBeheer = u"In beheer"_s;

QDate isoDate(const QVariant& value) { return QDate::fromString(value.toString(), Qt::ISODate); }
QString iso(const QDate& date) { return date.toString(Qt::ISODate); }
QString shown(const QDate& date) { return date.toString(u"dd-MM-yyyy"_s); }

// The birthday on or after today; 29 February falls on the 28th in other years.
QDate nextBirthday(const QDate& born, const QDate& today)
{
    for (int year = today.year(); year <= today.year() + 1; ++year) {
        QDate day(year, born.month(), born.day());
        if (!day.isValid())
            day = QDate(year, born.month(), 28);
        if (day >= today)
            return day;
    }
    return {};
}

class TaskWriter {
public:
    TaskWriter(OfficeDatabase& db, const QDate& today) : db_(db), today_(today) {}

    void add(const QString& adviesId, const QString& soort, const QString& ref, const QDate& date,
             const QString& omschrijving)
    {
        const QString key = adviesId + QLatin1Char('|') + soort + QLatin1Char('|') + ref + QLatin1Char('|') + iso(date);
        QSqlQuery found = db_.exec(u"SELECT COUNT(*) FROM Taak WHERE Sleutel = ?"_s, {key});
        if (found.next() && found.value(0).toInt() > 0)
            return;
        db_.exec(u"INSERT INTO Taak (Sleutel, AdviesID, Soort, Omschrijving, Gebeurtenisdatum, Aangemaakt, "
                 "Afgehandeld) VALUES (?, ?, ?, ?, ?, ?, 0)"_s,
                 {key, adviesId, soort, omschrijving, iso(date), iso(today_)});
        ++created_;
    }
    int created() const { return created_; }

private:
    OfficeDatabase& db_;
    QDate today_;
    int created_ = 0;
};

bool within(const QDate& date, const QDate& today, const QDate& horizon)
{
    return date.isValid() && date >= today && date <= horizon;
}

void productTasks(OfficeDatabase& db, const HerinneringSettings& s, const QDate& today, TaskWriter& tasks)
{
    const QDate productHorizon =
        s.TaakEinddatumProduct ? periodEnd(today, s.TaakProductAantal, s.TaakProductEenheid) : QDate();
    const QDate rvpHorizon = s.TaakEindeRvp ? periodEnd(today, s.TaakRvpAantal, s.TaakRvpEenheid) : QDate();
    if (!productHorizon.isValid() && !rvpHorizon.isValid())
        return;
    QSqlQuery rows = db.exec(u"SELECT p.AdviesID, p.Volgnummer, p.Producttype, p.Omschrijving, "
                             "p.Einddatum, p.EindeRentevast, a.Klant FROM AdviesProduct p "
                             "INNER JOIN Advies a ON a.ID = p.AdviesID WHERE a.Status = ?"_s,
                             {InBeheer});
    while (rows.next()) {
        const QString advies = rows.value(0).toString();
        const QString ref = rows.value(1).toString();
        const QString product = rows.value(3).toString();
        const QString klant = rows.value(6).toString();
        const QDate einde = isoDate(rows.value(4));
        if (productHorizon.isValid() && (rows.value(2).toInt() & s.TaakProducttypen) != 0 &&
            within(einde, today, productHorizon))
            tasks.add(advies, u"Einddatum product"_s, ref, einde,
                      u"%1: %2 loopt af op %3"_s.arg(klant, product, shown(einde)));
        const QDate rvp = isoDate(rows.value(5));
        if (rvpHorizon.isValid() && within(rvp, today, rvpHorizon))
            tasks.add(advies, u"Einde rentevastperiode"_s, ref, rvp,
                      u"%1: rentevastperiode van %2 eindigt op %3"_s.arg(klant, product, shown(rvp)));
    }
}

void lifeEventTasks(OfficeDatabase& db, const HerinneringSettings& s, const QDate& today, TaskWriter& tasks)
{
    if (!s.TaakGebeurtenissen)
        return;
    const QDate horizon = periodEnd(today, s.TaakGebeurtenisAantal, s.TaakGebeurtenisEenheid);
    if (!horizon.isValid())
        return;
    const qint32 kinds = s.TaakGebeurtenistypen;
    QSqlQuery rows = db.exec(u"SELECT p.AdviesID, p.Volgnummer, p.Rol, p.Naam, p.Geboortedatum, "
                             "p.Pensioendatum, a.Klant FROM AdviesPersoon p "
                             "INNER JOIN Advies a ON a.ID = p.AdviesID WHERE a.Status = ?"_s,
                             {InBeheer});
    while (rows.next()) {
        const QString advies = rows.value(0).toString();
        const QString ref = rows.value(1).toString();
        const bool kind = rows.value(2).toString() == QLatin1String("Kind");
        const QString naam = rows.value(3).toString();
        const QString klant = rows.value(6).toString();
        const qint32 bit = kind ? HerinneringSettings::VerjaardagKinderen : HerinneringSettings::VerjaardagKlant;
        const QDate born = isoDate(rows.value(4));
        if ((kinds & bit) != 0 && born.isValid()) {
            const QDate birthday = nextBirthday(born, today);
            if (within(birthday, today, horizon))
                tasks.add(advies, u"Verjaardag"_s, ref, birthday,
                          u"%1: %2 wordt %3 op %4"_s.arg(klant, naam)
                              .arg(birthday.year() - born.year())
                              .arg(shown(birthday)));
        }
        const QDate pension = isoDate(rows.value(5));
        if (!kind && (kinds & HerinneringSettings::Pensioen) != 0 && within(pension, today, horizon))
            tasks.add(advies, u"Pensioen"_s, ref, pension,
                      u"%1: %2 gaat met pensioen op %3"_s.arg(klant, naam, shown(pension)));
    }
}

void subscriptionTasks(OfficeDatabase& db, const HerinneringSettings& s, const QDate& today, TaskWriter& tasks)
{
    if (!s.TaakAbonnementen)
        return;
    const QDate horizon = periodEnd(today, s.TaakAbonnementAantal, s.TaakAbonnementEenheid);
    if (!horizon.isValid())
        return;
    QSqlQuery rows = db.exec(u"SELECT ID, Klant, AbonnementIngang, ControleAantal, ControleEenheid "
                             "FROM Advies WHERE Status = ? AND AbonnementID IS NOT NULL "
                             "AND AbonnementID <> ''"_s,
                             {InBeheer});
    while (rows.next()) {
        const QDate start = isoDate(rows.value(2));
        const int months = rows.value(3).toInt() * rows.value(4).toInt();
        if (!start.isValid() || months <= 0)
            continue;
        // The first review moment on or after today.
        int steps = 1;
        while (start.addMonths(steps * months) < today)
            ++steps;
        const QDate moment = start.addMonths(steps * months);
        if (within(moment, today, horizon))
            tasks.add(rows.value(0).toString(), u"Controlemoment abonnement"_s, QString::number(steps), moment,
                      u"%1: controlemoment abonnement op %2"_s.arg(rows.value(1).toString(), shown(moment)));
    }
}

} // namespace

QDate periodEnd(const QDate& from, int count, int unit)
{
    switch (unit) {
    case HerinneringSettings::Dagen: return from.addDays(count);
    case HerinneringSettings::Weken: return from.addDays(qint64(count) * 7);
    case HerinneringSettings::Maanden: return from.addMonths(count);
    default: return {};
    }
}

int create(OfficeDatabase& db, const Settings& setup, const QDate& today)
{
    const HerinneringSettings& s = setup.get<HerinneringSettings>();
    if (!s.AutomatischTaken)
        return 0;
    TaskWriter tasks(db, today);
    db.transaction([&] {
        productTasks(db, s, today, tasks);
        lifeEventTasks(db, s, today, tasks);
        subscriptionTasks(db, s, today, tasks);
    });
    return tasks.created();
}

int close(OfficeDatabase& db, const Settings& setup, const QDate& today)
{
    const HerinneringSettings& s = setup.get<HerinneringSettings>();
    if (s.AfgehandeldEenheid == HerinneringSettings::Nooit)
        return 0;
    int closed = 0;
    db.transaction([&] {
        QSqlQuery open = db.exec(u"SELECT Sleutel, Gebeurtenisdatum FROM Taak WHERE Afgehandeld = 0"_s);
        QStringList lapsed;
        while (open.next()) {
            const QDate lapses = periodEnd(isoDate(open.value(1)), s.AfgehandeldAantal, s.AfgehandeldEenheid);
            if (lapses.isValid() && lapses < today)
                lapsed << open.value(0).toString();
        }
        for (const QString& key : lapsed)
            db.exec(u"UPDATE Taak SET Afgehandeld = 1, AfgehandeldOp = ? WHERE Sleutel = ?"_s, {iso(today), key});
        closed = int(lapsed.size());
    });
    return closed;
}

} // namespace tarvelo::PortfolioTasks
