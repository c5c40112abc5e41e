#pragma once

#include "framework/host/Database.h"
#include "framework/settings/AutorisatieSettings.h"
#include "host/office/OfficeDatabase.h"
#include "tests/support/PageTest.h"

namespace tarvelo::testing {

using namespace Qt::StringLiterals;

// An office with advisers in the register and their records, for the tests of
// the adviser pages.
struct RegisterEntry {
    RegisterEntry(QString code, QString voorletters, QString voornamen, QString tussenvoegsel, QString achternaam,
                  QString geslacht, QString email, qint16 rol, QString vestiging = {}, QString wachtwoord = {},
                  QString gebruikersnaam = {}, QString status = {})
        : code(std::move(code)),
          voorletters(std::move(voorletters)),
          voornamen(std::move(voornamen)),
          tussenvoegsel(std::move(tussenvoegsel)),
          achternaam(std::move(achternaam)),
          geslacht(std::move(geslacht)),
          email(std::move(email)),
          rol(rol),
          vestiging(std::move(vestiging)),
          wachtwoord(std::move(wachtwoord)),
          gebruikersnaam(std::move(gebruikersnaam)),
          status(std::move(status))
    {
    }
    QString code;
    QString voorletters, voornamen, tussenvoegsel, achternaam, geslacht;
    QString email;
    qint16 rol;
    QString vestiging;
    QString wachtwoord;
    QString gebruikersnaam;
    QString status;
};

inline QString codeOf(int n)
{
    return u"%1-aaaa-4bbb-8ccc-0000000000%2"_s.arg(n, 8, 10, QLatin1Char('0')).arg(n, 2, 10, QLatin1Char('0'));
}

class AdviserOffice : public PageTest {
protected:
    OfficeDatabase& db() { return h.app().officeDatabase(); }
    Database& database() { return h.app(); }

    void addAdviser(const RegisterEntry& e)
    {
        db().exec(u"INSERT INTO Adviseur (Code, Voornamen, Voorletters, Tussenvoegsel, Achternaam, Geslacht, "
                  "Emailadres, Status) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s,
                  {e.code, e.voornamen, e.voorletters, e.tussenvoegsel, e.achternaam, e.geslacht, e.email, e.status});
        db().exec(u"INSERT INTO AdviseurGegevens (Code, Email, Internet, Telefoon, Telefax, Gebruikersnaam, "
                  "AFMRegistratieNr) VALUES (?, ?, '', '', '', ?, '')"_s,
                  {e.code, e.email, e.gebruikersnaam});
        db().exec(u"INSERT INTO Autorisatie (Code, Rol, AdviezenOpenen, AdviezenRechten, Vestiging, "
                  "Wachtwoord) VALUES (?, ?, ?, ?, ?, ?)"_s,
                  {e.code, e.rol, e.rol == 0 ? 0 : 3, e.rol == 0 ? 0 : 3, e.vestiging, e.wachtwoord});
    }
    void addAdvices(const QString& code, int count)
    {
        static int next = 0;
        for (int i = 0; i < count; ++i)
            db().exec(u"INSERT INTO Adviesdossier (ID, Klant, Adviseur) VALUES (?, 'Klant', ?)"_s,
                      {u"D%1"_s.arg(++next), code});
    }
    int advicesOf(const QString& code)
    {
        QSqlQuery q = db().exec(u"SELECT COUNT(*) FROM Adviesdossier WHERE Adviseur = ?"_s, {code});
        return q.next() ? q.value(0).toInt() : -1;
    }
    Autorisatie rights(const QString& code)
    {
        Autorisatie a;
        database().GetAutorisatie(a, code);
        return a;
    }
    QString addBranch(const QString& naam, const QString& id)
    {
        AutorisatieSettings& s = h.setup().get<AutorisatieSettings>();
        VestigingRecord& v = *s.Vestiging(s.AddVestiging());
        v.ID = id;
        v.Naam = naam;
        return id;
    }
    // Three advisers: Jan the current user and administrator, Anna an
    // administrator, Piet a user; and Kees, who left the office.
    void standardOffice()
    {
        addAdviser({codeOf(1), "J.W.", "Jan Willem", "de", "Vries", "M", "jan@kantoor.nl", 1, {}, {}, "jan"});
        addAdviser({codeOf(2), "A.", "", "", "Bakker", "V", "anna@kantoor.nl", 1, {}, {}, "anna"});
        addAdviser({codeOf(3), "P.", "Pieter", "", "Jansen", "M", "", 2, {}, {}, ""});
        addAdviser({codeOf(4), "K.", "Kees", "", "Mulder", "M", "kees@kantoor.nl", 2, {}, {}, "", "inactief"});
        db().exec(u"INSERT INTO Kantoor (Naam, Straat, Huisnummer, Toevoeging, Postcode, Woonplaats) "
                  "VALUES ('De Linde', 'Stationsplein', 12, 'a', '3818 LE', 'Amersfoort')"_s);
        h.app().setCurrentAdviser({codeOf(1), u"J.W. de Vries"_s});
    }
};

} // namespace tarvelo::testing
