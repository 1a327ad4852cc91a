#pragma once

#include <string>
#include <string_view>

namespace vexa::common {

// Characters typed one message at a time (a system keyboard layout, an input
// method, SendInput's Unicode packets) turned into the ISCII a keystroke of
// the control's own keyboard types. A syllable spread over several messages
// comes out as Inscript gives it: a virama stays a keystroke of its own, and
// a ZWNJ or ZWJ right after it makes it the explicit (E8 E8) or soft (E8 E9)
// virama; a nukta after a letter is the nukta code; Gurmukhi's addak waits
// for the consonant it doubles; a surrogate pair is one character.
class UnicodeTyping {
  public:
    enum class Result {
        Typed,    // `iscii` is the keystroke to type
        Waiting,  // the character waits for the next one (nothing to do yet)
        Refused,  // the script cannot hold it: the control's refusal, nothing typed
    };
    struct Keystroke {
        Result result = Result::Waiting;
        std::string iscii;
    };

    // One UTF-16 code unit of a character message, for the control's script
    // (a script name of the catalogue).
    Keystroke Take(char16_t unit, std::string_view scriptName);
    // The caret moved or another key was typed: nothing is pending any more.
    void Reset();

  private:
    char16_t highSurrogate_ = 0;
    char16_t addak_ = 0;
    bool afterVirama_ = false;
};

}  // namespace vexa::common
