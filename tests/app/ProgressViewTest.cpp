#include "app/render/ProgressView.h"
#include "app/QtUi.h"
#include "framework/status/StatusReporter.h"
#include "tests/app/WidgetTestSupport.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::widgetApplication;

namespace {

// Counts the paints a widget receives.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// What the user sees of the progress window.
struct Seen {
    QString message;
    bool barShown = false;
    int value = 0;
    int maximum = 0;
    int height = 0;
};

Seen look(QWidget* window)
{
    Seen seen;
    seen.message = window->findChild<QLabel*>(u"lblMessage"_s)->text();
    auto* bar = window->findChild<QProgressBar*>(u"Pgb1"_s);
    seen.barShown = bar->isVisible();
    seen.value = bar->value();
    seen.maximum = bar->maximum();
    seen.height = window->height();
    return seen;
}

bool status(StatusReporter& reporter, const QString& text, bool step = false)
{
    QString message = text;
    bool cancelled = false;
    reporter.SetStatus(message, cancelled, step);
    return cancelled;
}

// Catches a progress window that is modal, does not follow or repaint during a
// run that never returns to the event loop, shows the bar without steps, loses
// "&Afbreken", or stays on screen after the run.
TEST(ProgressViewTest, TheOwnWindowFollowsALongRunAndCanBeCancelled)
{
    widgetApplication();
    QtUi ui;
    StatusReporter reporter(ui);
    ProgressView view(reporter, TwipsScale{});

    reporter.InitStatus(3, u"Berichten"_s, u"Berichten ophalen"_s, true);
    EXPECT_EQ(view.window(), nullptr) << "the window shows at the first message";
    EXPECT_FALSE(status(reporter, u"Bericht 1 van 3"_s, true));
    QWidget* window = view.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isWindow());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(window->windowTitle(), u"Berichten"_s);
    auto* cancel = window->findChild<QPushButton*>(u"cmdCancel"_s);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), u"&Afbreken"_s);
    EXPECT_TRUE(cancel->isVisible());

    // The run keeps the event loop; only SetStatus lets it paint.
    PaintCounter counter;
    window->findChild<QLabel*>(u"lblMessage"_s)->installEventFilter(&counter);
    window->findChild<QProgressBar*>(u"Pgb1"_s)->installEventFilter(&counter);
    struct Step {
        QString message;
        bool step;
        QString shown;
        int value;
    };
    const Step steps[] = {
        {u"Bericht 2 van 3"_s, true, u"Bericht 2 van 3"_s, 2},
        {u"DOTS"_s, false, u"Bericht 2 van 3."_s, 2},
        {u"DONTSET"_s, true, u"Bericht 2 van 3."_s, 3},
        {u"Bericht 4"_s, true, u"Bericht 4"_s, 3},
    };
    for (const Step& s : steps) {
        const int paintsBefore = counter.paints;
        EXPECT_FALSE(status(reporter, s.message, s.step));
        const Seen seen = look(window);
        EXPECT_EQ(seen.message, s.shown) << s.message.toStdString();
        EXPECT_TRUE(seen.barShown);
        EXPECT_EQ(seen.maximum, 3);
        EXPECT_EQ(seen.value, s.value) << s.message.toStdString();
        EXPECT_GT(counter.paints, paintsBefore) << "repainted in SetStatus: " << s.message.toStdString();
    }
    EXPECT_EQ(look(window).height, (1185 - 390) / 15) << "the title bar is the window system's";

    cancel->click();
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_TRUE(status(reporter, u"Bericht 5"_s));
    EXPECT_TRUE(status(reporter, u"DOTS"_s)) << "cancelled stays set";

    reporter.TermStatus();
    EXPECT_EQ(view.window(), nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w->objectName() == u"frmProgress"_s);

    // A new run without steps: a fresh window, no bar, the lower height.
    reporter.InitStatus(0, u"Controle"_s, u"Bezig"_s, true);
    EXPECT_FALSE(status(reporter, u"Bezig met controleren"_s));
    window = view.window();
    ASSERT_NE(window, nullptr);
    Seen seen = look(window);
    EXPECT_EQ(seen.message, u"Bezig met controleren"_s);
    EXPECT_FALSE(seen.barShown);
    EXPECT_EQ(seen.height, (750 - 390) / 15);

    // Closing the window is asking to stop; the run decides when it goes.
    window->close();
    runEvents();
    EXPECT_TRUE(status(reporter, u"Bijna klaar"_s));
    EXPECT_NE(view.window(), nullptr);
    reporter.TermStatus();
    EXPECT_EQ(view.window(), nullptr);
}

// Catches a view that reaches into a window that was released unseen: a run
// ended before its first message leaves nothing behind for the next run.
TEST(ProgressViewTest, ARunEndedBeforeItsFirstMessageLeavesNoWindow)
{
    widgetApplication();
    QtUi ui;
    StatusReporter reporter(ui);
    auto view = std::make_unique<ProgressView>(reporter, TwipsScale{});
    reporter.InitStatus(2, u"Kort"_s, u"Start"_s, false);
    reporter.TermStatus();
    EXPECT_EQ(view->window(), nullptr);
    reporter.InitStatus(2, u"Kort"_s, u"Start"_s, false);
    EXPECT_FALSE(status(reporter, u"Stap 1"_s, true));
    ASSERT_NE(view->window(), nullptr);
    EXPECT_FALSE(view->window()->findChild<QPushButton*>(u"cmdCancel"_s)->isVisible());
    // The view may go before the reporter, even during a run.
    view.reset();
    EXPECT_FALSE(status(reporter, u"Stap 2"_s, true));
    reporter.TermStatus();
}

} // namespace
