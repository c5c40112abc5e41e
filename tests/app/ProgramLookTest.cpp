#include "app/SettingsWindow.h"
#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "app/render/QtConversions.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "host/ReferenceApplication.h"
#include "pages/AllPages.h"
#include "tests/app/WidgetTestSupport.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::StrictUi;
using tarvelo::testing::widgetApplication;

namespace {

QString describe(const QFont& font) { return u"%1 %2pt"_s.arg(font.family()).arg(font.pointSizeF()); }

// Catches pages drawn in a font the platform lacks, or at a size that breaks
// their twips layout, or a mapping that flattens what a page set itself: the
// design font becomes the platform's UI family at the design size; bold,
// size and any other family stay.
TEST(ProgramLookTest, TheDesignFontBecomesThePlatformFontAtItsOwnSize)
{
    widgetApplication();
    const QString platform = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();

    const QFont plain = toQFont(Font());
    EXPECT_EQ(plain.family(), platform);
    EXPECT_DOUBLE_EQ(plain.pointSizeF(), 8.0);
    EXPECT_FALSE(plain.bold());

    Font heading;
    heading.size = 12;
    heading.bold = true;
    heading.underline = true;
    const QFont large = toQFont(heading);
    EXPECT_EQ(large.family(), platform);
    EXPECT_DOUBLE_EQ(large.pointSizeF(), 12.0);
    EXPECT_TRUE(large.bold());
    EXPECT_TRUE(large.underline());

    Font fixed;
    fixed.name = u"DejaVu Sans Mono"_s;
    EXPECT_EQ(toQFont(fixed).family(), u"DejaVu Sans Mono"_s) << "a family a page chose is its own";
}

// Catches an application (the program's, the renderer's or the tests') that
// draws in the platform's default style and font: every platform gets Fusion
// and the pages' font, so dialogs and message boxes read like the pages.
TEST(ProgramLookTest, TheApplicationUsesFusionAndThePageFont)
{
    widgetApplication();
    const QStyle* style = QApplication::style();
    if (const auto* proxy = qobject_cast<const QProxyStyle*>(style))
        style = proxy->baseStyle();
    EXPECT_EQ(style->name(), u"fusion"_s);
    EXPECT_EQ(describe(QApplication::font()), describe(toQFont(Font())));
}

// Catches access keys underlined on some controls of a row and not on
// others: they are underlined on none until Alt is held, then on all.
TEST(ProgramLookTest, AccessKeysShowWhileAltIsHeld)
{
    widgetApplication();
    QPushButton button(u"&Opslaan"_s);
    button.show();
    const auto underlined = [&] {
        return QApplication::style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, &button);
    };
    EXPECT_FALSE(underlined());
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QApplication::sendEvent(&button, &press);
    EXPECT_TRUE(underlined());
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QApplication::sendEvent(&button, &release);
    EXPECT_FALSE(underlined());
}

// Catches a window whose list, search box or buttons use another font than
// the pages in it: all read in the page font; the heading is the same family,
// larger and bold, and group names are bold at the same size.
TEST(ProgramLookTest, TheWindowReadsInThePageFont)
{
    widgetApplication();
    // A font the application might have been given by the platform theme.
    const QFont before = QApplication::font();
    QFont large = before;
    large.setPointSizeF(12);
    QApplication::setFont(large);

    QTemporaryDir dir;
    StrictUi ui;
    PageRegistry registry;
    registerAllPages(registry);
    {
        ReferenceApplication host(ui, dir.path());
        SettingsWindow window(registry, host);
        window.show();
        ASSERT_TRUE(window.showPage(u"SetupProxy"_s));
        const QString pageFont = describe(window.currentView()->findChild<QLabel*>()->font());
        EXPECT_EQ(pageFont, describe(toQFont(Font())));
        for (const char* name : {"lvwPaginas", "txtZoeken", "cmdOpslaan", "cmdAnnuleren", "cmdWijzigingen"}) {
            auto* widget = window.findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_NE(widget, nullptr) << name;
            EXPECT_EQ(describe(widget->font()), pageFont) << name;
        }
        auto* list = window.findChild<QTreeWidget*>(u"lvwPaginas"_s);
        QTreeWidgetItem* group = list->topLevelItem(0);
        ASSERT_NE(group, nullptr);
        EXPECT_TRUE(group->font(0).bold());
        EXPECT_DOUBLE_EQ(group->font(0).pointSizeF(), 8.0) << "a group name as large as the pages listed under it";

        const QFont heading = window.findChild<QLabel*>(u"lblTitel"_s)->font();
        EXPECT_EQ(heading.family(), toQFont(Font()).family());
        EXPECT_TRUE(heading.bold());
        EXPECT_GT(heading.pointSizeF(), 8.0);
        EXPECT_LT(heading.pointSizeF(), 12.0) << "the heading follows the window, not the application";
    }
    QApplication::setFont(before);
}

// Catches texts cut off by the page font: on every page, as the window shows
// it on the demo office, each visible label, caption and button text fits the
// box its twips give it.
TEST(ProgramLookTest, PageTextsFitTheirBoxes)
{
    widgetApplication();
    QTemporaryDir dir;
    StrictUi ui;
    PageRegistry registry;
    registerAllPages(registry);
    ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    for (const PageInfo& info : registry.pages()) {
        std::unique_ptr<SettingsPage> page = openWindowPage(registry, info.className, host);
        ASSERT_NE(page, nullptr) << info.className.toStdString();
        FormView view(page->form(), screenScale(ui));
        view.flushPending();
        view.ensurePolished();
        const auto where = [&](const QWidget* w) {
            return (info.className + QLatin1Char('.') + w->objectName()).toStdString();
        };
        for (QLabel* label : view.findChildren<QLabel*>()) {
            if (!label->isVisibleTo(&view) || label->text().isEmpty())
                continue;
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height()) << where(label);
            } else {
                // (the "&" of a label's access key is drawn as an underline)
                const QString shown = label->buddy() ? withoutAccessKey(label->text()) : label->text();
                EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->contentsRect().width()) << where(label);
                EXPECT_LE(label->fontMetrics().height(), label->height()) << where(label);
            }
        }
        for (QAbstractButton* choice : view.findChildren<QAbstractButton*>()) {
            if (!choice->isVisibleTo(&view) || choice->text().isEmpty())
                continue;
            if (qobject_cast<QCheckBox*>(choice) || qobject_cast<QRadioButton*>(choice)) {
                EXPECT_LE(choice->sizeHint().width(), choice->width()) << where(choice);
            } else {
                const int margin = choice->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, choice);
                EXPECT_LE(choice->fontMetrics().horizontalAdvance(withoutAccessKey(choice->text())) + margin,
                          choice->width())
                    << where(choice);
            }
        }
        for (QGroupBox* frame : view.findChildren<QGroupBox*>()) {
            if (frame->isVisibleTo(&view) && !frame->title().isEmpty()) {
                EXPECT_LE(frame->fontMetrics().horizontalAdvance(frame->title()), frame->width()) << where(frame);
            }
        }
    }
}

} // namespace
