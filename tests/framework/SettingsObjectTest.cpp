#include "framework/errors/RuntimeError.h"
#include "framework/host/Settings.h"
#include "tests/support/PageTest.h"

using namespace tarvelo;

// Typed and by-name access must reach the same value, with the declared width enforced.
TEST(Settings, ByNameAccessMatchesTypedAccessAndKeepsTheWidth)
{
    Settings s;
    s.UpdateTermijn = 7;
    EXPECT_EQ(s.value("UpdateTermijn").toInt(), 7);
    EXPECT_EQ(s.value("updatetermijn").toInt(), 7); // names ignore case
    s.setValue("AutomatischOpslaanMinuten", "25");
    EXPECT_EQ(qint16(s.AutomatischOpslaanMinuten), 25);
    s.setValue("ProxyGebruiken", true);
    EXPECT_TRUE(s.ProxyGebruiken);
    s.setValue("VolgendeUpdate", QDate(2027, 3, 2));
    EXPECT_EQ(s.VolgendeUpdate.get(), QDate(2027, 3, 2));

    try {
        s.setValue("UpdateTermijn", 40000);
        ADD_FAILURE() << "16 bits moeten overlopen";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 6);
    }
    EXPECT_EQ(qint16(s.UpdateTermijn), 7);
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
    a.UpdateTermijn = 14;
    a.ProxyAdres = QStringLiteral("proxy.kantoor.nl:8080");
    a.VolgendeUpdate = QDate(2027, 1, 31);
    a.AutoDownload = true;
    Settings b;
    QVariantMap map = a.toMap();
    map.insert("InstellingVanEenNieuwereVersie", 1);
    map.insert("AutomatischOpslaanMinuten", "veel");
    EXPECT_EQ(b.fromMap(map), QStringList{"AutomatischOpslaanMinuten"});
    EXPECT_EQ(b.toMap().value("UpdateTermijn"), a.toMap().value("UpdateTermijn"));
    EXPECT_EQ(b.ProxyAdres.get(), a.ProxyAdres.get());
    EXPECT_EQ(b.VolgendeUpdate.get(), QDate(2027, 1, 31));
    EXPECT_TRUE(b.AutoDownload);
    EXPECT_FALSE(b.contains("InstellingVanEenNieuwereVersie"));
}
