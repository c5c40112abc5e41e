#pragma once

#include "app/render/FormView.h"
#include "framework/page/SettingsPage.h"
#include "host/ReferenceApplication.h"
#include "tests/app/WidgetTestSupport.h"

#include <QTemporaryDir>
#include <memory>

namespace tarvelo::testing {

// A StrictUi that measures texts as the screen draws them, so that pages lay
// themselves out as in the window.
class MeasuringUi : public StrictUi {
public:
    int textWidth(const QString& text, const Font& font) const override;
};

// The demo office in a temporary folder, and one of its pages drawn as the
// settings window draws it.
class DrawnPageTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Opens the page as the window does, at the pane's width in pixels (0:
    // the page's own width), draws it and lets it settle.
    void open(const QString& className, int paneWidth = 0);

    QTemporaryDir dir;
    MeasuringUi ui;
    std::unique_ptr<ReferenceApplication> host;
    std::unique_ptr<SettingsPage> page;
    std::unique_ptr<FormView> view;
};

} // namespace tarvelo::testing
