// The converter contract, checked on every converter library of the family:
// one syllable per call, a consumed count inside the text, and an output of
// glyph/digit pairs that never passes the bytes a converter may write.

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "unit/family/raw_converter.h"

namespace vexa::test {
namespace {

// Texts that reach the corners of the syllable rules.
std::vector<std::string> Samples() {
    return {
        Iscii({0xC6, 0xCC, 0xD7, 0xE8, 0xC2, 0xE1}),                    // namaste
        Iscii({0xB3, 0xE8, 0xD6, 0xDB, 0x20, 0xCF, 0xE8, 0xB3, 0xDC}),  // kssi, rki
        Iscii({0xD7, 0xE8, 0xC2, 0xE8, 0xCF, 0xDB, 0xA2}),              // stri + anusvara
        Iscii({0xB3, 0xE8, 0xE8, 0xD6, 0xB3, 0xE8, 0xE9, 0xD6}),        // explicit, soft virama
        Iscii({0xD9, 0xDB, 0xD9, 0xE8, 0xB3}),                          // INV carriers
        Iscii({0xB3, 0x01, 0xDB, 0x01, 0xA2}),                          // caret marks inside
        Iscii({0xB3, 0xF0, 0xA1, 0xF0, 0xA2, 0xF0, 0xBF, 0xF0}),        // Vedic signs, lone EXT
        Iscii({0xA4, 0xA1, 0xEA, 0xEA, 0xEA, 0xE9, 0xF1, 0xFA, 0xA1, 0xE9}),
        Iscii({0xDB, 0xE8, 0xE9, 0xA2, 0xA3, 0xA1, 0xA2, 0xA3, 0xA1, 0xA2}),  // lone signs
        Iscii({0xB3, 0xA2, 0xA2, 0xA2, 0xA2, 0xA2, 0xA2, 0xF0, 0xA1, 0xF0, 0xA1, 0xF0, 0xA1,
               0xF0, 0xA1, 0xF0, 0xA1, 0xF0, 0xA1}),  // more signs than one syllable takes
        Iscii({0xFF, 0xEB, 0xEC, 0xEE, 0xA0, 0xEF, 0xFB, 0x20, 0x41}),
        // Doubled consonants (Gurmukhi addak), nasal signs after vowels, freed codes.
        Iscii({0xB3, 0xE8, 0xB3, 0xE8, 0xB3, 0xDD, 0xA2, 0xA2, 0xE3, 0xCD, 0xE9, 0xA8, 0xA2}),
        Iscii({0xD9, 0xE8, 0xD9, 0xDA, 0xA2, 0xCF, 0xE8, 0xCF, 0xE8, 0xE8}),
    };
}

std::string LongCluster(int consonants) {
    std::string s;
    for (int i = 0; i < consonants; ++i) s += Iscii({0xD7, 0xE8});
    return s + Iscii({0xC2, 0xDB, 0xA2, 0xA1, 0xA3});
}

class ConverterContract : public ::testing::TestWithParam<FamilyLibrary> {
protected:
    void SetUp() override {
        ASSERT_TRUE(converter.Loaded()) << GetParam().file << " in " << sim.paths.SystemDirectory();
    }
    sim::SimPlatform sim;
    RawConverter converter{sim, GetParam().file, GetParam().entry};
};

TEST_P(ConverterContract, EveryCallKeepsToTheContract) {
    std::vector<std::string> texts = Samples();
    texts.push_back(LongCluster(40));
    for (const std::string& text : texts) {
        for (std::size_t p = 0; p < text.size();) {
            RawResult r = converter.Call(text, p);
            SCOPED_TRACE(testing::Message() << GetParam().file << " at byte " << p);
            ASSERT_TRUE(r.guardIntact);
            ASSERT_TRUE(r.terminated);
            ASSERT_GE(r.consumed, 1);
            ASSERT_LE(static_cast<std::size_t>(r.consumed), text.size() - p);
            ASSERT_EQ(r.output.size() % 2, 0u);
            for (std::size_t i = 0; i < r.output.size(); i += 2) {
                const auto code = static_cast<unsigned char>(r.output[i]);
                const char digit = r.output[i + 1];
                EXPECT_GE(code, 0x21) << "a glyph code may not be a control or switch byte";
                EXPECT_TRUE(digit == '1' || (digit == '2' && GetParam().usesExtension))
                    << "digit " << digit;
                // Script glyphs sit above the Latin half of a bilingual face;
                // only a digit or danda the face has no glyph for may take its
                // Latin stand-in there.
                const auto lead = static_cast<unsigned char>(text[p]);
                const bool latinStandIn = (lead >= 0xF1 && lead <= 0xFA) || lead == 0xEA;
                if (digit == '1' && text[p] != 0x20 && !latinStandIn) {
                    EXPECT_GE(code, GetParam().firstScriptCode);
                }
            }
            p += static_cast<std::size_t>(r.consumed);
        }
    }
}

TEST_P(ConverterContract, SpaceAndCaretMarkAreOneByteWithoutGlyphs) {
    for (const std::string& text : {Iscii({0x20, 0xB3}), Iscii({0x01, 0xB3}), Iscii({0x41, 0xB3})}) {
        RawResult r = converter.Call(text);
        EXPECT_EQ(r.consumed, 1);
        EXPECT_EQ(r.output, "");
    }
}

TEST_P(ConverterContract, ALongClusterIsSplitIntoSyllablesThatFit) {
    const std::string text = LongCluster(60);
    std::vector<int> counts;
    converter.ConvertAll(text, &counts);
    EXPECT_GT(counts.size(), 5u) << "a cluster of 60 consonants cannot be one syllable";
    int total = 0;
    for (int c : counts) total += c;
    EXPECT_EQ(total, static_cast<int>(text.size()));
}

// A modifier or a reph adds to a syllable or fuses with its vowel sign; it
// never takes a glyph away. (A fused form the fonts have no code for must
// fall back to the sign and the modifier drawn apart, not vanish.)
TEST_P(ConverterContract, NoSignOfASyllableVanishes) {
    // Glyphs of a text read as one syllable; 0 when it is not one syllable.
    const auto glyphs = [&](const std::string& text) {
        const RawResult r = converter.Call(text);
        return r.consumed == static_cast<int>(text.size()) ? r.output.size() / 2 : 0u;
    };
    int checked = 0;
    for (int c = 0xB3; c <= 0xD8; ++c) {
        const bool drawn = glyphs(Iscii({c})) > 0;
        for (int sign = 0xDA; sign <= 0xE7; ++sign) {
            SCOPED_TRACE(testing::Message() << GetParam().file << std::hex << " consonant " << c
                                            << " sign " << sign);
            const RawResult both = converter.Call(Iscii({c, sign}));
            if (drawn && both.consumed == 2) {
                EXPECT_NE(both.output, "") << "a drawn consonant vanished with its sign";
            }
            const std::size_t plain = glyphs(Iscii({c, sign}));
            if (plain == 0) continue;
            for (int modifier : {0xA1, 0xA2, 0xA3}) {
                const std::size_t with = glyphs(Iscii({c, sign, modifier}));
                if (with == 0) continue;  // a sign the script writes otherwise
                EXPECT_GE(with, plain) << "modifier " << modifier;
                ++checked;
            }
            const std::size_t reph = glyphs(Iscii({0xCF, 0xE8, c, sign}));
            if (reph != 0) {
                EXPECT_GE(reph, plain) << "after ra + virama";
            }
        }
    }
    EXPECT_GT(checked, 500);
}

std::vector<FamilyLibrary> EveryLibrary() {
    std::vector<FamilyLibrary> all;
    using Group = std::span<const FamilyLibrary>;
    for (Group group : {Group(kDevanagariLibraries), Group(kTamilMalayalamLibraries), Group(kGujaratiLibraries),
                        Group(kPunjabiLibraries), Group(kEasternLibraries)})
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

INSTANTIATE_TEST_SUITE_P(Family, ConverterContract, ::testing::ValuesIn(EveryLibrary()),
                         [](const auto& info) { return std::string(info.param.file).substr(0, 7); });

}  // namespace
}  // namespace vexa::test
