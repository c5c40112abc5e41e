#include "host/office/OfficeSchema.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

// Every company table holds the same columns: code, names, the commission
// object, the flags the company lists filter on, the end date of lenders, the
// HDN number and the agent number the company holds for the office.
namespace {
QString companyTable(const char* name)
{
    return u"CREATE TABLE %1 (Cd_Mij TEXT PRIMARY KEY, Om_NaamKort TEXT, Om_Naam TEXT, Om_Object TEXT, "
           "In_Actief INTEGER NOT NULL DEFAULT -1, In_Gebruik INTEGER NOT NULL DEFAULT -1, "
           "Dt_Einde TEXT, Nr_HDN TEXT, Agent_Id TEXT, In_Selecteerbaar INTEGER NOT NULL DEFAULT -1, "
           "In_Provisie INTEGER NOT NULL DEFAULT 0, In_ProvisieAfsluit INTEGER NOT NULL DEFAULT 0, "
           "In_ProvisieDoorlopend INTEGER NOT NULL DEFAULT 0)"_s.arg(QLatin1String(name));
}
} // namespace

const QStringList& officeSchema()
{
    static const QStringList statements = {
        u"CREATE TABLE DatabaseVersie (Versie INTEGER NOT NULL)"_s,
        // The office itself and its branches.
        u"CREATE TABLE Kantoor (Naam TEXT, Straat TEXT, Huisnummer INTEGER, Toevoeging TEXT, "
        "Postcode TEXT, Woonplaats TEXT, Voorletters TEXT, Tussenvoegsel TEXT, Achternaam TEXT, "
        "TelefoonNr TEXT, TelefaxNr TEXT, EMailadres TEXT, URL TEXT, AFMRegistratieNr TEXT)"_s,
        u"CREATE TABLE Vestiging (ID TEXT PRIMARY KEY, Naam TEXT NOT NULL)"_s,
        // The adviser register, the advisers' own data and their rights.
        u"CREATE TABLE Adviseur (Code TEXT PRIMARY KEY, Voornamen TEXT, Voorletters TEXT, "
        "Tussenvoegsel TEXT, Achternaam TEXT, Geslacht TEXT, Emailadres TEXT, Status TEXT)"_s,
        u"CREATE TABLE AdviseurGegevens (Code TEXT PRIMARY KEY, Email TEXT, Internet TEXT, "
        "Telefoon TEXT, Telefax TEXT, Gebruikersnaam TEXT, AFMRegistratieNr TEXT)"_s,
        u"CREATE TABLE Autorisatie (Code TEXT PRIMARY KEY, Rol INTEGER, AdviezenOpenen INTEGER, "
        "AdviezenRechten INTEGER, Vestiging TEXT, Wachtwoord TEXT)"_s,
        // The companies by kind, their products and the office's agent numbers.
        companyTable("Tbl_Mij_Info"),
        companyTable("Tbl_Mij_Verzekering"),
        companyTable("Tbl_Mij_Vermogen"),
        companyTable("Tbl_Mij_Krediet"),
        companyTable("Tbl_Mij_Taxatie"),
        companyTable("Tbl_Mij_Bankgarantie"),
        u"CREATE TABLE Tbl_Mij_Product (Cd_Mij TEXT NOT NULL, Cd_SoortMij INTEGER NOT NULL, "
        "Cd_Product TEXT NOT NULL, Om_Product TEXT, In_Actief INTEGER NOT NULL DEFAULT -1, "
        "PRIMARY KEY (Cd_Mij, Cd_SoortMij, Cd_Product))"_s,
        u"CREATE TABLE tp_info (Agent_Id TEXT, Cd_Mij TEXT, Rente REAL, In_Default INTEGER, "
        "Cd_SoortMij INTEGER, Om_Omschrijving TEXT, GUID TEXT PRIMARY KEY)"_s,
        // A company's agent numbers are read per company and kind.
        u"CREATE INDEX tp_info_Mij ON tp_info (Cd_Mij, Cd_SoortMij)"_s,
        // The office's own settings per company and kind: receiver, mark, return method.
        u"CREATE TABLE Tbl_Mij_Instellingen (Cd_Mij TEXT NOT NULL, Cd_SoortMij INTEGER NOT NULL, "
        "Om_Ontvanger TEXT, In_Geselecteerd INTEGER NOT NULL, Cd_Retour INTEGER NOT NULL, "
        "PRIMARY KEY (Cd_Mij, Cd_SoortMij))"_s,
        // The office's commission settings per commission-settings object of a company.
        u"CREATE TABLE Tbl_Mij_Provisie (Om_Object TEXT PRIMARY KEY, Pc_Afsluit REAL NOT NULL, "
        "Pc_Doorlopend REAL NOT NULL)"_s,
        // Which arrangements of a lender the office offers in its advice.
        u"CREATE TABLE Tbl_Mij_Renteopties (Cd_Mij TEXT NOT NULL, Cd_Product TEXT NOT NULL, "
        "In_Aanbieden INTEGER NOT NULL, PRIMARY KEY (Cd_Mij, Cd_Product))"_s,
        // The office's business lists.
        u"CREATE TABLE Notaris (ID TEXT PRIMARY KEY, Naam TEXT, Straat TEXT, Huisnummer INTEGER, "
        "Toevoeging TEXT, Postcode TEXT, Woonplaats TEXT, Telefoon TEXT, Geslacht TEXT, "
        "Voorletters TEXT, Voorvoegsel TEXT, Achternaam TEXT)"_s,
        u"CREATE TABLE Inkoopcombinatie (Volgnummer INTEGER PRIMARY KEY, Naam TEXT, HDNNummer TEXT, "
        "TypeCode TEXT, Geselecteerd INTEGER)"_s,
        u"CREATE TABLE Abonnement (ID TEXT PRIMARY KEY, Actief INTEGER, Soort TEXT, Omschrijving TEXT, "
        "Termijnbedrag REAL, Betaaltermijn INTEGER, ControleAantal INTEGER, ControleEenheid INTEGER, "
        "Contractduur INTEGER)"_s,
        // The clients' advice dossiers and the folder of each one's documents.
        u"CREATE TABLE Adviesdossier (ID TEXT PRIMARY KEY, Klant TEXT NOT NULL, "
        "DocumentenMap TEXT, Adviseur TEXT)"_s,
        // The advices of the clients: their status, subscription with its terms as
        // agreed, products and persons; the portfolio tasks made from them.
        u"CREATE TABLE Advies (ID TEXT PRIMARY KEY, DossierID TEXT, Klant TEXT NOT NULL, "
        "Status TEXT NOT NULL, AbonnementID TEXT, AbonnementIngang TEXT, Termijnbedrag REAL, "
        "Betaaltermijn INTEGER, ControleAantal INTEGER, ControleEenheid INTEGER, Contractduur INTEGER)"_s,
        u"CREATE TABLE AdviesProduct (AdviesID TEXT NOT NULL, Volgnummer INTEGER NOT NULL, "
        "Producttype INTEGER NOT NULL, Omschrijving TEXT, Einddatum TEXT, EindeRentevast TEXT, "
        "PRIMARY KEY (AdviesID, Volgnummer))"_s,
        // The loan parts of an advice's mortgage: each with its lender and the
        // lender's arrangement chosen for it.
        u"CREATE TABLE Leningdeel (AdviesID TEXT NOT NULL, Volgnummer INTEGER NOT NULL, "
        "Omschrijving TEXT, Cd_Mij TEXT NOT NULL, Cd_Product TEXT, "
        "PRIMARY KEY (AdviesID, Volgnummer))"_s,
        u"CREATE TABLE AdviesPersoon (AdviesID TEXT NOT NULL, Volgnummer INTEGER NOT NULL, "
        "Rol TEXT NOT NULL, Naam TEXT, Geboortedatum TEXT, Pensioendatum TEXT, "
        "PRIMARY KEY (AdviesID, Volgnummer))"_s,
        u"CREATE TABLE Taak (Sleutel TEXT PRIMARY KEY, AdviesID TEXT NOT NULL, Soort TEXT NOT NULL, "
        "Omschrijving TEXT, Gebeurtenisdatum TEXT NOT NULL, Aangemaakt TEXT NOT NULL, "
        "Afgehandeld INTEGER NOT NULL, AfgehandeldOp TEXT)"_s,
        // Every HDN message sent or received.
        u"CREATE TABLE HDNBericht (Ber_Id INTEGER PRIMARY KEY, Ber_Cd TEXT, Ber_Dt TEXT, "
        "Ber_Om_Ascii TEXT, Ber_Om_Berichtnaam TEXT)"_s,
        // The settings objects: one record per adviser, one for the office.
        u"CREATE TABLE Instellingen (AdviseurCode TEXT PRIMARY KEY, Record TEXT NOT NULL, "
        "Gewijzigd TEXT)"_s,
        u"CREATE TABLE KantoorInstellingen (Id INTEGER PRIMARY KEY, Record TEXT NOT NULL, "
        "Gewijzigd TEXT)"_s,
        // Who changed which setting from what to what, and when.
        u"CREATE TABLE InstellingWijziging (Id INTEGER PRIMARY KEY, Tijdstip TEXT NOT NULL, "
        "AdviseurCode TEXT, AdviseurNaam TEXT, Object TEXT NOT NULL, Instelling TEXT NOT NULL, "
        "OudeWaarde TEXT, NieuweWaarde TEXT, Geheim INTEGER NOT NULL, Pagina TEXT, Wijze TEXT)"_s,
        u"CREATE INDEX InstellingWijzigingPagina ON InstellingWijziging (Pagina)"_s,
        // How often each watched table was changed, for programs that watch the embedded file.
        u"CREATE TABLE Wijziging (Onderwerp TEXT PRIMARY KEY, Teller INTEGER NOT NULL)"_s,
    };
    return statements;
}

} // namespace tarvelo
