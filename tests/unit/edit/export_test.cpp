#include <gtest/gtest.h>

#include "unit/edit/edit_rig.h"

namespace vexa::edit::test {
namespace {

// Every glyph of the rig's script table is 10 pixels wide.
TEST(ExportTest, AConvertedStringDropsTheScriptAndEnglishSwitches) {
    EditRig rig;
    EXPECT_EQ(rig.engine.GetZIRVOText(Bytes({'a', 0xB3, 0xDA})), Bytes({'a', 0xB3, 0x06, 0xDA}));
    rig.engine.Script().englishScript = true;
    EXPECT_EQ(rig.engine.GetZIRVOText(Bytes({'a', 0xB3, 0xDA})), Bytes({'a', 0xB3, 0xDA}));
}

TEST(ExportTest, AnEmptyTextGivesAnEmptyString) {
    EditRig rig;
    rig.engine.SetText("");
    EXPECT_EQ(rig.engine.GetFormattedZIRVOText(12, 100), "");
}

TEST(ExportTest, LinesAreCutByWidthTakingAGlyphWhileTheWidthBeforeItIsBelowTheLimit) {
    EditRig rig;
    rig.engine.SetText("abcde");
    EXPECT_EQ(rig.engine.GetFormattedZIRVOText(12, 25), "abc\r\nde");
    EXPECT_EQ(rig.engine.GetFormattedZIRVOText(12, 0), "\r\na\r\nb\r\nc\r\nd\r\ne");
}

TEST(ExportTest, WithoutWantReturnHardLinesRunTogether) {
    EditStyle style = EditRig::MultiLineWrapped();
    style.wantReturn = false;
    EditRig rig(style);
    rig.engine.SetText("ab\rcd");
    EXPECT_EQ(rig.engine.GetFormattedZIRVOText(12, 1000), "abcd");
}

TEST(ExportTest, WithWantReturnEachHardLineEndsOnceAndSoftBreaksReadAsSpaces) {
    EditRig rig;
    rig.engine.SetText("ab\r\rcd");
    EXPECT_EQ(rig.engine.GetFormattedZIRVOText(12, 1000), "ab\r\n\r\ncd");
    // A wrapped text gives its soft breaks back as spaces, forced breaks as nothing.
    rig.engine.SetText(std::string(25, 'a') + " " + std::string(25, 'b') + "\x1D" "c");
    ASSERT_EQ(rig.Text()[25], '\x04');
    EXPECT_EQ(rig.engine.GetFormattedZIRVOText(12, 1000),
              std::string(25, 'a') + " " + std::string(25, 'b') + "c");
}

}  // namespace
}  // namespace vexa::edit::test
