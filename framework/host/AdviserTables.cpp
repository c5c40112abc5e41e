#include "framework/host/AdviserTables.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Connection.h"
#include "framework/host/OfficeTransaction.h"

#include <QRegularExpression>
#include <algorithm>
#include <initializer_list>

using namespace Qt::StringLiterals;

namespace tarvelo::AdviserTables {

namespace {

int count(Connection& connection, const QString& sql, const QVariantList& values)
{
    const std::unique_ptr<Recordset> rows = connection.OpenRecordset(sql, values);
    return rows->EOF_() ? 0 : rows->field(u"Aantal"_s).toInt();
}

[[noreturn]] void refuse(const QString& why)
{
    throw RuntimeError(ErrorNumber::InvalidProcedureCall, why + u" Er is niets opgeslagen."_s, u"Database"_s);
}

void requireCode(const QString& code)
{
    if (code.trimmed().isEmpty())
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, u"Zonder adviseurscode wordt niets opgeslagen."_s,
                           u"Database"_s);
}

// The values the access-rights page offers; 0 is a record not set up yet.
void requireKnownRights(const Autorisatie& record)
{
    const auto known = [](qint16 value, std::initializer_list<qint16> values) {
        return std::find(values.begin(), values.end(), value) != values.end();
    };
    if (!known(record.Rol, {0, 1, 2}))
        refuse(u"Rol %1 bestaat niet; een adviseur is administrator (1) of gebruiker (2)."_s.arg(record.Rol));
    if (!known(record.AdviezenOpenen, {0, 1, 2, 3}))
        refuse(u"Adviezen openen %1 bestaat niet; kies zichzelf (1), eigen vestiging (2) of iedereen (3)."_s.arg(
            record.AdviezenOpenen));
    if (!known(record.AdviezenRechten, {0, 2, 3}))
        refuse(u"Rechten op adviezen %1 bestaan niet; kies alleen lezen (2) of lezen en schrijven (3)."_s.arg(
            record.AdviezenRechten));
}

} // namespace

const QString& gegevensRead()
{
    static const QString sql =
        u"SELECT Code, Email, Internet, Telefoon, Telefax, Gebruikersnaam, AFMRegistratieNr FROM AdviseurGegevens"_s;
    return sql;
}

const QString& rechtenRead()
{
    static const QString sql =
        u"SELECT Code, Rol, AdviezenOpenen, AdviezenRechten, Vestiging, Wachtwoord FROM Autorisatie"_s;
    return sql;
}

AdviseurGegevens gegevens(const Recordset& row)
{
    AdviseurGegevens record;
    record.Email = row.text(u"Email"_s);
    record.Internet = row.text(u"Internet"_s);
    record.Telefoon = row.text(u"Telefoon"_s);
    record.Telefax = row.text(u"Telefax"_s);
    record.Gebruikersnaam = row.text(u"Gebruikersnaam"_s);
    record.AFMRegistratieNr = row.text(u"AFMRegistratieNr"_s);
    return record;
}

Autorisatie rechten(const Recordset& row)
{
    Autorisatie record;
    record.Rol = qint16(row.field(u"Rol"_s).toInt());
    record.AdviezenOpenen = qint16(row.field(u"AdviezenOpenen"_s).toInt());
    record.AdviezenRechten = qint16(row.field(u"AdviezenRechten"_s).toInt());
    record.Vestiging = row.text(u"Vestiging"_s);
    record.Wachtwoord = row.text(u"Wachtwoord"_s);
    return record;
}

AdviseurGegevens readGegevens(Connection& connection, const QString& code)
{
    const std::unique_ptr<Recordset> row = connection.OpenRecordset(gegevensRead() + u" WHERE Code = ?"_s, {code});
    return row->EOF_() ? AdviseurGegevens() : gegevens(*row);
}

Autorisatie readRechten(Connection& connection, const QString& code)
{
    const std::unique_ptr<Recordset> row = connection.OpenRecordset(rechtenRead() + u" WHERE Code = ?"_s, {code});
    return row->EOF_() ? Autorisatie() : rechten(*row);
}

void saveGegevens(Connection& connection, const QString& code, const AdviseurGegevens& record)
{
    requireCode(code);
    inOneTransaction(connection, [&] {
        connection.Execute(u"DELETE FROM AdviseurGegevens WHERE Code = ?"_s, {code});
        connection.Execute(u"INSERT INTO AdviseurGegevens (Code, Email, Internet, Telefoon, Telefax, "
                           "Gebruikersnaam, AFMRegistratieNr) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                           {code, record.Email, record.Internet, record.Telefoon, record.Telefax, record.Gebruikersnaam,
                            record.AFMRegistratieNr});
    });
}

void saveRechten(Connection& connection, const QString& code, const Autorisatie& record)
{
    requireCode(code);
    requireKnownRights(record);
    inOneTransaction(connection, [&] {
        connection.Execute(u"DELETE FROM Autorisatie WHERE Code = ?"_s, {code});
        connection.Execute(
            u"INSERT INTO Autorisatie (Code, Rol, AdviezenOpenen, AdviezenRechten, Vestiging, "
            "Wachtwoord) VALUES (?, ?, ?, ?, ?, ?)"_s,
            {code, record.Rol, record.AdviezenOpenen, record.AdviezenRechten, record.Vestiging, record.Wachtwoord});
    });
}

// Compared here, not by the engine: the file's lower() knows only the
// letters A to Z, so "ANNELIËS" would pass as free beside "anneliës".
bool gebruikersnaamInGebruik(Connection& connection, const QString& code, const QString& naam)
{
    const QString wanted = naam.trimmed().toCaseFolded();
    if (wanted.isEmpty())
        return false;
    const std::unique_ptr<Recordset> names =
        connection.OpenRecordset(u"SELECT Gebruikersnaam FROM AdviseurGegevens WHERE Code <> ?"_s, {code});
    for (; !names->EOF_(); names->MoveNext()) {
        if (names->text(u"Gebruikersnaam"_s).trimmed().toCaseFolded() == wanted)
            return true;
    }
    return false;
}

int aantalAdministrators(Connection& connection, const QString& codes)
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
    return count(
        connection,
        u"SELECT COUNT(*) AS Aantal FROM Autorisatie WHERE Rol = 1 AND Code IN (%1)"_s.arg(marks.join(u", "_s)),
        values);
}

int aantalAdviseursVestiging(Connection& connection, const QString& vestiging)
{
    return count(connection, u"SELECT COUNT(*) AS Aantal FROM Autorisatie WHERE Vestiging = ?"_s, {vestiging});
}

void ontkoppelVestiging(Connection& connection, const QString& vestiging)
{
    connection.Execute(u"UPDATE Autorisatie SET Vestiging = '' WHERE Vestiging = ?"_s, {vestiging});
}

void opschonenVestigingen(Connection& connection)
{
    connection.Execute(u"UPDATE Autorisatie SET Vestiging = '' WHERE Vestiging <> ''"_s);
}

int aantalAdviezen(Connection& connection, const QString& code)
{
    return count(connection, u"SELECT COUNT(*) AS Aantal FROM Adviesdossier WHERE Adviseur = ?"_s, {code});
}

void omzettenAdviezen(Connection& connection, const QString& oudeCode, const QString& nieuweCode)
{
    if (nieuweCode.trimmed().isEmpty())
        throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                           u"Adviezen kunnen niet worden omgezet naar een lege adviseurscode."_s);
    connection.Execute(u"UPDATE Adviesdossier SET Adviseur = ? WHERE Adviseur = ?"_s, {nieuweCode, oudeCode});
}

void deleteAdviseur(Connection& connection, const QString& code)
{
    inOneTransaction(connection, [&] {
        connection.Execute(u"DELETE FROM AdviseurGegevens WHERE Code = ?"_s, {code});
        connection.Execute(u"DELETE FROM Autorisatie WHERE Code = ?"_s, {code});
    });
}

} // namespace tarvelo::AdviserTables
