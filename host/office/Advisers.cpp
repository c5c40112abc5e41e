#include "host/office/Advisers.h"

#include "host/office/OfficeDatabase.h"

#include <QDir>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace tarvelo::Advisers {

AdviserIdentity current(const OfficeDatabase& database, const QString& loginName)
{
    QSqlQuery query = database.exec(
        u"SELECT a.Code, a.Voorletters, a.Tussenvoegsel, a.Achternaam FROM Adviseur a "
                       "LEFT JOIN AdviseurGegevens g ON g.Code = a.Code LEFT JOIN Autorisatie r ON r.Code = a.Code "
                       "ORDER BY CASE WHEN lower(g.Gebruikersnaam) = lower(?) THEN 0 WHEN r.Rol = 1 THEN 1 ELSE 2 END, "
                       "a.Achternaam, a.Code"_s,
        {loginName});
    if (!query.next())
        return {QString(), loginName};
    QStringList parts;
    for (int i = 1; i <= 3; ++i) {
        const QString part = query.value(i).toString().trimmed();
        if (!part.isEmpty())
            parts << part;
    }
    return {query.value(0).toString(), parts.join(QLatin1Char(' '))};
}

QString loginName()
{
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return name;
    }
    return QDir::home().dirName();
}

} // namespace tarvelo::Advisers
