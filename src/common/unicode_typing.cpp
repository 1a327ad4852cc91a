#include "common/unicode_typing.h"

#include "script/unicode_text.h"

namespace vexa::common {

namespace {

constexpr char16_t kZwnj = 0x200C;
constexpr char16_t kZwj = 0x200D;
constexpr char16_t kGurmukhiAddak = 0x0A71;
constexpr char kVirama = '\xE8';
constexpr char kNukta = '\xE9';
constexpr char kInv = '\xD9';

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

void UnicodeTyping::Reset() {
    highSurrogate_ = 0;
    addak_ = 0;
    afterVirama_ = false;
}

UnicodeTyping::Keystroke UnicodeTyping::Take(char16_t unit, std::string_view scriptName) {
    const script::UnicodeScript script = script::UnicodeScriptOf(scriptName);
    const bool afterVirama = afterVirama_;
    afterVirama_ = false;
    if (IsLow(unit) || highSurrogate_ != 0) {
        // No script of the controls has a character beyond the first plane:
        // a pair is refused once, when its second half arrives. A lone half
        // is refused too (a high one with the unit that broke the pair).
        highSurrogate_ = 0;
        addak_ = 0;
        return {Result::Refused, {}};
    }
    if (IsHigh(unit)) {
        highSurrogate_ = unit;
        addak_ = 0;
        return {Result::Waiting, {}};
    }
    if (script != script::UnicodeScript::kEnglish && script != script::UnicodeScript::kTibetan) {
        if (unit == kZwnj || unit == kZwj) {
            if (afterVirama) return {Result::Typed, std::string(1, unit == kZwnj ? kVirama : kNukta)};
            if (unit == kZwj) return {Result::Typed, std::string(1, kInv)};
            return {Result::Refused, {}};
        }
        if (script == script::UnicodeScript::kGurmukhi && unit == kGurmukhiAddak && addak_ == 0) {
            addak_ = unit;
            return {Result::Waiting, {}};
        }
    }
    std::u16string text;
    if (addak_ != 0) text += addak_;
    addak_ = 0;
    text += unit;
    script::StrictIscii iscii = script::UnicodeToIsciiStrict(text, script);
    if (iscii.refused || iscii.iscii.empty()) return {Result::Refused, {}};
    afterVirama_ = iscii.iscii.back() == kVirama && script != script::UnicodeScript::kEnglish;
    return {Result::Typed, std::move(iscii.iscii)};
}

}  // namespace vexa::common
