#include "script/converter_library.h"

#include <gtest/gtest.h>

#include "unit/fixture_platform.h"

namespace vexa::script {
namespace {

using test::Bytes;

SyllableGlyphs Convert(ConverterLibrary& converter, const std::string& text, std::size_t at = 0) {
    return converter.ConvertSyllable(reinterpret_cast<const unsigned char*>(text.c_str()) + at,
                                     text.size() - at);
}

TEST(ConverterLibrary, LoadBindsTheEntryAndUnloadReleasesIt) {
    test::FixturePlatform sim;
    ConverterLibrary converter(sim);
    EXPECT_FALSE(converter.HasFunction());
    EXPECT_TRUE(converter.Load("DVBCV32.DLL", "iscii2devzirvo"));
    EXPECT_TRUE(converter.HasFunction());
    EXPECT_EQ(sim.libraries.OpenCount(), 1);
    converter.Unload();
    EXPECT_FALSE(converter.HasFunction());
    EXPECT_EQ(sim.libraries.OpenCount(), 0);
}

TEST(ConverterLibrary, LoadOnABoundLibraryReplacesItInsteadOfOnlyReleasing) {
    test::FixturePlatform sim;
    ConverterLibrary converter(sim);
    ASSERT_TRUE(converter.Load("DVBCV32.DLL", "iscii2devzirvo"));
    EXPECT_TRUE(converter.Load("TMBCV32.DLL", "iscii2tamilzirvo"));
    EXPECT_TRUE(converter.HasFunction());
    EXPECT_EQ(sim.libraries.OpenCount(), 1);
}

TEST(ConverterLibrary, MissingFileOrEntryLeavesNothingLoaded) {
    test::FixturePlatform sim;
    ConverterLibrary converter(sim);
    EXPECT_FALSE(converter.Load("ASBCV32.DLL", "iscii2assamesezirvo"));
    EXPECT_FALSE(converter.Load("KNBCV32.DLL", "iscii2kannadazirvo"));
    EXPECT_FALSE(converter.HasFunction());
    EXPECT_EQ(sim.libraries.OpenCount(), 0);
}

TEST(ConverterLibrary, ConvertsOneSyllableIntoGlyphDigitPairs) {
    test::FixturePlatform sim;
    ConverterLibrary converter(sim);
    ASSERT_TRUE(converter.Load("DVBCV32.DLL", "iscii2devzirvo"));
    // ka + virama + ssa + aa-sign, then ka.
    std::string text = Bytes({0xB3, 0xE8, 0xD6, 0xDA, 0xB3});
    SyllableGlyphs s = Convert(converter, text);
    EXPECT_EQ(s.consumed, 4u);
    EXPECT_EQ(s.output, Bytes({0xB3, '1', 0xE8, '1', 0xD6, '1', 0xDA, '2'}));
    s = Convert(converter, text, 4);
    EXPECT_EQ(s.consumed, 1u);
}

TEST(ConverterLibrary, WithoutAFunctionEveryByteIsItsOwnSyllable) {
    test::FixturePlatform sim;
    ConverterLibrary converter(sim);
    std::string text = Bytes({0xB3, 0xDA, ' '});
    SyllableGlyphs s = Convert(converter, text);
    EXPECT_EQ(s.consumed, 1u);
    EXPECT_EQ(s.output, Bytes({0xB3, '1'}));
    s = Convert(converter, text, 2);
    EXPECT_EQ(s.consumed, 1u);
    EXPECT_TRUE(s.output.empty());
}

TEST(ConverterLibrary, MisbehavingConvertersCannotStallOrOverrun) {
    test::FixturePlatform sim;
    ConverterLibrary converter(sim);
    std::string text = Bytes({0xB3, 0xDA, 0xB4});

    ASSERT_TRUE(converter.Load("ZEROCV32.DLL", "convert"));
    EXPECT_EQ(Convert(converter, text).consumed, 1u);

    ASSERT_TRUE(converter.Load("HUGECV32.DLL", "convert"));
    EXPECT_EQ(Convert(converter, text).consumed, 3u);
    EXPECT_EQ(Convert(converter, text, 2).consumed, 1u);

    ASSERT_TRUE(converter.Load("LONGCV32.DLL", "convert"));
    SyllableGlyphs s = Convert(converter, text);
    EXPECT_EQ(s.output.size(), 255u);
    int glyphs = 0;
    ForEachGlyph(s.output, [&](unsigned char, bool) { ++glyphs; });
    EXPECT_EQ(glyphs, 128);
}

TEST(ConverterLibrary, ALoneTrailingByteIsAScriptGlyph) {
    std::vector<std::pair<int, bool>> glyphs;
    ForEachGlyph(Bytes({0xC1, '2', 0xC2}),
                 [&](unsigned char g, bool extension) { glyphs.emplace_back(g, extension); });
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[0], std::make_pair(0xC1, true));
    EXPECT_EQ(glyphs[1], std::make_pair(0xC2, false));
}

}  // namespace
}  // namespace vexa::script
