#include "host/office/OfficeSchema.h"

namespace tarvelo {

const QStringList& officeSchema()
{
    static const QStringList statements = {
        QStringLiteral("CREATE TABLE DatabaseVersie (Versie INTEGER NOT NULL)"),
        // The office itself and its branches.
        QStringLiteral("CREATE TABLE Kantoor (Naam TEXT, Straat TEXT, Huisnummer INTEGER, Toevoeging TEXT, "
                       "Postcode TEXT, Woonplaats TEXT, Voorletters TEXT, Tussenvoegsel TEXT, Achternaam TEXT, "
                       "TelefoonNr TEXT, TelefaxNr TEXT, EMailadres TEXT, URL TEXT, AFMRegistratieNr TEXT)"),
        QStringLiteral("CREATE TABLE Vestiging (ID TEXT PRIMARY KEY, Naam TEXT NOT NULL)"),
        // The adviser register, the advisers' own data and their rights.
        QStringLiteral("CREATE TABLE Adviseur (Code TEXT PRIMARY KEY, Voornamen TEXT, Voorletters TEXT, "
                       "Tussenvoegsel TEXT, Achternaam TEXT, Geslacht TEXT, Emailadres TEXT, Status TEXT)"),
        QStringLiteral("CREATE TABLE AdviseurGegevens (Code TEXT PRIMARY KEY, Email TEXT, Internet TEXT, "
                       "Telefoon TEXT, Telefax TEXT, Gebruikersnaam TEXT, AFMRegistratieNr TEXT)"),
        QStringLiteral("CREATE TABLE Autorisatie (Code TEXT PRIMARY KEY, Rol INTEGER, AdviezenOpenen INTEGER, "
                       "AdviezenRechten INTEGER, Vestiging TEXT, Wachtwoord TEXT)"),
        // The companies by kind, their products and the office's agent numbers.
        QStringLiteral("CREATE TABLE Tbl_Mij_Info (Cd_Mij TEXT PRIMARY KEY, Om_NaamKort TEXT, Om_Naam TEXT)"),
        QStringLiteral("CREATE TABLE Tbl_Mij_Verzekering (Cd_Mij TEXT PRIMARY KEY, Om_NaamKort TEXT, Om_Naam TEXT)"),
        QStringLiteral("CREATE TABLE Tbl_Mij_Vermogen (Cd_Mij TEXT PRIMARY KEY, Om_NaamKort TEXT, Om_Naam TEXT)"),
        QStringLiteral("CREATE TABLE Tbl_Mij_Krediet (Cd_Mij TEXT PRIMARY KEY, Om_NaamKort TEXT, Om_Naam TEXT)"),
        QStringLiteral("CREATE TABLE Tbl_Mij_Taxatie (Cd_Mij TEXT PRIMARY KEY, Om_NaamKort TEXT, Om_Naam TEXT)"),
        QStringLiteral("CREATE TABLE Tbl_Mij_Bankgarantie (Cd_Mij TEXT PRIMARY KEY, Om_NaamKort TEXT, Om_Naam TEXT)"),
        QStringLiteral("CREATE TABLE Tbl_Mij_Product (Cd_Mij TEXT NOT NULL, Cd_SoortMij INTEGER NOT NULL, "
                       "Cd_Product TEXT NOT NULL, Om_Product TEXT, PRIMARY KEY (Cd_Mij, Cd_SoortMij, Cd_Product))"),
        QStringLiteral("CREATE TABLE tp_info (Agent_Id TEXT, Cd_Mij TEXT, Rente REAL, In_Default INTEGER, "
                       "Cd_SoortMij INTEGER, Om_Omschrijving TEXT, GUID TEXT PRIMARY KEY)"),
        // The office's business lists.
        QStringLiteral("CREATE TABLE Notaris (ID TEXT PRIMARY KEY, Naam TEXT, Straat TEXT, Huisnummer INTEGER, "
                       "Toevoeging TEXT, Postcode TEXT, Woonplaats TEXT, Telefoon TEXT, Geslacht TEXT, "
                       "Voorletters TEXT, Voorvoegsel TEXT, Achternaam TEXT)"),
        QStringLiteral("CREATE TABLE Inkoopcombinatie (Volgnummer INTEGER PRIMARY KEY, Naam TEXT, HDNNummer TEXT, "
                       "TypeCode TEXT, Geselecteerd INTEGER)"),
        QStringLiteral("CREATE TABLE Abonnement (ID TEXT PRIMARY KEY, Actief INTEGER, Soort TEXT, Omschrijving TEXT, "
                       "Termijnbedrag REAL, Betaaltermijn INTEGER, ControleAantal INTEGER, ControleEenheid INTEGER, "
                       "Contractduur INTEGER)"),
        // The clients' advice dossiers and the folder of each one's documents.
        QStringLiteral("CREATE TABLE Adviesdossier (ID TEXT PRIMARY KEY, Klant TEXT NOT NULL, "
                       "DocumentenMap TEXT, Adviseur TEXT)"),
        // The advices of the clients: their status, subscription with its terms as
        // agreed, products and persons; the portfolio tasks made from them.
        QStringLiteral("CREATE TABLE Advies (ID TEXT PRIMARY KEY, DossierID TEXT, Klant TEXT NOT NULL, "
                       "Status TEXT NOT NULL, AbonnementID TEXT, AbonnementIngang TEXT, Termijnbedrag REAL, "
                       "Betaaltermijn INTEGER, ControleAantal INTEGER, ControleEenheid INTEGER, Contractduur INTEGER)"),
        QStringLiteral("CREATE TABLE AdviesProduct (AdviesID TEXT NOT NULL, Volgnummer INTEGER NOT NULL, "
                       "Producttype INTEGER NOT NULL, Omschrijving TEXT, Einddatum TEXT, EindeRentevast TEXT, "
                       "PRIMARY KEY (AdviesID, Volgnummer))"),
        QStringLiteral("CREATE TABLE AdviesPersoon (AdviesID TEXT NOT NULL, Volgnummer INTEGER NOT NULL, "
                       "Rol TEXT NOT NULL, Naam TEXT, Geboortedatum TEXT, Pensioendatum TEXT, "
                       "PRIMARY KEY (AdviesID, Volgnummer))"),
        QStringLiteral("CREATE TABLE Taak (Sleutel TEXT PRIMARY KEY, AdviesID TEXT NOT NULL, Soort TEXT NOT NULL, "
                       "Omschrijving TEXT, Gebeurtenisdatum TEXT NOT NULL, Aangemaakt TEXT NOT NULL, "
                       "Afgehandeld INTEGER NOT NULL, AfgehandeldOp TEXT)"),
        // Every HDN message sent or received.
        QStringLiteral("CREATE TABLE HDNBericht (Ber_Id INTEGER PRIMARY KEY, Ber_Cd TEXT, Ber_Dt TEXT, "
                       "Ber_Om_Ascii TEXT, Ber_Om_Berichtnaam TEXT)"),
        // The settings objects: one record per adviser, one for the office.
        QStringLiteral("CREATE TABLE Instellingen (AdviseurCode TEXT PRIMARY KEY, Record TEXT NOT NULL, "
                       "Gewijzigd TEXT)"),
        QStringLiteral("CREATE TABLE KantoorInstellingen (Id INTEGER PRIMARY KEY, Record TEXT NOT NULL, "
                       "Gewijzigd TEXT)"),
        // Who changed which setting from what to what, and when.
        QStringLiteral("CREATE TABLE InstellingWijziging (Id INTEGER PRIMARY KEY, Tijdstip TEXT NOT NULL, "
                       "AdviseurCode TEXT, AdviseurNaam TEXT, Object TEXT NOT NULL, Instelling TEXT NOT NULL, "
                       "OudeWaarde TEXT, NieuweWaarde TEXT, Geheim INTEGER NOT NULL, Pagina TEXT)"),
        QStringLiteral("CREATE INDEX InstellingWijzigingPagina ON InstellingWijziging (Pagina)"),
    };
    return statements;
}

} // namespace tarvelo
