#include "app/QtUi.h"
#include "app/render/ProgressView.h"
#include "framework/status/StatusReporter.h"
#include "tests/app/WidgetTestSupport.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

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
    seen.message = window->findChild<QLabel*>(QStringLiteral("lblMessage"))->text();
    auto* bar = window->findChild<QProgressBar*>(QStringLiteral("Pgb1"));
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

    reporter.InitStatus(3, QStringLiteral("Berichten"), QStringLiteral("Berichten ophalen"), true);
    EXPECT_EQ(view.window(), nullptr) << "the window shows at the first message";
    EXPECT_FALSE(status(reporter, QStringLiteral("Bericht 1 van 3"), true));
    QWidget* window = view.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isWindow());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Berichten"));
    auto* cancel = window->findChild<QPushButton*>(QStringLiteral("cmdCancel"));
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), QStringLiteral("&Afbreken"));
    EXPECT_TRUE(cancel->isVisible());

    // The run keeps the event loop; only SetStatus lets it paint.
    PaintCounter counter;
    window->findChild<QLabel*>(QStringLiteral("lblMessage"))->installEventFilter(&counter);
    window->findChild<QProgressBar*>(QStringLiteral("Pgb1"))->installEventFilter(&counter);
    struct Step {
        QString message;
        bool step;
        QString shown;
        int value;
    };
    const Step steps[] = {
        {QStringLiteral("Bericht 2 van 3"), true, QStringLiteral("Bericht 2 van 3"), 2},
        {QStringLiteral("DOTS"), false, QStringLiteral("Bericht 2 van 3."), 2},
        {QStringLiteral("DONTSET"), true, QStringLiteral("Bericht 2 van 3."), 3},
        {QStringLiteral("Bericht 4"), true, QStringLiteral("Bericht 4"), 3},
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
    EXPECT_TRUE(status(reporter, QStringLiteral("Bericht 5")));
    EXPECT_TRUE(status(reporter, QStringLiteral("DOTS"))) << "cancelled stays set";

    reporter.TermStatus();
    EXPECT_EQ(view.window(), nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w->objectName() == QStringLiteral("frmProgress"));

    // A new run without steps: a fresh window, no bar, the lower height.
    reporter.InitStatus(0, QStringLiteral("Controle"), QStringLiteral("Bezig"), true);
    EXPECT_FALSE(status(reporter, QStringLiteral("Bezig met controleren")));
    window = view.window();
    ASSERT_NE(window, nullptr);
    Seen seen = look(window);
    EXPECT_EQ(seen.message, QStringLiteral("Bezig met controleren"));
    EXPECT_FALSE(seen.barShown);
    EXPECT_EQ(seen.height, (750 - 390) / 15);

    // Closing the window is asking to stop; the run decides when it goes.
    window->close();
    runEvents();
    EXPECT_TRUE(status(reporter, QStringLiteral("Bijna klaar")));
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
    reporter.InitStatus(2, QStringLiteral("Kort"), QStringLiteral("Start"), false);
    reporter.TermStatus();
    EXPECT_EQ(view->window(), nullptr);
    reporter.InitStatus(2, QStringLiteral("Kort"), QStringLiteral("Start"), false);
    EXPECT_FALSE(status(reporter, QStringLiteral("Stap 1"), true));
    ASSERT_NE(view->window(), nullptr);
    EXPECT_FALSE(view->window()->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isVisible());
    // The view may go before the reporter, even during a run.
    view.reset();
    EXPECT_FALSE(status(reporter, QStringLiteral("Stap 2"), true));
    reporter.TermStatus();
}

} // namespace
