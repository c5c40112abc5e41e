#include "framework/forms/Form.h"
#include "framework/forms/ListView.h"
#include "framework/forms/RowKeys.h"
#include "framework/listsort/ListSort.h"
#include "framework/listsort/SortKeys.h"
#include "framework/ui/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

using namespace tarvelo;

// The sort compares numbers and dates as numbers and texts by their first code units. These tests
// hold that order to the plain one: every key written out as text, folded, compared as text, and
// equal keys in their previous order.

namespace {

using KeyText = std::function<QString(const QString&)>;

// The rows' positions in the order of their keys as texts.
std::vector<int> orderOfTexts(const QStringList& values, const KeyText& keyText, bool descending)
{
    std::vector<QString> keys;
    for (const QString& v : values)
        keys.push_back(FoldedSortText(keyText(v)));
    std::vector<int> order(std::size_t(values.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = keys[std::size_t(a)].compare(keys[std::size_t(b)], Qt::CaseSensitive);
        return descending ? c > 0 : c < 0;
    });
    return order;
}

class SortKeyOrderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousLocale_ = QLocale();
        QLocale::setDefault(dutch_);
    }
    void TearDown() override { QLocale::setDefault(previousLocale_); }

    // Sorts values (in column 1, the row's key its first position) ascending and then descending,
    // and holds both orders to the order of the texts.
    void expectOrderOfTexts(const QStringList& values, SortDataType type, const KeyText& keyText)
    {
        auto& list = form_.add<ListView>(form_, u"lvw%1"_s.arg(++lists_));
        list.addColumn("Naam", "Naam");
        list.addColumn("Waarde", "Waarde");
        for (qsizetype i = 0; i < values.size(); ++i)
            list.addItem(QString::number(i), u"rij"_s).setSubItem(1, values[i]);
        ListSortState state;
        for (bool descending : {false, true}) {
            SortListView(state, list, ui_, 1, type, SortSource::ShownText, false, ToggleOrder);
            ASSERT_EQ(list.sortOrder(), descending ? 1 : 0);
            std::vector<int> sorted;
            for (int i = 1; i <= list.count(); ++i)
                sorted.push_back(list.item(i).key().toInt());
            // Descending follows ascending: equal keys are then in their ascending (first) order.
            EXPECT_EQ(sorted, orderOfTexts(values, keyText, descending)) << (descending ? "descending" : "ascending");
        }
    }

    QStringList positions(const ListView& list) const
    {
        QStringList keys;
        for (int i = 1; i <= list.count(); ++i)
            keys << list.item(i).key();
        return keys;
    }

    const QLocale dutch_{QLocale::Dutch, QLocale::Netherlands};
    QLocale previousLocale_;
    ScriptedUi ui_;
    Form form_{"frmTest"};
    int lists_ = 0;
};

const QString euro = QString::fromUtf8("\xE2\x82\xAC");

} // namespace

// Catches numbers compared as values where their texts order otherwise: negatives by their digits,
// minus zero, the empty cell, texts that are no number (also ones that begin with a minus sign or
// a digit, or equal a number's key), amounts with currency and thousands, and too many digits.
TEST_F(SortKeyOrderTest, NumbersSortAsTheirKeyTexts)
{
    const QStringList values{
        "-1,00",
        "-0,50",
        "-0,5",
        "0",
        "-0,00",
        "0,25",
        "1.250,00",
        "1250",
        euro + " 1.250,00",
        euro + " -3",
        "12,5 ",
        " 7",
        "",
        "   ",
        "geen",
        "Geen",
        "-abc",
        "-",
        "(1)",
        "1.5",
        "12 34",
        "999.999.999.999.999",
        "1234567890123456",
        "1e20",
        "1e400",
        "-1e-12",
        "+4",
        "n.v.t.",
        QString::fromUtf8("\xC3\x89\xC3\xA9n"),
        "0000000000000000001",
        "0,12345678901",
        "000000000000002,5000000000",
        "2,5",
        "-000000000000001",
        "-1",
        "1,0",
        "1",
        "1,00",
        euro + " 1",
        "10",
        "9",
        "100",
        "-10",
        "-9",
        "0,1",
        "0,0000000001",
    };
    expectOrderOfTexts(values, SortDataType::Numbers, [this](const QString& v) { return NumberSortKey(v, dutch_); });
}

// Catches a fast order that differs from the key texts on the rows that are hard: the same amount
// written four ways keeps its rows' order both ways, and negatives come first by their digits.
TEST_F(SortKeyOrderTest, EqualNumbersKeepTheirOrderAndNegativesFollowTheirDigits)
{
    auto& list = form_.add<ListView>(form_, u"lvwBedragen"_s);
    list.addColumn("Naam", "Naam");
    list.addColumn("Bedrag", "Bedrag");
    const QStringList values{"1,00", "-2", euro + " 1", "", "-0,50", "1", "geen", "1.000", "1,0"};
    for (qsizetype i = 0; i < values.size(); ++i)
        list.addItem(u"r%1"_s.arg(i), "rij").setSubItem(1, values[i]);
    ListSortState state;
    SortListView(state, list, ui_, 1, SortDataType::Numbers, SortSource::ShownText, false, ToggleOrder);
    EXPECT_EQ(positions(list), QStringList({"r3", "r4", "r1", "r0", "r2", "r5", "r8", "r7", "r6"}));
    SortListView(state, list, ui_, 1, SortDataType::Numbers, SortSource::ShownText, false, ToggleOrder);
    EXPECT_EQ(positions(list), QStringList({"r6", "r7", "r0", "r2", "r5", "r8", "r1", "r4", "r3"}));
}

// Catches dates compared as values where their texts order otherwise: with and without a time,
// a time alone, invalid dates and words left as text, written-out dates, and a text equal to a key.
TEST_F(SortKeyOrderTest, DatesSortAsTheirKeyTexts)
{
    const QStringList values{
        "15-06-2023",
        "15-06-2023 00:00",
        "15-06-2023 09:05:07",
        "2023-06-15",
        "31-02-2023",
        "",
        "morgen",
        "Morgen",
        "14:30",
        "donderdag 15 juni 2023",
        "1-1-30",
        "31-12-29",
        "20230615 000000",
        "0999-01-01",
        "15 juni 2023",
        "2023-06-15T08:00:00",
        "1-2-2024",
        "31-12-2022 14:30",
        " 1-2-2024 ",
        "25:00",
        "2023-13-01",
        "-1",
        "1-2-2024 7:5",
        "01-02-2024 07:05:00",
    };
    expectOrderOfTexts(values, SortDataType::Dates, [this](const QString& v) { return DateSortKey(v, dutch_); });
}

// Catches texts compared by their first code units where the whole folded text decides: case and
// accents ignored, equal first eight units, a text that begins another, and a zero code unit.
TEST_F(SortKeyOrderTest, TextsSortAsTheirFoldedTexts)
{
    QStringList values{
        "Abcdefghij",
        "abcdefghIK",
        "abcdefgh",
        "ABCDEFGH",
        QString::fromUtf8("\xC3\x89mile"),
        "emile",
        "Zeeland",
        "zaandam",
        "",
        "ab",
        "AB",
        "abcdefghijklmnop",
        "abcdefghijklmnoP",
        "10",
        "9",
        "-1",
        QString::fromUtf8("\xC3\xA6sop"),
        QString::fromUtf8("stra\xC3\x9F"
                          "e"),
        "strasse",
        " a",
    };
    values << QString("ab") + QChar(0) + "c" << QString("ab") + QChar(0);
    expectOrderOfTexts(values, SortDataType::Text, [](const QString& v) { return v; });
}

// Catches an order that breaks down on many rows: a random mixture of numbers, non-numbers and
// repeats, which also exercises the sort's handling of long runs of equal keys.
TEST_F(SortKeyOrderTest, AMixedColumnOfManyRowsSortsAsItsKeyTexts)
{
    const QStringList pieces{"-", "", "1", "0", "12", "1.234", ",5", ",05", euro + " ", "x", "X", " ", "9"};
    std::mt19937 random(7);
    std::uniform_int_distribution<int> piece(0, int(pieces.size()) - 1);
    std::uniform_int_distribution<int> length(0, 4);
    QStringList numbers, dates;
    for (int i = 0; i < 3000; ++i) {
        QString value;
        for (int n = length(random); n > 0; --n)
            value += pieces[piece(random)];
        numbers << value;
        dates << u"%1-%2-%3%4"_s.arg(1 + i % 31)
                     .arg(1 + i % 12)
                     .arg(2000 + i % 7)
                     .arg(i % 5 == 0 ? " 1" + QString::number(i % 3) + ":00" : (i % 11 == 0 ? "x" : ""));
    }
    expectOrderOfTexts(numbers, SortDataType::Numbers, [this](const QString& v) { return NumberSortKey(v, dutch_); });
    expectOrderOfTexts(dates, SortDataType::Dates, [this](const QString& v) { return DateSortKey(v, dutch_); });
}

// Catches digit keys that do not fit their layout, or whose separator folding changes, being
// compared as numbers: they must order as their texts.
TEST_F(SortKeyOrderTest, DigitKeysThatDoNotFitTheLayoutSortAsTexts)
{
    const auto order = [](RowKeys keys) { return std::move(keys).sortedOrder(false); };

    RowKeys capital({2, "X", 1});
    capital.addDigits({false, 1, 5}); // "01X5", compared as "01x5"
    capital.addText(u"01y");
    capital.addText(u"01x5");
    capital.addText(u"01W");
    EXPECT_EQ(order(std::move(capital)), std::vector<std::size_t>({3, 0, 2, 1}));

    RowKeys narrow({2, ",", 1});
    narrow.addDigits({false, 100, 0}); // "100,0" is wider than the layout
    narrow.addDigits({false, 99, 9});  // "99,9"
    narrow.addDigits({true, 5, 0});    // "-05,0"
    narrow.addText(u"0");
    narrow.addText(u"");
    EXPECT_EQ(order(std::move(narrow)), std::vector<std::size_t>({4, 2, 3, 0, 1}));

    RowKeys mixed(SortKeyMaker(QLocale(QLocale::Dutch, QLocale::Netherlands)).numberLayout());
    mixed.addText(u"000000000000002,5000000000");
    mixed.addDigits({false, 2, 5000000000});
    mixed.addText(u"-000000000000002");
    mixed.addDigits({true, 2, 0});
    mixed.addText(u"00000000000000a");
    EXPECT_EQ(order(std::move(mixed)), std::vector<std::size_t>({2, 3, 0, 1, 4}));
}
