#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vexa::defaults {

// The byte format shared by the settings files and the controls' saved
// property streams: little-endian numbers, and archive strings (a length byte
// below 255; else 0xFF and a 16-bit length below 0xFFFE; else 0xFF 0xFFFF and
// a 32-bit length), then the bytes.

// `value`'s low `bytes` bytes, least significant first.
void AppendLe(std::string& out, std::uint32_t value, int bytes);

void AppendArchiveString(std::string& out, std::string_view s);

// Reads numbers and archive strings from the front of `bytes`; each read
// fails (and moves nothing past the data) when the data ends inside it.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}
    bool Le(std::uint32_t& value, int count);
    bool String(std::string& out);
    // Passes over `prefix` when the data starts with it.
    bool Skip(std::string_view prefix);
    std::size_t Position() const { return pos_; }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

}  // namespace vexa::defaults
