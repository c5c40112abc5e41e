#include "app/render/FormView.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "tests/app/WidgetTestSupport.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTreeView>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::widgetApplication;

namespace {

class FormViewTest : public ::testing::Test {
protected:
    void SetUp() override { widgetApplication(); }

    template <class W>
    W* widget(FormView& view, const QString& name)
    {
        auto* w = view.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    Form form{u"frmTest"_s};
};

// Catches controls drawn at the wrong place: twips become pixels at the
// screen's twips per pixel, inside their frame, and the form takes its size.
TEST_F(FormViewTest, PlacesControlsAtTheirTwipsPositionForTheScreen)
{
    auto& frame = form.add<Frame>(form, u"fraTest"_s);
    frame.setBounds(150, 300, 4500, 1500);
    auto& text = form.add<TextBox>(frame, u"txtNaam"_s);
    text.setBounds(180, 300, 1500, 315);
    form.setBounds(0, 0, 6000, 3000);

    struct Case {
        int twipsPerPixel;
        QRect frame, text;
        QSize form;
    };
    for (const Case& c : {Case{15, {10, 20, 300, 100}, {12, 20, 100, 21}, {400, 200}},
                          Case{12, {13, 25, 375, 125}, {15, 25, 125, 26}, {500, 250}}}) {
        FormView view(form, TwipsScale{c.twipsPerPixel, c.twipsPerPixel});
        EXPECT_EQ(widget<QGroupBox>(view, "fraTest")->geometry(), c.frame) << c.twipsPerPixel;
        QLineEdit* edit = widget<QLineEdit>(view, "txtNaam");
        EXPECT_EQ(edit->geometry(), c.text) << c.twipsPerPixel;
        EXPECT_EQ(edit->parentWidget()->objectName(), u"fraTest"_s);
        EXPECT_EQ(view.size(), c.form) << c.twipsPerPixel;
    }
}

// Catches a renderer that shows a stale model: every property change a page
// makes reaches its widget at once.
TEST_F(FormViewTest, FollowsEveryPropertyChangeOfTheModel)
{
    auto& check = form.add<CheckBox>(form, u"chkAan"_s);
    auto& label = form.add<Label>(form, u"lblUitleg"_s);
    auto& text = form.add<TextBox>(form, u"txtNaam"_s);
    auto& yesNo = form.add<YesNo>(form, u"jnKeuze"_s);
    FormView view(form, TwipsScale{});
    QCheckBox* box = widget<QCheckBox>(view, "chkAan");
    QLabel* caption = widget<QLabel>(view, "lblUitleg");
    QLineEdit* edit = widget<QLineEdit>(view, "txtNaam");

    check.setCaption(u"&Automatisch opslaan"_s);
    check.setValue(1);
    label.setCaption(u"Kosten && baten"_s);
    text.setText(u"De Linde"_s);
    text.setPasswordChar(QLatin1Char('*'));
    text.setEnabled(false);
    label.setVisible(false);
    text.setForeColor(rgb(200, 0, 0));
    yesNo.setValue(YesNo::Nee);
    text.setFontBold(true);

    EXPECT_EQ(box->text(), u"&Automatisch opslaan"_s);
    EXPECT_EQ(box->checkState(), Qt::Checked);
    EXPECT_EQ(caption->text(), u"Kosten & baten"_s);
    EXPECT_EQ(edit->text(), u"De Linde"_s);
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_TRUE(caption->isHidden());
    EXPECT_EQ(edit->palette().color(QPalette::Active, QPalette::Text), QColor(200, 0, 0));
    EXPECT_TRUE(edit->font().bold());
    EXPECT_TRUE(view.findChild<QRadioButton*>("Nee")->isChecked());
    EXPECT_FALSE(view.findChild<QRadioButton*>("Ja")->isChecked());
    check.setValue(2);
    EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
}

// Catches feedback loops and input that bypasses the model: a user's edit is
// one user action, and the model's answer to it does not raise it again.
TEST_F(FormViewTest, HandsUserInputToTheModelOnceAndOnlyThere)
{
    auto& text = form.add<TextBox>(form, u"txtMinuten"_s);
    auto& check = form.add<CheckBox>(form, u"chkAan"_s);
    auto& combo = form.add<ComboBox>(form, u"cboTermijn"_s);
    auto& yesNo = form.add<YesNo>(form, u"jnKeuze"_s);
    text.setMaxLength(3);
    for (const char* item : {"Dagelijks", "Wekelijks", "Maandelijks"})
        combo.addItem(QString::fromLatin1(item));
    int changes = 0, clicks = 0, comboClicks = 0, yesNoChanges = 0;
    text.Change.connect([&] {
        ++changes;
        // A page that rewrites the text in its own Change handler.
        text.setText(text.text().toUpper());
    });
    check.Click.connect([&] { ++clicks; });
    combo.Click.connect([&] { ++comboClicks; });
    yesNo.Change.connect([&] { ++yesNoChanges; });
    FormView view(form, TwipsScale{});
    runEvents();
    QLineEdit* edit = widget<QLineEdit>(view, "txtMinuten");

    edit->setText(QString());
    emit edit->textEdited(u"abcd"_s);
    EXPECT_EQ(text.text(), u"ABC"_s) << "typed through the model, which cuts at MaxLength";
    EXPECT_EQ(edit->text(), u"ABC"_s) << "the widget shows what the model made of it";
    EXPECT_EQ(changes, 2) << "one Change for the typing, one for the handler's rewrite";
    EXPECT_TRUE(text.edited());

    widget<QCheckBox>(view, "chkAan")->click();
    EXPECT_EQ(check.value(), 1);
    EXPECT_EQ(clicks, 1);
    check.setEnabled(false);
    widget<QCheckBox>(view, "chkAan")->click();
    EXPECT_EQ(check.value(), 1) << "a disabled control ignores the user";
    EXPECT_EQ(widget<QCheckBox>(view, "chkAan")->checkState(), Qt::Checked);

    QComboBox* box = widget<QComboBox>(view, "cboTermijn");
    emit box->activated(2);
    EXPECT_EQ(combo.listIndex(), 2);
    combo.setListIndex(1);
    runEvents();
    EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_EQ(comboClicks, 2) << "one for the user, one for the code; showing them raises none";

    view.findChild<QRadioButton*>("Ja")->click();
    EXPECT_EQ(yesNo.value(), YesNo::Ja);
    EXPECT_EQ(yesNoChanges, 1);
}

// Catches a click on the chosen option button that the model never hears of,
// or that leaves the button drawn unchosen: it is the user's Click all the same.
TEST_F(FormViewTest, ClickingTheChosenOptionButtonReachesTheModel)
{
    auto& week = form.add<OptionButton>(form, u"optMutatie"_s, u"Laatste week"_s, 0);
    auto& alles = form.add<OptionButton>(form, u"optMutatie"_s, u"Alle data"_s, 1);
    int clicks = 0;
    alles.Click.connect([&] { ++clicks; });
    alles.setValue(true);
    FormView view(form, TwipsScale{});
    runEvents();
    auto* radio = widget<QRadioButton>(view, "optMutatie(1)");
    ASSERT_NE(radio, nullptr);
    ASSERT_TRUE(radio->isChecked());
    radio->click();
    EXPECT_EQ(clicks, 2) << "one for the code, one for the user";
    EXPECT_TRUE(alles.value());
    EXPECT_FALSE(week.value());
    EXPECT_TRUE(radio->isChecked()) << "the chosen option stays drawn chosen";
}

// Catches a text box that can be left while its validation refuses: the host
// asking to leave the form is refused and the box keeps the focus.
TEST_F(FormViewTest, ARefusingValidationKeepsTheUserInTheBox)
{
    auto& text = form.add<TextBox>(form, u"txtMinuten"_s);
    auto& other = form.add<TextBox>(form, u"txtAnder"_s);
    text.Validate.connect([&](bool& cancel) { cancel = text.text().isEmpty(); });
    FormView view(form, TwipsScale{});
    text.setFocus();
    text.type(QString());
    EXPECT_FALSE(view.leaveFocusedControl());
    EXPECT_TRUE(text.hasFocus());
    runEvents();
    text.type(u"10"_s);
    EXPECT_TRUE(view.leaveFocusedControl());
    other.setFocus();
    EXPECT_TRUE(view.leaveFocusedControl()) << "a box that was not edited has nothing to validate";
}

// Catches a list view redrawn per row: 100,000 changed rows cost one redraw
// in the next turn of the event loop, and the header shows the sort picture.
TEST_F(FormViewTest, LargeListChangesAreDrawnOncePerTurn)
{
    auto& list = form.add<ListView>(form, u"lvwBerichten"_s);
    list.setCheckboxes(true);
    list.addColumn("NAAM", "Naam", 2400);
    list.addColumn("NUMMER", "Nummer", 1200, Alignment::Right);
    FormView view(form, TwipsScale{});
    runEvents();
    auto* tree = widget<QTreeView>(view, "lvwBerichten");
    int resets = 0, repaints = 0;
    QObject::connect(tree->model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(tree->model(), &QAbstractItemModel::dataChanged, [&] { ++repaints; });

    QElapsedTimer timer;
    timer.start();
    for (int i = 1; i <= 100000; ++i) {
        ListItem& row = list.addItem(u"K%1"_s.arg(i), u"Bericht %1"_s.arg(i));
        row.setSubItem(1, QString::number(i));
    }
    EXPECT_EQ(tree->model()->rowCount(), 0) << "nothing drawn before the event loop turns";
    runEvents();
    EXPECT_EQ(tree->model()->rowCount(), 100000);
    EXPECT_EQ(resets, 1);
    for (int i = 1; i <= 100000; ++i)
        list.item(i).setBold(true);
    runEvents();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(repaints, 1);
    EXPECT_LT(timer.elapsed(), 20000);

    const QModelIndex cell = tree->model()->index(41, 1);
    EXPECT_EQ(cell.data().toString(), u"42"_s);
    EXPECT_TRUE(tree->model()->index(41, 0).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(cell.data(Qt::FontRole).value<QFont>().bold()) << "a sub-item has its own bold";
    EXPECT_GE(tree->header()->sectionSize(0), tree->fontMetrics().horizontalAdvance(u"Bericht 42"_s))
        << "the column fits its rows";

    int checks = 0;
    list.ItemCheck.connect([&](ListItem&) { ++checks; });
    tree->model()->setData(tree->model()->index(4, 0), Qt::Checked, Qt::CheckStateRole);
    EXPECT_TRUE(list.item(5).checked());
    EXPECT_EQ(checks, 1);

    list.column(2).sortPicture = 1;
    list.columnsChanged();
    runEvents();
    EXPECT_TRUE(tree->header()->isSortIndicatorShown());
    EXPECT_EQ(tree->header()->sortIndicatorSection(), 1);
    EXPECT_EQ(tree->header()->sortIndicatorOrder(), Qt::DescendingOrder);

    list.clear();
    runEvents();
    EXPECT_EQ(tree->model()->rowCount(), 0);
}

// Catches a dialog left open: hiding the form is what ends a modal run.
TEST_F(FormViewTest, HidingTheFormTellsTheHost)
{
    FormView view(form, TwipsScale{});
    bool hidden = false;
    view.onHidden = [&] { hidden = true; };
    form.show();
    form.hide();
    EXPECT_TRUE(hidden);
}

} // namespace

// A press on the form's own background reaches the page in twips, so a page can
// act on a press at its corner; a press on a control is the control's alone.
TEST_F(FormViewTest, PressOnTheBackgroundReachesTheFormInTwips)
{
    auto& text = form.add<TextBox>(form, u"txtNaam"_s);
    text.setBounds(1500, 1500, 1500, 315);
    form.setBounds(0, 0, 6000, 3000);
    FormView view(form, TwipsScale{15, 15});
    std::vector<QPoint> presses;
    form.MouseDown.connect([&](int x, int y) { presses.emplace_back(x, y); });
    const auto press = [](QWidget& widget, QPoint at) {
        QMouseEvent down(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &down);
    };
    press(view, QPoint(0, 0));
    press(view, QPoint(2, 3));
    press(*widget<QLineEdit>(view, "txtNaam"), QPoint(5, 5));
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0], QPoint(0, 0));
    EXPECT_EQ(presses[1], QPoint(30, 45));
}

// A list's cells are measured when its rows or its font change, not at each
// move or resize: a row added later, a longer text in a row or a larger font
// still widens its column, however often the list was laid out before.
TEST_F(FormViewTest, ListColumnsFollowTheirRowsAfterTheListWasLaidOut)
{
    auto& list = form.add<ListView>(form, u"lvwNamen"_s);
    list.addColumn("NAAM", "Naam", 1200);
    list.addColumn("CODE", "Code", 600);
    list.addItem(u"K1"_s, u"Kort"_s);
    FormView view(form, TwipsScale{});
    runEvents();
    auto* tree = widget<QTreeView>(view, "lvwNamen");
    const auto fits = [&](const QString& text) {
        return tree->header()->sectionSize(0) >= tree->fontMetrics().horizontalAdvance(text);
    };
    for (int width = 12000; width <= 16000; width += 500)
        list.setBounds(0, 0, width, 3000);
    runEvents();
    const QString longer = u"Hypotheekadviesbureau Van der Linde en partners"_s;
    list.addItem(u"K2"_s, longer);
    runEvents();
    EXPECT_TRUE(fits(longer)) << "a row added after the layout";
    list.setBounds(0, 0, 15800, 3000);
    runEvents();
    const QString longest = longer + u" te Amersfoort"_s;
    list.item(1).setText(longest);
    runEvents();
    EXPECT_TRUE(fits(longest)) << "a row's text changed after the layout";
    list.setFontSize(14);
    runEvents();
    EXPECT_TRUE(fits(longest)) << "a larger font";
}
