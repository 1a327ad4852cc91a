#include "keyboard/translate_key.h"

#include "keyboard/keyboard_layout.h"

namespace vexa::keyboard {

namespace {

bool IsTibetanScript(std::string_view name) { return name == "Tibetan" || name == "Bhutanese"; }

// The output of the key's entry in `layout`; nothing for a key without one
// (scan code 0, or 54 and above).
std::string Lookup(const KeyboardLayout& layout, int scanCode, bool shifted) {
    if (scanCode <= 0) return {};
    const LayoutEntry* entry = EntryOf(layout, scanCode);
    if (entry == nullptr) return {};
    return std::string(shifted ? entry->shifted.View() : entry->plain.View());
}

const KeyboardLayout& EditLayout(const TranslateSettings& settings) {
    if (IsTibetanScript(settings.scriptName)) return TibetanLayout();
    if (settings.keyboardType == 0) return InscriptLayout();
    return EditFileLayout();
}

}  // namespace

std::string TranslateKey(const platform::KeyboardInput& keyboard,
                         const TranslateSettings& settings, int virtualKey, bool impliedShift) {
    bool caps = keyboard.IsToggled(platform::kVkCapital);
    bool shift = keyboard.IsDown(platform::kVkShift);
    int scanCode = keyboard.ScanCode(virtualKey);

    if (!settings.englishScript && !impliedShift && caps) {
        if (!shift && settings.keyboardType == 0 && settings.fontType == 1 &&
            settings.scriptName == "Vedic" && keyboard.IsToggled(platform::kVkNumLock)) {
            const LayoutEntry* entry = scanCode > 0 ? EntryOf(InscriptLayout(), scanCode) : nullptr;
            return entry == nullptr ? std::string() : std::string(entry->vedic.View());
        }
        return Lookup(EditLayout(settings), scanCode, shift != settings.disableEnglish);
    }
    if (!settings.disableEnglish) {
        return keyboard.CharacterOf(virtualKey, scanCode, impliedShift);
    }
    return Lookup(EditLayout(settings), scanCode, shift);
}

std::string TranslateListKey(const platform::KeyboardInput& keyboard,
                             const ListTranslateSettings& settings, int virtualKey, int scanBits) {
    bool caps = keyboard.IsToggled(platform::kVkCapital);
    bool shift = keyboard.IsDown(platform::kVkShift);
    const KeyboardLayout& layout =
        IsTibetanScript(settings.scriptName) ? TibetanLayout() : ListFileLayout();
    int scanCode = keyboard.ScanCode(virtualKey);
    if (caps) return Lookup(layout, scanCode, shift != settings.disableEnglish);
    if (!settings.disableEnglish) return keyboard.CharacterOf(virtualKey, scanBits, false);
    return Lookup(layout, scanCode, shift);
}

}  // namespace vexa::keyboard
