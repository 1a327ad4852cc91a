// The Tamil and Malayalam syllable rules, checked by how syllables relate to
// each other rather than by glyph codes (which the generated maps own).

#include <gtest/gtest.h>

#include <string>

#include "unit/family/raw_converter.h"

namespace vexa::test {
namespace {

// ISCII codes shared by both scripts.
constexpr int KA = 0xB3, KHA = 0xB4, GA = 0xB5, NGA = 0xB7, CA = 0xB8, TTA = 0xBD, NNA = 0xC1,
              TA = 0xC2, DA = 0xC4, NA = 0xC6, PA = 0xC8, BA = 0xCA, MA = 0xCC, YA = 0xCD,
              RA = 0xCF, LA = 0xD1, LLA = 0xD2, SSA = 0xD6, SA = 0xD7, AA_SIGN = 0xDA,
              I_SIGN = 0xDB, II_SIGN = 0xDC, U_SIGN = 0xDD, UU_SIGN = 0xDE, E_SIGN = 0xE0,
              EE_SIGN = 0xE1, AI_SIGN = 0xE2, O_SIGN = 0xE4, OO_SIGN = 0xE5, AU_SIGN = 0xE6,
              VIRAMA = 0xE8, SOFT = 0xE9, ANUSVARA = 0xA2, VISARGA = 0xA3;

// Number of glyphs in a converter's output (code, digit pairs).
std::size_t GlyphCount(const std::string& out) { return out.size() / 2; }

class SouthScript : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    RawConverter tmb{sim, "TMBCV32.DLL", "iscii2tamilzirvo"};
    RawConverter tmm{sim, "TMMCV32.DLL", "iscii2tamilzirvo"};
    RawConverter mlb{sim, "MLBCV32.DLL", "iscii2malayalamzirvo"};
    RawConverter mlm{sim, "MLMCV32.DLL", "iscii2malayalamzirvo"};

    void SetUp() override {
        ASSERT_TRUE(tmb.Loaded() && tmm.Loaded() && mlb.Loaded() && mlm.Loaded());
    }
    std::string Tamil(std::initializer_list<int> text) { return tmm.Call(Iscii(text)).output; }
    std::string Malayalam(std::initializer_list<int> text) {
        return mlm.Call(Iscii(text)).output;
    }
};

TEST_F(SouthScript, TamilPreBaseAndSplitVowelSigns) {
    const std::string ka = Tamil({KA});
    ASSERT_EQ(GlyphCount(ka), 1u);
    for (int sign : {E_SIGN, EE_SIGN, AI_SIGN}) {
        const std::string s = Tamil({KA, sign});
        ASSERT_EQ(GlyphCount(s), 2u) << std::hex << sign;
        EXPECT_EQ(s.substr(2), ka) << "the sign is drawn before the consonant";
    }
    // o, oo and au: the e or ee sign before the consonant, aa or the au
    // length mark after it.
    const std::string e = Tamil({KA, E_SIGN}).substr(0, 2);
    const std::string ee = Tamil({KA, EE_SIGN}).substr(0, 2);
    const std::string aa = Tamil({KA, AA_SIGN}).substr(2);
    EXPECT_EQ(Tamil({KA, O_SIGN}), e + ka + aa);
    EXPECT_EQ(Tamil({KA, OO_SIGN}), ee + ka + aa);
    const std::string au = Tamil({KA, AU_SIGN});
    ASSERT_EQ(GlyphCount(au), 3u);
    EXPECT_EQ(au.substr(0, 4), e + ka);
    EXPECT_NE(au.substr(4), aa);
    // In a cluster the sign goes before the last consonant, after the pulli.
    const std::string kpulli = Tamil({KA, VIRAMA, VIRAMA});
    EXPECT_EQ(Tamil({KA, VIRAMA, KA, E_SIGN}), kpulli + e + ka);
    EXPECT_EQ(Tamil({KA, VIRAMA, KA, O_SIGN}), kpulli + e + ka + aa);
}

TEST_F(SouthScript, TamilPulliIsVisibleAndClustersAreNotConjuncts) {
    const std::string ka = Tamil({KA});
    const std::string pulli = Tamil({KA, VIRAMA, VIRAMA});
    ASSERT_EQ(pulli.substr(0, ka.size()), ka) << "the consonant, then its pulli";
    EXPECT_GT(pulli.size(), ka.size());
    EXPECT_EQ(Tamil({KA, VIRAMA}), pulli) << "a virama at the end of the text";
    EXPECT_EQ(Tamil({KA, VIRAMA, NA}), pulli + Tamil({NA}));
    EXPECT_EQ(Tamil({NA, VIRAMA, TA, VIRAMA, RA}),
              Tamil({NA, VIRAMA, VIRAMA}) + Tamil({TA, VIRAMA, VIRAMA}) + Tamil({RA}));
    // ra + virama is no reph in Tamil: ra, its pulli, then ka (the ra drawn
    // a little narrower before ka, as Noto kerns it).
    const std::string rka = Tamil({RA, VIRAMA, KA});
    ASSERT_EQ(GlyphCount(rka), 3u);
    EXPECT_EQ(rka.substr(4), ka);
    // ka + ssa is the one conjunct: a glyph of its own.
    EXPECT_EQ(GlyphCount(Tamil({KA, VIRAMA, SSA})), 1u);
}

TEST_F(SouthScript, TamilUAndUuFuseWithEachConsonant) {
    for (int c : {KA, TTA, TA, PA, MA, RA, LA}) {
        const std::string u = Tamil({c, U_SIGN});
        const std::string uu = Tamil({c, UU_SIGN});
        EXPECT_EQ(GlyphCount(u), 1u) << std::hex << c;
        EXPECT_EQ(GlyphCount(uu), 1u) << std::hex << c;
        EXPECT_NE(u, uu);
        EXPECT_NE(u, Tamil({c}));
    }
    EXPECT_NE(Tamil({KA, U_SIGN}), Tamil({PA, U_SIGN}));
    // The i sign follows the consonant; ti and tii are ligatures of their own.
    EXPECT_EQ(Tamil({KA, I_SIGN}).substr(0, 2), Tamil({KA}));
    EXPECT_EQ(GlyphCount(Tamil({TTA, I_SIGN})), 1u);
}

TEST_F(SouthScript, TamilReadsLettersItLacksAsTheLetterThatWritesThem) {
    EXPECT_EQ(Tamil({KHA}), Tamil({KA}));
    EXPECT_EQ(Tamil({GA, AA_SIGN}), Tamil({KA, AA_SIGN}));
    EXPECT_EQ(Tamil({DA}), Tamil({TA}));
    EXPECT_EQ(Tamil({BA, U_SIGN}), Tamil({PA, U_SIGN}));
    EXPECT_EQ(tmm.Call(Iscii({VISARGA, KA})).consumed, 1) << "aytham stands alone";
    EXPECT_FALSE(Tamil({VISARGA}).empty());
    // A soft virama (E8 E9) keeps the pulli, as the explicit one does.
    EXPECT_EQ(Tamil({KA, VIRAMA, SOFT}), Tamil({KA, VIRAMA, VIRAMA}));
}

TEST_F(SouthScript, TamilKernsASyllableAgainstTheNextOne) {
    // Noto narrows aa before the ee sign: the syllable's last glyph takes its
    // kerned variant when the next syllable starts with that sign.
    constexpr int AA = 0xA5;
    const std::string alone = tmm.Call(Iscii({AA})).output;
    const std::string kerned = tmm.Call(Iscii({AA, LA, OO_SIGN})).output;
    ASSERT_EQ(GlyphCount(kerned), 1u);
    EXPECT_NE(kerned, alone);
    EXPECT_EQ(tmm.Call(Iscii({AA, 0x20, LA, OO_SIGN})).output, alone) << "not across a space";
    EXPECT_EQ(tmm.Call(Iscii({AA, 0x01, LA, OO_SIGN})).output, kerned)
        << "a caret mark between the syllables does not move the text";
}

TEST_F(SouthScript, MalayalamDigitsTakeTheLatinDigitsOfTheBilingualFace) {
    for (int d = 0; d < 10; ++d) {
        const std::string bi = mlb.Call(Iscii({0xF1 + d})).output;
        EXPECT_EQ(bi, std::string({static_cast<char>('0' + d), '1'}));
        const std::string mono = mlm.Call(Iscii({0xF1 + d})).output;
        ASSERT_EQ(GlyphCount(mono), 1u);
        EXPECT_NE(mono, bi) << "the monolingual face has the Malayalam digits";
    }
}

TEST_F(SouthScript, MalayalamChillusComeFromTheSoftVirama) {
    for (int c : {NNA, NA, RA, LA, LLA, KA}) {
        const std::string chillu = Malayalam({c, VIRAMA, SOFT});
        EXPECT_EQ(GlyphCount(chillu), 1u) << std::hex << c << ": one chillu glyph";
        EXPECT_NE(chillu, Malayalam({c}));
        // A consonant after the chillu joins its syllable, drawn after it.
        const RawResult joined = mlm.Call(Iscii({c, VIRAMA, SOFT, PA, 0x20}));
        EXPECT_EQ(joined.consumed, 4) << std::hex << c;
        EXPECT_EQ(joined.output, chillu + Malayalam({PA})) << std::hex << c;
    }
    // A consonant with no chillu keeps its visible chandrakkala.
    EXPECT_EQ(Malayalam({PA, VIRAMA, SOFT}), Malayalam({PA, VIRAMA, VIRAMA}));
    EXPECT_EQ(GlyphCount(Malayalam({PA, VIRAMA, VIRAMA})), 2u);
}

// The older spelling of nta (n + virama + ZWJ + rra, as in ന്‍റെ, common in
// software text) is the nta ligature Noto draws, in both faces: not the
// chillu n followed by a full rra.
TEST_F(SouthScript, MalayalamChilluNBeforeRraIsTheNtaLigature) {
    constexpr int RRA = 0xD0;
    for (RawConverter* conv : {&mlb, &mlm}) {
        const auto draw = [&](std::initializer_list<int> text) { return conv->Call(Iscii(text)).output; };
        const std::string nta = draw({NA, VIRAMA, RRA});
        ASSERT_EQ(GlyphCount(nta), 1u);
        EXPECT_EQ(draw({NA, VIRAMA, SOFT, RRA}), nta);
        EXPECT_EQ(draw({NA, VIRAMA, SOFT, RRA, E_SIGN}), draw({NA, VIRAMA, RRA, E_SIGN}));
        EXPECT_EQ(draw({NA, VIRAMA, SOFT, RRA, E_SIGN}).substr(2), nta) << "the e sign goes first";
        // Other chillus keep the consonant after them whole.
        EXPECT_EQ(draw({LA, VIRAMA, SOFT, RRA}), draw({LA, VIRAMA, SOFT}) + draw({RRA}));
    }
}

TEST_F(SouthScript, MalayalamReformedSignsAndTheRaSign) {
    const std::string ka = Malayalam({KA});
    ASSERT_EQ(GlyphCount(ka), 1u);
    // Detached u and uu signs.
    EXPECT_EQ(Malayalam({KA, U_SIGN}).substr(0, 2), ka);
    EXPECT_EQ(GlyphCount(Malayalam({KA, U_SIGN})), 2u);
    EXPECT_EQ(Malayalam({PA, UU_SIGN}).substr(2), Malayalam({KA, UU_SIGN}).substr(2));
    // The ra sign goes before its consonant; the e sign before both.
    const std::string kra = Malayalam({KA, VIRAMA, RA});
    ASSERT_EQ(GlyphCount(kra), 2u);
    EXPECT_EQ(kra.substr(2), ka);
    const std::string e = Malayalam({KA, E_SIGN}).substr(0, 2);
    EXPECT_EQ(Malayalam({KA, E_SIGN}), e + ka);
    EXPECT_EQ(Malayalam({KA, VIRAMA, RA, E_SIGN}), e + kra);
    const std::string aa = Malayalam({KA, AA_SIGN}).substr(2);
    EXPECT_EQ(Malayalam({KA, VIRAMA, RA, O_SIGN}), e + kra + aa);
    // Conjuncts that stay stacked are one glyph; ra + virama is no reph.
    EXPECT_EQ(GlyphCount(Malayalam({KA, VIRAMA, KA})), 1u);
    EXPECT_EQ(GlyphCount(Malayalam({NA, VIRAMA, TA})), 1u);
    EXPECT_EQ(Malayalam({RA, VIRAMA, KA}), Malayalam({RA, VIRAMA, VIRAMA}) + ka);
    EXPECT_EQ(Malayalam({KA, ANUSVARA}).substr(0, 2), ka);
}

TEST_F(SouthScript, BilingualConvertersUseOnlyTheUpperHalfOfOneFace) {
    const std::string text =
        Iscii({KA, VIRAMA, SSA, I_SIGN, 0x20, SA, VIRAMA, TA, VIRAMA, RA, U_SIGN, 0x20, NGA,
               VIRAMA, KA, O_SIGN, 0x20, CA, AU_SIGN, ANUSVARA, 0x20, YA, VIRAMA, SOFT, MA});
    for (const RawConverter* conv : {&tmb, &mlb}) {
        const std::string out = conv->ConvertAll(text);
        ASSERT_FALSE(out.empty());
        for (std::size_t i = 0; i + 1 < out.size(); i += 2) {
            EXPECT_GE(static_cast<unsigned char>(out[i]), 0x80u) << i;
            EXPECT_EQ(out[i + 1], '1') << "no extension face";
        }
    }
    // The bilingual and monolingual converters split syllables alike.
    std::vector<int> b, m;
    tmb.ConvertAll(text, &b);
    tmm.ConvertAll(text, &m);
    EXPECT_EQ(b, m);
    mlb.ConvertAll(text, &b);
    mlm.ConvertAll(text, &m);
    EXPECT_EQ(b, m);
}

}  // namespace
}  // namespace vexa::test
