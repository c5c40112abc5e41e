#include "framework/errors/RuntimeError.h"
#include "framework/forms/AddressControl.h"
#include "framework/host/Settings.h"
#include "framework/settings/InkoopcombinatieSettings.h"
#include "framework/settings/NotarisSettings.h"
#include "framework/settings/OfficeSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/UpdateSettings.h"
#include "host/ReferenceApplication.h"
#include "host/office/Advisers.h"
#include "host/office/DataFolder.h"
#include "host/office/OfficeDatabase.h"
#include "tests/app/WidgetTestSupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::StrictUi;

namespace {

QByteArray fingerprint(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QString startError(StrictUi& ui, const QString& folder)
{
    try {
        ReferenceApplication host(ui, folder);
    } catch (const RuntimeError& e) {
        return e.description();
    }
    return {};
}

// Catches a host that writes over what it cannot read: a damaged database, a
// file that is no office database and a damaged settings record are refused
// with a Dutch message and left exactly as they were.
TEST(OfficeStorageTest, RefusesDamagedFilesAndLeavesThemUntouched)
{
    StrictUi ui;
    struct Case {
        const char* what;
        std::function<void(const QString& databaseFile)> damage;
        const char* message;
    };
    const Case cases[] = {
        {"geen SQLite",
         [](const QString& file) {
             QFile f(file);
             f.open(QIODevice::WriteOnly);
             f.write("Dit is geen database, maar een tekstbestand.\n");
         },
         "is beschadigd of is geen kantoordatabase"},
        {"afgebroken database",
         [&ui](const QString& file) {
             {
                 ReferenceApplication host(ui, QFileInfo(file).dir().absolutePath() + "/..");
             }
             QFile f(file);
             f.open(QIODevice::ReadWrite);
             const QByteArray head = f.read(4096);
             f.resize(0);
             f.seek(0);
             f.write(head);
             f.write(QByteArray(1000, '\x7f'));
         },
         "kan niet worden gebruikt"},
        {"andere SQLite-database",
         [](const QString& file) {
             QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"vreemd"_s);
             db.setDatabaseName(file);
             db.open();
             QSqlQuery(db).exec(u"CREATE TABLE Klanten (Naam TEXT)"_s);
             db.close();
             db = QSqlDatabase();
             QSqlDatabase::removeDatabase(u"vreemd"_s);
         },
         "is geen kantoordatabase"},
        {"beschadigde instellingen",
         [&ui](const QString& file) {
             {
                 ReferenceApplication host(ui, QFileInfo(file).dir().absolutePath() + "/..");
             }
             OfficeDatabase db(file);
             db.exec(u"INSERT INTO KantoorInstellingen (Id, Record) VALUES (1, ?)"_s, {u"{\"UpdateTermijn\": 12"_s});
         },
         "De instellingen in de kantoordatabase (kantoorinstellingen) zijn beschadigd"},
        {"ongeldige waarde",
         [&ui](const QString& file) {
             {
                 ReferenceApplication host(ui, QFileInfo(file).dir().absolutePath() + "/..");
             }
             OfficeDatabase db(file);
             db.exec(u"INSERT INTO Instellingen (AdviseurCode, Record) VALUES ('', ?)"_s,
                     {u"{\"UpdateTermijn\": 99999}"_s});
         },
         "de waarde van UpdateTermijn is ongeldig"},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString file = DataFolder::officeDatabasePath(dir.path());
        QDir().mkpath(QFileInfo(file).absolutePath());
        c.damage(file);
        const QByteArray before = fingerprint(file);
        const QString error = startError(ui, dir.path());
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.message))) << c.what << ": " << error.toStdString();
        EXPECT_EQ(fingerprint(file), before) << c.what;
    }
}

// Catches a start that crashes or half-creates an office where it cannot write.
TEST(OfficeStorageTest, RefusesADataFolderThatCannotBeMade)
{
    StrictUi ui;
    QTemporaryDir dir;
    QFile blocker(dir.filePath(u"bestand"_s));
    blocker.open(QIODevice::WriteOnly);
    blocker.close();
    for (const QString& folder : {blocker.fileName(), blocker.fileName() + u"/kantoor"_s, QString()}) {
        const QString error = startError(ui, folder);
        EXPECT_TRUE(error.startsWith(u"De gegevensmap"_s)) << folder.toStdString() << ": " << error.toStdString();
    }
}

// Catches settings and passwords readable by others: the office database and
// the data folder are for their owner only.
TEST(OfficeStorageTest, TheOfficeIsReadableByItsOwnerOnly)
{
    StrictUi ui;
    QTemporaryDir dir;
    const QString data = dir.filePath(u"kantoor"_s);
    {
        ReferenceApplication host(ui, data);
        host.SettingsObject().get<ProxySettings>().ProxyWachtwoord = u"Geheim!123"_s;
        host.saveSettings();
    }
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    for (const QString& path : {data, DataFolder::officeDatabasePath(data)})
        EXPECT_EQ(QFile::permissions(path) & others, QFileDevice::Permissions()) << path.toStdString();

    // A database file that someone opened up is closed again at the next start.
    QFile::setPermissions(DataFolder::officeDatabasePath(data),
                          QFile::permissions(DataFolder::officeDatabasePath(data)) | QFileDevice::ReadOther);
    {
        ReferenceApplication host(ui, data);
    }
    EXPECT_EQ(QFile::permissions(DataFolder::officeDatabasePath(data)) & others, QFileDevice::Permissions());
}

// Catches a save that loses what it does not understand, or settings that do
// not survive: stored values come back, and names written by a newer version
// stay in the record.
TEST(OfficeStorageTest, SavedSettingsSurviveARestartWithUnknownNamesKept)
{
    StrictUi ui;
    QTemporaryDir dir;
    {
        ReferenceApplication host(ui, dir.path());
        OfficeDatabase& db = host.officeDatabase();
        db.exec(u"INSERT INTO KantoorInstellingen (Id, Record) VALUES (1, ?)"_s,
                {u"{\"NieuweInstelling\": \"blijft\", \"UpdateTermijn\": 7}"_s});
    }
    {
        ReferenceApplication host(ui, dir.path());
        EXPECT_EQ(host.GlobalSetup().get<UpdateSettings>().UpdateTermijn.get(), 7);
        host.GlobalSetup().get<UpdateSettings>().UpdateTermijn = 30;
        host.SettingsObject().get<UpdateSettings>().VolgendeUpdate = QDate(2025, 3, 1);
        host.SettingsObject().get<ProxySettings>().ProxyAdres = u"proxy 'kantoor\""_s;
        EXPECT_TRUE(host.hasUnsavedChanges());
        host.saveSettings();
        EXPECT_FALSE(host.hasUnsavedChanges());
    }
    ReferenceApplication host(ui, dir.path());
    EXPECT_EQ(host.GlobalSetup().get<UpdateSettings>().UpdateTermijn.get(), 30);
    EXPECT_EQ(host.SettingsObject().get<UpdateSettings>().VolgendeUpdate.get(), QDate(2025, 3, 1));
    EXPECT_EQ(host.SettingsObject().get<ProxySettings>().ProxyAdres.get(), u"proxy 'kantoor\""_s);
    QSqlQuery record = host.officeDatabase().exec(u"SELECT Record FROM KantoorInstellingen"_s);
    ASSERT_TRUE(record.next());
    EXPECT_TRUE(record.value(0).toString().contains(u"\"NieuweInstelling\": \"blijft\""_s));
}

// Catches a demo office too thin to show the pages: every kind of company,
// agent numbers, advisers with the workstation user among them, and a few
// hundred HDN messages; an office that exists is never filled again.
TEST(OfficeStorageTest, DemoOfficeHasContentOfEveryKind)
{
    StrictUi ui;
    QTemporaryDir dir;
    ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    auto count = [&](const QString& sql) {
        QSqlQuery q = host.officeDatabase().exec(sql);
        return q.next() ? q.value(0).toInt() : -1;
    };
    for (const char* table : {"Tbl_Mij_Info", "Tbl_Mij_Verzekering", "Tbl_Mij_Vermogen", "Tbl_Mij_Krediet",
                              "Tbl_Mij_Taxatie", "Tbl_Mij_Bankgarantie"})
        EXPECT_GE(count(u"SELECT COUNT(*) FROM %1"_s.arg(QString::fromLatin1(table))), 12) << table;
    for (int kind : {1, 2, 3, 4, 5, 8})
        EXPECT_GT(count(u"SELECT COUNT(*) FROM tp_info WHERE Cd_SoortMij = %1"_s.arg(kind)), 0) << kind;
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM (SELECT Cd_Mij, Cd_SoortMij FROM tp_info WHERE In_Default = -1 "
                    "GROUP BY Cd_Mij, Cd_SoortMij HAVING COUNT(*) > 1) x"_s),
              0)
        << "at most one default agent number per company and kind";
    const int messages = count(u"SELECT COUNT(*) FROM HDNBericht WHERE Ber_Om_Ascii <> ''"_s);
    EXPECT_GE(messages, 200);
    EXPECT_LE(messages, 500);
    EXPECT_GE(count(u"SELECT COUNT(*) FROM Notaris"_s), 5);
    EXPECT_GE(count(u"SELECT COUNT(*) FROM Inkoopcombinatie"_s), 5);
    EXPECT_GE(count(u"SELECT COUNT(*) FROM Abonnement WHERE length(ID) = 38"_s), 3);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM Vestiging WHERE length(ID) = 36"_s), 3);
    EXPECT_EQ(host.currentAdviser().name, u"J.W. de Vries"_s);
    EXPECT_EQ(host.currentAdviser().code.size(), 36);

    const int advisers = count(u"SELECT COUNT(*) FROM Adviseur"_s);
    ReferenceApplication again(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM Adviseur"_s), advisers);
}

} // namespace

// Catches a demo office whose notary and service-provider pages open empty, or
// whose seeded lists count as unsaved changes: the adviser's own settings hold them.
TEST(OfficeStorageTest, DemoAdviserHasNotariesAndServiceProviders)
{
    StrictUi ui;
    QTemporaryDir dir;
    ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    const NotarisSettings& notaries = host.SettingsObject().get<NotarisSettings>();
    ASSERT_GE(notaries.Notarissen.count(), 5);
    EXPECT_FALSE(notaries.Notaris(1)->Naam.isEmpty());
    EXPECT_EQ(AddressControl::normalisedPostcode(notaries.Notaris(1)->Postcode), notaries.Notaris(1)->Postcode);
    const InkoopcombinatieSettings& providers = host.SettingsObject().get<InkoopcombinatieSettings>();
    ASSERT_GE(providers.AantalInkoopcombinaties(), 5);
    int own = 0;
    for (int i = 1; const InkoopcombinatieRecord* p = providers.Inkoopcombinatie(i); ++i) {
        EXPECT_EQ(p->HDNNummer.size(), 6) << i;
        own += p->TypeCode == QLatin1String("A");
    }
    EXPECT_EQ(own, 1);
    // The office page has the office's own name and address to show.
    EXPECT_EQ(host.SettingsObject().get<OfficeSettings>().Naam.get(), "Hypotheekadvies De Linde B.V.");
    EXPECT_EQ(qint32(host.SettingsObject().get<OfficeAddressSettings>().Huisnummer), 12);
    EXPECT_FALSE(host.hasUnsavedChanges());
}
