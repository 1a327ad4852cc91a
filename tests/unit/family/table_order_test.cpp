// The converters find the fusions of a glyph and a sign by halving, so every
// generated fusion table must stay sorted by (glyph, sign); entries with the
// same key keep the order of preference the generator gave them.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "bengali/bengali_tables.inc"
#include "devanagari/devanagari_tables.inc"
#include "gujarati/gujarati_tables.inc"
#include "gurmukhi/gurmukhi_tables.inc"
#include "kannada/kannada_tables.inc"
#include "malayalam/malayalam_tables.inc"
#include "oriya/oriya_tables.inc"
#include "tamil/tamil_tables.inc"
#include "telugu/telugu_tables.inc"

namespace vexa::family {
namespace {

using engine::Fusion;

bool SortedByGlyphAndSign(std::span<const Fusion> table) {
    return std::is_sorted(table.begin(), table.end(), [](const Fusion& a, const Fusion& b) {
        return a.last != b.last ? a.last < b.last : a.matra < b.matra;
    });
}

TEST(FusionTableOrder, EveryScriptsFusionsAreSortedByGlyphAndSign) {
    EXPECT_TRUE(SortedByGlyphAndSign(bengali::kRules.fusions));
    EXPECT_TRUE(SortedByGlyphAndSign(devanagari::kRules.fusions));
    EXPECT_TRUE(SortedByGlyphAndSign(gujarati::kRules.fusions));
    EXPECT_TRUE(SortedByGlyphAndSign(gurmukhi::kRules.fusions));
    EXPECT_TRUE(SortedByGlyphAndSign(malayalam::kRules.fusions));
    EXPECT_TRUE(SortedByGlyphAndSign(oriya::kRules.fusions));
    EXPECT_TRUE(SortedByGlyphAndSign(tamil::kRules.fusions));
    EXPECT_TRUE(SortedByGlyphAndSign(telugu::kRules.fusions));
    EXPECT_TRUE(SortedByGlyphAndSign(kannada::kRules.fusions));
}

TEST(FusionTableOrder, BelowBaseScriptsKeepTheirBaseAndSubscriptFusionsSorted) {
    EXPECT_TRUE(SortedByGlyphAndSign(kannada::kBelowBase.fusions));
    EXPECT_TRUE(SortedByGlyphAndSign(kannada::kBelowBase.signedSubscripts));
    EXPECT_TRUE(SortedByGlyphAndSign(telugu::kBelowBase.fusions));
    EXPECT_TRUE(SortedByGlyphAndSign(telugu::kBelowBase.signedSubscripts));
}

// A table out of order is what the test must catch.
TEST(FusionTableOrder, AnUnsortedTableIsTold) {
    const Fusion table[] = {{5, 0x0941, 0, 1}, {5, 0x093F, 1, 1}};
    EXPECT_FALSE(SortedByGlyphAndSign(table));
}

}  // namespace
}  // namespace vexa::family
