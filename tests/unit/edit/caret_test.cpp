#include <gtest/gtest.h>

#include "unit/edit/edit_rig.h"

namespace vexa::edit::test {
namespace {

int XOfEnd(const EditRig& rig) { return rig.engine.MeasureText(rig.Text()); }

TEST(CaretTest, ArrowsStepOverWholeSyllables) {
    EditRig rig;
    rig.engine.SetText(Bytes({0xB3, 0xDA, 0xB4, 0xE8, 0xB5, 0xDB, ' ', 'x'}));
    rig.Key(keys::kRight);
    EXPECT_EQ(rig.B().CaretIndex(), 2u);
    EXPECT_EQ(rig.V().CaretX(), kScriptW + kExtensionW);
    rig.Key(keys::kRight);  // B4 E8 B5 DB is one syllable
    EXPECT_EQ(rig.B().CaretIndex(), 6u);
    rig.Key(keys::kRight);
    rig.Key(keys::kRight);
    EXPECT_EQ(rig.B().CaretIndex(), 8u);
    rig.Key(keys::kRight);  // at the end: nothing
    EXPECT_EQ(rig.B().CaretIndex(), 8u);
    rig.Key(keys::kLeft);
    rig.Key(keys::kLeft);
    rig.Key(keys::kLeft);
    EXPECT_EQ(rig.B().CaretIndex(), 2u);
    rig.Key(keys::kLeft);
    rig.Key(keys::kLeft);
    EXPECT_EQ(rig.B().CaretIndex(), 0u);
    EXPECT_EQ(rig.window.CaretState().position, (platform::Point{0, 0}));
    EXPECT_EQ(CheckInvariants(rig), "");
    // The caret is two pixels wide at 96 DPI and grows with the display.
    EXPECT_EQ(rig.window.CaretState().width, 2);
    rig.window.SetDpi(144);
    rig.engine.CreateCaretShape();
    EXPECT_EQ(rig.window.CaretState().width, 3);
}

TEST(CaretTest, RightInsideASyllableOnlyMovesToItsEnd) {
    EditRig rig;
    rig.engine.SetText(Bytes({0xB3, 0xDA, 0xB4, 0xDB}));
    rig.Key(keys::kRight);
    // A virama after the vowel sign joins both syllables into one.
    rig.TypeBytes('H', Bytes({0xE8}));
    EXPECT_EQ(rig.B().CaretIndex(), 3u);
    rig.Key(keys::kRight);
    EXPECT_EQ(rig.B().CaretIndex(), 5u);
    EXPECT_EQ(rig.V().CaretX(), XOfEnd(rig));
}

TEST(CaretTest, LeftAtALineStartGoesToTheEndOfTheLineBefore) {
    EditRig rig;
    rig.engine.SetText("ab\rcd");
    rig.Key(keys::kDown);
    rig.Key(keys::kHome);
    rig.Key(keys::kLeft);
    EXPECT_EQ(rig.B().CaretIndex(), 2u);
    EXPECT_EQ(rig.B().CaretLine(), 0);
    EXPECT_EQ(rig.V().CaretX(), 2 * kEnglishW);
    rig.Key(keys::kRight);
    EXPECT_EQ(rig.B().CaretIndex(), 3u);
    EXPECT_EQ(rig.V().CaretY(), rig.H());
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST(CaretTest, UpAndDownKeepTheCaretNearItsColumn) {
    EditRig rig;
    rig.engine.SetText("abcd\rab\rabcd");
    rig.Key(keys::kEnd);
    rig.Key(keys::kDown);
    EXPECT_EQ(rig.B().CaretIndex(), 7u);  // end of "ab"
    rig.Key(keys::kDown);
    EXPECT_EQ(rig.B().CaretIndex(), 10u);  // x 14 in "abcd"
    rig.Key(keys::kDown);                // last line: nothing
    EXPECT_EQ(rig.B().CaretLine(), 2);
    rig.Key(keys::kUp);
    rig.Key(keys::kUp);
    rig.Key(keys::kUp);
    EXPECT_EQ(rig.B().CaretIndex(), 2u);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST(CaretTest, UpAndDownInASingleLineControlStepLikeLeftAndRight) {
    EditRig rig(EditRig::SingleLine());
    rig.engine.SetText("abc");
    rig.Key(keys::kDown);
    rig.Key(keys::kDown);
    EXPECT_EQ(rig.B().CaretIndex(), 2u);
    rig.Key(keys::kUp);
    EXPECT_EQ(rig.B().CaretIndex(), 1u);
}

TEST(CaretTest, MovingBelowTheLastRowScrollsOneLine) {
    EditRig rig;
    rig.engine.SetText("0\r1\r2\r3\r4\r5\r6");
    for (int i = 0; i < 5; ++i) rig.Key(keys::kDown);
    EXPECT_EQ(rig.B().TopLine(), 1);
    EXPECT_EQ(rig.V().CaretY(), 4 * rig.H());
    rig.Key(keys::kEnd);
    rig.Key(keys::kRight);  // over the line end into line 6
    EXPECT_EQ(rig.B().TopLine(), 2);
    for (int i = 0; i < 6; ++i) rig.Key(keys::kUp);
    EXPECT_EQ(rig.B().TopLine(), 0);
    EXPECT_EQ(rig.V().CaretY(), 0);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST(CaretTest, PagesMoveByOneRowLessThanThePage) {
    EditRig rig;
    std::string text;
    for (int i = 0; i < 20; ++i) text += "line\r";
    rig.engine.SetText(text);
    rig.Key(keys::kNext);
    EXPECT_EQ(rig.B().TopLine(), 4);
    EXPECT_EQ(rig.B().CaretLine(), 4);
    rig.Key(keys::kNext);
    EXPECT_EQ(rig.B().TopLine(), 8);
    rig.Key(keys::kPrior);
    EXPECT_EQ(rig.B().TopLine(), 4);
    EXPECT_EQ(rig.B().CaretLine(), 4);
    rig.Key(keys::kPrior);
    rig.Key(keys::kPrior);
    EXPECT_EQ(rig.B().TopLine(), 0);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST(CaretTest, PageDownNeedsAutoVScrollButPageUpDoesNot) {
    EditStyle style = EditRig::MultiLineWrapped();
    style.autoVScroll = false;
    EditRig rig(style);
    std::string text;
    for (int i = 0; i < 20; ++i) text += "line\r";
    rig.engine.SetText(text);
    rig.Key(keys::kNext);
    EXPECT_EQ(rig.B().TopLine(), 0);
    rig.engine.OnVScroll(scroll::kThumbPosition, 8);
    rig.engine.OnLButtonDown(kMouseLeft, {3, 2 * rig.H() + 3});
    rig.engine.OnLButtonUp(0, {3, 2 * rig.H() + 3});
    EXPECT_EQ(rig.B().CaretLine(), 10);
    rig.Key(keys::kPrior);
    EXPECT_EQ(rig.B().TopLine(), 4);
    EXPECT_EQ(rig.B().CaretLine(), 6);
}

TEST(CaretTest, ShiftArrowsSelectAndTheEventsFireOnceAtKeyRelease) {
    EditRig rig;
    rig.engine.SetText("abcd");
    rig.Key(keys::kEnd);
    rig.Key(keys::kLeft, true);
    EXPECT_EQ(rig.events.selected, 1);
    rig.Key(keys::kLeft, true);
    EXPECT_EQ(rig.events.selected, 1);
    EXPECT_EQ(rig.engine.SelStart(), 4);
    EXPECT_EQ(rig.engine.SelLength(), -2);
    rig.Key(keys::kRight, true);
    rig.Key(keys::kRight, true);
    EXPECT_EQ(rig.engine.SelStart(), 0);
    EXPECT_EQ(rig.engine.SelLength(), 0);
    EXPECT_EQ(rig.events.unselected, 1);
    EXPECT_EQ(CheckInvariants(rig), "");
    // An arrow without Shift drops the selection.
    rig.Key(keys::kLeft, true);
    EXPECT_TRUE(rig.engine.HasSelection());
    rig.Key(keys::kLeft);
    EXPECT_FALSE(rig.engine.HasSelection());
    EXPECT_EQ(rig.events.unselected, 2);
}

// A typed key over a selection only removes it; so does every editing key,
// and each fires CHANGE once.
TEST(CaretTest, EveryKeyThatRemovesASelectionFiresChangeOnce) {
    for (unsigned vk : {unsigned{'X'}, keys::kSpace, keys::kReturn, keys::kDelete, keys::kBack}) {
        EditRig rig;
        rig.engine.SetText("abcd");
        rig.engine.SetSelStart(1);
        rig.engine.SetSelLength(2);
        rig.Key(vk);
        EXPECT_EQ(rig.Text(), "ad") << vk;
        EXPECT_EQ(rig.B().CaretIndex(), 1u) << vk;
        EXPECT_EQ(rig.events.changed, 1) << vk;
        EXPECT_EQ(CheckInvariants(rig), "") << vk;
    }
    // A read-only control keeps the selection and the text: no change.
    EditRig rig;
    rig.engine.SetText("abcd");
    rig.engine.Style().readOnly = true;
    rig.engine.SetSelStart(1);
    rig.engine.SetSelLength(2);
    rig.Key('X');
    EXPECT_EQ(rig.Text(), "abcd");
    EXPECT_EQ(rig.events.changed, 0);
}

TEST(CaretTest, SelectionPropertiesAreClampedToTheText) {
    EditRig rig;
    rig.engine.SetText("ab\rcdef");
    rig.engine.SetSelStart(1);
    rig.engine.SetSelLength(4);
    EXPECT_EQ(rig.B().CaretIndex(), 5u);
    EXPECT_EQ(rig.B().CaretLine(), 1);
    EXPECT_EQ(rig.V().CaretX(), 2 * kEnglishW);
    rig.engine.SetSelStart(1000);
    EXPECT_EQ(rig.engine.SelStart(), 7);
    rig.engine.SetSelLength(-50);
    EXPECT_EQ(rig.engine.SelLength(), -7);
    EXPECT_EQ(rig.B().CaretIndex(), 0u);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST(CaretTest, ClipboardKeysGoToTheOwnerOnlyWithASelectionAndNotInPasswordMode) {
    EditRig rig;
    rig.engine.SetText("abcd");
    rig.Key('C', false, true);
    EXPECT_EQ(rig.events.copies, 0);
    rig.Key(keys::kRight, true);
    rig.Key('C', false, true);
    EXPECT_EQ(rig.events.copies, 1);
    rig.Key('X', false, true);
    EXPECT_EQ(rig.events.copies, 2);
    EXPECT_EQ(rig.Text(), "bcd");
    rig.Key(keys::kRight, true);
    rig.engine.Style().password = true;
    rig.Key('C', false, true);
    EXPECT_EQ(rig.events.copies, 2);
}

}  // namespace
}  // namespace vexa::edit::test
