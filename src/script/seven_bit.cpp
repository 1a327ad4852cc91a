#include "script/seven_bit.h"

#include <array>
#include <cstring>

#include "script/seven_bit_decode.h"

namespace vexa::script {

namespace {

using namespace seven_bit;

constexpr unsigned char kFirstCoded = 0xA1;
constexpr unsigned char kLastCoded = 0xEF;

// Spelling of each byte from 0xA1 to 0xEF; empty entries are dropped.
constexpr std::array<std::string_view, kLastCoded - kFirstCoded + 1> kSpelling{
    "A",  "B",   "Bx", "C",  "Ck", "Cl",  "Cm", "Cn",  // A1-A8
    "Co", "Cp",  "Cq", "Cr", "Cs", "Csx", "Ct", "Cu",  // A9-B0
    "Cv", "Cvx", "D",  "E",  "F",  "G",   "Gx", "H",   // B1-B8
    "I",  "J",   "K",  "Kx", "L",  "M",   "N",  "O",   // B9-C0
    "P",  "Q",   "R",  "S",  "T",  "U",   "Ux", "V",   // C1-C8
    "W",  "X",   "Y",  "Z",  "a",  "ax",  "b",  "c",   // C9-D0
    "d",  "e",   "ex", "f",  "g",  "h",   "i",  "j",   // D1-D8
    "jx", "k",   "l",  "m",  "n",  "o",   "p",  "q",   // D9-E0
    "r",  "s",   "sx", "t",  "u",  "v",   "vx", "w",   // E1-E8
    "x",  "y",   "",   "",   "",   "",    "z",         // E9-EF
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

// Decoding without counts, the hot path. Whether a character starts a
// code, and which byte that code stands for, depends only on the character,
// its neighbours and whether its word is an Indian word: "C" always starts a
// code, and "x" continues exactly the letters that take it (the "s" and "v"
// of "Csx" and "Cvx" included). So every position is decoded on its own,
// sixteen at a time where the processor has byte shuffles, and the bytes of
// the positions that start a code are packed together.

inline bool IsLetter(unsigned char c) { return kDecode.letterClass[c] != kNotLetter; }

// Decodes in[i] (i > 0 may look at in[i - 1]; two bytes after the text are
// readable) and writes its byte at w. Returns whether the byte is kept.
inline bool DecodePosition(const unsigned char* in, std::size_t i, WordState& state,
                           unsigned char* w) {
    const unsigned char c = in[i];
    const unsigned char previous = in[i - 1];
    const unsigned char next = in[i + 1];
    if (kDecode.separator[previous]) {
        // A word starts here. "x" marks an Indian word (and stands for itself
        // when no letter follows); "xx" spells a plain word beginning with "x".
        state.indian = c == 'x' && next != 'x';
        *w = c;
        if (c == 'x') return next != 'x' && !IsLetter(next);
        return true;
    }
    if (!state.indian || !IsLetter(c)) {
        *w = c;
        return true;
    }
    unsigned byte = kDecode.single[c];
    if (kDecode.letterClass[c] == kTakesX && next == 'x') byte = kDecode.withX[c];
    if (c == 'C' && kDecode.afterC[next] != 0) byte = kDecode.afterC[next];
    if (c == 'C' && kDecode.afterCx[next] != 0 && in[i + 2] == 'x') byte = kDecode.afterCx[next];
    *w = static_cast<unsigned char>(byte);
    const bool continues = (c == 'x' && kDecode.letterClass[previous] == kTakesX) ||
                           (previous == 'C' && kDecode.afterC[c] != 0);
    return !continues;
}

std::size_t DecodePositions(const unsigned char* in, std::size_t from, std::size_t to,
                            WordState& state, unsigned char* w) {
    unsigned char* const start = w;
    for (std::size_t i = from; i < to; ++i) w += DecodePosition(in, i, state, w) ? 1 : 0;
    return static_cast<std::size_t>(w - start);
}

std::string DecodeFast(std::string_view sevenBit) {
    const std::size_t n = sevenBit.size();
    // One separator before the text (so the first character starts a word)
    // and two NULs after it (read-ahead without bound checks); the text is
    // at positions 1 to n.
    const std::string padded = PadForReadAhead(sevenBit);
    const auto* in = reinterpret_cast<const unsigned char*>(padded.data());
    std::string out(n + 8, '\0');
    auto* w = reinterpret_cast<unsigned char*>(out.data());
    WordState state;
    std::size_t i = 1;
    if (HasBlockDecoder()) i = DecodeBlocks(in, n + 1, state, w);
    w += DecodePositions(in, i, n + 1, state, w);
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
