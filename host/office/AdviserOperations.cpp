// The reference host's adviser register and the advisers' records in the
// office database: the operations the adviser and access-rights pages call.

#include "framework/errors/RuntimeError.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/xml/XmlNodes.h"
#include "host/ReferenceApplication.h"
#include "host/office/AdviserRegisterReads.h"
#include "host/office/OfficeDatabase.h"

#include <QRegularExpression>
#include <pugixml.hpp>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
int count(const OfficeDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query = db.exec(sql, values);
    return query.next() ? query.value(0).toInt() : 0;
}

void add(pugi::xml_node parent, const char* name, const QVariant& value)
{
    parent.append_child(name).text().set(value.toString().toUtf8().constData());
}
const QString OfficeRead = u"SELECT Naam, Straat, Huisnummer, Toevoeging, Postcode, Woonplaats FROM Kantoor"_s;
const QString RegisterRead = u"SELECT Code, Voornamen, Voorletters, Tussenvoegsel, Achternaam, Geslacht, Emailadres, "
                             "Status FROM Adviseur ORDER BY Achternaam, Code"_s;
const QString AdviserDataRead =
    u"SELECT Code, Email, Internet, Telefoon, Telefax, Gebruikersnaam, AFMRegistratieNr FROM AdviseurGegevens"_s;
const QString RightsRead =
    u"SELECT Code, Rol, AdviezenOpenen, AdviezenRechten, Vestiging, Wachtwoord FROM Autorisatie"_s;

} // namespace

OfficeDatabase::Reads adviserRegisterReads()
{
    return {{OfficeRead, {}}, {RegisterRead, {}}, {AdviserDataRead, {}}, {RightsRead, {}}};
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
    QSqlQuery gegevens = office_->exec(AdviserDataRead);
    while (gegevens.next()) {
        AdviseurGegevens& record = read.gegevens[gegevens.value(0).toString()];
        record.Email = gegevens.value(1).toString();
        record.Internet = gegevens.value(2).toString();
        record.Telefoon = gegevens.value(3).toString();
        record.Telefax = gegevens.value(4).toString();
        record.Gebruikersnaam = gegevens.value(5).toString();
        record.AFMRegistratieNr = gegevens.value(6).toString();
    }
    QSqlQuery rechten = office_->exec(RightsRead);
    while (rechten.next()) {
        Autorisatie& record = read.rechten[rechten.value(0).toString()];
        record.Rol = qint16(rechten.value(1).toInt());
        record.AdviezenOpenen = qint16(rechten.value(2).toInt());
        record.AdviezenRechten = qint16(rechten.value(3).toInt());
        record.Vestiging = rechten.value(4).toString();
        record.Wachtwoord = rechten.value(5).toString();
    }
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

void ReferenceApplication::SaveAdviseur(const AdviseurGegevens& record, const QString& code)
{
    office_->transaction([&] {
        office_->exec(u"DELETE FROM AdviseurGegevens WHERE Code = ?"_s, {code});
        office_->exec(u"INSERT INTO AdviseurGegevens (Code, Email, Internet, Telefoon, Telefax, "
                      "Gebruikersnaam, AFMRegistratieNr) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                      {code, record.Email, record.Internet, record.Telefoon, record.Telefax, record.Gebruikersnaam,
                       record.AFMRegistratieNr});
    });
}

bool ReferenceApplication::GebruikersnaamInGebruik(const QString& code, const QString& naam)
{
    return count(*office_,
                 u"SELECT COUNT(*) FROM AdviseurGegevens WHERE lower(Gebruikersnaam) = lower(?) "
                 "AND Code <> ?"_s,
                 {naam.trimmed(), code}) > 0;
}

void ReferenceApplication::GetAutorisatie(Autorisatie& record, const QString& code)
{
    record = adviserRecords().rechten.value(code);
}

void ReferenceApplication::SaveAutorisatie(const QString& code, const Autorisatie& record)
{
    office_->transaction([&] {
        office_->exec(u"DELETE FROM Autorisatie WHERE Code = ?"_s, {code});
        office_->exec(
            u"INSERT INTO Autorisatie (Code, Rol, AdviezenOpenen, AdviezenRechten, Vestiging, "
            "Wachtwoord) VALUES (?, ?, ?, ?, ?, ?)"_s,
            {code, record.Rol, record.AdviezenOpenen, record.AdviezenRechten, record.Vestiging, record.Wachtwoord});
    });
}

int ReferenceApplication::AantalAdministrators(const QString& codes)
{
    if (codes.trimmed().isEmpty())
        return 0;
    // The codes arrive as the page lists them, each between quotes with a
    // quote inside doubled; they are bound, never put into the statement.
    static const QRegularExpression item(u"\\s*'((?:[^']|'')*)'\\s*(,|$)"_s);
    QVariantList values;
    QStringList marks;
    qsizetype at = 0;
    while (at < codes.size()) {
        const QRegularExpressionMatch m =
            item.match(codes, at, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch())
            throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                               u"De lijst van adviseurcodes is ongeldig: %1"_s.arg(codes));
        values << m.captured(1).replace(u"''"_s, u"'"_s);
        marks << u"?"_s;
        at = m.capturedEnd();
        if (m.captured(2).isEmpty())
            break;
    }
    return count(*office_,
                 u"SELECT COUNT(*) FROM Autorisatie WHERE Rol = 1 AND Code IN (%1)"_s.arg(marks.join(u", "_s)), values);
}

int ReferenceApplication::AantalVestigingen() { return setup_.get<AutorisatieSettings>().Vestigingen.count(); }

bool ReferenceApplication::WerktMetVestigingen() const
{
    return werktMetVestigingen_.value_or(setup_.get<AutorisatieSettings>().Vestigingen.count() > 0);
}

int ReferenceApplication::AantalAdviseursVestiging(const QString& vestiging)
{
    return count(*office_, u"SELECT COUNT(*) FROM Autorisatie WHERE Vestiging = ?"_s, {vestiging});
}

void ReferenceApplication::OntkoppelVestiging(const QString& vestiging)
{
    office_->exec(u"UPDATE Autorisatie SET Vestiging = '' WHERE Vestiging = ?"_s, {vestiging});
}

// Without branches no access record keeps one.
void ReferenceApplication::OpschonenVestigingen(int)
{
    office_->exec(u"UPDATE Autorisatie SET Vestiging = '' WHERE Vestiging <> ''"_s);
}

int ReferenceApplication::AantalAdviezen(const QString& code)
{
    return count(*office_, u"SELECT COUNT(*) FROM Adviesdossier WHERE Adviseur = ?"_s, {code});
}

void ReferenceApplication::OmzettenAdviezen(const QString& oudeCode, const QString& nieuweCode)
{
    if (nieuweCode.trimmed().isEmpty())
        throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                           u"Adviezen kunnen niet worden omgezet naar een lege adviseurscode."_s);
    office_->exec(u"UPDATE Adviesdossier SET Adviseur = ? WHERE Adviseur = ?"_s, {nieuweCode, oudeCode});
}

void ReferenceApplication::DeleteAdviseur(const QString& code)
{
    office_->transaction([&] {
        office_->exec(u"DELETE FROM AdviseurGegevens WHERE Code = ?"_s, {code});
        office_->exec(u"DELETE FROM Autorisatie WHERE Code = ?"_s, {code});
    });
}

} // namespace tarvelo
