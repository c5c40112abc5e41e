#include "host/office/CurrentAdviser.h"

#include "framework/host/Settings.h"
#include "framework/settings/CurrentAdviserSettings.h"
#include "host/office/OfficeDatabase.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

void fillCurrentAdviser(const OfficeDatabase& database, const QString& code, Settings& setup)
{
    if (code.isEmpty())
        return;
    QSqlQuery query = database.exec(
        u"SELECT Geslacht, Voorletters, Voornamen, Tussenvoegsel, Achternaam FROM Adviseur WHERE Code = ?"_s, {code});
    if (!query.next())
        return;
    CurrentAdviserSettings& adviseur = setup.get<CurrentAdviserSettings>();
    adviseur.Geslacht = query.value(0).toString();
    adviseur.Voorletters = query.value(1).toString();
    adviseur.Voornamen = query.value(2).toString();
    adviseur.Tussenvoegsel = query.value(3).toString();
    adviseur.Achternaam = query.value(4).toString();
}

} // namespace tarvelo
