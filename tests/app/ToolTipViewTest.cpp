#include "app/render/FormView.h"
#include "framework/forms/Form.h"
#include "framework/forms/TextBox.h"
#include "framework/tooltip/CToolTip.h"
#include "tests/app/WidgetTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QImage>
#include <QLabel>
#include <QThread>
#include <functional>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::widgetApplication;

namespace {

// The tip window a user sees now, or null.
QWidget* shownTip()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->objectName().endsWith(QLatin1String(".ToolTip")))
            return w;
    }
    return nullptr;
}

QString withoutAccessKey(QWidget* tip, const char* name)
{
    auto* label = tip->findChild<QLabel*>(QLatin1String(name));
    return label && label->isVisible() ? label->text() : u"<verborgen>"_s;
}

bool iconShown(QWidget* tip)
{
    auto* icon = tip->findChild<QLabel*>(u"Icon"_s);
    return icon && icon->isVisible() && !icon->pixmap().isNull();
}

// Runs the event loop until done() holds or ms milliseconds have passed.
bool waitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

void mouseEnters(QWidget* widget)
{
    const QPointF inside(4, 4);
    QEnterEvent enter(inside, inside, widget->mapToGlobal(inside));
    QApplication::sendEvent(widget, &enter);
}

void mouseLeaves(QWidget* widget)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
}

class ToolTipViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.setBounds(0, 0, 6000, 3000);
        box.setBounds(600, 600, 3000, 315);
        view.show();
        runEvents();
        tool = view.widgetOf(box);
        ASSERT_NE(tool, nullptr);
    }

    // Made before the view below: a widget needs the application first.
    QApplication& application = widgetApplication();
    Form form{u"frmTest"_s};
    TextBox& box = form.add<TextBox>(form, u"txtCertificaat"_s);
    FormView view{form, TwipsScale{}};
    QWidget* tool = nullptr;
};

// Catches a tip that never reaches the screen, shows before its delay, keeps
// stale text after TipText changes, stays past its visible time or the mouse
// leaving, or outlives Destroy.
TEST_F(ToolTipViewTest, ABalloonAppearsForItsControlFollowsItsTextAndGoesOnDestroy)
{
    CToolTip tip;
    tip.setStyle(ttStyleEnum::TTBalloon);
    tip.setTitle(u"Certificaat"_s);
    tip.setIcon(ttIconType::TTIconWarning);
    tip.setTipText(u"/data/certificaat.pfx"_s);
    tip.setDelayTime(150);
    tip.setVisibleTime(400);
    ASSERT_TRUE(tip.Create(box));

    QElapsedTimer since;
    since.start();
    mouseEnters(tool);
    runEvents();
    EXPECT_EQ(shownTip(), nullptr) << "not before DelayTime";
    ASSERT_TRUE(waitFor([] { return shownTip() != nullptr; }, 3000));
    EXPECT_GE(since.elapsed(), 140);
    QWidget* shown = shownTip();
    EXPECT_EQ(shown->objectName(), u"txtCertificaat.ToolTip"_s);
    EXPECT_EQ(withoutAccessKey(shown, "Title"), u"Certificaat"_s);
    EXPECT_EQ(withoutAccessKey(shown, "Text"), u"/data/certificaat.pfx"_s);
    EXPECT_TRUE(iconShown(shown));

    tip.setTipText(u"/data/ander.pfx"_s);
    EXPECT_EQ(withoutAccessKey(shown, "Text"), u"/data/ander.pfx"_s) << "a shown tip follows at once";
    tip.setTitle(QString());
    tip.setIcon(ttIconType::TTNoIcon);
    EXPECT_EQ(withoutAccessKey(shown, "Title"), u"<verborgen>"_s);

    EXPECT_TRUE(waitFor([] { return shownTip() == nullptr; }, 3000)) << "gone after VisibleTime";

    mouseEnters(tool);
    ASSERT_TRUE(waitFor([] { return shownTip() != nullptr; }, 3000));
    mouseLeaves(tool);
    EXPECT_EQ(shownTip(), nullptr) << "gone when the mouse leaves";

    mouseEnters(tool);
    ASSERT_TRUE(waitFor([] { return shownTip() != nullptr; }, 3000));
    tip.Destroy();
    EXPECT_EQ(shownTip(), nullptr);
    mouseEnters(tool);
    EXPECT_FALSE(waitFor([] { return shownTip() != nullptr; }, 400)) << "a destroyed tip stays away";
}

// Catches a title line that needs both title and icon, colours that are not
// drawn, and a centred tip that does not hang from the middle of its tool.
TEST_F(ToolTipViewTest, DrawsTheStyleTitleLineColoursAndPlaceOfTheTip)
{
    const QColor green(0x80, 0xFF, 0x80);
    struct Case {
        ttStyleEnum style;
        bool centered;
        QString title;
        ttIconType icon;
        QString shownTitle;
        bool icon_;
    };
    const Case cases[] = {
        {ttStyleEnum::TTStandard, false, QString(), ttIconType::TTNoIcon, u"<verborgen>"_s, false},
        {ttStyleEnum::TTStandard, false, u"Let op"_s, ttIconType::TTNoIcon, u"Let op"_s, false},
        {ttStyleEnum::TTBalloon, true, QString(), ttIconType::TTIconError, QString(), true},
        {ttStyleEnum::TTBalloon, true, u"Info"_s, ttIconType::TTIconInfo, u"Info"_s, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title.toStdString() + " " + std::to_string(int(c.style)));
        CToolTip tip;
        tip.setStyle(c.style);
        tip.setCentered(c.centered);
        tip.setTitle(c.title);
        tip.setIcon(c.icon);
        tip.setTipText(u"Het pad naar het certificaat"_s);
        tip.setBackColor(rgb(0x80, 0xFF, 0x80));
        tip.setDelayTime(0);
        ASSERT_TRUE(tip.Create(box));
        mouseEnters(tool);
        ASSERT_TRUE(waitFor([] { return shownTip() != nullptr; }, 3000));
        QWidget* shown = shownTip();
        EXPECT_EQ(withoutAccessKey(shown, "Title"), c.shownTitle);
        EXPECT_EQ(iconShown(shown), c.icon_);
        const QImage picture = shown->grab().toImage();
        EXPECT_EQ(picture.pixelColor(picture.width() - 3, picture.height() / 2).rgb(), green.rgb());
        if (c.centered) {
            const QRect toolRect(tool->mapToGlobal(QPoint(0, 0)), tool->size());
            EXPECT_GE(shown->y(), toolRect.bottom());
            EXPECT_LE(std::abs(shown->geometry().center().x() - toolRect.center().x()), 1);
        }
        mouseLeaves(tool);
    }
}

// Catches a tip drawn for the wrong tip when a control has two: the newest is
// shown, and destroying it brings back the older one.
TEST_F(ToolTipViewTest, TheNewestTipOfAControlIsShown)
{
    CToolTip older;
    older.setTipText(u"oud"_s);
    older.setDelayTime(0);
    older.Create(box);
    {
        CToolTip newer;
        newer.setTipText(u"nieuw"_s);
        newer.setDelayTime(0);
        newer.Create(box);
        mouseEnters(tool);
        ASSERT_TRUE(waitFor([] { return shownTip() != nullptr; }, 3000));
        EXPECT_EQ(withoutAccessKey(shownTip(), "Text"), u"nieuw"_s);
    }
    EXPECT_EQ(shownTip(), nullptr);
    mouseEnters(tool);
    ASSERT_TRUE(waitFor([] { return shownTip() != nullptr; }, 3000));
    EXPECT_EQ(withoutAccessKey(shownTip(), "Text"), u"oud"_s);
    mouseLeaves(tool);
}

} // namespace
