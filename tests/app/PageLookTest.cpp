#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "tests/app/DrawnPageTest.h"
#include "tests/app/WidgetTestSupport.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTextLayout>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

class PageLookTest : public tarvelo::testing::DrawnPageTest {
protected:
    Control& control(const char* name, int index = -1)
    {
        return page->form().control(QString::fromLatin1(name), index);
    }
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

// Catches an office note that breaks its telephone number across two lines
// at some pane width.
TEST_F(PageLookTest, TheTelephoneNumberInTheOfficeNoteStaysOnOneLine)
{
    for (int pane : {300, 360, 420, 480, 560, 640, 760, 1000}) {
        open(u"KantoorGegevens"_s, pane);
        const auto* note = qobject_cast<const QLabel*>(view->widgetOf(control("lblNoot")));
        ASSERT_NE(note, nullptr);
        const QString text = note->text();
        const qsizetype start = text.indexOf(u"020"_s);
        const qsizetype end = text.indexOf(u"67"_s, start) + 2;
        ASSERT_GT(start, 0);
        QTextLayout layout(text, note->font());
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(note->contentsRect().width());
            const qsizetype lineEnd = line.textStart() + line.textLength();
            EXPECT_FALSE(lineEnd > start && lineEnd < end)
                << "broken at a " << pane
                << "-pixel pane: " << text.mid(line.textStart(), line.textLength()).toStdString();
        }
        layout.endLayout();
    }
}

// Company names are cut in a narrow list: the companies' lists must take the
// room a wider pane gives, and where two columns leave them too little, the
// columns stack and the lists take the whole pane.
TEST_F(PageLookTest, TheCompanyListsGrowWithThePane)
{
    constexpr int NaturalList = 5325 - 2 * 180 - 2 * 180;
    open(u"MijOverzicht"_s, 640);
    EXPECT_EQ(control("fraAgentummersUitwisselen").left(), 0) << "one column";
    EXPECT_GT(control("fraAgentummersUitwisselen").top(), control("fraAgentnummers").bottom());
    EXPECT_GT(control("lvwMaatschappij").width(), 640 * 15 - 1000);
    open(u"MijOverzicht"_s, 1000);
    EXPECT_GT(control("fraAgentummersUitwisselen").left(), 0) << "two columns";
    EXPECT_GT(control("lvwMaatschappij").width(), NaturalList + 2000);
    EXPECT_GT(control("lvwAgentnummers").width(), NaturalList + 2000);
    EXPECT_LE(control("fraAgentummersUitwisselen").right(), page->form().width());
}
