#include <gtest/gtest.h>

#include "script/script_catalogue.h"
#include "unit/edit/edit_rig.h"

namespace vexa::edit::test {
namespace {

TEST(PaintTest, EachLineIsDrawnOnItsRowWithTheFontOfItsRun) {
    EditRig rig;
    rig.engine.SetText(Bytes({'a', 'b', 0x0D, 0xB3, 0xDA, ' ', 'c'}));
    rig.Paint();
    const auto& screen = rig.window.Screen();
    EXPECT_EQ(screen.RowCodes(0), "ab");
    EXPECT_EQ(screen.GlyphsOnRow(0)[0].face, "EN-Test");
    EXPECT_EQ(screen.RowCodes(rig.H()), Bytes({0xB3, 0xDA, ' ', 'c'}));
    const auto row1 = screen.GlyphsOnRow(rig.H());
    ASSERT_EQ(row1.size(), 4u);
    EXPECT_EQ(row1[0].face, "DVB-TTDorvan");
    EXPECT_EQ(row1[1].face, "DVB-TTDorvanEN");  // the vowel sign
    EXPECT_EQ(row1[1].x, kScriptW);
    EXPECT_EQ(row1[2].x, kScriptW + kExtensionW);
    EXPECT_EQ(row1[3].face, "EN-Test");
    // The space after the vowel sign stays in its font.
    EXPECT_EQ(row1[3].x, kScriptW + 2 * kExtensionW);
    EXPECT_TRUE(screen.RowCodes(2 * rig.H()).empty());
    EXPECT_TRUE(row1[0].transparent);
}

TEST(PaintTest, TextAfterATabStartsAtTheNextMultipleOfAHundred) {
    EditRig rig;
    rig.engine.SetText(std::string("a\tb\r") + std::string(15, 'c') + "\td");
    rig.Paint();
    const auto row0 = rig.window.Screen().GlyphsOnRow(0);
    ASSERT_EQ(row0.size(), 2u);
    EXPECT_EQ(row0[1].codes, "b");
    EXPECT_EQ(row0[1].x, 100);
    const auto row1 = rig.window.Screen().GlyphsOnRow(rig.H());
    EXPECT_EQ(row1.back().codes, "d");
    EXPECT_EQ(row1.back().x, 200);
    // The caret measures the same way.
    rig.Key(keys::kEnd);
    EXPECT_EQ(rig.V().CaretX(), 100 + kEnglishW);
}

// An English-only control: every byte is a Roman glyph of 8 pixels, the
// control characters included, as an 8-bit font gives them boxes.
void MakeEnglish(EditRig& rig) {
    rig.fonts.SetWidths("Roman", sim::SimFonts::Uniform(8));
    rig.engine.Script().scriptName = "English";
    rig.engine.Script().englishScript = true;
    rig.engine.RebuildFonts();
}

TEST(PaintTest, EnglishLinesShowNoLineFeedAndTheCaretStandsAfterTheirGlyphs) {
    EditRig rig;
    MakeEnglish(rig);
    rig.engine.SetText("ab\r\ncd\r\nef");
    rig.Key(keys::kDown);
    rig.Key(keys::kEnd);
    rig.Paint();
    const auto& screen = rig.window.Screen();
    EXPECT_EQ(screen.RowCodes(0), "ab");
    EXPECT_EQ(screen.RowCodes(rig.H()), "cd");
    EXPECT_EQ(screen.RowCodes(2 * rig.H()), "ef");
    const auto row1 = screen.GlyphsOnRow(rig.H());
    ASSERT_FALSE(row1.empty());
    EXPECT_EQ(row1[0].x, 0);
    // The caret stands right after the last glyph drawn.
    EXPECT_EQ(rig.V().CaretX(), 16);
    EXPECT_EQ(row1.back().x + 8, rig.V().CaretX());
    // A selection of the line covers exactly its glyphs.
    rig.Key(keys::kHome, true);
    EXPECT_EQ(screen.InvertedSpan(rig.H() + 1), (std::pair<int, int>{0, 16}));
}

TEST(PaintTest, TheCaretMarkTakesNoRoomInEnglishText) {
    EditRig rig;
    MakeEnglish(rig);
    rig.engine.SetText("abcdefghijkl\tx");  // 96 pixels, then the tab
    rig.Paint();                              // the caret is at the line start
    auto row = rig.window.Screen().GlyphsOnRow(0);
    ASSERT_FALSE(row.empty());
    EXPECT_EQ(row.back().codes, "x");
    EXPECT_EQ(row.back().x, 100);
    rig.Key(keys::kEnd);
    EXPECT_EQ(rig.V().CaretX(), 108);
    rig.Key(keys::kHome);
    rig.Key(keys::kRight);  // the mark now stands inside the first piece
    rig.Paint();
    row = rig.window.Screen().GlyphsOnRow(0);
    EXPECT_EQ(row.back().x, 100);
}

TEST(PaintTest, PasswordModeShowsOneAsteriskPerByteInTheEnglishFont) {
    EditRig rig(EditRig::SingleLine());
    rig.engine.Style().password = true;
    rig.engine.BuildWidthTables();
    rig.engine.SetText(Bytes({0xB3, 0xDA, 0xB4, 0xDB, 0xB5}));
    rig.Paint();
    const auto row = rig.window.Screen().GlyphsOnRow(0);
    EXPECT_EQ(rig.window.Screen().RowCodes(0), "*****");
    ASSERT_FALSE(row.empty());
    EXPECT_EQ(row[0].face, "EN-Test");
}

TEST(PaintTest, AnEmptyTextPaintsOnlyTheBackground) {
    EditRig rig;
    rig.engine.SetColours(0x112233, 0xABCDEF);
    rig.engine.SetText("");
    rig.Paint();
    EXPECT_TRUE(rig.window.Screen().Glyphs().empty());
    EXPECT_EQ(rig.window.Screen().BackgroundAt(299, 99), 0xABCDEFu);
}

TEST(PaintTest, RowsBelowTheTextAreClearedAndTheCaretIsHiddenWhileDrawing) {
    EditRig rig;
    rig.engine.SetText("abc\rdef");
    rig.Paint();
    rig.engine.SetText("x");
    rig.Paint();
    EXPECT_EQ(rig.window.Screen().RowCodes(0), "x");
    EXPECT_TRUE(rig.window.Screen().RowCodes(rig.H()).empty());
    EXPECT_TRUE(rig.window.CaretState().Visible());
}

TEST(PaintTest, AScrolledViewPaintsItsRowsAndStops) {
    EditStyle style = EditRig::MultiLineWrapped();
    style.vScrollBar = true;
    EditRig rig(style);
    std::string text;
    for (int i = 0; i < 40; ++i) text += std::string(1, static_cast<char>('a' + i % 26)) + "\r";
    rig.engine.SetText(text);
    rig.engine.OnVScroll(scroll::kThumbPosition, 30);
    rig.Paint();
    EXPECT_EQ(rig.window.Screen().RowCodes(0), "e");  // line 30
    EXPECT_EQ(rig.window.Screen().RowCodes(4 * rig.H()), "i");
}

TEST(PaintTest, ASelectionAcrossRowsInvertsTheirPartsAndInvertingTwiceRestores) {
    EditRig rig;
    rig.engine.SetText("abcdef\rghijkl\rmnopqr");
    rig.Paint();
    rig.engine.View().InvertSelection(21, 0, 14, 2 * rig.H());
    auto& screen = rig.window.Screen();
    EXPECT_EQ(screen.InvertedSpan(5), (std::pair<int, int>{21, 300}));
    EXPECT_EQ(screen.InvertedSpan(rig.H() + 5), (std::pair<int, int>{0, 300}));
    EXPECT_EQ(screen.InvertedSpan(2 * rig.H() + 5), (std::pair<int, int>{0, 14}));
    EXPECT_EQ(screen.InvertedSpan(3 * rig.H() + 5), (std::pair<int, int>{0, 0}));
    // Points may come in either order.
    rig.engine.View().InvertSelection(14, 2 * rig.H(), 21, 0);
    EXPECT_EQ(screen.InvertedCount(), 0);
}

TEST(PaintTest, ASelectionEndBelowTheLastRowIsDrawnToTheEdgeOfThatRow) {
    EditRig rig;
    rig.engine.View().InvertSelection(30, rig.H(), 10, 9 * rig.H());
    auto& screen = rig.window.Screen();
    EXPECT_EQ(screen.InvertedSpan(rig.H() + 1), (std::pair<int, int>{30, 300}));
    EXPECT_EQ(screen.InvertedSpan(4 * rig.H() + 1), (std::pair<int, int>{0, 300}));
    // A selection that starts below the last row shows nothing.
    rig.engine.View().InvertSelection(0, 0, 0, 0);
    const int before = screen.InvertedCount();
    rig.engine.View().InvertSelection(5, 6 * rig.H(), 50, 7 * rig.H());
    EXPECT_EQ(screen.InvertedCount(), before);
}

TEST(PaintTest, TheTypedWordIsRedrawnInPlace) {
    EditRig rig;
    rig.engine.SetText("ab cd");
    rig.Paint();
    rig.Key(keys::kEnd);
    rig.Key('E');
    // Without a full repaint the row already shows the new word.
    rig.engine.View().RedrawWord(rig.engine.Word().start);
    EXPECT_EQ(rig.window.Screen().RowCodes(0), "ab cdE");
    const auto row = rig.window.Screen().GlyphsOnRow(0);
    EXPECT_EQ(row.back().x, 2 * kEnglishW + kScriptW + 2 * kEnglishW);
    EXPECT_FALSE(row.back().transparent);
}

TEST(PaintTest, VedicAccentsOverprintTheGlyphBeforeThem) {
    EditRig rig;
    ASSERT_TRUE(rig.converter.Load("VDMCV32.DLL", "iscii2vediczirvo"));
    rig.fonts.SetWidths("VD2-TTDorvan", sim::SimFonts::Uniform(9));
    rig.engine.Script().scriptName = "Vedic";
    rig.engine.Script().scriptFace = "VD-TTDorvan";
    rig.engine.Script().fontType = 1;
    script::ScriptCatalogue::SetReach(1);
    rig.engine.RebuildFonts();
    ASSERT_EQ(rig.engine.Metrics().Description(FontSlot::Extension).face, "VD2-TTDorvan");
    // The fixture converter draws vowel signs from the extension font;
    // 0xDB is an accent there.
    rig.engine.SetText(Bytes({0xB3, 0xDD, 0xDB, 0xDE}));
    rig.Paint();
    std::vector<sim::SimScreen::Text> extension;
    for (const auto& g : rig.window.Screen().Glyphs()) {
        if (g.face == "VD2-TTDorvan") extension.push_back(g);
    }
    ASSERT_EQ(extension.size(), 3u);
    // The first glyph is drawn where the segment starts; the accent stays
    // there; 0xDE first advances by its own width.
    EXPECT_EQ(extension[0].x, kScriptW);
    EXPECT_EQ(extension[1].codes, Bytes({0xDB}));
    EXPECT_EQ(extension[1].x, kScriptW);
    EXPECT_EQ(extension[2].x, kScriptW + 9);
    EXPECT_EQ(extension[0].y, 16 / 15);
    script::ScriptCatalogue::SetReach(0);
}

}  // namespace
}  // namespace vexa::edit::test
