#include "defaults/archive_bytes.h"

namespace vexa::defaults {

void AppendLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void AppendArchiveString(std::string& out, std::string_view s) {
    const std::size_t n = s.size();
    if (n < 0xFF) {
        AppendLe(out, static_cast<std::uint32_t>(n), 1);
    } else if (n < 0xFFFE) {
        AppendLe(out, 0xFF, 1);
        AppendLe(out, static_cast<std::uint32_t>(n), 2);
    } else {
        AppendLe(out, 0xFF, 1);
        AppendLe(out, 0xFFFF, 2);
        AppendLe(out, static_cast<std::uint32_t>(n), 4);
    }
    out.append(s);
}

bool ArchiveReader::Le(std::uint32_t& value, int count) {
    if (bytes_.size() - pos_ < static_cast<std::size_t>(count)) return false;
    value = 0;
    for (int i = 0; i < count; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[pos_ + i])) << (8 * i);
    pos_ += count;
    return true;
}

bool ArchiveReader::String(std::string& out) {
    std::uint32_t length = 0;
    if (!Le(length, 1)) return false;
    if (length == 0xFF) {
        if (!Le(length, 2)) return false;
        if (length == 0xFFFF && !Le(length, 4)) return false;
    }
    if (length > bytes_.size() - pos_) return false;  // never past the data
    out.assign(bytes_.substr(pos_, length));
    pos_ += length;
    return true;
}

bool ArchiveReader::Skip(std::string_view prefix) {
    if (bytes_.substr(pos_, prefix.size()) != prefix) return false;
    pos_ += prefix.size();
    return true;
}

}  // namespace vexa::defaults
