#include "script/unicode_tables.h"

#include <algorithm>

namespace vexa::script::unicode {

namespace {

struct Pair {
    unsigned char byte;
    char16_t code;
};

// ISCII to Unicode in Devanagari, the model of every Brahmic script: the
// other scripts read the same codes at the same offset in their own block.
constexpr Pair kDevanagari[] = {
    {0xA1, 0x0901}, {0xA2, 0x0902}, {0xA3, 0x0903}, {0xA4, 0x0905}, {0xA5, 0x0906}, {0xA6, 0x0907},
    {0xA7, 0x0908}, {0xA8, 0x0909}, {0xA9, 0x090A}, {0xAA, 0x090B}, {0xAB, 0x090E}, {0xAC, 0x090F},
    {0xAD, 0x0910}, {0xAE, 0x090D}, {0xAF, 0x0912}, {0xB0, 0x0913}, {0xB1, 0x0914}, {0xB2, 0x0911},
    {0xC7, 0x0929}, {0xCE, 0x095F}, {0xCF, 0x0930}, {0xD0, 0x0931}, {0xD9, kZwj},   {0xE0, 0x0946},
    {0xE1, 0x0947}, {0xE2, 0x0948}, {0xE3, 0x0945}, {0xE4, 0x094A}, {0xE5, 0x094B}, {0xE6, 0x094C},
    {0xE7, 0x0949}, {0xE8, 0x094D}, {0xE9, 0x093C},
};
// Runs of consecutive codes: B3-C6 ka..na, C8-CD pa..ya, D1-D8 la..ha,
// DA-DF the vowel signs aa..vocalic r, F1-FA the digits.
struct Run {
    unsigned char first;
    unsigned char last;
    char16_t code;
};
constexpr Run kDevanagariRuns[] = {
    {0xB3, 0xC6, 0x0915}, {0xC8, 0xCD, 0x092A}, {0xD1, 0xD8, 0x0932},
    {0xDA, 0xDF, 0x093E}, {0xF1, 0xFA, 0x0966},
};
// A byte followed by the nukta code 0xE9.
constexpr Pair kDevanagariNukta[] = {
    {0xA1, 0x0950}, {0xA6, 0x090C}, {0xA7, 0x0961}, {0xAA, 0x0960}, {0xB3, 0x0958},
    {0xB4, 0x0959}, {0xB5, 0x095A}, {0xBA, 0x095B}, {0xBF, 0x095C}, {0xC0, 0x095D},
    {0xC9, 0x095E}, {0xDB, 0x0962}, {0xDC, 0x0963}, {0xDF, 0x0944}, {0xEA, 0x093D},
};

// The Vedic signs of the Devanagari family's extension code: 0xF0 0xA1 + i.
constexpr char16_t kVedic[] = {
    0x0951, 0x0952, 0x1CDA, 0x1CD0, 0x1CD1, 0x1CD2, 0x1CD4, 0x1CD5, 0x1CD6, 0x1CD7, 0x1CD8,
    0x1CD9, 0x1CDB, 0x1CDC, 0x1CDD, 0x1CDE, 0x1CDF, 0x1CE0, 0x1CE1, 0x1CE2, 0x1CE3, 0x1CE4,
    0x1CE5, 0x1CE6, 0x1CE7, 0x1CE8, 0x1CED, 0x1CF4, 0xA8E0, 0xA8E1, 0x1CF2,
};

// A Brahmic script: its block, the codes whose letter it lacks, and the
// codes it reads otherwise than at the Devanagari offset (the family's
// converters draw exactly these letters). A nukta form left out is written
// as the letter followed by the script's nukta sign.
struct Indic {
    char16_t block;
    std::span<const unsigned char> absent;
    std::span<const Pair> other;
    std::span<const unsigned char> nuktaAbsent;
    std::span<const Pair> nuktaOther;
};

constexpr unsigned char kBengaliAbsent[] = {0xAB, 0xAE, 0xAF, 0xB2, 0xC7, 0xD0, 0xD2,
                                            0xD3, 0xD4, 0xE0, 0xE3, 0xE4, 0xE7};
constexpr unsigned char kBengaliNuktaAbsent[] = {0xA1, 0xB3, 0xB4, 0xB5, 0xBA, 0xC9};
// Assamese: ra and wa at the codes of ra and va.
constexpr unsigned char kAssameseAbsent[] = {0xAB, 0xAE, 0xAF, 0xB2, 0xC7, 0xD0,
                                             0xD2, 0xD3, 0xE0, 0xE3, 0xE4, 0xE7};
constexpr Pair kAssameseOther[] = {{0xCF, 0x09F0}, {0xD4, 0x09F1}};
constexpr unsigned char kGurmukhiAbsent[] = {0xAA, 0xAB, 0xAE, 0xAF, 0xB2, 0xC7, 0xCE,
                                             0xD0, 0xD3, 0xD6, 0xDF, 0xE0, 0xE4, 0xE7};
constexpr Pair kGurmukhiOther[] = {{0xE3, 0x0A51}};
// la and sa with nukta stay two characters (their precomposed letters
// decompose in every normal form).
constexpr unsigned char kGurmukhiNuktaAbsent[] = {0xA6, 0xA7, 0xAA, 0xB3, 0xC0,
                                                  0xDB, 0xDC, 0xDF, 0xEA};
constexpr Pair kGurmukhiNuktaOther[] = {{0xA1, 0x0A74}, {0xCD, 0x0A75}};
constexpr unsigned char kGujaratiAbsent[] = {0xAB, 0xAF, 0xC7, 0xCE, 0xD0, 0xD3, 0xE0, 0xE4};
constexpr unsigned char kGujaratiNuktaAbsent[] = {0xB3, 0xB4, 0xB5, 0xBA, 0xBF, 0xC0, 0xC9};
constexpr unsigned char kOriyaAbsent[] = {0xAB, 0xAE, 0xAF, 0xB2, 0xC7, 0xD0,
                                          0xD3, 0xE0, 0xE3, 0xE4, 0xE7};
constexpr unsigned char kOriyaNuktaAbsent[] = {0xA1, 0xB3, 0xB4, 0xB5, 0xBA, 0xBF, 0xC9};
// Tamil reads the codes of letters it lacks as the nearest letter it has.
constexpr unsigned char kTamilAbsent[] = {0xAA, 0xDF, 0xE9};
constexpr Pair kTamilOther[] = {
    {0xA1, 0x0B82}, {0xAE, 0x0B8E}, {0xB2, 0x0B92}, {0xB4, 0x0B95}, {0xB5, 0x0B95},
    {0xB6, 0x0B95}, {0xB9, 0x0B9A}, {0xBB, 0x0B9C}, {0xBE, 0x0B9F}, {0xBF, 0x0B9F},
    {0xC0, 0x0B9F}, {0xC3, 0x0BA4}, {0xC4, 0x0BA4}, {0xC5, 0x0BA4}, {0xC9, 0x0BAA},
    {0xCA, 0x0BAA}, {0xCB, 0x0BAA}, {0xCE, 0x0BAF}, {0xE3, 0x0BC6}, {0xE7, 0x0BCA},
};
constexpr unsigned char kTamilNuktaAbsent[] = {0xA6, 0xA7, 0xAA, 0xB3, 0xB4, 0xB5, 0xBA,
                                               0xBF, 0xC0, 0xC9, 0xDB, 0xDC, 0xDF, 0xEA};
constexpr Pair kTamilNuktaOther[] = {{0xA1, 0x0BD0}};
constexpr unsigned char kTeluguAbsent[] = {0xAE, 0xB2, 0xC7, 0xCE, 0xE3, 0xE7, 0xE9};
constexpr unsigned char kTeluguNuktaAbsent[] = {0xA1, 0xBA, 0xBF, 0xC0, 0xC9};
constexpr unsigned char kKannadaAbsent[] = {0xAE, 0xB2, 0xC7, 0xCE, 0xD3, 0xE3, 0xE7};
constexpr unsigned char kKannadaNuktaAbsent[] = {0xA1, 0xB3, 0xB4, 0xB5, 0xBA, 0xBF, 0xC0};
// Malayalam reads the codes of the letters it lacks as the nearest it has.
constexpr unsigned char kMalayalamAbsent[] = {0xE9};
constexpr Pair kMalayalamOther[] = {
    {0xAE, 0x0D0E}, {0xB2, 0x0D12}, {0xCE, 0x0D2F}, {0xE3, 0x0D46}, {0xE7, 0x0D4A}};
constexpr unsigned char kMalayalamNuktaAbsent[] = {0xA1, 0xB3, 0xB4, 0xB5, 0xBA,
                                                   0xBF, 0xC0, 0xC9, 0xDB, 0xDC};

constexpr Indic kDevanagariScript{0x0900, {}, {}, {}, {}};
constexpr Indic kBengali{0x0980, kBengaliAbsent, {}, kBengaliNuktaAbsent, {}};
constexpr Indic kAssamese{0x0980, kAssameseAbsent, kAssameseOther, kBengaliNuktaAbsent, {}};
constexpr Indic kGurmukhi{0x0A00, kGurmukhiAbsent, kGurmukhiOther, kGurmukhiNuktaAbsent,
                          kGurmukhiNuktaOther};
constexpr Indic kGujarati{0x0A80, kGujaratiAbsent, {}, kGujaratiNuktaAbsent, {}};
constexpr Indic kOriya{0x0B00, kOriyaAbsent, {}, kOriyaNuktaAbsent, {}};
constexpr Indic kTamil{0x0B80, kTamilAbsent, kTamilOther, kTamilNuktaAbsent, kTamilNuktaOther};
constexpr Indic kTelugu{0x0C00, kTeluguAbsent, {}, kTeluguNuktaAbsent, {}};
constexpr Indic kKannada{0x0C80, kKannadaAbsent, {}, kKannadaNuktaAbsent, {}};
constexpr Indic kMalayalam{0x0D00, kMalayalamAbsent, kMalayalamOther, kMalayalamNuktaAbsent, {}};

// The family's Tibetan bytes (one letter or sign each; 0xDA joins the next
// letter below the stack, 0xF1-0xFA are the digits).
constexpr Pair kTibetan[] = {
    {0xA1, 0x0FA3}, {0xA2, 0x0F58}, {0xA3, 0x0FA8}, {0xA4, 0x0F7C}, {0xA5, 0x0F7D}, {0xA6, 0x0F5F},
    {0xA7, 0x0F5A}, {0xA8, 0x0FAA}, {0xA9, 0x0F46}, {0xAA, 0x0F96}, {0xAB, 0x0F49}, {0xAC, 0x0F5B},
    {0xAD, 0x0FAB}, {0xAE, 0x0F47}, {0xAF, 0x0F97}, {0xB0, 0x0F71}, {0xB1, 0x0F59}, {0xB2, 0x0FA9},
    {0xB3, 0x0F45}, {0xB4, 0x0F95}, {0xB5, 0x0F61}, {0xB6, 0x0F55}, {0xB7, 0x0FA5}, {0xB8, 0x0F74},
    {0xB9, 0x0F84}, {0xBA, 0x0F60}, {0xBB, 0x0F66}, {0xBC, 0x0FB6}, {0xBD, 0x0F67}, {0xBE, 0x0FB7},
    {0xBF, 0x0F62}, {0xC0, 0x0FB4}, {0xC1, 0x0FB3}, {0xC2, 0x0F7A}, {0xC3, 0x0F68}, {0xC4, 0x0F56},
    {0xC5, 0x0F63}, {0xC6, 0x0F5E}, {0xC7, 0x0FAE}, {0xC8, 0x0F64}, {0xC9, 0x0F7B}, {0xCA, 0x0F4A},
    {0xCB, 0x0F51}, {0xCC, 0x0FB1}, {0xCD, 0x0FAF}, {0xCE, 0x0F7F}, {0xCF, 0x0F42}, {0xD0, 0x0F53},
    {0xD1, 0x0F44}, {0xD2, 0x0F54}, {0xD3, 0x0F72}, {0xD4, 0x0F0D}, {0xD5, 0x0F11}, {0xD6, 0x0F50},
    {0xD7, 0x0F41}, {0xD8, 0x0F4F}, {0xD9, 0x0F40}, {0xDB, 0x0F09}, {0xDC, 0x0F14}, {0xDD, 0x0F5D},
    {0xDE, 0x0FAD}, {0xDF, 0x0F38}, {0xE0, 0x0F34}, {0xE1, 0x0F05}, {0xE2, 0x0F04}, {0xE3, 0x0F7E},
    {0xE4, 0x0F4C}, {0xE5, 0x0F83}, {0xE6, 0x0F08}, {0xE7, 0x0F0A}, {0xE8, 0x0F4B}, {0xE9, 0x0F4E},
    {0xEA, 0x0F65}, {0xEB, 0x0F3C}, {0xEC, 0x0F3D}, {0xED, 0x0F82}, {0xEE, 0x0F0E}, {0xEF, 0x0F80},
};

char16_t Shifted(char16_t devanagari, char16_t block) {
    if (devanagari < 0x0900 || devanagari > 0x097F) return devanagari;  // ZWJ
    return static_cast<char16_t>(devanagari - 0x0900 + block);
}

bool Has(std::span<const unsigned char> list, unsigned char b) {
    return std::find(list.begin(), list.end(), b) != list.end();
}

// Bytes every script reads alike: English, line ends, the caret mark.
void CommonBytes(ScriptTables& t) {
    for (int b = 0; b < 0xA1; ++b) {
        t.unit[b] = static_cast<char16_t>(b);
        t.kind[b] = ByteKind::kPlain;
    }
    for (unsigned char b : {0x01, 0x1D}) t.kind[b] = ByteKind::kDrop;
    for (unsigned char b : {0x04, 0x05, 0x0A, 0x0D}) t.kind[b] = ByteKind::kSpecial;
}

void SetReverse(ScriptTables& t) {
    // A code read at its Devanagari offset wins over one the script reads as
    // a neighbouring letter (Tamil A2, not A1, is the anusvara); among
    // equals the lowest byte wins.
    const auto own = [&](int b) {
        for (const Pair& p : kDevanagari)
            if (p.byte == b) return t.unit[b] == Shifted(p.code, t.block);
        for (const Run& r : kDevanagariRuns)
            if (b >= r.first && b <= r.last)
                return t.unit[b] == Shifted(r.code + (b - r.first), t.block);
        return false;
    };
    for (bool ownPass : {false, true}) {
        for (int b = 0xFA; b >= 0xA1; --b) {
            const char16_t u = t.unit[b];
            if (t.kind[b] == ByteKind::kDrop || u < t.block || u >= t.block + 0x80 ||
                own(b) != ownPass)
                continue;
            t.fromBlock[u - t.block] = static_cast<unsigned char>(b);
        }
    }
    for (int b = 0xFA; b >= 0xA1; --b) {
        char16_t u = t.nuktaUnit[b];
        if (u >= t.block && u < t.block + 0x80)
            t.fromBlockNukta[u - t.block] = static_cast<unsigned char>(b);
    }
}

ScriptTables BuildIndic(const Indic& s, bool vedic, bool gurmukhi) {
    ScriptTables t;
    CommonBytes(t);
    t.block = s.block;
    auto set = [&](unsigned char b, char16_t u) {
        if (Has(s.absent, b)) return;
        t.unit[b] = u;
        t.kind[b] = ByteKind::kPlain;
    };
    for (const Pair& p : kDevanagari) set(p.byte, Shifted(p.code, s.block));
    for (const Run& r : kDevanagariRuns)
        for (int b = r.first; b <= r.last; ++b)
            set(static_cast<unsigned char>(b), Shifted(r.code + (b - r.first), s.block));
    for (const Pair& p : s.other) set(p.byte, p.code);
    for (const Pair& p : kDevanagariNukta)
        if (!Has(s.nuktaAbsent, p.byte)) t.nuktaUnit[p.byte] = Shifted(p.code, s.block);
    for (const Pair& p : s.nuktaOther) t.nuktaUnit[p.byte] = p.code;
    t.virama = Shifted(0x094D, s.block);
    t.nukta = Has(s.absent, kIsciiNukta) ? 0 : Shifted(0x093C, s.block);
    // The dandas are the Devanagari ones in every script.
    t.unit[kIsciiDanda] = kDanda;
    t.kind[kIsciiDanda] = ByteKind::kPlain;
    t.behind[kIsciiDanda] = kIsciiDanda;
    t.behind[kIsciiVirama] = kIsciiVirama;
    for (unsigned char b : {kIsciiAttribute, kIsciiExtension}) t.kind[b] = ByteKind::kSpecial;
    if (vedic) {
        t.vedic = kVedic;
        t.behind[kIsciiShortE] = kIsciiShortA;
    }
    t.gurmukhi = gurmukhi;
    if (gurmukhi) {
        t.kind[0xA2] = ByteKind::kSpecial;  // bindi or tippi
        for (int b = 0xB3; b <= 0xD8; ++b)  // consonants: a doubled one takes addak
            if (t.kind[b] == ByteKind::kPlain && t.unit[b] >= 0x0A15 && t.unit[b] <= 0x0A39)
                t.behind[b] = kIsciiVirama;
    }
    SetReverse(t);
    return t;
}

ScriptTables BuildTibetan() {
    ScriptTables t;
    CommonBytes(t);
    t.block = 0x0F00;
    t.tibetan = true;
    for (const Pair& p : kTibetan) {
        t.unit[p.byte] = p.code;
        t.kind[p.byte] = ByteKind::kPlain;
    }
    for (int i = 0; i < 10; ++i) {
        t.unit[0xF1 + i] = static_cast<char16_t>(0x0F20 + i);
        t.kind[0xF1 + i] = ByteKind::kPlain;
    }
    t.kind[kTibetanJoiner] = ByteKind::kSpecial;
    t.kind[' '] = ByteKind::kSpecial;
    for (int b = 0xFA; b >= 0xA1; --b)
        if (t.kind[b] == ByteKind::kPlain)
            t.fromBlock[t.unit[b] - 0x0F00] = static_cast<unsigned char>(b);
    return t;
}

ScriptTables BuildEnglish() {
    ScriptTables t;
    CommonBytes(t);
    t.english = true;
    for (int b = 0xA1; b < 0x100; ++b) {
        t.unit[b] = static_cast<char16_t>(b);
        t.kind[b] = ByteKind::kPlain;
    }
    return t;
}

ScriptTables Finished(ScriptTables t) {
    for (int b = 0; b < 256; ++b) {
        if (t.behind[b] == 0) {
            t.pairValue[b] = 0xFFFF;  // never equal under a zero mask
        } else if (t.gurmukhi && b != kIsciiVirama && b != kIsciiDanda) {
            t.pairMask[b] = 0xFFFF;
            t.pairValue[b] = static_cast<std::uint16_t>(b | t.behind[b] << 8);
        } else {
            t.pairMask[b] = 0xFF00;
            t.pairValue[b] = static_cast<std::uint16_t>(t.behind[b] << 8);
        }
    }
    for (int b = 0; b < 256; ++b)
        t.fast[b] = t.kind[b] == ByteKind::kPlain                         ? t.unit[b]
                    : t.kind[b] == ByteKind::kDrop && t.nuktaUnit[b] == 0 ? kFastDrop
                                                                          : kSlow;
    // The nukta code looks back at the letter before it.
    if (!t.english && !t.tibetan) t.fast[kIsciiNukta] = kSlow;
    if (!t.english && !t.tibetan) {
        for (int k = 0; k < 0x80; ++k)
            t.fastFromBlock[k] = t.fromBlock[k] == kIsciiVirama ? 0 : t.fromBlock[k];
        // Gurmukhi's nukta looks back at the letter before it on the way back.
        if (t.gurmukhi)
            for (int k = 0; k < 0x80; ++k)
                if (t.fromBlock[k] == kIsciiNukta) t.fastFromBlock[k] = 0;
    }
    return t;
}

}  // namespace

const ScriptTables& TablesFor(UnicodeScript script) {
    static const ScriptTables kTables[] = {
        Finished(BuildEnglish()),
        Finished(BuildIndic(kDevanagariScript, true, false)),
        Finished(BuildIndic(kBengali, false, false)),
        Finished(BuildIndic(kAssamese, false, false)),
        Finished(BuildIndic(kGurmukhi, false, true)),
        Finished(BuildIndic(kGujarati, false, false)),
        Finished(BuildIndic(kOriya, false, false)),
        Finished(BuildIndic(kTamil, false, false)),
        Finished(BuildIndic(kTelugu, false, false)),
        Finished(BuildIndic(kKannada, false, false)),
        Finished(BuildIndic(kMalayalam, false, false)),
        Finished(BuildTibetan()),
    };
    return kTables[static_cast<int>(script)];
}

bool TakesTippi(char16_t c) {
    switch (c) {
        case 0x0A05:
        case 0x0A07:
        case 0x0A3F:
        case 0x0A41:
        case 0x0A42:
            return true;
        case 0x0A29:
        case 0x0A31:
        case 0x0A32:
        case 0x0A33:
        case 0x0A34:
        case 0x0A37:
            return false;
        default:
            return c >= 0x0A15 && c <= 0x0A39;
    }
}

bool IsTibetanStackPart(char16_t c) { return c >= 0x0F40 && c <= 0x0FBC; }

}  // namespace vexa::script::unicode
