#include "app/CommandLine.h"
#include "app/PageRenderer.h"
#include "app/SettingsWindow.h"
#include "framework/errors/RuntimeError.h"
#include "framework/page/PageRegistry.h"
#include "framework/registry/Registry.h"
#include "host/ReferenceApplication.h"
#include "pages/general/SetupProxy.h"
#include "pages/general/SetupUpdates.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/PageTest.h"

#include <QImage>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::StrictUi;
using tarvelo::testing::widgetApplication;

namespace {

// Catches a window picture that cannot be asked for, or that swallows --page
// for the other renders: only "--render window" takes a page, in any case.
TEST(WindowRenderTest, CommandLineAsksForTheWindowWithAPage)
{
    const CommandLine window = CommandLine::parse({"--render", "Window", "--out", "png", "--page", "SetupUpdates"});
    EXPECT_EQ(window.error, QString());
    EXPECT_TRUE(window.rendersWindow());
    EXPECT_EQ(window.page, u"SetupUpdates"_s);

    const CommandLine pages = CommandLine::parse({"--render", "all", "--out", "png"});
    EXPECT_EQ(pages.error, QString());
    EXPECT_FALSE(pages.rendersWindow());

    const CommandLine both = CommandLine::parse({"--render", "SetupProxy", "--out", "png", "--page", "SetupUpdates"});
    EXPECT_FALSE(both.error.isEmpty());
    EXPECT_TRUE(CommandLine::helpText(QString()).contains(u"--render window"_s));
}

// Catches a window picture at the small offscreen screen's size, or without
// the page asked for: the picture has the window's first size; the page
// shown is remembered as the closed window remembers it, and a picture
// without a page named shows the last one used.
TEST(WindowRenderTest, DrawsTheWindowAtItsFirstSizeAndReopensOnTheLastPage)
{
    widgetApplication();
    QTemporaryDir dir;
    StrictUi ui;
    PageRegistry registry;
    registry.add<SetupProxy>(PageGroup::Algemeen);
    registry.add<SetupUpdates>(PageGroup::Algemeen);
    ReferenceApplication host(ui, dir.path());

    const QString file = PageRenderer::renderWindow(registry, host, u"SetupUpdates"_s, dir.filePath("png"));
    EXPECT_EQ(file, QDir(dir.filePath("png")).absoluteFilePath(u"frmInstellingen.png"_s));
    const QImage picture(file);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), SettingsWindow::defaultSize());
    // The page shown is the one the window opens on next, for this user.
    const auto lastPage = [&] {
        return host.registry().RegGetString(Hive::HKEY_CURRENT_USER, u"Software\\Tarvelo\\InstellingenVenster"_s,
                                            u"Pagina"_s, u"niets"_s);
    };
    EXPECT_EQ(lastPage(), u"SetupUpdates"_s);

    const QImage proxy(PageRenderer::renderWindow(registry, host, u"SetupProxy"_s, dir.filePath("png")));
    EXPECT_EQ(proxy.size(), picture.size());
    EXPECT_NE(proxy, picture) << "the page asked for is the one drawn";
    EXPECT_EQ(lastPage(), u"SetupProxy"_s);
    // Without a page named the window reopens on the last one used.
    EXPECT_EQ(QImage(PageRenderer::renderWindow(registry, host, QString(), dir.filePath("png"))), proxy);

    EXPECT_THROW(PageRenderer::renderWindow(registry, host, u"SetupVerdwenen"_s, dir.filePath("png")), RuntimeError);
}

} // namespace
