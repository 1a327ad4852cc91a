#pragma once

// Internals of the 7-bit decoder shared by its scalar and block versions.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vexa::script::seven_bit {

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

inline constexpr DecodeTables kDecode = MakeDecodeTables();

// Where a word is, carried from one position (or block) to the next.
struct WordState {
    bool indian = false;  // the current word is an Indian word
};

// Whether this processor runs DecodeBlocks.
bool HasBlockDecoder();

// Decodes the positions [1, n) of `in` (position 0 is the separator that
// opens the text; two readable bytes follow position n - 1) in blocks of
// sixteen, and returns the position where the blocks stopped, for the
// scalar decoder to finish. `w` advances past what was written; the output
// needs eight bytes of slack.
std::size_t DecodeBlocks(const unsigned char* in, std::size_t n, WordState& state,
                         unsigned char*& w);

}  // namespace vexa::script::seven_bit
