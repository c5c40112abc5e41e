#include "host/office/DemoOffice.h"

#include "framework/host/Settings.h"
#include "framework/settings/CalculationSettings.h"
#include "framework/settings/InkoopcombinatieSettings.h"
#include "framework/settings/NotarisSettings.h"
#include "framework/settings/OfficeSettings.h"
#include "host/SettingsFile.h"
#include "host/office/OfficeDatabase.h"

#include <QDateTime>

#include <QDate>
#include <QRandomGenerator>
#include <QUuid>

namespace tarvelo::DemoOffice {

namespace {

// Identifiers are derived from names, so the demo office is the same each time.
QString guid(const QString& name)
{
    static const QUuid space(QStringLiteral("{5b1d2c7e-8f0a-4d43-9a51-0c6e1f2a7b30}"));
    return QUuid::createUuidV5(space, name).toString(QUuid::WithoutBraces);
}

struct DemoKantoor {
    QString naam = QStringLiteral("Hypotheekadvies De Linde B.V.");
    QString straat = QStringLiteral("Stationsplein");
    int huisnummer = 12;
    QString toevoeging = QStringLiteral("a");
    QString postcode = QStringLiteral("3818 LE");
    QString woonplaats = QStringLiteral("Amersfoort");
    QString voorletters = QStringLiteral("J.");
    QString tussenvoegsel = QStringLiteral("de");
    QString achternaam = QStringLiteral("Vries");
    QString telefoon = QStringLiteral("033 - 460 12 00");
    QString telefax = QStringLiteral("033 - 460 12 01");
    QString email = QStringLiteral("info@delinde-advies.nl");
    QString url = QStringLiteral("www.delinde-advies.nl");
    QString afm = QStringLiteral("12017345");
};

void office(const OfficeDatabase& db)
{
    const DemoKantoor k;
    db.exec(QStringLiteral("INSERT INTO Kantoor (Naam, Straat, Huisnummer, Toevoeging, Postcode, Woonplaats, "
                           "Voorletters, Tussenvoegsel, Achternaam, TelefoonNr, TelefaxNr, EMailadres, URL, "
                           "AFMRegistratieNr) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {k.naam, k.straat, k.huisnummer, k.toevoeging, k.postcode, k.woonplaats, k.voorletters, k.tussenvoegsel,
             k.achternaam, k.telefoon, k.telefax, k.email, k.url, k.afm});
}

// The office page shows the office as the adviser's settings hold it.
void officeSettings(Settings& setup)
{
    const DemoKantoor k;
    OfficeSettings& kantoor = setup.get<OfficeSettings>();
    kantoor.Naam = k.naam;
    kantoor.TelefoonNr = k.telefoon;
    kantoor.TelefaxNr = k.telefax;
    kantoor.EMailadres = k.email;
    kantoor.URL = k.url;
    kantoor.AFMRegistratieNr = k.afm;
    OfficeAddressSettings& adres = setup.get<OfficeAddressSettings>();
    adres.Straat = k.straat;
    adres.Huisnummer = k.huisnummer;
    adres.Toevoeging = k.toevoeging;
    adres.Postcode = k.postcode;
    adres.Woonplaats = k.woonplaats;
    adres.Voorletters = k.voorletters;
    adres.Tussenvoegsel = k.tussenvoegsel;
    adres.Achternaam = k.achternaam;
}

const QStringList& branches()
{
    static const QStringList names = {QStringLiteral("Amersfoort"), QStringLiteral("Utrecht"), QStringLiteral("Zwolle")};
    return names;
}

void advisers(const OfficeDatabase& db, const QString& loginName)
{
    struct Person {
        const char* voornamen;
        const char* voorletters;
        const char* tussenvoegsel;
        const char* achternaam;
        const char* geslacht;
        int rol;
        int branch;
    };
    static const Person people[] = {
        {"Jan Willem", "J.W.", "de", "Vries", "M", 1, 0},    {"Anna", "A.", "", "Bakker", "V", 1, 0},
        {"Pieter", "P.", "", "Jansen", "M", 2, 1},           {"Sanne", "S.", "", "Visser", "V", 2, 1},
        {"Mohamed", "M.", "el", "Amrani", "M", 2, 2},        {"Lotte", "L.", "van", "Dijk", "V", 2, 2},
    };
    for (const QString& b : branches())
        db.exec(QStringLiteral("INSERT INTO Vestiging (ID, Naam) VALUES (?, ?)"),
                {guid(QStringLiteral("vestiging ") + b), QStringLiteral("Vestiging ") + b});
    bool first = true;
    for (const Person& p : people) {
        const QString achternaam = QString::fromUtf8(p.achternaam);
        const QString code = guid(QStringLiteral("adviseur ") + achternaam);
        const QString mailName = QString::fromUtf8(p.voornamen).section(QLatin1Char(' '), 0, 0).toLower();
        const QString login = first ? loginName : mailName + QLatin1Char('.') + achternaam.toLower();
        db.exec(QStringLiteral("INSERT INTO Adviseur (Code, Voornamen, Voorletters, Tussenvoegsel, Achternaam, Geslacht, "
                               "Emailadres) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {code, QString::fromUtf8(p.voornamen), QString::fromUtf8(p.voorletters), QString::fromUtf8(p.tussenvoegsel),
                 achternaam, QString::fromUtf8(p.geslacht),
                 mailName + QLatin1Char('.') + achternaam.toLower() + QStringLiteral("@delinde-advies.nl")});
        db.exec(QStringLiteral("INSERT INTO AdviseurGegevens (Code, Email, Internet, Telefoon, Telefax, Gebruikersnaam, "
                               "AFMRegistratieNr) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {code, mailName + QStringLiteral("@delinde-advies.nl"), QStringLiteral("www.delinde-advies.nl"),
                 QStringLiteral("033 - 460 12 %1").arg(10 + int(&p - people)), QString(), login, QString()});
        db.exec(QStringLiteral("INSERT INTO Autorisatie (Code, Rol, AdviezenOpenen, AdviezenRechten, Vestiging, "
                               "Wachtwoord) VALUES (?, ?, ?, ?, ?, ?)"),
                {code, p.rol, p.rol == 1 ? 3 : 2, 3, guid(QStringLiteral("vestiging ") + branches()[p.branch]),
                 QString()});
        first = false;
    }
}

struct Kind {
    int cdSoortMij;
    const char* table;
    const char* codeLetter;
    int count;
    QStringList suffixes;
    QStringList products;
};

QList<Kind> kinds()
{
    return {
        {1, "Tbl_Mij_Info", "G", 30, {"Hypotheken", "Bank", "Woonfinanciering"},
         {"Annuïteitenhypotheek", "Lineaire hypotheek", "Aflossingsvrije hypotheek", "Bankspaarhypotheek"}},
        {2, "Tbl_Mij_Verzekering", "V", 30, {"Verzekeringen", "Leven", "Assuradeuren"},
         {"Overlijdensrisicoverzekering", "Woonlastenverzekering", "Opstalverzekering"}},
        {3, "Tbl_Mij_Vermogen", "B", 24, {"Vermogensbeheer", "Private Bank", "Beleggingen"},
         {"Beleggingsrekening", "Bankspaarrekening", "Lijfrenterekening"}},
        {5, "Tbl_Mij_Krediet", "K", 24, {"Krediet", "Financiering", "Consumentenkrediet"},
         {"Doorlopend krediet", "Persoonlijke lening"}},
        {4, "Tbl_Mij_Taxatie", "T", 24, {"Taxaties", "Makelaars en Taxateurs", "Vastgoedwaardering"},
         {"Taxatierapport", "Hertaxatie"}},
        {8, "Tbl_Mij_Bankgarantie", "W", 12, {"Garantiebank", "Borgstelling"},
         {"Bankgarantie nieuwbouw", "Bankgarantie bestaande bouw"}},
    };
}

const QStringList& namePrefixes()
{
    static const QStringList prefixes = {
        QStringLiteral("Noordzee"), QStringLiteral("Delta"), QStringLiteral("Polder"), QStringLiteral("Kanaal"),
        QStringLiteral("Veluwe"), QStringLiteral("Hanze"), QStringLiteral("Dijkgraaf"), QStringLiteral("Waddenland"),
        QStringLiteral("IJssel"), QStringLiteral("Kempen"), QStringLiteral("Lindeboom"), QStringLiteral("Rijnstate"),
        QStringLiteral("Molenaar"), QStringLiteral("Zuiderhaven"), QStringLiteral("Vechtdal"), QStringLiteral("Duinrand"),
        QStringLiteral("Eemland"), QStringLiteral("Gouwe"), QStringLiteral("Heuvelrug"), QStringLiteral("Maasland"),
        QStringLiteral("Oosterpoort"), QStringLiteral("Peelrand"), QStringLiteral("Scheldemond"), QStringLiteral("Twentse"),
        QStringLiteral("Utrechtse"), QStringLiteral("Westland"), QStringLiteral("Zeeuwse"), QStringLiteral("Amstel"),
        QStringLiteral("Brabantse"), QStringLiteral("Friese"),
    };
    return prefixes;
}

void companies(const OfficeDatabase& db, QRandomGenerator& random)
{
    const QStringList descriptions = {QStringLiteral("Hoofdkantoor"), QStringLiteral("Vestiging Utrecht"),
                                      QStringLiteral("Vestiging Zwolle"), QStringLiteral("Via serviceprovider")};
    for (const Kind& kind : kinds()) {
        for (int i = 0; i < kind.count; ++i) {
            const QString code = QStringLiteral("%1%2").arg(QString::fromLatin1(kind.codeLetter)).arg(i + 1, 3, 10, QLatin1Char('0'));
            const QString prefix = namePrefixes()[(i * 7 + kind.cdSoortMij * 3) % namePrefixes().size()];
            const QString shortName = prefix + QLatin1Char(' ') + kind.suffixes[i % kind.suffixes.size()];
            db.exec(QStringLiteral("INSERT INTO %1 (Cd_Mij, Om_NaamKort, Om_Naam) VALUES (?, ?, ?)")
                        .arg(QString::fromLatin1(kind.table)),
                    {code, shortName, shortName + QStringLiteral(" N.V.")});
            const int productCount = 1 + int(random.bounded(kind.products.size()));
            for (int p = 0; p < productCount; ++p) {
                db.exec(QStringLiteral("INSERT INTO Tbl_Mij_Product (Cd_Mij, Cd_SoortMij, Cd_Product, Om_Product) "
                                       "VALUES (?, ?, ?, ?)"),
                        {code, kind.cdSoortMij, QStringLiteral("P%1").arg(p + 1), kind.products[p]});
            }
            // Most companies have agent numbers; the first is the default one.
            const int agentNumbers = random.bounded(10) < 7 ? 1 + int(random.bounded(3)) : 0;
            for (int a = 0; a < agentNumbers; ++a) {
                static const double surcharges[] = {0.0, 0.0, 0.1, -0.1, 0.2, -0.05};
                db.exec(QStringLiteral("INSERT INTO tp_info (Agent_Id, Cd_Mij, Rente, In_Default, Cd_SoortMij, "
                                       "Om_Omschrijving, GUID) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                        {QString::number(100000 + random.bounded(89999999)), code,
                         surcharges[random.bounded(int(std::size(surcharges)))], a == 0 ? -1 : 0, kind.cdSoortMij,
                         descriptions[a % descriptions.size()],
                         QLatin1Char('{') + guid(QStringLiteral("agentnummer %1 %2").arg(code).arg(a)).toUpper() +
                             QLatin1Char('}')});
            }
        }
    }
}

void notaries(const OfficeDatabase& db, NotarisSettings& setup)
{
    struct Notary {
        const char* naam;
        const char* straat;
        int huisnummer;
        const char* postcode;
        const char* plaats;
        const char* geslacht;
        const char* voorletters;
        const char* voorvoegsel;
        const char* achternaam;
    };
    static const Notary list[] = {
        {"Notariskantoor Van den Berg", "Utrechtseweg", 41, "3811 NB", "Amersfoort", "M", "H.", "van den", "Berg"},
        {"Notarissen aan de Gracht", "Oudegracht", 112, "3511 AX", "Utrecht", "V", "M.", "", "Kramer"},
        {"Notariaat Het Eemhuis", "Eemplein", 7, "3812 EA", "Amersfoort", "V", "E.J.", "", "Mulder"},
        {"Notariskantoor Sassenpoort", "Sassenstraat", 23, "8011 PA", "Zwolle", "M", "R.", "de", "Boer"},
        {"Notaris Hoogland", "Hooglandseweg-Noord", 88, "3828 GB", "Hoogland", "M", "A.B.", "", "Smit"},
        {"Notariskantoor Maliebaan", "Maliebaan", 60, "3581 CV", "Utrecht", "V", "C.", "van der", "Laan"},
        {"Notariaat Leusden", "Hessenweg", 15, "3831 AA", "Leusden", "M", "T.", "", "Peters"},
        {"Notariskantoor Diezerpoort", "Diezerstraat", 5, "8011 RB", "Zwolle", "V", "N.", "", "Hendriks"},
    };
    for (const Notary& n : list) {
        db.exec(QStringLiteral("INSERT INTO Notaris (ID, Naam, Straat, Huisnummer, Toevoeging, Postcode, Woonplaats, "
                               "Telefoon, Geslacht, Voorletters, Voorvoegsel, Achternaam) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {guid(QString::fromUtf8(n.naam)), QString::fromUtf8(n.naam), QString::fromUtf8(n.straat), n.huisnummer,
                 QString(), QString::fromUtf8(n.postcode), QString::fromUtf8(n.plaats),
                 QStringLiteral("0%1 - %2").arg(30 + n.huisnummer % 60).arg(200000 + n.huisnummer * 37),
                 QString::fromUtf8(n.geslacht), QString::fromUtf8(n.voorletters), QString::fromUtf8(n.voorvoegsel),
                 QString::fromUtf8(n.achternaam)});
        NotarisRecord& record = setup.AddNotaris();
        record.Naam = QString::fromUtf8(n.naam);
        record.Straat = QString::fromUtf8(n.straat);
        record.Huisnummer = n.huisnummer;
        record.Postcode = QString::fromUtf8(n.postcode);
        record.Woonplaats = QString::fromUtf8(n.plaats);
        record.Telefoon = QStringLiteral("0%1 - %2").arg(30 + n.huisnummer % 60).arg(200000 + n.huisnummer * 37);
        record.Geslacht = QString::fromUtf8(n.geslacht);
        record.Voorletters = QString::fromUtf8(n.voorletters);
        record.Voorvoegsel = QString::fromUtf8(n.voorvoegsel);
        record.Achternaam = QString::fromUtf8(n.achternaam);
    }
}

void serviceProviders(const OfficeDatabase& db, InkoopcombinatieSettings& setup)
{
    static const char* names[] = {"Hypotheekhuis Nederland", "De Adviesunie", "Financieel Collectief Midden",
                                  "Woonadvies Groep", "Hypotheken Inkoop Combinatie", "Noordelijke Adviseurs",
                                  "Zekerheid Partners", "Het Adviesnetwerk", "Vastgoed en Krediet Combinatie",
                                  "Zuid Hypotheekplatform"};
    int number = 1;
    for (const char* name : names) {
        db.exec(QStringLiteral("INSERT INTO Inkoopcombinatie (Volgnummer, Naam, HDNNummer, TypeCode, Geselecteerd) "
                               "VALUES (?, ?, ?, ?, ?)"),
                {number, QString::fromUtf8(name), QStringLiteral("%1").arg(310000 + number * 1237), QStringLiteral("T"),
                 number % 3 == 1 ? 1 : 0});
        InkoopcombinatieRecord& record = setup.AddInkoopcombinatie();
        record.Naam = QString::fromUtf8(name);
        record.HDNNummer = QStringLiteral("%1").arg(310000 + number * 1237);
        record.TypeCode = QStringLiteral("T");
        record.Geselecteerd = number % 3 == 1;
        ++number;
    }
    // One provider the office added itself.
    InkoopcombinatieRecord& own = setup.AddInkoopcombinatie();
    own.Naam = QStringLiteral("Regio Adviescollectief Eemland");
    own.HDNNummer = QStringLiteral("384102");
    own.TypeCode = QStringLiteral("A");
    own.Geselecteerd = true;
}

// Every adviser starts with the office's notaries and service providers in
// his own settings, the object the pages of those lists work on.
void adviserSettings(const OfficeDatabase& db, const Settings& setup)
{
    const QString record = QString::fromUtf8(SettingsFile::toText(SettingsFile::toRecord(setup)));
    const QString now = QDateTime::currentDateTime().toUTC().toString(Qt::ISODateWithMs);
    QSqlQuery codes = db.exec(QStringLiteral("SELECT Code FROM Adviseur"));
    QStringList all;
    while (codes.next())
        all << codes.value(0).toString();
    for (const QString& code : all)
        db.exec(QStringLiteral("INSERT INTO Instellingen (AdviseurCode, Record, Gewijzigd) VALUES (?, ?, ?)"),
                {code, record, now});
}

void subscriptions(const OfficeDatabase& db)
{
    struct Subscription {
        const char* soort;
        const char* omschrijving;
        double bedrag;
        int betaaltermijn, controleAantal, controleEenheid, contractduur;
        bool actief;
    };
    static const Subscription list[] = {
        {"Basis", "Jaarlijkse controle van uw hypotheek", 9.95, 1, 1, 12, 12, true},
        {"Plus", "Halfjaarlijkse controle en rentewijzigingsadvies", 19.50, 1, 6, 1, 24, true},
        {"Premium", "Persoonlijke adviseur en kwartaalcontrole", 45.00, 3, 3, 1, 36, true},
        {"Oud abonnement", "Niet meer aangeboden", 12.50, 12, 2, 12, 12, false},
    };
    for (const Subscription& s : list) {
        db.exec(QStringLiteral("INSERT INTO Abonnement (ID, Actief, Soort, Omschrijving, Termijnbedrag, Betaaltermijn, "
                               "ControleAantal, ControleEenheid, Contractduur) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {QLatin1Char('{') + guid(QString::fromUtf8(s.soort)).toUpper() + QLatin1Char('}'), s.actief ? -1 : 0,
                 QString::fromUtf8(s.soort), QString::fromUtf8(s.omschrijving), s.bedrag, s.betaaltermijn,
                 s.controleAantal, s.controleEenheid, s.contractduur});
    }
}

void hdnMessages(const OfficeDatabase& db, QRandomGenerator& random)
{
    static const char* codes[] = {"AX", "OX", "DX", "SX", "KX", "BX"};
    const QDate first = QDate::currentDate().addMonths(-18);
    for (int id = 1; id <= 320; ++id) {
        const QString code = QString::fromLatin1(codes[random.bounded(int(std::size(codes)))]);
        const QDate date = first.addDays(random.bounded(540));
        const QString lender = QStringLiteral("G%1").arg(1 + random.bounded(30), 3, 10, QLatin1Char('0'));
        const QString xml =
            QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<%1Bericht><Header><BerichtId>%2</BerichtId>"
                           "<Datum>%3</Datum><Maatschappij>%4</Maatschappij></Header><Aanvraag><Bedrag>%5</Bedrag>"
                           "</Aanvraag></%1Bericht>")
                .arg(code)
                .arg(id)
                .arg(date.toString(Qt::ISODate), lender)
                .arg(150000 + random.bounded(450) * 1000);
        db.exec(QStringLiteral("INSERT INTO HDNBericht (Ber_Id, Ber_Cd, Ber_Dt, Ber_Om_Ascii, Ber_Om_Berichtnaam) "
                               "VALUES (?, ?, ?, ?, ?)"),
                {id, code, date.toString(Qt::ISODate), xml, QString()});
    }
}

void dossiers(const OfficeDatabase& db, const QString& documentRoot)
{
    const char* clients[] = {"Bakker", "Jansen", "De Boer", "Visser", "Smit", "Meijer", "Mulder", "Bos",
                             "Vos", "Peters", "Hendriks", "Van Leeuwen", "Dekker", "Brouwer", "De Wit"};
    int number = 0;
    for (const char* client : clients) {
        ++number;
        db.exec(QStringLiteral("INSERT INTO Adviesdossier (ID, Klant, DocumentenMap) VALUES (?, ?, ?)"),
                {QStringLiteral("D%1").arg(number, 5, 10, QLatin1Char('0')), QString::fromUtf8(client),
                 QStringLiteral("%1/%2 %3").arg(documentRoot, QString::fromUtf8(client)).arg(number)});
    }
}

} // namespace

void create(OfficeDatabase& database, const QString& loginName, const QString& documentRoot)
{
    QRandomGenerator random(20240601);
    database.transaction([&] {
        office(database);
        advisers(database, loginName);
        companies(database, random);
        Settings setup;
        officeSettings(setup);
        // The calculations page checks for an overview of 1 to 50 years.
        setup.get<CalculationSettings>().AantalJarenOverzicht = 30;
        notaries(database, setup.get<NotarisSettings>());
        serviceProviders(database, setup.get<InkoopcombinatieSettings>());
        adviserSettings(database, setup);
        subscriptions(database);
        hdnMessages(database, random);
        dossiers(database, documentRoot);
    });
}

} // namespace tarvelo::DemoOffice
