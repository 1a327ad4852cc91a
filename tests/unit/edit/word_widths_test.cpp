#include "edit/word_widths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexa::edit {
namespace {

// Measures by counting bytes (each worth its value) and logs every call.
struct Measurer {
    std::vector<std::string> calls;
    int operator()(std::string_view word) {
        calls.emplace_back(word);
        int w = 0;
        for (unsigned char c : word) w += c;
        return w;
    }
};

TEST(WordWidthsTest, ARepeatedWordIsMeasuredOnceAndKeepsItsWidth) {
    WordWidths widths;
    Measurer m;
    auto measure = [&](std::string_view w) { return m(w); };
    EXPECT_EQ(widths.Width("ab", measure), 'a' + 'b');
    EXPECT_EQ(widths.Width("ab", measure), 'a' + 'b');
    EXPECT_EQ(widths.Width("ba", measure), 'a' + 'b');
    EXPECT_EQ(m.calls, (std::vector<std::string>{"ab", "ba"}));
    EXPECT_EQ(widths.Hits(), 1u);
}

// Thousands of words share the slots: whatever was pushed out, every answer
// is the word's own width, never another word's.
TEST(WordWidthsTest, WordsThatShareASlotNeverTakeEachOthersWidth) {
    WordWidths widths;
    Measurer m;
    auto measure = [&](std::string_view w) { return m(w); };
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 20000; ++i) {
            const std::string word = "w" + std::to_string(i);
            int expected = 0;
            for (unsigned char c : word) expected += c;
            ASSERT_EQ(widths.Width(word, measure), expected) << word;
        }
    }
    EXPECT_GT(m.calls.size(), 20000u);  // some were pushed out and measured again
}

TEST(WordWidthsTest, LongWordsAndTheEmptyWordAreMeasuredAsTheyAre) {
    WordWidths widths;
    Measurer m;
    auto measure = [&](std::string_view w) { return m(w); };
    const std::string longWord(64, 'x');
    EXPECT_EQ(widths.Width(longWord, measure), 64 * 'x');
    EXPECT_EQ(widths.Width(longWord, measure), 64 * 'x');
    EXPECT_EQ(widths.Width("", measure), 0);
    EXPECT_EQ(widths.Width("", measure), 0);
    EXPECT_EQ(m.calls.size(), 3u);  // the long word twice, the empty one once
}

}  // namespace
}  // namespace vexa::edit
