// Item rows drawn through the script's converter and fonts, with the
// selection, the colours and the scrolled page.
#include <gtest/gtest.h>

#include "listbox/listbox_paint.h"
#include "script/font_code.h"
#include "script/unicode_text.h"
#include "unit/listbox/listbox_rig.h"

namespace vexa::listbox::test {
namespace {

const ItemColours kColours{0xF0F0F0, 0x000080, 0x804000, 0xFFFFFF};

struct PaintRig : ListBoxRig {
    explicit PaintRig(const std::string& scriptName) {
        for (const char* face : {"DVB-TTDorvan", "DVB-TTDorvanEN", "TMB-TTTesvor", "BNB-TTBelmo"})
            simFonts.AddFontFile(face, std::string(VEXA_FAMILY_DIR) + "/fonts/" + face + ".ttf");
        LoadFresh();
        logic.Props().scriptName = scriptName;
        logic.Props().fontName.clear();
        logic.Props().fontSize = 12;
        EXPECT_TRUE(Create());
    }
    const sim::SimScreen& Paint() {
        auto surface = window.GetSurface();
        rows = PaintPage(*surface, logic, fonts, store, window.ClientRect(), kColours);
        return window.Screen();
    }
    // What the item's row shows: its font codes, converted by the script's
    // own converter library.
    std::string Expected(const std::string& iscii) {
        std::string codes;
        for (char c : script::ToFontCodeRun(logic.Binding().Converter(), iscii, false))
            if (c != '\x02' && c != '\x03' && c != '\x06') codes += c;
        return codes;
    }
    int rows = 0;
};

TEST(ListBoxPaintTest, ItemsInSeveralScriptsAreDrawnInTheirFonts) {
    struct Case {
        const char* script;
        script::UnicodeScript unicode;
        std::u16string word;
        const char* face;
    };
    for (const Case& c : {Case{"Devanagari", script::UnicodeScript::kDevanagari, u"क्षत्रिय", "DVB-TTDorvan"},
                          Case{"Tamil", script::UnicodeScript::kTamil, u"தமிழ்", "TMB-TTTesvor"},
                          Case{"Bengali", script::UnicodeScript::kBengali, u"বাংলা", "BNB-TTBelmo"}}) {
        PaintRig rig(c.script);
        ASSERT_EQ(rig.logic.Props().fontName, c.face) << c.script;
        const std::string iscii = script::UnicodeToIscii(c.word, c.unicode).iscii;
        rig.logic.SetList(iscii + "\rok");
        const sim::SimScreen& screen = rig.Paint();
        const int h = rig.logic.ItemHeight();
        ASSERT_GT(h, 0);
        const std::string codes = rig.Expected(iscii);
        ASSERT_FALSE(codes.empty());
        EXPECT_NE(codes, iscii) << c.script << ": the converter reshapes the syllables";
        EXPECT_EQ(screen.RowCodes(0), codes) << c.script;
        bool scriptFace = false;
        for (const sim::SimScreen::Text& glyph : screen.GlyphsOnRow(0)) {
            scriptFace = scriptFace || glyph.face == c.face;
            EXPECT_EQ(glyph.colour, kColours.fore);
        }
        EXPECT_TRUE(scriptFace) << c.script;
        EXPECT_EQ(screen.RowCodes(h), rig.Expected("ok"));
    }
}

TEST(ListBoxPaintTest, SelectedRowsAreHighlightedWithWhiteText) {
    PaintRig rig("Devanagari");
    rig.logic.SetList("one\rtwo\rthree");
    rig.logic.SetCurSel(1);
    const sim::SimScreen& screen = rig.Paint();
    const int h = rig.logic.ItemHeight();
    EXPECT_EQ(screen.BackgroundAt(150, h + 1), kColours.highlight);
    EXPECT_EQ(screen.BackgroundAt(150, 1), kColours.back);
    ASSERT_FALSE(screen.GlyphsOnRow(h).empty());
    EXPECT_EQ(screen.GlyphsOnRow(h)[0].colour, kColours.highlightText);
    EXPECT_TRUE(screen.GlyphsOnRow(h)[0].transparent);
}

TEST(ListBoxPaintTest, ThePageStartsAtTheTopIndexAndFillsWholeRows) {
    PaintRig rig("Devanagari");
    std::string list;
    for (int i = 0; i < 30; ++i) list += "item" + std::to_string(i) + "\r";
    rig.logic.SetList(list);
    const int h = rig.logic.ItemHeight();
    rig.store.SetPageRows(100 / h);
    rig.logic.SetTopIndex(5);
    rig.Paint();
    EXPECT_EQ(rig.rows, (100 + h - 1) / h);
    EXPECT_EQ(rig.window.Screen().RowCodes(0), rig.Expected("item5"));
    rig.store.Key(ListKey::End);
    rig.Paint();
    EXPECT_EQ(rig.window.Screen().RowCodes(0), rig.Expected("item" + std::to_string(30 - 100 / h)));
}

TEST(ListBoxPaintTest, NoRowsWithoutAnItemHeight) {
    PaintRig rig("Devanagari");
    rig.logic.SetList("a\rb");
    rig.logic.SetFontSize(0);
    rig.Paint();
    EXPECT_EQ(rig.rows, 0);
}

}  // namespace
}  // namespace vexa::listbox::test
