#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "keyboard/keyboard_layout.h"

namespace vexa::keyboard {

// A layout file: 54 plain fields of 8 bytes, then 54 shifted fields of 8
// bytes, one per scan code. A field holds its bytes up to its first 0x00
// byte, or all 8 bytes when it has none. No header, no Vedic column.
inline constexpr std::size_t kLayoutFieldSize = 8;
inline constexpr std::size_t kLayoutFileSize = 2 * kLayoutKeys * kLayoutFieldSize;  // 864

// Sets every entry of `target` from the first 864 bytes of `bytes` (bytes
// after them are ignored) and clears its Vedic column. Fewer than 864 bytes:
// returns false and leaves `target` as it was.
bool ReadLayoutFile(std::string_view bytes, KeyboardLayout& target);

// The 864-byte file of a layout; unused bytes of a field are 0x00.
std::string WriteLayoutFile(const KeyboardLayout& layout);

}  // namespace vexa::keyboard
