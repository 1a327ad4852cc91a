#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string_view>

namespace vexa::keyboard {

// The output of one key in one state: 0 to 8 bytes, never a 0x00 byte (the
// stored form is NUL-terminated in 9 bytes).
class KeyText {
public:
    static constexpr std::size_t kMaxBytes = 8;

    constexpr KeyText() = default;
    constexpr KeyText(std::initializer_list<int> bytes) {
        for (int b : bytes) {
            if (size_ == kMaxBytes || b == 0) break;
            bytes_[size_++] = static_cast<char>(b);
        }
    }
    // Takes `bytes` up to its first 0x00 byte, cut at 8 bytes.
    static KeyText From(std::string_view bytes);

    constexpr std::size_t Size() const { return size_; }
    constexpr bool Empty() const { return size_ == 0; }
    std::string_view View() const { return {bytes_.data(), size_}; }
    // The stored form: the bytes, then 0x00.
    const char* CString() const { return bytes_.data(); }

    friend bool operator==(const KeyText& a, const KeyText& b) { return a.View() == b.View(); }

private:
    std::array<char, kMaxBytes + 1> bytes_{};
    std::size_t size_ = 0;
};

// What one key gives without and with Shift, and for the script "Vedic"
// with Num Lock on (only the built-in Inscript layout fills that column).
struct LayoutEntry {
    KeyText plain;
    KeyText shifted;
    KeyText vedic;

    friend bool operator==(const LayoutEntry&, const LayoutEntry&) = default;
};

// Keys of the main block by set-1 scan code, 0 to 53: 2-13 the digit row,
// 16-27 the Q row, 30-41 the A row with the grave key at 41, 43 the
// backslash key, 44-53 the Z row. Keys with scan codes of 54 or above have
// no entry.
inline constexpr int kLayoutKeys = 54;
using KeyboardLayout = std::array<LayoutEntry, kLayoutKeys>;

// The entry of `scanCode`, or null when the key has none.
const LayoutEntry* EntryOf(const KeyboardLayout& layout, int scanCode);

// The Inscript layout of the Indian scripts, with its Vedic column.
const KeyboardLayout& InscriptLayout();
// The layout of the scripts "Tibetan" and "Bhutanese" (no Vedic column).
const KeyboardLayout& TibetanLayout();

// The layouts read from layout files: one for all edit controls of the
// process and one for all list boxes. Empty until a file has been read; each
// successful read replaces the whole layout.
KeyboardLayout& EditFileLayout();
KeyboardLayout& ListFileLayout();

}  // namespace vexa::keyboard
