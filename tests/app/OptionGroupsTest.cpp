#include "app/render/FormView.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "framework/page/SettingPresentation.h"
#include "tests/app/WidgetTestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::widgetApplication;

namespace {

// A field, a frame with a question of three options, and a yes/no choice.
struct OptionForm {
    Form form{u"frmTest"_s};
    TextBox& txtNaam = form.add<TextBox>(form, u"txtNaam"_s);
    Frame& fraPeriode = form.add<Frame>(form, u"fraPeriode"_s);
    OptionButton& optDag = form.add<OptionButton>(fraPeriode, u"optPeriode"_s, {}, 0);
    OptionButton& optWeek = form.add<OptionButton>(fraPeriode, u"optPeriode"_s, {}, 1);
    OptionButton& optMaand = form.add<OptionButton>(fraPeriode, u"optPeriode"_s, {}, 2);
    YesNo& jnActief = form.add<YesNo>(form, u"jnActief"_s);
    TextBox& txtNotitie = form.add<TextBox>(form, u"txtNotitie"_s);
    QStringList clicked;

    OptionForm()
    {
        form.setBounds(0, 0, 6000, 4000);
        txtNaam.setBounds(120, 120, 3000, 315);
        fraPeriode.setBounds(120, 600, 5000, 1500);
        fraPeriode.setCaption(u"Hoe vaak herinneren?"_s);
        int top = 300;
        for (OptionButton* o : {&optDag, &optWeek, &optMaand}) {
            o->setBounds(120, top, 3000, 255);
            o->Click.connect([this, o] { clicked << QString::number(o->index()); });
            top += 360;
        }
        optDag.setCaption(u"Dagelijks"_s);
        optWeek.setCaption(u"Wekelijks"_s);
        optMaand.setCaption(u"Maandelijks"_s);
        jnActief.setBounds(120, 2300, 3000, 315);
        txtNotitie.setBounds(120, 2900, 3000, 315);
    }
};

QWidget* widget(FormView& view, const QString& name) { return view.findChild<QWidget*>(name); }

QStringList tabWalk(FormView& view)
{
    widget(view, u"txtNaam"_s)->setFocus();
    QStringList walked;
    for (int i = 0; i < 10; ++i) {
        walked << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget()->objectName() == u"txtNaam"_s)
            break;
    }
    return walked;
}

} // namespace

// Catches option buttons that a screen reader calls check boxes, each a stop
// of Tab of its own: a group is read as radio buttons, Tab stops once in it
// (on the chosen one), and the arrow keys choose within it, through the
// page's own click.
TEST(OptionGroupsTest, OptionsAreRadioButtonsWithOneTabStopAndArrowKeys)
{
    widgetApplication();
    OptionForm f;
    f.optWeek.setValue(true);
    f.jnActief.choose(YesNo::Nee);
    FormView view(f.form, TwipsScale{});
    view.show();
    QApplication::setActiveWindow(&view);
    runEvents();

    for (const QString& name : {u"optPeriode(0)"_s, u"optPeriode(1)"_s, u"Ja"_s, u"Nee"_s}) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget(view, name));
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), QAccessible::RadioButton) << name.toStdString();
    }
    EXPECT_EQ(tabWalk(view).join(u' '), u"txtNaam optPeriode(1) Nee txtNotitie"_s);

    // Down chooses the next option, as the page's click; the model decides.
    widget(view, u"optPeriode(1)"_s)->setFocus();
    f.clicked.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    runEvents();
    EXPECT_EQ(QApplication::focusWidget()->objectName(), u"optPeriode(2)"_s);
    EXPECT_TRUE(f.optMaand.value());
    EXPECT_FALSE(f.optWeek.value());
    EXPECT_EQ(f.clicked, QStringList{u"2"_s});
    EXPECT_EQ(tabWalk(view).join(u' '), u"txtNaam optPeriode(2) Nee txtNotitie"_s) << "the chosen one is the stop";

    // A group the model leaves without a choice shows none chosen.
    f.optMaand.setValue(false);
    runEvents();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(view.findChild<QRadioButton*>(u"optPeriode(%1)"_s.arg(i))->isChecked()) << i;
    EXPECT_EQ(tabWalk(view).join(u' '), u"txtNaam optPeriode(0) Nee txtNotitie"_s);
    f.jnActief.choose(YesNo::Ja);
    EXPECT_TRUE(view.findChild<QRadioButton*>(u"Ja"_s)->isChecked());
    EXPECT_FALSE(view.findChild<QRadioButton*>(u"Nee"_s)->isChecked());
}

// Catches a question above a group of options that renames its options or
// is lost: each option keeps its own caption as its name and is described by
// the question, and the setting's caption (history, check problems) is the
// question.
TEST(OptionGroupsTest, AQuestionAboveTheOptionsDescribesEachOfThem)
{
    widgetApplication();
    OptionForm f;
    Label& question = f.form.add<Label>(f.fraPeriode, u"lblPeriode"_s, u"&Herinneren op"_s);
    question.setBounds(120, 60, 3000, 225);
    question.setBuddy(&f.optDag);
    FormView view(f.form, TwipsScale{});
    view.show();
    runEvents();

    const QStringList captions{u"Dagelijks"_s, u"Wekelijks"_s, u"Maandelijks"_s};
    for (int i = 0; i < 3; ++i) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget(view, u"optPeriode(%1)"_s.arg(i)));
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->text(QAccessible::Name), captions[i]) << i;
        EXPECT_TRUE(face->text(QAccessible::Description).startsWith(u"Herinneren op"_s))
            << i << ": " << face->text(QAccessible::Description).toStdString();
    }
    EXPECT_EQ(fieldCaption(f.optDag), u"Herinneren op"_s);
    EXPECT_EQ(fieldCaption(f.txtNaam), QString()) << "no label names it, and no frame holds it";
}
