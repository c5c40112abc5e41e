#include "host/secrets/Keyring.h"
#include "framework/settings/ProxySettings.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/secrets/KeyStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tarvelo;

namespace {

// These run only under tests/keyring/run-keyring-check.sh, which gives them
// a Secret Service of their own; elsewhere the desktop's keyring is the
// user's, and not ours to fill.
class KeyringTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("TARVELO_TEST_KEYRING"))
            GTEST_SKIP() << "alleen met een eigen Secret Service (tests/keyring/run-keyring-check.sh)";
    }
};

} // namespace

// Catches keys that land in files while a keyring answers, or that cannot be
// found again: with a Secret Service a key lives there, per key folder, and no
// key file is written.
TEST_F(KeyringTest, KeysLiveInTheKeyringPerFolder)
{
    ASSERT_TRUE(Keyring::reachable());
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).filePath(u"sleutels"_s);
    const KeyStore store(folder);
    const QByteArray key = QByteArray(32, '\x5a') + "\x01\x00\xff"_ba;
    store.keep(KeyStore::userKeyName(), key);
    EXPECT_FALSE(QFile::exists(QDir(folder).filePath(u"gebruiker.sleutel"_s)));
    ASSERT_TRUE(store.find(KeyStore::userKeyName()));
    EXPECT_EQ(*store.find(KeyStore::userKeyName()), key);
    EXPECT_EQ(*KeyStore(folder).find(KeyStore::userKeyName()), key);
    // Another folder (another user's configuration) has keys of its own.
    EXPECT_FALSE(KeyStore(QDir(dir.path()).filePath(u"ander"_s)).find(KeyStore::userKeyName()));
    // Keeping again replaces the key rather than adding a second one.
    const QByteArray renewed(32, '\x11');
    store.keep(KeyStore::userKeyName(), renewed);
    EXPECT_EQ(*store.find(KeyStore::userKeyName()), renewed);
}

// Catches a password that cannot be read back after a restart when its key is
// in the keyring: the window's save seals it, a new start opens it.
TEST_F(KeyringTest, APasswordSurvivesARestartWithItsKeyInTheKeyring)
{
    QTemporaryDir data;
    ScriptedUi ui;
    {
        ReferenceApplication office(ui, data.path());
        office.SettingsObject().get<ProxySettings>().ProxyWachtwoord = u"sleutel-in-de-keyring"_s;
        office.saveSettings();
    }
    ReferenceApplication again(ui, data.path());
    EXPECT_EQ(again.SettingsObject().get<ProxySettings>().ProxyWachtwoord.get(), u"sleutel-in-de-keyring"_s);
    EXPECT_TRUE(again.unreadableSecrets().isEmpty());
    const QString keyFiles = QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath(u"tarvelo/sleutels"_s);
    EXPECT_TRUE(QDir(keyFiles).entryList(QDir::Files).isEmpty()) << keyFiles.toStdString();
}
