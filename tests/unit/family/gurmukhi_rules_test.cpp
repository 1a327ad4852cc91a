// The Gurmukhi syllable rules of the Punjabi converters, checked by the Noto
// glyph names the codes stand for (looked up in the generated map).

#include <gtest/gtest.h>

#include <utility>

#include <string>
#include <vector>

#include "unit/family/glyph_map.h"
#include "unit/family/raw_converter.h"

namespace vexa::test {
namespace {

constexpr int KA = 0xB3, PA = 0xC8, YA = 0xCD, RA = 0xCF, VA = 0xD4, SHA = 0xD5, SA = 0xD7,
              HA = 0xD8, VIRAMA = 0xE8, NUKTA = 0xE9, AA_SIGN = 0xDA, I_SIGN = 0xDB,
              II_SIGN = 0xDC, U_SIGN = 0xDD, EE_SIGN = 0xE1, NASAL = 0xA2, VOWEL_A = 0xA4,
              VOWEL_AA = 0xA5, UDAAT = 0xE3;

using Names = std::vector<std::string>;

class Gurmukhi : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    RawConverter pnb{sim, "PNBCV32.DLL", "iscii2punjabizirvo"};
    RawConverter pnm{sim, "PNMCV32.DLL", "iscii2punjabizirvo"};
    GlyphMap map{VEXA_SOURCE_DIR "/family/fonts/gurmukhi/gurmukhi.map.json", "PNBCV32.DLL"};

    void SetUp() override { ASSERT_TRUE(pnb.Loaded() && pnm.Loaded() && map.Loaded()); }
    Names Glyphs(std::initializer_list<int> text) { return map.Names(pnb.Call(Iscii(text)).output); }
    // The glyph names of the nasal sign after a syllable (its last glyph).
    std::string Nasal(std::initializer_list<int> syllable) {
        std::vector<int> text(syllable);
        text.push_back(NASAL);
        const Names n = map.Names(pnb.Call(IsciiOf(text)).output);
        return n.empty() ? "" : n.back();
    }
    static std::string IsciiOf(const std::vector<int>& v) {
        std::string s;
        for (int c : v) s += static_cast<char>(c);
        return s;
    }
};

TEST_F(Gurmukhi, SihariIsDrawnBeforeTheConsonant) {
    EXPECT_EQ(Glyphs({KA, I_SIGN}), (Names{"imatraguru", "kaguru"}));
    EXPECT_EQ(Glyphs({KA, II_SIGN}), (Names{"kaguru", "iimatraguru"}));
}

TEST_F(Gurmukhi, RaBeforeAViramaIsNoRephButAHalfForm) {
    EXPECT_EQ(Glyphs({RA, VIRAMA, KA}), (Names{"raprehalfguru", "kaguru"}));
    EXPECT_EQ(pnb.Call(Iscii({RA, VIRAMA, KA, 0x20})).consumed, 3);
}

TEST_F(Gurmukhi, SubjoinedRaHaVaAndPostBaseYa) {
    EXPECT_EQ(Glyphs({KA, VIRAMA, RA}), (Names{"karaguru"}));
    EXPECT_EQ(Glyphs({KA, VIRAMA, HA}), (Names{"kaguru", "hasubscriptguru"}));
    EXPECT_EQ(Glyphs({KA, VIRAMA, VA}), (Names{"kaguru", "vasubscriptguru"}));
    EXPECT_EQ(Glyphs({KA, VIRAMA, YA}), (Names{"kaguru", "yapostformguru"}));
}

TEST_F(Gurmukhi, TheNasalSignIsTippiOrBindiByTheVowelBeforeIt) {
    EXPECT_EQ(Nasal({KA}), "tippiguru");
    EXPECT_EQ(Nasal({KA, I_SIGN}), "tippiguru");
    EXPECT_EQ(Nasal({KA, U_SIGN}), "tippiguru");
    EXPECT_EQ(Nasal({VOWEL_A}), "tippiguru");
    EXPECT_EQ(Nasal({KA, AA_SIGN}), "bindiguru");
    EXPECT_EQ(Nasal({VOWEL_AA}), "bindiguru");
    EXPECT_EQ(Nasal({KA, EE_SIGN}), "eematrabindiguru");
    EXPECT_EQ(Nasal({KA, II_SIGN}), "iimatrabindiguru");
}

// Noto draws ਈਂ ਉਂ ਊਂ ਏਂ ਐਂ ਔਂ as one composite with the bindi over the
// letter's sign or stem; drawn after the letter at its own place the bindi
// would sit on that sign. Each converter draws the composite itself, or the
// letter and a bindi moved to where the composite has it.
TEST_F(Gurmukhi, TheBindiOverAVowelLetterSitsWhereNotoPutsIt) {
    constexpr int VOWEL_II = 0xA7, VOWEL_U = 0xA8, VOWEL_UU = 0xA9, VOWEL_EE = 0xAC, VOWEL_AI = 0xAD,
                  VOWEL_AU = 0xB1;
    const GlyphMap one{VEXA_SOURCE_DIR "/family/fonts/gurmukhi/gurmukhi.map.json", "PNMCV32.DLL"};
    ASSERT_TRUE(one.Loaded());
    for (int vowel : {VOWEL_II, VOWEL_U, VOWEL_UU, VOWEL_EE, VOWEL_AI, VOWEL_AU}) {
        SCOPED_TRACE(vowel);
        const std::pair<const GlyphMap*, RawConverter*> libraries[] = {{&map, &pnb}, {&one, &pnm}};
        for (auto [glyphs, converter] : libraries) {
            const auto letter = glyphs->Placements(converter->Call(Iscii({vowel})).output);
            const auto nasal = glyphs->Placements(converter->Call(Iscii({vowel, NASAL})).output);
            ASSERT_EQ(letter.size(), 1u);
            if (nasal.size() == 1) {
                EXPECT_NE(nasal[0].name, letter[0].name) << "the composite, not the bare letter";
            } else {
                ASSERT_EQ(nasal.size(), 2u);
                EXPECT_EQ(nasal[1].name, "bindiguru");
                EXPECT_GT(nasal[1].dx, 0) << "right of the pen, over the letter's sign";
            }
        }
    }
}

TEST_F(Gurmukhi, ADoubledConsonantIsAddakAndTheConsonant) {
    const std::string pakka = Iscii({PA, KA, VIRAMA, KA, AA_SIGN, 0x20});
    std::vector<int> counts;
    EXPECT_EQ(map.Names(pnb.ConvertAll(pakka, &counts)),
              (Names{"paguru", "addakguru", "kaguru", "aamatraguru"}));
    EXPECT_EQ(counts, (std::vector<int>{1, 4, 1}));
    // Different consonants across a virama stay a cluster.
    EXPECT_EQ(Glyphs({PA, VIRAMA, KA}), (Names{"paprehalfguru", "kaguru"}));
}

TEST_F(Gurmukhi, NuktaLettersUdaatAndYakash) {
    EXPECT_EQ(Glyphs({SA, NUKTA}), (Names{"sanuktaguru"}));
    EXPECT_EQ(Glyphs({SHA}), (Names{"sanuktaguru"}));
    EXPECT_EQ(pnb.Call(Iscii({SA, NUKTA, KA})).consumed, 2);
    EXPECT_EQ(Glyphs({KA, UDAAT}), (Names{"kaguru", "udaatguru"}));
    EXPECT_EQ(Glyphs({KA, YA, NUKTA}), (Names{"kaguru", "yakashguru"}));
}

TEST_F(Gurmukhi, MonolingualConverterDrawsTheSameGlyphsInOneFace) {
    GlyphMap mono{VEXA_SOURCE_DIR "/family/fonts/gurmukhi/gurmukhi.map.json", "PNMCV32.DLL"};
    ASSERT_TRUE(mono.Loaded());
    const std::string text = Iscii({PA, KA, VIRAMA, KA, AA_SIGN, NASAL, 0x20, KA, VIRAMA, RA,
                                    I_SIGN, NASAL, 0x20, SA, NUKTA, U_SIGN});
    const std::string out = pnm.ConvertAll(text);
    EXPECT_EQ(mono.Names(out), map.Names(pnb.ConvertAll(text)));
    for (std::size_t i = 1; i < out.size(); i += 2) EXPECT_EQ(out[i], '1');
}

}  // namespace
}  // namespace vexa::test
