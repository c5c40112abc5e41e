#include "app/render/FormView.h"
#include "framework/forms/Form.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "tests/app/WidgetTestSupport.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::widgetApplication;

namespace {
void releaseMouseOn(QWidget& widget)
{
    const QPointF at(2, 2);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &release);
}
} // namespace

// A link label must show the hand pointer and raise Click when clicked; a plain label neither.
TEST(LinkLabelView, HandPointerAndClickOnlyOnLinks)
{
    widgetApplication();
    Form form(u"frmTest"_s);
    form.setBounds(0, 0, 6000, 3000);
    auto& link = form.add<Label>(form, u"lblLink"_s);
    link.setCaption(u"https://www.finly.nl"_s);
    link.setLink(true);
    auto& plain = form.add<Label>(form, u"lblGewoon"_s);
    plain.setCaption(u"Voor meer informatie kunt u kijken op"_s);
    plain.setTop(600);
    int linkClicks = 0, plainClicks = 0;
    link.Click.connect([&] { ++linkClicks; });
    plain.Click.connect([&] { ++plainClicks; });

    FormView view(form, TwipsScale{});
    auto* linkWidget = view.findChild<QLabel*>(u"lblLink"_s);
    auto* plainWidget = view.findChild<QLabel*>(u"lblGewoon"_s);
    ASSERT_NE(linkWidget, nullptr);
    ASSERT_NE(plainWidget, nullptr);
    EXPECT_EQ(linkWidget->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_NE(plainWidget->cursor().shape(), Qt::PointingHandCursor);
    releaseMouseOn(*linkWidget);
    releaseMouseOn(*plainWidget);
    EXPECT_EQ(linkClicks, 1);
    EXPECT_EQ(plainClicks, 0);
}

// A password box must be drawn masked, so a rendered page never shows a stored password or token.
TEST(LinkLabelView, SecretsAreDrawnMasked)
{
    widgetApplication();
    Form form(u"frmTest"_s);
    auto& secret = form.add<TextBox>(form, u"txtWachtwoord"_s);
    secret.setPasswordChar(QLatin1Char('*'));
    secret.setText(u"geheim"_s);
    FormView view(form, TwipsScale{});
    auto* edit = view.findChild<QLineEdit*>(u"txtWachtwoord"_s);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    EXPECT_NE(edit->displayText(), "geheim");
}
