#include <gtest/gtest.h>

#include "unit/edit/edit_rig.h"

namespace vexa::edit::test {
namespace {

class MouseTest : public ::testing::Test {
protected:
    explicit MouseTest(EditStyle style = EditRig::MultiLineWrapped()) : rig(style) {}
    void Click(int x, int y, bool shift = false) {
        const unsigned flags = kMouseLeft | (shift ? kMouseShift : 0);
        rig.window.SetLeftButton(true);
        rig.engine.OnLButtonDown(flags, {x, y});
        rig.window.SetLeftButton(false);
        rig.engine.OnLButtonUp(shift ? kMouseShift : 0, {x, y});
    }
    EditRig rig;
};

TEST_F(MouseTest, AClickPutsTheCaretOnTheNearerSideOfASyllableAndATieBeforeIt) {
    // Two syllables of 16 pixels each.
    rig.engine.SetText(Bytes({0xB3, 0xDA, 0xB4, 0xDB}));
    Click(7, 3);
    EXPECT_EQ(rig.B().CaretIndex(), 0u);
    Click(9, 3);
    EXPECT_EQ(rig.B().CaretIndex(), 2u);
    EXPECT_EQ(rig.V().CaretX(), 16);
    Click(8, 3);
    EXPECT_EQ(rig.B().CaretIndex(), 0u);
    Click(31, 3);
    EXPECT_EQ(rig.B().CaretIndex(), 4u);
    Click(250, 3);  // past the end of the line
    EXPECT_EQ(rig.B().CaretIndex(), 4u);
    EXPECT_EQ(rig.window.CaretState().position, (platform::Point{32, 0}));
    EXPECT_TRUE(rig.window.HasFocus());
    EXPECT_FALSE(rig.window.HasCapture());
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(MouseTest, AClickChoosesTheLineUnderThePointAndNeverOneBelowTheText) {
    rig.engine.SetText("abc\rdef\rgh");
    Click(10, rig.H() + 2);
    EXPECT_EQ(rig.B().CaretLine(), 1);
    EXPECT_EQ(rig.B().CaretIndex(), 5u);
    Click(10, 4 * rig.H() + 2);
    EXPECT_EQ(rig.B().CaretLine(), 2);
    EXPECT_EQ(rig.V().CaretY(), 2 * rig.H());
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(MouseTest, AClickOutsideTheTextLeavesTheCaret) {
    rig.engine.SetText("abc");
    rig.Key(keys::kEnd);
    Click(310, 5);
    Click(5, -3);
    EXPECT_EQ(rig.B().CaretIndex(), 3u);
}

TEST_F(MouseTest, ShiftClickSelectsFromTheOldCaretAndFiresSelectedOnRelease) {
    rig.engine.SetText("abcdef");
    Click(15, 5, true);
    EXPECT_EQ(rig.engine.SelStart(), 0);
    EXPECT_EQ(rig.engine.SelLength(), 2);
    EXPECT_EQ(rig.events.selected, 1);
    // The strip under the two letters is inverted.
    EXPECT_EQ(rig.window.Screen().InvertedSpan(5), (std::pair<int, int>{0, 14}));
    Click(30, 5, true);
    EXPECT_EQ(rig.engine.SelLength(), 4);
    EXPECT_EQ(rig.window.Screen().InvertedSpan(5), (std::pair<int, int>{0, 28}));
    EXPECT_EQ(rig.events.selected, 1);
    Click(30, 5);
    EXPECT_FALSE(rig.engine.HasSelection());
    EXPECT_EQ(rig.events.unselected, 1);
    rig.window.RunPendingPaint();
    EXPECT_EQ(rig.window.Screen().InvertedCount(), 0);
}

TEST_F(MouseTest, DraggingSelectsAndReleasingWhereItStartedSelectsNothing) {
    rig.engine.SetText("abcdef\rghijkl");
    rig.Paint();
    rig.window.SetLeftButton(true);
    rig.engine.OnLButtonDown(kMouseLeft, {0, 3});
    EXPECT_TRUE(rig.window.HasCapture());
    EXPECT_TRUE(rig.engine.Dragging());
    rig.engine.OnMouseMove(kMouseLeft, {21, 3});
    EXPECT_EQ(rig.B().CaretIndex(), 3u);
    rig.engine.OnMouseMove(kMouseLeft, {14, rig.H() + 3});
    EXPECT_EQ(rig.B().CaretIndex(), 9u);
    // Row 0 from x 0 to the edge and row 1 up to x 14.
    EXPECT_EQ(rig.window.Screen().InvertedSpan(3), (std::pair<int, int>{0, 300}));
    EXPECT_EQ(rig.window.Screen().InvertedSpan(rig.H() + 3), (std::pair<int, int>{0, 14}));
    rig.window.SetLeftButton(false);
    rig.engine.OnLButtonUp(0, {14, rig.H() + 3});
    EXPECT_EQ(rig.engine.SelStart(), 0);
    EXPECT_EQ(rig.engine.SelLength(), 9);
    EXPECT_EQ(rig.events.selected, 1);
    // A repaint shows the same selection.
    rig.Paint();
    EXPECT_EQ(rig.window.Screen().InvertedSpan(3), (std::pair<int, int>{0, 300}));
    EXPECT_EQ(rig.window.Screen().InvertedSpan(rig.H() + 3), (std::pair<int, int>{0, 14}));

    Click(40, 3);
    Click(40, 3);
    EXPECT_FALSE(rig.engine.HasSelection());
    EXPECT_EQ(rig.events.unselected, 1);
    EXPECT_EQ(rig.events.selected, 1);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(MouseTest, MovesWithoutTheCaptureOrTheButtonDoNothing) {
    rig.engine.SetText("abcdef");
    rig.engine.OnMouseMove(kMouseLeft, {21, 3});
    EXPECT_EQ(rig.B().CaretIndex(), 0u);
    rig.window.SetCapture();
    rig.engine.OnMouseMove(0, {21, 3});
    EXPECT_EQ(rig.B().CaretIndex(), 0u);
}

TEST_F(MouseTest, HoldingTheButtonBelowTheTextKeepsScrollingAndSelecting) {
    std::string text;
    for (int i = 0; i < 10; ++i) text += "line\r";
    rig.engine.SetText(text);
    rig.window.SetLeftButton(true);
    rig.engine.OnLButtonDown(kMouseLeft, {0, 4 * rig.H() + 2});
    EXPECT_EQ(rig.B().CaretLine(), 4);
    rig.window.SetCursor({10, 130});
    rig.engine.OnMouseMove(kMouseLeft, {10, 130});
    EXPECT_EQ(rig.B().CaretLine(), 5);
    EXPECT_EQ(rig.B().TopLine(), 1);
    ASSERT_EQ(rig.window.Posted().size(), 1u);
    // The posted message comes back while the button is held.
    for (int i = 0; i < 3; ++i) {
        auto move = rig.window.Posted().front();
        rig.window.Posted().pop_front();
        rig.engine.OnMouseMove(move.flags, move.point);
    }
    EXPECT_EQ(rig.B().CaretLine(), 8);
    EXPECT_EQ(rig.B().TopLine(), 4);
    EXPECT_EQ(rig.window.Posted().size(), 1u);
    // The last message still moves, then posts nothing once the button is up.
    rig.window.SetLeftButton(false);
    auto move = rig.window.Posted().front();
    rig.window.Posted().pop_front();
    rig.engine.OnMouseMove(move.flags, move.point);
    EXPECT_TRUE(rig.window.Posted().empty());
    EXPECT_EQ(rig.B().CaretLine(), 9);
    rig.engine.OnLButtonUp(0, {10, 130});
    // The caret also followed the mouse one step to the right, to column 1.
    EXPECT_EQ(rig.engine.SelStart(), 20);
    EXPECT_EQ(rig.engine.SelLength(), 26);
    EXPECT_EQ(rig.events.selected, 1);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(MouseTest, TheVerticalBarMovesTheViewByLinesAndPagesWithinTheText) {
    EditStyle style = EditRig::MultiLineWrapped();
    style.vScrollBar = true;
    EditRig r(style);
    std::string text;
    for (int i = 0; i < 12; ++i) text += "line\r";
    r.engine.SetText(text);
    EXPECT_EQ(r.window.Bar(platform::ScrollBar::Vertical).maximum, 12);
    r.engine.OnVScroll(scroll::kLineDown, 0);
    EXPECT_EQ(r.B().TopLine(), 1);
    EXPECT_EQ(r.V().CaretY(), -r.H());
    EXPECT_EQ(r.window.Bar(platform::ScrollBar::Vertical).position, 1);
    r.engine.OnVScroll(scroll::kPageDown, 0);
    EXPECT_EQ(r.B().TopLine(), 6);
    r.engine.OnVScroll(scroll::kThumbTrack, 2);
    EXPECT_EQ(r.B().TopLine(), 6);
    r.engine.OnVScroll(scroll::kThumbPosition, 2);
    EXPECT_EQ(r.B().TopLine(), 2);
    r.engine.OnVScroll(scroll::kPageDown, 0);
    r.engine.OnVScroll(scroll::kPageDown, 0);
    r.engine.OnVScroll(scroll::kPageDown, 0);
    EXPECT_EQ(r.B().TopLine(), 12);
    r.engine.OnVScroll(scroll::kPageUp, 0);
    r.engine.OnVScroll(scroll::kPageUp, 0);
    r.engine.OnVScroll(scroll::kPageUp, 0);
    EXPECT_EQ(r.B().TopLine(), 0);
    EXPECT_EQ(r.V().CaretY(), 0);
    EXPECT_EQ(CheckInvariants(r), "");
    // The rows shown follow the view.
    r.engine.OnVScroll(scroll::kThumbPosition, 3);
    r.Paint();
    EXPECT_EQ(r.window.Screen().RowCodes(0), "line");
    EXPECT_EQ(r.engine.Buffer().TopLineOffset(), 15u);
}

class ScrollingMouseTest : public MouseTest {
protected:
    ScrollingMouseTest() : MouseTest(EditRig::MultiLineScrolling()) {}
};

TEST_F(ScrollingMouseTest, TheHorizontalBarStepsTwentyPixelsOrAWidthWithinTheWidestLine) {
    rig.engine.SetText(std::string(60, 'a') + "\rb");  // 420 pixels wide
    EXPECT_EQ(rig.V().WidestLine(), 420);
    rig.engine.OnHScroll(scroll::kLineDown, 0);
    EXPECT_EQ(rig.V().HScroll(), -20);
    EXPECT_EQ(rig.V().CaretX(), -20);
    EXPECT_EQ(rig.window.Bar(platform::ScrollBar::Horizontal).position, 20);
    rig.engine.OnHScroll(scroll::kPageDown, 0);
    EXPECT_EQ(rig.V().HScroll(), -320);
    rig.engine.OnHScroll(scroll::kPageDown, 0);
    EXPECT_EQ(rig.V().HScroll(), -420);
    rig.engine.OnHScroll(scroll::kLineUp, 0);
    EXPECT_EQ(rig.V().HScroll(), -400);
    rig.engine.OnHScroll(scroll::kThumbPosition, 35);
    EXPECT_EQ(rig.V().HScroll(), -35);
    rig.engine.OnHScroll(scroll::kPageUp, 0);
    EXPECT_EQ(rig.V().HScroll(), 0);
    EXPECT_EQ(CheckInvariants(rig), "");
    // Text drawn after scrolling starts left of the window: the first ten
    // glyphs are out of sight, the next ones fill the width.
    rig.engine.OnHScroll(scroll::kThumbPosition, 70);
    rig.Paint();
    const auto glyphs = rig.window.Screen().GlyphsOnRow(0);
    ASSERT_FALSE(glyphs.empty());
    EXPECT_EQ(glyphs.front().x, 0);
    EXPECT_EQ(glyphs.size(), 43u);  // x 0 to 294
}

}  // namespace
}  // namespace vexa::edit::test
