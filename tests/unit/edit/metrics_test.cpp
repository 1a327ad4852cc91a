#include <gtest/gtest.h>

#include "unit/edit/edit_rig.h"

namespace vexa::edit::test {
namespace {

TEST(MetricsTest, TwelvePointsAtNinetySixDotsGiveSixteenPixelFontsAndNineteenPixelLines) {
    EditRig rig;
    EXPECT_EQ(rig.engine.Metrics().Description(FontSlot::Script).height, 16);
    EXPECT_EQ(rig.engine.Metrics().Description(FontSlot::Script).face, "DVB-TTDorvan");
    EXPECT_EQ(rig.engine.Metrics().Description(FontSlot::English).face, "EN-Test");
    EXPECT_EQ(rig.engine.Metrics().Description(FontSlot::Extension).face, "DVB-TTDorvanEN");
    EXPECT_EQ(rig.H(), 19);
    EXPECT_EQ(rig.engine.PageLines(), 5);  // 100 / 19

    rig.engine.Script().fontSize = 20;
    rig.engine.RebuildFonts();
    EXPECT_EQ(rig.H(), 32);  // 27 + 5
    EXPECT_EQ(rig.engine.PageLines(), 3);
}

TEST(MetricsTest, ASingleLineControlHasOneRowWhateverItsHeight) {
    EditRig rig(EditRig::SingleLine(), {0, 0, 300, 200});
    EXPECT_EQ(rig.engine.PageLines(), 1);
}

TEST(MetricsTest, FontSizeZeroLeavesOneRowAndPaintingSafe) {
    EditRig rig;
    rig.engine.Script().fontSize = 0;
    rig.engine.RebuildFonts();
    EXPECT_EQ(rig.H(), 0);
    EXPECT_EQ(rig.engine.PageLines(), 1);
    rig.engine.SetText("ab\rcd");
    rig.Paint();
    platform::Point p{5, 50};
    rig.engine.OnLButtonDown(kMouseLeft, p);
    EXPECT_EQ(rig.B().CaretLine(), 0);
}

TEST(MetricsTest, RunsAreMeasuredFromTheTablesWithTabStopsAndStopAtLineEnds) {
    EditRig rig;
    const common::ScriptFonts& m = rig.engine.Metrics();
    // English "a" is 7 wide: the tab reaches 100, then "b".
    EXPECT_EQ(m.MeasureRun(Bytes({0x02, 'a', 0x09, 'b'})), 100 + kEnglishW);
    EXPECT_EQ(m.MeasureRun(Bytes({0x03, 0xB3, 0x0D, 0xB4})), kScriptW);
    EXPECT_EQ(m.MeasureRun(Bytes({0x03, 0xB3, 0x06, 0xDA, 0x02, 'x'})),
              kScriptW + kExtensionW + kEnglishW);
    EXPECT_EQ(m.MeasureRun(Bytes({0x03, 0xB3, 0xB4, 0xB5}), 3), 2 * kScriptW);
    // Fifteen English glyphs (105) then a tab: the next stop is 200.
    EXPECT_EQ(m.MeasureRun("\x02" + std::string(15, 'a') + "\t"), 200);
    // A line feed measures nothing.
    EXPECT_EQ(m.MeasureRun(Bytes({0x02, 'a', 0x0A, 'b'})), 2 * kEnglishW);
}

TEST(MetricsTest, PasswordModeMeasuresEveryScriptGlyphAsHalfAnAsterisk) {
    EditRig rig;
    auto script = sim::SimFonts::Uniform(kScriptW);
    script['*'] = 12;
    rig.fonts.SetWidths("DVB-TTDorvan", script);
    rig.engine.Style().password = true;
    rig.engine.BuildWidthTables();
    const auto& widths = rig.engine.Metrics().Widths(FontSlot::Script);
    EXPECT_EQ(widths[0xB3], 6);
    EXPECT_EQ(widths['a'], 6);
    EXPECT_EQ(widths[0x09], 100);
    EXPECT_EQ(widths[0x0D], 0);
    EXPECT_EQ(widths[0x1D], 0);
    EXPECT_EQ(rig.engine.Metrics().Widths(FontSlot::English)['a'], kEnglishW);
}

TEST(MetricsTest, TibetanSpacesTakeTheWidthOfTheFirstSignInTheSystemFont) {
    EditRig rig;
    auto system = sim::SimFonts::Uniform(8);
    system[0xA1] = 13;
    rig.fonts.SetSystemWidths(system);
    auto script = sim::SimFonts::Uniform(kScriptW);
    script[0xA1] = 11;
    rig.fonts.SetWidths("TB-TTZamper", script);
    rig.engine.Script().scriptName = "Tibetan";
    rig.engine.Script().scriptFace = "TB-TTZamper";
    rig.engine.RebuildFonts();
    EXPECT_EQ(rig.engine.Metrics().Widths(FontSlot::Script)[' '], 11);
    EXPECT_EQ(rig.engine.Metrics().Widths(FontSlot::English)[' '], 11);
    EXPECT_EQ(rig.engine.Metrics().MeasureRun(Bytes({0x03, 0xB3, ' ', 0xB3})), 2 * kScriptW + 13);
}

TEST(MetricsTest, TheScrollBarNarrowsAWrappedTextOnlyWhileItHasOneLine) {
    EditStyle style = EditRig::MultiLineWrapped();
    style.vScrollBar = true;
    EditRig rig(style);
    rig.engine.SetText("");
    rig.engine.Layout();
    EXPECT_EQ(rig.engine.TextWidth(), 300 - 17);
    rig.engine.SetText("a\rb");
    rig.engine.Layout();
    EXPECT_EQ(rig.engine.TextWidth(), 300);
}

// Every line of the text fits the text width (a word alone may not).
void ExpectLinesFit(EditRig& rig) {
    for (int line = 0; line <= rig.B().LastLine(); ++line) {
        const std::string text = rig.engine.LineText(line);
        if (text.find(' ') == std::string::npos) continue;
        EXPECT_LT(rig.engine.MeasureText(text), rig.engine.TextWidth()) << line;
    }
}

std::string WithoutSoftBreaks(std::string text) {
    for (char& c : text) {
        if (c == static_cast<char>(kSoftBreakSpace)) c = ' ';
        if (c == static_cast<char>(kSoftBreakTab)) c = '\t';
    }
    return text;
}

TEST(MetricsTest, AResizedWrappingControlWrapsAgainAndKeepsTheCaretInView) {
    EditRig rig;
    const std::string text = "aaa bbb ccc\tddd eee fff";  // one line of 183 px
    rig.engine.SetText(text);
    rig.Key(keys::kEnd);
    ASSERT_EQ(rig.B().LastLine(), 0);

    rig.window.Resize({0, 0, 100, 100});
    rig.engine.OnSize();
    EXPECT_EQ(rig.engine.TextWidth(), 100);
    EXPECT_EQ(WithoutSoftBreaks(rig.Text()), text);
    EXPECT_EQ(rig.B().LastLine(), 1);  // broken at the tab
    EXPECT_EQ(rig.Text()[11], static_cast<char>(kSoftBreakTab));
    ExpectLinesFit(rig);
    // The caret is still after the last letter, on the last line, in view.
    EXPECT_EQ(rig.B().CaretIndex(), text.size());
    EXPECT_LE(rig.V().CaretX(), rig.engine.TextWidth());
    EXPECT_EQ(rig.window.CaretState().position, (platform::Point{83, rig.H()}));
    EXPECT_EQ(CheckInvariants(rig), "");

    // Narrower still: a word a line, more lines than the page shows.
    rig.window.Resize({0, 0, 40, 100});
    rig.engine.OnSize();
    EXPECT_EQ(rig.B().LastLine(), 5);
    EXPECT_EQ(rig.B().CaretLine(), 5);
    EXPECT_EQ(rig.B().TopLine(), 1);  // scrolled so the caret's line shows
    EXPECT_EQ(rig.window.CaretState().position, (platform::Point{21, 4 * rig.H()}));
    EXPECT_EQ(CheckInvariants(rig), "");

    // Wide again: the soft breaks are gone, the tab came back.
    rig.window.Resize({0, 0, 300, 100});
    rig.engine.OnSize();
    EXPECT_EQ(rig.Text(), text);
    EXPECT_EQ(rig.B().TopLine(), 0);
    EXPECT_EQ(rig.window.CaretState().position, (platform::Point{rig.V().CaretX(), 0}));
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST(MetricsTest, AResizeKeepsTheSelectionOnItsBytes) {
    EditRig rig;
    rig.engine.SetText("aaaa bbbb cccc dddd");
    rig.engine.SetSelStart(10);
    rig.engine.SetSelLength(4);  // "cccc"
    rig.window.Resize({0, 0, 80, 100});
    rig.engine.OnSize();
    EXPECT_EQ(rig.engine.SelStart(), 10);
    EXPECT_EQ(rig.engine.SelLength(), 4);
    rig.Paint();
    // "cccc" opens the second line: the highlight covers it there.
    EXPECT_EQ(rig.window.Screen().InvertedSpan(rig.H() + 1), (std::pair<int, int>{0, 28}));
    EXPECT_EQ(CheckInvariants(rig), "");
}

TEST(MetricsTest, EnglishModeDrawsEverythingInRoman) {
    EditRig rig;
    rig.engine.Script().scriptName = "English";
    rig.engine.Script().englishScript = true;
    rig.engine.RebuildFonts();
    EXPECT_EQ(rig.engine.Metrics().Description(FontSlot::Script).face, "Roman");
    EXPECT_EQ(rig.engine.Metrics().Description(FontSlot::English).face, "Roman");
    // The extension face stays the one in use before.
    EXPECT_EQ(rig.engine.Metrics().Description(FontSlot::Extension).face, "DVB-TTDorvanEN");
}

}  // namespace
}  // namespace vexa::edit::test

namespace vexa::edit::test {
namespace {

// Every offset's x on a line against the whole line's bytes in front of it
// measured at once; empty when all agree.
std::string XMismatches(const EditRig& rig) {
    const std::string& t = rig.Text();
    std::string out;
    for (std::size_t o = 0; o <= t.size(); o += 3) {
        std::size_t start = o;
        while (start > 0 && !IsLineEnd(static_cast<unsigned char>(t[start - 1]))) --start;
        const int whole = rig.V().HScroll() + rig.engine.MeasureText(t.substr(start, o - start));
        if (rig.V().XOfOffset(o) != whole) out += std::to_string(o) + " ";
    }
    return out;
}

// The glyphs a paint shows inside the window on row `y`, with their places.
std::string Shown(EditRig& rig, int y) {
    rig.Paint();
    std::string out;
    for (const auto& g : rig.window.Screen().GlyphsOnRow(y)) {
        if (g.x >= 0 && g.x < rig.engine.TextWidth()) out += std::to_string(g.x) + g.codes + " ";
    }
    return out;
}

TEST(MetricsTest, ALongLineMeasuresAndPaintsFromItsCheckpointsAsItWouldWhole) {
    EditRig rig(EditRig::MultiLineScrolling());
    std::string text;
    for (int i = 0; text.size() < 3000; ++i) {
        text += i % 7 == 0 ? std::string("Eng") : Bytes({0xB3 + i % 9, 0xDA + i % 5});
        text += i % 11 == 0 ? Bytes({0xB5, 0xE8, 0xB6}) : std::string();
        text += ' ';
    }
    rig.engine.SetText(text);
    EXPECT_EQ(XMismatches(rig), "");
    rig.engine.SetSelStart(static_cast<int>(text.size()));
    rig.engine.SetSelLength(0);
    rig.TypeBytes('K', Bytes({0xB3, 0xDA}));
    rig.Key(keys::kSpace);
    rig.TypeBytes('K', Bytes({0xB3, 0xDA}));
    ASSERT_LT(rig.V().HScroll(), -1000);  // the end of the line is in view
    EXPECT_EQ(CheckInvariants(rig), "");
    EXPECT_EQ(XMismatches(rig), "");
    // Painted from a checkpoint, the row shows what it shows drawn whole.
    const std::string fromCheckpoint = Shown(rig, 0);
    rig.engine.BuildWidthTables();  // forgets the checkpoints
    EXPECT_EQ(Shown(rig, 0), fromCheckpoint);
    EXPECT_NE(fromCheckpoint, "");

    // Edits in the middle drop what lies behind them; a tab there makes
    // the rest of the line measured whole again.
    rig.engine.SetSelStart(1500);
    rig.engine.SetSelLength(0);
    rig.TypeBytes('K', Bytes({0xB3, 0xDA}));
    rig.Key(keys::kBack);
    rig.Key(keys::kDelete);
    EXPECT_EQ(CheckInvariants(rig), "");
    EXPECT_EQ(XMismatches(rig), "");
    rig.TypeBytes('T', "\t");
    EXPECT_EQ(XMismatches(rig), "");
    rig.Key(keys::kEnd);
    EXPECT_EQ(CheckInvariants(rig), "");
    const std::string withTab = Shown(rig, 0);
    rig.engine.BuildWidthTables();
    EXPECT_EQ(Shown(rig, 0), withTab);
}

}  // namespace
}  // namespace vexa::edit::test
