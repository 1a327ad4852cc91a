// The rules of the Bengali script (Bengali and Assamese) and of Oriya, checked
// on the glyph names the converters' codes stand for in the family maps.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "unit/family/glyph_map.h"
#include "unit/family/raw_converter.h"

namespace vexa::test {
namespace {

using Names = std::vector<std::string>;

constexpr int A = 0xA4, E = 0xAC, MA = 0xCC, KA = 0xB3, GA = 0xB5, TA = 0xC2, BA = 0xCA, YA = 0xCD, YYA = 0xCE, RA = 0xCF,
              VA = 0xD4, SSA = 0xD6, AA_SIGN = 0xDA, I_SIGN = 0xDB, II_SIGN = 0xDC, U_SIGN = 0xDD,
              E_SIGN = 0xE1, AI_SIGN = 0xE2, O_SIGN = 0xE5, AU_SIGN = 0xE6, VIRAMA = 0xE8,
              NUKTA = 0xE9, CANDRABINDU = 0xA1;

// One converter library with the map that names its codes.
class Library {
public:
    Library(sim::SimPlatform& sim, const std::string& family, const std::string& file,
            const std::string& entry)
        : converter_(sim, file, entry), map_(Map(family, file)) {}

    bool Loaded() const { return converter_.Loaded() && map_.Loaded(); }
    Names Draw(const std::string& iscii) const { return map_.Names(converter_.ConvertAll(iscii)); }
    std::string Codes(const std::string& iscii) const { return converter_.ConvertAll(iscii); }

private:
    // Each map is read once for the whole suite.
    static const GlyphMap& Map(const std::string& family, const std::string& file) {
        static std::map<std::string, GlyphMap> maps;
        auto it = maps.find(file);
        if (it == maps.end()) {
            const std::string path =
                std::string(VEXA_SOURCE_DIR) + "/family/fonts/" + family + "/" + family + ".map.json";
            it = maps.emplace(file, GlyphMap(path, file)).first;
        }
        return it->second;
    }

    RawConverter converter_;
    const GlyphMap& map_;
};

class Eastern : public ::testing::Test {
  protected:
    sim::SimPlatform sim;
    Library bnb{sim, "bengali", "BNBCV32.DLL", "iscii2bengalizirvo"};
    Library bnm{sim, "bengali", "BNMCV32.DLL", "iscii2bengalizirvo"};
    Library asb{sim, "bengali", "ASBCV32.DLL", "iscii2assamesezirvo"};
    Library asm_{sim, "bengali", "ASMCV32.DLL", "iscii2assamesezirvo"};
    Library orb{sim, "oriya", "ORBCV32.DLL", "iscii2oriyazirvo"};
    Library orm{sim, "oriya", "ORMCV32.DLL", "iscii2oriyazirvo"};

    void SetUp() override {
        for (const Library* l : {&bnb, &bnm, &asb, &asm_, &orb, &orm}) ASSERT_TRUE(l->Loaded());
    }
};

TEST_F(Eastern, BengaliPreBaseSignsStandBeforeTheWholeCluster) {
    EXPECT_EQ(bnb.Draw(Iscii({KA, I_SIGN})), (Names{"ivowelsignbeng", "kabeng"}));
    EXPECT_EQ(bnb.Draw(Iscii({KA, E_SIGN})), (Names{"evowelsigninibeng", "kabeng"}));
    EXPECT_EQ(bnb.Draw(Iscii({KA, AI_SIGN})), (Names{"aivowelsigninibeng", "kabeng"}));
    EXPECT_EQ(bnb.Draw(Iscii({KA, VIRAMA, SSA, E_SIGN})),
              (Names{"evowelsigninibeng", "kassabeng"}));
    // ii follows the consonant.
    EXPECT_EQ(bnb.Draw(Iscii({KA, II_SIGN})), (Names{"kabeng", "iivowelsignbeng"}));
}

TEST_F(Eastern, BengaliOAndAuSplitAroundTheConsonant) {
    EXPECT_EQ(bnb.Draw(Iscii({KA, O_SIGN})),
              (Names{"evowelsigninibeng", "kabeng", "aavowelsignbeng"}));
    EXPECT_EQ(bnb.Draw(Iscii({KA, AU_SIGN})),
              (Names{"evowelsigninibeng", "kabeng", "aulengthmarkbeng"}));
    // Around a conjunct too: the pre-base part before both consonants.
    const Names kto = bnb.Draw(Iscii({KA, VIRAMA, TA, O_SIGN}));
    ASSERT_EQ(kto.size(), 3u);
    EXPECT_EQ(kto.front(), "evowelsigninibeng");
    EXPECT_EQ(kto.back(), "aavowelsignbeng");
}

TEST_F(Eastern, BengaliRephSitsOnTheSyllable) {
    EXPECT_EQ(bnb.Draw(Iscii({RA, VIRAMA, KA})), (Names{"kabeng", "rephbeng"}));
    const Names rki = bnb.Draw(Iscii({RA, VIRAMA, KA, I_SIGN}));
    ASSERT_EQ(rki.size(), 3u);
    EXPECT_EQ(rki.front(), "ivowelsignbeng");
    EXPECT_EQ(rki.back(), "rephbeng");
    // The reph over ga is another offset of the same mark than over ka.
    const std::string rka = bnb.Codes(Iscii({RA, VIRAMA, KA}));
    const std::string rga = bnb.Codes(Iscii({RA, VIRAMA, GA}));
    EXPECT_EQ(bnb.Draw(Iscii({RA, VIRAMA, GA})).back(), "rephbeng");
    EXPECT_NE(rka.substr(2), rga.substr(2));
}

TEST_F(Eastern, BengaliPhalasAndConjuncts) {
    EXPECT_EQ(bnb.Draw(Iscii({KA, VIRAMA, RA})), (Names{"karabeng"})) << "ra-phala";
    EXPECT_EQ(bnb.Draw(Iscii({KA, VIRAMA, BA})), (Names{"kababeng"})) << "ba-phala";
    EXPECT_EQ(bnb.Draw(Iscii({KA, VIRAMA, YA})), (Names{"kabeng", "yapostformbeng"}))
        << "ya-phala follows the consonant";
    EXPECT_EQ(bnb.Draw(Iscii({KA, VIRAMA, SSA})), (Names{"kassabeng"}));
    EXPECT_EQ(bnb.Draw(Iscii({TA, VIRAMA, NUKTA})), (Names{"khandatabeng"}))
        << "ta with a soft virama is khanda ta";
    EXPECT_EQ(bnb.Draw(Iscii({YYA})), (Names{"yyabeng"}));
    EXPECT_EQ(bnb.Draw(Iscii({KA, VIRAMA, VIRAMA})), (Names{"kabeng", "viramabeng"}));
    // The ra-phala of tha ranks past the 351 codes of the bilingual pair, which
    // draws it apart; the one-face libraries draw it from their extension face.
    constexpr int THA = 0xC3;
    EXPECT_EQ(bnb.Draw(Iscii({THA, VIRAMA, RA})), (Names{"thabeng", "viramabeng", "rabeng"}));
    EXPECT_EQ(bnm.Draw(Iscii({THA, VIRAMA, RA})), (Names{"tharabeng"}));
    EXPECT_EQ(asm_.Draw(Iscii({0xC9, VIRAMA, 0xD1})), (Names{"phalabeng"})) << "la-phala of pha";
}

// A nukta never vanishes: ya + nukta is yya, and a consonant with no nukta
// form of its own in a face is drawn with the nukta, in every library.
TEST_F(Eastern, BengaliAndAssameseNuktaFormsKeepTheirDot) {
    constexpr int PHA = 0xC9, JA_ = 0xBA;
    for (const Library* l : {&bnb, &bnm, &asb, &asm_}) {
        EXPECT_EQ(l->Draw(Iscii({YA, NUKTA})), (Names{"yyabeng"}));
        EXPECT_EQ(l->Draw(Iscii({YA, NUKTA, AA_SIGN})), l->Draw(Iscii({YYA, AA_SIGN})));
        for (int consonant : {KA, PHA, JA_}) {
            const Names plain = l->Draw(Iscii({consonant}));
            const Names dotted = l->Draw(Iscii({consonant, NUKTA}));
            ASSERT_FALSE(dotted.empty());
            if (dotted.size() == 1) {
                EXPECT_NE(dotted[0].find("nukta"), std::string::npos) << dotted[0];
            } else {
                EXPECT_EQ(dotted, (Names{plain[0], "nuktabeng"}));
            }
        }
    }
}

TEST_F(Eastern, BengaliRephOverALoneConsonantTakesThatConsonantsOffset) {
    // Noto draws the reph at the pen after ma and ba; clusters that end in
    // ma (where the reph stands over their base) must not decide it.
    const std::string rma = bnb.Codes(Iscii({RA, VIRAMA, MA}));
    const std::string rba = bnb.Codes(Iscii({RA, VIRAMA, BA}));
    const std::string rka = bnb.Codes(Iscii({RA, VIRAMA, KA}));
    ASSERT_EQ(bnb.Draw(Iscii({RA, VIRAMA, MA})), (Names{"mabeng", "rephbeng"}));
    EXPECT_EQ(rma.substr(2), rba.substr(2));
    EXPECT_NE(rma.substr(2), rka.substr(2));
    EXPECT_EQ(asm_.Codes(Iscii({RA, VIRAMA, MA})).substr(2), asm_.Codes(Iscii({RA, VIRAMA, BA})).substr(2));
}

TEST_F(Eastern, VowelLettersTakeYaPhalaInLoanwords) {
    // অ্যা ("a" + virama + ya + aa, as in "app") and এ্যা.
    for (const Library* l : {&bnb, &bnm, &asb, &asm_}) {
        EXPECT_EQ(l->Draw(Iscii({A, VIRAMA, YA, AA_SIGN})),
                  (Names{"abeng", "yapostformbeng", "aavowelsignbeng"}));
        EXPECT_EQ(l->Draw(Iscii({E, VIRAMA, YA, AA_SIGN, KA})),
                  (Names{"ebeng", "yapostformbeng", "aavowelsignbeng", "kabeng"}));
    }
    // A pre-base sign goes before the vowel, as before a consonant.
    EXPECT_EQ(bnb.Draw(Iscii({A, VIRAMA, YA, E_SIGN})),
              (Names{"evowelsigninibeng", "abeng", "yapostformbeng"}));
    // An explicit virama keeps the vowel and the full ya apart; a virama
    // before another consonant stays a visible virama.
    EXPECT_EQ(bnb.Draw(Iscii({A, VIRAMA, VIRAMA, YA})), (Names{"abeng", "viramabeng", "yabeng"}));
    const Names ak = bnb.Draw(Iscii({A, VIRAMA, KA}));
    ASSERT_FALSE(ak.empty());
    EXPECT_EQ(ak.front(), "abeng");
    EXPECT_EQ(ak.back(), "kabeng");
    EXPECT_NE(std::find(ak.begin(), ak.end(), "viramabeng"), ak.end());
}

TEST_F(Eastern, AssameseReadsRaAndVaAsItsOwnLetters) {
    EXPECT_EQ(bnb.Draw(Iscii({RA})), (Names{"rabeng"}));
    EXPECT_EQ(asb.Draw(Iscii({RA})), (Names{"ra1beng"}));
    EXPECT_EQ(asm_.Draw(Iscii({RA})), (Names{"ra1beng"}));
    EXPECT_EQ(asb.Draw(Iscii({VA})), (Names{"wabeng"}));
    EXPECT_EQ(bnb.Draw(Iscii({VA})), Names{}) << "Bengali has no va";
    // The Assamese ra still makes the reph and the ra-phala.
    EXPECT_EQ(asb.Draw(Iscii({RA, VIRAMA, KA})), (Names{"kabeng", "rephbeng"}));
    EXPECT_EQ(asb.Draw(Iscii({KA, VIRAMA, RA})), (Names{"karabeng"}));
}

TEST_F(Eastern, OriyaSignsAroundTheConsonant) {
    EXPECT_EQ(orb.Draw(Iscii({KA, E_SIGN})), (Names{"uni0B47", "uni0B15"}));
    EXPECT_EQ(orb.Draw(Iscii({KA, O_SIGN})), (Names{"uni0B47", "uni0B15", "uni0B3E"}));
    EXPECT_EQ(orb.Draw(Iscii({KA, AU_SIGN})), (Names{"uni0B47", "uni0B15", "uni0B57"}));
    EXPECT_EQ(orb.Draw(Iscii({KA, I_SIGN})), (Names{"uni0B15", "uni0B3F"})) << "i above";
    EXPECT_EQ(orb.Draw(Iscii({KA, II_SIGN})), (Names{"uni0B15", "uni0B40"}));
    EXPECT_EQ(orb.Draw(Iscii({KA, U_SIGN})), (Names{"uni0B15", "uni0B41"})) << "u below";
    EXPECT_EQ(orb.Draw(Iscii({KA, AA_SIGN, CANDRABINDU})),
              (Names{"uni0B15", "uni0B01", "uni0B3E"}));
}

TEST_F(Eastern, OriyaRephAndBelowBaseForms) {
    EXPECT_EQ(orb.Draw(Iscii({RA, VIRAMA, KA})), (Names{"uni0B15", "uni0B300B4D"}));
    EXPECT_EQ(orb.Draw(Iscii({RA, VIRAMA, KA, I_SIGN})), (Names{"uni0B15", "iMatrarephoriya"}))
        << "reph and i fuse";
    EXPECT_EQ(orb.Draw(Iscii({KA, VIRAMA, RA})), (Names{"uni0B15", "uni0B4D0B30"}));
    EXPECT_EQ(orb.Draw(Iscii({KA, VIRAMA, YYA})), (Names{"uni0B15", "uni0B4D0B5F"}));
    EXPECT_EQ(orb.Draw(Iscii({KA, VIRAMA, SSA})), (Names{"kassaoriya"}));
}

TEST_F(Eastern, MonolingualAndBilingualDrawTheSameGlyphs) {
    const std::string text = Iscii({KA, VIRAMA, SSA, E_SIGN, 0x20, RA, VIRAMA, GA, O_SIGN, 0x20, TA,
                                    VIRAMA, RA, I_SIGN, 0x20, KA, VIRAMA, YA, AA_SIGN, 0x20, A,
                                    VIRAMA, YA, AA_SIGN});
    EXPECT_EQ(bnb.Draw(text), bnm.Draw(text));
    EXPECT_EQ(asb.Draw(text), asm_.Draw(text));
    EXPECT_EQ(orb.Draw(text), orm.Draw(text));
    for (const Library* l : {&bnb, &bnm, &asb, &asm_, &orb, &orm}) {
        for (const std::string& name : l->Draw(text)) EXPECT_NE(name, "?");
    }
}

}  // namespace
}  // namespace vexa::test
