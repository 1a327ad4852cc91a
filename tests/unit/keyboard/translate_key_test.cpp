#include "keyboard/translate_key.h"

#include <gtest/gtest.h>

#include "keyboard/keyboard_layout.h"
#include "keyboard/layout_file.h"
#include "sim/sim_keyboard.h"
#include "unit/fixture_platform.h"

namespace vexa::keyboard {
namespace {

using test::Bytes;

constexpr int kKeyD = 'D';
constexpr int kKeyK = 'K';
constexpr int kKeyQ = 'Q';
constexpr int kKeyG = 'G';
constexpr int kKey3 = '3';
constexpr int kKeyEquals = 0xBB;
constexpr int kKeyLeft = 0x25;
constexpr int kKeyF1 = 0x70;

class TranslateKeyTest : public ::testing::Test {
protected:
    void SetUp() override { EditFileLayout() = KeyboardLayout{}; }

    std::string Type(int key, bool caps, bool shift, bool impliedShift = false) {
        keyboard.SetToggled(platform::kVkCapital, caps);
        keyboard.SetDown(platform::kVkShift, shift);
        return TranslateKey(keyboard, settings, key, impliedShift);
    }

    sim::SimKeyboard keyboard;
    TranslateSettings settings{0, false, "Devanagari", 0, false};
};

// Every row of the Caps Lock / script / DisableEnglish truth table, for both
// Shift states, on the d key (plain 0xE8, shifted 0xA4 in Inscript).
TEST_F(TranslateKeyTest, TruthTableOverCapsShiftAndDisableEnglish) {
    struct Row {
        bool caps;
        bool englishScript;
        bool disableEnglish;
        std::string shiftUp;
        std::string shiftDown;
    };
    const std::string plain = Bytes({0xE8});
    const std::string shifted = Bytes({0xA4});
    const Row rows[] = {
        {false, false, false, "d", "D"},         {false, true, false, "d", "D"},
        {false, false, true, plain, shifted},    {false, true, true, plain, shifted},
        {true, true, false, "D", "d"},           {true, true, true, plain, shifted},
        {true, false, false, plain, shifted},    {true, false, true, shifted, plain},
    };
    for (const Row& row : rows) {
        settings.englishScript = row.englishScript;
        settings.disableEnglish = row.disableEnglish;
        SCOPED_TRACE(testing::Message() << "caps " << row.caps << " english " << row.englishScript
                                        << " disable " << row.disableEnglish);
        EXPECT_EQ(Type(kKeyD, row.caps, false), row.shiftUp);
        EXPECT_EQ(Type(kKeyD, row.caps, true), row.shiftDown);
    }
}

TEST_F(TranslateKeyTest, DisableEnglishMakesCapsLockAShiftLock) {
    settings.disableEnglish = true;
    EXPECT_EQ(Type(kKeyK, false, false), Bytes({0xB3}));
    EXPECT_EQ(Type(kKeyK, true, false), Bytes({0xB4}));
    EXPECT_EQ(Type(kKeyK, true, true), Bytes({0xB3}));
}

TEST_F(TranslateKeyTest, ShiftMarkedThroughTheSeamCounts) {
    platform::KeyboardInput& seam = keyboard;
    keyboard.SetToggled(platform::kVkCapital, true);
    seam.SetDown(platform::kVkShift, true);
    EXPECT_EQ(TranslateKey(keyboard, settings, kKeyK, false), Bytes({0xB4}));
    seam.SetDown(platform::kVkShift, false);
    EXPECT_EQ(TranslateKey(keyboard, settings, kKeyK, false), Bytes({0xB3}));
}

TEST_F(TranslateKeyTest, MultiByteKeysComeWhole) {
    EXPECT_EQ(Type(kKey3, true, true), Bytes({0xE8, 0xCF}));
    EXPECT_EQ(Type('4', true, true), Bytes({0xCF, 0xE8}));
}

TEST_F(TranslateKeyTest, VedicColumnNeedsMonolingualInscriptNumLockAndNoShift) {
    settings.scriptName = "Vedic";
    settings.fontType = 1;
    keyboard.SetToggled(platform::kVkNumLock, true);
    EXPECT_EQ(Type(kKeyQ, true, false), Bytes({0xF0, 0xBE}));
    EXPECT_EQ(Type(kKeyQ, true, true), Bytes({0xB1}));
    // A key with an empty Vedic output types nothing rather than its plain output.
    EXPECT_EQ(Type('2', true, false), "");

    keyboard.SetToggled(platform::kVkNumLock, false);
    EXPECT_EQ(Type(kKeyQ, true, false), Bytes({0xE6}));
    keyboard.SetToggled(platform::kVkNumLock, true);
    settings.fontType = 0;
    EXPECT_EQ(Type(kKeyQ, true, false), Bytes({0xE6}));
    settings.fontType = 1;
    settings.keyboardType = 2;
    EXPECT_EQ(Type(kKeyQ, true, false), "");  // the empty file layout, not the Vedic column
    settings.keyboardType = 0;
    settings.scriptName = "Devanagari";
    EXPECT_EQ(Type(kKeyQ, true, false), Bytes({0xE6}));
}

TEST_F(TranslateKeyTest, TibetanAndBhutaneseUseTheirLayoutWhateverTheKind) {
    for (const char* script : {"Tibetan", "Bhutanese"}) {
        settings.scriptName = script;
        for (int kind : {0, 1, 2}) {
            settings.keyboardType = kind;
            EXPECT_EQ(Type(kKeyG, true, true), Bytes({0xDA, 0xC5})) << script << kind;
            EXPECT_EQ(Type('E', true, true), Bytes({0xC5, 0xDA})) << script << kind;
        }
    }
    settings.scriptName = "tibetan";  // names compare exactly
    settings.keyboardType = 0;
    EXPECT_EQ(Type(kKeyG, true, true), Bytes({0xA8}));
}

TEST_F(TranslateKeyTest, PhoneticAndTypewriterUseTheFileLayout) {
    KeyboardLayout& file = EditFileLayout();
    file[32] = {KeyText{'d'}, KeyText{'D', 'h'}, {}};
    settings.keyboardType = 1;
    EXPECT_EQ(Type(kKeyD, true, false), "d");
    EXPECT_EQ(Type(kKeyD, true, true), "Dh");
    settings.keyboardType = 2;
    EXPECT_EQ(Type(kKeyD, true, true), "Dh");
    settings.keyboardType = 0;
    EXPECT_EQ(Type(kKeyD, true, true), Bytes({0xA4}));
}

TEST_F(TranslateKeyTest, ImpliedShiftReachesOnlyTheEnglishPath) {
    // Keypad + arrives as the = key with Shift implied: the plus sign, even in
    // script mode.
    EXPECT_EQ(Type(kKeyEquals, true, false, true), "+");
    EXPECT_EQ(Type('8', false, false, true), "*");
    // With English disabled the script lookup sees only the real Shift.
    settings.disableEnglish = true;
    EXPECT_EQ(Type(kKeyEquals, false, false, true), Bytes({0xDF}));
    EXPECT_EQ(Type(kKeyEquals, true, false, true), Bytes({0xDF}));
}

TEST_F(TranslateKeyTest, KeysWithoutEntryOrCharacterTypeNothing) {
    EXPECT_EQ(Type(kKeyLeft, true, false), "");
    EXPECT_EQ(Type(kKeyF1, true, true), "");
    EXPECT_EQ(Type(kKeyF1, false, false), "");  // no character: nothing, not a stray byte
    EXPECT_EQ(Type(0x07, true, false), "");     // a key with no scan code
    EditFileLayout()[0] = {KeyText{'x'}, KeyText{'y'}, {}};
    settings.keyboardType = 1;
    EXPECT_EQ(Type(0x07, true, false), "");
}

TEST_F(TranslateKeyTest, ListBoxAlwaysTypesScriptWithCapsLockOn) {
    ListFileLayout() = KeyboardLayout{};
    ListFileLayout()[37] = {KeyText{0xB3}, KeyText{0xB4}, {}};
    ListTranslateSettings list{false, "Devanagari"};
    auto type = [&](int key, bool caps, bool shift) {
        keyboard.SetToggled(platform::kVkCapital, caps);
        keyboard.SetDown(platform::kVkShift, shift);
        return TranslateListKey(keyboard, list, key, keyboard.ScanCode(key));
    };
    EXPECT_EQ(type(kKeyK, true, false), Bytes({0xB3}));
    EXPECT_EQ(type(kKeyK, true, true), Bytes({0xB4}));
    EXPECT_EQ(type(kKeyK, false, false), "k");
    EXPECT_EQ(type(kKeyK, false, true), "K");
    EXPECT_EQ(type(kKeyLeft, true, false), "");
    list.disableEnglish = true;
    EXPECT_EQ(type(kKeyK, false, false), Bytes({0xB3}));
    EXPECT_EQ(type(kKeyK, true, false), Bytes({0xB4}));
    list.scriptName = "Bhutanese";
    EXPECT_EQ(type(kKeyK, false, true), Bytes({0xA3}));
    // The list box has no Vedic column.
    list = {false, "Vedic"};
    keyboard.SetToggled(platform::kVkNumLock, true);
    EXPECT_EQ(type(kKeyQ, true, false), "");
}

}  // namespace
}  // namespace vexa::keyboard
