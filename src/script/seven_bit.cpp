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

// Output with room reserved ahead, so that the hot loop writes without
// checks.
class DecodeSink {
public:
    DecodeSink(std::string& out, std::vector<std::uint8_t>* counts) : out_(out), counts_(counts) {}
    void Put(unsigned char byte, std::size_t count) {
        out_.push_back(static_cast<char>(byte));
        if (counts_ != nullptr) counts_->push_back(static_cast<std::uint8_t>(count));
    }

private:
    std::string& out_;
    std::vector<std::uint8_t>* counts_;
};

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
        if (b >= kFirstCoded && wordStart && e.length != 0) *w++ = 'x';
        std::memcpy(w, e.letters, sizeof e.letters);
        w += e.length;
        wordStart = kEncode.opensWord[b];
    }
    out.resize(static_cast<std::size_t>(w - out.data()));
    return out;
}

std::string DecodeSevenBit(std::string_view sevenBit, std::vector<std::uint8_t>* counts) {
    const auto* in = reinterpret_cast<const unsigned char*>(sevenBit.data());
    const std::size_t n = sevenBit.size();
    std::string out;
    out.reserve(n);
    if (counts != nullptr) {
        counts->clear();
        counts->reserve(n);
    }
    DecodeSink sink(out, counts);

    bool wordStart = true;
    bool plain = true;
    bool pendingX = false;
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = in[i];
        if (wordStart) {
            wordStart = false;
            if (c == 'x') {
                plain = false;
                pendingX = true;
                ++i;
                continue;
            }
            plain = true;
        }
        if (plain) {
            sink.Put(c, 1);
            wordStart = kDecode.separator[c];
            ++i;
            continue;
        }
        // Inside an Indian word.
        const LetterClass cls = kDecode.letterClass[c];
        if (c == 'x' && pendingX) {
            // "xx" at a word start spells a plain word that begins with "x".
            sink.Put('x', 2);
            pendingX = false;
            plain = true;
            ++i;
            continue;
        }
        if (cls == kNotLetter) {
            if (pendingX) sink.Put('x', 1);
            pendingX = false;
            sink.Put(c, 1);
            wordStart = kDecode.separator[c];
            ++i;
            continue;
        }
        const unsigned char next = i + 1 < n ? in[i + 1] : 0;
        unsigned char byte = kDecode.single[c];
        std::size_t used = 1;
        if (cls == kTakesX && next == 'x') {
            byte = kDecode.withX[c];
            used = 2;
        } else if (cls == kC && kDecode.afterC[next] != 0) {
            byte = kDecode.afterC[next];
            used = 2;
            if (kDecode.afterCx[next] != 0 && i + 2 < n && in[i + 2] == 'x') {
                byte = kDecode.afterCx[next];
                used = 3;
            }
        }
        sink.Put(byte, used + (pendingX ? 1 : 0));
        pendingX = false;
        i += used;
    }
    if (pendingX) sink.Put('x', 1);
    return out;
}

}  // namespace vexa::script
