#include "framework/errors/RuntimeError.h"
#include "framework/settings/IntegrationSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/admin/AdminCommands.h"
#include "host/admin/SettingsProfile.h"
#include "host/office/OfficeDatabase.h"
#include "host/secrets/SecretBox.h"
#include "tests/support/TestPostgres.h"

#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace Qt::StringLiterals;
using namespace tarvelo;

namespace {

// One workstation: the user's configuration folder, where the keys of the
// passwords are kept when no keyring answers.
class Workstation {
public:
    // Runs body as on this workstation.
    template <typename Body>
    auto as(Body&& body)
    {
        const QByteArray before = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
        struct Restore {
            QByteArray value;
            ~Restore() { qputenv("XDG_CONFIG_HOME", value); }
        } restore{before};
        return body();
    }
    QString userKeyFile() const { return config_.filePath(u"tarvelo/sleutels/gebruiker.sleutel"_s); }

private:
    QTemporaryDir config_;
};

const QString AdviserPassword = u"Pr0xy-geheim-van-de-adviseur"_s;
const QString OfficePassword = u"Kant00r-geheim-van-iedereen"_s;
const QString LinkPassword = u"Elements-geheim-4711"_s;

// Both engines: the office file, and the office database on the test server.
class SealedPasswords : public ::testing::TestWithParam<bool> {
protected:
    SealedPasswords()
    {
        if (GetParam())
            server_ = DatabaseLocation{u"MSSQL"_s, QString(), tarvelo::testing::testPostgresServer(),
                                       tarvelo::testing::createTestDatabase()};
    }
    std::unique_ptr<ReferenceApplication> open()
    {
        return std::make_unique<ReferenceApplication>(ui_, data_.path(), QString(),
                                                      ReferenceApplication::NewOffice::Empty, server_);
    }
    // Every stored settings record and history line, as a database login reads them.
    QString storedRows(ReferenceApplication& host)
    {
        QString rows;
        for (const char* sql : {"SELECT Record FROM Instellingen", "SELECT Record FROM KantoorInstellingen",
                                "SELECT * FROM InstellingWijziging"}) {
            QSqlQuery q = host.officeDatabase().exec(QString::fromLatin1(sql));
            while (q.next())
                for (int i = 0; i < q.record().count(); ++i)
                    rows += q.value(i).toString() + u'\n';
        }
        return rows;
    }
    // Every byte of every file in the data folder, as a copy of it would hold them.
    QByteArray dataFolderBytes()
    {
        QByteArray all;
        QDirIterator files(data_.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (file.open(QIODevice::ReadOnly))
                all += file.readAll();
        }
        return all;
    }
    // The key of the adviser's record: an office without advisers keeps one under "".
    static QString adviserKey(const ReferenceApplication& host)
    {
        return host.currentAdviser().code.isNull() ? u""_s : host.currentAdviser().code;
    }
    QString storedSetupRecord(ReferenceApplication& host)
    {
        QSqlQuery q =
            host.officeDatabase().exec(u"SELECT Record FROM Instellingen WHERE AdviseurCode = ?"_s, {adviserKey(host)});
        return q.next() ? q.value(0).toString() : QString();
    }

    ScriptedUi ui_;
    QTemporaryDir data_;
    std::optional<DatabaseLocation> server_;
    Workstation here_;
};

} // namespace

// Catches passwords stored as typed: neither the office's rows (as any
// database login reads them) nor a copy of the data folder holds one, and the
// program itself reads them back.
TEST_P(SealedPasswords, ACopyOfTheOfficeHoldsNoPasswordAsTyped)
{
    here_.as([&] {
        {
            auto host = open();
            host->SettingsObject().get<ProxySettings>().ProxyWachtwoord = AdviserPassword;
            host->SettingsObject().get<IntegrationSettings>().ElementsWachtwoord = LinkPassword;
            host->GlobalSetup().get<ProxySettings>().ProxyWachtwoord = OfficePassword;
            host->saveSettings();
            const QString rows = storedRows(*host);
            EXPECT_TRUE(rows.contains(SecretBox::Prefix));
            for (const QString& password : {AdviserPassword, OfficePassword, LinkPassword})
                EXPECT_FALSE(rows.contains(password)) << password.toStdString();
        }
        if (!server_) {
            const QByteArray copy = dataFolderBytes();
            for (const QString& password : {AdviserPassword, OfficePassword, LinkPassword})
                EXPECT_FALSE(copy.contains(password.toUtf8())) << password.toStdString();
        }
        auto again = open();
        EXPECT_EQ(again->SettingsObject().get<ProxySettings>().ProxyWachtwoord.get(), AdviserPassword);
        EXPECT_EQ(again->SettingsObject().get<IntegrationSettings>().ElementsWachtwoord.get(), LinkPassword);
        EXPECT_EQ(again->GlobalSetup().get<ProxySettings>().ProxyWachtwoord.get(), OfficePassword);
        EXPECT_TRUE(again->unreadableSecrets().isEmpty());
    });
}

// Catches a lost key that costs more than the passwords, or that goes
// unmentioned: the user is told which ones to type again, every other setting
// is kept, a password typed again is readable, and the one not typed again
// stays stored as it was (it opens again should the key come back).
TEST_P(SealedPasswords, ALostKeyTellsWhichPasswordsToTypeAgainAndLosesNothingElse)
{
    QString sealedLink;
    here_.as([&] {
        auto host = open();
        host->SettingsObject().get<ProxySettings>().ProxyAdres = u"proxy.kantoor:8080"_s;
        host->SettingsObject().get<ProxySettings>().ProxyWachtwoord = AdviserPassword;
        host->SettingsObject().get<IntegrationSettings>().ElementsWachtwoord = LinkPassword;
        host->saveSettings();
        sealedLink = QJsonDocument::fromJson(storedSetupRecord(*host).toUtf8())
                         .object()
                         .value(u"ElementsWachtwoord"_s)
                         .toString();
    });
    ASSERT_TRUE(QFile::remove(here_.userKeyFile()));
    here_.as([&] {
        {
            auto host = open();
            EXPECT_EQ(host->SettingsObject().get<ProxySettings>().ProxyAdres.get(), u"proxy.kantoor:8080"_s);
            EXPECT_EQ(host->SettingsObject().get<ProxySettings>().ProxyWachtwoord.get(), QString());
            QStringList missing = host->unreadableSecrets();
            missing.sort();
            EXPECT_EQ(missing, (QStringList{u"Setup.ElementsWachtwoord"_s, u"Setup.ProxyWachtwoord"_s}));
            QStringList names = host->unreadableSecrets();
            names.replaceInStrings(u"Setup."_s, QString());
            EXPECT_EQ(host->unreadableSecretsMessage(),
                      u"De sleutel van deze wachtwoorden ontbreekt op deze werkplek, zodat ze niet kan worden gelezen. "
                      "Typ opnieuw in: %1. Uw andere instellingen zijn bewaard gebleven."_s.arg(names.join(u", "_s)));
            // The command line tells it with every command.
            AdminRequest get;
            get.command = u"get"_s;
            get.arguments = {u"ProxyAdres"_s};
            const AdminResult got = AdminCommands::run(*host, get, {});
            EXPECT_EQ(got.status, AdminCommands::Done);
            EXPECT_TRUE(got.err.contains(u"Typ opnieuw in"_s)) << got.err.toStdString();

            host->SettingsObject().get<ProxySettings>().ProxyWachtwoord = u"opnieuw-getypt"_s;
            EXPECT_EQ(host->unreadableSecrets(), QStringList{u"Setup.ElementsWachtwoord"_s});
            host->saveSettings();
        }
        auto host = open();
        EXPECT_EQ(host->SettingsObject().get<ProxySettings>().ProxyWachtwoord.get(), u"opnieuw-getypt"_s);
        EXPECT_EQ(host->unreadableSecrets(), QStringList{u"Setup.ElementsWachtwoord"_s});
        EXPECT_EQ(QJsonDocument::fromJson(storedSetupRecord(*host).toUtf8())
                      .object()
                      .value(u"ElementsWachtwoord"_s)
                      .toString(),
                  sealedLink);
    });
}

// Catches an office key that stays on one workstation, or an export that
// clears what it could not read: a second workstation cannot read nor store
// the office's passwords until it imports the administrator's file with
// passwords; its own export leaves out what it could not open.
TEST_P(SealedPasswords, TheOfficeKeyTravelsWithAnExportWithPasswords)
{
    const QString passphrase = u"kantoor-wachtzin"_s;
    QByteArray administratorsFile;
    here_.as([&] {
        auto host = open();
        host->SettingsObject().get<ProxySettings>().ProxyWachtwoord = AdviserPassword;
        host->GlobalSetup().get<ProxySettings>().ProxyWachtwoord = OfficePassword;
        host->saveSettings();
        administratorsFile = SettingsProfile::write(host->userSetup(), host->officeSetup(), passphrase,
                                                    host->officeKey(), host->unreadableSecrets());
        // Without passwords the file carries no key either.
        EXPECT_FALSE(SettingsProfile::write(host->userSetup(), host->officeSetup(), std::nullopt, host->officeKey())
                         .contains("Sleutel"));
    });
    Workstation other;
    QByteArray othersFile;
    other.as([&] {
        auto host = open();
        EXPECT_EQ(host->GlobalSetup().get<ProxySettings>().ProxyWachtwoord.get(), QString());
        EXPECT_TRUE(host->unreadableSecrets().contains(u"GlobalSetup.ProxyWachtwoord"_s));
        othersFile = SettingsProfile::write(host->userSetup(), host->officeSetup(), passphrase, host->officeKey(),
                                            host->unreadableSecrets());

        host->GlobalSetup().get<IntegrationSettings>().ANVAWachtwoord = u"nieuw"_s;
        try {
            host->saveSettings();
            ADD_FAILURE() << "opgeslagen zonder de sleutel van het kantoor";
        } catch (const RuntimeError& e) {
            EXPECT_TRUE(e.description().contains(u"Er is niets opgeslagen"_s)) << e.description().toStdString();
        }
        host->reloadSettings();

        const ImportPlan plan = SettingsProfile::plan(administratorsFile, host->userSetup(), host->officeSetup(),
                                                      [&] { return std::optional<QString>(passphrase); });
        ASSERT_FALSE(plan.officeKey.isEmpty());
        EXPECT_TRUE(plan.unknown.isEmpty()) << plan.unknown.join(u", "_s).toStdString();
        host->receiveOfficeKey(plan.officeKey);
        EXPECT_EQ(host->GlobalSetup().get<ProxySettings>().ProxyWachtwoord.get(), OfficePassword);
        const ImportPlan again = SettingsProfile::plan(administratorsFile, host->userSetup(), host->officeSetup(),
                                                       [&] { return std::optional<QString>(passphrase); });
        SettingsProfile::apply(again.differences, host->userSetup(), host->officeSetup());
        host->saveSettings();
    });
    other.as([&] {
        auto host = open();
        EXPECT_EQ(host->SettingsObject().get<ProxySettings>().ProxyWachtwoord.get(), AdviserPassword);
        EXPECT_EQ(host->GlobalSetup().get<ProxySettings>().ProxyWachtwoord.get(), OfficePassword);
        EXPECT_TRUE(host->unreadableSecrets().isEmpty());
    });
    // The file the second workstation wrote before it had the key clears nothing.
    here_.as([&] {
        auto host = open();
        const ImportPlan plan = SettingsProfile::plan(othersFile, host->userSetup(), host->officeSetup(),
                                                      [&] { return std::optional<QString>(passphrase); });
        for (const ProfileDifference& d : plan.differences)
            EXPECT_FALSE(d.secret) << d.object.toStdString() << "." << d.name.toStdString();
    });
}

// Catches an office of an older version whose passwords can no longer be
// read, or stay as typed: a plain stored password reads as it is, and the
// next save of that record seals it.
TEST_P(SealedPasswords, APasswordStoredAsTypedIsReadAndSealedOnTheNextSave)
{
    here_.as([&] {
        {
            auto host = open();
            host->officeDatabase().exec(
                u"INSERT INTO Instellingen (AdviseurCode, Record, Gewijzigd) VALUES (?, ?, '2024-01-01T00:00:00Z')"_s,
                {adviserKey(*host), u"{\"ProxyWachtwoord\": \"%1\", \"ProxyAdres\": \"oud\"}"_s.arg(AdviserPassword)});
        }
        {
            auto host = open();
            EXPECT_EQ(host->SettingsObject().get<ProxySettings>().ProxyWachtwoord.get(), AdviserPassword);
            EXPECT_TRUE(host->unreadableSecrets().isEmpty());
            host->SettingsObject().get<ProxySettings>().ProxyAdres = u"nieuw"_s;
            host->saveSettings();
            const QString stored = storedSetupRecord(*host);
            EXPECT_FALSE(stored.contains(AdviserPassword)) << stored.toStdString();
            EXPECT_TRUE(stored.contains(SecretBox::Prefix));
        }
        auto host = open();
        EXPECT_EQ(host->SettingsObject().get<ProxySettings>().ProxyWachtwoord.get(), AdviserPassword);
        EXPECT_EQ(host->SettingsObject().get<ProxySettings>().ProxyAdres.get(), u"nieuw"_s);
    });
}

INSTANTIATE_TEST_SUITE_P(BothEngines, SealedPasswords, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Server" : "File"; });

// Catches a sealed value that opens with another key, or after a change: only
// its own key opens it, and a changed byte makes it unreadable.
TEST(SecretBoxTest, OnlyItsOwnKeyOpensASealedValueAndAChangeIsNoticed)
{
    const QByteArray key = SecretBox::newKey();
    const QString sealed = SecretBox::seal(u"wachtwoord €"_s, key);
    EXPECT_TRUE(SecretBox::isSealed(sealed));
    EXPECT_EQ(SecretBox::keyIdOf(sealed), SecretBox::keyId(key));
    EXPECT_NE(SecretBox::seal(u"wachtwoord €"_s, key), sealed);
    EXPECT_EQ(SecretBox::open(sealed, key), std::optional<QString>(u"wachtwoord €"_s));
    EXPECT_EQ(SecretBox::open(sealed, SecretBox::newKey()), std::nullopt);
    QString changed = sealed;
    changed[changed.size() - 3] = changed[changed.size() - 3] == u'A' ? u'B' : u'A';
    EXPECT_EQ(SecretBox::open(changed, key), std::nullopt);
    EXPECT_FALSE(SecretBox::isSealed(u"geheim"_s));
    // The stored text does not tell a short password from a longer one.
    EXPECT_EQ(SecretBox::seal(u"abc"_s, key).size(), SecretBox::seal(u"twintig-tekens-lang!"_s, key).size());
    EXPECT_EQ(SecretBox::open(SecretBox::seal(QString(), key), key), std::optional<QString>(QString()));
}
