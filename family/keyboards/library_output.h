#pragma once

#include <cstring>
#include <string>

#include "keyboard/keyboard_abi.h"

namespace vexa::family {

// Copies `result` into the caller's buffer, which holds at least
// 2 * inputLength + 32 bytes: never more than that, terminator included.
inline int PutOutput(const std::string& result, std::size_t inputLength, unsigned char* output) {
    std::size_t room = VEXA_KEYBOARD_OUTPUT_SIZE(inputLength) - 1;
    std::size_t n = result.size() < room ? result.size() : room;
    std::memcpy(output, result.data(), n);
    output[n] = 0;
    return static_cast<int>(n);
}

}  // namespace vexa::family
