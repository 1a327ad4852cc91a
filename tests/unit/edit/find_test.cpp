#include <gtest/gtest.h>

#include <random>

#include "edit/find_session.h"
#include "edit/find_text.h"
#include "unit/edit/edit_rig.h"

namespace vexa::edit::test {
namespace {

constexpr FindOptions kDown{};
constexpr FindOptions kUp{true, true};
constexpr FindOptions kAnyCaseDown{false, false};

std::optional<TextMatch> At(std::size_t b, std::size_t e) { return TextMatch{b, e}; }

TEST(FindText, TypedSpacesMatchWrapsAndForcedBreaksArePassedOver) {
    // "ka kha" wrapped at the space, "abcd" wrapped inside the word, a tab
    // wrapped, and a hard line end.
    const std::string text = Bytes({0xB3, 0x04, 0xB4, 0x0D, 'a', 'b', 0x1D, 'c', 'd', 0x05, 'x'});
    EXPECT_EQ(FindInText(text, Bytes({0xB3, ' ', 0xB4}), 0, kDown), At(0, 3));
    EXPECT_EQ(FindInText(text, "abcd", 0, kDown), At(4, 9));
    EXPECT_EQ(FindInText(text, "d\tx", 0, kDown), At(8, 11));
    // A hard line end is only matched by one; a space is not a line end.
    EXPECT_EQ(FindInText(text, Bytes({0xB4, 0x0D, 'a'}), 0, kDown), At(2, 5));
    EXPECT_EQ(FindInText(text, Bytes({0xB4, ' ', 'a'}), 0, kDown), std::nullopt);
    // A match never starts on the forced break itself.
    EXPECT_EQ(FindInText(text, "c", 0, kDown), At(7, 8));
    EXPECT_EQ(FindInText(text, "", 0, kDown), std::nullopt);
}

TEST(FindText, DirectionAndCase) {
    const std::string text = "Ab ab AB";
    EXPECT_EQ(FindInText(text, "ab", 0, kDown), At(3, 5));
    EXPECT_EQ(FindInText(text, "ab", 4, kAnyCaseDown), At(6, 8));
    // Up: the last match that ends at or before the start point.
    EXPECT_EQ(FindInText(text, "ab", text.size(), {false, true}), At(6, 8));
    EXPECT_EQ(FindInText(text, "ab", 6, {false, true}), At(3, 5));
    EXPECT_EQ(FindInText(text, "ab", 4, {false, true}), At(0, 2));
    EXPECT_EQ(FindInText(text, "ab", 3, kUp), std::nullopt);
    // ISCII bytes have no case: 0xB3 and 0xD3 stay apart.
    EXPECT_EQ(FindInText(Bytes({0xD3}), Bytes({0xB3}), 0, kAnyCaseDown), std::nullopt);
}

TEST(FindText, ReplaceEveryMakesOnePassAndCounts) {
    // A replacement that holds the search string ends after one pass.
    ReplacedText r = ReplaceEvery("a-a-a", "a", "ab", kDown);
    EXPECT_EQ(r.text, "ab-ab-ab");
    EXPECT_EQ(r.count, 3);
    // Occurrences do not overlap: "aaaa" holds two "aa".
    r = ReplaceEvery("aaaaa", "aa", "b", kDown);
    EXPECT_EQ(r.text, "bba");
    EXPECT_EQ(r.count, 2);
    // A match across a soft wrap takes the wrap with it.
    r = ReplaceEvery(Bytes({'x', 0xB3, 0x04, 0xB4}), Bytes({0xB3, ' ', 0xB4}), "Z", kDown);
    EXPECT_EQ(r.text, "xZ");
    EXPECT_EQ(ReplaceEvery("abc", "", "x", kDown).count, 0);
    EXPECT_EQ(ReplaceEvery("abc", "q", "x", kDown).text, "abc");
    EXPECT_EQ(ReplaceEvery("AbAB", "ab", "-", kAnyCaseDown).text, "--");
}

// The search as first written, position by position: the oracle for the
// one-pass search.
std::optional<TextMatch> OracleMatchAt(std::string_view text, std::string_view what,
                                       std::size_t at, bool matchCase) {
    const auto typed = [matchCase](unsigned char b, bool inText) {
        if (inText && b == kSoftBreakSpace) b = ' ';
        if (inText && b == kSoftBreakTab) b = '\t';
        return !matchCase && b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b;
    };
    if (what.empty() || at >= text.size()) return std::nullopt;
    std::size_t j = at;
    for (std::size_t i = 0; i < what.size(); ++i, ++j) {
        while (i > 0 && j < text.size() && static_cast<unsigned char>(text[j]) == kForcedBreak &&
               static_cast<unsigned char>(what[i]) != kForcedBreak)
            ++j;
        if (j >= text.size() || typed(static_cast<unsigned char>(text[j]), true) !=
                                    typed(static_cast<unsigned char>(what[i]), false))
            return std::nullopt;
    }
    return TextMatch{at, j};
}

std::optional<TextMatch> OracleFind(std::string_view text, std::string_view what,
                                    std::size_t from, const FindOptions& options) {
    if (!options.up) {
        for (std::size_t at = from; at < text.size(); ++at)
            if (auto m = OracleMatchAt(text, what, at, options.matchCase)) return m;
        return std::nullopt;
    }
    for (std::size_t at = std::min(from, text.size()); at-- > 0;) {
        auto m = OracleMatchAt(text, what, at, options.matchCase);
        if (m && m->end <= from) return m;
    }
    return std::nullopt;
}

TEST(FindText, AgreesWithThePositionByPositionSearchOnRandomTexts) {
    std::mt19937 random(2026);
    const std::string textBytes = Bytes({'a', 'b', 'A', ' ', 0x04, 0x05, '\t', 0x1D, 0x0D, 0xB3});
    const std::string typedBytes = Bytes({'a', 'b', 'B', 'A', ' ', '\t', 0xB3});
    auto pick = [&](const std::string& from) { return from[random() % from.size()]; };
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& c : text) c = pick(textBytes);
        std::string what(1 + random() % 5, ' ');
        for (char& c : what) c = pick(typedBytes);
        // Now and then the string holds a forced break of its own.
        if (random() % 20 == 0) what[random() % what.size()] = static_cast<char>(kForcedBreak);
        const FindOptions options{random() % 2 == 0, random() % 2 == 0};
        const std::size_t from = random() % (text.size() + 2);
        ASSERT_EQ(FindInText(text, what, from, options), OracleFind(text, what, from, options))
            << "round " << round;
        if (options.up) continue;
        std::string replaced;
        std::size_t copied = 0;
        while (auto m = OracleFind(text, what, copied, options)) {
            replaced += text.substr(copied, m->begin - copied) + "<>";
            copied = m->end;
        }
        replaced += text.substr(copied);
        ASSERT_EQ(ReplaceEvery(text, what, "<>", options).text, replaced) << "round " << round;
    }
}

class FindSessionTest : public ::testing::Test {
  protected:
    EditRig rig{EditRig::MultiLineScrolling()};
};

TEST_F(FindSessionTest, FindNextWalksTheMatchesFromTheStartAndDoesNotWrap) {
    rig.engine.SetText("one two one two");
    rig.Key(keys::kEnd);  // the caret does not decide where the search starts
    FindSession find(rig.engine);
    EXPECT_EQ(rig.B().CaretIndex(), 0u);
    EXPECT_EQ(find.FindNext("two", kDown), FindOutcome::kFound);
    EXPECT_EQ(rig.engine.SelStart(), 4);
    EXPECT_EQ(rig.engine.SelLength(), 3);
    EXPECT_EQ(rig.B().CaretIndex(), 7u);
    EXPECT_EQ(rig.V().CaretX(), rig.engine.MeasureText("one two"));
    EXPECT_EQ(find.FindNext("two", kDown), FindOutcome::kFound);
    EXPECT_EQ(rig.engine.SelStart(), 12);
    EXPECT_EQ(find.FindNext("two", kDown), FindOutcome::kNotFound);
    EXPECT_EQ(find.FindNext("two", kDown), FindOutcome::kNotFound);
    // Upwards from the last match: the one before it, then nothing.
    EXPECT_EQ(find.FindNext("two", kUp), FindOutcome::kFound);
    EXPECT_EQ(rig.engine.SelStart(), 4);
    EXPECT_EQ(find.FindNext("two", kUp), FindOutcome::kNotFound);
    EXPECT_EQ(find.FindNext("", kDown), FindOutcome::kNotFound);
}

TEST_F(FindSessionTest, AMatchBelowTheViewIsScrolledIntoViewEvenWhenPagingCannotMove) {
    // One row visible and no vertical scrolling by keys: paging would not move.
    EditStyle style = EditRig::MultiLineScrolling();
    style.autoVScroll = false;
    EditRig small(style, {0, 0, 300, 20});
    small.engine.SetText("a\rb\rc\rd\rneedle\rf");
    ASSERT_EQ(small.engine.PageLines(), 1);
    FindSession find(small.engine);
    ASSERT_EQ(find.FindNext("needle", kDown), FindOutcome::kFound);
    EXPECT_EQ(small.B().TopLine(), 4);
    EXPECT_EQ(small.B().CaretLine(), 4);
    EXPECT_EQ(small.V().CaretY(), 0);
    EXPECT_EQ(CheckInvariants(small), "");
    // Opening another session brings the first line back.
    FindSession again(small.engine);
    EXPECT_EQ(small.B().TopLine(), 0);
}

TEST_F(FindSessionTest, AMatchPastTheRightEdgeScrollsTheRow) {
    rig.engine.SetText(std::string(60, 'x') + "end");
    FindSession find(rig.engine);
    ASSERT_EQ(find.FindNext("end", kDown), FindOutcome::kFound);
    EXPECT_LT(rig.V().HScroll(), 0);
    EXPECT_GE(rig.V().CaretX(), 0);
    EXPECT_LE(rig.V().CaretX(), rig.engine.TextWidth());
}

TEST_F(FindSessionTest, ReplaceNeedsAFoundMatchAndSearchesOnBehindTheReplacement) {
    rig.engine.SetText("cat cat cat");
    const int changedBefore = rig.events.changed;
    FindSession find(rig.engine);
    // No match yet: Replace finds the first one only.
    EXPECT_EQ(find.Replace("cat", "cats", kDown), FindOutcome::kFound);
    EXPECT_EQ(rig.Text(), "cat cat cat");
    EXPECT_EQ(find.Replace("cat", "cats", kDown), FindOutcome::kReplaced);
    EXPECT_EQ(rig.Text(), "cats cat cat");
    EXPECT_EQ(rig.B().CaretIndex(), 4u);
    EXPECT_FALSE(rig.engine.HasSelection());
    // The replacement holds the search string but is not found again.
    EXPECT_EQ(find.FindNext("cat", kDown), FindOutcome::kFound);
    EXPECT_EQ(rig.engine.SelStart(), 5);
    // A selection moved away from the match is not replaced.
    rig.engine.SetSelStart(0);
    rig.engine.SetSelLength(2);
    EXPECT_EQ(find.Replace("cat", "dog", kDown), FindOutcome::kFound);
    EXPECT_EQ(rig.Text(), "cats cat cat");
    // Replace and Replace All take no undo copy and fire no CHANGE.
    EXPECT_EQ(rig.events.changed, changedBefore);
    EXPECT_EQ(rig.B().UndoText(), "VEdit");
}

TEST_F(FindSessionTest, ReplaceAllRecountsTheLinesAndKeepsTheCaretInTheText) {
    rig.engine.SetText("x\rx\rx\rx\rx\rx\rx\rend");
    rig.Key(keys::kNext);
    rig.Key(keys::kNext);
    FindSession find(rig.engine);
    rig.engine.SetSelStart(0);
    rig.engine.SetSelLength(0);
    for (int i = 0; i < 14; ++i) rig.Key(keys::kRight);
    // Hard line ends are replaced too: the line counters follow.
    EXPECT_EQ(find.ReplaceAll("x\r", "", kDown), 7);
    EXPECT_EQ(rig.Text(), "end");
    EXPECT_EQ(rig.B().LastLine(), 0);
    EXPECT_EQ(rig.B().TopLine(), 0);
    EXPECT_EQ(rig.B().CaretIndex(), 2u);  // the text's last byte
    EXPECT_EQ(CheckInvariants(rig), "");
    // Everything replaced by nothing: the caret is at 0, not before it.
    EXPECT_EQ(find.ReplaceAll("end", "", kDown), 1);
    EXPECT_EQ(rig.Text(), "");
    EXPECT_EQ(rig.B().CaretIndex(), 0u);
    EXPECT_EQ(find.ReplaceAll("q", "z", kDown), 0);
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST_F(FindSessionTest, ReplaceAllInAWrappedControlWrapsAgain) {
    EditRig wrapped;  // 300 pixels wide, wrapping at spaces
    wrapped.engine.SetText("a b c d e f g h i j k l m n o p q r s t u v w x y z");
    const int linesBefore = wrapped.B().LastLine();
    FindSession find(wrapped.engine);
    EXPECT_EQ(find.ReplaceAll(" ", "  and  ", kDown), 25);
    EXPECT_GT(wrapped.B().LastLine(), linesBefore);
    EXPECT_EQ(CheckInvariants(wrapped), "");
    // Searching across the new wraps still finds typed spaces.
    EXPECT_EQ(find.FindNext("y  and  z", kDown), FindOutcome::kFound);
}

TEST_F(FindSessionTest, AReadOnlyControlIsSearchedButNeverChanged) {
    rig.engine.Style().readOnly = true;
    rig.engine.SetText("ab ab");
    FindSession find(rig.engine);
    EXPECT_EQ(find.FindNext("ab", kDown), FindOutcome::kFound);
    EXPECT_EQ(find.Replace("ab", "x", kDown), FindOutcome::kRefused);
    EXPECT_EQ(rig.engine.SelStart(), 3);  // it found the next one instead
    EXPECT_EQ(find.ReplaceAll("ab", "x", kDown), std::nullopt);
    EXPECT_EQ(rig.Text(), "ab ab");
}

}  // namespace
}  // namespace vexa::edit::test
