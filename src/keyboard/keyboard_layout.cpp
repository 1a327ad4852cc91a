#include "keyboard/keyboard_layout.h"

namespace vexa::keyboard {

namespace {

struct Row {
    int scanCode;
    KeyText plain;
    KeyText shifted;
    KeyText vedic;
};

constexpr KeyText kNone{};

template <std::size_t N>
KeyboardLayout Build(const Row (&rows)[N]) {
    KeyboardLayout layout{};
    for (const Row& row : rows) {
        layout[static_cast<std::size_t>(row.scanCode)] = {row.plain, row.shifted, row.vedic};
    }
    return layout;
}

// Conjuncts on the digit row are consonant + virama (0xE8) + consonant;
// every Vedic output is the extension byte 0xF0 and one byte.
const Row kInscriptRows[] = {
    {1, {0x1B}, {0xD9}, {0x1B}},
    {2, {0x31}, {0xAE}, {0xF0, 0xB2}},
    {3, {0x32}, {0xE3}, kNone},
    {4, {0x33}, {0xE8, 0xCF}, {0xF0, 0xB3}},
    {5, {0x34}, {0xCF, 0xE8}, kNone},
    {6, {0x35}, {0xBA, 0xE8, 0xBC}, kNone},
    {7, {0x36}, {0xC2, 0xE8, 0xCF}, kNone},
    {8, {0x37}, {0xB3, 0xE8, 0xD6}, kNone},
    {9, {0x38}, {0xD5, 0xE8, 0xCF}, {0xF0, 0xAF}},
    {10, {0x39}, {0x28}, {0xF0, 0xB0}},
    {11, {0x30}, {0x29}, kNone},
    {12, {0x2D}, {0xA3}, {0xF0, 0xA2}},
    {13, {0xDF}, {0xAA}, kNone},
    {16, {0xE6}, {0xB1}, {0xF0, 0xBE}},
    {17, {0xE2}, {0xAD}, {0xF0, 0xBA}},
    {18, {0xDA}, {0xA5}, {0xF0, 0xB7}},
    {19, {0xDC}, {0xA7}, {0xF0, 0xB6}},
    {20, {0xDE}, {0xA9}, kNone},
    {21, {0xCA}, {0xCB}, {0xF0, 0xAB}},
    {22, {0xD8}, {0xB7}, {0xF0, 0xAC}},
    {23, {0xB5}, {0xB6}, {0xF0, 0xA1}},
    {24, {0xC4}, {0xC5}, {0xF0, 0xA9}},
    {25, {0xBA}, {0xBB}, {0xF0, 0xAA}},
    {26, {0xBF}, {0xC0}, {0xF0, 0xA8}},
    {27, {0xE9}, {0xBC}, kNone},
    {30, {0xE5}, {0xB0}, {0xF0, 0xBC}},
    {31, {0xE1}, {0xAC}, {0xF0, 0xB9}},
    {32, {0xE8}, {0xA4}, {0xF0, 0xB8}},
    {33, {0xDB}, {0xA6}, {0xF0, 0xB5}},
    {34, {0xDD}, {0xA8}, {0xF0, 0xBB}},
    {35, {0xC8}, {0xC9}, {0xF0, 0xA3}},
    {36, {0xCF}, {0xD0}, {0xF0, 0xA5}},
    {37, {0xB3}, {0xB4}, {0xF0, 0xA6}},
    {38, {0xC2}, {0xC3}, {0xF0, 0xA7}},
    {39, {0xB8}, {0xB9}, {0xF0, 0xB1}},
    {40, {0xBD}, {0xBE}, kNone},
    {41, {0xE4}, {0xAF}, kNone},
    {43, {0xE7}, {0xB2}, kNone},
    {44, {0xE0}, {0xAB}, kNone},
    {45, {0xA2}, {0xA1}, kNone},
    {46, {0xCC}, {0xC1}, kNone},
    {47, {0xC6}, {0xC7}, {0xF0, 0xB4}},
    {48, {0xD4}, {0xD3}, {0xF0, 0xAD}},
    {49, {0xD1}, {0xD2}, {0xF0, 0xAE}},
    {50, {0xD7}, {0xD5}, {0xF0, 0xA4}},
    {51, {0x2C}, {0xD6}, {0xF0, 0xBF}},
    {52, {0x2E}, {0xEA}, kNone},
    {53, {0xCD}, {0xCE}, kNone},
};

// The joiner 0xDA (the letter after it is subjoined, docs/tibetan-keyboard.md)
// stands after the letter in the shifted e, r and t keys (a head whose next
// letter goes below it) but before it in g, j, b and / (a subjoined letter).
const Row kTibetanRows[] = {
    {1, {0xDB}, {0xE7}, kNone},
    {2, {0x31}, kNone, kNone},
    {3, {0x32}, {0xE2}, kNone},
    {4, {0x33}, {0xE1}, kNone},
    {5, {0x34}, {0xE3}, kNone},
    {6, {0x35}, {0xE5}, kNone},
    {7, {0x36}, {0xE6}, kNone},
    {8, {0x37}, {0xDF}, kNone},
    {9, {0x38}, {0xE0}, kNone},
    {10, {0x39}, {0x28}, kNone},
    {11, {0x30}, {0x29}, kNone},
    {12, {0xDC}, {0xCE}, kNone},
    {13, {0xD4}, {0xD5}, kNone},
    {16, {0xD9}, kNone, kNone},
    {17, {0xD7}, kNone, kNone},
    {18, {0xCF}, {0xC5, 0xDA}, kNone},
    {19, {0xD1}, {0xC4, 0xDA}, kNone},
    {20, {0xD3}, {0xC8, 0xDA}, kNone},
    {21, {0xB8}, {0xB9}, kNone},
    {22, {0xC2}, {0xC9}, kNone},
    {23, {0xA4}, {0xA5}, kNone},
    {24, {0xB3}, {0xB4}, kNone},
    {25, {0xA9}, {0xAA}, kNone},
    {26, {0xAE}, {0xAF}, kNone},
    {27, {0xAB}, kNone, kNone},
    {30, {0xD8}, kNone, kNone},
    {31, {0xD6}, kNone, kNone},
    {32, {0xDA}, {0xCB}, kNone},
    {33, {0xD0}, {0xA1}, kNone},
    {34, {0xD2}, {0xDA, 0xC5}, kNone},
    {35, {0xB6}, {0xB7}, kNone},
    {36, {0xC4}, {0xDA, 0xC4}, kNone},
    {37, {0xA2}, {0xA3}, kNone},
    {38, {0xB1}, {0xB2}, kNone},
    {39, {0xA7}, {0xA8}, kNone},
    {40, {0xAC}, {0xAD}, kNone},
    {41, {0xDB}, {0xE7}, kNone},
    {43, {0xDD}, {0xDE}, kNone},
    {44, {0xC6}, {0xC7}, kNone},
    {45, {0xA6}, {0xCD}, kNone},
    {46, {0xBA}, {0xB0}, kNone},
    {47, {0xB5}, {0xCC}, kNone},
    {48, {0xBF}, {0xDA, 0xBF}, kNone},
    {49, {0xC5}, {0xC1}, kNone},
    {50, {0xC8}, {0xC0}, kNone},
    {51, {0xBB}, {0xBC}, kNone},
    {52, {0xBD}, {0xBE}, kNone},
    {53, {0xC3}, {0xDA, 0xC3}, kNone},
};

}  // namespace

KeyText KeyText::From(std::string_view bytes) {
    KeyText text;
    for (char c : bytes) {
        if (c == 0 || text.size_ == kMaxBytes) break;
        text.bytes_[text.size_++] = c;
    }
    return text;
}

const LayoutEntry* EntryOf(const KeyboardLayout& layout, int scanCode) {
    if (scanCode < 0 || scanCode >= kLayoutKeys) return nullptr;
    return &layout[static_cast<std::size_t>(scanCode)];
}

const KeyboardLayout& InscriptLayout() {
    static const KeyboardLayout layout = Build(kInscriptRows);
    return layout;
}

const KeyboardLayout& TibetanLayout() {
    static const KeyboardLayout layout = Build(kTibetanRows);
    return layout;
}

// One copy each for the whole process, shared by the controls of a kind
// without locks: every control runs on its container's user-interface thread.
KeyboardLayout& EditFileLayout() {
    static KeyboardLayout layout{};
    return layout;
}

KeyboardLayout& ListFileLayout() {
    static KeyboardLayout layout{};
    return layout;
}

}  // namespace vexa::keyboard
