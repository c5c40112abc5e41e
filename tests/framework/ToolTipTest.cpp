#include "framework/forms/Form.h"
#include "framework/forms/TextBox.h"
#include "framework/tooltip/CToolTip.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tarvelo;

// Catches a wrong window style or tool flags for the balloon and centred variants.
TEST(ToolTip, CreateComputesWindowStyleAndToolFlags)
{
    Form form("SetupHdn");
    auto& box = form.add<TextBox>(form, u"txtCertificaat"_s);
    struct Case {
        ttStyleEnum style;
        bool centered;
        int windowStyle;
        int toolFlags;
    };
    const std::vector<Case> cases{
        {ttStyleEnum::TTStandard, false, 3, 17},
        {ttStyleEnum::TTBalloon, false, 67, 17},
        {ttStyleEnum::TTStandard, true, 3, 19},
        {ttStyleEnum::TTBalloon, true, 67, 19},
    };
    for (const Case& c : cases) {
        CToolTip tip;
        EXPECT_FALSE(tip.IsCreated());
        EXPECT_EQ(tip.DelayTime(), 500);
        EXPECT_EQ(tip.VisibleTime(), 5000);
        tip.setStyle(c.style);
        tip.setCentered(c.centered);
        EXPECT_TRUE(tip.Create(box));
        EXPECT_TRUE(tip.IsCreated());
        EXPECT_EQ(tip.WindowStyle(), c.windowStyle);
        EXPECT_EQ(tip.ToolFlags(), c.toolFlags);
        EXPECT_EQ(tip.window()->tool, &box);
        EXPECT_EQ(tip.window()->isBalloon(), c.style == ttStyleEnum::TTBalloon);
        EXPECT_EQ(tip.window()->isCentered(), c.centered);
    }
}

// Catches a title line that needs both a title and an icon, or that appears with neither.
TEST(ToolTip, ATitleOrAnIconAloneShowsTheTitleLine)
{
    Form form("SetupHdn");
    auto& box = form.add<TextBox>(form, u"txtCertificaat"_s);
    struct Case {
        QString title;
        ttIconType icon;
        bool showsTitle;
    };
    const std::vector<Case> cases{
        {"Certificaat", ttIconType::TTNoIcon, true},
        {"", ttIconType::TTIconWarning, true},
        {"Certificaat", ttIconType::TTIconError, true},
        {"", ttIconType::TTNoIcon, false},
    };
    for (const Case& c : cases) {
        CToolTip tip;
        tip.setTitle(c.title);
        tip.setIcon(c.icon);
        tip.Create(box);
        EXPECT_EQ(tip.window()->showsTitle, c.showsTitle) << c.title.toStdString() << int(c.icon);
        EXPECT_EQ(tip.window()->title, c.title);
        EXPECT_EQ(tip.window()->icon, c.icon);
    }
}

// Catches values set before Create that are lost, changes on a created tip that do not reach it at once,
// and times or style that change a live tip instead of waiting for the next Create.
TEST(ToolTip, WhatTakesEffectAtOnceAndWhatAtTheNextCreate)
{
    Form form("SetupHdn");
    auto& box = form.add<TextBox>(form, u"txtCertificaat"_s);
    CToolTip tip;
    int notices = 0;
    tip.setObserver([&](const CToolTip&) { ++notices; });
    tip.setTipText("/data/certificaat.pfx");
    tip.setDelayTime(200);
    tip.setVisibleTime(9000);
    tip.setBackColor(0xE1FFFF);
    EXPECT_EQ(notices, 0);
    ASSERT_TRUE(tip.Create(box));
    EXPECT_EQ(notices, 1);
    const ToolTipWindow* window = &*tip.window();
    EXPECT_EQ(window->text, "/data/certificaat.pfx");
    EXPECT_EQ(window->initialDelay, 200);
    EXPECT_EQ(window->autoPop, 9000);
    EXPECT_EQ(window->backColor, std::optional<Colour>(0xE1FFFF));
    EXPECT_FALSE(window->foreColor.has_value());
    EXPECT_FALSE(window->showsTitle);

    tip.setTipText("/data/ander.pfx");
    tip.setForeColor(rgb(187, 5, 16));
    tip.setTitle("Certificaat");
    tip.setIcon(ttIconType::TTIconInfo);
    tip.setDelayTime(1000);
    tip.setVisibleTime(1000);
    tip.setStyle(ttStyleEnum::TTBalloon);
    window = &*tip.window();
    EXPECT_EQ(notices, 5);
    EXPECT_EQ(window->text, "/data/ander.pfx");
    EXPECT_EQ(window->foreColor, std::optional<Colour>(rgb(187, 5, 16)));
    EXPECT_TRUE(window->showsTitle);
    EXPECT_EQ(window->title, "Certificaat");
    EXPECT_EQ(window->icon, ttIconType::TTIconInfo);
    EXPECT_EQ(window->initialDelay, 200);
    EXPECT_EQ(window->autoPop, 9000);
    EXPECT_EQ(tip.WindowStyle(), 3);

    tip.Create(box);
    window = &*tip.window();
    EXPECT_EQ(window->initialDelay, 1000);
    EXPECT_EQ(window->autoPop, 1000);
    EXPECT_EQ(tip.WindowStyle(), 67);
    EXPECT_EQ(window->text, "/data/ander.pfx");
}

// Catches a tip whose window outlives Destroy or the tip itself, so a renderer would keep showing it.
TEST(ToolTip, DestroyAndReleaseTakeTheWindowAway)
{
    Form form("SetupHdn");
    auto& box = form.add<TextBox>(form, u"txtCertificaat"_s);
    std::vector<bool> seen;
    {
        CToolTip tip;
        tip.setObserver([&](const CToolTip& t) { seen.push_back(t.IsCreated()); });
        tip.Destroy();
        EXPECT_TRUE(seen.empty());
        tip.Create(box);
        tip.Destroy();
        EXPECT_FALSE(tip.IsCreated());
        EXPECT_FALSE(tip.window().has_value());
        EXPECT_EQ(tip.WindowStyle(), 0);
        tip.setTipText("na Destroy");
        EXPECT_EQ(seen, std::vector<bool>({true, false}));
        tip.Create(box);
        EXPECT_EQ(tip.window()->text, "na Destroy");
        tip.Create(box); // a second Create replaces the first window
        EXPECT_EQ(seen, std::vector<bool>({true, false, true, false, true}));
    }
    EXPECT_EQ(seen.back(), false);
    EXPECT_EQ(seen.size(), 6u);
}
