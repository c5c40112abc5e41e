#include "host/office/Advisers.h"

#include "host/office/OfficeDatabase.h"

#include <QStringList>

#include <pwd.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace tarvelo::Advisers {

namespace {
AdviserIdentity identityOf(const QSqlQuery& query)
{
    QStringList parts;
    for (int i = 1; i <= 3; ++i) {
        const QString part = query.value(i).toString().trimmed();
        if (!part.isEmpty())
            parts << part;
    }
    return {query.value(0).toString(), parts.join(QLatin1Char(' '))};
}
} // namespace

std::optional<AdviserIdentity> find(const OfficeDatabase& database, const QString& loginOrCode)
{
    QSqlQuery query = database.exec(
        u"SELECT a.Code, a.Voorletters, a.Tussenvoegsel, a.Achternaam FROM Adviseur a "
        "LEFT JOIN AdviseurGegevens g ON g.Code = a.Code WHERE lower(g.Gebruikersnaam) = lower(?) OR a.Code = ? "
        "ORDER BY a.Code"_s,
        {loginOrCode, loginOrCode});
    if (!query.next())
        return std::nullopt;
    return identityOf(query);
}

bool isAdministrator(const OfficeDatabase& database, const QString& code)
{
    QSqlQuery query = database.exec(u"SELECT Rol FROM Autorisatie WHERE Code = ?"_s, {code});
    return query.next() && query.value(0).toInt() == 1;
}

std::pair<QString, QVariantList> currentRead(const QString& loginName)
{
    return {u"SELECT a.Code, a.Voorletters, a.Tussenvoegsel, a.Achternaam FROM Adviseur a "
            "LEFT JOIN AdviseurGegevens g ON g.Code = a.Code LEFT JOIN Autorisatie r ON r.Code = a.Code "
            "ORDER BY CASE WHEN lower(g.Gebruikersnaam) = lower(?) THEN 0 WHEN r.Rol = 1 THEN 1 ELSE 2 END, "
            "a.Achternaam, a.Code"_s,
            {loginName}};
}

AdviserIdentity current(const OfficeDatabase& database, const QString& loginName)
{
    const auto [sql, values] = currentRead(loginName);
    QSqlQuery query = database.exec(sql, values);
    if (!query.next())
        return {QString(), loginName};
    return identityOf(query);
}

// The account the program runs under, as the operating system knows it: an
// environment variable can be set by anyone to any name.
QString loginName()
{
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(::geteuid());
}

} // namespace tarvelo::Advisers
