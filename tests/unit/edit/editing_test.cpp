#include <gtest/gtest.h>

#include "unit/edit/edit_rig.h"

namespace vexa::edit::test {
namespace {

// Delete takes a whole syllable and Backspace only its last byte; an
// extension pair goes together; a line end joins the lines; a forced break
// goes with the byte beside it, alone at the start, and never past the end.
// English mode deletes one byte of script text. Each key is a change.
TEST(EditingTest, DeleteAndBackspaceTakeWhatTheCaretStandsBeside) {
    struct Case {
        std::string text;
        std::vector<unsigned> keys;
        std::string after;
        std::size_t caret;
        bool english = false;
    } const cases[] = {
        {Bytes({0xB3, 0xDA, 0xB4, 0xDB}), {keys::kDelete}, Bytes({0xB4, 0xDB}), 0},
        {Bytes({0xB4, 0xDB}), {keys::kEnd, keys::kBack}, Bytes({0xB4}), 1},
        {"a", {keys::kEnd, 'V', keys::kBack}, "a", 1},
        {"ab\x1D" "cd", {keys::kDown, keys::kHome, keys::kBack}, "acd", 1},
        {"\x1D" "ab", {keys::kRight, keys::kBack}, "ab", 0},
        {"ab\rcd\ref", {keys::kEnd, keys::kDelete}, "abcd\ref", 2},
        {"abcd\ref", {keys::kDown, keys::kHome, keys::kBack}, "abcdef", 4},
        {"ab\x1D" "c\x1D", {keys::kEnd, keys::kDelete}, "ab\x1D", 2},
        {"ab\x1D", {keys::kEnd, keys::kDelete}, "ab", 2},
        {Bytes({0xB3, 0xDA, 0xB4, 0xDB, ' ', 'x'}), {keys::kDelete, keys::kRight},
         Bytes({0xDA, 0xB4, 0xDB, ' ', 'x'}), 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EditRig rig;
        rig.keyboard.keys['V'] = Bytes({0xF0, 0xBE});  // an extension pair
        if (c.english) rig.engine.Script().scriptName = "English";
        rig.engine.Script().englishScript = c.english;
        rig.engine.SetText(c.text);
        int edits = 0;
        for (unsigned vk : c.keys) {
            rig.Key(vk);
            edits += vk == keys::kDelete || vk == keys::kBack || vk == 'V';
            if (vk == 'V') {
                EXPECT_EQ(rig.Text(), Bytes({'a', 0xF0, 0xBE}));
            }
        }
        EXPECT_EQ(rig.Text(), c.after);
        EXPECT_EQ(rig.B().CaretIndex(), c.caret);
        EXPECT_EQ(rig.V().CaretX(), rig.engine.MeasureText(c.after.substr(0, c.caret)));
        EXPECT_EQ(rig.events.changed, edits);
        EXPECT_EQ(CheckInvariants(rig), "");
    }
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
