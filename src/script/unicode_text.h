#pragma once

// ISCII text of a control's script to Unicode (UTF-16, as the clipboard's
// Unicode text format carries it) and back. One table per script: the ISCII
// codes (IS 13194) at the script's own Unicode block, the nukta forms, the
// explicit (E8 E8) and soft (E8 E9) virama, INV, the Vedic signs behind the
// extension code (0xF0) of the Devanagari family, the Assamese letters, and
// the family's own byte table for Tibetan and Bhutanese. Bytes below 0xA0
// are English and stay themselves; the edit control's line ends become CR LF.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vexa::script {

enum class UnicodeScript {
    kEnglish,     // no converter: bytes are Latin-1
    kDevanagari,  // also Sanskrit, Vedic and Roman (Devanagari ISCII)
    kBengali,
    kAssamese,
    kGurmukhi,
    kGujarati,
    kOriya,
    kTamil,
    kTelugu,
    kKannada,
    kMalayalam,
    kTibetan,  // also Bhutanese
};

// The conversion for a script name of the catalogue ("Punjabi" is Gurmukhi,
// "Sanskrit", "Vedic" and "Roman" are Devanagari, "Bhutanese" is Tibetan).
// "English" and any name the catalogue does not hold give kEnglish.
UnicodeScript UnicodeScriptOf(std::string_view scriptName);

// ISCII text to UTF-16. Line ends (0x0D with or without a 0x0A after it, a
// lone 0x0A, the soft line ends 0x04 and 0x05) become CR LF; the forced
// break 0x1D and the caret mark 0x01 vanish. Codes the script has no letter
// for are left out.
std::u16string IsciiToUnicode(std::string_view iscii, UnicodeScript script);

// The first character a text cannot be written with: its code point (a
// surrogate pair is one character) and its index in the UTF-16 text.
struct UnicodeRefusal {
    char32_t character = 0;
    std::size_t position = 0;
};

struct IsciiFromUnicode {
    std::string iscii;
    std::size_t dropped = 0;  // characters with no ISCII form in the script
    std::optional<UnicodeRefusal> firstDropped;
};

// UTF-16 to ISCII of the script. CR LF, a lone CR or LF and the Unicode
// line and paragraph separators become 0x0D; ASCII stays itself. Every
// character the script cannot write in ISCII (another script's letters,
// symbols, unpaired surrogates) is left out and counted.
IsciiFromUnicode UnicodeToIscii(std::u16string_view text, UnicodeScript script);

// ---- the automation boundary: nothing lost, nothing dropped ----

// ISCII text to UTF-16 with a form for every stored code: a code the script
// has no letter for reads as U+FFFD (which has no way back, so a round trip
// refuses it rather than losing it silently). Otherwise as IsciiToUnicode.
std::u16string IsciiToUnicodeWhole(std::string_view iscii, UnicodeScript script);

struct StrictIscii {
    std::string iscii;  // empty when refused
    std::optional<UnicodeRefusal> refused;
};

// UTF-16 to ISCII, all or nothing: the first character the script cannot
// hold (another script's letters, symbols, emoji, a lone surrogate or
// joiner) refuses the whole text, and so does a control character other
// than those in `keptControls` (the ones the control stores, e.g. tab, CR
// and LF), a letter whose ISCII the controls never keep in their text (the
// codes 0xEB to 0xEF) and, in "English", a Latin-1
// character the controls do not store (U+0080 to U+00A0, U+00EB to U+00FF).
// A byte-order mark is no character.
StrictIscii UnicodeToIsciiStrict(std::u16string_view text, UnicodeScript script,
                                 std::u16string_view keptControls = u"\t\r\n");

// "U+0BA4 at position 3": the character and its index, as a host's refusal
// description names them.
std::string DescribeRefusal(const UnicodeRefusal& refusal);

}  // namespace vexa::script
