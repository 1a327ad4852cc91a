#pragma once

// The lookup tables of the Unicode conversion, built once per script from
// the descriptions in unicode_tables.cpp. Internal to the two directions.

#include <array>
#include <cstdint>
#include <span>

#include "script/unicode_text.h"

namespace vexa::script::unicode {

inline constexpr char16_t kZwnj = 0x200C;
inline constexpr char16_t kZwj = 0x200D;
inline constexpr char16_t kDanda = 0x0964;
inline constexpr char16_t kDoubleDanda = 0x0965;

inline constexpr std::uint32_t kSlow = 0x10000;
inline constexpr std::uint32_t kFastDrop = 0x20000;

inline constexpr unsigned char kIsciiVirama = 0xE8;
inline constexpr unsigned char kIsciiNukta = 0xE9;
inline constexpr unsigned char kIsciiDanda = 0xEA;
inline constexpr unsigned char kIsciiInv = 0xD9;
inline constexpr unsigned char kIsciiAttribute = 0xEF;
inline constexpr unsigned char kIsciiExtension = 0xF0;
inline constexpr unsigned char kFirstExtended = 0xA1;
inline constexpr unsigned char kTibetanJoiner = 0xDA;

// What a byte does on the way to Unicode.
enum class ByteKind : std::uint8_t {
    kDrop,     // no letter in this script
    kPlain,    // one code unit: unit[b] (nukta form checked first)
    kSpecial,  // handled by the converter's switch (line ends, virama, ...)
};

struct ScriptTables {
    std::array<char16_t, 256> unit{};       // the byte alone
    std::array<char16_t, 256> nuktaUnit{};  // the byte followed by 0xE9
    std::array<ByteKind, 256> kind{};
    // The common path in one lookup: the code unit of a plain byte,
    // kFastDrop for a byte the script has no letter for, else kSlow.
    std::array<std::uint32_t, 256> fast{};
    // The letter a byte changes when it comes right after it: a second
    // virama or danda, Devanagari's short e sign after a (0: none). The
    // nukta code changes any letter with a nukta form.
    std::array<unsigned char, 256> behind{};
    // The same as a test of the two bytes before (the earlier one in the low
    // byte): they change b when (pair & mask) == value. A Gurmukhi consonant
    // is changed by itself and a virama before it (the addak).
    std::array<std::uint16_t, 256> pairMask{};
    std::array<std::uint16_t, 256> pairValue{};
    char16_t block = 0;  // first code point of the script's block
    char16_t virama = 0;
    char16_t nukta = 0;               // 0: the script writes no nukta
    std::span<const char16_t> vedic;  // 0xF0 0xA1 + i
    bool gurmukhi = false;
    bool tibetan = false;
    bool english = false;
    // Back from Unicode, by code point - block: the byte (0: none), and the
    // byte a precomposed nukta form is written with (before 0xE9). The Indic
    // blocks use the first 128 entries, Tibetan all 256.
    std::array<unsigned char, 256> fromBlock{};
    std::array<unsigned char, 256> fromBlockNukta{};
    // fromBlock for the letters that never take a joiner after them (all
    // but the virama) and never look back (all but Gurmukhi's nukta), in
    // the Brahmic scripts; 0 elsewhere.
    std::array<unsigned char, 128> fastFromBlock{};
};

const ScriptTables& TablesFor(UnicodeScript script);

// Gurmukhi: the nasal sign 0xA2 is tippi after these letters, bindi elsewhere.
bool TakesTippi(char16_t previous);
inline constexpr char16_t kGurmukhiBindi = 0x0A02;
inline constexpr char16_t kGurmukhiTippi = 0x0A70;
inline constexpr char16_t kGurmukhiAddak = 0x0A71;
inline constexpr char16_t kGurmukhiRra = 0x0A5C;
inline constexpr char16_t kGurmukhiHa = 0x0A39;

// Devanagari: the letter a followed by the short e sign is the short a.
inline constexpr unsigned char kIsciiShortA = 0xA4;
inline constexpr unsigned char kIsciiShortE = 0xE0;
inline constexpr char16_t kDevanagariShortA = 0x0904;

// Tibetan: the subjoined form of a head letter, and the tsheg.
inline constexpr char16_t kTsheg = 0x0F0B;
inline constexpr char16_t kNonBreakingTsheg = 0x0F0C;
bool IsTibetanStackPart(char16_t c);  // letter, subjoined letter or vowel sign

}  // namespace vexa::script::unicode
