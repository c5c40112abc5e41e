#include "framework/listsort/ListSort.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/Form.h"
#include "framework/forms/ListView.h"
#include "framework/listsort/SortKeys.h"
#include "framework/ui/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

// Agent numbers as the company overview lists them: company, number, rate surcharge, date.
struct Row {
    QString company, number, surcharge, date;
};

class ListSortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousLocale_ = QLocale();
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    }
    void TearDown() override { QLocale::setDefault(previousLocale_); }

    ListView& makeList(const QString& name, const std::vector<Row>& rows)
    {
        auto& list = form_.add<ListView>(form_, name);
        list.addColumn("Mij", "Maatschappij");
        list.addColumn("Nr", "Agentnummer");
        list.addColumn("Rente", "Rente op-/afslag", 1440, Alignment::Right);
        list.addColumn("Datum", "Ingangsdatum");
        for (const Row& r : rows) {
            ListItem& item = list.addItem("K" + r.number, r.company);
            item.setSubItem(1, r.number);
            item.setSubItem(2, r.surcharge);
            item.setSubItem(3, r.date);
        }
        return list;
    }

    static QStringList column(const ListView& list, int column)
    {
        QStringList texts;
        for (int i = 1; i <= list.count(); ++i)
            texts << list.item(i).columnText(column);
        return texts;
    }

    static std::vector<int> pictures(const ListView& list)
    {
        std::vector<int> p;
        for (int i = 1; i <= list.columnCount(); ++i)
            p.push_back(list.column(i).sortPicture);
        return p;
    }

    // The company overview's header click: the clicked column, numbers for the surcharge, else text.
    void wireHeaderClick(ListView& list)
    {
        list.ColumnClick.connect([this, &list](ColumnHeader& header) {
            const int column = header.index - 1;
            SortListView(state_, list, ui_, column, column == 2 ? SortDataType::Numbers : SortDataType::Text,
                         SortSource::ShownText, false, ToggleOrder);
        });
    }

    const std::vector<Row> rows_{
        {"Westland", "10", "-1,00", "15-06-2023"},         {"aegon", "2", "0,25", "1-2-2024"},
        {"Bouwfonds", "100", "-0,50", "31-12-2022 14:30"}, {"Centraal", "9", "1.250,00", "2023-06-15"},
        {"Delta", "33", "0", "15-06-2023 09:05:07"},
    };
    QLocale previousLocale_;
    ScriptedUi ui_;
    Form form_{"frmTest"};
    ListSortState state_;
};

} // namespace

// Catches sort keys with the wrong separator, padding or sign handling, and non-values that are changed.
TEST_F(ListSortTest, SortKeysPadNumbersAndWriteDatesAsDigits)
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    const std::vector<std::pair<QString, QString>> numbers{
        {"2", "000000000000002,0000000000"},
        {"10", "000000000000010,0000000000"},
        {"-0,50", "-000000000000000,5000000000"},
        {"-1,00", "-000000000000001,0000000000"},
        {"1.250,5", "000000000001250,5000000000"},
        {" 3,14159265358979 ", "000000000000003,1415926536"},
        {QString::fromUtf8("\xE2\x82\xAC 12,50"), "000000000000012,5000000000"},
        {"0", "000000000000000,0000000000"},
        {"-0,00", "000000000000000,0000000000"},
        {"1.234.567,891", "000000001234567,8910000000"},
        {"0,12345678901", "000000000000000,1234567890"},
        {"1.5", "1.5"},
        {"12 34", "12 34"},
        {"geen", "geen"},
        {"", ""},
    };
    for (const auto& [text, key] : numbers)
        EXPECT_EQ(NumberSortKey(text, dutch), key) << text.toStdString();
    EXPECT_EQ(NumberSortKey("2.5", QLocale::c()), "000000000000002.5000000000");

    const std::vector<std::pair<QString, QString>> dates{
        {"15-06-2023", "20230615 000000"},
        {"1-2-2024", "20240201 000000"},
        {"31-12-2022 14:30", "20221231 143000"},
        {"15-06-2023 09:05:07", "20230615 090507"},
        {"2023-06-15", "20230615 000000"},
        {"31-12-29", "20291231 000000"},
        {"1-1-30", "19300101 000000"},
        {"14:30", "18991230 143000"},
        {"15.06.2023", "20230615 000000"},
        {"2023-06-15T08:00:00", "20230615 080000"},
        {"donderdag 15 juni 2023", "20230615 000000"},
        {"15 juni 2023", "20230615 000000"},
        {"31-02-2023", "31-02-2023"},
        {"morgen", "morgen"},
        {"", ""},
    };
    for (const auto& [text, key] : dates)
        EXPECT_EQ(DateSortKey(text, dutch), key) << text.toStdString();
}

// Catches numbers sorted as plain text (10 before 2), negatives in value order instead of
// digit order, dates sorted as text, and text sorted with case.
TEST_F(ListSortTest, SortsAsNumbersDatesOrText)
{
    struct Case {
        int column;
        SortDataType type;
        int order;
        QStringList expected;
    };
    const std::vector<Case> cases{
        {1, SortDataType::Numbers, 0, {"2", "9", "10", "33", "100"}},
        {1, SortDataType::Text, 0, {"10", "100", "2", "33", "9"}},
        {2, SortDataType::Numbers, 0, {"-0,50", "-1,00", "0", "0,25", "1.250,00"}},
        {2, SortDataType::Numbers, 1, {"1.250,00", "0,25", "0", "-1,00", "-0,50"}},
        {3,
         SortDataType::Dates,
         0,
         {"31-12-2022 14:30", "15-06-2023", "2023-06-15", "15-06-2023 09:05:07", "1-2-2024"}},
        {0, SortDataType::Text, 0, {"aegon", "Bouwfonds", "Centraal", "Delta", "Westland"}},
        {0, SortDataType::Text, 1, {"Westland", "Delta", "Centraal", "Bouwfonds", "aegon"}},
    };
    for (const Case& c : cases) {
        ListSortState state;
        ListView& list = makeList(u"lvw%1"_s.arg(c.column), rows_);
        state.lastColumn = c.column; // the same column again: the order argument decides
        SortListView(state, list, ui_, c.column, c.type, SortSource::ShownText, false, c.order);
        EXPECT_EQ(column(list, c.column), c.expected) << "column " << c.column << " order " << c.order;
    }
}

// Catches rows whose cells are torn apart by the sort, a temporary column left behind, and the list's
// own later additions being sorted by a column that no longer exists.
TEST_F(ListSortTest, RowsMoveWholeAndTheColumnsStayAsTheyWere)
{
    ListView& list = makeList("lvwAgentnummers", rows_);
    SortListView(state_, list, ui_, 2, SortDataType::Numbers, SortSource::ShownText, false, ToggleOrder);
    EXPECT_EQ(list.columnCount(), 4);
    EXPECT_EQ(list.column(4).text, "Ingangsdatum");
    for (int i = 1; i <= list.count(); ++i) {
        const ListItem& item = list.item(i);
        const auto original =
            std::find_if(rows_.begin(), rows_.end(), [&](const Row& r) { return r.company == item.text(); });
        ASSERT_NE(original, rows_.end());
        EXPECT_EQ(item.key(), "K" + original->number);
        EXPECT_EQ(item.subItem(1), original->number);
        EXPECT_EQ(item.subItem(2), original->surcharge);
        EXPECT_EQ(item.subItem(3), original->date);
        EXPECT_EQ(item.subItem(4), "");
        EXPECT_EQ(list.findItem(item.key()), &item);
    }
    list.addItem("Knieuw", "Aaa nieuw");
    EXPECT_EQ(list.item(list.count()).text(), "Aaa nieuw");
}

// Catches a second click that does not turn the order round, another header that inherits the
// descending order, and header pictures left on the wrong column.
TEST_F(ListSortTest, HeaderClicksToggleTheSameColumnAndStartAnotherAscending)
{
    ListView& list = makeList("lvwAgentnummers", rows_);
    wireHeaderClick(list);
    struct Click {
        int header;
        QStringList column3;
        std::vector<int> pictures;
    };
    const std::vector<Click> clicks{
        {3, {"-0,50", "-1,00", "0", "0,25", "1.250,00"}, {-1, -1, 0, -1}},
        {3, {"1.250,00", "0,25", "0", "-1,00", "-0,50"}, {-1, -1, 1, -1}},
        {3, {"-0,50", "-1,00", "0", "0,25", "1.250,00"}, {-1, -1, 0, -1}},
        {3, {"1.250,00", "0,25", "0", "-1,00", "-0,50"}, {-1, -1, 1, -1}},
        {1, {"0,25", "-0,50", "1.250,00", "0", "-1,00"}, {0, -1, -1, -1}},
        {1, {"-1,00", "0", "1.250,00", "-0,50", "0,25"}, {1, -1, -1, -1}},
    };
    for (std::size_t i = 0; i < clicks.size(); ++i) {
        list.clickColumn(clicks[i].header);
        EXPECT_EQ(column(list, 2), clicks[i].column3) << "click " << i;
        EXPECT_EQ(pictures(list), clicks[i].pictures) << "click " << i;
    }
    EXPECT_EQ(state_.lastColumn, 0);
    EXPECT_EQ(state_.lastOrder, 1);
}

// Catches sort state kept per list: the library shares it, so the same column on another list toggles.
TEST_F(ListSortTest, TheSameColumnOnAnotherListTogglesBecauseTheStateIsShared)
{
    ListView& first = makeList("lvwEen", rows_);
    ListView& second = makeList("lvwTwee", rows_);
    SortListView(state_, first, ui_, 2, SortDataType::Numbers, SortSource::ShownText, false, ToggleOrder);
    EXPECT_EQ(column(first, 2).first(), "-0,50");
    SortListView(state_, second, ui_, 2, SortDataType::Numbers, SortSource::ShownText, false, ToggleOrder);
    EXPECT_EQ(column(second, 2).first(), "1.250,00");
    EXPECT_EQ(second.column(3).sortPicture, 1);
    // A separate state (another library instance) starts the other list ascending.
    ListSortState own;
    ListView& third = makeList("lvwDrie", rows_);
    SortListView(own, third, ui_, 2, SortDataType::Numbers, SortSource::ShownText, false, ToggleOrder);
    EXPECT_EQ(column(third, 2).first(), "-0,50");
}

// Catches bold left on a previously sorted column, or the item's text bold when a sub-item column is sorted.
TEST_F(ListSortTest, BoldMarksTheSortedColumnOnly)
{
    ListView& list = makeList("lvwAgentnummers", rows_);
    SortListView(state_, list, ui_, 0, SortDataType::Text, SortSource::ShownText, true, 0);
    for (int i = 1; i <= list.count(); ++i) {
        EXPECT_TRUE(list.item(i).bold());
        for (int n = 1; n <= 3; ++n)
            EXPECT_FALSE(list.item(i).listSubItem(n).bold);
    }
    SortListView(state_, list, ui_, 2, SortDataType::Numbers, SortSource::ShownText, true, ToggleOrder);
    for (int i = 1; i <= list.count(); ++i) {
        EXPECT_FALSE(list.item(i).bold());
        EXPECT_FALSE(list.item(i).listSubItem(1).bold);
        EXPECT_TRUE(list.item(i).listSubItem(2).bold);
        EXPECT_FALSE(list.item(i).listSubItem(3).bold);
    }
    BoldSortedColumn(list, 3);
    EXPECT_FALSE(list.item(1).listSubItem(2).bold);
    EXPECT_TRUE(list.item(1).listSubItem(3).bold);
}

// Catches sorting on the shown text when the keys were asked for.
TEST_F(ListSortTest, SortsOnTheKeysWhenAsked)
{
    ListView& list = makeList("lvwAgentnummers", rows_);
    list.item(1).listSubItem(1).key = "3";
    list.item(2).listSubItem(1).key = "1";
    list.item(3).listSubItem(1).key = "2";
    list.item(4).listSubItem(1).key = "5";
    list.item(5).listSubItem(1).key = "4";
    SortListView(state_, list, ui_, 1, SortDataType::Numbers, SortSource::Keys, false, ToggleOrder);
    EXPECT_EQ(column(list, 0), QStringList({"aegon", "Bouwfonds", "Westland", "Delta", "Centraal"}));
    SortListView(state_, list, ui_, 0, SortDataType::Text, SortSource::Keys, false, ToggleOrder);
    EXPECT_EQ(column(list, 1), QStringList({"10", "100", "2", "33", "9"}));
}

// Catches a selection that is not moved to the first row, kept while the list hides its selection,
// or an empty list that trips the sort.
TEST_F(ListSortTest, TheFirstRowIsSelectedUnlessTheListHidesItsSelection)
{
    ListView& list = makeList("lvwAgentnummers", rows_);
    list.setHideSelection(false);
    list.clickItem(3);
    const int eventsBefore = ui_.doEventsCount();
    SortListView(state_, list, ui_, 1, SortDataType::Numbers, SortSource::ShownText, false, ToggleOrder);
    EXPECT_EQ(list.selectedItem(), &list.item(1));
    EXPECT_EQ(list.scrolledTo(), &list.item(1));
    EXPECT_EQ(ui_.doEventsCount(), eventsBefore + 1);

    list.setHideSelection(true);
    SortListView(state_, list, ui_, 1, SortDataType::Numbers, SortSource::ShownText, false, ToggleOrder);
    EXPECT_EQ(list.selectedItem(), nullptr);

    ListView& empty = makeList("lvwLeeg", {});
    empty.setHideSelection(false);
    SortListView(state_, empty, ui_, 3, SortDataType::Dates, SortSource::ShownText, false, ToggleOrder);
    EXPECT_EQ(empty.selectedItem(), nullptr);
    EXPECT_EQ(empty.columnCount(), 4);
    EXPECT_EQ(empty.column(4).sortPicture, 0);
}

// Catches a freshly filled list sorted the wrong way, a natural order that reorders rows, and a
// header picture that shows another list's direction.
TEST_F(ListSortTest, SetListViewSortPutsAFilledListInOrder)
{
    ListView& list = makeList("lvwAgentnummers", rows_);
    SetListViewSort(state_, list, ui_, 2, SortDataType::Numbers, 1, SortSource::ShownText, false);
    EXPECT_EQ(column(list, 2), QStringList({"1.250,00", "0,25", "0", "-1,00", "-0,50"}));
    EXPECT_EQ(pictures(list), std::vector<int>({-1, -1, 1, -1}));
    SortListView(state_, list, ui_, 2, SortDataType::Numbers, SortSource::ShownText, false, ToggleOrder);
    EXPECT_EQ(column(list, 2).first(), "-0,50");
    SortListView(state_, list, ui_, 2, SortDataType::Numbers, SortSource::ShownText, false, ToggleOrder);
    EXPECT_EQ(column(list, 2).first(), "1.250,00");

    ListView& natural = makeList("lvwNatuurlijk", rows_);
    SetListViewSort(state_, natural, ui_, 0, SortDataType::Text, 0, SortSource::ShownText, true);
    EXPECT_EQ(column(natural, 0), QStringList({"Westland", "aegon", "Bouwfonds", "Centraal", "Delta"}));
    EXPECT_EQ(pictures(natural), std::vector<int>({0, -1, -1, -1}));
    EXPECT_TRUE(natural.item(1).bold());
    EXPECT_EQ(state_.lastColumn, 0);

    ListView& reversed = makeList("lvwOmgekeerd", rows_);
    SetListViewSort(state_, reversed, ui_, 0, SortDataType::Text, 1, SortSource::ShownText, false);
    EXPECT_EQ(column(reversed, 0).first(), "Westland");
    EXPECT_EQ(column(reversed, 0).last(), "aegon");
    EXPECT_EQ(pictures(reversed), std::vector<int>({1, -1, -1, -1}));
}

// Catches header format bits that lose the alignment or put the picture on an unsorted column.
TEST_F(ListSortTest, HeaderFormatCarriesAlignmentTextAndPicture)
{
    ListView& list = makeList("lvwAgentnummers", rows_);
    SortListView(state_, list, ui_, 2, SortDataType::Numbers, SortSource::ShownText, false, ToggleOrder);
    EXPECT_EQ(SortHeaderFormat(list.column(1)), 0x4000);
    EXPECT_EQ(SortHeaderFormat(list.column(3)), 0x1 | 0x4000 | 0x1800);
    list.column(4).alignment = Alignment::Center;
    EXPECT_EQ(SortHeaderFormat(list.column(4)), 0x2 | 0x4000);
}

// Catches a sort by a column the list does not have silently changing the shared state or the rows.
TEST_F(ListSortTest, AColumnTheListDoesNotHaveIsAnError)
{
    ListView& list = makeList("lvwAgentnummers", rows_);
    state_.lastColumn = 1;
    EXPECT_THROW(SortListView(state_, list, ui_, 4, SortDataType::Text, SortSource::ShownText, false, ToggleOrder),
                 RuntimeError);
    EXPECT_THROW(SortListView(state_, list, ui_, -1, SortDataType::Text, SortSource::ShownText, false, ToggleOrder),
                 RuntimeError);
    EXPECT_EQ(state_.lastColumn, 1);
    EXPECT_EQ(list.columnCount(), 4);
    EXPECT_EQ(column(list, 0).first(), "Westland");
}
