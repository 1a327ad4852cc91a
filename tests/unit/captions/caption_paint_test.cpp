// Painting of the four kinds through the simulated surface.
#include <gtest/gtest.h>

#include "captions/caption_paint.h"
#include "unit/captions/caption_rig.h"

namespace vexa::captions::test {
namespace {

constexpr int kGlyphW = 10;
const ButtonColours kColours;

// A control created with uniform 10-pixel glyphs, painted into its window.
struct PaintRig : CaptionRig {
    explicit PaintRig(CaptionKind kind) : CaptionRig(kind) {
        simFonts.SetWidths("Roman", sim::SimFonts::Uniform(kGlyphW));
        platform.paths.SetSystemDirectory("/nonexistent");  // English: one glyph per byte
        LoadFresh();
        logic.Props().caption = logic.Props().text = "Abc";
        Create();
    }
    const sim::SimScreen& Paint(const ButtonState& state) {
        auto surface = window.GetSurface();
        PaintCaption(*surface, fonts, "English", logic.DrawRun(), window.ClientRect(),
                     logic.WindowStyle(), state, kColours);
        return window.Screen();
    }
    int TextTop() const { return (30 - fonts.Description(common::FontSlot::Script).height) / 2; }
};

TEST(CaptionPaintTest, CheckBoxCaptionBesideTheBoxOnEitherSide) {
    PaintRig rig(CaptionKind::CheckBox);
    const sim::SimScreen& right = rig.Paint({});
    auto row = right.GlyphsOnRow(rig.TextTop());
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0].x, 17);  // a 13-pixel box and a 4-pixel gap
    EXPECT_EQ(row[0].face, "Roman");
    EXPECT_EQ(right.BackgroundAt(6, 15), kColours.window);  // inside the empty box
    EXPECT_EQ(right.BackgroundAt(60, 2), kColours.face);

    rig.logic.SetValue(1);
    rig.Paint({.check = rig.logic.CheckState()});
    EXPECT_EQ(rig.window.Screen().BackgroundAt(8, 13), kColours.text);  // the tick

    rig.logic.SetAlignment(0);
    const sim::SimScreen& left = rig.Paint({});
    row = left.GlyphsOnRow(rig.TextTop());
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0].x, 160 - 17 - 3 * kGlyphW);
    EXPECT_EQ(left.BackgroundAt(160 - 6, 15), kColours.window);  // the box on the right
}

TEST(CaptionPaintTest, RadioDotPushButtonFrameAndGroupBoxFrame) {
    PaintRig radio(CaptionKind::RadioButton);
    radio.Paint({});
    EXPECT_EQ(radio.window.Screen().BackgroundAt(6, 15), kColours.window);
    radio.Paint({.check = 1});
    EXPECT_EQ(radio.window.Screen().BackgroundAt(6, 15), kColours.text);

    PaintRig push(CaptionKind::PushButton);
    const sim::SimScreen& up = push.Paint({});
    auto row = up.GlyphsOnRow(push.TextTop());
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0].x, (160 - 30) / 2);  // centred
    EXPECT_EQ(up.BackgroundAt(0, 0), kColours.highlight);
    EXPECT_EQ(up.BackgroundAt(159, 29), kColours.darkShadow);
    const sim::SimScreen& down = push.Paint({.pressed = true});
    EXPECT_EQ(down.GlyphsOnRow(push.TextTop() + 1)[0].x, (160 - 30) / 2 + 1);
    EXPECT_EQ(down.BackgroundAt(159, 29), kColours.shadow);

    // A push-like check box looks pressed while checked.
    PaintRig pushLike(CaptionKind::CheckBox);
    pushLike.logic.SetPushLike(true);
    EXPECT_EQ(pushLike.Paint({.check = 1}).BackgroundAt(159, 29), kColours.shadow);

    PaintRig group(CaptionKind::GroupBox);
    const sim::SimScreen& g = group.Paint({});
    const int h = group.fonts.Description(common::FontSlot::Script).height;
    row = g.GlyphsOnRow(0);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0].x, 8);
    EXPECT_EQ(g.BackgroundAt(2, h / 2), kColours.shadow);  // the frame's top edge
    EXPECT_EQ(g.BackgroundAt(12, h / 2), kColours.face);   // broken by the caption
    EXPECT_EQ(g.BackgroundAt(80, 20), kColours.face);      // the whole area filled
}

// The states the container and the user give a button: the focus (a dotted
// frame), the default button (a dark outer frame), and disabled (grey text,
// an empty box).
TEST(CaptionPaintTest, FocusedDefaultAndDisabledStates) {
    PaintRig push(CaptionKind::PushButton);
    const sim::SimScreen& focused = push.Paint({.focused = true});
    EXPECT_EQ(focused.BackgroundAt(3, 3), kColours.text);  // the dotted frame, 3 pixels in
    EXPECT_EQ(focused.BackgroundAt(4, 3), kColours.face);  // dotted: every other pixel
    EXPECT_EQ(push.Paint({}).BackgroundAt(3, 3), kColours.face);
    const sim::SimScreen& byDefault = push.Paint({.isDefault = true});
    EXPECT_EQ(byDefault.BackgroundAt(0, 0), kColours.darkShadow);
    EXPECT_EQ(byDefault.BackgroundAt(1, 1), kColours.highlight);  // the bevel moves in by one
    const sim::SimScreen& disabled = push.Paint({.enabled = false});
    const auto row = disabled.GlyphsOnRow(push.TextTop());
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0].colour, kColours.grayText);

    PaintRig check(CaptionKind::CheckBox);
    check.logic.SetValue(1);
    const sim::SimScreen& greyed = check.Paint({.check = 1, .enabled = false});
    EXPECT_EQ(greyed.BackgroundAt(8, 13), kColours.grayText);  // the tick
    EXPECT_EQ(greyed.GlyphsOnRow(check.TextTop())[0].colour, kColours.grayText);
    EXPECT_EQ(check.Paint({.enabled = false}).BackgroundAt(6, 15), kColours.face);  // not white
    // The focus frames the caption, one pixel around it.
    const sim::SimScreen& focusedCheck = check.Paint({.focused = true});
    EXPECT_EQ(focusedCheck.BackgroundAt(16, check.TextTop() - 1), kColours.text);
}

// At 144 DPI the hand-drawn parts grow by half with the text: a 20-pixel
// box and a 6-pixel gap, the tick and the dot inside the larger box.
TEST(CaptionPaintTest, BoxTickDotAndGapScaleWithTheDisplayResolution) {
    PaintRig check(CaptionKind::CheckBox);
    check.window.SetDpi(144);
    check.logic.SetValue(1);
    const sim::SimScreen& big = check.Paint({.check = 1});
    ASSERT_FALSE(big.GlyphsOnRow(check.TextTop()).empty());
    EXPECT_EQ(big.GlyphsOnRow(check.TextTop())[0].x, 20 + 6);
    const int boxTop = (30 - 20) / 2;
    EXPECT_EQ(big.BackgroundAt(19, boxTop + 10), kColours.highlight);  // the box's right edge
    EXPECT_EQ(big.BackgroundAt(8, boxTop + 12), kColours.text);        // the tick's low point
    EXPECT_EQ(big.BackgroundAt(4, boxTop + 4), kColours.window);       // above it, inside

    PaintRig radio(CaptionKind::RadioButton);
    radio.window.SetDpi(144);
    const sim::SimScreen& dot = radio.Paint({.check = 1});
    EXPECT_EQ(dot.BackgroundAt(9, boxTop + 9), kColours.text);
    EXPECT_EQ(dot.BackgroundAt(5, boxTop + 9), kColours.window);  // ring to dot: window colour
}

}  // namespace
}  // namespace vexa::captions::test
