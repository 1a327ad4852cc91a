// Type-ahead through the list box's keyboard: the family's Inscript,
// Phonetic and Typewriter layout files, Caps Lock and the keys kept from
// the container.
#include <gtest/gtest.h>

#include "keyboard/keyboard_layout.h"
#include "script/unicode_text.h"
#include "unit/listbox/listbox_rig.h"

namespace vexa::listbox::test {
namespace {

constexpr int kCaps = 0x14, kShift = 0x10;

std::string Hindi(std::u16string_view word) {
    return script::UnicodeToIscii(word, script::UnicodeScript::kDevanagari).iscii;
}

// Devanagari items: अनार, कमल, मकान, and the English "kamal".
struct KeysRig : ListBoxRig {
    explicit KeysRig(std::int16_t keyboardType) {
        keyboard::ListFileLayout() = keyboard::KeyboardLayout{};
        LoadFresh();
        logic.Props().scriptName = "Devanagari";
        logic.Props().fontSize = 12;
        logic.Props().keyboardType = keyboardType;
        EXPECT_TRUE(Create());
        logic.SetList(Hindi(u"अनार") + "\r" + Hindi(u"कमल") + "\r" + Hindi(u"मकान") + "\rkamal");
    }
    int Press(int vk, bool shift = false, bool ctrl = false) {
        platform.keyboard.SetDown(kShift, shift);
        logic.KeyDown(vk, platform.keyboard.ScanCode(vk), ctrl);
        platform.keyboard.SetDown(kShift, false);
        return logic.GetCurSel();
    }
};

TEST(ListBoxKeysTest, InscriptSelectsByTheScriptLetterOfTheKey) {
    KeysRig rig(0);
    rig.platform.keyboard.SetToggled(kCaps, true);
    EXPECT_EQ(rig.Press('K'), 1);        // क
    EXPECT_EQ(rig.Press('D', true), 0);  // अ
    EXPECT_EQ(rig.Press('E'), 0);        // the aa sign starts no item: one past the last is refused
    rig.platform.keyboard.SetToggled(kCaps, false);
    EXPECT_EQ(rig.Press('K'), 3);  // English "k"
}

TEST(ListBoxKeysTest, PhoneticKeysAreTheirEnglishLetters) {
    KeysRig rig(1);
    rig.platform.keyboard.SetToggled(kCaps, true);
    EXPECT_EQ(rig.Press('K'), 3);  // no keyboard library: the key text is "k"
    rig.logic.SetCurSel(0);
    EXPECT_EQ(rig.Press('M'), 0);  // "m" starts nothing
}

TEST(ListBoxKeysTest, TypewriterFollowsItsLayoutFile) {
    KeysRig rig(2);
    rig.platform.keyboard.SetToggled(kCaps, true);
    EXPECT_EQ(rig.Press('E'), 2);  // म on the typewriter's e key
    EXPECT_EQ(rig.Press('D'), 1);  // क on its d key
}

TEST(ListBoxKeysTest, EachListBoxKeepsItsOwnKeyboard) {
    KeysRig typewriter(2);
    KeysRig inscript(0);  // loaded last: the shared layout is Inscript's now
    typewriter.platform.keyboard.SetToggled(kCaps, true);
    inscript.platform.keyboard.SetToggled(kCaps, true);
    EXPECT_EQ(typewriter.Press('E'), 2);
    EXPECT_EQ(inscript.Press('K'), 1);
    EXPECT_EQ(typewriter.Press('D'), 1);
}

TEST(ListBoxKeysTest, SearchesTheCurrentItems) {
    KeysRig rig(0);
    rig.platform.keyboard.SetToggled(kCaps, true);
    rig.logic.RemoveItem(0);
    EXPECT_EQ(rig.Press('K'), 0);  // कमल moved up
    rig.logic.Clear();
    bool added = false;
    rig.logic.AddItem("x", -1, added);
    rig.logic.AddItem(Hindi(u"कान"), -1, added);
    EXPECT_EQ(rig.Press('K'), 1);
}

TEST(ListBoxKeysTest, KeysThatTypeNothingOrStandAsideLeaveTheSelection) {
    KeysRig rig(0);
    rig.platform.keyboard.SetToggled(kCaps, true);
    rig.logic.SetCurSel(2);
    EXPECT_EQ(rig.Press(0x26), 2);                 // Up: the list window's
    EXPECT_EQ(rig.Press(0x24), 2);                 // Home types nothing
    EXPECT_EQ(rig.Press(0x70), 2);                 // F1
    EXPECT_EQ(rig.Press('K', false, true), 2);     // Ctrl+K
    rig.logic.SetMultipleSelection(true);
    rig.Press('K');  // a multiple selection takes no single selection
    EXPECT_EQ(rig.logic.SelCount(), 0);
}

TEST(ListBoxKeysTest, KeysKeptFromTheContainer) {
    EXPECT_FALSE(ListKeepsKey(9, 15));  // Tab moves the focus on
    for (unsigned vk : {0x21u, 0x22u, 0x23u, 0x24u, 0x25u, 0x26u, 0x27u, 0x28u, 0x10u, 1u})
        EXPECT_TRUE(ListKeepsKey(vk, 0)) << vk;
    EXPECT_TRUE(ListKeepsKey('A', 30));
    EXPECT_FALSE(ListKeepsKey(0x20, 57));  // Space lies outside the main block
    EXPECT_FALSE(ListKeepsKey(0x70, 59));  // F1
    EXPECT_TRUE(ListKeepsKey(0x0D, 28));  // Enter goes to the list, not the default button
}

}  // namespace
}  // namespace vexa::listbox::test
