#include "sim/sim_keyboard.h"

#include <array>

namespace vexa::sim {

namespace {

struct KeyRow {
    int virtualKey;
    int scanCode;
    char plain;    // 0: the key types no character
    char shifted;
};

// The US layout: virtual key, scan code and the characters of the key.
constexpr std::array<KeyRow, 63> kKeys{{
    {0x1B, 1, 0x1B, 0x1B}, {'1', 2, '1', '!'},   {'2', 3, '2', '@'},   {'3', 4, '3', '#'},
    {'4', 5, '4', '$'},    {'5', 6, '5', '%'},   {'6', 7, '6', '^'},   {'7', 8, '7', '&'},
    {'8', 9, '8', '*'},    {'9', 10, '9', '('},  {'0', 11, '0', ')'},  {0xBD, 12, '-', '_'},
    {0xBB, 13, '=', '+'},  {0x08, 14, 0x08, 0x08}, {0x09, 15, 0x09, 0x09}, {'Q', 16, 'q', 'Q'},
    {'W', 17, 'w', 'W'},   {'E', 18, 'e', 'E'},  {'R', 19, 'r', 'R'},  {'T', 20, 't', 'T'},
    {'Y', 21, 'y', 'Y'},   {'U', 22, 'u', 'U'},  {'I', 23, 'i', 'I'},  {'O', 24, 'o', 'O'},
    {'P', 25, 'p', 'P'},   {0xDB, 26, '[', '{'}, {0xDD, 27, ']', '}'}, {0x0D, 28, 0x0D, 0x0D},
    {'A', 30, 'a', 'A'},   {'S', 31, 's', 'S'},  {'D', 32, 'd', 'D'},  {'F', 33, 'f', 'F'},
    {'G', 34, 'g', 'G'},   {'H', 35, 'h', 'H'},  {'J', 36, 'j', 'J'},  {'K', 37, 'k', 'K'},
    {'L', 38, 'l', 'L'},   {0xBA, 39, ';', ':'}, {0xDE, 40, '\'', '"'}, {0xC0, 41, '`', '~'},
    {0x10, 42, 0, 0},      {0xDC, 43, '\\', '|'}, {'Z', 44, 'z', 'Z'}, {'X', 45, 'x', 'X'},
    {'C', 46, 'c', 'C'},   {'V', 47, 'v', 'V'},  {'B', 48, 'b', 'B'},  {'N', 49, 'n', 'N'},
    {'M', 50, 'm', 'M'},   {0xBC, 51, ',', '<'}, {0xBE, 52, '.', '>'}, {0xBF, 53, '/', '?'},
    {0x20, 57, ' ', ' '},  {0x14, 58, 0, 0},     {0x70, 59, 0, 0},     {0x90, 69, 0, 0},
    {0x24, 71, 0, 0},      {0x26, 72, 0, 0},     {0x21, 73, 0, 0},     {0x25, 75, 0, 0},
    {0x27, 77, 0, 0},      {0x23, 79, 0, 0},     {0x28, 80, 0, 0},
}};

const KeyRow* Find(int virtualKey) {
    for (const KeyRow& row : kKeys) {
        if (row.virtualKey == virtualKey) return &row;
    }
    return nullptr;
}

}  // namespace

void SimKeyboard::SetDown(int virtualKey, bool down) {
    if (down) {
        down_.insert(virtualKey);
    } else {
        down_.erase(virtualKey);
    }
}

void SimKeyboard::SetToggled(int virtualKey, bool on) {
    if (on) {
        toggled_.insert(virtualKey);
    } else {
        toggled_.erase(virtualKey);
    }
}

int SimKeyboard::ScanCode(int virtualKey) const {
    const KeyRow* row = Find(virtualKey);
    return row == nullptr ? 0 : row->scanCode;
}

std::string SimKeyboard::CharacterOf(int virtualKey, int scanCode, bool forceShift) const {
    (void)scanCode;
    const KeyRow* row = Find(virtualKey);
    if (row == nullptr || row->plain == 0) return {};
    bool shift = forceShift || IsDown(platform::kVkShift);
    bool letter = row->plain >= 'a' && row->plain <= 'z';
    // Caps Lock shifts letters only, as on Windows.
    if (letter && IsToggled(platform::kVkCapital)) shift = !shift;
    return std::string(1, shift ? row->shifted : row->plain);
}

}  // namespace vexa::sim
