#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::script {

// 8-bit ISCII to the 7-bit form that spells each ISCII byte with one to three
// ASCII letters. An "x" marks the start of an Indian word: at the start of
// the text and after a space, a line end, a soft line end or a tab.
std::string EncodeSevenBit(std::string_view eightBit);

// The 7-bit form back to 8-bit ISCII, with no length limit. When `counts` is
// given it receives, for each output byte, how many input characters made it.
std::string DecodeSevenBit(std::string_view sevenBit, std::vector<std::uint8_t>* counts = nullptr);

}  // namespace vexa::script
