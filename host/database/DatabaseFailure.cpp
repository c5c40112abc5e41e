#include "host/database/DatabaseFailure.h"

#include "framework/ui/MessageDetails.h"
#include "host/database/ServerConnection.h"
#include "host/database/ServerStatement.h"
#include "host/database/SqlConnection.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <libpq-fe.h>
#include <poll.h>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// What a connection attempt of its own learns that the driver does not pass
// on: the server's error code (the driver's message has only the server's
// words, in the server's language), whether a password was asked for and not
// given, and the user libpq logged in as.
struct Diagnosis {
    QString state;
    QString user;
    QString message;
    bool needsPassword = false;
    bool connected = false;
};

Diagnosis diagnose(const DatabaseLocation& location)
{
    const ServerAddress address = ServerAddress::parse(location.server);
    const QByteArray host = address.host.toUtf8();
    const QByteArray port = QByteArray::number(address.port);
    const QByteArray database = location.databaseName.toUtf8();
    const QByteArray timeout = QByteArray::number(DatabaseFailure::ConnectSeconds);
    const char* keys[] = {"host", "port", "dbname", "connect_timeout", nullptr};
    const char* values[] = {host.constData(), port.constData(), database.constData(), timeout.constData(), nullptr};
    Diagnosis found;
    PGconn* conn = PQconnectStartParams(keys, values, 0);
    if (!conn)
        return found;
    // The server's code stands in the message only when libpq is asked for every field.
    PQsetErrorVerbosity(conn, PQERRORS_VERBOSE);
    const QDeadlineTimer deadline(std::chrono::seconds(DatabaseFailure::ConnectSeconds + 1));
    PostgresPollingStatusType status = PQstatus(conn) == CONNECTION_BAD ? PGRES_POLLING_FAILED : PGRES_POLLING_WRITING;
    while (status != PGRES_POLLING_OK && status != PGRES_POLLING_FAILED && !deadline.hasExpired()) {
        pollfd watched{PQsocket(conn), short(status == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
        if (::poll(&watched, 1, int(std::max<qint64>(1, deadline.remainingTime()))) < 0 && errno != EINTR)
            break;
        status = PQconnectPoll(conn);
    }
    found.connected = status == PGRES_POLLING_OK;
    found.needsPassword = PQconnectionNeedsPassword(conn);
    found.message = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
    if (const char* user = PQuser(conn))
        found.user = QString::fromUtf8(user);
    // "SEVERITY:  SQLSTATE: text", the severity in the server's language.
    static const QRegularExpression code(u":  ([0-9A-Z]{5}): "_s);
    found.state = code.match(found.message).captured(1);
    PQfinish(conn);
    return found;
}

QString driverText(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    return text;
}

} // namespace

QString DatabaseFailure::knownCause(const QSqlError& error, bool writing)
{
    const QString code = error.nativeErrorCode();
    // On the server a lock not granted in time is another workstation's save
    // or change in progress.
    if (code == QLatin1String("55P03"))
        return u"Een andere werkplek houdt de instellingen vast. Probeer het over enkele ogenblikken opnieuw."_s;
    // The embedded file held by another program ("busy", "locked").
    if (code == QLatin1String("5") || code == QLatin1String("6"))
        return u"De kantoordatabase is in gebruik door een ander programma. Probeer het over enkele ogenblikken "
               "opnieuw."_s;
    if (code == NoAnswerCode || code == QLatin1String("57014"))
        return u"De kantoordatabase antwoordt niet. Probeer het over enkele ogenblikken opnieuw; blijft het zo, "
               "vraag dan uw beheerder de server en het netwerk na te kijken."_s;
    if (code == QLatin1String("42501"))
        return writing ? u"Deze databaselogin mag de instellingen van het kantoor lezen, maar niet wijzigen. Uw "
                         "beheerder kan deze login schrijfrechten geven."_s
                       : u"Deze databaselogin heeft geen leesrechten op een tabel van de kantoordatabase. Uw "
                         "beheerder kan deze login die rechten geven."_s;
    if (code == NulInValueCode)
        return nulInValueText();
    if (code.startsWith(QLatin1String("08")) || code == QLatin1String("57P01") || code == QLatin1String("57P02") ||
        code == QLatin1String("57P03"))
        return u"De verbinding met de kantoordatabase is verbroken. Probeer het over enkele ogenblikken opnieuw."_s;
    return {};
}

QString DatabaseFailure::connectFailure(const DatabaseLocation& location, const QSqlError& error,
                                        qint64 elapsedMilliseconds)
{
    const QString server = location.server;
    const QString database = location.databaseName;
    const QString driver = driverText(error);
    // An attempt that used up its time is not made a second time.
    if (elapsedMilliseconds >= ConnectSeconds * 1000 - 250)
        return withDetails(u"De server %1 van de kantoordatabase antwoordt niet binnen %2 seconden. Controleer de "
                           "netwerkverbinding van deze computer (of de VPN) en probeer het opnieuw; blijft het zo, "
                           "vraag dan uw beheerder de server na te kijken."_s.arg(server)
                               .arg(ConnectSeconds),
                           driver);
    const Diagnosis seen = diagnose(location);
    const QString details = driver.isEmpty() ? seen.message : driver;
    const QString& state = seen.state;
    QString text;
    if (state == QLatin1String("28P01") || state == QLatin1String("28000"))
        text = u"De server %1 weigert de aanmelding van gebruiker %2: de gebruikersnaam of het wachtwoord is "
               "onjuist. Controleer de gebruiker en het wachtwoord (PGUSER en PGPASSWORD, of het bestand "
               "~/.pgpass), of vraag uw beheerder om de juiste gegevens."_s.arg(server, seen.user);
    else if (seen.needsPassword)
        text = u"De server %1 vraagt een wachtwoord voor gebruiker %2, maar er is geen wachtwoord opgegeven. Zet "
               "het in PGPASSWORD of in het bestand ~/.pgpass, of vraag uw beheerder erom."_s.arg(server, seen.user);
    else if (state == QLatin1String("3D000"))
        text = u"Op de server %1 bestaat geen database %2. Controleer de databasenaam; uw beheerder kan de "
               "database voor het kantoor aanmaken (bijvoorbeeld met CREATE DATABASE %2)."_s.arg(server, database);
    else if (state == QLatin1String("42501"))
        text = u"Gebruiker %2 mag de database %3 op de server %1 niet openen. Uw beheerder kan die gebruiker het "
               "recht geven (GRANT CONNECT ON DATABASE %3 TO %2)."_s.arg(server, seen.user, database);
    else if (state == QLatin1String("53300"))
        text = u"De server %1 neemt nu geen verbindingen meer aan: er zijn er te veel open. Probeer het straks "
               "opnieuw; uw beheerder kan het aantal toegestane verbindingen verhogen."_s.arg(server);
    else if (state == QLatin1String("57P03"))
        text = u"De server %1 van de kantoordatabase start op of wordt afgesloten. Probeer het over enkele "
               "ogenblikken opnieuw."_s.arg(server);
    else if (seen.connected)
        // Refused once and accepted at once after: it was a passing failure.
        text =
            u"De verbinding met de server %1 van de kantoordatabase mislukte even. Probeer het opnieuw."_s.arg(server);
    else
        text = u"De server %1 van de kantoordatabase is niet bereikbaar. Controleer of deze computer verbinding "
               "heeft met het netwerk van het kantoor (of de VPN); blijft het zo, vraag dan uw beheerder na te "
               "gaan of de databaseserver draait en verbindingen aanneemt."_s.arg(server);
    return withDetails(text, details);
}

} // namespace tarvelo
