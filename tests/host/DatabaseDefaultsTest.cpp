#include "framework/errors/RuntimeError.h"
#include "framework/host/Database.h"
#include "framework/settings/AbonnementSettings.h"
#include "host/database/SqlConnection.h"
#include "host/office/OfficeSchema.h"
#include "tests/support/TestPostgres.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// A host's database object that gives the office connection and nothing
// else: the advisers' records are the library's to keep.
class ConnectionOnly final : public Database {
public:
    explicit ConnectionOnly(Connection& connection) : connection_(connection) {}
    Connection& connection() override { return connection_; }
    void SaveGlobalSetup(const Settings&) override {}

private:
    Connection& connection_;
};

// The same office on the embedded file and on the server database.
class DatabaseDefaults : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        DatabaseLocation location;
        location.provider = QString::fromLatin1(GetParam());
        if (server()) {
            location.server = testPostgresServer();
            location.databaseName = createTestDatabase();
        } else {
            location.file = dir.filePath(u"Adviezen.mdb"_s);
        }
        connection = std::make_unique<SqlConnection>(location);
        for (const QString& statement : officeSchema())
            connection->Execute(statement);
        database = std::make_unique<ConnectionOnly>(*connection);
    }

    bool server() const { return GetParam() == std::string_view("MSSQL"); }

    int rows(const QString& table)
    {
        return connection->OpenRecordset(u"SELECT * FROM %1"_s.arg(table))->RecordCount();
    }

    // The Dutch description of what store refused; empty when it did not.
    static QString refusal(const std::function<void()>& store)
    {
        try {
            store();
        } catch (const RuntimeError& e) {
            return e.description();
        }
        return QString();
    }

    static AdviseurGegevens jan()
    {
        AdviseurGegevens record;
        record.Email = u"jan@d'hondt-advies.nl"_s;
        record.Internet = u"www.dhondt-advies.nl"_s;
        record.Telefoon = u"033 - 460 12 10"_s;
        record.Telefax = QString();
        record.Gebruikersnaam = u"Jan.Vriës"_s;
        record.AFMRegistratieNr = u"12345678"_s;
        return record;
    }

    static Autorisatie administrator(const QString& vestiging = QString())
    {
        Autorisatie record;
        record.Rol = 1;
        record.AdviezenOpenen = 3;
        record.AdviezenRechten = 3;
        record.Vestiging = vestiging;
        record.Wachtwoord = u"geheim"_s;
        return record;
    }

    QTemporaryDir dir;
    std::unique_ptr<SqlConnection> connection;
    std::unique_ptr<Database> database;
};

void expectSame(const AdviseurGegevens& a, const AdviseurGegevens& b)
{
    EXPECT_EQ(a.Email, b.Email);
    EXPECT_EQ(a.Internet, b.Internet);
    EXPECT_EQ(a.Telefoon, b.Telefoon);
    EXPECT_EQ(a.Telefax, b.Telefax);
    EXPECT_EQ(a.Gebruikersnaam, b.Gebruikersnaam);
    EXPECT_EQ(a.AFMRegistratieNr, b.AFMRegistratieNr);
}

void expectSame(const Autorisatie& a, const Autorisatie& b)
{
    EXPECT_EQ(a.Rol, b.Rol);
    EXPECT_EQ(a.AdviezenOpenen, b.AdviezenOpenen);
    EXPECT_EQ(a.AdviezenRechten, b.AdviezenRechten);
    EXPECT_EQ(a.Vestiging, b.Vestiging);
    EXPECT_EQ(a.Wachtwoord, b.Wachtwoord);
}

} // namespace

// Catches a default that does not keep what it was given, keeps it twice, or
// reads another adviser's records: an adviser's data and rights saved through
// the defaults come back as saved, a second save replaces the first, and what
// counts, moves and removes them works on the office's own tables.
TEST_P(DatabaseDefaults, AnAdviserSavedThroughTheDefaultsIsReadBack)
{
    Database& db = *database;
    db.SaveAdviseur(jan(), u"A1"_s);
    AdviseurGegevens anna = jan();
    anna.Email = u"anna@kantoor.nl"_s;
    anna.Gebruikersnaam = u"anna"_s;
    db.SaveAdviseur(anna, u"B'2"_s);
    AdviseurGegevens read;
    db.GetAdviseur(read, u"A1"_s);
    expectSame(read, jan());

    AdviseurGegevens changed = jan();
    changed.Telefoon = u"06 - 12 34 56 78"_s;
    db.SaveAdviseur(changed, u"A1"_s);
    db.GetAdviseur(read, u"A1"_s);
    expectSame(read, changed);
    db.GetAdviseur(read, u"B'2"_s);
    expectSame(read, anna);
    EXPECT_EQ(rows(u"AdviseurGegevens"_s), 2);
    db.GetAdviseur(read, u"C3"_s);
    expectSame(read, AdviseurGegevens());

    db.SaveAutorisatie(u"A1"_s, administrator(u"V1"_s));
    Autorisatie gebruiker;
    gebruiker.Rol = 2;
    gebruiker.AdviezenOpenen = 1;
    gebruiker.AdviezenRechten = 2;
    gebruiker.Vestiging = u"V1"_s;
    db.SaveAutorisatie(u"B'2"_s, gebruiker);
    Autorisatie rechten;
    db.GetAutorisatie(rechten, u"A1"_s);
    expectSame(rechten, administrator(u"V1"_s));
    db.GetAutorisatie(rechten, u"C3"_s);
    expectSame(rechten, Autorisatie());

    EXPECT_EQ(db.AantalAdministrators(u"'A1', 'B''2'"_s), 1);
    db.SaveAutorisatie(u"B'2"_s, administrator(u"V1"_s));
    EXPECT_EQ(db.AantalAdministrators(u"'A1','B''2'"_s), 2);
    EXPECT_EQ(db.AantalAdministrators(u"'C3'"_s), 0);
    EXPECT_EQ(db.AantalAdministrators(QString()), 0);
    EXPECT_EQ(db.AantalAdviseursVestiging(u"V1"_s), 2);
    db.OntkoppelVestiging(u"V1"_s);
    EXPECT_EQ(db.AantalAdviseursVestiging(u"V1"_s), 0);
    db.SaveAutorisatie(u"A1"_s, administrator(u"V2"_s));
    db.OpschonenVestigingen(1);
    db.GetAutorisatie(rechten, u"A1"_s);
    EXPECT_TRUE(rechten.Vestiging.isEmpty());
    EXPECT_EQ(rechten.Rol, 1);

    connection->Execute(u"INSERT INTO Adviesdossier (ID, Klant, Adviseur) VALUES (?, ?, ?)"_s,
                        {u"D1"_s, u"Klant 1"_s, u"A1"_s});
    connection->Execute(u"INSERT INTO Adviesdossier (ID, Klant, Adviseur) VALUES (?, ?, ?)"_s,
                        {u"D2"_s, u"Klant 2"_s, u"A1"_s});
    EXPECT_EQ(db.AantalAdviezen(u"A1"_s), 2);
    db.OmzettenAdviezen(u"A1"_s, u"B'2"_s);
    EXPECT_EQ(db.AantalAdviezen(u"A1"_s), 0);
    EXPECT_EQ(db.AantalAdviezen(u"B'2"_s), 2);

    db.DeleteAdviseur(u"A1"_s);
    db.GetAdviseur(read, u"A1"_s);
    expectSame(read, AdviseurGegevens());
    db.GetAutorisatie(rechten, u"A1"_s);
    expectSame(rechten, Autorisatie());
    db.GetAdviseur(read, u"B'2"_s);
    expectSame(read, anna);
}

// Catches a user-name check that misses a name in use because of its case
// (also beyond A to Z, which the file's own lower() does not know) or
// spaces, or that counts the adviser's own name against him.
TEST_P(DatabaseDefaults, AUserNameInUseIsSeen)
{
    Database& db = *database;
    db.SaveAdviseur(jan(), u"A1"_s);
    EXPECT_TRUE(db.GebruikersnaamInGebruik(u"B2"_s, u"Jan.Vriës"_s));
    EXPECT_TRUE(db.GebruikersnaamInGebruik(u"B2"_s, u"  jan.vriës "_s));
    EXPECT_TRUE(db.GebruikersnaamInGebruik(u"B2"_s, u"JAN.VRIËS"_s));
    EXPECT_FALSE(db.GebruikersnaamInGebruik(u"A1"_s, u"jan.vriës"_s));
    EXPECT_FALSE(db.GebruikersnaamInGebruik(u"B2"_s, QString()));
    EXPECT_FALSE(db.GebruikersnaamInGebruik(u"B2"_s, u"jan.vries"_s));
    EXPECT_FALSE(db.GebruikersnaamInGebruik(u"B2"_s, u"' OR ''='"_s));
}

// Catches input the tables cannot take being written anyway, or a save that
// fails halfway and leaves the adviser without the records he had: each is
// refused in Dutch, and what was stored stays as it was.
TEST_P(DatabaseDefaults, BadInputChangesNothing)
{
    Database& db = *database;
    db.SaveAdviseur(jan(), u"A1"_s);
    db.SaveAutorisatie(u"A1"_s, administrator());
    connection->Execute(u"INSERT INTO Adviesdossier (ID, Klant, Adviseur) VALUES (?, ?, ?)"_s,
                        {u"D1"_s, u"Klant 1"_s, u"A1"_s});

    EXPECT_EQ(refusal([&] { db.SaveAdviseur(jan(), u"  "_s); }), u"Zonder adviseurscode wordt niets opgeslagen."_s);
    EXPECT_EQ(refusal([&] { db.SaveAutorisatie(QString(), administrator()); }),
              u"Zonder adviseurscode wordt niets opgeslagen."_s);
    Autorisatie wrong = administrator();
    wrong.Rol = 7;
    EXPECT_EQ(refusal([&] { db.SaveAutorisatie(u"A1"_s, wrong); }),
              u"Rol 7 bestaat niet; een adviseur is administrator (1) of gebruiker (2). Er is niets opgeslagen."_s);
    wrong = administrator();
    wrong.AdviezenOpenen = 4;
    EXPECT_FALSE(refusal([&] { db.SaveAutorisatie(u"A1"_s, wrong); }).isEmpty());
    wrong = administrator();
    wrong.AdviezenRechten = 1;
    EXPECT_FALSE(refusal([&] { db.SaveAutorisatie(u"A1"_s, wrong); }).isEmpty());
    EXPECT_EQ(refusal([&] { db.AantalAdministrators(u"A1, 'B2'"_s); }),
              u"De lijst van adviseurcodes is ongeldig: A1, 'B2'"_s);
    EXPECT_EQ(refusal([&] { db.OmzettenAdviezen(u"A1"_s, u" "_s); }),
              u"Adviezen kunnen niet worden omgezet naar een lege adviseurscode."_s);

    AdviseurGegevens broken = jan();
    broken.Email = u"jan"_s + QChar(0) + u"@kantoor.nl"_s;
    if (server()) {
        // The server cannot hold a NUL: the old record must survive the
        // refused insert after its delete.
        EXPECT_FALSE(refusal([&] { db.SaveAdviseur(broken, u"A1"_s); }).isEmpty());
    }

    EXPECT_EQ(rows(u"AdviseurGegevens"_s), 1);
    EXPECT_EQ(rows(u"Autorisatie"_s), 1);
    AdviseurGegevens read;
    db.GetAdviseur(read, u"A1"_s);
    expectSame(read, jan());
    Autorisatie rechten;
    db.GetAutorisatie(rechten, u"A1"_s);
    expectSame(rechten, administrator());
    EXPECT_EQ(db.AantalAdviezen(u"A1"_s), 1);
}

// Catches a default that moves a dossier's folder outside the old root, or
// subscription terms that reach advices of another subscription: the
// dossiers' folders and the advices' subscriptions are the office's own
// tables, changed through the host's connection.
TEST_P(DatabaseDefaults, DossierFoldersAndSubscriptionsAreTheOfficeTables)
{
    Database& db = *database;
    const std::pair<const char*, const char*> dossiers[] = {
        {"D1", "/srv/dossiers"}, {"D2", "/srv/dossiers/klant 2"}, {"D3", "/srv/dossiers-oud/klant 3"}};
    for (const auto& [id, folder] : dossiers)
        connection->Execute(u"INSERT INTO Adviesdossier (ID, Klant, DocumentenMap) VALUES (?, ?, ?)"_s,
                            {QString::fromUtf8(id), u"Klant"_s, QString::fromUtf8(folder)});
    db.MoveDossierDocumentFolder(u"Kantoor"_s, u"/srv/dossiers/"_s, u"/data/dossiers"_s);
    QStringList folders;
    for (auto rows = connection->OpenRecordset(u"SELECT DocumentenMap FROM Adviesdossier ORDER BY ID"_s); !rows->EOF_();
         rows->MoveNext())
        folders << rows->text(u"DocumentenMap"_s);
    EXPECT_EQ(folders, QStringList({u"/data/dossiers"_s, u"/data/dossiers/klant 2"_s, u"/srv/dossiers-oud/klant 3"_s}));

    AbonnementRecord oud, nieuw;
    oud.ID = u"{00000000-0000-0000-0000-000000000001}"_s;
    nieuw.ID = u"{00000000-0000-0000-0000-000000000002}"_s;
    nieuw.Termijnbedrag = 12.5;
    nieuw.Betaaltermijn = 3;
    for (const char* id : {"A1", "A2"})
        connection->Execute(u"INSERT INTO Advies (ID, Klant, Status, AbonnementID) VALUES (?, ?, ?, ?)"_s,
                            {QString::fromUtf8(id), u"Klant"_s, u"In beheer"_s, oud.ID});
    connection->Execute(u"INSERT INTO Advies (ID, Klant, Status, AbonnementID) VALUES (?, ?, ?, ?)"_s,
                        {u"A3"_s, u"Klant"_s, u"In beheer"_s, nieuw.ID});
    EXPECT_EQ(db.AantalAdviezenAbonnement(oud), 2);
    EXPECT_THROW(db.VervangAbonnement(oud, oud), RuntimeError);
    EXPECT_EQ(db.AantalAdviezenAbonnement(oud), 2);
    db.VervangAbonnement(oud, nieuw);
    EXPECT_EQ(db.AantalAdviezenAbonnement(oud), 0);
    EXPECT_EQ(db.AantalAdviezenAbonnement(nieuw), 3);
    nieuw.Termijnbedrag = 15;
    db.AbonnementDoorvoeren(nieuw);
    auto terms =
        connection->OpenRecordset(u"SELECT Termijnbedrag, Betaaltermijn FROM Advies WHERE ID = ?"_s, {u"A1"_s});
    ASSERT_FALSE(terms->EOF_());
    EXPECT_DOUBLE_EQ(terms->field(u"Termijnbedrag"_s).toDouble(), 15);
    EXPECT_EQ(terms->field(u"Betaaltermijn"_s).toInt(), 3);
}

INSTANTIATE_TEST_SUITE_P(Engines, DatabaseDefaults, ::testing::Values("MSACC", "MSSQL"),
                         [](const auto& info) { return std::string(info.param); });
