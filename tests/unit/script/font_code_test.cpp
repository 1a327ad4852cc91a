#include "script/font_code.h"

#include <gtest/gtest.h>

#include "unit/fixture_platform.h"

namespace vexa::script {
namespace {

using test::Bytes;

// The fixture converter turns each ISCII byte into itself, with digit '2'
// (extension font) for vowel signs 0xDA-0xE7 and '1' otherwise.
class FontCodeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(converter.Load("DVBCV32.DLL", "iscii2devzirvo")); }
    std::string Run(const std::string& text) { return ToFontCodeRun(converter, text, false); }

    test::FixturePlatform sim;
    ConverterLibrary converter{sim};
};

TEST_F(FontCodeTest, EnglishTextOpensWithTheEnglishSwitch) {
    EXPECT_EQ(Run(""), Bytes({0x02}));
    EXPECT_EQ(Run("abc"), Bytes({0x02, 'a', 'b', 'c'}));
}

TEST_F(FontCodeTest, ASpaceGoesToTheConverterThenFollowsAsALiteralInScript) {
    EXPECT_EQ(Run("ab cd"), Bytes({0x02, 'a', 'b', 0x03, 0x20, 0x02, 'c', 'd'}));
    EXPECT_EQ(Run(" a"), Bytes({0x03, 0x20, 0x02, 'a'}));
    EXPECT_EQ(Run(Bytes({0xB3, ' ', 0xB4})), Bytes({0x03, 0xB3, 0x20, 0xB4}));
}

TEST_F(FontCodeTest, LineFeedsVanishWhileCarriageReturnsAndTabsStayEnglish) {
    EXPECT_EQ(Run("a\r\nb\tc"), Bytes({0x02, 'a', 0x0D, 'b', 0x09, 'c'}));
    EXPECT_EQ(Run(Bytes({0xB3, 0x0A, 0xB4})), Bytes({0x03, 0xB3, 0xB4}));
}

TEST_F(FontCodeTest, ConverterDigitsSwitchBetweenScriptAndExtensionFonts) {
    EXPECT_EQ(Run(Bytes({0xB3, 0xB4})), Bytes({0x03, 0xB3, 0xB4}));
    EXPECT_EQ(Run(Bytes({0xB3, 0xDA, 0xB4, 0xDB})),
              Bytes({0x03, 0xB3, 0x06, 0xDA, 0x03, 0xB4, 0x06, 0xDB}));
    EXPECT_EQ(Run(Bytes({'k', 0xB3, 'm'})), Bytes({0x02, 'k', 0x03, 0xB3, 0x02, 'm'}));
}

TEST_F(FontCodeTest, TheExtensionCodeOpensAnExtensionStretchBeforeTheConverterIsAsked) {
    EXPECT_EQ(Run(Bytes({0xF0, 0xB3})), Bytes({0x06, 0x03, 0xF0, 0xB3}));
    // The converter's digit '1' for the extension code itself switches back.
    EXPECT_EQ(Run(Bytes({'a', 0xF0, 0xDA})), Bytes({0x02, 'a', 0x06, 0x03, 0xF0, 0x06, 0xDA}));
}

TEST_F(FontCodeTest, TheCaretMarkAlwaysGoesToTheConverterAndNeverSwitches) {
    EXPECT_EQ(Run(Bytes({'a', 0x01, 'b'})), Bytes({0x02, 'a', 'b'}));
    EXPECT_EQ(Run(Bytes({0xB3, 0x01, 0xDA})), Bytes({0x03, 0xB3, 0x06, 0xDA}));
    // In front of script text it takes the script font, so the syllable it
    // stands in is not drawn in the English font.
    EXPECT_EQ(Run(Bytes({0x01, 0xB3, 0xDA})), Bytes({0x03, 0xB3, 0x06, 0xDA}));
    EXPECT_EQ(Run(Bytes({'a', 0x01, 0xB3})), Bytes({0x02, 'a', 0x03, 0xB3}));
    EXPECT_EQ(Run(Bytes({'a', 0x01})), Bytes({0x02, 'a'}));
}

TEST_F(FontCodeTest, EnglishOnlyTextComesBackUnchanged) {
    std::string text = Bytes({'a', 0xB3, 0x0A, 0x01, 0x00, 0xF0});
    EXPECT_EQ(ToFontCodeRun(converter, text, true), text);
    EXPECT_EQ(ToPlainFontCode(converter, text, true), text);
}

TEST_F(FontCodeTest, TextEndsAtItsFirstNul) {
    EXPECT_EQ(Run(std::string("a\0b", 3)), Bytes({0x02, 'a'}));
}

TEST_F(FontCodeTest, PlainFontCodeKeepsOnlyExtensionSwitches) {
    EXPECT_EQ(ToPlainFontCode(converter, "abc", false), "abc");
    EXPECT_EQ(ToPlainFontCode(converter, Bytes({0xDA}), false), Bytes({0x06, 0xDA}));
    EXPECT_EQ(ToPlainFontCode(converter, Bytes({'a', 0xB3, 0xDA}), false),
              Bytes({'a', 0xB3, 0x06, 0xDA}));
}

TEST_F(FontCodeTest, WithoutAConverterBytesPassUnconvertedOneByOne) {
    converter.Unload();
    EXPECT_EQ(Run(Bytes({0xB3, 0xDA, ' ', 'a'})), Bytes({0x03, 0xB3, 0xDA, 0x20, 0x02, 'a'}));
}

TEST_F(FontCodeTest, AConverterThatConsumesNothingStillAdvances) {
    ASSERT_TRUE(converter.Load("ZEROCV32.DLL", "convert"));
    EXPECT_EQ(Run(Bytes({0xB3, 0xDA, 0xB4})),
              Bytes({0x03, 0xB3, 0x06, 0xDA, 0xDA, 0x03, 0xB4}));
}

TEST_F(FontCodeTest, AConverterThatOverclaimsStopsAtTheEnd) {
    ASSERT_TRUE(converter.Load("HUGECV32.DLL", "convert"));
    EXPECT_EQ(Run(Bytes({0xB3, 0xDA, ' ', 0xB4})), Bytes({0x03, 0xB3, 0x06, 0xDA}));
}

}  // namespace
}  // namespace vexa::script
