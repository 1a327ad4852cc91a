#include <gtest/gtest.h>

#include "edit/edit_clipboard.h"
#include "edit_rig.h"
#include "sim/sim_clipboard.h"

namespace vexa::edit::test {
namespace {

using platform::kTextFormat;
using platform::kUnicodeTextFormat;
using script::UnicodeScript;

std::string Utf16(std::u16string_view text) {
    std::string block;
    for (char16_t c : text) {
        block += static_cast<char>(c & 0xFF);
        block += static_cast<char>(c >> 8);
    }
    return block;
}

TEST(ClipboardBlocks, PlainTextHasNoSwitchesAndEveryLineEndIsCrLf) {
    EXPECT_EQ(CleanPlainText("\x02"
                             "ab\x03\xC1\x06\xD2\x04x\x05y\x0Dz\x1Dw"),
              "ab\xC1\xD2\r\nx\r\ny\r\nzw");
    // A Devanagari selection across a soft wrap: the raw bytes with two zero
    // bytes, the cleaned font code with one, the Unicode text with CR LF.
    const ClipboardBlocks b = MakeClipboardBlocks(
        "\xB3\xDA\x04"
        "ab",
        "\x03\x41\x42\x02\x04"
        "ab",
        UnicodeScript::kDevanagari);
    EXPECT_EQ(b.iscii, std::string("\xB3\xDA\x04"
                                   "ab\0\0",
                                   7));
    EXPECT_EQ(b.text, std::string("AB\r\nab\0", 7));
    EXPECT_EQ(b.unicode, Utf16(u"\u0915\u093E\r\nab") + std::string(2, '\0'));
}

TEST(ClipboardBlocks, PastedBytesKeepOnlyWhatTypingCanPutInTheText) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    const std::string kept = FilterPasted(all);
    std::string expected = "\x04\x05\x09\x0A\x0D\x1D";
    for (int b = 0x20; b < 256; ++b)
        if (b != 0x7F) expected += static_cast<char>(b);
    EXPECT_EQ(kept, expected);
}

class ClipboardRead : public ::testing::Test {
  protected:
    void SetUp() override {
        format = board.RegisterFormat(kIsciiFormatName);
        ASSERT_TRUE(board.Open());
    }
    void TearDown() override { board.Close(); }
    sim::SimClipboard board;
    unsigned format = 0;
};

TEST_F(ClipboardRead, TheControlsOwnFormatComesFirstUpToItsZeroByte) {
    board.Put(format, std::string("\xB3\x01\xDA\x7F"
                                  "a\0junk",
                                  10));
    board.Put(kUnicodeTextFormat, Utf16(u"xyz") + std::string(2, '\0'));
    const auto pasted = ReadPastedText(board, format, UnicodeScript::kDevanagari);
    ASSERT_TRUE(pasted);
    EXPECT_EQ(pasted->iscii,
              "\xB3\xDA"
              "a");
    EXPECT_EQ(pasted->dropped, 0u);
}

TEST_F(ClipboardRead, UnicodeTextIsConvertedForTheScriptAndLossesAreCounted) {
    // Bengali text with a Devanagari letter and an emoji, in a Bengali control.
    board.Put(kUnicodeTextFormat,
              Utf16(u"\u0995\u09BE\u0915 ok\r\n\U0001F600.") + std::string(2, '\0'));
    const auto pasted = ReadPastedText(board, format, UnicodeScript::kBengali);
    ASSERT_TRUE(pasted);
    EXPECT_EQ(pasted->iscii, "\xB3\xDA ok\r.");
    EXPECT_EQ(pasted->dropped, 2u);
}

TEST_F(ClipboardRead, PlainTextAloneIsNeverPasted) {
    board.Put(kTextFormat, std::string("\xB3\xDA\0", 3));
    EXPECT_FALSE(ReadPastedText(board, format, UnicodeScript::kDevanagari));
}

// A Devanagari edit control with the clipboard commands on a shared clipboard.
class ClipboardEdit : public ::testing::Test {
  protected:
    ClipboardEdit() : commands(rig.engine, board, rig.sim.messages) {}

    void SetTextAndSelect(const std::string& text, int start, int length) {
        rig.engine.SetText(text);
        rig.engine.SetSelStart(start);
        rig.engine.SetSelLength(length);
    }
    std::string Block(unsigned format) const {
        auto it = board.Data().find(format);
        return it == board.Data().end() ? std::string("<none>") : it->second;
    }

    EditRig rig;
    sim::SimClipboard board;
    EditClipboard commands;
};

TEST_F(ClipboardEdit, CopyPutsTheThreeFormatsOfTheSelectionWhicheverWayItWasMade) {
    SetTextAndSelect("ab \xB3\xDA\xC2 cd", 3, 3);
    ASSERT_EQ(commands.Copy(), ClipboardResult::kDone);
    EXPECT_FALSE(board.IsOpen());
    const std::string iscii = Block(commands.Format());
    const std::string text = Block(kTextFormat);
    EXPECT_EQ(iscii, std::string("\xB3\xDA\xC2\0\0", 5));
    EXPECT_EQ(text, CleanPlainText(rig.engine.GetZIRVOText("\xB3\xDA\xC2")) + '\0');
    EXPECT_EQ(Block(kUnicodeTextFormat), Utf16(u"\u0915\u093E\u0924") + std::string(2, '\0'));

    board.Put(kTextFormat, "stale");
    SetTextAndSelect("ab \xB3\xDA\xC2 cd", 6, -3);
    ASSERT_EQ(commands.Copy(), ClipboardResult::kDone);
    EXPECT_EQ(Block(commands.Format()), iscii);
    EXPECT_EQ(Block(kTextFormat), text);
}

TEST_F(ClipboardEdit, NothingIsPutForAPasswordAnEmptySelectionOrABusyClipboard) {
    board.Put(kTextFormat, "theirs");
    SetTextAndSelect("abc", 0, 2);
    rig.engine.Style().password = true;
    EXPECT_EQ(commands.Copy(), ClipboardResult::kNothing);
    EXPECT_EQ(commands.Cut(), ClipboardResult::kNothing);
    EXPECT_EQ(rig.Text(), "abc");
    rig.engine.Style().password = false;
    SetTextAndSelect("abc", 1, 0);
    EXPECT_EQ(commands.Cut(), ClipboardResult::kNothing);
    EXPECT_EQ(rig.Text(), "abc");
    SetTextAndSelect("abc", 0, 2);
    board.SetHeldElsewhere(true);
    EXPECT_EQ(commands.Copy(), ClipboardResult::kBusy);
    EXPECT_EQ(commands.Cut(), ClipboardResult::kBusy);  // a cut that could not copy deletes nothing
    EXPECT_EQ(rig.Text(), "abc");
    EXPECT_EQ(Block(kTextFormat), "theirs");
    // A block the clipboard refuses: Copy says so and leaves it closed.
    board.SetHeldElsewhere(false);
    board.SetFailSetData(true);
    EXPECT_EQ(commands.Copy(), ClipboardResult::kRefused);
    EXPECT_EQ(commands.Cut(), ClipboardResult::kRefused);
    EXPECT_EQ(rig.Text(), "abc");
    EXPECT_FALSE(board.IsOpen());
}

TEST_F(ClipboardEdit, CutCopiesThenRemovesTheSelection) {
    SetTextAndSelect(
        "ab\xB3\xDA"
        "cd",
        2, 2);
    ASSERT_EQ(commands.Cut(), ClipboardResult::kDone);
    EXPECT_EQ(rig.Text(), "abcd");
    EXPECT_EQ(rig.B().CaretIndex(), 2u);
    EXPECT_EQ(Block(commands.Format()), std::string("\xB3\xDA\0\0", 4));
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(ClipboardEdit, PasteGoesInAtTheCaretOverTheSelectionWithSoftBreaksAsWhatTheyStandFor) {
    SetTextAndSelect("abXYcd", 2, 2);
    board.Put(commands.Format(), std::string("\xB3\x04\xDA\x01z\x05y\0", 8));
    ASSERT_EQ(commands.Paste(), ClipboardResult::kDone);
    EXPECT_EQ(rig.Text(), "ab\xB3 \xDAz\tycd");
    EXPECT_EQ(rig.B().CaretIndex(), 2u);  // in front of the pasted text
    EXPECT_FALSE(rig.engine.HasSelection());
    EXPECT_TRUE(rig.sim.messages.Boxes().empty());
    EXPECT_EQ(CheckInvariants(rig), "");

    // Too long for one row: the tab breaks again where the line is full.
    const std::string first(30, 'a'), second(20, 'b');
    SetTextAndSelect("", 0, 0);
    board.Put(commands.Format(), first + '\x05' + second + std::string(1, '\0'));
    ASSERT_EQ(commands.Paste(), ClipboardResult::kDone);
    EXPECT_EQ(rig.Text(), first + static_cast<char>(kSoftBreakTab) + second);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(ClipboardEdit, UnicodePasteTellsOnceHowManyCharactersWereLeftOut) {
    SetTextAndSelect("", 0, 0);
    board.Put(kUnicodeTextFormat,
              Utf16(u"Hi \u0915\u0940 \u0995\u0996 \u00E9\r\nok") + std::string(2, '\0'));
    ASSERT_EQ(commands.Paste(), ClipboardResult::kDone);
    EXPECT_EQ(rig.Text(), "Hi \xB3\xDC  \rok");
    ASSERT_EQ(rig.sim.messages.Boxes().size(), 1u);
    EXPECT_EQ(rig.sim.messages.Boxes()[0].caption, "VEdit Control");
    EXPECT_NE(rig.sim.messages.Boxes()[0].text.find("3 characters"), std::string::npos);
    EXPECT_NE(rig.sim.messages.Boxes()[0].text.find("Devanagari"), std::string::npos);
    EXPECT_EQ(CheckInvariants(rig), "");
    // One character alone is told so.
    board.Put(kUnicodeTextFormat, Utf16(u"\u0995") + std::string(2, '\0'));
    rig.sim.messages.Clear();
    ASSERT_EQ(commands.Paste(), ClipboardResult::kNothing);
    ASSERT_EQ(rig.sim.messages.Boxes().size(), 1u);
    EXPECT_EQ(rig.sim.messages.Boxes()[0].text,
              "1 character of the pasted text cannot be written in Devanagari and was left out.");
    board.Put(kUnicodeTextFormat,
              Utf16(u"Hi \u0915\u0940 \u0995\u0996 \u00E9\r\nok") + std::string(2, '\0'));
    // Tamil into Devanagari: nothing can be pasted, and the user is told.
    board.Put(kUnicodeTextFormat, Utf16(u"\u0BA4\u0BAE\u0BBF\u0BB4\u0BCD") + std::string(2, '\0'));
    rig.sim.messages.Clear();
    const std::string before = rig.Text();
    ASSERT_EQ(commands.Paste(), ClipboardResult::kNothing);
    EXPECT_EQ(rig.Text(), before);
    ASSERT_EQ(rig.sim.messages.Boxes().size(), 1u);
    EXPECT_NE(rig.sim.messages.Boxes()[0].text.find("5 characters"), std::string::npos);
}

TEST_F(ClipboardEdit, CopyThenPasteRoundTripsThroughTheUnicodeTextAlone) {
    SetTextAndSelect("x \xB3\xE8\xE8\xB7\xDA\xEA\xEA y", 0, 11);
    ASSERT_EQ(commands.Copy(), ClipboardResult::kDone);
    const std::string unicode = Block(kUnicodeTextFormat);
    // As another program would have put it: the Unicode text only.
    ASSERT_TRUE(board.Open() && board.Empty());
    board.Close();
    board.Put(kUnicodeTextFormat, unicode);
    SetTextAndSelect("", 0, 0);
    ASSERT_EQ(commands.Paste(), ClipboardResult::kDone);
    EXPECT_EQ(rig.Text(), "x \xB3\xE8\xE8\xB7\xDA\xEA\xEA y");
}

TEST_F(ClipboardEdit, NothingIsPastedFromABusyOrForeignClipboard) {
    SetTextAndSelect("ab", 1, 0);
    board.Put(kTextFormat, std::string("zz\0", 3));
    EXPECT_EQ(commands.Paste(), ClipboardResult::kNothing);
    board.Put(commands.Format(), std::string("zz\0", 3));
    board.SetHeldElsewhere(true);
    EXPECT_EQ(commands.Paste(), ClipboardResult::kBusy);
    EXPECT_EQ(rig.Text(), "ab");
}

// Shift+Delete is a cut key: it copies (the owner's CopySelection) and,
// unless the control is read-only, deletes and fires CHANGE.
TEST(ClipboardKeys, ShiftDeleteCutsAndReadOnlyKeepsTheText) {
    EditRig rig;
    rig.engine.SetText("abcd");
    rig.engine.SetSelStart(1);
    rig.engine.SetSelLength(2);
    rig.Key(keys::kDelete, true);
    EXPECT_EQ(rig.events.copies, 1);
    EXPECT_EQ(rig.Text(), "ad");
    EXPECT_EQ(rig.events.changed, 1);

    rig.engine.SetText("abcd");
    rig.engine.Style().readOnly = true;
    rig.engine.SetSelStart(1);
    rig.engine.SetSelLength(2);
    rig.Key(keys::kDelete, true);
    EXPECT_EQ(rig.events.copies, 2);
    EXPECT_EQ(rig.Text(), "abcd");
    EXPECT_EQ(rig.events.changed, 1);
}

// A cut whose copy did not reach the clipboard deletes nothing.
TEST(ClipboardKeys, CutKeysKeepTheTextWhenTheCopyFailed) {
    EditRig rig;
    rig.events.copyWorks = false;
    for (bool shiftDelete : {false, true}) {
        rig.engine.SetText("abcd");
        rig.engine.SetSelStart(1);
        rig.engine.SetSelLength(2);
        if (shiftDelete) {
            rig.Key(keys::kDelete, true);
        } else {
            rig.Key('X', false, true);
        }
        EXPECT_EQ(rig.Text(), "abcd");
    }
    EXPECT_EQ(rig.events.copies, 2);
    EXPECT_EQ(rig.events.changed, 0);
}

}  // namespace
}  // namespace vexa::edit::test
