#include "app/HostSettingsWindow.h"
#include "framework/host/Settings.h"
#include "framework/settings/ProxySettings.h"
#include "host/ReferenceApplication.h"
#include "tests/app/WidgetTestSupport.h"

#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::StrictUi;
using tarvelo::testing::widgetApplication;

namespace {

int coloursIn(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

} // namespace

// Catches a window for hosts that opens another page than asked, draws
// nothing, or stores otherwise than through its host's saveSettings.
TEST(HostSettingsWindow, OpensThePageAskedForAndStoresThroughItsHost)
{
    widgetApplication();
    QTemporaryDir dir;
    StrictUi ui;
    {
        ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
        HostSettingsWindow window(host);
        window.widget()->resize(900, 600);
        ASSERT_TRUE(window.show(u"SetupProxy"_s));
        EXPECT_EQ(window.currentPage(), u"SetupProxy"_s);
        EXPECT_FALSE(window.showPage(u"GeenPagina"_s));
        EXPECT_EQ(window.currentPage(), u"SetupProxy"_s);
        const QImage picture = window.picture();
        EXPECT_EQ(picture.size(), QSize(900, 600));
        EXPECT_GT(coloursIn(picture), 10);

        host.SettingsObject().get<ProxySettings>().ProxyAdres = u"proxy.kantoor.nl:8080"_s;
        EXPECT_EQ(window.result(), HostSettingsWindow::Result::Open);
        EXPECT_TRUE(window.save());
        EXPECT_EQ(window.result(), HostSettingsWindow::Result::Saved);
    }
    ReferenceApplication again(ui, dir.path());
    EXPECT_EQ(again.SettingsObject().get<ProxySettings>().ProxyAdres.get(), u"proxy.kantoor.nl:8080"_s);
}

// Catches "Annuleren" in a host's window that keeps what the user changed.
TEST(HostSettingsWindow, CancelLeavesWhatIsStored)
{
    widgetApplication();
    QTemporaryDir dir;
    StrictUi ui;
    ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    {
        HostSettingsWindow window(host);
        ASSERT_TRUE(window.show(u"SetupProxy"_s));
        host.SettingsObject().get<ProxySettings>().ProxyAdres = u"ander.kantoor.nl:3128"_s;
        window.cancel();
        EXPECT_EQ(window.result(), HostSettingsWindow::Result::Cancelled);
    }
    EXPECT_EQ(host.SettingsObject().get<ProxySettings>().ProxyAdres.get(), QString());
    EXPECT_FALSE(host.hasUnsavedChanges());
}
