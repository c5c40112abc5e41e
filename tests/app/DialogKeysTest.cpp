#include "app/QtUi.h"
#include "app/ReviewDialogs.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Form.h"
#include "framework/forms/TextBox.h"
#include "host/ReferenceApplication.h"
#include "tests/app/WidgetTestSupport.h"

#include <QAbstractButton>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::widgetApplication;

namespace {

// Shows the form modally as the program does and plays the user inside it.
void whileShown(QtUi& ui, Form& form, const std::function<void(QDialog&)>& play)
{
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr) << form.name().toStdString();
        QApplication::setActiveWindow(shown);
        runEvents();
        play(*shown);
        if (form.visible())
            shown->reject();
    });
    ui.showModal(form);
}

} // namespace

// Catches a dialog that opens with the focus on OK, where Enter would answer
// before the user typed anything: the focus starts in the first field.
TEST(DialogKeysTest, TheFocusStartsInTheFirstFieldNotOnAButton)
{
    widgetApplication();
    QTemporaryDir dir;
    ScriptedUi scripted;
    ReferenceApplication host(scripted, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    QtUi ui;
    for (const QString& name : {u"frmFormaatLogo"_s, u"frmRenteopties"_s, u"frmNotaris"_s}) {
        std::unique_ptr<Form> dialog = ReviewDialogs::open(name, host);
        ASSERT_NE(dialog, nullptr) << name.toStdString();
        QString focused;
        whileShown(ui, *dialog, [&](QDialog&) {
            QWidget* w = QApplication::focusWidget();
            focused = w ? w->objectName() : u"(niets)"_s;
            EXPECT_FALSE(qobject_cast<QAbstractButton*>(w))
                << name.toStdString() << " starts on " << focused.toStdString();
        });
        EXPECT_FALSE(focused.isEmpty()) << name.toStdString();
    }
}

// Catches Ctrl+Enter that does nothing in a box of several lines, and Enter
// that answers there instead of starting a line: in the standard text Enter
// starts a line, Ctrl+Enter presses OK, and the dialog says so.
TEST(DialogKeysTest, InTheStandardTextEnterStartsALineAndCtrlEnterIsOk)
{
    widgetApplication();
    QTemporaryDir dir;
    ScriptedUi scripted;
    ReferenceApplication host(scripted, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    QtUi ui;
    std::unique_ptr<Form> dialog = ReviewDialogs::open(u"frmStandaardtekstDetail"_s, host);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->get<Label>(u"hntSneltoets"_s).caption(), u"Enter begint een nieuwe regel; Ctrl+Enter is OK."_s);
    bool okPressed = false;
    dialog->get<CommandButton>(u"cmdOk"_s).Click.connect([&] { okPressed = true; });
    QString typed;
    whileShown(ui, *dialog, [&](QDialog& shown) {
        auto* text = shown.findChild<QPlainTextEdit*>(u"txtStandaardtekst"_s);
        ASSERT_NE(text, nullptr);
        text->setFocus();
        text->moveCursor(QTextCursor::End);
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, u"tweede regel"_s);
        EXPECT_TRUE(dialog->visible()) << "Enter started a line";
        EXPECT_FALSE(okPressed);
        typed = dialog->get<TextBox>(u"txtStandaardtekst"_s).text();
        QTest::keyClick(text, Qt::Key_Return, Qt::ControlModifier);
        EXPECT_TRUE(okPressed) << "Ctrl+Enter is OK";
    });
    EXPECT_TRUE(typed.endsWith(u"\ntweede regel"_s) || typed.endsWith(u"\r\ntweede regel"_s)) << typed.toStdString();
}

// Catches the focus left in the search box or nowhere after a dialog: it goes
// back to the control that opened it.
TEST(DialogKeysTest, AfterADialogTheFocusReturnsToWhatOpenedIt)
{
    widgetApplication();
    QtUi ui;
    QWidget window;
    window.setObjectName(u"venster"_s);
    auto* first = new QPushButton(u"Eerste"_s, &window);
    first->setObjectName(u"cmdEerste"_s);
    auto* opener = new QPushButton(u"Openen"_s, &window);
    opener->setObjectName(u"cmdOpenen"_s);
    opener->move(0, 40);
    window.show();
    QApplication::setActiveWindow(&window);
    opener->setFocus();
    runEvents();
    ASSERT_EQ(QApplication::focusWidget(), opener);

    Form dialog(u"frmTest"_s);
    dialog.setBounds(0, 0, 5000, 2000);
    dialog.add<TextBox>(dialog, u"txtNaam"_s).setBounds(120, 120, 3000, 315);
    auto& cmdOk = dialog.add<CommandButton>(dialog, u"cmdOk"_s, u"OK"_s);
    cmdOk.setBounds(120, 900, 1200, 375);
    cmdOk.setDefault(true);
    cmdOk.Click.connect([&] { dialog.hide(); });
    whileShown(ui, dialog, [&](QDialog& shown) {
        EXPECT_EQ(QApplication::focusWidget()->objectName(), u"txtNaam"_s);
        QTest::keyClick(&shown, Qt::Key_Return);
    });
    // As a page that fills its list again after the dialog: its buttons are
    // off for a moment, which sends the focus on.
    opener->setEnabled(false);
    opener->setEnabled(true);
    QApplication::setActiveWindow(&window);
    runEvents();
    EXPECT_EQ(QApplication::focusWidget(), opener)
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "");
}
