#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "tests/app/DrawnPageTest.h"
#include "tests/app/WidgetTestSupport.h"

#include <QFile>
#include <QImage>
#include <QLabel>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

class PageLookTest : public tarvelo::testing::DrawnPageTest {
protected:
    Control& control(const char* name, int index = -1) { return page->form().control(QString::fromLatin1(name), index); }
};

} // namespace

// A term in bold inside a sentence must read as one paragraph, not as three blocks with gaps between them.
TEST_F(PageLookTest, ABoldTermStaysInsideItsParagraph)
{
    open(u"SetupKopEDR"_s, 800);
    auto& sentence = static_cast<Label&>(control("lblUitleg", 0));
    EXPECT_FALSE(control("lblUitleg", 1).visible());
    EXPECT_FALSE(control("lblUitleg", 2).visible());
    EXPECT_EQ(static_cast<Label&>(control("lblUitleg", 1)).caption(), u"Ken uw klant"_s);
    auto* drawn = qobject_cast<QLabel*>(view->widgetOf(sentence));
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->textFormat(), Qt::RichText);
    EXPECT_TRUE(drawn->text().contains(u"invulling aan het <b>Ken uw klant</b> principe, uw zorgplicht"_s))
        << drawn->text().toStdString();
    // The box holds the whole paragraph, and not much more.
    const int needed = drawn->heightForWidth(drawn->width());
    EXPECT_GE(drawn->height(), needed);
    EXPECT_LE(drawn->height(), needed + 2 * drawn->fontMetrics().lineSpacing());
}

// The demo office has branches, so the branch choice of the search screen must be offered.
TEST_F(PageLookTest, TheDemoOfficeWorksWithBranches)
{
    EXPECT_TRUE(host->WerktMetVestigingen());
    open(u"SetupZoekscherm"_s);
    EXPECT_TRUE(control("optTonenAdviezen", 1).visible());
    host->setWerktMetVestigingen(false);
    EXPECT_FALSE(host->WerktMetVestigingen());
}

// Without a logo of its own an office sees the program's logo, so the default must be a real picture.
TEST_F(PageLookTest, TheProgramHasADefaultLogo)
{
    const QString logo = host->DefaultLogo();
    ASSERT_TRUE(QFile::exists(logo)) << logo.toStdString();
    const QImage picture(logo);
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), 3 * picture.height()) << "as wide as the logo's place on the page";
    EXPECT_TRUE(QFile(logo).permissions() & QFileDevice::WriteOwner) << "the office may replace it";
}

// Company names are cut in a narrow list: the companies' lists must take the room a wider pane gives.
TEST_F(PageLookTest, TheCompanyListsGrowWithThePane)
{
    open(u"MijOverzicht"_s, 640);
    const int narrow = control("lvwMaatschappij").width();
    const int narrowAgents = control("lvwAgentnummers").width();
    open(u"MijOverzicht"_s, 1000);
    EXPECT_GT(control("lvwMaatschappij").width(), narrow + 2000);
    EXPECT_GT(control("lvwAgentnummers").width(), narrowAgents + 2000);
    EXPECT_LE(control("fraAgentummersUitwisselen").right(), page->form().width());
}
