// ISCII to UTF-16. One pass, one table lookup per byte on the common path.
// A code that changes the letter read just before it (nukta, a second virama
// or danda, the short e sign after a) looks back at it; the bytes that look
// ahead (line ends, the extension and attribute codes, Gurmukhi's nasal sign
// and doubled consonants, Tibetan's joiner and space) go through Special().

#include <algorithm>
#include <string>

#include "script/unicode_tables.h"
#include "script/unicode_text.h"

namespace vexa::script {

namespace {

using namespace unicode;

constexpr char16_t kCr = 0x0D;
constexpr char16_t kLf = 0x0A;

struct Cursor {
    const unsigned char* s;
    std::size_t n;
    std::size_t i;
    char16_t* start;
    char16_t* o;

    unsigned char At(std::size_t k) const { return k < n ? s[k] : 0; }
    char16_t Previous() const { return o > start ? o[-1] : 0; }
};

void Tibetan(const ScriptTables& t, Cursor& c, unsigned char b) {
    if (b == ' ') {
        // A space after a letter is the tsheg the Tibetan faces draw for it;
        // after a sign drawn alone, or English, it is a blank.
        *c.o++ = IsTibetanStackPart(c.Previous()) ? kTsheg : u' ';
        ++c.i;
        return;
    }
    // The joiner: the letter after it goes below the stack.
    const unsigned char next = c.At(c.i + 1);
    const char16_t letter = t.kind[next] == ByteKind::kPlain && next >= 0xA1 ? t.unit[next] : 0;
    if (letter >= 0x0F40 && letter <= 0x0F6C) {
        *c.o++ = static_cast<char16_t>(letter + 0x50);
        c.i += 2;
    } else if (letter >= 0x0F90 && letter <= 0x0FBC) {
        *c.o++ = letter;
        c.i += 2;
    } else {
        ++c.i;
    }
}

// Gurmukhi's nasal sign: tippi after the inherent vowel and the short
// vowels, bindi elsewhere.
void Gurmukhi(Cursor& c) {
    *c.o++ = TakesTippi(c.Previous()) ? kGurmukhiTippi : kGurmukhiBindi;
    ++c.i;
}

void Special(const ScriptTables& t, Cursor& c) {
    const unsigned char b = c.s[c.i];
    const unsigned char next = c.At(c.i + 1);
    switch (b) {
        case 0x0D:
            *c.o++ = kCr;
            *c.o++ = kLf;
            c.i += next == 0x0A ? 2 : 1;
            return;
        case 0x0A:
        case 0x04:
        case 0x05:
            *c.o++ = kCr;
            *c.o++ = kLf;
            ++c.i;
            return;
        default:
            break;
    }
    if (t.tibetan) return Tibetan(t, c, b);
    switch (b) {
        case kIsciiExtension:
            if (next >= kFirstExtended && next - kFirstExtended < static_cast<int>(t.vedic.size()))
                *c.o++ = t.vedic[next - kFirstExtended];
            c.i += c.i + 1 < c.n ? 2 : 1;
            return;
        case kIsciiAttribute:  // a script attribute: the control's script rules
            c.i += c.i + 1 < c.n ? 2 : 1;
            return;
        default:
            if (t.gurmukhi && b == 0xA2) return Gurmukhi(c);
            ++c.i;
            return;
    }
}

}  // namespace

// The code s[i] right after the letter s[i - 1], which was read alone (one
// byte, one code unit o[-1]): true when it changes that letter or adds to it.
bool JoinsPrevious(const ScriptTables& t, const unsigned char* s, std::size_t i, std::size_t n,
                   const char16_t* start, char16_t*& o) {
    if (t.tibetan || t.english) return false;
    const unsigned char b = s[i];
    const unsigned char p = s[i - 1];
    if (b == kIsciiNukta) {
        if (p == kIsciiVirama) {
            *o++ = kZwj;  // soft virama
            return true;
        }
        if (t.gurmukhi && p == 0xC0) {
            // Dha with nukta is the rrha Gurmukhi writes as rra, virama, ha
            // (which goes back letter by letter, as ICU writes it).
            o[-1] = kGurmukhiRra;
            *o++ = t.virama;
            *o++ = kGurmukhiHa;
            return true;
        }
        if (t.nuktaUnit[p] == 0) return false;
        o[-1] = t.nuktaUnit[p];
        return true;
    }
    if (t.behind[b] == 0 || p != t.behind[b]) return false;
    if (t.gurmukhi && b != kIsciiVirama && b != kIsciiDanda) {
        // A consonant doubled across a virama at the start of a cluster is
        // one consonant with the addak before it.
        const bool doubled = i >= 2 && s[i - 2] == b && o - start >= 2 && o[-2] == t.unit[b];
        if (!doubled || (i >= 3 && s[i - 3] == kIsciiVirama)) return false;
        o[-2] = kGurmukhiAddak;
        o[-1] = t.unit[b];
        return true;
    }
    if (b == kIsciiVirama) {
        *o++ = kZwnj;  // explicit virama
    } else if (b == kIsciiDanda) {
        // A danda the nukta after it makes an avagraha is not the second
        // half of a double danda (danda, avagraha is written EA EA E9).
        if (i + 1 < n && s[i + 1] == kIsciiNukta) return false;
        o[-1] = kDoubleDanda;
    } else {
        o[-1] = kDevanagariShortA;
    }
    return true;
}

std::u16string IsciiToUnicode(std::string_view iscii, UnicodeScript script) {
    const ScriptTables& t = TablesFor(script);
    const std::size_t n = iscii.size();
    const auto* s = reinterpret_cast<const unsigned char*>(iscii.data());
    std::u16string out;
    // No byte gives more than two code units. The text is converted in
    // chunks, so that the string is grown (and cleared) about as far as it is
    // written, not to twice the input.
    constexpr std::size_t kChunk = 16384;
    std::size_t i = 0;
    std::size_t written = 0;
    // Just past the last letter read alone (one byte, one code unit); 0:
    // none. The codes that change it look back at it, which keeps the common
    // path free of any dependence on the next byte.
    std::size_t afterSingle = 0;
    out.reserve(n + n / 4 + 16);  // most texts take about a unit per byte
    while (i < n) {
        const std::size_t chunkEnd = std::min(n, i + kChunk);
        // A special byte at the chunk's end may look two bytes beyond it.
        out.resize(written + 2 * (chunkEnd - i) + 6);
        char16_t* const start = out.data();
        char16_t* o = start + written;
        while (i < chunkEnd) {
            const unsigned char b = s[i];
            const std::uint32_t f = t.fast[b];
            // The bytes before decide (not `afterSingle`, which would chain the
            // iterations); the slow path checks that the letter was read
            // alone. The first two bytes of the text take the slow path.
            const bool past2 = i >= 2;
            const auto pair = static_cast<std::uint16_t>(past2 ? s[i - 2] | s[i - 1] << 8 : 0);
            if ((f & kSlow) == 0 && past2 && (pair & t.pairMask[b]) != t.pairValue[b]) [[likely]] {
                // No branch for a byte left out: nothing is written and it is
                // no letter to look back at.
                const bool dropped = (f & kFastDrop) != 0;
                *o = static_cast<char16_t>(f);
                o += dropped ? 0 : 1;
                afterSingle = dropped ? 0 : i + 1;
                ++i;
                continue;
            }
            if (afterSingle == i && i > 0 && JoinsPrevious(t, s, i, n, start, o)) {
                afterSingle = 0;
                ++i;
                continue;
            }
            Cursor c{s, n, i, start, o};
            if (t.kind[b] == ByteKind::kSpecial) {
                Special(t, c);
            } else {
                if (t.kind[b] == ByteKind::kPlain) *c.o++ = t.unit[b];
                ++c.i;
            }
            afterSingle = c.i == i + 1 && c.o == o + 1 ? i + 1 : 0;
            i = c.i;
            o = c.o;
        }
        written = static_cast<std::size_t>(o - start);
    }
    out.resize(written);
    return out;
}

UnicodeScript UnicodeScriptOf(std::string_view name) {
    struct Row {
        std::string_view name;
        UnicodeScript script;
    };
    static constexpr Row kRows[] = {
        {"Assamese", UnicodeScript::kAssamese},   {"Bengali", UnicodeScript::kBengali},
        {"Bhutanese", UnicodeScript::kTibetan},   {"Devanagari", UnicodeScript::kDevanagari},
        {"Gujarati", UnicodeScript::kGujarati},   {"Kannada", UnicodeScript::kKannada},
        {"Malayalam", UnicodeScript::kMalayalam}, {"Oriya", UnicodeScript::kOriya},
        {"Punjabi", UnicodeScript::kGurmukhi},    {"Roman", UnicodeScript::kDevanagari},
        {"Sanskrit", UnicodeScript::kDevanagari}, {"Tamil", UnicodeScript::kTamil},
        {"Telugu", UnicodeScript::kTelugu},       {"Tibetan", UnicodeScript::kTibetan},
        {"Vedic", UnicodeScript::kDevanagari},
    };
    for (const Row& r : kRows)
        if (r.name == name) return r.script;
    return UnicodeScript::kEnglish;
}

}  // namespace vexa::script
