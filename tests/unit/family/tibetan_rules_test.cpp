// The Tibetan stack rules of TBMCV32.DLL and DRMCV32.DLL, checked by how
// stacks relate to each other rather than by glyph codes (which the
// generated map owns).

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "keyboard/keyboard_layout.h"
#include "script/converter_library.h"
#include "script/font_code.h"
#include "unit/family/raw_converter.h"

namespace vexa::test {
namespace {

// Bytes of the built-in Tibetan keyboard: the letters of the keys q, w, n,
// m, ',' and '/', the subjoined ya and la of Shift+v and Shift+n, the signs
// of t, y, u, i, the shad of '=', and the joiner of d.
constexpr int KA = 0xD9, KHA = 0xD7, LA = 0xC5, YA = 0xB5, SA = 0xBB, RA = 0xBF, A = 0xC3,
              NGA = 0xD1, SUB_YA = 0xCC, SUB_LA = 0xC1, I_SIGN = 0xD3, U_SIGN = 0xB8,
              E_SIGN = 0xC2, O_SIGN = 0xA4, ANUSVARA = 0xE3, SHAD = 0xD4, JOINER = 0xDA;

class Tibetan : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    RawConverter tb{sim, "TBMCV32.DLL", "iscii2tibetanzirvo"};
    RawConverter dr{sim, "DRMCV32.DLL", "iscii2tibetanzirvo"};

    void SetUp() override { ASSERT_TRUE(tb.Loaded() && dr.Loaded()); }
    std::string Glyphs(const std::string& text) { return tb.Call(text).output; }
    int Count(const std::string& text) { return tb.Call(text).consumed; }
};

TEST_F(Tibetan, AStackTakesItsSubjoinedLettersAndSigns) {
    EXPECT_EQ(Count(Iscii({KA, KHA})), 1);
    EXPECT_EQ(Count(Iscii({SA, JOINER, KA, SUB_YA, U_SIGN, KHA})), 5);
    EXPECT_EQ(Count(Iscii({KA, I_SIGN, ANUSVARA, KA})), 3);
    EXPECT_EQ(Count(Iscii({KA, U_SIGN, SUB_YA})), 2) << "nothing is subjoined below the u-sign";
    EXPECT_EQ(Count(Iscii({0x20, KA})), 1) << "a space stands alone";
    EXPECT_EQ(Count(Iscii({KA, 0x01, SUB_YA, 0x20})), 3) << "a caret mark inside is counted";
    EXPECT_EQ(Glyphs(Iscii({KA, 0x01, SUB_YA})), Glyphs(Iscii({KA, SUB_YA})));
    EXPECT_EQ(Glyphs(Iscii({0x20})), "") << "the controls draw the space (as a tsheg) themselves";
}

TEST_F(Tibetan, TheJoinerSubjoinsTheLetterAfterIt) {
    // d + letter is the subjoined letter, whichever way it is typed.
    EXPECT_EQ(Glyphs(Iscii({KA, JOINER, YA})), Glyphs(Iscii({KA, SUB_YA})));
    EXPECT_EQ(Glyphs(Iscii({KA, JOINER, LA})), Glyphs(Iscii({KA, SUB_LA})));
    EXPECT_NE(Glyphs(Iscii({KA, SUB_YA})), Glyphs(Iscii({KA})) + Glyphs(Iscii({YA})));
    // Shift+e gives la and the joiner: the next letter goes below the la.
    EXPECT_EQ(Count(Iscii({LA, JOINER, KA, 0x20})), 3);
    EXPECT_NE(Glyphs(Iscii({LA, JOINER, KA})), Glyphs(Iscii({LA})));
    // A joiner with no letter after it draws nothing and ends nothing.
    EXPECT_EQ(Glyphs(Iscii({KA, JOINER})), Glyphs(Iscii({KA})));
    EXPECT_EQ(Count(Iscii({KA, JOINER, 0x20})), 2);
}

TEST_F(Tibetan, SignsTakeTheOffsetOfTheirStack) {
    const std::string ka = Glyphs(Iscii({KA}));
    const std::string ki = Glyphs(Iscii({KA, I_SIGN}));
    ASSERT_EQ(ki.size(), ka.size() + 2);
    EXPECT_EQ(ki.substr(0, ka.size()), ka) << "the sign follows the letter";
    // Letters of other widths place the sign at other offsets: over all
    // letters the sign takes more than one glyph.
    std::set<std::string> variants;
    for (int b = 0xA1; b <= 0xEA; ++b) {
        const std::string one = Glyphs(Iscii({b}));
        const std::string with = Glyphs(Iscii({b, I_SIGN}));
        if (!one.empty() && with.size() == one.size() + 2) variants.insert(with.substr(one.size()));
    }
    EXPECT_GE(variants.size(), 2u);
    // Every sign draws something over a stack.
    for (int sign : {I_SIGN, E_SIGN, O_SIGN, ANUSVARA}) {
        const std::string stack = Iscii({SA, JOINER, KA, SUB_YA});
        EXPECT_GT(Glyphs(stack + static_cast<char>(sign)).size(), Glyphs(stack).size()) << sign;
    }
}

TEST_F(Tibetan, TallStacksAreBuiltFromPieces) {
    // Four letters stacked: Noto has no glyph for them. The face draws them
    // from pieces, or as much of the stack as it has glyphs for: never
    // less than the head letter's part of it.
    const std::string tall = Iscii({KA, JOINER, KA, JOINER, KA, JOINER, KA});
    EXPECT_EQ(Count(tall), 7);
    EXPECT_FALSE(Glyphs(tall).empty());
    EXPECT_EQ(Count(Iscii({A, JOINER, NGA, SUB_YA, SUB_LA, U_SIGN, I_SIGN})), 7);
    EXPECT_FALSE(Glyphs(Iscii({A, JOINER, NGA, SUB_YA, SUB_LA, U_SIGN, I_SIGN})).empty());
    // Five subjoined letters are more than a stack holds: the fifth starts
    // a stack of its own.
    std::string five = Iscii({RA});
    for (int i = 0; i < 5; ++i) five += Iscii({JOINER, KA});
    EXPECT_EQ(Count(five), 9);
}

TEST_F(Tibetan, AShadTakesTheSpaceAfterItAsABlank) {
    const std::string shad = Glyphs(Iscii({SHAD}));
    ASSERT_EQ(shad.size(), 2u);
    EXPECT_EQ(Count(Iscii({SHAD, 0x20, KA})), 2);
    const std::string spaced = Glyphs(Iscii({SHAD, 0x20}));
    ASSERT_EQ(spaced.size(), 4u);
    EXPECT_EQ(spaced.substr(0, 2), shad);
    EXPECT_NE(spaced[2], ' ') << "a blank of the face, not the space code (the tsheg)";
    EXPECT_EQ(Count(Iscii({SHAD, 0x01, 0x20, KA})), 3) << "a caret mark between them is counted";
    EXPECT_EQ(Glyphs(Iscii({SHAD, 0x01, 0x20})), spaced);
}

TEST_F(Tibetan, BothLibrariesDrawTheSameCodes) {
    const std::string text = Iscii({SA, JOINER, KA, SUB_YA, E_SIGN, 0x20, RA, JOINER, KA, U_SIGN,
                                    0x20, LA, SUB_YA, O_SIGN, ANUSVARA, SHAD, 0x20, 0xF2});
    EXPECT_EQ(tb.ConvertAll(text), dr.ConvertAll(text));
    EXPECT_FALSE(tb.ConvertAll(text).empty());
}

TEST_F(Tibetan, EveryKeyOfTheTibetanKeyboardTypesSomethingDrawn) {
    // Each key's bytes, typed after ka, draw otherwise than ka alone (a letter,
    // a subjoined letter, a sign) or stand as a sign of their own; only the
    // joiner waits for the next letter.
    const std::string ka = Glyphs(Iscii({KA}));
    for (int scan = 0; scan < keyboard::kLayoutKeys; ++scan) {
        const keyboard::LayoutEntry& key = keyboard::TibetanLayout()[static_cast<std::size_t>(scan)];
        for (const keyboard::KeyText* text : {&key.plain, &key.shifted}) {
            const std::string bytes(text->View());
            if (bytes.empty() || static_cast<unsigned char>(bytes[0]) < 0xA0) continue;
            if (bytes == Iscii({JOINER})) continue;
            const std::string typed = tb.ConvertAll(Iscii({KA}) + bytes);
            EXPECT_NE(typed, ka) << "scan code " << scan;
        }
    }
}

TEST_F(Tibetan, SignsWithoutALetterAndBytesWithoutMeaning) {
    // A vowel sign typed first is drawn on its own, one byte.
    EXPECT_EQ(Count(Iscii({I_SIGN, KA})), 1);
    EXPECT_FALSE(Glyphs(Iscii({I_SIGN})).empty());
    for (int b : {0xF0, 0xFB, 0xFF}) {
        EXPECT_EQ(Count(Iscii({b, KA})), 1) << b;
        EXPECT_EQ(Glyphs(Iscii({b})), "") << b;
    }
}

TEST(TibetanRuns, TheSpaceStaysLiteralAndIsMeasuredAsTheTsheg) {
    sim::SimPlatform sim;
    script::ConverterLibrary converter(sim);
    ASSERT_TRUE(converter.Load("TBMCV32.DLL", "iscii2tibetanzirvo"));
    RawConverter raw(sim, "TBMCV32.DLL", "iscii2tibetanzirvo");
    const std::string ka = raw.Call(Iscii({KA})).output, kha = raw.Call(Iscii({KHA})).output;
    ASSERT_EQ(ka.size(), 2u);
    const std::string run = script::ToFontCodeRun(converter, Iscii({KA, 0x20, KHA, SHAD, 0x20}), false);
    const std::string shad = raw.Call(Iscii({SHAD, 0x20})).output;
    ASSERT_EQ(shad.size(), 4u);
    EXPECT_EQ(run, std::string("\x03") + ka[0] + " " + kha[0] + shad[0] + shad[2]);
}

}  // namespace
}  // namespace vexa::test
