// The edit engine with the family's own Devanagari converter, layout files
// and keyboard libraries, typing through the control's keyboard services.
#include <gtest/gtest.h>

#include <random>

#include "edit/control_keyboard.h"
#include "keyboard/keyboard_layout.h"
#include "keyboard/keyboard_loader.h"
#include "script/script_catalogue.h"
#include "sim/sim_fonts.h"
#include "sim/sim_platform.h"
#include "sim/sim_window.h"
#include "unit/fixture_platform.h"

namespace vexa::edit {
namespace {

using vexa::test::Bytes;

struct Events : EditEvents {
    int changed = 0;
    void Changed() override { ++changed; }
};

class FamilyTypingTest : public ::testing::Test {
protected:
    FamilyTypingTest()
        : window(fonts, {0, 0, 400, 100}),
          engine(window, fonts, sim.messages, converter, events),
          keys(sim.keyboard, engine.Script(), state.binding) {}

    void SetUp() override {
        // The family's own fonts give the glyph widths.
        const std::string fontDir = std::string(VEXA_FAMILY_DIR) + "/fonts/";
        ASSERT_TRUE(fonts.AddFontFile("DVB-TTDorvan", fontDir + "DVB-TTDorvan.ttf"));
        ASSERT_TRUE(fonts.AddFontFile("DVB-TTDorvanEN", fontDir + "DVB-TTDorvanEN.ttf"));
        script::ScriptCatalogue::SetReach(0);
        keyboard::EditFileLayout() = keyboard::KeyboardLayout{};
        ASSERT_TRUE(converter.Load("DVBCV32.DLL", "iscii2devzirvo"));
        EditStyle& s = engine.Style();
        s.multiLine = s.wantReturn = s.autoVScroll = true;
        s.autoHScroll = false;
        common::DrawingScript& sc = engine.Script();
        sc.scriptName = "Devanagari";
        sc.scriptFace = sc.englishFace = "DVB-TTDorvan";
        sc.englishScript = false;
        engine.SetKeyboard(&keys);
        engine.LayoutSetup();
        engine.Layout();
        engine.SetText("");
    }
    void TearDown() override { keyboard::ReleaseKeyboardLibraries(sim.libraries); }

    void Kind(int kind) {
        engine.Script().keyboardType = kind;
        keyboard::LoadKeyboardSupport(sim, {"Devanagari", kind, "dv1lay.lin", 0}, state);
    }
    void Press(unsigned vk, bool shift = false) {
        sim.keyboard.SetDown(0x10, shift);
        engine.OnKeyDown(vk, {shift, false});
        sim.keyboard.SetDown(0x10, false);
    }

    sim::SimPlatform sim;  // the built family as the system directory
    script::ConverterLibrary converter{sim};
    sim::SimFonts fonts;
    sim::SimWindow window;
    Events events;
    keyboard::EditKeyboardState state;
    EditEngine engine;
    ControlKeyboard keys;
};

TEST_F(FamilyTypingTest, InscriptTypesScriptWithCapsLockAndEnglishWithout) {
    Kind(0);
    sim.keyboard.SetToggled(0x14, true);
    Press('D');
    Press('D', true);
    EXPECT_EQ(engine.Text(), Bytes({0xE8, 0xA4}));
    sim.keyboard.SetToggled(0x14, false);
    Press('D');
    Press('D', true);
    EXPECT_EQ(engine.Text(), Bytes({0xE8, 0xA4, 'd', 'D'}));
    EXPECT_EQ(events.changed, 4);
}

TEST_F(FamilyTypingTest, KeypadDigitsTypeWhatTheDigitKeysType) {
    Kind(0);
    Press(0x65);  // keypad 5
    Press('5');
    EXPECT_EQ(engine.Text(), "55");
}

TEST_F(FamilyTypingTest, ArrowsStepOverTheConvertersSyllables) {
    Kind(0);
    // ka + virama + ssa + aa sign, then ka: two syllables for the converter.
    engine.SetText(Bytes({0xB3, 0xE8, 0xD6, 0xDA, 0xB3}));
    Press(0x27);
    EXPECT_EQ(engine.Buffer().CaretIndex(), 4u);
    Press(0x27);
    EXPECT_EQ(engine.Buffer().CaretIndex(), 5u);
    Press(0x25);
    EXPECT_EQ(engine.Buffer().CaretIndex(), 4u);
    Press(0x25);
    EXPECT_EQ(engine.Buffer().CaretIndex(), 0u);
    // Delete takes the whole conjunct syllable.
    Press(0x2E);
    EXPECT_EQ(engine.Text(), Bytes({0xB3}));
}

TEST_F(FamilyTypingTest, PhoneticKeysAreSpelledByTheLibraryAsOneWord) {
    Kind(1);
    ASSERT_TRUE(state.binding.CanCompose(keyboard::KeyboardKind::Phonetic));
    sim.keyboard.SetToggled(0x14, true);
    for (unsigned vk : {'K', 'A', 'M', 'A', 'L'}) Press(vk);
    const std::string word = state.binding.Convert("kamal");
    ASSERT_FALSE(word.empty());
    EXPECT_EQ(engine.Text(), word);
    EXPECT_EQ(engine.Buffer().CaretIndex(), word.size());
    Press(0x20);
    Press('K');
    EXPECT_EQ(engine.Text(), word + " " + state.binding.Convert("k"));
}

TEST_F(FamilyTypingTest, GlyphWidthsComeFromTheFontFilesAtTheFontSize) {
    const auto& small = engine.Metrics().Widths(FontSlot::Script);
    int glyphs = 0;
    for (int b = 0x21; b < 0x100; ++b) glyphs += small[b] > 0 ? 1 : 0;
    EXPECT_GT(glyphs, 100);
    const int kaSmall = engine.MeasureText(Bytes({0xB3}));
    EXPECT_GT(kaSmall, 3);
    engine.Script().fontSize = 24;
    engine.RebuildFonts();
    const int kaLarge = engine.MeasureText(Bytes({0xB3}));
    EXPECT_GE(kaLarge, 2 * kaSmall - 2);
    EXPECT_LE(kaLarge, 2 * kaSmall + 2);
}

TEST_F(FamilyTypingTest, ClicksFindSyllableBoundariesByTheirRealWidths) {
    Kind(0);
    const std::string first = Bytes({0xB3, 0xE8, 0xD6, 0xDA});
    engine.SetText(first + Bytes({0xB3, 0xDB}));
    const int w1 = engine.MeasureText(first);
    const int w = engine.MeasureText(engine.Text());
    ASSERT_GT(w1, 0);
    ASSERT_GT(w, w1);
    engine.OnLButtonDown(kMouseLeft, {w1 - 1, 2});
    EXPECT_EQ(engine.Buffer().CaretIndex(), 4u);
    EXPECT_EQ(engine.View().CaretX(), w1);
    engine.OnLButtonDown(kMouseLeft, {w - 1, 2});
    EXPECT_EQ(engine.Buffer().CaretIndex(), 6u);
    engine.OnLButtonDown(kMouseLeft, {1, 2});
    EXPECT_EQ(engine.Buffer().CaretIndex(), 0u);
}

// The family's converter keeps a line's width additive where a word starts
// after a space: measured from the line's checkpoints, every x in a long
// paragraph is what the line in front of it measures whole.
TEST_F(FamilyTypingTest, ALongParagraphMeasuresFromItsCheckpointsAsItWouldWhole) {
    Kind(0);
    engine.Style().autoHScroll = true;
    engine.LayoutSetup();
    engine.Layout();
    std::mt19937 random(3);
    std::string text;
    while (text.size() < 4000) {
        for (int syllables = 1 + static_cast<int>(random() % 4); syllables > 0; --syllables) {
            text += static_cast<char>(0xA4 + random() % 53);  // a vowel or a consonant
            if (random() % 4 == 0) text += static_cast<char>(random() % 2 ? 0xE8 : 0xE9);
            if (random() % 3 == 0) text += static_cast<char>(0xDA + random() % 14);
            if (random() % 9 == 0) text += static_cast<char>(0xA1 + random() % 3);
        }
        if (random() % 15 == 0) text += "Ok";
        text += ' ';
    }
    engine.SetText(text);
    engine.SetSelStart(static_cast<int>(text.size()));
    engine.SetSelLength(0);
    sim.keyboard.SetToggled(0x14, true);
    Press('K');
    Press(' ');
    Press('D');
    const std::string& t = engine.Text();
    const EditView& view = engine.View();
    ASSERT_LT(view.HScroll(), 0);
    for (std::size_t o = 0; o <= t.size(); o += 5) {
        ASSERT_EQ(view.XOfOffset(o), view.HScroll() + engine.MeasureText(t.substr(0, o))) << o;
    }
    EXPECT_EQ(view.CaretX(), view.XOfOffset(engine.Buffer().CaretIndex()));
}

}  // namespace
}  // namespace vexa::edit
