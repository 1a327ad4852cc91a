// The Devanagari syllable rules, checked by how syllables relate to each
// other rather than by glyph codes (which the generated map owns).

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "unit/family/glyph_map.h"
#include "unit/family/raw_converter.h"

namespace vexa::test {
namespace {

constexpr int KA = 0xB3, KHA = 0xB4, JA = 0xBA, NYA = 0xBC, DDA = 0xBF, DA = 0xC4, YA = 0xCD, VA = 0xD4,
              II_SIGN = 0xDC, TA = 0xC2, NA = 0xC6, MA = 0xCC, RA = 0xCF, SSA = 0xD6,
              SA = 0xD7, HA = 0xD8, VIRAMA = 0xE8, NUKTA = 0xE9, I_SIGN = 0xDB, AA_SIGN = 0xDA,
              U_SIGN = 0xDD, E_SIGN = 0xE1, ANUSVARA = 0xA2, INV = 0xD9, EXT = 0xF0;

class Devanagari : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    RawConverter dvb{sim, "DVBCV32.DLL", "iscii2devzirvo"};
    RawConverter dvm{sim, "DVMCV32.DLL", "iscii2devzirvo"};
    RawConverter vdm{sim, "VDMCV32.DLL", "iscii2vediczirvo"};
    RawConverter rmm{sim, "RMMCV32.DLL", "iscii2rmzirvo"};

    void SetUp() override {
        ASSERT_TRUE(dvb.Loaded() && dvm.Loaded() && vdm.Loaded() && rmm.Loaded());
    }
    std::string Glyphs(const std::string& text) { return dvb.Call(text).output; }
    int Count(const std::string& text) { return dvb.Call(text).consumed; }
};

TEST_F(Devanagari, ConsonantMatraAndModifiersFormOneSyllable) {
    EXPECT_EQ(Count(Iscii({KA, KHA})), 1);
    EXPECT_EQ(Count(Iscii({KA, AA_SIGN, KHA})), 2);
    EXPECT_EQ(Count(Iscii({KA, E_SIGN, ANUSVARA, KHA})), 3);
    EXPECT_EQ(Count(Iscii({KA, VIRAMA, SSA, I_SIGN, ANUSVARA, 0x20})), 5);
    EXPECT_EQ(Count(Iscii({0xF1, 0xF2})), 1) << "digits stand alone";
    EXPECT_EQ(Count(Iscii({0xA4, ANUSVARA, KA})), 2) << "a vowel takes its modifier";
}

TEST_F(Devanagari, PreBaseISignIsDrawnBeforeTheCluster) {
    const std::string ka = Glyphs(Iscii({KA}));
    const std::string ki = Glyphs(Iscii({KA, I_SIGN}));
    ASSERT_EQ(ki.size(), ka.size() + 2);
    EXPECT_EQ(ki.substr(2), ka) << "the i-sign comes first, the consonant after it";
    // The sign's width variant follows the cluster: a wide cluster (sa + ka)
    // takes another i-sign glyph than ka alone.
    const std::string ski = Glyphs(Iscii({SA, VIRAMA, KA, I_SIGN}));
    EXPECT_NE(ski.substr(0, 2), ki.substr(0, 2));
    EXPECT_EQ(ski.substr(ski.size() - ka.size()), ka);
}

TEST_F(Devanagari, RephIsDrawnAfterTheConsonantItSitsOn) {
    const std::string ka = Glyphs(Iscii({KA}));
    const std::string rka = Glyphs(Iscii({RA, VIRAMA, KA}));
    EXPECT_EQ(Count(Iscii({RA, VIRAMA, KA, 0x20})), 3);
    ASSERT_GT(rka.size(), ka.size());
    EXPECT_EQ(rka.substr(0, ka.size()), ka);
    EXPECT_NE(rka, Glyphs(Iscii({RA})) + ka) << "not a full ra followed by ka";
}

TEST_F(Devanagari, RakarAndConjunctsAreNotHalfFormsPlusFullForms) {
    const std::string half = Glyphs(Iscii({KA, VIRAMA, NUKTA}));  // soft virama: half form
    const std::string kssa = Glyphs(Iscii({KA, VIRAMA, SSA}));
    EXPECT_EQ(kssa.size(), 2u) << "ka + virama + ssa is one conjunct glyph";
    EXPECT_NE(kssa, half + Glyphs(Iscii({SSA})));
    const std::string kra = Glyphs(Iscii({KA, VIRAMA, RA}));
    EXPECT_NE(kra, half + Glyphs(Iscii({RA})));
    // A consonant with a half form joins the next through it.
    const std::string sna = Glyphs(Iscii({SA, VIRAMA, NA}));
    ASSERT_EQ(sna.size(), 4u);
    EXPECT_EQ(sna.substr(2), Glyphs(Iscii({NA})));
}

TEST_F(Devanagari, ExplicitViramaEndsTheSyllableAndSoftViramaKeepsTheHalfForm) {
    const std::string explicitText = Iscii({KA, VIRAMA, VIRAMA, SSA});
    EXPECT_EQ(Count(explicitText), 3);
    EXPECT_EQ(dvb.ConvertAll(explicitText), Glyphs(Iscii({KA, VIRAMA, 0x20})) + Glyphs(Iscii({SSA})));
    const std::string soft = Iscii({KA, VIRAMA, NUKTA, SSA});
    EXPECT_EQ(Count(soft), 4);
    EXPECT_EQ(Glyphs(soft), Glyphs(Iscii({KA, VIRAMA, NUKTA})) + Glyphs(Iscii({SSA})));
    EXPECT_NE(Glyphs(soft), Glyphs(Iscii({KA, VIRAMA, SSA})));
}

TEST_F(Devanagari, NuktaPairsAreLettersOfTheirOwn) {
    EXPECT_EQ(Count(Iscii({KA, NUKTA, AA_SIGN})), 3);
    EXPECT_NE(Glyphs(Iscii({KA, NUKTA})), Glyphs(Iscii({KA})));
    EXPECT_EQ(Count(Iscii({0xEA, NUKTA})), 2) << "danda + nukta is the avagraha";
    EXPECT_NE(Glyphs(Iscii({0xEA, NUKTA})), Glyphs(Iscii({0xEA})));
    EXPECT_EQ(Count(Iscii({0xEA, 0xEA})), 2) << "two dandas are the double danda";
}

TEST_F(Devanagari, InvisibleConsonantCarriesSignsAndDrawsNothing) {
    EXPECT_EQ(Count(Iscii({INV, I_SIGN, KA})), 2);
    const std::string lone = Glyphs(Iscii({INV, AA_SIGN}));
    EXPECT_EQ(lone, Glyphs(Iscii({KA, AA_SIGN})).substr(Glyphs(Iscii({KA})).size()));
    EXPECT_EQ(Glyphs(Iscii({INV})), "");
}

TEST_F(Devanagari, CaretMarkInsideASyllableChangesNothingButTheCount) {
    const std::string plain = Iscii({KA, VIRAMA, SSA, I_SIGN, ANUSVARA});
    for (std::size_t at = 1; at < plain.size(); ++at) {
        std::string marked = plain;
        marked.insert(at, 1, '\x01');
        SCOPED_TRACE(at);
        EXPECT_EQ(Glyphs(marked), Glyphs(plain));
        EXPECT_EQ(Count(marked), Count(plain) + 1);
    }
    // A caret mark after the syllable is not taken into it.
    EXPECT_EQ(Count(Iscii({KA, 0x01, KHA})), 1);
}

TEST_F(Devanagari, BilingualOverflowGoesToTheExtensionFontAndMonolingualStaysInOne) {
    bool sawExtension = false;
    const std::string words = Iscii({KA, VIRAMA, SSA, I_SIGN, 0x20, SA, VIRAMA, TA, VIRAMA, RA,
                                     I_SIGN, 0x20, HA, VIRAMA, MA, 0x20, RA, U_SIGN});
    for (std::size_t p = 0; p < words.size();) {
        RawResult b = dvb.Call(words, p);
        RawResult m = dvm.Call(words, p);
        EXPECT_EQ(b.consumed, m.consumed) << "both converters split syllables alike";
        for (std::size_t i = 1; i < b.output.size(); i += 2) sawExtension |= b.output[i] == '2';
        for (std::size_t i = 1; i < m.output.size(); i += 2) EXPECT_EQ(m.output[i], '1');
        p += static_cast<std::size_t>(b.consumed);
    }
    EXPECT_TRUE(sawExtension) << "rarer conjuncts of the bilingual face live in its extension";
}

// The one-face library has 223 codes. They go to the glyphs that complete
// most words: the common conjuncts are drawn whole, while the ii sign fused
// with anusvara is drawn as the sign and then the anusvara.
TEST_F(Devanagari, OneFaceLibrarySpendsItsCodesOnCommonConjuncts) {
    const GlyphMap map{VEXA_SOURCE_DIR "/family/fonts/devanagari/devanagari.map.json", "DVMCV32.DLL"};
    ASSERT_TRUE(map.Loaded());
    for (auto cluster : {Iscii({JA, VIRAMA, NYA}), Iscii({DA, VIRAMA, VA}), Iscii({DA, VIRAMA, YA}),
                         Iscii({DDA, VIRAMA, DDA})}) {
        const auto names = map.Names(dvm.Call(cluster).output);
        ASSERT_EQ(names.size(), 1u) << "a conjunct drawn with a half form or a visible virama";
        EXPECT_NE(names[0], "?");
    }
    // ka + ii + anusvara: the sign, then the anusvara placed over the ii
    // sign's stem, as Noto's fused glyph has it (not over the ka).
    const auto kii = map.Placements(dvm.Call(Iscii({KA, II_SIGN, ANUSVARA})).output);
    ASSERT_EQ(kii.size(), 3u);
    EXPECT_EQ(kii[0].name, "kadeva");
    EXPECT_EQ(kii[1].name.rfind("iivowelsign", 0), 0u) << kii[1].name;
    EXPECT_EQ(kii[2].name, "anusvaradeva");
    EXPECT_GT(kii[2].dx, 0) << "the anusvara sits on the sign that was drawn last";
}

// Drawn after the i, e, ai, o or au sign over the consonant, the anusvara
// would land on the sign's stroke and vanish into it (में would read मे):
// those signs come fused with it, as Noto draws them, dot clear of the
// stroke. After an independent vowel the anusvara moves where Noto's fused
// letter has it.
TEST_F(Devanagari, AnusvaraStaysClearOfTheSignBeforeIt) {
    constexpr int AI_SIGN = 0xE2, O_SIGN = 0xE5, AU_SIGN = 0xE6, LETTER_O = 0xB0;
    for (auto [converter, library] : {std::pair{&dvb, "DVBCV32.DLL"}, std::pair{&dvm, "DVMCV32.DLL"}}) {
        const GlyphMap map{VEXA_SOURCE_DIR "/family/fonts/devanagari/devanagari.map.json", library};
        ASSERT_TRUE(map.Loaded());
        for (int sign : {I_SIGN, E_SIGN, AI_SIGN, O_SIGN, AU_SIGN}) {
            const auto names = map.Names(converter->Call(Iscii({MA, sign, ANUSVARA})).output);
            SCOPED_TRACE(std::string(library) + " sign " + std::to_string(sign));
            ASSERT_EQ(names.size(), 2u);
            const std::string& fused = sign == I_SIGN ? names[0] : names[1];
            EXPECT_NE(fused.find("vowelsignanusvara"), std::string::npos) << fused;
            EXPECT_EQ(sign == I_SIGN ? names[1] : names[0], "madeva");
        }
        const auto o = map.Placements(converter->Call(Iscii({LETTER_O, ANUSVARA})).output);
        const auto ka = map.Placements(converter->Call(Iscii({KA, ANUSVARA})).output);
        ASSERT_EQ(o.size(), 2u);
        ASSERT_EQ(ka.size(), 2u);
        EXPECT_EQ(o[1].name, "anusvaradeva");
        EXPECT_GT(o[1].dx, ka[1].dx) << library << ": clear of the o letter's sign, to its right";
    }
}

TEST_F(Devanagari, VedicAccentsAreOverprintedGlyphsOfTheExtensionFace) {
    const std::string ka = vdm.Call(Iscii({KA})).output;
    const RawResult accented = vdm.Call(Iscii({KA, EXT, 0xA1}));
    EXPECT_EQ(accented.consumed, 3);
    ASSERT_EQ(accented.output.size(), ka.size() + 2);
    const auto code = static_cast<unsigned char>(accented.output[ka.size()]);
    EXPECT_EQ(accented.output[ka.size() + 1], '2');
    EXPECT_TRUE((code >= 0xB8 && code <= 0xD9) || code == 0xDB) << std::hex << int(code);
    // An accent alone is its own two-byte syllable.
    EXPECT_EQ(vdm.Call(Iscii({EXT, 0xA2, KA})).consumed, 2);
    // Devanagari's own converter has no Vedic face: the accent is taken, not drawn.
    EXPECT_EQ(dvb.Call(Iscii({KA, EXT, 0xA1})).output, Glyphs(Iscii({KA})));
}

TEST_F(Devanagari, RomanSpellsSyllablesWithTheirInherentVowel) {
    EXPECT_EQ(rmm.ConvertAll(Iscii({NA, MA, SA, VIRAMA, TA, E_SIGN})).size(), 2u * 7u)
        << "n a m a s t e-macron";
    std::string plain;
    const std::string out = rmm.ConvertAll(Iscii({NA, MA, SA, VIRAMA, TA}));
    for (std::size_t i = 0; i < out.size(); i += 2) plain += out[i];
    EXPECT_EQ(plain, "namasta");
    const std::string k = rmm.ConvertAll(Iscii({KA, VIRAMA, 0x20}));
    EXPECT_EQ(k, std::string("k1"));
}

}  // namespace
}  // namespace vexa::test
