#include "framework/errors/RuntimeError.h"
#include "framework/host/Settings.h"
#include "framework/settings/AutosaveSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/UpdateSettings.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;

// Typed and by-name access must reach the same value, with the declared width enforced.
TEST(Settings, ByNameAccessMatchesTypedAccessAndKeepsTheWidth)
{
    Settings s;
    s.get<UpdateSettings>().UpdateTermijn = 7;
    EXPECT_EQ(s.value("UpdateTermijn").toInt(), 7);
    EXPECT_EQ(s.value("updatetermijn").toInt(), 7); // names ignore case
    s.setValue("AutomatischOpslaanMinuten", "25");
    EXPECT_EQ(qint16(s.get<AutosaveSettings>().AutomatischOpslaanMinuten), 25);
    s.setValue("ProxyGebruiken", true);
    EXPECT_TRUE(s.get<ProxySettings>().ProxyGebruiken);
    s.setValue("VolgendeUpdate", QDate(2027, 3, 2));
    EXPECT_EQ(s.get<UpdateSettings>().VolgendeUpdate.get(), QDate(2027, 3, 2));

    try {
        s.setValue("UpdateTermijn", 40000);
        ADD_FAILURE() << "16 bits moeten overlopen";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 6);
    }
    EXPECT_EQ(qint16(s.get<UpdateSettings>().UpdateTermijn), 7);
    try {
        s.value("UpdateTermin");
        ADD_FAILURE() << "een verkeerd gespelde naam moet opvallen";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 438);
    }
    EXPECT_TRUE(s.setting("ProxyWachtwoord").isSecret());
    EXPECT_FALSE(s.setting("ProxyAdres").isSecret());
}

// Persistence goes through the map: every declared setting survives, unknown names are left alone.
TEST(Settings, MapRoundTripAndRejectedValues)
{
    Settings a;
    a.get<UpdateSettings>().UpdateTermijn = 14;
    a.get<ProxySettings>().ProxyAdres = u"proxy.kantoor.nl:8080"_s;
    a.get<UpdateSettings>().VolgendeUpdate = QDate(2027, 1, 31);
    a.get<UpdateSettings>().AutoDownload = true;
    Settings b;
    QVariantMap map = a.toMap();
    map.insert("InstellingVanEenNieuwereVersie", 1);
    map.insert("AutomatischOpslaanMinuten", "veel");
    EXPECT_EQ(b.fromMap(map), QStringList{"AutomatischOpslaanMinuten"});
    EXPECT_EQ(b.toMap().value("UpdateTermijn"), a.toMap().value("UpdateTermijn"));
    EXPECT_EQ(b.get<ProxySettings>().ProxyAdres.get(), a.get<ProxySettings>().ProxyAdres.get());
    EXPECT_EQ(b.get<UpdateSettings>().VolgendeUpdate.get(), QDate(2027, 1, 31));
    EXPECT_TRUE(b.get<UpdateSettings>().AutoDownload);
    EXPECT_FALSE(b.contains("InstellingVanEenNieuwereVersie"));
}

namespace {
struct FirstBlock final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<qint16> Termijn{this, "Termijn", 3};
};
struct SecondBlock final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<QString> Adres{this, "Adres"};
};
struct ClashingBlock final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<bool> termijn{this, "termijn", false};
};
struct TwoBlocks : SettingsObject {
    TwoBlocks()
    {
        addBlock<FirstBlock>();
        addBlock<SecondBlock>();
    }
};
struct ClashingBlocks : SettingsObject {
    ClashingBlocks()
    {
        addBlock<FirstBlock>();
        addBlock<ClashingBlock>();
    }
};
struct ProxyBlock final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<QString> Adres{this, "Adres"};
    Setting<QString> Naam{this, "Naam"};
    Setting<bool> Aan{this, "Aan", false};
};
struct Watched : SettingsObject {
    Watched()
    {
        addBlock<FirstBlock>();
        addBlock<ProxyBlock>();
    }
};
} // namespace

// A stored record read again must say which settings it changed, block by block, as a
// configuration watcher does: only values that changed, under their declared names, once
// per block; the program's own writes are not told, and a listener's write is no read that
// passes the locks.
TEST(Settings, ReadingARecordAnnouncesWhatItChangedPerBlock)
{
    Watched s;
    std::vector<std::pair<const SettingsBlock*, QStringList>> told;
    s.Changed.connect([&](const SettingsBlock& block, const QStringList& names) { told.push_back({&block, names}); });
    s.get<FirstBlock>().Termijn = 5;
    s.setValue(u"Adres"_s, u"kerkstraat"_s);
    EXPECT_TRUE(told.empty());

    s.setLocked(u"Naam"_s, true);
    s.fromMap({{u"Adres"_s, u"kerkstraat"_s},
               {u"naam"_s, u"kantoor"_s},
               {u"Aan"_s, true},
               {u"Termijn"_s, 5},
               {u"Onbekend"_s, 1},
               {u"Termijn"_s, 5}});
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].first, &s.get<ProxyBlock>());
    EXPECT_EQ(told[0].second, (QStringList{u"Naam"_s, u"Aan"_s}));
    EXPECT_EQ(s.get<ProxyBlock>().Naam.get(), u"kantoor"_s);

    told.clear();
    s.fromMap({{u"aan"_s, false}, {u"termijn"_s, 7}, {u"Adres"_s, u"niet-getal"_s}});
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0].first, &s.get<FirstBlock>());
    EXPECT_EQ(told[0].second, QStringList{u"Termijn"_s});
    EXPECT_EQ(told[1].second, (QStringList{u"Adres"_s, u"Aan"_s}));

    told.clear();
    s.fromMap({{u"Termijn"_s, u"geen getal"_s}});
    EXPECT_TRUE(told.empty());

    s.Changed.connect([&](const SettingsBlock&, const QStringList&) { s.get<ProxyBlock>().Naam = u"erover"_s; });
    s.fromMap({{u"Termijn"_s, 8}});
    EXPECT_EQ(s.get<ProxyBlock>().Naam.get(), u"kantoor"_s);
    EXPECT_EQ(s.refusedWrites(), 1);
}

// Blocks of different subjects must form one object: by name, persistence and typed access see every block.
TEST(Settings, BlocksRegisterIntoOneObject)
{
    TwoBlocks s;
    EXPECT_EQ(s.names(), (QStringList{"Termijn", "Adres"}));
    s.setValue("adres", u"Kerkstraat 1"_s);
    EXPECT_EQ(s.get<SecondBlock>().Adres.get(), u"Kerkstraat 1"_s);
    s.get<FirstBlock>().Termijn = 9;
    EXPECT_EQ(s.toMap().value("Termijn").toInt(), 9);
    s.resetAll();
    EXPECT_EQ(qint16(s.get<FirstBlock>().Termijn), 3);
}

// Two subjects declaring the same name would make by-name access and storage ambiguous: refused at once.
TEST(Settings, ANameDeclaredTwiceIsRefused)
{
    EXPECT_THROW(ClashingBlocks{}, std::logic_error);
    Settings all; // the product's own blocks declare every name once
    EXPECT_GT(all.names().size(), 10);
}
