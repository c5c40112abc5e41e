#include "framework/errors/RuntimeError.h"
#include "framework/host/Settings.h"
#include "framework/settings/NotarisSettings.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;

// Records are reached from 1; past the last (and at 0) there is nothing; removing moves the later ones up.
TEST(RecordList, OneBasedAccessAddAndRemove)
{
    Settings settings;
    NotarisSettings& n = settings.get<NotarisSettings>();
    EXPECT_EQ(n.Notaris(1), nullptr);
    n.AddNotaris().Naam = u"Een"_s;
    NotarisRecord* second = &n.AddNotaris();
    second->Naam = u"Twee"_s;
    n.AddNotaris().Naam = u"Drie"_s;
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
    r.Naam = u"Notariaat O'Brien \"&\" Zoën"_s;
    r.Huisnummer = 99999;
    r.Geslacht = QString();
    a.get<NotarisSettings>().AddNotaris().Naam = u"Tweede"_s;
    Settings b;
    b.setValue(u"Notarissen"_s, a.value(u"Notarissen"_s));
    ASSERT_EQ(b.get<NotarisSettings>().Notarissen.count(), 2);
    EXPECT_EQ(*b.get<NotarisSettings>().Notaris(1), r);
    EXPECT_EQ(b.get<NotarisSettings>().Notaris(2)->Naam, "Tweede");
    EXPECT_EQ(b.value(u"Notarissen"_s), a.value(u"Notarissen"_s));
}

// A damaged stored list is refused as a whole (error 13) and the records held stay as they were.
TEST(RecordList, DamagedTextLeavesTheListAlone)
{
    Settings s;
    s.get<NotarisSettings>().AddNotaris().Naam = u"Blijft"_s;
    for (const char* text : {"[{\"Naam\":\"x\"}", "{\"Naam\":\"x\"}", "[1, 2]", "geen lijst"}) {
        SCOPED_TRACE(text);
        try {
            s.setValue(u"Notarissen"_s, QString::fromUtf8(text));
            ADD_FAILURE() << "accepted";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::TypeMismatch);
        }
        ASSERT_EQ(s.get<NotarisSettings>().Notarissen.count(), 1);
        EXPECT_EQ(s.get<NotarisSettings>().Notaris(1)->Naam, "Blijft");
    }
    s.setValue(u"Notarissen"_s, QString());
    EXPECT_EQ(s.get<NotarisSettings>().Notarissen.count(), 0);
}
