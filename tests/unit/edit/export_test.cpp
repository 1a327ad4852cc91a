#include <gtest/gtest.h>

#include "unit/edit/edit_rig.h"

namespace vexa::edit::test {
namespace {

TEST(ExportTest, AConvertedStringDropsTheScriptAndEnglishSwitches) {
    EditRig rig;
    EXPECT_EQ(rig.engine.GetZIRVOText(Bytes({'a', 0xB3, 0xDA})), Bytes({'a', 0xB3, 0x06, 0xDA}));
    rig.engine.Script().englishScript = true;
    EXPECT_EQ(rig.engine.GetZIRVOText(Bytes({'a', 0xB3, 0xDA})), Bytes({'a', 0xB3, 0xDA}));
}

// Lines are cut by width, taking a glyph while the width before it is below
// the limit (English glyphs are 7 pixels). With WantReturn each hard line
// ends once, a host's CR LF is one line end (its line feed never a glyph of
// the next line), soft breaks read as spaces and forced breaks as nothing;
// without it hard lines run together. Script and English mode alike.
TEST(ExportTest, FormattedTextCutsLinesByWidthAndGivesEachLineEndOnce) {
    const std::string wrapped = std::string(25, 'a') + " " + std::string(25, 'b');
    struct Case {
        bool wantReturn;
        std::string text;
        long width;
        std::string formatted;
    } const cases[] = {
        {true, "", 100, ""},
        {true, "abcde", 25, "abc\r\nde"},
        {true, "abcde", 0, "\r\na\r\nb\r\nc\r\nd\r\ne"},
        {true, "ab\r\rcd", 1000, "ab\r\n\r\ncd"},
        {true, "ab\r\ncd\r\n\r\nef", 1000, "ab\r\ncd\r\n\r\nef"},
        {true, "ab\r\ncd\r\n\r\nef", 14, "ab\r\ncd\r\n\r\nef"},
        {true, wrapped + "\x1D" "c", 1000, wrapped + "c"},
        {false, "ab\rcd", 1000, "abcd"},
        {false, "ab\r\ncd", 1000, "abcd"},
    };
    for (bool english : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "english " << english << " text " << c.text
                                            << " width " << c.width);
            EditStyle style = EditRig::MultiLineWrapped();
            style.wantReturn = c.wantReturn;
            EditRig rig(style);
            rig.engine.Script().englishScript = english;
            rig.engine.SetText(c.text);
            if (c.text.starts_with(wrapped)) {
                ASSERT_EQ(rig.Text()[25], '\x04');
            }
            EXPECT_EQ(rig.engine.GetFormattedZIRVOText(12, c.width), c.formatted);
        }
    }
}

}  // namespace
}  // namespace vexa::edit::test
