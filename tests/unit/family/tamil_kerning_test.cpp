// Tamil kerning and widths the converters take over from Noto Sans Tamil,
// checked by where the generated map places each glyph a converter draws
// (Noto name, advance and offset), as relations between syllables.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/family/glyph_map.h"
#include "unit/family/raw_converter.h"

namespace vexa::test {
namespace {

constexpr int KA = 0xB3, CA = 0xB8, TTA = 0xBD, NNA = 0xC1, TA = 0xC2, NNNA = 0xC7, RA = 0xCF,
              SSA = 0xD6, AA_SIGN = 0xDA, II_SIGN = 0xDC, U_SIGN = 0xDD, E_SIGN = 0xE0,
              AI_SIGN = 0xE2, O_SIGN = 0xE4, VIRAMA = 0xE8;

using Placements = std::vector<GlyphMap::Placement>;

std::vector<std::string> NamesOf(const Placements& p) {
    std::vector<std::string> out;
    for (const auto& g : p) out.push_back(g.name);
    return out;
}

// The first glyph of that name (a placement named "?" when there is none).
GlyphMap::Placement Find(const Placements& p, const std::string& name) {
    for (const auto& g : p) {
        if (g.name == name) return g;
    }
    return {"?", 0, 0};
}

class TamilKerning : public ::testing::Test {
protected:
    static constexpr const char* kMap = VEXA_SOURCE_DIR "/family/fonts/tamil/tamil.map.json";
    sim::SimPlatform sim;
    RawConverter tmm{sim, "TMMCV32.DLL", "iscii2tamilzirvo"};
    RawConverter tmb{sim, "TMBCV32.DLL", "iscii2tamilzirvo"};
    GlyphMap mono{kMap, "TMMCV32.DLL"};
    GlyphMap bilingual{kMap, "TMBCV32.DLL"};

    void SetUp() override {
        ASSERT_TRUE(tmm.Loaded() && tmb.Loaded() && mono.Loaded() && bilingual.Loaded());
    }
    Placements Glyphs(std::initializer_list<int> text) {
        return mono.Placements(tmm.Call(Iscii(text)).output);
    }
};

TEST_F(TamilKerning, PreBaseSignMovesLeftAfterAPulliConsonantNotoNarrows) {
    const Placements ttaPulli = Glyphs({TTA, VIRAMA, KA, E_SIGN});
    ASSERT_EQ(NamesOf(ttaPulli),
              (std::vector<std::string>{"ttatamil", "viramatamil", "evowelsigntamil", "katamil"}));
    const auto plain = Find(Glyphs({KA, VIRAMA, KA, E_SIGN}), "evowelsigntamil");
    EXPECT_EQ(plain.dx, 0) << "ka with pulli is not narrowed";
    const auto afterTta = ttaPulli[2];
    EXPECT_LT(afterTta.dx, 0);
    EXPECT_EQ(afterTta.adv - afterTta.dx, plain.adv) << "moved whole: the text after it moves too";
    const auto afterTa = Find(Glyphs({TA, VIRAMA, KA, E_SIGN}), "evowelsigntamil");
    EXPECT_LT(afterTa.dx, 0);
    EXPECT_GT(afterTa.dx, afterTta.dx) << "Noto narrows ta with pulli less than tta";
    // The split o sign moves its e part alike.
    EXPECT_EQ(Find(Glyphs({TTA, VIRAMA, KA, O_SIGN}), "evowelsigntamil").dx, afterTta.dx);
    // Noto kerns ai after ta with pulli no more than after ka.
    EXPECT_EQ(Find(Glyphs({TA, VIRAMA, KA, AI_SIGN}), "aivowelsigntamil").dx, 0);
    // nna with pulli is narrowed before ka, not before the e sign between
    // them: the e sign gives the cluster's nna its width back; Noto narrows
    // it before ai, so ai moves less.
    const int nnaAlone = Glyphs({NNA, VIRAMA, VIRAMA})[0].adv;
    const int nnaBeforeKa = Glyphs({NNA, VIRAMA, KA})[0].adv;
    ASSERT_LT(nnaBeforeKa, nnaAlone);
    const auto eAfterNna = Find(Glyphs({NNA, VIRAMA, KA, E_SIGN}), "evowelsigntamil");
    EXPECT_EQ(eAfterNna.dx, nnaAlone - nnaBeforeKa);
    EXPECT_LT(Find(Glyphs({NNA, VIRAMA, KA, AI_SIGN}), "aivowelsigntamil").dx, eAfterNna.dx);
}

TEST_F(TamilKerning, BilingualFaceStillDrawsEverySign) {
    // The 128-code face may lack the moved sign: it draws the sign anyway.
    const auto names =
        NamesOf(bilingual.Placements(tmb.Call(Iscii({TTA, VIRAMA, KA, E_SIGN})).output));
    EXPECT_EQ(names,
              (std::vector<std::string>{"ttatamil", "viramatamil", "evowelsigntamil", "katamil"}));
}

TEST_F(TamilKerning, ClusterOfThreeKeepsTheKerningOfItsFirstPair) {
    const int raAlone = Glyphs({RA, VIRAMA, VIRAMA})[0].adv;
    const int raBeforeTa = Glyphs({RA, VIRAMA, TA})[0].adv;
    ASSERT_LT(raBeforeTa, raAlone) << "Noto narrows ra with pulli before ta";
    const Placements rtt = Glyphs({RA, VIRAMA, TA, VIRAMA, TA, U_SIGN});
    ASSERT_FALSE(rtt.empty());
    EXPECT_EQ(rtt[0].name, "ratamil");
    EXPECT_EQ(rtt[0].adv, raBeforeTa);
}

TEST_F(TamilKerning, SyllableKernsAgainstAKernedOrFusedConsonant) {
    const int aaAlone = Find(Glyphs({KA, AA_SIGN}), "aavowelsigntamil").adv;
    const int aaBeforeNnna = Find(Glyphs({KA, AA_SIGN, NNNA}), "aavowelsigntamil").adv;
    ASSERT_LT(aaBeforeNnna, aaAlone);
    // nnna with pulli before ka is itself a narrowed nnna: the aa before it
    // is kerned as before any nnna.
    EXPECT_EQ(Find(Glyphs({KA, AA_SIGN, NNNA, VIRAMA, KA, AA_SIGN}), "aavowelsigntamil").adv,
              aaBeforeNnna);
    // ta fused with u (து) is a glyph of its own; Noto kerns aa before it.
    // (A call converts the first syllable, looking at the next one.)
    const Placements kaa = Glyphs({KA, AA_SIGN, TA, U_SIGN});
    ASSERT_EQ(NamesOf(kaa), (std::vector<std::string>{"katamil", "aavowelsigntamil"}));
    EXPECT_LT(kaa[1].adv, aaAlone);
}

TEST_F(TamilKerning, WiderConsonantWithIiIsOneGlyph) {
    // Noto's ca and ra with the ii sign are wider than the consonant: drawn
    // as that one glyph, not the consonant with a zero-advance sign.
    const Placements cii = Glyphs({CA, II_SIGN});
    ASSERT_EQ(cii.size(), 1u);
    EXPECT_GT(cii[0].adv, Glyphs({CA})[0].adv);
    const Placements rii = Glyphs({RA, II_SIGN});
    ASSERT_EQ(rii.size(), 1u);
    EXPECT_GT(rii[0].adv, Glyphs({RA})[0].adv);
    // ka with ii is as wide as ka: the consonant, its sign over it.
    EXPECT_EQ(Glyphs({KA, II_SIGN})[0].adv, Glyphs({KA})[0].adv);
}

TEST_F(TamilKerning, FinalPulliOfSsaSitsOverSsa) {
    // ssa's pulli at the end of a word: over ssa's right part, as over the
    // ssa with pulli that starts a cluster, not at the common offset of the
    // other consonants' pulli (which lands past ssa's glyph).
    const Placements atEnd = Glyphs({SSA, VIRAMA});
    ASSERT_EQ(NamesOf(atEnd), (std::vector<std::string>{"ssatamil", "viramatamil"}));
    const Placements ka = Glyphs({KA, VIRAMA});
    ASSERT_EQ(ka.size(), 2u);
    EXPECT_NE(atEnd[1].dx, ka[1].dx);
    const int fromLeft = atEnd[0].adv + atEnd[1].dx;
    EXPECT_GT(fromLeft, atEnd[0].adv / 2);
    EXPECT_LT(fromLeft, atEnd[0].adv * 3 / 4) << "nearer ssa's middle than its right edge";
}

TEST_F(TamilKerning, BothFacesPlaceEveryFinalPulliAlike) {
    // The 128-code face must not save codes on the pulli: drawn with another
    // consonant's pulli, ம் or ஷ் would put it a pixel or more off.
    for (int c : {0xB3, 0xB7, 0xB8, 0xBA, 0xBC, 0xBD, 0xC1, 0xC2, 0xC6, 0xC7, 0xC8, 0xCC,
                  0xCD, 0xCF, 0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8}) {
        const Placements mono1 = Glyphs({c, VIRAMA});
        const Placements bi = bilingual.Placements(tmb.Call(Iscii({c, VIRAMA})).output);
        ASSERT_EQ(mono1.size(), 2u) << std::hex << c;
        ASSERT_EQ(NamesOf(bi), NamesOf(mono1)) << std::hex << c;
        EXPECT_EQ(bi[0].adv, mono1[0].adv) << std::hex << c;
        EXPECT_EQ(bi[1].dx, mono1[1].dx) << std::hex << c;
    }
}

}  // namespace
}  // namespace vexa::test
