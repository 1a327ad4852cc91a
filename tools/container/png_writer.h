#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vexa::container {

// A PNG file of an 8-bit RGB image (rows top to bottom, 3 bytes a pixel),
// compressed with stored deflate blocks only: large, but exact and needing
// no compression library.
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb);

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size);

}  // namespace vexa::container
