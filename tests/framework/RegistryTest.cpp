#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"

#include <gtest/gtest.h>

#include <QMap>

#include <vector>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

// A hive in memory that counts every access and can refuse writes.
class MemoryHive final : public RegistryStore {
public:
    bool openKey(const QString& keyPath) override
    {
        ++accesses;
        return keys.contains(keyPath.toCaseFolded());
    }
    bool createKey(const QString& keyPath) override
    {
        ++accesses;
        if (!refuseWrites && !keys.contains(keyPath.toCaseFolded()))
            keys.insert(keyPath.toCaseFolded(), keyPath);
        return !refuseWrites;
    }
    std::optional<QString> readString(const QString& keyPath, const QString& valueName) override
    {
        ++accesses;
        const auto found = values.constFind(id(keyPath, valueName));
        return found == values.cend() ? std::nullopt : std::optional(found->second);
    }
    bool writeString(const QString& keyPath, const QString& valueName, const QString& data) override
    {
        if (!createKey(keyPath))
            return false;
        auto& [name, text] = values[id(keyPath, valueName)];
        if (name.isEmpty())
            name = valueName;
        text = data;
        return true;
    }
    QStringList valueNames(const QString& keyPath) override
    {
        ++accesses;
        QStringList names;
        for (auto value = values.cbegin(); value != values.cend(); ++value) {
            if (value.key().startsWith(id(keyPath, "")))
                names << value->first;
        }
        return names;
    }

    QMap<QString, QString> keys;                       // folded path -> path as first written
    QMap<QString, std::pair<QString, QString>> values; // id -> name as first written, text
    int accesses = 0;
    bool refuseWrites = false;

private:
    static QString id(const QString& keyPath, const QString& valueName)
    {
        return keyPath.toCaseFolded() + u'\n' + valueName.toCaseFolded();
    }
};

const QString ProductKey = RegistryNames::ProductKey;
const QString Wow64Key = u"Software\\WOW6432NODE\\Tarvelo"_s;

} // namespace

// Catches legacy names translated under the machine hive too, or left untranslated per user.
TEST(Registry, LegacyNamesAreTranslatedUnderTheUserHiveOnly)
{
    struct Case {
        QString passed;
        QString storedPerUser;
    };
    const std::vector<Case> cases{
        {"adviezendir", "AdviezenDatabaseMap"},
        {"ServerName", "AdviezenDatabaseSource"},
        {"DATABASEPROV", "AdviezenDatabaseProvider"},
        {"databasename", "AdviezenDatabaseName"},
        {"LogoPath", "LogoPath"},
        {"servername2", "servername2"},
    };
    for (const Case& c : cases) {
        MemoryHive user, machine;
        Registry registry(user, machine);
        EXPECT_TRUE(registry.SaveTarveloSetting(Hive::HKEY_CURRENT_USER, c.passed, "u"));
        EXPECT_TRUE(registry.SaveTarveloSetting(Hive::HKEY_LOCAL_MACHINE, c.passed, "m"));
        EXPECT_EQ(user.valueNames(ProductKey), QStringList{c.storedPerUser}) << c.passed.toStdString();
        EXPECT_EQ(machine.valueNames(ProductKey), QStringList{c.passed}) << c.passed.toStdString();
        EXPECT_EQ(registry.GetTarveloSetting(Hive::HKEY_CURRENT_USER, c.passed, false, "d"), "u");
        EXPECT_EQ(registry.GetTarveloSetting(Hive::HKEY_LOCAL_MACHINE, c.passed, false, "d"), "m");
    }
}

// Catches the machine fall-back reading the translated name instead of the name as passed.
TEST(Registry, MachineFallBackReadsTheNameAsPassed)
{
    MemoryHive user, machine;
    Registry registry(user, machine);
    machine.writeString(ProductKey, "servername", "machine-legacy");
    machine.writeString(ProductKey, "AdviezenDatabaseSource", "machine-current");

    EXPECT_EQ(registry.GetTarveloSetting(Hive::HKEY_CURRENT_USER, "servername", true, "x"), "machine-legacy");
    user.writeString(ProductKey, "AdviezenDatabaseSource", "per-user");
    EXPECT_EQ(registry.GetTarveloSetting(Hive::HKEY_CURRENT_USER, "servername", true, "x"), "per-user");
    EXPECT_EQ(registry.GetTarveloSetting(Hive::HKEY_CURRENT_USER, "ExecutableDir", true, "x"), "x");
}

// Catches a machine lookup when the caller asked for none, or when the user value was found.
TEST(Registry, MachineHiveIsOnlyReadWhenTheUserValueIsMissingAndFallBackIsAsked)
{
    struct Case {
        bool userHasValue;
        bool fallbackToMachine;
        QString expected;
        bool machineRead;
    };
    const std::vector<Case> cases{
        {false, false, "d", false},
        {true, false, "per-user", false},
        {true, true, "per-user", false},
        {false, true, "machine", true},
    };
    for (const Case& c : cases) {
        MemoryHive user, machine;
        machine.writeString(ProductKey, "UrlServer", "machine");
        if (c.userHasValue)
            user.writeString(ProductKey, "UrlServer", "per-user");
        machine.accesses = 0;
        Registry registry(user, machine);
        EXPECT_EQ(registry.GetTarveloSetting(Hive::HKEY_CURRENT_USER, "UrlServer", c.fallbackToMachine, "d"),
                  c.expected);
        EXPECT_EQ(machine.accesses > 0, c.machineRead) << c.userHasValue << " " << c.fallbackToMachine;
    }
}

// Catches the 32-bit view applied to other keys, missed for a differently cased product key,
// or applied on a native system.
TEST(Registry, ProductKeyUsesThe32BitViewOnlyUnderWow64)
{
    struct Case {
        bool isWow64;
        QString passed;
        QString stored;
    };
    const std::vector<Case> cases{
        {true, "Software\\Tarvelo", Wow64Key},
        {true, "SOFTWARE\\tarvelo", Wow64Key},
        {true, "Software\\Tarvelo\\Sub", "Software\\Tarvelo\\Sub"},
        {true, "Software\\Andere", "Software\\Andere"},
        {false, "Software\\Tarvelo", "Software\\Tarvelo"},
        {false, "software\\tarvelo", "software\\tarvelo"},
    };
    for (const Case& c : cases) {
        MemoryHive user, machine;
        Registry registry(user, machine, c.isWow64);
        EXPECT_EQ(registry.IsWow64(), c.isWow64);
        EXPECT_TRUE(registry.RegSetString(Hive::HKEY_LOCAL_MACHINE, c.passed, "UrlServer", "v"));
        EXPECT_EQ(machine.readString(c.stored, "UrlServer"), QString("v")) << c.passed.toStdString();
        ASSERT_EQ(machine.keys.size(), 1);
        EXPECT_EQ(machine.keys.first(), c.stored);
        EXPECT_EQ(registry.RegGetString(Hive::HKEY_LOCAL_MACHINE, c.passed, "UrlServer", "d"), "v");
    }

    MemoryHive user, machine;
    machine.writeString(ProductKey, "UrlServer", "64-bit");
    machine.writeString(Wow64Key, "UrlServer", "32-bit");
    user.writeString(Wow64Key, "LogoPath", "logo-32");
    EXPECT_EQ(Registry(user, machine, true).RegGetString(Hive::HKEY_LOCAL_MACHINE, ProductKey, "UrlServer", "d"),
              "32-bit");
    EXPECT_EQ(Registry(user, machine, false).RegGetString(Hive::HKEY_LOCAL_MACHINE, ProductKey, "UrlServer", "d"),
              "64-bit");
    EXPECT_EQ(Registry(user, machine, true).GetTarveloSetting(Hive::HKEY_CURRENT_USER, "LogoPath", false, "d"),
              "logo-32");
    EXPECT_EQ(Registry(user, machine, false).GetTarveloSetting(Hive::HKEY_CURRENT_USER, "LogoPath", false, "d"), "d");
}

// Catches the not-found marker or an empty text returned as a real value.
TEST(Registry, MarkerAndEmptyTextCountAsMissingForSettingsOnly)
{
    struct Case {
        QString user;    // null: no value
        QString machine; // null: no value
        bool fallbackToMachine;
        QString expected;
    };
    const std::vector<Case> cases{
        {"nietgevonden", "machine", true, "machine"},
        {"nietgevonden", "machine", false, "d"},
        {"", "machine", true, "d"},
        {QString(), "nietgevonden", true, "d"},
        {QString(), "", true, "d"},
        {"xnietgevonden", "machine", true, "xnietgevonden"},
        {QString(), QString(), true, "d"},
    };
    for (const Case& c : cases) {
        MemoryHive user, machine;
        if (!c.user.isNull())
            user.writeString(ProductKey, "ImportDir", c.user);
        if (!c.machine.isNull())
            machine.writeString(ProductKey, "ImportDir", c.machine);
        Registry registry(user, machine);
        EXPECT_EQ(registry.GetTarveloSetting(Hive::HKEY_CURRENT_USER, "ImportDir", c.fallbackToMachine, "d"),
                  c.expected)
            << c.user.toStdString() << "/" << c.machine.toStdString();
    }

    MemoryHive user, machine;
    Registry registry(user, machine);
    user.writeString(ProductKey, "ImportDir", "");
    const QString read = registry.RegGetString(Hive::HKEY_CURRENT_USER, ProductKey, "ImportDir", "d");
    EXPECT_TRUE(read.isEmpty());
    user.writeString(ProductKey, "ImportDir", "nietgevonden");
    EXPECT_EQ(registry.RegGetString(Hive::HKEY_CURRENT_USER, ProductKey, "ImportDir", "d"), "nietgevonden");
}

// Catches an off-by-one at the read buffer, or a length counted in UTF-16 units instead of bytes.
TEST(Registry, ValuesOfAThousandAnsiBytesOrMoreReadAsMissing)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    struct Case {
        QString stored;
        QString expected;
    };
    const std::vector<Case> cases{
        {QString(999, u'a'), QString(999, u'a')},
        {QString(1000, u'a'), "d"},
        {QString(5000, u'a'), "d"},
        {QString(999, u'\u20AC'), QString(999, u'\u20AC')},
        {QString(1000, u'\u20AC'), "d"},
        {emoji.repeated(999), QString(999, u'?')},
        {emoji.repeated(1000), "d"},
    };
    for (const Case& c : cases) {
        MemoryHive user, machine;
        user.writeString(ProductKey, "LogoPath", c.stored);
        Registry registry(user, machine);
        EXPECT_EQ(registry.RegGetString(Hive::HKEY_CURRENT_USER, ProductKey, "LogoPath", "d"), c.expected)
            << c.stored.size();
        EXPECT_EQ(registry.GetTarveloSetting(Hive::HKEY_CURRENT_USER, "LogoPath", false, "d"), c.expected);
    }
}

// Catches a write that turns a readable setting into a missing one, reported as stored.
TEST(Registry, ValueTooLongToReadBackIsNotWritten)
{
    MemoryHive user, machine;
    Registry registry(user, machine);
    ASSERT_TRUE(registry.SaveTarveloSetting(Hive::HKEY_CURRENT_USER, "LogoPath", "/oud"));
    EXPECT_FALSE(registry.SaveTarveloSetting(Hive::HKEY_CURRENT_USER, "LogoPath", QString(1000, u'x')));
    EXPECT_EQ(registry.GetTarveloSetting(Hive::HKEY_CURRENT_USER, "LogoPath", false, "d"), "/oud");
    EXPECT_TRUE(registry.SaveTarveloSetting(Hive::HKEY_CURRENT_USER, "LogoPath", QString(999, u'x')));
    EXPECT_EQ(registry.GetTarveloSetting(Hive::HKEY_CURRENT_USER, "LogoPath", false, "d"), QString(999, u'x'));
}

// Catches text stored beyond the ANSI code page, or a control character left where the
// code page lacks a character.
TEST(Registry, ValuesAreStoredAsAnsiText)
{
    struct Case {
        QString written;
        QString read;
    };
    const std::vector<Case> cases{
        {QString::fromUtf8("Zo\xC3\xAB \xE2\x82\xAC 5,- \xE2\x80\x94 caf\xC3\xA9"),
         QString::fromUtf8("Zo\xC3\xAB \xE2\x82\xAC 5,- \xE2\x80\x94 caf\xC3\xA9")},
        {QString::fromUtf8("\xC4\x80"
                           "b\xF0\x9F\x98\x80"
                           "c"),
         "?b?c"},
        {QString::fromUtf8("\xE4\xB8\xAD") + QChar(0x1A), QString("?") + QChar(0x1A)},
        {QString("a") + QChar(0) + "b", QString("a") + QChar(0) + "b"},
    };
    for (const Case& c : cases) {
        MemoryHive user, machine;
        Registry registry(user, machine);
        ASSERT_TRUE(registry.RegSetString(Hive::HKEY_CURRENT_USER, ProductKey, "ExportDir", c.written));
        EXPECT_EQ(user.readString(ProductKey, "ExportDir"), c.read);
        EXPECT_EQ(registry.RegGetString(Hive::HKEY_CURRENT_USER, ProductKey, "ExportDir", "d"), c.read);
    }

    // A value put in the hive by other means is read as the ANSI functions would see it.
    MemoryHive user, machine;
    user.writeString(ProductKey, "ExportDir", QString::fromUtf8("\xC4\x80"));
    EXPECT_EQ(Registry(user, machine).RegGetString(Hive::HKEY_CURRENT_USER, ProductKey, "ExportDir", "d"), "?");
}

// Catches keys created by a plain open, opens of malformed paths, and refused writes
// reported as done.
TEST(Registry, KeysOpenOnlyWhenPresentOrCreated)
{
    MemoryHive user, machine;
    Registry registry(user, machine);

    RegKey key = registry.OpenRegKey(Hive::HKEY_CURRENT_USER, ProductKey, false);
    EXPECT_FALSE(key);
    EXPECT_TRUE(user.keys.isEmpty());

    key = registry.OpenRegKey(Hive::HKEY_CURRENT_USER, ProductKey, true);
    EXPECT_TRUE(key);
    EXPECT_EQ(key.path(), ProductKey);
    registry.CloseRegKey(key);
    EXPECT_FALSE(key);

    key = registry.OpenRegKey(Hive::HKEY_CURRENT_USER, "SOFTWARE\\TARVELO", false);
    EXPECT_TRUE(key);
    EXPECT_FALSE(registry.OpenRegKey(Hive::HKEY_LOCAL_MACHINE, ProductKey, false));

    for (const QString& malformed :
         {QString(), QString("\\Software"), QString("Software\\\\Tarvelo"), QString("Software\\")}) {
        EXPECT_FALSE(registry.OpenRegKey(Hive::HKEY_CURRENT_USER, malformed, true)) << malformed.toStdString();
        EXPECT_FALSE(registry.RegSetString(Hive::HKEY_CURRENT_USER, malformed, "a", "b"));
        EXPECT_EQ(registry.RegGetString(Hive::HKEY_CURRENT_USER, malformed, "a", "d"), "d");
    }

    machine.refuseWrites = true;
    EXPECT_FALSE(registry.SaveTarveloSetting(Hive::HKEY_LOCAL_MACHINE, "DatabaseDir", "/data"));
    EXPECT_EQ(registry.GetTarveloSetting(Hive::HKEY_LOCAL_MACHINE, "DatabaseDir", false, "d"), "d");
}
