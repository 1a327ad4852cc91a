#include "script/seven_bit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

#include "unit/fixture_platform.h"

namespace vexa::script {
namespace {

using test::Bytes;
using ::testing::ElementsAre;

// Each ISCII byte is spelled and word starts are marked; line starts, soft
// breaks and tabs also start words; unspelled bytes are dropped (never
// leaving a stray word mark) and low bytes copied.
TEST(EncodeSevenBit, SpellsEachIsciiByteAndMarksWordStarts) {
    EXPECT_EQ(EncodeSevenBit(Bytes({0xB3, 0xDA})), "xDk");
    EXPECT_EQ(EncodeSevenBit(Bytes({'a', 0xB3, '1', 0xB4})), "aD1E");
    EXPECT_EQ(EncodeSevenBit(Bytes({'a', ' ', 0xAE, 0xB2, 0xA3})), "a xCsxCvxBx");
    EXPECT_EQ(EncodeSevenBit(Bytes({0xA1, 0xD9, 0xE9, 0xEF})), "xAjxxz");
    for (int separator : {0x0D, 0x0A, 0x09, 0x04, 0x05, 0x1D}) {
        EXPECT_EQ(EncodeSevenBit(Bytes({'a', separator, 0xB3})), Bytes({'a', separator, 'x', 'D'}))
            << separator;
    }
    EXPECT_EQ(EncodeSevenBit(Bytes({0xEB, 0xEC, 0xED, 0xEE, 0xF0, 0xFF})), "");
    EXPECT_EQ(EncodeSevenBit(Bytes({0x80, 0xA0, 0x00, 0x7F})), Bytes({0x80, 0xA0, 0x00, 0x7F}));
    EXPECT_EQ(EncodeSevenBit(Bytes({0xEB, ' '})), " ");
}

TEST(DecodeSevenBit, WordsMarkedWithXDecodeUntilASeparator) {
    const std::pair<std::string, std::string> cases[] = {
        {"xka ", Bytes({0xDA, 0xCD, 0x20})},
        {"xDk xE", Bytes({0xB3, 0xDA, ' ', 0xB4})},
        {"ka xa", Bytes({'k', 'a', ' ', 0xCD})},
        // Double x spells a plain word.
        {"xxa", "xa"},
        {"xxa xa", Bytes({'x', 'a', ' ', 0xCD})},
        // Longer codes win over shorter ones; "C" before a letter that does
        // not continue it stands alone, and that letter starts the next code.
        {"xBxCkCsxCvxCsCvCt", Bytes({0xA3, 0xA5, 0xAE, 0xB2, 0xAD, 0xB1, 0xAF})},
        {"xCa", Bytes({0xA4, 0xCD})},
        {"xC", Bytes({0xA4})},
        {"xCsD", Bytes({0xAD, 0xB3})},
        {"xz", Bytes({0xEF})},
        // Non-letters inside a word are copied; a digit is a separator, so
        // what follows starts a new word, here a plain one.
        {"xD1E", Bytes({0xB3, '1', 'E'})},
        {Bytes({'x', 'D', 0x90, 'E'}), Bytes({0xB3, 0x90, 0xB4})},
        // A pending x before a non-letter or the end is a literal x.
        {"x", "x"},
        {"x1", "x1"},
        {"x x", "x x"},
    };
    for (const auto& [coded, iscii] : cases) EXPECT_EQ(DecodeSevenBit(coded), iscii) << coded;
}

TEST(DecodeSevenBit, CountsSayHowManyCharactersMadeEachByte) {
    std::vector<std::uint8_t> counts;
    EXPECT_EQ(DecodeSevenBit("xCsxa b", &counts), Bytes({0xAE, 0xCD, ' ', 'b'}));
    EXPECT_THAT(counts, ElementsAre(4, 1, 1, 1));
    DecodeSevenBit("xxa", &counts);
    EXPECT_THAT(counts, ElementsAre(2, 1));
}

TEST(DecodeSevenBit, EveryInputCharacterIsCountedExactlyOnce) {
    std::string input;
    for (int i = 0; i < 4000; ++i) input += static_cast<char>("xCsvkaz 1\rAB\x90"[i * 7 % 13]);
    std::vector<std::uint8_t> counts;
    std::string out = DecodeSevenBit(input, &counts);
    ASSERT_EQ(counts.size(), out.size());
    EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), std::size_t{0}), input.size());
}

TEST(DecodeSevenBit, DecodingWithAndWithoutCountsAgreesWherePiecesCrossBlocks) {
    // The decoder without counts works on blocks of sixteen characters; codes,
    // word marks and "xx" that straddle a block edge must read as the counting
    // decoder reads them. Every length and offset up to a few blocks is tried.
    const std::string_view pieces[] = {"xCsx", "xCvx", "Csx", "Cvx", "Ck", "Bx", "xx", "x",
                                       "C",    "s",    "v",   " ",   "1",  "k",  "\x90", "\r\n"};
    std::uint32_t seed = 12345;
    for (int round = 0; round < 3000; ++round) {
        std::string input;
        const std::size_t length = round % 80;
        while (input.size() < length) {
            seed = seed * 1103515245U + 12345U;
            input += pieces[(seed >> 16) % std::size(pieces)];
        }
        std::vector<std::uint8_t> counts;
        const std::string expected = DecodeSevenBit(input, &counts);
        ASSERT_EQ(DecodeSevenBit(input), expected) << input;
    }
}

TEST(SevenBitRoundTrip, EveryIsciiLetterOfAWordComesBack) {
    // Each coded byte alone as a word, and all of them in one long word
    // after a line break: what the encoder writes, the decoder reads back.
    // The nukta (0xE9) is left out: it is spelled "x", so at a word start it
    // reads as the plain-word mark and after a letter that takes "x" it merges
    // into that letter's two-letter code.
    std::string all;
    for (int b = 0xA1; b <= 0xEA; ++b) {
        if (b == 0xE9) continue;
        std::string word = Bytes({'a', ' ', b, ' '});
        EXPECT_EQ(DecodeSevenBit(EncodeSevenBit(word)), word) << std::hex << b;
        all += static_cast<char>(b);
    }
    std::string text = "line\r\n" + all;
    EXPECT_EQ(DecodeSevenBit(EncodeSevenBit(text)), text);
}

}  // namespace
}  // namespace vexa::script
