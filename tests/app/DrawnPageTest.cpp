#include "tests/app/DrawnPageTest.h"

#include "app/WindowPages.h"
#include "app/render/QtConversions.h"
#include "framework/page/PageRegistry.h"

#include <QFontMetrics>

namespace tarvelo::testing {

int MeasuringUi::textWidth(const QString& text, const Font& font) const
{
    return QFontMetrics(toQFont(font)).horizontalAdvance(text) * twipsPerPixelX();
}

void DrawnPageTest::SetUp()
{
    widgetApplication();
    host = std::make_unique<ReferenceApplication>(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    host->setShowErrorsToUser(false);
}

void DrawnPageTest::open(const QString& className, int paneWidth)
{
    view.reset();
    page = openWindowPage(std::as_const(*host).pageRegistry(), className, *host);
    ASSERT_NE(page, nullptr) << className.toStdString();
    if (paneWidth > 0)
        page->form().setWidth(paneWidth * ui.twipsPerPixelX());
    view = std::make_unique<FormView>(page->form(), screenScale(ui));
    view->show();
    view->flushPending();
    runEvents();
}

} // namespace tarvelo::testing
