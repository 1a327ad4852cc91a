#include "script/iscii_text.h"

#include <gtest/gtest.h>

#include "unit/fixture_platform.h"

namespace vexa::script {
namespace {

using test::Bytes;

TEST(EightBitFilter, LineFeedsGainACarriageReturnUnlessAtStartOrAfterOne) {
    EXPECT_EQ(FilterEightBitInput(Bytes({'a', 0x0A, 'b'})), Bytes({'a', 0x0D, 0x0A, 'b'}));
    EXPECT_EQ(FilterEightBitInput(Bytes({'a', 0x0D, 0x0A, 'b'})), Bytes({'a', 0x0D, 0x0A, 'b'}));
    EXPECT_EQ(FilterEightBitInput(Bytes({0x0A, 'b'})), Bytes({0x0A, 'b'}));
}

TEST(EightBitFilter, KeepsPrintableEnglishIsciiLettersAndLineEnds) {
    std::string kept;
    for (int b = 0; b < 256; ++b) {
        if (b == 0x1F || b == 0xEF || b == 0xF0 || b == 0x0A) continue;
        std::string out = FilterEightBitInput(Bytes({b}));
        bool keep = (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xEA) || b == 0x0D ||
                    b == 0x04 || b == 0x05 || b == 0x1D;
        EXPECT_EQ(out, keep ? Bytes({b}) : "") << std::hex << b;
    }
    std::string high;
    for (int b = 0x80; b <= 0xA0; ++b) high += static_cast<char>(b);
    EXPECT_EQ(FilterEightBitInput(high), "");
}

TEST(EightBitFilter, SomeBytesTakeTheNextByteWithThem) {
    EXPECT_EQ(FilterEightBitInput(Bytes({'a', 0x1F, 'b', 'c'})), "ac");
    EXPECT_EQ(FilterEightBitInput(Bytes({0xF0, 0xB8, 0xB3, 0xEF, 0x0A, 'x'})), Bytes({0xB3, 'x'}));
    // As the last byte it goes alone, and nothing beyond the text is read.
    EXPECT_EQ(FilterEightBitInput(Bytes({'a', 0xF0})), "a");
    EXPECT_EQ(FilterEightBitInput(Bytes({0x1F})), "");
}

TEST(DecodedFilter, SoftLineEndsComeBackAsWhatTheyStandFor) {
    EXPECT_EQ(FilterDecodedInput(Bytes({'a', 0x04, 'b', 0x05, 'c', 0x1D, 'd'})), "a b cd");
    EXPECT_EQ(FilterDecodedInput(Bytes({'a', 0x0D, 0x0A, 0x09, 0x7F, 0x01, 0x80, 0xF0})),
              Bytes({'a', 0x0D, 0x0A, 0x80, 0xF0}));
}

TEST(TextFormats, ReadingAndAssigningInEachFormat) {
    std::string stored = Bytes({0xB3, 0xDA, ' ', 'k', 0x0D, 0x0A, 0xB4});
    EXPECT_EQ(*StoredTextInFormat(stored, 0), stored);
    EXPECT_EQ(*StoredTextInFormat(stored, 1), Bytes({'x', 'D', 'k', ' ', 'k', 0x0D, 0x0A, 'x', 'E'}));
    EXPECT_EQ(*StoredTextInFormat(stored, 2), Bytes({0x92, 0xEA, ' ', 'k', 0x0D, 0x0A, 0x93}));
    for (int format : {0, 1, 2}) {
        EXPECT_EQ(*AssignedTextFromFormat(*StoredTextInFormat(stored, format), format), stored)
            << format;
    }
    EXPECT_FALSE(StoredTextInFormat(stored, 3));
    EXPECT_FALSE(AssignedTextFromFormat(stored, -1));
}

TEST(TextFormats, PcIsciiRoundTripRestoresEveryLetterAndKeepsMappedHighBytes) {
    std::string letters;
    for (int b = 0xA1; b <= 0xEA; ++b) letters += static_cast<char>(b);
    EXPECT_EQ(*AssignedTextFromFormat(*StoredTextInFormat(letters, 2), 2), letters);
    EXPECT_EQ(*AssignedTextFromFormat(Bytes({0x80}), 2), Bytes({0xA1}));
    EXPECT_EQ(*AssignedTextFromFormat(Bytes({0x80}), 0), "");
}

TEST(TextFormats, SoftWrapsSurviveASevenBitOrPcRoundTrip) {
    // A wrapped line as stored: the soft break 0x04 stands for a space.
    std::string stored = Bytes({0xB3, 0xDA, 0x04, 0xB4, 0x1D, 0xB5});
    std::string expected = Bytes({0xB3, 0xDA, ' ', 0xB4, 0xB5});
    EXPECT_EQ(*AssignedTextFromFormat(*StoredTextInFormat(stored, 1), 1), expected);
    EXPECT_EQ(*AssignedTextFromFormat(*StoredTextInFormat(stored, 2), 2), expected);
}

TEST(TextFormats, SevenBitInputHasNoLengthLimit) {
    std::string input;
    for (int i = 0; i < 5000; ++i) input += "xka ";
    EXPECT_EQ(AssignedTextFromFormat(input, 1)->size(), 15000u);
}

}  // namespace
}  // namespace vexa::script
