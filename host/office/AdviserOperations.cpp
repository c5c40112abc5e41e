// The reference host's adviser register and the advisers' records in the
// office database: the operations the adviser and access-rights pages call.
// Storing, counting and removing the records is the library's own default
// (framework/host/AdviserTables); the host reads them all at once.

#include "framework/host/AdviserTables.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/xml/XmlNodes.h"
#include "host/ReferenceApplication.h"
#include "host/database/SnapshotRecordset.h"
#include "host/office/AdviserRegisterReads.h"
#include "host/office/OfficeDatabase.h"

#include <pugixml.hpp>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
void add(pugi::xml_node parent, const char* name, const QVariant& value)
{
    parent.append_child(name).text().set(value.toString().toUtf8().constData());
}
const QString OfficeRead = u"SELECT Naam, Straat, Huisnummer, Toevoeging, Postcode, Woonplaats FROM Kantoor"_s;
const QString RegisterRead = u"SELECT Code, Voornamen, Voorletters, Tussenvoegsel, Achternaam, Geslacht, Emailadres, "
                             "Status FROM Adviseur ORDER BY Achternaam, Code"_s;

} // namespace

OfficeDatabase::Reads adviserRegisterReads()
{
    return {
        {OfficeRead, {}}, {RegisterRead, {}}, {AdviserTables::gegevensRead(), {}}, {AdviserTables::rechtenRead(), {}}};
}

// The register lists every adviser, the removed ones as "inactief"; codes
// come in braces, as the register gives them.
QString ReferenceApplication::AdviseursRegister()
{
    if (withoutOffice_ > 0)
        return QString();
    // On the server its reads go in one round trip, with the advisers' own
    // data and rights when they are not read yet: what shows the register
    // mostly shows those too.
    if (office_->location().provider == QLatin1String("MSSQL")) {
        OfficeDatabase::Reads reads = adviserRegisterReads();
        if (adviserRecords_.generation == office_->pageConnection().readGeneration())
            reads.resize(2);
        office_->readAhead(reads);
    }
    pugi::xml_document document;
    pugi::xml_node gebruikers = document.append_child("adviseursregister").append_child("gebruikers");
    QSqlQuery kantoor = office_->exec(OfficeRead);
    const bool hasKantoor = kantoor.next();
    QSqlQuery advisers = office_->exec(RegisterRead);
    while (advisers.next()) {
        pugi::xml_node g = gebruikers.append_child("gebruiker");
        add(g, "klantcode", QLatin1Char('{') + advisers.value(0).toString() + QLatin1Char('}'));
        add(g, "voornamen", advisers.value(1));
        add(g, "voorletters", advisers.value(2));
        add(g, "tussenvoegsel", advisers.value(3));
        add(g, "naam", advisers.value(4));
        add(g, "geslacht", advisers.value(5));
        add(g, "emailadres", advisers.value(6));
        add(g, "status", advisers.value(7).toString().isEmpty() ? u"actief"_s : advisers.value(7));
        const char* kantoorVelden[] = {"kantoornaam",       "kantoorstraat",   "kantoorhuisnummer",
                                       "kantoortoevoeging", "kantoorpostcode", "kantoorplaats"};
        for (int i = 0; i < 6; ++i) {
            const QVariant value = hasKantoor ? kantoor.value(i) : QVariant();
            add(g, kantoorVelden[i], i == 2 && value.toInt() == 0 ? QVariant() : value);
        }
    }
    return xmlText(document);
}

void ReferenceApplication::VerwijderAdviseurUitRegister(const QString& code)
{
    office_->exec(u"UPDATE Adviseur SET Status = 'inactief' WHERE Code = ?"_s, {code});
}

// The adviser page reads every adviser's data and rights: all of them at once,
// not two statements per adviser.
const ReferenceApplication::AdviserRecords& ReferenceApplication::adviserRecords() const
{
    const qint64 generation = office_->pageConnection().readGeneration();
    if (adviserRecords_.generation == generation)
        return adviserRecords_;
    AdviserRecords read;
    QSqlQuery gegevens = office_->exec(AdviserTables::gegevensRead());
    for (SnapshotRecordset row(office_->pageConnection(), gegevens, AdviserTables::gegevensRead()); !row.EOF_();
         row.MoveNext())
        read.gegevens[row.text(u"Code"_s)] = AdviserTables::gegevens(row);
    QSqlQuery rechten = office_->exec(AdviserTables::rechtenRead());
    for (SnapshotRecordset row(office_->pageConnection(), rechten, AdviserTables::rechtenRead()); !row.EOF_();
         row.MoveNext())
        read.rechten[row.text(u"Code"_s)] = AdviserTables::rechten(row);
    read.generation = generation;
    adviserRecords_ = std::move(read);
    return adviserRecords_;
}

bool ReferenceApplication::HeeftRecht(int recht) const
{
    // Managing advisers (right 2) belongs to administrators.
    if (recht != 2 || adviser_.code.isEmpty())
        return false;
    return adviserRecords().rechten.value(adviser_.code).Rol == 1;
}

void ReferenceApplication::GetAdviseur(AdviseurGegevens& record, const QString& code)
{
    record = adviserRecords().gegevens.value(code);
}

void ReferenceApplication::GetAutorisatie(Autorisatie& record, const QString& code)
{
    record = adviserRecords().rechten.value(code);
}

int ReferenceApplication::AantalVestigingen() { return setup_.get<AutorisatieSettings>().Vestigingen.count(); }

bool ReferenceApplication::WerktMetVestigingen() const
{
    return werktMetVestigingen_.value_or(setup_.get<AutorisatieSettings>().Vestigingen.count() > 0);
}

} // namespace tarvelo
