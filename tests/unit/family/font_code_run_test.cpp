// The module's font-code conversion running on the real Devanagari
// converters: what the controls will draw.

#include <gtest/gtest.h>

#include "script/converter_library.h"
#include "script/font_code.h"
#include "unit/family/raw_converter.h"

namespace vexa::test {
namespace {

TEST(DevanagariRuns, SpacesStayLiteralInsideTheScriptStretch) {
    sim::SimPlatform sim;
    script::ConverterLibrary converter(sim);
    ASSERT_TRUE(converter.Load("DVBCV32.DLL", "iscii2devzirvo"));
    const std::string ka = Iscii({0xB3});
    const std::string kha = Iscii({0xB4});
    const std::string run = script::ToFontCodeRun(converter, ka + " " + kha + " ab", false);
    RawConverter raw(sim, "DVBCV32.DLL", "iscii2devzirvo");
    const std::string g1 = raw.Call(ka).output, g2 = raw.Call(kha).output;
    ASSERT_EQ(g1.size(), 2u);
    ASSERT_EQ(g2.size(), 2u);
    // Both glyphs sit in the bilingual face itself (digit 1).
    const std::string expected = std::string("\x03") + g1[0] + " " + g2[0] + " \x02" + "ab";
    EXPECT_EQ(run, expected);
}

TEST(DevanagariRuns, VedicAccentsSwitchToTheExtensionFontAndBack) {
    sim::SimPlatform sim;
    script::ConverterLibrary converter(sim);
    ASSERT_TRUE(converter.Load("VDMCV32.DLL", "iscii2vediczirvo"));
    const std::string text = Iscii({0xB3, 0xF0, 0xA1, 0xB4});
    const std::string run = script::ToFontCodeRun(converter, text, false);
    ASSERT_EQ(run.size(), 6u);
    EXPECT_EQ(run[0], '\x03');
    EXPECT_EQ(run[2], '\x06');
    EXPECT_EQ(run[4], '\x03');
}

TEST(DevanagariRuns, StepsFollowTheConvertersSyllables) {
    sim::SimPlatform sim;
    script::ConverterLibrary converter(sim);
    ASSERT_TRUE(converter.Load("DVMCV32.DLL", "iscii2devzirvo"));
    // ksha + i + anusvara, then ta: the first step spans five bytes.
    const std::string text = Iscii({0xB3, 0xE8, 0xD6, 0xDB, 0xA2, 0xC2});
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.c_str());
    EXPECT_EQ(converter.ConvertSyllable(bytes, text.size()).consumed, 5u);
    EXPECT_EQ(converter.ConvertSyllable(bytes + 5, 1).consumed, 1u);
}

}  // namespace
}  // namespace vexa::test
