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

// A host's line ends are stored as 0x0D 0x0A; the line feed is part of the
// line end in both modes, never a glyph of the next line.
TEST(ExportTest, EachLineEndGivesOneCarriageReturnAndLineFeedInEnglishModeToo) {
    for (bool english : {false, true}) {
        EditRig rig;
        rig.engine.Script().englishScript = english;
        rig.engine.SetText("ab\r\ncd\r\n\r\nef");
        EXPECT_EQ(rig.engine.GetFormattedZIRVOText(12, 1000), "ab\r\ncd\r\n\r\nef") << english;
        // Only the width cuts; a line feed counts as no glyph.
        EXPECT_EQ(rig.engine.GetFormattedZIRVOText(12, 14), "ab\r\ncd\r\n\r\nef") << english;
    }
    EditStyle style = EditRig::MultiLineWrapped();
    style.wantReturn = false;
    for (bool english : {false, true}) {
        EditRig rig(style);
        rig.engine.Script().englishScript = english;
        rig.engine.SetText("ab\r\ncd");
        EXPECT_EQ(rig.engine.GetFormattedZIRVOText(12, 1000), "abcd") << english;
    }
}

}  // namespace
}  // namespace vexa::edit::test
