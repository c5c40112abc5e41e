#include "framework/errors/RuntimeError.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/forms/ListBox.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {
struct Counter {
    int n = 0;
    void operator()() { ++n; }
};
} // namespace

// A check box that stays silent when code sets it would skip the enable rules run during a fill.
TEST(ControlModel, CheckBoxRaisesClickOnEveryValueChangeFromCodeAndUser)
{
    Form form("frm");
    auto& chk = form.add<CheckBox>(form, u"chk"_s);
    int clicks = 0;
    chk.Click.connect([&] { ++clicks; });

    chk.setValue(1);
    EXPECT_EQ(clicks, 1);
    chk.setValue(1); // no change, no Click
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(chk.click());
    EXPECT_EQ(chk.value(), 0);
    EXPECT_EQ(clicks, 2);
    chk.setValue(2);
    EXPECT_TRUE(chk.click()); // a grey box becomes ticked
    EXPECT_EQ(chk.value(), 1);
    EXPECT_EQ(clicks, 4);
}

// A disabled control, or one inside a disabled frame, must not take a user's action.
TEST(ControlModel, UserActionsOnUnreachableControlsDoNothing)
{
    Form form("frm");
    auto& fra = form.add<Frame>(form, u"fra"_s);
    auto& chk = form.add<CheckBox>(fra, u"chk"_s);
    auto& txt = form.add<TextBox>(fra, u"txt"_s);
    int clicks = 0;
    chk.Click.connect([&] { ++clicks; });

    chk.setEnabled(false);
    EXPECT_FALSE(chk.click());
    chk.setEnabled(true);
    fra.setEnabled(false);
    EXPECT_FALSE(chk.click());
    EXPECT_FALSE(txt.type("x"));
    fra.setEnabled(true);
    fra.setVisible(false);
    EXPECT_FALSE(chk.click());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(txt.text(), "");
    // Code may still set a disabled control, and its event still runs.
    fra.setVisible(true);
    chk.setEnabled(false);
    chk.setValue(1);
    EXPECT_EQ(clicks, 1);
}

// Combo handlers rely on Click for every selection change and on item data beside the text.
TEST(ControlModel, ComboBoxSelectionItemDataAndIdentifiers)
{
    Form form("frm");
    auto& cbo = form.add<ComboBox>(form, u"cbo"_s);
    Counter clicks;
    cbo.Click.connect(std::ref(clicks));

    const QString guid = u"0f8fad5b-d9cb-469f-a165-70867728950e"_s;
    const QString braced = u"{"_s + guid + u"}"_s;
    cbo.addItemWithData("Amsterdam" + QString(50, ' ') + guid, 7);
    cbo.addItemWithData("Utrecht" + QString(100, ' ') + braced, 30);
    EXPECT_EQ(cbo.listIndex(), -1);
    EXPECT_EQ(clicks.n, 0);

    cbo.setListIndex(1);
    EXPECT_EQ(clicks.n, 1);
    EXPECT_EQ(cbo.itemData(cbo.listIndex()), 30);
    cbo.setListIndex(1);
    EXPECT_EQ(clicks.n, 1);
    EXPECT_TRUE(cbo.select(0));
    EXPECT_EQ(clicks.n, 2);
    EXPECT_EQ(cbo.identifierOf(0, 36), guid);
    EXPECT_EQ(cbo.identifierOf(1, 38), braced);

    cbo.clear(); // clearing takes the selection away without a Click
    EXPECT_EQ(cbo.listIndex(), -1);
    EXPECT_EQ(cbo.text(), "");
    EXPECT_EQ(clicks.n, 2);
    EXPECT_THROW(cbo.setListIndex(0), RuntimeError);
}

// Validate must follow an edit only, and Cancel must keep the user in the box.
TEST(ControlModel, TextBoxChangeAndValidateWithCancel)
{
    Form form("frm");
    auto& txt = form.add<TextBox>(form, u"txt"_s);
    int changes = 0, validations = 0;
    bool refuse = true;
    txt.Change.connect([&] { ++changes; });
    txt.Validate.connect([&](bool& cancel) {
        ++validations;
        cancel = refuse;
    });

    txt.setText("12");
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(txt.leave()); // set by code: no edit, no Validate
    EXPECT_EQ(validations, 0);

    EXPECT_TRUE(txt.type("abc"));
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(txt.leave());
    EXPECT_TRUE(txt.hasFocus());
    refuse = false;
    EXPECT_TRUE(txt.leave());
    EXPECT_TRUE(txt.leave()); // nothing edited since
    EXPECT_EQ(validations, 2);

    txt.setMaxLength(3);
    txt.type("123456");
    EXPECT_EQ(txt.text(), "123");
}

// Option buttons in one frame exclude each other, but not those of another frame.
TEST(ControlModel, OptionButtonsFormGroupsPerContainer)
{
    Form form("frm");
    auto& fraA = form.add<Frame>(form, u"fraA"_s);
    auto& fraB = form.add<Frame>(form, u"fraB"_s);
    auto& a1 = form.add<OptionButton>(fraA, u"opt"_s, {}, 0);
    auto& a2 = form.add<OptionButton>(fraA, u"opt"_s, {}, 1);
    auto& b1 = form.add<OptionButton>(fraB, u"optB"_s);
    int clicksA2 = 0;
    a2.Click.connect([&] { ++clicksA2; });

    a1.setValue(true);
    b1.setValue(true);
    EXPECT_TRUE(a2.click());
    EXPECT_FALSE(a1.value());
    EXPECT_TRUE(a2.value());
    EXPECT_TRUE(b1.value());
    EXPECT_EQ(clicksA2, 1);
    EXPECT_EQ(&form.control("opt", 1), &a2);
    EXPECT_EQ(form.array("opt").size(), 2u);
    EXPECT_THROW(form.control("opt", 2), RuntimeError);
}

// A user's click on the option already chosen is still a Click (its handler
// may store what the fill only showed); code that sets it again raises none.
TEST(ControlModel, ClickingTheChosenOptionIsAClick)
{
    Form form("frm");
    auto& a = form.add<OptionButton>(form, u"opt"_s, {}, 0);
    auto& b = form.add<OptionButton>(form, u"opt"_s, {}, 1);
    int clicksA = 0;
    int clicksB = 0;
    a.Click.connect([&] { ++clicksA; });
    b.Click.connect([&] { ++clicksB; });
    a.setValue(true);
    EXPECT_EQ(clicksA, 1);
    a.setValue(true);
    EXPECT_EQ(clicksA, 1) << "code setting the chosen option again";
    EXPECT_TRUE(a.click());
    EXPECT_EQ(clicksA, 2) << "the user clicking the chosen option";
    EXPECT_TRUE(a.value());
    EXPECT_FALSE(b.value());
    EXPECT_EQ(clicksB, 0);
    a.setEnabled(false);
    EXPECT_FALSE(a.click());
    EXPECT_EQ(clicksA, 2) << "a disabled option ignores the user";
}

// The yes/no control's numbers are fixed: 2 is "Ja", 1 is "Nee".
TEST(ControlModel, YesNoValuesAndChange)
{
    Form form("frm");
    auto& jn = form.add<YesNo>(form, u"jnTest"_s);
    int changes = 0;
    jn.Change.connect([&] { ++changes; });
    EXPECT_TRUE(jn.choose(YesNo::Ja));
    EXPECT_EQ(jn.value(), 2);
    EXPECT_EQ(YesNo::captionOf(jn.value()), "Ja");
    jn.setJa(false);
    EXPECT_EQ(jn.value(), 1);
    EXPECT_EQ(YesNo::captionOf(1), "Nee");
    jn.setValue(1);
    EXPECT_EQ(changes, 2);
}

// Multi-select lists keep a selected state per entry; single ones move it.
TEST(ControlModel, ListBoxSingleAndMultiSelect)
{
    Form form("frm");
    auto& lst = form.add<ListBox>(form, u"lst"_s);
    for (int i = 0; i < 3; ++i)
        lst.addItemWithData(u"item %1"_s.arg(i), 100 + i);
    lst.select(1);
    lst.select(2);
    EXPECT_EQ(lst.selCount(), 1);
    EXPECT_TRUE(lst.selected(2));

    lst.setMultiSelect(ListBox::MultiSelect::Simple);
    lst.select(0);
    EXPECT_EQ(lst.selCount(), 2);
    lst.select(2); // toggles off
    EXPECT_EQ(lst.selCount(), 1);
    EXPECT_EQ(lst.itemData(0), 100);
}

// List-view events carry the row or header the user touched; the built-in sort orders rows by text.
TEST(ControlModel, ListViewEventsKeysAndBuiltInSort)
{
    Form form("frm");
    auto& lvw = form.add<ListView>(form, u"lvw"_s);
    lvw.setCheckboxes(true);
    lvw.addColumn("naam", "Naam");
    lvw.addColumn("nr", "Nummer");
    for (const auto& [key, name, nr] : {std::tuple{"k1", "zeta", "3"}, {"k2", "Alfa", "1"}, {"k3", "beta", "2"}}) {
        auto& item = lvw.addItem(key, name);
        item.setSubItem(1, nr);
    }
    EXPECT_THROW(lvw.addItem("k1", "dubbel"), RuntimeError);
    EXPECT_EQ(lvw.findItem("k3")->text(), "beta");

    QString clicked, checked, column;
    int doubles = 0;
    lvw.ItemClick.connect([&](ListItem& i) { clicked = i.key(); });
    lvw.ItemCheck.connect([&](ListItem& i) { checked = i.key() + (i.checked() ? "+" : "-"); });
    lvw.ColumnClick.connect([&](ColumnHeader& c) { column = c.key; });
    lvw.DblClick.connect([&] { ++doubles; });

    lvw.clickItem(2);
    EXPECT_EQ(clicked, "k2");
    EXPECT_EQ(lvw.selectedItem()->key(), "k2");
    lvw.checkItem(3, true);
    EXPECT_EQ(checked, "k3+");
    lvw.clickColumn(2);
    EXPECT_EQ(column, "nr");
    lvw.doubleClick();
    EXPECT_EQ(doubles, 1);

    lvw.setSortKey(0);
    lvw.setSorted(true); // case is ignored: Alfa, beta, zeta
    EXPECT_EQ(lvw.item(1).key(), "k2");
    EXPECT_EQ(lvw.item(3).key(), "k1");
    EXPECT_EQ(lvw.item(3).index(), 3);
    lvw.setSortOrder(1);
    lvw.setSortKey(1);
    EXPECT_EQ(lvw.item(1).subItem(1), "3");
    EXPECT_TRUE(lvw.findItem("k3")->checked());
}

// An error escaping an unguarded handler during a user's action must reach the host, not end the program.
TEST(ControlModel, ErrorFromUnguardedHandlerGoesToTheFormsHandler)
{
    Form form("frm");
    auto& cmd = form.add<CommandButton>(form, u"cmd"_s);
    cmd.Click.connect([] { throw RuntimeError::overflow(); });
    QString seen;
    form.setUnhandledErrorHandler([&](Form& f, std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const RuntimeError& error) {
            seen = f.name() + ":" + QString::number(error.number());
        }
    });
    EXPECT_TRUE(cmd.click());
    EXPECT_EQ(seen, "frm:6");
    // From code the error goes to the caller, as it would to a calling procedure.
    EXPECT_THROW(cmd.Click(), RuntimeError);
}
