#include "framework/page/FieldButtons.h"
#include "app/render/FormView.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Form.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/page/RowLayout.h"
#include "tests/app/WidgetTestSupport.h"

#include <QAccessible>
#include <QPushButton>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::widgetApplication;

// Catches a button a screen reader reads as "..." or "X": the button beside a
// field says what it does for that field, named by the field's label, in its
// tooltip and its accessible name, and still shows its sign.
TEST(FieldButtonsTest, ASignButtonSaysWhatItDoesForItsField)
{
    widgetApplication();
    Form form(u"frmTest"_s);
    auto& lblLocatie = form.add<Label>(form, u"lblLocatie"_s, u"Database&locatie"_s);
    auto& txtLocatie = form.add<TextBox>(form, u"txtLocatie"_s);
    auto& cmdKies = form.add<CommandButton>(form, u"cmdKies"_s, u"..."_s);
    auto& cmdWis = form.add<CommandButton>(form, u"cmdWis"_s, u"X"_s);
    auto& cmdZonder = form.add<CommandButton>(form, u"cmdZonder"_s, u"..."_s);
    RowLayout(form, 6000, false)
        .row({{&lblLocatie, 1500}, {&txtLocatie, 2500}, {&cmdKies, 375}, {&cmdWis, 375}, {&cmdZonder, 375}})
        .finish();
    describeFieldButton(cmdKies, FieldButton::ChooseFolder, txtLocatie);
    describeFieldButton(cmdWis, FieldButton::ClearFile, txtLocatie);
    EXPECT_EQ(cmdKies.toolTipText(), u"Map kiezen voor Databaselocatie"_s);
    EXPECT_EQ(cmdWis.toolTipText(), u"Bestand wissen voor Databaselocatie"_s);
    EXPECT_EQ(fieldButtonText(FieldButton::ChooseColour, u"Achtergrond:"_s), u"Kleur kiezen voor Achtergrond"_s);

    FormView view(form, TwipsScale{});
    runEvents();
    const auto spoken = [&](const char* name) {
        return QAccessible::queryAccessibleInterface(view.findChild<QWidget*>(QString::fromLatin1(name)))
            ->text(QAccessible::Name);
    };
    EXPECT_EQ(spoken("cmdKies"), u"Map kiezen voor Databaselocatie"_s);
    EXPECT_EQ(spoken("cmdWis"), u"Bestand wissen voor Databaselocatie"_s);
    EXPECT_EQ(view.findChild<QPushButton*>(u"cmdKies"_s)->text(), u"..."_s) << "the caption stays";
    EXPECT_EQ(view.findChild<QPushButton*>(u"cmdKies"_s)->toolTip(), u"Map kiezen voor Databaselocatie"_s);
    EXPECT_EQ(spoken("cmdZonder"), u"..."_s) << "a button the page says nothing of keeps its sign";
}
