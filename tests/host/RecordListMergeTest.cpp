#include "host/office/RecordListMerge.h"

#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tarvelo;

namespace {
// A list of one-field records, written as their names: "a b c".
QJsonArray list(const char* names)
{
    QJsonArray records;
    for (const QString& name : QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        records.append(QJsonObject{{u"Naam"_s, name}});
    return records;
}
QString names(const QJsonArray& records)
{
    QStringList all;
    for (const QJsonValue& r : records)
        all << r.toObject().value(u"Naam"_s).toString();
    return all.join(QLatin1Char(' '));
}
} // namespace

// Lining the versions up with the list as read decides which edits survive: a wrong pairing
// loses an edit silently or asks about records only one side touched.
TEST(RecordListMerge, EachSidesRecordsSurviveAndOnlyRecordsBothTouchedConflict)
{
    struct Case {
        const char* base;
        const char* theirs;
        const char* mine;
        const char* merged; // with every conflict kept as mine
        std::vector<int> conflicts;
    };
    const Case cases[] = {
        {"a b c d", "A b c d", "a B c d", "A B c d", {}},         // different records changed
        {"a b c d", "a c d", "a b C d", "a C d", {}},             // removed there, another changed here
        {"a b c d", "a b c d e", "a b c d f", "a b c d e f", {}}, // both added at the end
        {"a b c d", "a b c d e", "a b c d e", "a b c d e", {}},   // both added the same
        {"a b c d", "x a b c d", "a b c d", "x a b c d", {}},     // added at the front there
        {"a b c d", "a b d", "a b d", "a b d", {}},               // both removed the same
        {"a b c d", "a X c d", "a Y c d", "a Y c d", {2}},        // one record changed differently
        {"a b c d", "a c d", "a B c d", "a B c d", {2}},          // removed there, changed here
        {"a b c d", "a B c d", "a c d", "a c d", {2}},            // changed there, removed here
        {"a b c d", "a B c d", "a B c d", "a B c d", {}},         // changed alike
        {"", "a", "b", "a b", {}},                                // both added to an empty list
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.base) + " | " + c.theirs + " | " + c.mine);
        const RecordListMerge::Result r = RecordListMerge::merge(list(c.base), list(c.theirs), list(c.mine));
        EXPECT_EQ(names(r.merged), QString::fromLatin1(c.merged));
        std::vector<int> places;
        for (const auto& conflict : r.conflicts)
            places.push_back(conflict.record);
        EXPECT_EQ(places, c.conflicts);
    }
    // The other's version chosen for a conflicting record.
    const auto r = RecordListMerge::merge(list("a b c"), list("a c"), list("a B c"), {{2, false}});
    EXPECT_EQ(names(r.merged), "a c");
    ASSERT_EQ(r.conflicts.size(), 1u);
    EXPECT_TRUE(r.conflicts[0].theirs.isNull());
    EXPECT_EQ(r.conflicts[0].mine.toObject().value(u"Naam"_s).toString(), "B");
}
