#include "engine/syllable.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "engine/per_rules.h"

namespace vexa::family::engine {

namespace {

constexpr unsigned char kCaretMark = 0x01;
constexpr unsigned char kExtension = 0xF0;
constexpr unsigned char kVirama = 0xE8;
constexpr unsigned char kNukta = 0xE9;
constexpr unsigned char kDanda = 0xEA;
constexpr unsigned char kInv = 0xD9;
constexpr unsigned char kFirstVedic = 0xA1;
constexpr char16_t kDoubleDanda = 0x0965;

bool Contains(std::u16string_view set, char16_t c) {
    if (c == 0) return false;
    for (char16_t x : set) {
        if (x == c) return true;
    }
    return false;
}

// The text being read, and the furthest byte the reading looked at: a
// syllable read again from the same bytes reads the same.
struct Source {
    const unsigned char* s;
    int furthest = 0;
    unsigned char operator[](int i) {
        furthest = std::max(furthest, i);
        return s[i];
    }
};

// What each letter of the script's block is, by its place in the block, so
// that telling a consonant from a sign is one load instead of a scan of the
// letter lists. Letters outside the block (joiners, the invisible consonant,
// Vedic signs of other blocks) are looked up in the lists.
enum LetterKind : std::uint8_t {
    kConsonantKind = 1,
    kMatraKind = 2,
    kModifierKind = 4,
    kVedicKind = 8
};

struct LetterKinds {
    const Rules* rules = nullptr;
    char16_t block = 0;
    std::uint8_t kinds[128] = {};
    // Bytes that stand for their letter of the ISCII table whatever follows
    // them (not an escape, virama, danda, INV, or a letter with a nukta form).
    bool plain[256] = {};
    char16_t byteLetter[256] = {};  // the ISCII table's letter of each byte

    void Fill(const Rules& r);

    std::uint8_t Of(char16_t letter) const {
        if ((letter & 0xFF80) == block) return kinds[letter & 0x7F];
        const Rules& r = *rules;
        return (Contains(r.letters.consonants, letter) ? kConsonantKind : 0) |
               (Contains(r.letters.matras, letter) ? kMatraKind : 0) |
               (Contains(r.letters.modifiers, letter) ? kModifierKind : 0) |
               (IsVedic(r, letter) ? kVedicKind : 0);
    }
};

void Mark(LetterKinds& k, std::u16string_view letters, std::uint8_t kind) {
    for (char16_t c : letters) {
        if ((c & 0xFF80) == k.block) k.kinds[c & 0x7F] |= kind;
    }
}

void LetterKinds::Fill(const Rules& r) {
    rules = &r;
    const char16_t first = r.letters.consonants.empty() ? 0 : r.letters.consonants[0];
    // With no consonants there is no block: a value no letter's block equals.
    block = first == 0 ? 1 : static_cast<char16_t>(first & 0xFF80);
    for (int b = 0; b < 256; ++b) {
        byteLetter[b] = r.iscii[b];
        plain[b] =
            b != kExtension && b != kVirama && b != kDanda && b != kInv && r.isciiNukta[b] == 0;
    }
    std::fill(std::begin(kinds), std::end(kinds), 0);
    if (block == 1) return;
    Mark(*this, r.letters.consonants, kConsonantKind);
    Mark(*this, r.letters.matras, kMatraKind);
    Mark(*this, r.letters.modifiers, kModifierKind);
    Mark(*this, {r.vedic.data(), r.vedic.size()}, kVedicKind);
}

// One letter of the text: the letter, a joiner that came with a virama
// (E8 E9 soft, E8 E8 explicit), and the bytes it takes.
struct Token {
    char16_t letter = 0;
    char16_t joiner = 0;
    int length = 1;
};

Token DecodeSpecial(const Rules& rules, Source& s, int p) {
    const unsigned char b = s[p];
    const unsigned char next = b == 0 ? 0 : s[p + 1];
    if (b == kExtension) {
        if (next == 0) return {0, 0, 1};
        std::size_t i = static_cast<std::size_t>(next) - kFirstVedic;
        if (next >= kFirstVedic && i < rules.vedic.size()) return {rules.vedic[i], 0, 2};
        return {0, 0, 2};
    }
    if (b == kVirama) {
        if (next == kVirama) return {rules.letters.virama, kZwnj, 2};
        if (next == kNukta) return {rules.letters.virama, kZwj, 2};
        return {rules.letters.virama, 0, 1};
    }
    if (b == kDanda && next == kDanda) return {kDoubleDanda, 0, 2};
    if (next == kNukta && rules.isciiNukta[b] != 0) return {rules.isciiNukta[b], 0, 2};
    if (b == kInv) return {kInvisible, 0, 1};
    return {rules.iscii[b], 0, 1};
}

// Most bytes are a letter whatever follows: those without a call.
inline Token DecodeAt(const LetterKinds& kinds, Source& s, int p) {
    const unsigned char b = s[p];
    if (kinds.plain[b]) return {kinds.byteLetter[b], 0, 1};
    return DecodeSpecial(*kinds.rules, s, p);
}

int SkipCaret(Source& s, int p) {
    while (s[p] == kCaretMark) ++p;
    return p;
}

class ClusterReader {
public:
    ClusterReader(const Rules& rules, const LetterKinds& kinds, Source& s, Syllable& out)
        : rules_(rules), kinds_(kinds), s_(s), out_(out) {}

    void Push(char16_t c) {
        if (out_.coreLength < kMaxCoreLetters) out_.core[out_.coreLength++] = c;
    }

    // Reads consonants joined by viramas, starting at p, where a consonant
    // (or the invisible consonant) stands.
    int Consonants(int p) {
        Token t = DecodeAt(kinds_, s_, p);
        Push(t.letter);
        out_.consonants = 1;
        p += t.length;
        bool nukta = false;
        for (;;) {
            int q = SkipCaret(s_, p);
            Token n = DecodeAt(kinds_, s_, q);
            if (n.letter != 0 && n.letter == rules_.letters.nukta && !nukta && n.length == 1) {
                Push(n.letter);
                nukta = true;
                p = q + 1;
                continue;
            }
            if (n.letter != rules_.letters.virama) return p;
            if (n.joiner == kZwnj) {
                out_.finalVirama = true;
                return q + n.length;
            }
            int q2 = SkipCaret(s_, q + n.length);
            Token c = DecodeAt(kinds_, s_, q2);
            if (((kinds_.Of(c.letter) & kConsonantKind) || c.letter == kInvisible) &&
                out_.consonants < kMaxConsonants) {
                Push(rules_.letters.virama);
                if (n.joiner == kZwj) Push(kZwj);
                Push(c.letter);
                ++out_.consonants;
                nukta = false;
                p = q2 + c.length;
                continue;
            }
            if (n.joiner == kZwj) {
                Push(rules_.letters.virama);
                Push(kZwj);
            } else {
                out_.finalVirama = true;
            }
            return q + n.length;
        }
    }

    int Matra(int p) {
        if (out_.finalVirama) return p;
        int q = SkipCaret(s_, p);
        Token t = DecodeAt(kinds_, s_, q);
        if (!(kinds_.Of(t.letter) & kMatraKind)) return p;
        out_.matra = t.letter;
        return q + t.length;
    }

    int Signs(int p) {
        for (;;) {
            int q = SkipCaret(s_, p);
            Token t = DecodeAt(kinds_, s_, q);
            const std::uint8_t kind = kinds_.Of(t.letter);
            if ((kind & kModifierKind) && out_.modifierCount < kMaxModifiers) {
                out_.modifiers[out_.modifierCount++] = t.letter;
            } else if ((kind & kVedicKind) && out_.accentCount < kMaxAccents) {
                out_.accents[out_.accentCount++] = t.letter;
            } else {
                return p;
            }
            p = q + t.length;
        }
    }

private:
    const Rules& rules_;
    const LetterKinds& kinds_;
    Source& s_;
    Syllable& out_;
};

// The modifiers as the vowel before them draws them.
void SwapModifiers(const Rules& rules, Syllable& out) {
    if (rules.modifierSwaps.empty()) return;
    const char16_t context = out.kind == Syllable::Kind::kStandalone ? out.letter : out.matra;
    for (int i = 0; i < out.modifierCount; ++i) {
        for (const auto& swap : rules.modifierSwaps) {
            if (swap.context == context && swap.from == out.modifiers[i]) {
                out.modifiers[i] = swap.to;
                break;
            }
        }
    }
}

// An independent vowel followed by virama + ya (not a soft or explicit
// virama): the vowel is the base of a cluster with the ya-phala.
bool StartsYaphala(const Rules& rules, const LetterKinds& kinds, Source& s, const Token& t) {
    if (rules.yaphalaLetter == 0 || !Contains(rules.yaphalaVowels, t.letter)) return false;
    const int q = SkipCaret(s, t.length);
    const Token v = DecodeAt(kinds, s, q);
    if (v.letter != rules.letters.virama || v.joiner != 0) return false;
    return DecodeAt(kinds, s, SkipCaret(s, q + v.length)).letter == rules.yaphalaLetter;
}

}  // namespace

bool IsConsonant(const Rules& rules, char16_t letter) {
    return Contains(rules.letters.consonants, letter);
}
bool IsMatra(const Rules& rules, char16_t letter) { return Contains(rules.letters.matras, letter); }
bool IsModifier(const Rules& rules, char16_t letter) {
    return Contains(rules.letters.modifiers, letter);
}
bool IsVedic(const Rules& rules, char16_t letter) {
    return letter != 0 && std::find(rules.vedic.begin(), rules.vedic.end(), letter) != rules.vedic.end();
}

Syllable ReadSyllable(const Rules& rules, const unsigned char* text) {
    Syllable out;
    const unsigned char b = text[0];
    if (b < 0xA0) return out;  // space, caret mark, English: one byte, no glyph

    const LetterKinds& kinds = PerRules<LetterKinds>(rules);
    Source s{text};
    Token t = DecodeAt(kinds, s, 0);
    const std::uint8_t kind = kinds.Of(t.letter);
    ClusterReader reader(rules, kinds, s, out);
    int p = 0;
    if ((kind & kConsonantKind) || t.letter == kInvisible || StartsYaphala(rules, kinds, s, t)) {
        out.kind = Syllable::Kind::kCluster;
        p = reader.Consonants(0);
        p = reader.Matra(p);
        p = reader.Signs(p);
        const auto& L = rules.letters;
        if (out.consonants >= 2 && out.core[0] == L.ra && out.core[1] == L.virama &&
            out.core[2] != kZwj) {
            out.reph = true;
            std::copy(out.core + 2, out.core + out.coreLength, out.core);
            out.coreLength -= 2;
            --out.consonants;
        }
        if (rules.gemination && out.consonants >= 2 && out.core[1] == L.virama &&
            out.core[2] == out.core[0] && out.core[0] != kInvisible) {
            out.geminate = true;
            std::copy(out.core + 2, out.core + out.coreLength, out.core);
            out.coreLength -= 2;
            --out.consonants;
        }
    } else if ((kind & (kMatraKind | kModifierKind)) || t.letter == rules.letters.virama ||
               (t.letter != 0 && t.letter == rules.letters.nukta)) {
        // A sign with no consonant before it: drawn on the invisible consonant.
        out.kind = Syllable::Kind::kCluster;
        reader.Push(kInvisible);
        out.consonants = 1;
        if (t.letter == rules.letters.virama) {
            out.finalVirama = true;
            p = t.length;
        } else if (t.letter == rules.letters.nukta) {
            p = t.length;
        }
        p = reader.Matra(p);
        p = reader.Signs(p);
    } else if (t.letter != 0) {
        out.kind = Syllable::Kind::kStandalone;
        out.letter = t.letter;
        p = (kind & kVedicKind) ? t.length : reader.Signs(t.length);
    } else {
        p = t.length;
    }
    SwapModifiers(rules, out);
    out.consumed = std::max(p, 1);
    out.examined = s.furthest + 1;
    return out;
}

}  // namespace vexa::family::engine
