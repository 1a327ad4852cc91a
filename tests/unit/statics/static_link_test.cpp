// The hyperlink's mouse rules: hover, link and visited colours, the
// capture, and which presses and releases follow the link or fire Click.
#include <gtest/gtest.h>

#include "unit/statics/static_rig.h"

namespace vexa::statics::test {
namespace {

constexpr platform::Point kInside{20, 10};
constexpr platform::Point kOutside{250, 10};
const std::string kAddress = "https://example.org/namaste?lang=hi#top";

struct LinkRig : StaticRig {
    LinkRig() {
        LoadFresh();
        logic.SetIsUrl(true);
        logic.SetUrl(kAddress);
        Create();
    }
};

TEST(StaticLinkTest, ColoursGoFromLinkToHoverToVisitedAndForeColorKeepsTheOneUsed) {
    LinkRig rig;
    EXPECT_EQ(rig.logic.ChooseForeColor(), kLinkColour);
    EXPECT_EQ(rig.logic.Props().foreColor, kLinkColour);

    rig.Move(kInside);
    EXPECT_TRUE(rig.capture);
    EXPECT_TRUE(rig.logic.Link().Hover());
    ASSERT_EQ(rig.colourAtRedraw.size(), 1u);
    EXPECT_EQ(rig.colourAtRedraw.back(), kHighlight);  // the highlight read at construction
    EXPECT_EQ(rig.logic.Props().foreColor, kHighlight);

    rig.Move(kOutside);
    EXPECT_FALSE(rig.capture);
    EXPECT_EQ(rig.colourAtRedraw.back(), kLinkColour);  // redrawn at once on leaving

    rig.Move(kInside);
    rig.Click(kInside);
    EXPECT_EQ(rig.launcher.opened, std::vector<std::string>{kAddress});
    EXPECT_TRUE(rig.logic.Link().Visited());
    rig.Move(kOutside);
    EXPECT_EQ(rig.colourAtRedraw.back(), kVisitedColour);
    rig.logic.SetHoverColor(0x123456);
    rig.Move(kInside);
    EXPECT_EQ(rig.colourAtRedraw.back(), 0x123456u);  // takes effect at the next paint
}

TEST(StaticLinkTest, EveryClickOpensTheAddressOnceAndAFailedOpenStillVisits) {
    LinkRig rig;
    rig.launcher.succeed = false;
    rig.Click(kInside);
    EXPECT_TRUE(rig.logic.Link().Visited());
    rig.launcher.succeed = true;
    rig.Click(kInside);
    rig.Click({199, 39});  // the last pixel inside
    EXPECT_EQ(rig.launcher.opened.size(), 3u);
    EXPECT_EQ(rig.clicks, 0);  // a hyperlink fires no Click
    EXPECT_TRUE(rig.launcher.refused.empty());
}

TEST(StaticLinkTest, APressOutsideUnderTheHoverCaptureOnlyEndsTheHover) {
    for (bool isUrl : {true, false}) {
        LinkRig rig;
        rig.logic.SetIsUrl(isUrl);
        rig.Move(kInside);
        ASSERT_TRUE(rig.capture);
        const bool passOn = rig.logic.ButtonDown({-3, 5}, rig.window.ClientRect());
        rig.logic.ButtonUp({-3, 5}, rig.window.ClientRect());
        EXPECT_FALSE(passOn);
        EXPECT_FALSE(rig.capture);
        EXPECT_FALSE(rig.logic.Link().Hover());
        EXPECT_EQ(rig.clicks, 0);
        EXPECT_TRUE(rig.launcher.opened.empty());
    }
}

TEST(StaticLinkTest, DraggingOutOrReleasingElsewhereFollowsNothing) {
    LinkRig rig;
    const platform::Rect client = rig.window.ClientRect();
    // Pressed inside, released outside.
    rig.logic.ButtonDown(kInside, client);
    rig.Move(kOutside, true);
    rig.logic.ButtonUp(kOutside, client);
    // Pressed inside, dragged out and back in, released inside.
    rig.logic.ButtonDown(kInside, client);
    rig.Move(kOutside, true);
    rig.Move(kInside, true);
    rig.logic.ButtonUp(kInside, client);
    // Pressed elsewhere and released here.
    rig.logic.ButtonUp(kInside, client);
    // Pressed inside, the release went to another window: the next move
    // has the button up.
    rig.logic.ButtonDown(kInside, client);
    rig.Move(kInside, false);
    rig.logic.ButtonUp(kInside, client);
    // Pressed inside, another window took the capture.
    rig.logic.ButtonDown(kInside, client);
    rig.logic.CaptureLost();
    EXPECT_FALSE(rig.logic.Link().Hover());
    rig.logic.ButtonUp(kInside, client);
    EXPECT_TRUE(rig.launcher.opened.empty());
    EXPECT_FALSE(rig.logic.Link().Visited());
    // Turned off between press and release.
    rig.logic.ButtonDown(kInside, client);
    rig.logic.SetIsUrl(false);
    rig.logic.ButtonUp(kInside, client);
    EXPECT_TRUE(rig.launcher.opened.empty());
}

TEST(StaticLinkTest, OutsideLinkModeAPressFiresClickAndHoverStillTakesTheCapture) {
    StaticRig rig;
    rig.LoadFresh();
    rig.logic.SetUrl(kAddress);
    rig.Create();
    rig.Move(kInside);
    EXPECT_TRUE(rig.capture);
    EXPECT_EQ(rig.logic.ChooseForeColor(), 0u);  // no visible change
    rig.Click(kInside);
    EXPECT_EQ(rig.clicks, 1);
    EXPECT_TRUE(rig.launcher.opened.empty());
    rig.Move(kOutside);
    EXPECT_FALSE(rig.capture);
}

TEST(StaticLinkTest, UnderlineNeedsLinkModeAndWaitsForTheNextFontBuild) {
    StaticRig rig;
    rig.LoadFresh();
    rig.logic.SetUnderline(true);
    rig.Create();
    EXPECT_FALSE(rig.fonts.Description(common::FontSlot::Script).underline);
    rig.logic.SetIsUrl(true);
    EXPECT_FALSE(rig.fonts.Description(common::FontSlot::Script).underline);
    EXPECT_EQ(rig.logic.ChooseForeColor(), kLinkColour);  // colours at once
    rig.logic.SetFontSize(20);
    EXPECT_TRUE(rig.fonts.Description(common::FontSlot::Script).underline);
    EXPECT_TRUE(rig.fonts.Description(common::FontSlot::English).underline);
}

}  // namespace
}  // namespace vexa::statics::test
