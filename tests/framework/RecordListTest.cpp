#include "framework/errors/RuntimeError.h"
#include "framework/host/Settings.h"
#include "framework/settings/NotarisSettings.h"

#include <gtest/gtest.h>

using namespace tarvelo;

// Records are reached from 1; past the last (and at 0) there is nothing; removing moves the later ones up.
TEST(RecordList, OneBasedAccessAddAndRemove)
{
    Settings settings;
    NotarisSettings& n = settings.get<NotarisSettings>();
    EXPECT_EQ(n.Notaris(1), nullptr);
    n.AddNotaris().Naam = QStringLiteral("Een");
    NotarisRecord* second = &n.AddNotaris();
    second->Naam = QStringLiteral("Twee");
    n.AddNotaris().Naam = QStringLiteral("Drie");
    EXPECT_EQ(n.Notaris(2), second) << "adding keeps earlier records where they are";
    EXPECT_EQ(n.Notaris(0), nullptr);
    EXPECT_EQ(n.Notaris(4), nullptr);
    n.RemoveNotaris(2);
    ASSERT_EQ(n.Notarissen.count(), 2);
    EXPECT_EQ(n.Notaris(2)->Naam, "Drie");
    try {
        n.RemoveNotaris(3);
        FAIL() << "removing past the last must fail";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::SubscriptOutOfRange);
    }
    EXPECT_EQ(n.Notarissen.count(), 2);
}

// The whole list travels as one setting and comes back equal, quotes and accents included.
TEST(RecordList, RoundTripsByName)
{
    Settings a;
    NotarisRecord& r = a.get<NotarisSettings>().AddNotaris();
    r.Naam = QStringLiteral("Notariaat O'Brien \"&\" Zoën");
    r.Huisnummer = 99999;
    r.Geslacht = QString();
    a.get<NotarisSettings>().AddNotaris().Naam = QStringLiteral("Tweede");
    Settings b;
    b.setValue(QStringLiteral("Notarissen"), a.value(QStringLiteral("Notarissen")));
    ASSERT_EQ(b.get<NotarisSettings>().Notarissen.count(), 2);
    EXPECT_EQ(*b.get<NotarisSettings>().Notaris(1), r);
    EXPECT_EQ(b.get<NotarisSettings>().Notaris(2)->Naam, "Tweede");
    EXPECT_EQ(b.value(QStringLiteral("Notarissen")), a.value(QStringLiteral("Notarissen")));
}

// A damaged stored list is refused as a whole (error 13) and the records held stay as they were.
TEST(RecordList, DamagedTextLeavesTheListAlone)
{
    Settings s;
    s.get<NotarisSettings>().AddNotaris().Naam = QStringLiteral("Blijft");
    for (const char* text : {"[{\"Naam\":\"x\"}", "{\"Naam\":\"x\"}", "[1, 2]", "geen lijst"}) {
        SCOPED_TRACE(text);
        try {
            s.setValue(QStringLiteral("Notarissen"), QString::fromUtf8(text));
            ADD_FAILURE() << "accepted";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::TypeMismatch);
        }
        ASSERT_EQ(s.get<NotarisSettings>().Notarissen.count(), 1);
        EXPECT_EQ(s.get<NotarisSettings>().Notaris(1)->Naam, "Blijft");
    }
    s.setValue(QStringLiteral("Notarissen"), QString());
    EXPECT_EQ(s.get<NotarisSettings>().Notarissen.count(), 0);
}
