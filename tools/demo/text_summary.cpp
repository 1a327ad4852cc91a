#include "text_summary.h"

#include <cstdio>

namespace vexa::demo {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Walks the UTF-16 text by code point.
template <typename F>
void ForEachCodePoint(std::u16string_view text, F f) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        f(c);
    }
}

}  // namespace

std::optional<std::string> UnescapeLogged(std::string_view logged) {
    std::string out;
    for (std::size_t i = 0; i < logged.size(); ++i) {
        if (logged[i] != '\\') {
            out += logged[i];
            continue;
        }
        if (i + 3 >= logged.size() || logged[i + 1] != 'x') return std::nullopt;
        int high = HexDigit(logged[i + 2]);
        int low = HexDigit(logged[i + 3]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 3;
    }
    return out;
}

std::string HexBytes(std::string_view bytes) {
    std::string out;
    char buffer[4];
    for (unsigned char b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X ", b);
        out += buffer;
    }
    if (!out.empty()) out.pop_back();
    return out;
}

std::string Utf8(std::u16string_view text) {
    std::string out;
    ForEachCodePoint(text, [&](char32_t c) { AppendUtf8(out, c); });
    return out;
}

std::string CodePoints(std::u16string_view text) {
    std::string out;
    char buffer[12];
    ForEachCodePoint(text, [&](char32_t c) {
        std::snprintf(buffer, sizeof buffer, "U+%04X ", static_cast<unsigned>(c));
        out += buffer;
    });
    if (!out.empty()) out.pop_back();
    return out;
}

}  // namespace vexa::demo
