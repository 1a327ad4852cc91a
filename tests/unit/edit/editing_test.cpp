#include <gtest/gtest.h>

#include "unit/edit/edit_rig.h"

namespace vexa::edit::test {
namespace {

TEST(EditingTest, DeleteTakesAWholeSyllableAndBackspaceOnlyItsLastByte) {
    EditRig rig;
    rig.engine.SetText(Bytes({0xB3, 0xDA, 0xB4, 0xDB}));
    rig.Key(keys::kDelete);
    EXPECT_EQ(rig.Text(), Bytes({0xB4, 0xDB}));
    rig.Key(keys::kEnd);
    rig.Key(keys::kBack);
    EXPECT_EQ(rig.Text(), Bytes({0xB4}));
    EXPECT_EQ(rig.V().CaretX(), kScriptW);
    EXPECT_EQ(rig.events.changed, 2);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST(EditingTest, TheEndsOfTheTextBeepAndChangeNothing) {
    EditRig rig;
    rig.engine.SetText("ab");
    rig.Key(keys::kBack);
    EXPECT_EQ(rig.sim.messages.Beeps(), 1);
    rig.Key(keys::kEnd);
    rig.Key(keys::kDelete);
    EXPECT_EQ(rig.sim.messages.Beeps(), 2);
    EXPECT_EQ(rig.Text(), "ab");
    // Both keys still count as a change for the host.
    EXPECT_EQ(rig.events.changed, 2);
}

TEST(EditingTest, BackspaceAfterAForcedBreakTakesTheByteBeforeIt) {
    EditRig rig;
    rig.engine.SetText("ab\x1D" "cd");
    rig.Key(keys::kDown);
    rig.Key(keys::kHome);
    EXPECT_EQ(rig.B().CaretIndex(), 3u);
    rig.Key(keys::kBack);
    EXPECT_EQ(rig.Text(), "acd");
    EXPECT_EQ(rig.B().CaretIndex(), 1u);
    EXPECT_EQ(rig.B().CaretLine(), 0);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST(EditingTest, AForcedBreakAtTheStartIsDeletedAlone) {
    EditRig rig;
    rig.engine.SetText("\x1D" "ab");
    rig.Key(keys::kRight);
    rig.Key(keys::kBack);
    EXPECT_EQ(rig.Text(), "ab");
    EXPECT_EQ(rig.B().CaretIndex(), 0u);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST(EditingTest, BackspaceTakesAnExtensionPairTogether) {
    EditRig rig;
    rig.engine.SetText("a");
    rig.keyboard.keys['V'] = Bytes({0xF0, 0xBE});
    rig.Key(keys::kEnd);
    rig.Key('V');
    EXPECT_EQ(rig.Text(), Bytes({'a', 0xF0, 0xBE}));
    rig.Key(keys::kBack);
    EXPECT_EQ(rig.Text(), "a");
}

TEST(EditingTest, DeleteAtALineEndJoinsTheLines) {
    EditRig rig;
    rig.engine.SetText("ab\rcd\ref");
    rig.Key(keys::kEnd);
    rig.Key(keys::kDelete);
    EXPECT_EQ(rig.Text(), "abcd\ref");
    EXPECT_EQ(rig.B().LastLine(), 1);
    rig.Key(keys::kDown);
    rig.Key(keys::kHome);
    rig.Key(keys::kBack);
    EXPECT_EQ(rig.Text(), "abcdef");
    EXPECT_EQ(rig.B().CaretIndex(), 4u);
    EXPECT_EQ(rig.V().CaretX(), 4 * kEnglishW);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST(EditingTest, DeleteInFrontOfAForcedBreakTakesTheNextByteAndNeverPassesTheEnd) {
    EditRig rig;
    rig.engine.SetText("ab\x1D" "c\x1D");
    rig.Key(keys::kEnd);
    rig.Key(keys::kDelete);
    EXPECT_EQ(rig.Text(), "ab\x1D");
    rig.Key(keys::kDelete);
    EXPECT_EQ(rig.Text(), "ab");
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST(EditingTest, EnglishModeDeletesOneByteOfScriptText) {
    EditRig rig;
    rig.engine.Script().scriptName = "English";
    rig.engine.Script().englishScript = true;
    rig.engine.SetText(Bytes({0xB3, 0xDA, 0xB4, 0xDB, ' ', 'x'}));
    rig.Key(keys::kDelete);
    EXPECT_EQ(rig.Text(), Bytes({0xDA, 0xB4, 0xDB, ' ', 'x'}));
    rig.Key(keys::kRight);
    EXPECT_EQ(rig.B().CaretIndex(), 1u);
}

TEST(EditingTest, UndoReturnsToTheTextAtTheFirstEditAfterAMoveAndToggles) {
    EditRig rig;
    rig.Type({'A', 'B'});
    rig.Key(keys::kLeft);  // arms the undo copy
    rig.Type({'C', 'D'});
    EXPECT_EQ(rig.Text(), "ACDB");
    rig.engine.Undo();
    EXPECT_EQ(rig.Text(), "AB");
    EXPECT_EQ(rig.B().CaretIndex(), 0u);
    rig.engine.Undo();
    EXPECT_EQ(rig.Text(), "ACDB");
    // Ctrl+Z does the same; neither fires a change.
    const int changes = rig.events.changed;
    rig.Key('Z', false, true);
    EXPECT_EQ(rig.Text(), "AB");
    EXPECT_EQ(rig.events.changed, changes);
}

TEST(EditingTest, UndoRightAfterCreationGivesTheDefaultTextAndKeepsTabsAndExtensionPairs) {
    EditRig rig;
    rig.engine.Undo();
    EXPECT_EQ(rig.Text(), "VEdit");
    rig.engine.SetText("");
    rig.keyboard.keys['V'] = Bytes({0xF0, 0xBE});
    rig.Key(keys::kLeft);
    rig.Type({'V', 'A'});
    rig.Key(keys::kLeft);
    rig.Key('B');
    rig.engine.Undo();
    EXPECT_EQ(rig.Text(), Bytes({0xF0, 0xBE, 'A'}));
}

TEST(EditingTest, UndoInAReadOnlyControlIsRefusedFromTheKeyboard) {
    EditStyle style = EditRig::MultiLineWrapped();
    style.readOnly = true;
    EditRig rig(style);
    rig.engine.SetText("abc");
    rig.Type({'X', keys::kBack, keys::kDelete});
    EXPECT_EQ(rig.Text(), "abc");
    rig.Key('Z', false, true);
    EXPECT_EQ(rig.Text(), "abc");
    EXPECT_EQ(rig.events.changed, 0);
}

TEST(EditingTest, SettingTheTextWrapsItAgainAndRestoresWhatSoftBreaksStoodFor) {
    EditRig rig;
    // 14 words of 3 glyphs and a space: 40 pixels each.
    std::string text;
    for (int i = 0; i < 14; ++i) text += "aaa ";
    text.resize(text.size() - 1);
    rig.fonts.SetWidths("EN-Test", sim::SimFonts::Uniform(10));
    rig.engine.BuildWidthTables();
    rig.engine.SetText(text);
    EXPECT_EQ(rig.B().LastLine(), 1);
    EXPECT_EQ(rig.Text()[27], '\x04');  // 7 words of 40 fit in 300
    EXPECT_EQ(rig.window.Bar(platform::ScrollBar::Vertical).maximum, 0);  // bar not shown

    std::string withBreaks = "aaa\x04" "bbb\x05" "ccc";
    rig.engine.SetText(withBreaks);
    EXPECT_EQ(rig.Text(), "aaa bbb\tccc");
    EXPECT_EQ(rig.B().LastLine(), 0);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST(EditingTest, LineTextReturnsEachLineAndBeepsFarPastTheEnd) {
    EditRig rig;
    rig.engine.SetText("ab\rcd");
    EXPECT_EQ(rig.engine.LineText(0), "ab");
    EXPECT_EQ(rig.engine.LineText(1), "cd");
    EXPECT_EQ(rig.engine.LineText(2), "");
    EXPECT_EQ(rig.sim.messages.Beeps(), 0);
    EXPECT_EQ(rig.engine.LineText(3), "");
    EXPECT_EQ(rig.sim.messages.Beeps(), 1);
}

}  // namespace
}  // namespace vexa::edit::test
