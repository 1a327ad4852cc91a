#include "script/seven_bit.h"

#include <array>
#include <cstring>

namespace vexa::script {

namespace {

constexpr unsigned char kFirstCoded = 0xA1;
constexpr unsigned char kLastCoded = 0xEF;

// Spelling of each byte from 0xA1 to 0xEF; empty entries are dropped.
constexpr std::array<std::string_view, kLastCoded - kFirstCoded + 1> kSpelling{
    "A",  "B",  "Bx", "C",  "Ck", "Cl", "Cm", "Cn",   // A1-A8
    "Co", "Cp", "Cq", "Cr", "Cs", "Csx", "Ct", "Cu",  // A9-B0
    "Cv", "Cvx", "D", "E",  "F",  "G",  "Gx", "H",    // B1-B8
    "I",  "J",  "K",  "Kx", "L",  "M",  "N",  "O",    // B9-C0
    "P",  "Q",  "R",  "S",  "T",  "U",  "Ux", "V",    // C1-C8
    "W",  "X",  "Y",  "Z",  "a",  "ax", "b",  "c",    // C9-D0
    "d",  "e",  "ex", "f",  "g",  "h",  "i",  "j",    // D1-D8
    "jx", "k",  "l",  "m",  "n",  "o",  "p",  "q",    // D9-E0
    "r",  "s",  "sx", "t",  "u",  "v",  "vx", "w",    // E1-E8
    "x",  "y",  "",   "",   "",   "",   "z",          // E9-EF
};

// One byte of the input per entry: the spelling packed for a fixed-size
// store, its length, and whether the byte opens a word when it follows.
struct EncodeEntry {
    char letters[4];
    std::uint8_t length;
    bool marksWord;  // an ISCII byte with a spelling: gets "x" at a word start
};

struct EncodeTables {
    std::array<EncodeEntry, 256> entry{};
    std::array<bool, 256> opensWord{};
};

constexpr EncodeTables MakeEncodeTables() {
    EncodeTables t{};
    for (int b = 0; b < 256; ++b) {
        EncodeEntry& e = t.entry[static_cast<std::size_t>(b)];
        if (b < kFirstCoded) {
            e.letters[0] = static_cast<char>(b);
            e.length = 1;
        } else if (b <= kLastCoded) {
            std::string_view s = kSpelling[static_cast<std::size_t>(b - kFirstCoded)];
            for (std::size_t i = 0; i < s.size(); ++i) e.letters[i] = s[i];
            e.length = static_cast<std::uint8_t>(s.size());
            e.marksWord = !s.empty();
        }
    }
    for (unsigned char b : {0x20, 0x0D, 0x0A, 0x09, 0x04, 0x05, 0x1D}) t.opensWord[b] = true;
    return t;
}

constexpr EncodeTables kEncode = MakeEncodeTables();

// Decoder tables.
enum LetterClass : std::uint8_t {
    kNotLetter,
    kSingle,     // one-letter code only
    kTakesX,     // one-letter code, or two letters with a following "x"
    kC,          // "C" and its longer codes
    kUnassigned  // a letter with no code of its own
};

struct DecodeTables {
    std::array<LetterClass, 256> letterClass{};
    std::array<bool, 256> separator{};
    std::array<unsigned char, 256> single{};   // one-letter codes
    std::array<unsigned char, 256> withX{};    // letter + "x"
    std::array<unsigned char, 256> afterC{};   // "C" + letter
    std::array<unsigned char, 256> afterCx{};  // "C" + letter + "x"
};

constexpr DecodeTables MakeDecodeTables() {
    DecodeTables t{};
    for (int c = 0; c < 256; ++c) {
        bool separator = c < 'A' || (c >= '[' && c <= '`') || (c >= '{' && c <= 0x7F);
        t.separator[static_cast<std::size_t>(c)] = separator;
    }
    constexpr std::string_view kSingleLetters = "ADEFHIJLMNOPQRSTVWXYZbcdfghiklmnopqrtuwx";
    constexpr std::string_view kXLetters = "BGKUaejsvy";
    for (char c : kSingleLetters) t.letterClass[static_cast<unsigned char>(c)] = kSingle;
    for (char c : kXLetters) t.letterClass[static_cast<unsigned char>(c)] = kTakesX;
    t.letterClass['C'] = kC;
    t.letterClass['z'] = kUnassigned;

    constexpr std::string_view kOneLetterCodes =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxy";
    constexpr unsigned char kOneLetterBytes[] = {
        0xA1, 0xA2, 0xA4, 0xB3, 0xB4, 0xB5, 0xB6, 0xB8, 0xB9, 0xBA, 0xBB, 0xBD, 0xBE,
        0xBF, 0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC,
        0xCD, 0xCF, 0xD0, 0xD1, 0xD2, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xDA, 0xDB, 0xDC,
        0xDD, 0xDE, 0xDF, 0xE0, 0xE1, 0xE2, 0xE4, 0xE5, 0xE6, 0xE8, 0xE9, 0xEA};
    for (std::size_t i = 0; i < kOneLetterCodes.size(); ++i) {
        t.single[static_cast<unsigned char>(kOneLetterCodes[i])] = kOneLetterBytes[i];
    }
    // "z" has no code of its own; it reads back as the byte the encoder
    // spells with it.
    t.single['z'] = 0xEF;

    constexpr std::string_view kTwoLetterCodes = "BxCkClCmCnCoCpCqCrCsCtCuCvGxKxUxaxexjxsxvxyx";
    constexpr unsigned char kTwoLetterBytes[] = {0xA3, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB,
                                                 0xAC, 0xAD, 0xAF, 0xB0, 0xB1, 0xB7, 0xBC, 0xC7,
                                                 0xCE, 0xD3, 0xD9, 0xE3, 0xE7, 0xEB};
    for (std::size_t i = 0; i < kTwoLetterCodes.size() / 2; ++i) {
        auto first = static_cast<unsigned char>(kTwoLetterCodes[2 * i]);
        auto second = static_cast<unsigned char>(kTwoLetterCodes[2 * i + 1]);
        if (first == 'C') {
            t.afterC[second] = kTwoLetterBytes[i];
        } else {
            t.withX[first] = kTwoLetterBytes[i];
        }
    }
    t.afterCx['s'] = 0xAE;
    t.afterCx['v'] = 0xB2;
    return t;
}

constexpr DecodeTables kDecode = MakeDecodeTables();

constexpr std::size_t kMaxSpelling = 3;

// The byte of the letter code that starts at in[i] (a letter), and how many
// characters it uses. `in` has two readable bytes after the text.
struct LetterCode {
    unsigned char byte;
    std::size_t used;
};

inline LetterCode ReadLetterCode(const unsigned char* in, std::size_t i) {
    const unsigned char c = in[i];
    const unsigned char next = in[i + 1];
    if (kDecode.letterClass[c] == kTakesX && next == 'x') return {kDecode.withX[c], 2};
    if (c == 'C' && kDecode.afterC[next] != 0) {
        if (kDecode.afterCx[next] != 0 && in[i + 2] == 'x') return {kDecode.afterCx[next], 3};
        return {kDecode.afterC[next], 2};
    }
    return {kDecode.single[c], 1};
}

// The text with two NULs after it, so that code lookups may read ahead
// without bound checks: a NUL continues no code, just like the end.
std::string PadForReadAhead(std::string_view text) {
    std::string padded;
    padded.reserve(text.size() + 3);
    padded.push_back(' ');  // a separator before the text: it starts a word
    padded.append(text);
    padded.append(2, '\0');
    return padded;
}

// Decoding that also records, per output byte, the characters that made it.
std::string DecodeWithCounts(std::string_view sevenBit, std::vector<std::uint8_t>& counts) {
    const std::size_t n = sevenBit.size();
    const std::string padded = PadForReadAhead(sevenBit);
    const auto* in = reinterpret_cast<const unsigned char*>(padded.data()) + 1;
    std::string out;
    out.reserve(n);
    counts.clear();
    counts.reserve(n);
    auto put = [&](unsigned char byte, std::size_t count) {
        out.push_back(static_cast<char>(byte));
        counts.push_back(static_cast<std::uint8_t>(count));
    };
    // Copies a plain word from in[i] up to and including its separator.
    auto copyPlain = [&](std::size_t i) {
        while (i < n) {
            unsigned char c = in[i++];
            put(c, 1);
            if (kDecode.separator[c]) break;
        }
        return i;
    };

    std::size_t i = 0;
    while (i < n) {
        // At a word start: "x" marks an Indian word, "xx" spells a plain
        // word that begins with "x", anything else starts a plain word.
        if (in[i] != 'x') {
            i = copyPlain(i);
            continue;
        }
        if (in[i + 1] == 'x') {
            put('x', 2);
            i = copyPlain(i + 2);
            continue;
        }
        ++i;
        // The mark counts with the first letter code; before anything else
        // it stands for itself.
        std::size_t mark = 1;
        if (kDecode.letterClass[in[i]] == kNotLetter) {
            put('x', 1);
            mark = 0;
        }
        while (i < n) {
            const unsigned char c = in[i];
            if (kDecode.letterClass[c] != kNotLetter) {
                LetterCode code = ReadLetterCode(in, i);
                put(code.byte, code.used + mark);
                mark = 0;
                i += code.used;
                continue;
            }
            put(c, 1);
            ++i;
            if (kDecode.separator[c]) break;
        }
    }
    return out;
}

// Decoding without counts, the hot path. Inside an Indian word, whether a
// letter continues the code before it depends on the two characters alone
// ("C" always starts a code, and "x" continues exactly the letters that
// take it, the "s" and "v" of "Csx" and "Cvx" included). So each character
// writes the byte of the code that would start at it and advances the
// output only when it starts one; no character waits for the length of the
// code before it.
std::string DecodeFast(std::string_view sevenBit) {
    const std::size_t n = sevenBit.size();
    // One separator before the text (so the first character starts a word)
    // and two NULs after it (read-ahead without bound checks).
    const std::string padded = PadForReadAhead(sevenBit);
    const auto* in = reinterpret_cast<const unsigned char*>(padded.data()) + 1;
    std::string out(n, '\0');
    auto* w = reinterpret_cast<unsigned char*>(out.data());
    std::size_t i = 0;
    while (i < n) {
        // At a word start. A plain word (or "xx" spelling one that begins
        // with "x") is copied up to and including its separator.
        if (in[i] != 'x' || in[i + 1] == 'x') {
            if (in[i] == 'x') ++i;  // the first "x" of "xx" is dropped
            unsigned char c;
            do {
                c = in[i++];
                *w++ = c;
            } while (!kDecode.separator[c] && i < n);
            continue;
        }
        // An Indian word; its mark stands for itself when no letter follows.
        ++i;
        *w = 'x';
        w += kDecode.letterClass[in[i]] == kNotLetter;  // the padding NUL at the end too
        while (i < n) {
            const unsigned c = in[i];
            if (kDecode.separator[c]) {
                *w++ = static_cast<unsigned char>(c);
                ++i;
                // Indian words mostly follow Indian words: take the next
                // one's mark here rather than leaving the loop.
                if (in[i] != 'x' || in[i + 1] == 'x' || i >= n) break;
                ++i;
                *w = 'x';
                w += kDecode.letterClass[in[i]] == kNotLetter;
                continue;
            }
            const unsigned previous = in[i - 1];
            const unsigned next = in[i + 1];
            const bool isC = c == 'C';
            unsigned byte = kDecode.letterClass[c] == kNotLetter ? c : kDecode.single[c];
            if (kDecode.letterClass[c] == kTakesX && next == 'x') byte = kDecode.withX[c];
            if (isC && kDecode.afterC[next] != 0) byte = kDecode.afterC[next];
            if (isC && kDecode.afterCx[next] != 0 && in[i + 2] == 'x') byte = kDecode.afterCx[next];
            const bool continues = (c == 'x' && kDecode.letterClass[previous] == kTakesX) ||
                                   (previous == 'C' && kDecode.afterC[c] != 0);
            *w = static_cast<unsigned char>(byte);
            w += continues ? 0 : 1;
            ++i;
        }
    }
    out.resize(static_cast<std::size_t>(w - reinterpret_cast<unsigned char*>(out.data())));
    return out;
}

}  // namespace

std::string EncodeSevenBit(std::string_view eightBit) {
    const auto* in = reinterpret_cast<const unsigned char*>(eightBit.data());
    const std::size_t n = eightBit.size();
    // Each byte gives at most an "x" and three letters; four more bytes of
    // slack let every entry be stored whole.
    std::string out(n * (kMaxSpelling + 1) + 4, '\0');
    char* w = out.data();
    bool wordStart = true;  // the first byte of the text starts a word
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char b = in[i];
        const EncodeEntry& e = kEncode.entry[b];
        // Written unconditionally and kept only at a word start, so that no
        // branch depends on the text.
        *w = 'x';
        w += static_cast<std::size_t>(wordStart & e.marksWord);
        std::memcpy(w, e.letters, sizeof e.letters);
        w += e.length;
        wordStart = kEncode.opensWord[b];
    }
    out.resize(static_cast<std::size_t>(w - out.data()));
    return out;
}

std::string DecodeSevenBit(std::string_view sevenBit, std::vector<std::uint8_t>* counts) {
    return counts != nullptr ? DecodeWithCounts(sevenBit, *counts) : DecodeFast(sevenBit);
}

}  // namespace vexa::script
