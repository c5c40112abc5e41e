#include "app/QtUi.h"
#include "app/CommandLine.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/Form.h"
#include "tests/app/WidgetTestSupport.h"

#include <QAbstractButton>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::widgetApplication;

namespace {

// Catches English or wrongly mapped answers: each set of buttons shows the
// Dutch captions in order, and the one clicked is the answer returned.
TEST(QtUiTest, MessageBoxesAnswerWithDutchButtons)
{
    widgetApplication();
    struct Case {
        MsgButtons buttons;
        QStringList captions;
        QString click;
        MsgResult answer;
    };
    const Case cases[] = {
        {MsgButtons::OK, {"OK"}, "OK", MsgResult::OK},
        {MsgButtons::OKCancel, {"OK", "Annuleren"}, "Annuleren", MsgResult::Cancel},
        {MsgButtons::YesNo, {"Ja", "Nee"}, "Nee", MsgResult::No},
        {MsgButtons::YesNoCancel, {"Ja", "Nee", "Annuleren"}, "Ja", MsgResult::Yes},
        {MsgButtons::AbortRetryIgnore, {"Afbreken", "Opnieuw", "Negeren"}, "Negeren", MsgResult::Ignore},
        {MsgButtons::RetryCancel, {"Opnieuw", "Annuleren"}, "Opnieuw", MsgResult::Retry},
    };
    QtUi ui;
    for (const Case& c : cases) {
        QStringList shown;
        QString title;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            for (QAbstractButton* b : box->buttons())
                shown << b->text();
            box->findChild<QAbstractButton*>(c.click)->click();
        });
        const MsgResult answer = ui.msgBox(u"Weet u het zeker?"_s, c.buttons, MsgIcon::Question, u"Instellingen"_s);
        EXPECT_EQ(answer, c.answer) << c.click.toStdString();
        shown.sort();
        QStringList expected = c.captions;
        expected.sort();
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(title, u"Instellingen"_s);
    }
}

// Catches a modal form that never returns: the run ends when the page hides
// its dialog, and closing the window presses the dialog's cancel button.
TEST(QtUiTest, ModalFormsEndWhenTheFormIsHidden)
{
    widgetApplication();
    QtUi ui;
    for (const bool byCancel : {false, true}) {
        Form dialog(u"frmTest"_s);
        dialog.setCaption(u"Test"_s);
        auto& ok = dialog.add<CommandButton>(dialog, u"cmdOk"_s);
        auto& cancel = dialog.add<CommandButton>(dialog, u"cmdAnnuleren"_s);
        cancel.setCancel(true);
        bool cancelled = false;
        ok.Click.connect([&] { dialog.hide(); });
        cancel.Click.connect([&] {
            cancelled = true;
            dialog.hide();
        });
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            EXPECT_EQ(shown->windowTitle(), u"Test"_s);
            if (byCancel)
                shown->reject();
            else
                shown->findChild<QAbstractButton*>(u"cmdOk"_s)->click();
        });
        ui.showModal(dialog);
        EXPECT_FALSE(dialog.visible());
        EXPECT_EQ(cancelled, byCancel);
    }
}

// Catches a window close that overrules the cancel button: a button that asks
// and keeps its form open keeps the window open too.
TEST(QtUiTest, ClosingTheWindowLeavesTheDecisionToTheCancelButton)
{
    widgetApplication();
    QtUi ui;
    Form dialog(u"frmTest"_s);
    auto& sluiten = dialog.add<CommandButton>(dialog, u"cmdSluiten"_s);
    sluiten.setCancel(true);
    int asked = 0;
    sluiten.Click.connect([&] {
        if (++asked == 2)
            dialog.hide();
    });
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        shown->reject();
        EXPECT_TRUE(dialog.visible()) << "the first answer keeps the form open";
        EXPECT_TRUE(shown->isVisible());
        shown->reject();
    });
    ui.showModal(dialog);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(dialog.visible());
}

// Catches a dialog kept by its host that reports the answer of an earlier
// showing: closed with the window's close box or Escape, where it has no
// cancel button, it is cancelled, also after an earlier OK.
TEST(QtUiTest, ClosingTheWindowCancelsADialogWithoutCancelButton)
{
    widgetApplication();
    struct OkOnly final : Dialog {
        OkOnly() : Dialog(u"frmOkOnly"_s, u"Generiek"_s), ok(add<CommandButton>(*this, u"cmdOK"_s))
        {
            setCaption(u"Alleen OK"_s);
            ok.setCaption(u"OK"_s);
            placeButtonRow({&ok}, &ok, nullptr);
            ok.Click.connect([this] { close(false); });
        }
        CommandButton& ok;
    };
    QtUi ui;
    OkOnly dialog;
    const auto run = [&](const std::function<void(QDialog&)>& user) {
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            user(*shown);
        });
        ui.showModal(dialog);
        EXPECT_FALSE(dialog.visible());
    };
    run([](QDialog& d) { d.findChild<QAbstractButton*>(u"cmdOK"_s)->click(); });
    EXPECT_FALSE(dialog.Geannuleerd());
    run([](QDialog& d) { d.close(); });
    EXPECT_TRUE(dialog.Geannuleerd()) << "the close box";
    run([](QDialog& d) { d.findChild<QAbstractButton*>(u"cmdOK"_s)->click(); });
    EXPECT_FALSE(dialog.Geannuleerd());
    run([](QDialog& d) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&d, &escape);
    });
    EXPECT_TRUE(dialog.Geannuleerd()) << "Escape";
}

// Catches filters the Qt dialog cannot read, and "*.*" hiding files without
// an extension on this file system.
TEST(QtUiTest, ClassicFileFiltersBecomeQtFilters)
{
    EXPECT_EQ(qtFileFilter(u"Tekstbestanden (*.txt)|*.txt|Alle bestanden (*.*)|*.*"_s),
              u"Tekstbestanden (*.txt);;Alle bestanden (*)"_s);
    EXPECT_EQ(qtFileFilter(u"Certificaten|*.pfx;*.p12"_s), u"Certificaten (*.pfx *.p12)"_s);
    EXPECT_EQ(qtFileFilter(QString()), QString());
}

// Catches arguments read wrongly: each option with its value, and a usable
// Dutch message for what is missing or unknown.
TEST(QtUiTest, CommandLineOptions)
{
    struct Case {
        QStringList args;
        QString data, page, render, out, error;
        bool help;
    };
    const Case cases[] = {
        {{}, "", "", "", "", "", false},
        {{"--data", "/tmp/kantoor", "--page", "SetupProxy"}, "/tmp/kantoor", "SetupProxy", "", "", "", false},
        {{"--render=all", "--out", "png"}, "", "", "all", "png", "", false},
        {{"--help"}, "", "", "", "", "", true},
        {{"--render", "all"},
         "",
         "",
         "all",
         "",
         "Bij --render hoort --out MAP: de map waarin de afbeeldingen komen.",
         false},
        {{"--data"}, "", "", "", "", "Bij --data hoort een waarde.", false},
        {{"--kleur", "rood"}, "", "", "", "", "Onbekende optie: --kleur", false},
    };
    for (const Case& c : cases) {
        const CommandLine line = CommandLine::parse(c.args);
        EXPECT_EQ(line.dataFolder, c.data) << c.args.join(' ').toStdString();
        EXPECT_EQ(line.page, c.page);
        EXPECT_EQ(line.render, c.render);
        EXPECT_EQ(line.out, c.out);
        EXPECT_EQ(line.error, c.error) << c.args.join(' ').toStdString();
        EXPECT_EQ(line.help, c.help);
    }
    EXPECT_TRUE(CommandLine::helpText(u"/home/a/.local/share/tarvelo"_s).contains("/home/a/.local/share/tarvelo"));
}

} // namespace
