// The Gujarati syllable rules, checked by the Noto glyph names the codes of
// the converters stand for (looked up in the generated map).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/family/glyph_map.h"
#include "unit/family/raw_converter.h"

namespace vexa::test {
namespace {

constexpr int KA = 0xB3, JA = 0xBA, TA = 0xC2, NA = 0xC6, RA = 0xCF, VA = 0xD4, SSA = 0xD6, SA = 0xD7,
              VIRAMA = 0xE8, NUKTA = 0xE9, AA_SIGN = 0xDA, I_SIGN = 0xDB, II_SIGN = 0xDC,
              ANUSVARA = 0xA2, VOWEL_A = 0xA4;

using Names = std::vector<std::string>;

class Gujarati : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    RawConverter gjb{sim, "GJBCV32.DLL", "iscii2gjzirvo"};
    RawConverter gjm{sim, "GJMCV32.DLL", "iscii2gjzirvo"};
    GlyphMap map{VEXA_SOURCE_DIR "/family/fonts/gujarati/gujarati.map.json", "GJBCV32.DLL"};

    void SetUp() override { ASSERT_TRUE(gjb.Loaded() && gjm.Loaded() && map.Loaded()); }
    Names Glyphs(std::initializer_list<int> text) { return map.Names(gjb.Call(Iscii(text)).output); }
};

TEST_F(Gujarati, PreBaseISignComesFirstInTheWidthOfItsCluster) {
    const Names ki = Glyphs({KA, I_SIGN});
    ASSERT_EQ(ki.size(), 2u);
    EXPECT_EQ(ki[1], "kagujr");
    EXPECT_EQ(ki[0].rfind("ivowelsign", 0), 0u) << ki[0];
    const Names ski = Glyphs({SA, VIRAMA, KA, I_SIGN});
    ASSERT_EQ(ski.size(), 3u);
    EXPECT_EQ(ski[1], "saprehalfgujr");
    EXPECT_NE(ski[0], ki[0]) << "a wider cluster takes a wider i-sign";
    // Noto's widest i-sign has no number: the variant "default" (kta + i).
    const Names kti = Glyphs({KA, VIRAMA, TA, I_SIGN});
    ASSERT_EQ(kti.size(), 3u);
    EXPECT_EQ(kti[0], "ivowelsigndefaultgujr");
    const Names kii = Glyphs({KA, II_SIGN});
    ASSERT_EQ(kii.size(), 2u);
    EXPECT_EQ(kii[0], "kagujr");
}

TEST_F(Gujarati, RephSitsOnTheConsonantInTheFormItsBaseTakes) {
    EXPECT_EQ(Glyphs({RA, VIRAMA, KA}), (Names{"kagujr", "rephleftgujr"}));
    EXPECT_EQ(Glyphs({RA, VIRAMA, VA}), (Names{"vagujr", "rephgujr"}));
    EXPECT_EQ(gjb.Call(Iscii({RA, VIRAMA, KA, 0x20})).consumed, 3);
}

TEST_F(Gujarati, HalfFormsConjunctsAndRakar) {
    EXPECT_EQ(Glyphs({SA, VIRAMA, NA}), (Names{"saprehalfgujr", "nagujr"}));
    EXPECT_EQ(Glyphs({KA, VIRAMA, SSA}), (Names{"kassagujr"}));
    EXPECT_EQ(Glyphs({KA, VIRAMA, RA}), (Names{"karagujr"}));
    EXPECT_EQ(Glyphs({KA, VIRAMA, NUKTA}), (Names{"kaprehalfgujr"})) << "soft virama";
}

TEST_F(Gujarati, VowelSignsThatFuseWithTheConsonantAndMarksByBase) {
    EXPECT_EQ(Glyphs({JA, AA_SIGN}), (Names{"jaaavowelgujr"}));
    EXPECT_EQ(Glyphs({JA, II_SIGN}), (Names{"jaiivowelgujr"})) << "no ii-sign after the fusion";
    EXPECT_EQ(Glyphs({KA, ANUSVARA}), (Names{"kagujr", "anusvaraleftgujr"}));
    EXPECT_EQ(Glyphs({VOWEL_A, ANUSVARA}), (Names{"agujr", "anusvaragujr"}));
}

TEST_F(Gujarati, MonolingualConverterSplitsAlikeInOneFace) {
    const std::string text = Iscii({RA, VIRAMA, KA, I_SIGN, ANUSVARA, 0x20, SA, VIRAMA, KA,
                                    VIRAMA, SSA, AA_SIGN, 0x20, JA, II_SIGN});
    std::vector<int> b, m;
    gjb.ConvertAll(text, &b);
    const std::string mono = gjm.ConvertAll(text, &m);
    EXPECT_EQ(b, m);
    for (std::size_t i = 1; i < mono.size(); i += 2) EXPECT_EQ(mono[i], '1');
}

}  // namespace
}  // namespace vexa::test
