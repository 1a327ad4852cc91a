#include <gtest/gtest.h>

#include "unit/edit/edit_rig.h"

namespace vexa::edit::test {
namespace {

constexpr unsigned kKa = 'K';  // types 0xB3 (10 px)
constexpr unsigned kKi = 'I';  // types 0xB3 0xDB: one syllable of 16 px

class TypingTest : public ::testing::Test {
protected:
    explicit TypingTest(EditStyle style = EditRig::MultiLineWrapped()) : rig(style) {
        rig.keyboard.keys[kKa] = Bytes({0xB3});
        rig.keyboard.keys[kKi] = Bytes({0xB3, 0xDB});
    }
    void Repeat(unsigned vk, int times) {
        for (int i = 0; i < times; ++i) rig.Key(vk);
    }
    EditRig rig;
};

TEST_F(TypingTest, TypedBytesGoInAtTheCaretAndFireChange) {
    rig.Type({kKa, 'A', kKi});
    EXPECT_EQ(rig.Text(), Bytes({0xB3, 'A', 0xB3, 0xDB}));
    EXPECT_EQ(rig.B().CaretIndex(), 4u);
    EXPECT_EQ(rig.V().CaretX(), kScriptW + kEnglishW + kScriptW + kExtensionW);
    EXPECT_EQ(rig.events.changed, 3);
    rig.Key(keys::kLeft);
    EXPECT_EQ(rig.events.changed, 3);  // movement is no change
    EXPECT_EQ(rig.B().CaretIndex(), 2u);
    rig.Key(kKa);
    EXPECT_EQ(rig.Text(), Bytes({0xB3, 'A', 0xB3, 0xB3, 0xDB}));
    EXPECT_EQ(rig.B().CaretIndex(), 3u);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(TypingTest, ASpaceEndsTheWordAndTheNextKeyStartsANewOne) {
    rig.Type({kKa, keys::kSpace, kKi});
    EXPECT_EQ(rig.Text(), Bytes({0xB3, ' ', 0xB3, 0xDB}));
    EXPECT_EQ(rig.W().start, 2u);
    EXPECT_EQ(rig.W().text, Bytes({0xB3, 0xDB}));
    EXPECT_EQ(rig.V().WordStartX(), 2 * kScriptW);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(TypingTest, TypingPastTheEdgeTurnsTheLastSpaceIntoASoftBreak) {
    Repeat(kKa, 10);
    rig.Key(keys::kSpace);
    Repeat(kKa, 18);  // 110 + 180 = 290: still fits
    EXPECT_EQ(rig.B().LastLine(), 0);
    rig.Key(kKa);  // reaches 300
    EXPECT_EQ(rig.B().LastLine(), 1);
    EXPECT_EQ(rig.B().At(10), kSoftBreakSpace);
    EXPECT_EQ(rig.B().CaretLine(), 1);
    EXPECT_EQ(rig.V().CaretX(), 19 * kScriptW);
    EXPECT_EQ(rig.V().CaretY(), rig.H());
    EXPECT_EQ(rig.window.CaretState().position, (platform::Point{190, 19}));
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(TypingTest, ATabInFrontOfTheOverflowBecomesASoftTabBreak) {
    rig.engine.SetText(std::string(10, 'A') + "\t");
    rig.Key(keys::kEnd);
    EXPECT_EQ(rig.V().CaretX(), 100);
    Repeat('A', 29);  // 100 + 29 * 7 = 303
    EXPECT_EQ(rig.B().At(10), kSoftBreakTab);
    EXPECT_EQ(rig.B().CaretLine(), 1);
    EXPECT_EQ(rig.V().CaretX(), 29 * kEnglishW);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(TypingTest, AWordWiderThanTheLineGetsAForcedBreakInFrontOfTheLastSyllable) {
    Repeat(kKi, 18);  // 288 pixels
    EXPECT_EQ(rig.B().LastLine(), 0);
    rig.Key(kKi);
    EXPECT_EQ(rig.B().LastLine(), 1);
    std::string expected;
    for (int i = 0; i < 18; ++i) expected += Bytes({0xB3, 0xDB});
    expected += Bytes({0x1D, 0xB3, 0xDB});
    EXPECT_EQ(rig.Text(), expected);
    EXPECT_EQ(rig.B().CaretIndex(), rig.Text().size());
    EXPECT_EQ(rig.V().CaretX(), kScriptW + kExtensionW);
    EXPECT_EQ(CheckInvariants(rig), "");

    // Enter directly in front of the forced break takes its place.
    rig.Key(keys::kUp);
    rig.Key(keys::kEnd);
    EXPECT_EQ(rig.B().CaretIndex(), 36u);
    rig.Key(keys::kReturn);
    EXPECT_EQ(rig.B().LastLine(), 1);
    EXPECT_EQ(rig.B().At(36), kHardBreak);
    EXPECT_EQ(rig.Text().find('\x1D'), std::string::npos);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(TypingTest, ATypedSpaceInFrontOfAForcedBreakStartsTheNextLineThere) {
    Repeat(kKi, 19);
    rig.Key(keys::kUp);
    rig.Key(keys::kEnd);
    rig.Key(keys::kLeft);
    rig.Key(keys::kSpace);
    EXPECT_EQ(CheckInvariants(rig), "");
    EXPECT_EQ(rig.B().CaretLine(), 1);
    EXPECT_EQ(rig.B().At(rig.B().CaretIndex() - 1), kSoftBreakSpace);
}

class FixedPageTypingTest : public TypingTest {
protected:
    static EditStyle Style() {
        EditStyle s = EditRig::MultiLineWrapped();
        s.autoVScroll = false;
        return s;
    }
    FixedPageTypingTest() : TypingTest(Style()) {}
};

TEST_F(FixedPageTypingTest, TheLineThatWouldNotFitIsTakenBack) {
    Repeat(keys::kReturn, 6);
    EXPECT_EQ(rig.B().LastLine(), 4);  // five rows, no more
    Repeat('A', 42);                 // 294 pixels
    EXPECT_EQ(rig.V().CaretX(), 294);
    rig.Key('A');
    EXPECT_EQ(rig.B().LastLine(), 4);
    EXPECT_EQ(rig.Text(), std::string(4, '\r') + std::string(42, 'A'));
    EXPECT_EQ(CheckInvariants(rig), "");
}

// An Inscript conjunct key types three bytes (30 px); a page that cannot
// take them takes all three back, and the word as it was stays current.
TEST_F(FixedPageTypingTest, AKeyOfSeveralBytesIsTakenBackWhole) {
    Repeat(keys::kReturn, 4);
    Repeat('A', 42);  // 294 pixels
    const std::string before = rig.Text();
    rig.TypeBytes('J', Bytes({0xB8, 0xE8, 0xCF}));
    EXPECT_EQ(rig.Text(), before);
    EXPECT_EQ(rig.B().CaretIndex(), before.size());
    EXPECT_EQ(rig.V().CaretX(), 294);
    EXPECT_EQ(rig.W().text, std::string(42, 'A'));
    EXPECT_EQ(rig.W().caretOffset, 42u);
    EXPECT_EQ(CheckInvariants(rig), "");
    // Backspace still takes the last letter that was really typed.
    rig.Key(keys::kBack);
    EXPECT_EQ(rig.Text(), before.substr(0, before.size() - 1));
}

class SingleLineTypingTest : public TypingTest {
protected:
    static EditStyle Style() {
        EditStyle s;
        s.autoHScroll = false;
        return s;
    }
    SingleLineTypingTest() : TypingTest(Style()) {}
};

TEST_F(SingleLineTypingTest, AFullLineIgnoresKeysSilently) {
    Repeat('A', 45);
    EXPECT_EQ(rig.Text(), std::string(42, 'A'));
    rig.Key(keys::kSpace);
    EXPECT_EQ(rig.Text(), std::string(42, 'A'));
    EXPECT_EQ(rig.sim.messages.Beeps(), 0);
    // Enter needs WantReturn: nothing is inserted.
    rig.Key(keys::kReturn);
    EXPECT_EQ(rig.B().LastLine(), 0);
}

// The key's own letter would still fit, the three bytes it types do not.
TEST_F(SingleLineTypingTest, AKeyThatWouldOverflowTheLineIsTakenBackWhole) {
    Repeat('A', 41);  // 287 pixels
    rig.TypeBytes('J', "xyz");
    EXPECT_EQ(rig.Text(), std::string(41, 'A'));
    EXPECT_EQ(rig.V().CaretX(), 287);
    EXPECT_EQ(rig.window.CaretState().position.x, 287);
    EXPECT_EQ(CheckInvariants(rig), "");
    rig.TypeBytes('J', "xy");  // 301: still too wide
    EXPECT_EQ(rig.Text(), std::string(41, 'A'));
    rig.TypeBytes('J', "x");  // 294 fits
    EXPECT_EQ(rig.Text(), std::string(41, 'A') + "x");
}

class ScrollingTypingTest : public TypingTest {
protected:
    ScrollingTypingTest() : TypingTest(EditRig::MultiLineScrolling()) {}
};

TEST_F(ScrollingTypingTest, TypingPastTheRightEdgeScrollsTheTextLeftByHalfAWidth) {
    Repeat('A', 43);  // 301 pixels
    EXPECT_EQ(rig.B().LastLine(), 0);
    EXPECT_LT(rig.V().HScroll(), 0);
    EXPECT_GE(rig.V().CaretX(), 0);
    EXPECT_LE(rig.V().CaretX(), rig.engine.TextWidth());
    EXPECT_EQ(rig.V().WidestLine(), 301);
    EXPECT_EQ(rig.window.Bar(platform::ScrollBar::Horizontal).maximum, 301);
    EXPECT_EQ(CheckInvariants(rig), "");
    rig.Key(keys::kHome);
    EXPECT_EQ(rig.V().HScroll(), 0);
    EXPECT_EQ(rig.B().CaretIndex(), 0u);
}

// The Phonetic kind re-makes the whole word through the keyboard library
// after every key.
class PhoneticTypingTest : public TypingTest {
protected:
    PhoneticTypingTest() {
        rig.engine.Script().keyboardType = 1;
        rig.keyboard.spelling = {{'k', Bytes({0xB3})}, {'i', Bytes({0xDB})}};
    }
};

TEST_F(PhoneticTypingTest, EachKeyReconvertsTheKeysOfTheWord) {
    rig.TypeBytes('K', "k");
    EXPECT_EQ(rig.Text(), Bytes({0xB3}));
    rig.TypeBytes('I', "i");
    EXPECT_EQ(rig.Text(), Bytes({0xB3, 0xDB}));
    EXPECT_EQ(rig.keyboard.makeCalls.back(), "ki");
    EXPECT_EQ(rig.B().CaretIndex(), 2u);
    EXPECT_EQ(rig.W().keyText, "ki");
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(PhoneticTypingTest, AKeyAtTheWordStartGoesInFrontOfTheReversedWord) {
    rig.engine.SetText(Bytes({0xB3, 0xDB}));
    rig.keyboard.makeCalls.clear();
    rig.TypeBytes('K', "k");
    EXPECT_EQ(rig.keyboard.reverseCalls.back(), Bytes({0xB3, 0xDB}));
    EXPECT_EQ(rig.keyboard.makeCalls, (std::vector<std::string>{"kki", "k"}));
    EXPECT_EQ(rig.Text(), Bytes({0xB3, 0xB3, 0xDB}));
    // The caret stays right after the typed key.
    EXPECT_EQ(rig.B().CaretIndex(), 1u);
    EXPECT_EQ(rig.V().CaretX(), kScriptW);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(PhoneticTypingTest, WithoutTheLibraryTheKeyIsIgnored) {
    rig.keyboard.libraryBound = false;
    rig.TypeBytes('K', "k");
    EXPECT_EQ(rig.Text(), "");
    EXPECT_EQ(rig.events.changed, 1);
}

TEST_F(TypingTest, TypewriterKeysInsideAWordGoInUnconverted) {
    rig.engine.Script().keyboardType = 2;
    rig.keyboard.spelling = {{'k', Bytes({0xB3})}};
    rig.engine.SetText(Bytes({'a', 'b'}));
    rig.Key(keys::kRight);
    rig.TypeBytes('K', "k");
    EXPECT_EQ(rig.Text(), "akb");
    EXPECT_TRUE(rig.keyboard.makeCalls.empty());
    rig.Key(keys::kEnd);
    rig.TypeBytes('K', "k");
    EXPECT_EQ(rig.keyboard.makeCalls.back(), "akbk");
    EXPECT_EQ(rig.Text(), Bytes({'a', 0xB3, 'b', 0xB3}));
}

}  // namespace
}  // namespace vexa::edit::test

namespace vexa::edit::test {
namespace {

// Character messages carrying Unicode (a system keyboard layout, an input
// method, SendInput's packets) type what the same word typed on Inscript
// gives, one message at a time: a conjunct, the soft virama (ZWJ), the
// explicit virama (ZWNJ), a nukta after its letter; each character is a
// keystroke with its CHANGE. A character the script cannot hold beeps and
// types nothing; a surrogate pair is one refusal.
TEST_F(TypingTest, UnicodeCharactersTypeTheIsciiOfTheirInscriptKeys) {
    const std::u16string typed = u"\u0915\u094D\u0937 \u0915\u094D\u200D\u0937 \u0915\u094D\u200C \u0921\u093C\u0967";
    for (char16_t unit : typed) EXPECT_TRUE(rig.engine.OnUnicodeChar(unit));
    EXPECT_EQ(rig.Text(), Bytes({0xB3, 0xE8, 0xD6, ' ', 0xB3, 0xE8, 0xE9, 0xD6, ' ', 0xB3, 0xE8, 0xE8,
                                 ' ', 0xBF, 0xE9, 0xF2}));
    EXPECT_EQ(rig.events.changed, static_cast<int>(typed.size()));
    EXPECT_EQ(rig.sim.messages.Beeps(), 0);
    EXPECT_EQ(CheckInvariants(rig), "");

    const std::string before = rig.Text();
    EXPECT_FALSE(rig.engine.OnUnicodeChar(u'\u0BA4'));  // Tamil ta
    EXPECT_TRUE(rig.engine.OnUnicodeChar(u'\xD83D'));   // an emoji: one refusal for the pair
    EXPECT_FALSE(rig.engine.OnUnicodeChar(u'\xDE00'));
    EXPECT_FALSE(rig.engine.OnUnicodeChar(u'\u200C'));  // ZWNJ after no virama
    EXPECT_EQ(rig.Text(), before);
    EXPECT_EQ(rig.sim.messages.Beeps(), 3);
    EXPECT_EQ(rig.events.changed, static_cast<int>(typed.size()));
    // A key between a virama and a joiner ends the syllable: the ZWJ is INV.
    rig.engine.OnUnicodeChar(u'\u094D');
    rig.Key(keys::kLeft);
    rig.Key(keys::kRight);
    rig.engine.OnUnicodeChar(u'\u200D');
    EXPECT_EQ(rig.Text(), before + Bytes({0xE8, 0xD9}));
    // Gurmukhi's addak waits for the consonant it doubles: ka, virama, ka.
    rig.engine.Script().scriptName = "Punjabi";
    rig.Key(keys::kSpace);
    EXPECT_TRUE(rig.engine.OnUnicodeChar(u'\u0A71'));
    EXPECT_TRUE(rig.engine.OnUnicodeChar(u'\u0A15'));
    EXPECT_EQ(rig.Text(), before + Bytes({0xE8, 0xD9, ' ', 0xB3, 0xE8, 0xB3}));
}

// The full page refuses a Unicode character as it refuses a key: whole.
TEST_F(FixedPageTypingTest, AUnicodeCharacterIsTakenBackWholeToo) {
    Repeat(keys::kReturn, 4);
    Repeat('A', 42);  // 294 pixels
    const std::string before = rig.Text();
    rig.engine.OnUnicodeChar(u'\u0915');  // ka
    rig.engine.OnUnicodeChar(u'\u0958');  // qa: ka and nukta, one keystroke of two codes
    EXPECT_EQ(rig.Text(), before);
    EXPECT_EQ(CheckInvariants(rig), "");
}

}  // namespace
}  // namespace vexa::edit::test
