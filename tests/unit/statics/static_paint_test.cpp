// Painting of the label through the simulated surface: background, text
// colour, alignment and lines.
#include <gtest/gtest.h>

#include "statics/design_host.h"
#include "statics/static_paint.h"
#include "unit/statics/static_rig.h"

namespace vexa::statics::test {
namespace {

constexpr int kGlyphW = 10;

// An English-only control (no converters) with uniform 10-pixel glyphs.
struct PaintRig : StaticRig {
    PaintRig() : StaticRig("/nonexistent") {
        simFonts.SetWidths("Roman", sim::SimFonts::Uniform(kGlyphW));
        LoadFresh();
        platform.messages.SetDefaultAnswer(platform::MessageAnswer::Yes);
        Create();
    }
    const sim::SimScreen& Paint() {
        auto surface = window.GetSurface();
        const std::uint32_t colour = logic.ChooseForeColor();
        PaintStatic(*surface, fonts, "English", logic.DisplayRuns(), window.ClientRect(),
                    logic.Props().alignment, 0xC0C0C0, colour);
        return window.Screen();
    }
    int LineStep() const { return fonts.Description(common::FontSlot::Script).height; }
};

TEST(StaticPaintTest, EachAlignmentPlacesTheLineAndAnyOtherValueIsRight) {
    const std::pair<std::int16_t, int> cases[] = {{0, 0}, {1, (200 - 30) / 2}, {2, 170}, {5, 170}, {-1, 170}};
    for (const auto& [alignment, x] : cases) {
        PaintRig rig;
        ASSERT_FALSE(rig.logic.AssignCaption("Abc"));
        rig.logic.SetAlignment(alignment);
        auto row = rig.Paint().GlyphsOnRow(0);
        ASSERT_EQ(row.size(), 3u) << alignment;
        EXPECT_EQ(row[0].x, x) << alignment;
        EXPECT_EQ(row[0].face, "Roman");
    }
}

TEST(StaticPaintTest, BackgroundThenTheTextColourOfTheLinkStateFromTheTop) {
    PaintRig rig;
    ASSERT_FALSE(rig.logic.AssignCaption("Ab"));
    const sim::SimScreen& plain = rig.Paint();
    EXPECT_EQ(plain.BackgroundAt(150, 30), 0xC0C0C0u);
    ASSERT_EQ(plain.GlyphsOnRow(0).size(), 2u);  // drawn from the top, not centred
    EXPECT_EQ(plain.GlyphsOnRow(0)[0].colour, 0u);
    EXPECT_TRUE(plain.GlyphsOnRow(0)[0].transparent);

    rig.logic.SetIsUrl(true);
    EXPECT_EQ(rig.Paint().GlyphsOnRow(0)[0].colour, kLinkColour);
    rig.Move({5, 5});
    EXPECT_EQ(rig.Paint().GlyphsOnRow(0)[0].colour, kHighlight);
}

TEST(StaticPaintTest, LineBreaksStartNewRowsEachAlignedByItself) {
    PaintRig rig;
    ASSERT_FALSE(rig.logic.AssignCaption("Abcd\r\nE\nFg"));
    rig.logic.SetAlignment(2);
    const sim::SimScreen& screen = rig.Paint();
    const int step = rig.LineStep();
    ASSERT_GT(step, 0);
    EXPECT_EQ(screen.RowCodes(0), "Abcd");
    // The 40-pixel window shows the rows that start inside it.
    if (step < 40) {
        ASSERT_EQ(screen.GlyphsOnRow(step).size(), 1u);
        EXPECT_EQ(screen.GlyphsOnRow(step)[0].x, 190);
    }
    EXPECT_EQ(rig.logic.DisplayRuns(), (std::vector<std::string>{"Abcd", "E", "Fg"}));
}

}  // namespace
}  // namespace vexa::statics::test

namespace vexa::statics::test {
namespace {

TEST(StaticDesignHostTest, OnlyTheDevelopmentEnvironmentGetsTheStandardPaintingAfterward) {
    const std::string ide = "Project1 - Microsoft Development Environment [design]";
    EXPECT_TRUE(StandardPaintFollows(ide, OsVersion{2, 5, 1}));   // the NT line
    EXPECT_TRUE(StandardPaintFollows(ide, OsVersion{1, 4, 0}));   // Windows 95
    EXPECT_FALSE(StandardPaintFollows(ide, OsVersion{1, 4, 10}));  // Windows 98
    EXPECT_FALSE(StandardPaintFollows(ide, OsVersion{1, 5, 0}));
    EXPECT_FALSE(StandardPaintFollows(ide, std::nullopt));          // version unreadable
    EXPECT_FALSE(StandardPaintFollows("Form1 - Visual Basic", OsVersion{2, 5, 1}));
    // Only the first 99 characters of the title are read.
    EXPECT_FALSE(StandardPaintFollows(std::string(80, ' ') + ide, OsVersion{2, 5, 1}));
}

}  // namespace
}  // namespace vexa::statics::test
