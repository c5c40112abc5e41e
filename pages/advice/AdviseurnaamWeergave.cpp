#include "pages/advice/AdviseurnaamWeergave.h"

#include "framework/settings/CurrentAdviserSettings.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace tarvelo {

QString adviseurnaamWeergave(const CurrentAdviserSettings& adviseur, int weergave)
{
    const QString titel = adviseur.Geslacht.get().trimmed() == QLatin1String("V") ? u"Mw. "_s : u"Dhr. "_s;
    const QString voorletters = adviseur.Voorletters.get().trimmed();
    const QString voornamen = adviseur.Voornamen.get().trimmed();
    QStringList achternaamParts;
    for (const QString& part : {adviseur.Tussenvoegsel.get().trimmed(), adviseur.Achternaam.get().trimmed()}) {
        if (!part.isEmpty())
            achternaamParts << part;
    }
    const QString achternaam = achternaamParts.join(QLatin1Char(' '));

    QStringList parts;
    const auto add = [&parts](const QString& part) {
        if (!part.isEmpty())
            parts << part;
    };
    switch (weergave) {
    case 2: return titel + achternaam;
    case 5: return titel + (voorletters.isEmpty() ? achternaam : voorletters + QLatin1Char(' ') + achternaam);
    case 3:
        add(voorletters);
        add(voornamen.isEmpty() ? QString() : QLatin1Char('(') + voornamen + QLatin1Char(')'));
        break;
    case 4:
        // Without first names the initials stand in, so the name is never bare.
        add(voornamen.isEmpty() ? voorletters : voornamen);
        break;
    default: add(voorletters); break;
    }
    add(achternaam);
    return parts.join(QLatin1Char(' '));
}

} // namespace tarvelo
