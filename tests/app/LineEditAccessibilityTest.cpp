#include "app/render/LineEditAccessibility.h"
#include "tests/app/WidgetTestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::widgetApplication;

namespace {

struct MarkedBox {
    QApplication& application = widgetApplication();
    QWidget window;
    QLineEdit* edit = new QLineEdit(&window);
    QAccessibleInterface* face = nullptr;

    explicit MarkedBox(const QString& text)
    {
        readOnlyAwareAccessibility(*edit);
        edit->setText(text);
        edit->setGeometry(10, 10, 300, 30);
        window.resize(400, 100);
        window.show();
        runEvents();
        face = QAccessible::queryAccessibleInterface(edit);
    }
};

} // namespace

// Catches a read-only box that also says it is editable (Qt's own line edit
// does), and a box that stays read-only to a screen reader once it may be
// typed in again: the state follows the box, and only an editable box offers
// editable text.
TEST(LineEditAccessibility, ReadOnlyIsReadOnlyAloneAndFollowsTheBox)
{
    MarkedBox box(u"proxy.kantoor.nl"_s);
    ASSERT_NE(box.face, nullptr);
    EXPECT_EQ(box.face->role(), QAccessible::EditableText);
    EXPECT_TRUE(box.face->state().editable);
    EXPECT_FALSE(box.face->state().readOnly);
    ASSERT_NE(box.face->editableTextInterface(), nullptr);

    box.edit->setReadOnly(true);
    EXPECT_TRUE(box.face->state().readOnly);
    EXPECT_FALSE(box.face->state().editable);
    EXPECT_EQ(box.face->editableTextInterface(), nullptr);
    box.face->setText(QAccessible::Value, u"anders"_s);
    EXPECT_EQ(box.edit->text(), u"proxy.kantoor.nl"_s) << "a read-only box takes no value from outside";

    box.edit->setReadOnly(false);
    EXPECT_TRUE(box.face->state().editable);
    box.face->editableTextInterface()->replaceText(0, 5, u"www"_s);
    EXPECT_EQ(box.edit->text(), u"www.kantoor.nl"_s);
    box.face->editableTextInterface()->insertText(14, u":8080"_s);
    box.face->editableTextInterface()->deleteText(0, 4);
    EXPECT_EQ(box.edit->text(), u"kantoor.nl:8080"_s);
}

// Catches a text interface that reads otherwise than the box shows: the
// value and its parts, the cursor and the selection, a character's place on
// the screen and back, and a password's marks instead of its characters.
TEST(LineEditAccessibility, TheTextReadsAsTheBoxShowsIt)
{
    MarkedBox box(u"Kerkstraat 12"_s);
    box.edit->setReadOnly(true);
    QAccessibleTextInterface* text = box.face->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(box.face->text(QAccessible::Value), u"Kerkstraat 12"_s);
    EXPECT_EQ(text->characterCount(), 13);
    EXPECT_EQ(text->text(0, 10), u"Kerkstraat"_s);
    EXPECT_EQ(text->text(11, 13), u"12"_s);

    text->setCursorPosition(4);
    EXPECT_EQ(box.edit->cursorPosition(), 4);
    EXPECT_EQ(text->cursorPosition(), 4);
    EXPECT_EQ(text->selectionCount(), 0);
    text->setSelection(0, 11, 13);
    ASSERT_EQ(text->selectionCount(), 1);
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(start, 11);
    EXPECT_EQ(end, 13);
    EXPECT_EQ(box.edit->selectedText(), u"12"_s);
    text->removeSelection(0);
    EXPECT_EQ(text->selectionCount(), 0);

    // Each character lies inside the box, after the one before it, and a
    // point in its middle is read back as its place.
    const QRect onScreen(box.edit->mapToGlobal(QPoint(0, 0)), box.edit->size());
    int previousRight = onScreen.left();
    for (int i = 0; i < text->characterCount(); ++i) {
        const QRect r = text->characterRect(i);
        EXPECT_TRUE(onScreen.contains(r)) << i;
        EXPECT_GE(r.left(), previousRight - 1) << i;
        previousRight = r.right();
        if (r.width() > 2) {
            EXPECT_EQ(text->offsetAtPoint(QPoint(r.left() + 1, r.center().y())), i) << i;
        }
    }
    EXPECT_TRUE(text->characterRect(13).isNull());

    box.edit->setEchoMode(QLineEdit::Password);
    EXPECT_TRUE(box.face->state().passwordEdit);
    EXPECT_FALSE(text->text(0, 13).contains(u"Kerk"_s));
    EXPECT_EQ(text->characterCount(), 13);
}
