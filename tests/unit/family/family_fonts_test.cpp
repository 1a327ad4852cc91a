// Every glyph code the converters give over a broad set of syllables is a
// glyph of the face that draws it, with ink (or an advance for spaces).

#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <span>
#include <utility>
#include <string>

#include "devanagari/devanagari_tables.inc"
#include "engine/brahmic_converter.h"
#include "telugu/telugu_tables.inc"
#include "unit/family/raw_converter.h"

namespace vexa::test {
namespace {

// Consonants, consonant pairs and clusters with every vowel sign and sign.
std::vector<std::string> Syllables() {
    std::vector<std::string> out;
    std::vector<int> consonants;
    for (int c = 0xB3; c <= 0xD8; ++c) consonants.push_back(c);
    std::vector<int> signs = {0, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF, 0xE0, 0xE1, 0xE2,
                              0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xA1, 0xA2, 0xA3, 0xE8};
    for (int a : consonants) {
        for (int s : signs) {
            std::string one(1, static_cast<char>(a));
            if (s) one += static_cast<char>(s);
            out.push_back(one);
            out.push_back(Iscii({0xCF, 0xE8}) + one);  // with reph
        }
        for (int b : consonants) out.push_back(Iscii({a, 0xE8, b, 0xDB}));
    }
    for (int v = 0xA4; v <= 0xB2; ++v) out.push_back(Iscii({v, 0xA2}));
    for (int d = 0xF1; d <= 0xFA; ++d) out.push_back(Iscii({d}));
    for (int e = 0xA1; e <= 0xBF; ++e) out.push_back(Iscii({0xB3, 0xF0, e}));
    return out;
}

class Face {
public:
    Face(FT_Library lib, const std::string& path) {
        ok_ = FT_New_Face(lib, path.c_str(), 0, &face_) == 0 &&
              FT_Select_Charmap(face_, FT_ENCODING_MS_SYMBOL) == 0 &&
              FT_Set_Pixel_Sizes(face_, 0, 40) == 0;
    }
    ~Face() {
        if (face_) FT_Done_Face(face_);
    }
    bool ok() const { return ok_; }
    // True when the code maps to a glyph with an outline or an advance.
    bool Draws(unsigned char code) {
        FT_UInt index = FT_Get_Char_Index(face_, 0xF000u + code);
        if (index == 0 || FT_Load_Glyph(face_, index, FT_LOAD_NO_HINTING) != 0) return false;
        return face_->glyph->outline.n_points > 0 || face_->glyph->advance.x > 0;
    }

    // Advance and outline point count of a code's glyph (-1, -1: none).
    std::pair<long, int> Metrics(unsigned char code) {
        FT_UInt index = FT_Get_Char_Index(face_, 0xF000u + code);
        if (index == 0 || FT_Load_Glyph(face_, index, FT_LOAD_NO_HINTING) != 0) return {-1, -1};
        return {face_->glyph->advance.x, face_->glyph->outline.n_points};
    }

private:
    FT_Face face_ = nullptr;
    bool ok_ = false;
};

struct Library {
    const char* file;
    const char* entry;
    const char* face1;
    const char* face2;
};

TEST(FamilyFonts, EveryCodeAConverterGivesIsDrawnByItsFace) {
    const Library libraries[] = {
        {"DVBCV32.DLL", "iscii2devzirvo", "DVB-TTDorvan", "DVB-TTDorvanEN"},
        {"DVMCV32.DLL", "iscii2devzirvo", "DV-TTDorvan", "DV2-TTDorvan"},
        {"SDMCV32.DLL", "iscii2devsanskritzirvo", "SD-TTDorvan", nullptr},
        {"VDMCV32.DLL", "iscii2vediczirvo", "VD-TTDorvan", "VD2-TTDorvan"},
        {"RMMCV32.DLL", "iscii2rmzirvo", "DV1-TTDorvan", nullptr},
        {"TMBCV32.DLL", "iscii2tamilzirvo", "TMB-TTTesvor", nullptr},
        {"TMMCV32.DLL", "iscii2tamilzirvo", "TM-TTTesvor", nullptr},
        {"MLBCV32.DLL", "iscii2malayalamzirvo", "MLB-TTMerun", nullptr},
        {"MLMCV32.DLL", "iscii2malayalamzirvo", "ML-TTMerun", nullptr},
        {"GJBCV32.DLL", "iscii2gjzirvo", "GJB-TTFelida", "GJB-TTFelidaEN"},
        {"GJMCV32.DLL", "iscii2gjzirvo", "GJ-TTFelida", nullptr},
        {"PNBCV32.DLL", "iscii2punjabizirvo", "PNB-TTPirel", "PNB-TTPirelEN"},
        {"PNMCV32.DLL", "iscii2punjabizirvo", "PN-TTPirel", nullptr},
        {"BNBCV32.DLL", "iscii2bengalizirvo", "BNB-TTBelmo", "BNB-TTBelmoEN"},
        {"BNMCV32.DLL", "iscii2bengalizirvo", "BN-TTBelmo", "BN2-TTBelmo"},
        {"ASBCV32.DLL", "iscii2assamesezirvo", "ASB-TTBelmo", "ASB-TTBelmoEN"},
        {"ASMCV32.DLL", "iscii2assamesezirvo", "AS-TTBelmo", "AS2-TTBelmo"},
        {"ORBCV32.DLL", "iscii2oriyazirvo", "ORB-TTGalvi", "ORB-TTGalviEN"},
        {"ORMCV32.DLL", "iscii2oriyazirvo", "OR-TTGalvi", nullptr},
        {"TLBCV32.DLL", "iscii2teluguzirvo", "TLB-TTQuilan", "TLB-TTQuilanEN"},
        {"TLMCV32.DLL", "iscii2teluguzirvo", "TL-TTQuilan", "TL2-TTQuilan"},
    };
    FT_Library ft;
    ASSERT_EQ(FT_Init_FreeType(&ft), 0);
    sim::SimPlatform sim;
    const std::string fonts = sim.paths.SystemDirectory() + "/fonts/";
    const std::vector<std::string> syllables = Syllables();
    for (const Library& lib : libraries) {
        RawConverter converter(sim, lib.file, lib.entry);
        ASSERT_TRUE(converter.Loaded()) << lib.file;
        Face f1(ft, fonts + lib.face1 + ".ttf");
        ASSERT_TRUE(f1.ok()) << lib.face1;
        std::unique_ptr<Face> f2;
        if (lib.face2) {
            f2 = std::make_unique<Face>(ft, fonts + lib.face2 + ".ttf");
            ASSERT_TRUE(f2->ok()) << lib.face2;
        }
        std::set<std::pair<char, int>> missing;
        for (const std::string& s : syllables) {
            const std::string out = converter.ConvertAll(s);
            for (std::size_t i = 0; i + 1 < out.size(); i += 2) {
                const auto code = static_cast<unsigned char>(out[i]);
                const char digit = out[i + 1];
                Face* face = digit == '2' ? f2.get() : &f1;
                if (!face || !face->Draws(code)) missing.insert({digit, code});
            }
        }
        EXPECT_TRUE(missing.empty()) << lib.file << ": " << missing.size() << " codes not drawn";
    }
    FT_Done_FreeType(ft);
}

// The libraries whose extension face is newer than their first face: on a
// system without it they convert with their one-face tables, and every
// syllable must still draw, in codes of the first face only.
TEST(FamilyFonts, WithoutTheNewExtensionFaceEverySyllableDrawsInTheFirstFace) {
    using Convert = void (*)(const unsigned char*, char*, int*, bool);
    // unheldSigns: signs the first face never held (only the extension
    // face draws them): the Telugu candrabindu, digits and dandas, and in
    // TLB-TTQuilan the visarga too.
    struct OneFace {
        const char* face;
        const char* unheldSigns;
        Convert convert;
    };
    const OneFace libraries[] = {
        {"DV-TTDorvan", "",
         [](const unsigned char* s, char* out, int* consumed, bool alone) {
             using namespace family::devanagari;
             family::engine::ConvertSyllable(kRules, kIsMark, alone ? std::span(kDvmcv32OneFaceCodes)
                                                                     : std::span(kDvmcv32Codes),
                                             s, out, consumed);
         }},
        {"TLB-TTQuilan", "\xA1\xA3\xEA\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA",
         [](const unsigned char* s, char* out, int* consumed, bool alone) {
             using namespace family::telugu;
             family::engine::ConvertSyllable(
                 kRules, &kBelowBase, kIsMark, alone ? std::span(kTlbcv32OneFaceCodes) : std::span(kTlbcv32Codes),
                 alone ? &kTlbcv32OneFacePieces : &kTlbcv32Pieces, s, out, consumed);
         }},
        {"TL-TTQuilan", "\xA1\xEA\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA",
         [](const unsigned char* s, char* out, int* consumed, bool alone) {
             using namespace family::telugu;
             family::engine::ConvertSyllable(
                 kRules, &kBelowBase, kIsMark, alone ? std::span(kTlmcv32OneFaceCodes) : std::span(kTlmcv32Codes),
                 alone ? &kTlmcv32OneFacePieces : &kTlmcv32Pieces, s, out, consumed);
         }},
    };
    auto convertAll = [](Convert convert, const std::string& text, bool alone) {
        std::string all;
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.c_str());
        for (std::size_t p = 0; p < text.size();) {
            char out[256] = {};
            int consumed = 0;
            convert(bytes + p, out, &consumed, alone);
            all += out;
            p += static_cast<std::size_t>(consumed > 0 ? consumed : 1);
        }
        return all;
    };
    FT_Library ft;
    ASSERT_EQ(FT_Init_FreeType(&ft), 0);
    sim::SimPlatform sim;
    const std::string fonts = sim.paths.SystemDirectory() + "/fonts/";
    for (const OneFace& lib : libraries) {
        Face face(ft, fonts + lib.face + ".ttf");
        ASSERT_TRUE(face.ok()) << lib.face;
        int usedExtension = 0;
        for (const std::string& s : Syllables()) {
            const std::string both = convertAll(lib.convert, s, false);
            const std::string alone = convertAll(lib.convert, s, true);
            for (std::size_t i = 1; i < both.size(); i += 2) usedExtension += both[i] == '2';
            if (s.find_first_of(lib.unheldSigns) == s.npos) {
                ASSERT_EQ(both.empty(), alone.empty())
                    << lib.face << ": a syllable vanished: " << testing::PrintToString(s);
            }
            for (std::size_t i = 0; i + 1 < alone.size(); i += 2) {
                ASSERT_EQ(alone[i + 1], '1') << lib.face;
                ASSERT_TRUE(face.Draws(static_cast<unsigned char>(alone[i]))) << lib.face;
            }
        }
        // The syllables reach the extension face, so the fallback was tried.
        EXPECT_GT(usedExtension, 0) << lib.face;
    }
    FT_Done_FreeType(ft);
}

// Tibetan stacks: every letter with every subjoined letter (typed through
// the joiner), with and without the u-sign and the signs above.
std::vector<std::string> TibetanStacks() {
    std::vector<std::string> out;
    std::vector<int> letters, signs = {0, 0xD3, 0xC2, 0xA4, 0xC9, 0xA5, 0xE3, 0xE5, 0xB9, 0xCE};
    for (int b = 0xA1; b <= 0xFA; ++b) {
        if (b != 0xDA) letters.push_back(b);
    }
    for (int a : letters) {
        for (int s : signs) out.push_back(s ? Iscii({a, s}) : Iscii({a}));
        for (int b : letters) {
            out.push_back(Iscii({a, 0xDA, b, 0xB8, 0xD3}));
            out.push_back(Iscii({a, 0xDA, b, 0xCC}));
        }
        out.push_back(Iscii({a, 0x20}));
    }
    return out;
}

TEST(FamilyFonts, TibetanCodesAreDrawnAndTheSpaceIsTheTsheg) {
    FT_Library ft;
    ASSERT_EQ(FT_Init_FreeType(&ft), 0);
    sim::SimPlatform sim;
    const std::string fonts = sim.paths.SystemDirectory() + "/fonts/";
    const std::vector<std::string> stacks = TibetanStacks();
    for (const Library& lib : {Library{"TBMCV32.DLL", "iscii2tibetanzirvo", "TB-TTZamper", nullptr},
                               Library{"DRMCV32.DLL", "iscii2tibetanzirvo", "DR-TTTrasko", nullptr}}) {
        RawConverter converter(sim, lib.file, lib.entry);
        ASSERT_TRUE(converter.Loaded()) << lib.file;
        Face face(ft, fonts + lib.face1 + ".ttf");
        ASSERT_TRUE(face.ok()) << lib.face1;
        std::set<int> missing;
        for (const std::string& s : stacks) {
            const std::string out = converter.ConvertAll(s);
            for (std::size_t i = 0; i + 1 < out.size(); i += 2) {
                const auto code = static_cast<unsigned char>(out[i]);
                if (out[i + 1] != '1' || !face.Draws(code)) missing.insert(code);
            }
        }
        EXPECT_TRUE(missing.empty()) << lib.file << ": " << missing.size() << " codes not drawn";
        // The controls measure a Tibetan space by code 0xA1 and draw it with
        // code 0x20: both are the tsheg.
        const auto space = face.Metrics(0x20);
        EXPECT_EQ(space, face.Metrics(0xA1)) << lib.face1;
        EXPECT_GT(space.second, 0) << lib.face1;
    }
    FT_Done_FreeType(ft);
}

}  // namespace
}  // namespace vexa::test
