#include "host/office/DemoOffice.h"

#include "framework/host/Settings.h"
#include "framework/settings/AbonnementSettings.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/settings/CalculationSettings.h"
#include "framework/settings/InkoopcombinatieSettings.h"
#include "framework/settings/NotarisSettings.h"
#include "framework/settings/OfficeSettings.h"
#include "framework/util/ListRoutines.h"
#include "host/SettingsFile.h"
#include "host/office/CurrentAdviser.h"
#include "host/office/OfficeDatabase.h"

#include <QDateTime>

#include <QDate>
#include <QRandomGenerator>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace tarvelo::DemoOffice {

namespace {

// Identifiers are derived from names, so the demo office is the same each time.
QString guid(const QString& name)
{
    static const QUuid space(u"{5b1d2c7e-8f0a-4d43-9a51-0c6e1f2a7b30}"_s);
    return QUuid::createUuidV5(space, name).toString(QUuid::WithoutBraces);
}

struct DemoKantoor {
    QString naam = u"Hypotheekadvies De Linde B.V."_s;
    QString straat = u"Stationsplein"_s;
    int huisnummer = 12;
    QString toevoeging = u"a"_s;
    QString postcode = u"3818 LE"_s;
    QString woonplaats = u"Amersfoort"_s;
    QString voorletters = u"J."_s;
    QString tussenvoegsel = u"de"_s;
    QString achternaam = u"Vries"_s;
    QString telefoon = u"033 - 460 12 00"_s;
    QString telefax = u"033 - 460 12 01"_s;
    QString email = u"info@delinde-advies.nl"_s;
    QString url = u"www.delinde-advies.nl"_s;
    QString afm = u"12017345"_s;
};

void office(const OfficeDatabase& db)
{
    const DemoKantoor k;
    db.exec(u"INSERT INTO Kantoor (Naam, Straat, Huisnummer, Toevoeging, Postcode, Woonplaats, "
            "Voorletters, Tussenvoegsel, Achternaam, TelefoonNr, TelefaxNr, EMailadres, URL, "
            "AFMRegistratieNr) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
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
    static const QStringList names = {u"Amersfoort"_s, u"Utrecht"_s, u"Zwolle"_s};
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
        {"Jan Willem", "J.W.", "de", "Vries", "M", 1, 0}, {"Anna", "A.", "", "Bakker", "V", 1, 0},
        {"Pieter", "P.", "", "Jansen", "M", 2, 1},        {"Sanne", "S.", "", "Visser", "V", 2, 1},
        {"Mohamed", "M.", "el", "Amrani", "M", 2, 2},     {"Lotte", "L.", "van", "Dijk", "V", 2, 2},
    };
    for (const QString& b : branches())
        db.exec(u"INSERT INTO Vestiging (ID, Naam) VALUES (?, ?)"_s, {guid(u"vestiging "_s + b), u"Vestiging "_s + b});
    bool first = true;
    for (const Person& p : people) {
        const QString achternaam = QString::fromUtf8(p.achternaam);
        const QString code = guid(u"adviseur "_s + achternaam);
        const QString mailName = QString::fromUtf8(p.voornamen).section(QLatin1Char(' '), 0, 0).toLower();
        const QString login = first ? loginName : mailName + QLatin1Char('.') + achternaam.toLower();
        db.exec(u"INSERT INTO Adviseur (Code, Voornamen, Voorletters, Tussenvoegsel, Achternaam, Geslacht, "
                "Emailadres) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                {code, QString::fromUtf8(p.voornamen), QString::fromUtf8(p.voorletters),
                 QString::fromUtf8(p.tussenvoegsel), achternaam, QString::fromUtf8(p.geslacht),
                 mailName + QLatin1Char('.') + achternaam.toLower() + u"@delinde-advies.nl"_s});
        db.exec(u"INSERT INTO AdviseurGegevens (Code, Email, Internet, Telefoon, Telefax, Gebruikersnaam, "
                "AFMRegistratieNr) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                {code, mailName + u"@delinde-advies.nl"_s, u"www.delinde-advies.nl"_s,
                 u"033 - 460 12 %1"_s.arg(10 + int(&p - people)), QString(), login, QString()});
        db.exec(u"INSERT INTO Autorisatie (Code, Rol, AdviezenOpenen, AdviezenRechten, Vestiging, "
                "Wachtwoord) VALUES (?, ?, ?, ?, ?, ?)"_s,
                {code, p.rol, p.rol == 1 ? 3 : 2, 3, guid(u"vestiging "_s + branches()[p.branch]), QString()});
        first = false;
    }
}

// The branches as the access-rights page keeps them, with the identifiers the
// advisers' access records name.
void branchSettings(Settings& setup)
{
    AutorisatieSettings& autorisatie = setup.get<AutorisatieSettings>();
    for (const QString& b : branches()) {
        VestigingRecord& vestiging = *autorisatie.Vestiging(autorisatie.AddVestiging());
        vestiging.ID = guid(u"vestiging "_s + b);
        vestiging.Naam = u"Vestiging "_s + b;
    }
}

// Each dossier belongs to an adviser, in turn.
void dossierAdvisers(const OfficeDatabase& db)
{
    QStringList codes;
    QSqlQuery advisers = db.exec(u"SELECT Code FROM Adviseur ORDER BY Code"_s);
    while (advisers.next())
        codes << advisers.value(0).toString();
    QStringList dossiers;
    QSqlQuery ids = db.exec(u"SELECT ID FROM Adviesdossier ORDER BY ID"_s);
    while (ids.next())
        dossiers << ids.value(0).toString();
    for (int i = 0; i < dossiers.size() && !codes.isEmpty(); ++i)
        db.exec(u"UPDATE Adviesdossier SET Adviseur = ? WHERE ID = ?"_s, {codes[i % codes.size()], dossiers[i]});
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
        {1,
         "Tbl_Mij_Info",
         "G",
         30,
         {"Hypotheken", "Bank", "Woonfinanciering"},
         {"Annuïteitenhypotheek", "Lineaire hypotheek", "Aflossingsvrije hypotheek", "Bankspaarhypotheek"}},
        {2,
         "Tbl_Mij_Verzekering",
         "V",
         30,
         {"Verzekeringen", "Leven", "Assuradeuren"},
         {"Overlijdensrisicoverzekering", "Woonlastenverzekering", "Opstalverzekering"}},
        {3,
         "Tbl_Mij_Vermogen",
         "B",
         24,
         {"Vermogensbeheer", "Private Bank", "Beleggingen"},
         {"Beleggingsrekening", "Bankspaarrekening", "Lijfrenterekening"}},
        {5,
         "Tbl_Mij_Krediet",
         "K",
         24,
         {"Krediet", "Financiering", "Consumentenkrediet"},
         {"Doorlopend krediet", "Persoonlijke lening"}},
        {4,
         "Tbl_Mij_Taxatie",
         "T",
         24,
         {"Taxaties", "Makelaars en Taxateurs", "Vastgoedwaardering"},
         {"Taxatierapport", "Hertaxatie"}},
        {8,
         "Tbl_Mij_Bankgarantie",
         "W",
         12,
         {"Garantiebank", "Borgstelling"},
         {"Bankgarantie nieuwbouw", "Bankgarantie bestaande bouw"}},
    };
}

const QStringList& namePrefixes()
{
    static const QStringList prefixes = {
        u"Noordzee"_s,  u"Delta"_s,       u"Polder"_s,      u"Kanaal"_s,   u"Veluwe"_s,      u"Hanze"_s,
        u"Dijkgraaf"_s, u"Waddenland"_s,  u"IJssel"_s,      u"Kempen"_s,   u"Lindeboom"_s,   u"Rijnstate"_s,
        u"Molenaar"_s,  u"Zuiderhaven"_s, u"Vechtdal"_s,    u"Duinrand"_s, u"Eemland"_s,     u"Gouwe"_s,
        u"Heuvelrug"_s, u"Maasland"_s,    u"Oosterpoort"_s, u"Peelrand"_s, u"Scheldemond"_s, u"Twentse"_s,
        u"Utrechtse"_s, u"Westland"_s,    u"Zeeuwse"_s,     u"Amstel"_s,   u"Brabantse"_s,   u"Friese"_s,
    };
    return prefixes;
}

struct Company {
    Company(QString c, QString s, QString n) : code(std::move(c)), shortName(std::move(s)), name(std::move(n)) {}
    Company() = default;
    QString code, shortName, name;
    QString object; // commission-settings object
    bool active = true, inUse = true;
    QDate end; // lenders: last day applications are accepted
    QString hdn, agentId;
    bool commission = false, commissionOnSale = false, commissionOngoing = false;
};

void insertCompany(const OfficeDatabase& db, const QString& table, const Company& c)
{
    db.exec(u"INSERT INTO %1 (Cd_Mij, Om_NaamKort, Om_Naam, Om_Object, In_Actief, In_Gebruik, Dt_Einde, "
            "Nr_HDN, Agent_Id, In_Provisie, In_ProvisieAfsluit, In_ProvisieDoorlopend) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s.arg(table),
            {c.code, c.shortName, c.name, c.object, c.active ? -1 : 0, c.inUse ? -1 : 0,
             c.end.isValid() ? c.end.toString(Qt::ISODate) : QVariant(QMetaType(QMetaType::QString)), c.hdn, c.agentId,
             c.commission ? -1 : 0, c.commissionOnSale ? -1 : 0, c.commissionOngoing ? -1 : 0});
}

void insertProduct(const OfficeDatabase& db, const QString& code, int kind, int number, const QString& name,
                   bool active)
{
    db.exec(u"INSERT INTO Tbl_Mij_Product (Cd_Mij, Cd_SoortMij, Cd_Product, Om_Product, In_Actief) "
            "VALUES (?, ?, ?, ?, ?)"_s,
            {code, kind, u"P%1"_s.arg(number), name, active ? -1 : 0});
}

// The companies with a role of their own: the catch-all lenders and credit
// providers, and those whose commission the office sets up here.
void specialCompanies(const OfficeDatabase& db)
{
    Company overig{u"XX"_s, u"Overige geldverstrekker"_s, u"Overige geldverstrekker"_s};
    insertCompany(db, u"Tbl_Mij_Info"_s, overig);
    insertProduct(db, overig.code, 1, 1, u"Hypotheek overige geldverstrekker"_s, true);
    Company overigKrediet = overig;
    overigKrediet.shortName = overigKrediet.name = u"Overige kredietverstrekker"_s;
    insertCompany(db, u"Tbl_Mij_Krediet"_s, overigKrediet);
    Company avt{u"AVT"_s, u"AVT Verzekeringen"_s, u"AVT Verzekeringen N.V."_s};
    avt.object = u"ProvisieAVT"_s;
    avt.hdn = u"302214"_s;
    avt.commission = avt.commissionOnSale = avt.commissionOngoing = true;
    insertCompany(db, u"Tbl_Mij_Verzekering"_s, avt);
    insertProduct(db, avt.code, 2, 1, u"Overlijdensrisicoverzekering"_s, true);
    Company ce{u"CE"_s, u"Centraal Krediet"_s, u"Centraal Krediet B.V."_s};
    ce.object = u"ProvisieCE"_s;
    ce.hdn = u"305517"_s;
    ce.commission = true;
    insertCompany(db, u"Tbl_Mij_Krediet"_s, ce);
    insertProduct(db, ce.code, 5, 1, u"Doorlopend krediet"_s, true);
    insertProduct(db, ce.code, 5, 2, u"Persoonlijke lening"_s, true);
}

void companies(const OfficeDatabase& db, QRandomGenerator& random)
{
    const QStringList descriptions = {u"Hoofdkantoor"_s, u"Vestiging Utrecht"_s, u"Vestiging Zwolle"_s,
                                      u"Via serviceprovider"_s};
    for (const Kind& kind : kinds()) {
        const QString table = QString::fromLatin1(kind.table);
        for (int i = 0; i < kind.count; ++i) {
            Company c;
            c.code = u"%1%2"_s.arg(QString::fromLatin1(kind.codeLetter)).arg(i + 1, 3, 10, QLatin1Char('0'));
            const QString prefix = namePrefixes()[(i * 7 + kind.cdSoortMij * 3) % namePrefixes().size()];
            c.shortName = prefix + QLatin1Char(' ') + kind.suffixes[i % kind.suffixes.size()];
            c.name = c.shortName + u" N.V."_s;
            // Lenders, insurers and credit providers mostly take applications over HDN.
            if (IsInList(kind.cdSoortMij, {1, 2, 5}) && i % 4 != 3)
                c.hdn = QString::number(300000 + kind.cdSoortMij * 10000 + i * 37);
            if (i % 5 == 2)
                c.agentId = QString::number(7000 + kind.cdSoortMij * 100 + i);
            // A few have left the market or are not offered to this office.
            c.inUse = i % 13 != 12;
            if (kind.cdSoortMij == 1 && i % 11 == 10)
                c.end = QDate::currentDate().addDays(-30);
            insertCompany(db, table, c);
            const int productCount = 1 + int(random.bounded(kind.products.size()));
            for (int p = 0; p < productCount; ++p)
                insertProduct(db, c.code, kind.cdSoortMij, p + 1, kind.products[p], p != 2);
            // Most companies have agent numbers; the first is the default one.
            const int agentNumbers = random.bounded(10) < 7 ? 1 + int(random.bounded(3)) : 0;
            for (int a = 0; a < agentNumbers; ++a) {
                static const double surcharges[] = {0.0, 0.0, 0.1, -0.1, 0.2, -0.05};
                db.exec(
                    u"INSERT INTO tp_info (Agent_Id, Cd_Mij, Rente, In_Default, Cd_SoortMij, "
                    "Om_Omschrijving, GUID) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                    {QString::number(100000 + random.bounded(89999999)), c.code,
                     surcharges[random.bounded(int(std::size(surcharges)))], a == 0 ? -1 : 0, kind.cdSoortMij,
                     descriptions[a % descriptions.size()],
                     QLatin1Char('{') + guid(u"agentnummer %1 %2"_s.arg(c.code).arg(a)).toUpper() + QLatin1Char('}')});
            }
        }
    }
    specialCompanies(db);
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
        db.exec(u"INSERT INTO Notaris (ID, Naam, Straat, Huisnummer, Toevoeging, Postcode, Woonplaats, "
                "Telefoon, Geslacht, Voorletters, Voorvoegsel, Achternaam) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                {guid(QString::fromUtf8(n.naam)), QString::fromUtf8(n.naam), QString::fromUtf8(n.straat), n.huisnummer,
                 QString(), QString::fromUtf8(n.postcode), QString::fromUtf8(n.plaats),
                 u"0%1 - %2"_s.arg(30 + n.huisnummer % 60).arg(200000 + n.huisnummer * 37),
                 QString::fromUtf8(n.geslacht), QString::fromUtf8(n.voorletters), QString::fromUtf8(n.voorvoegsel),
                 QString::fromUtf8(n.achternaam)});
        NotarisRecord& record = setup.AddNotaris();
        record.Naam = QString::fromUtf8(n.naam);
        record.Straat = QString::fromUtf8(n.straat);
        record.Huisnummer = n.huisnummer;
        record.Postcode = QString::fromUtf8(n.postcode);
        record.Woonplaats = QString::fromUtf8(n.plaats);
        record.Telefoon = u"0%1 - %2"_s.arg(30 + n.huisnummer % 60).arg(200000 + n.huisnummer * 37);
        record.Geslacht = QString::fromUtf8(n.geslacht);
        record.Voorletters = QString::fromUtf8(n.voorletters);
        record.Voorvoegsel = QString::fromUtf8(n.voorvoegsel);
        record.Achternaam = QString::fromUtf8(n.achternaam);
    }
}

void serviceProviders(const OfficeDatabase& db, InkoopcombinatieSettings& setup)
{
    static const char* names[] = {
        "Hypotheekhuis Nederland",        "De Adviesunie",         "Financieel Collectief Midden", "Woonadvies Groep",
        "Hypotheken Inkoop Combinatie",   "Noordelijke Adviseurs", "Zekerheid Partners",           "Het Adviesnetwerk",
        "Vastgoed en Krediet Combinatie", "Zuid Hypotheekplatform"};
    int number = 1;
    for (const char* name : names) {
        db.exec(
            u"INSERT INTO Inkoopcombinatie (Volgnummer, Naam, HDNNummer, TypeCode, Geselecteerd) "
            "VALUES (?, ?, ?, ?, ?)"_s,
            {number, QString::fromUtf8(name), u"%1"_s.arg(310000 + number * 1237), u"T"_s, number % 3 == 1 ? 1 : 0});
        InkoopcombinatieRecord& record = setup.AddInkoopcombinatie();
        record.Naam = QString::fromUtf8(name);
        record.HDNNummer = u"%1"_s.arg(310000 + number * 1237);
        record.TypeCode = u"T"_s;
        record.Geselecteerd = number % 3 == 1;
        ++number;
    }
    // One provider the office added itself.
    InkoopcombinatieRecord& own = setup.AddInkoopcombinatie();
    own.Naam = u"Regio Adviescollectief Eemland"_s;
    own.HDNNummer = u"384102"_s;
    own.TypeCode = u"A"_s;
    own.Geselecteerd = true;
}

// Every adviser starts with the office's notaries and service providers in
// his own settings, the object the pages of those lists work on, and with his
// own name parts, which the documents print.
void adviserSettings(const OfficeDatabase& db, const Settings& setup)
{
    const QString now = QDateTime::currentDateTime().toUTC().toString(Qt::ISODateWithMs);
    QSqlQuery codes = db.exec(u"SELECT Code FROM Adviseur"_s);
    QStringList all;
    while (codes.next())
        all << codes.value(0).toString();
    for (const QString& code : all) {
        Settings own;
        own.fromMap(setup.toMap());
        fillCurrentAdviser(db, code, own);
        const QString record = QString::fromUtf8(SettingsFile::toText(SettingsFile::toRecord(own)));
        db.exec(u"INSERT INTO Instellingen (AdviseurCode, Record, Gewijzigd) VALUES (?, ?, ?)"_s, {code, record, now});
    }
}

QString subscriptionId(const char* soort)
{
    return QLatin1Char('{') + guid(QString::fromUtf8(soort)).toUpper() + QLatin1Char('}');
}

void subscriptions(const OfficeDatabase& db, AbonnementSettings& setup)
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
        db.exec(u"INSERT INTO Abonnement (ID, Actief, Soort, Omschrijving, Termijnbedrag, Betaaltermijn, "
                "ControleAantal, ControleEenheid, Contractduur) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                {subscriptionId(s.soort), s.actief ? -1 : 0, QString::fromUtf8(s.soort),
                 QString::fromUtf8(s.omschrijving), s.bedrag, s.betaaltermijn, s.controleAantal, s.controleEenheid,
                 s.contractduur});
        AbonnementRecord record;
        record.ID = subscriptionId(s.soort);
        record.Actief = s.actief;
        record.Soort = QString::fromUtf8(s.soort);
        record.Omschrijving = QString::fromUtf8(s.omschrijving);
        record.Termijnbedrag = s.bedrag;
        record.Betaaltermijn = qint16(s.betaaltermijn);
        record.ControleAantal = qint16(s.controleAantal);
        record.ControleEenheid = qint16(s.controleEenheid);
        record.Contractduur = qint16(s.contractduur);
        setup.AddAbonnement(record);
    }
}

// Advices of the dossiers' clients, most of them 'In beheer', with products,
// persons and subscriptions whose dates fall in the coming months, so that
// the portfolio reminders have something to make tasks of.
void advices(const OfficeDatabase& db)
{
    struct Demo {
        const char* klant;
        const char* status;
        const char* abonnement; // the kind, or empty
        int startMonthsAgo;
    };
    static const Demo list[] = {
        {"Bakker", "In beheer", "Basis", 11},   {"Jansen", "In beheer", "Plus", 5},
        {"De Boer", "In beheer", "Premium", 2}, {"Visser", "In behandeling", "Basis", 1},
        {"Smit", "In beheer", "", 0},           {"Meijer", "In beheer", "Oud abonnement", 23},
        {"Mulder", "In behandeling", "", 0},    {"Bos", "In beheer", "Plus", 17},
        {"Vos", "In beheer", "Basis", 35},      {"Peters", "In beheer", "", 0},
    };
    static const struct {
        int type;
        const char* omschrijving;
    } products[] = {{1, "Annuïteitenhypotheek"}, {4, "Overlijdensrisicoverzekering"},
                    {2, "Kapitaalverzekering"},  {8, "AOV"},
                    {64, "Doorlopend krediet"},  {512, "Opstalverzekering"},
                    {1024, "Energiecontract"},   {256, "Uitvaartverzekering"}};
    const QDate today = QDate::currentDate();
    int number = 0;
    for (const Demo& a : list) {
        ++number;
        const QString id = u"A%1"_s.arg(number, 5, 10, QLatin1Char('0'));
        QVariant abonnementId, ingang, bedrag, betaal, controleAantal, controleEenheid, duur;
        if (*a.abonnement) {
            QSqlQuery terms = db.exec(u"SELECT ID, Termijnbedrag, Betaaltermijn, ControleAantal, "
                                      "ControleEenheid, Contractduur FROM Abonnement WHERE ID = ?"_s,
                                      {subscriptionId(a.abonnement)});
            if (terms.next()) {
                abonnementId = terms.value(0);
                bedrag = terms.value(1);
                betaal = terms.value(2);
                controleAantal = terms.value(3);
                controleEenheid = terms.value(4);
                duur = terms.value(5);
                ingang = today.addMonths(-a.startMonthsAgo).addDays(9 + number).toString(Qt::ISODate);
            }
        }
        db.exec(u"INSERT INTO Advies (ID, DossierID, Klant, Status, AbonnementID, AbonnementIngang, "
                "Termijnbedrag, Betaaltermijn, ControleAantal, ControleEenheid, Contractduur) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                {id, u"D%1"_s.arg(number, 5, 10, QLatin1Char('0')), QString::fromUtf8(a.klant),
                 QString::fromUtf8(a.status), abonnementId, ingang, bedrag, betaal, controleAantal, controleEenheid,
                 duur});
        for (int p = 0; p < 2; ++p) {
            const auto& product = products[(number + p * 3) % int(std::size(products))];
            const QDate einde = today.addDays(12 + number * 23 + p * 170);
            const QVariant rvp =
                product.type == 1 ? QVariant(today.addMonths(number + 1).toString(Qt::ISODate)) : QVariant();
            db.exec(
                u"INSERT INTO AdviesProduct (AdviesID, Volgnummer, Producttype, Omschrijving, "
                "Einddatum, EindeRentevast) VALUES (?, ?, ?, ?, ?, ?)"_s,
                {id, p + 1, product.type, QString::fromUtf8(product.omschrijving), einde.toString(Qt::ISODate), rvp});
        }
        // A mortgage in the advice is split into loan parts, each at a lender;
        // the second part has no arrangement chosen yet.
        if ((number % int(std::size(products))) == 0 || ((number + 3) % int(std::size(products))) == 0) {
            const QString lender = number % 2 == 1 ? u"G005"_s : u"G008"_s;
            const char* parts[] = {"Leningdeel 1 (annuïteit)", "Leningdeel 2 (aflossingsvrij)"};
            for (int part = 0; part < 2; ++part)
                db.exec(u"INSERT INTO Leningdeel (AdviesID, Volgnummer, Omschrijving, Cd_Mij, Cd_Product) "
                        "VALUES (?, ?, ?, ?, ?)"_s,
                        {id, part + 1, QString::fromUtf8(parts[part]), lender,
                         part == 0 ? QVariant(u"P1"_s) : QVariant(QMetaType(QMetaType::QString))});
        }
        const QDate born = today.addDays(5 + number * 9).addYears(-(38 + number * 3));
        const QDate partnerBorn = today.addDays(40 + number * 17).addYears(-(35 + number * 2));
        const QDate childBorn = today.addDays(3 + number * 6).addYears(-(4 + number));
        const struct {
            const char* rol;
            QString naam;
            QDate born;
            QVariant pension;
        } persons[] = {
            {"Klant", u"de heer "_s + QString::fromUtf8(a.klant), born,
             number % 3 == 0 ? QVariant(today.addDays(20 + number * 4).toString(Qt::ISODate))
                             : QVariant(born.addYears(67).toString(Qt::ISODate))},
            {"Partner", u"mevrouw "_s + QString::fromUtf8(a.klant), partnerBorn,
             QVariant(partnerBorn.addYears(67).toString(Qt::ISODate))},
            {"Kind", u"kind "_s + QString::fromUtf8(a.klant), childBorn, QVariant()},
        };
        int volgnummer = 0;
        for (const auto& person : persons)
            db.exec(u"INSERT INTO AdviesPersoon (AdviesID, Volgnummer, Rol, Naam, Geboortedatum, "
                    "Pensioendatum) VALUES (?, ?, ?, ?, ?, ?)"_s,
                    {id, ++volgnummer, QString::fromLatin1(person.rol), person.naam, person.born.toString(Qt::ISODate),
                     person.pension});
    }
}

void hdnMessages(const OfficeDatabase& db, QRandomGenerator& random)
{
    static const char* codes[] = {"AX", "OX", "DX", "SX", "KX", "BX"};
    const QDate first = QDate::currentDate().addMonths(-18);
    for (int id = 1; id <= 320; ++id) {
        const QString code = QString::fromLatin1(codes[random.bounded(int(std::size(codes)))]);
        const QDate date = first.addDays(random.bounded(540));
        const QString lender = u"G%1"_s.arg(1 + random.bounded(30), 3, 10, QLatin1Char('0'));
        const QString xml =
            u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<%1Bericht><Header><BerichtId>%2</BerichtId>"
            "<Datum>%3</Datum><Maatschappij>%4</Maatschappij></Header><Aanvraag><Bedrag>%5</Bedrag>"
            "</Aanvraag></%1Bericht>"_s.arg(code)
                .arg(id)
                .arg(date.toString(Qt::ISODate), lender)
                .arg(150000 + random.bounded(450) * 1000);
        db.exec(u"INSERT INTO HDNBericht (Ber_Id, Ber_Cd, Ber_Dt, Ber_Om_Ascii, Ber_Om_Berichtnaam) "
                "VALUES (?, ?, ?, ?, ?)"_s,
                {id, code, date.toString(Qt::ISODate), xml, QString()});
    }
}

void dossiers(const OfficeDatabase& db, const QString& documentRoot)
{
    const char* clients[] = {"Bakker", "Jansen", "De Boer",  "Visser",      "Smit",   "Meijer",  "Mulder", "Bos",
                             "Vos",    "Peters", "Hendriks", "Van Leeuwen", "Dekker", "Brouwer", "De Wit"};
    int number = 0;
    for (const char* client : clients) {
        ++number;
        db.exec(u"INSERT INTO Adviesdossier (ID, Klant, DocumentenMap) VALUES (?, ?, ?)"_s,
                {u"D%1"_s.arg(number, 5, 10, QLatin1Char('0')), QString::fromUtf8(client),
                 u"%1/%2 %3"_s.arg(documentRoot, QString::fromUtf8(client)).arg(number)});
    }
}

} // namespace

void fill(OfficeDatabase& database, const QString& loginName, const QString& documentRoot)
{
    QRandomGenerator random(20240601);
    office(database);
    advisers(database, loginName);
    companies(database, random);
    Settings setup;
    officeSettings(setup);
    branchSettings(setup);
    // The calculations page checks for an overview of 1 to 50 years.
    setup.get<CalculationSettings>().AantalJarenOverzicht = 30;
    notaries(database, setup.get<NotarisSettings>());
    serviceProviders(database, setup.get<InkoopcombinatieSettings>());
    subscriptions(database, setup.get<AbonnementSettings>());
    adviserSettings(database, setup);
    hdnMessages(database, random);
    dossiers(database, documentRoot);
    advices(database);
    dossierAdvisers(database);
}

void create(OfficeDatabase& database, const QString& loginName, const QString& documentRoot)
{
    database.transaction([&] { fill(database, loginName, documentRoot); });
}

} // namespace tarvelo::DemoOffice
