#include "devanagari_iscii.h"

#include <cstdint>
#include <vector>

namespace vexa::test {

namespace {

// Decodes UTF-8; nothing on a malformed sequence.
std::optional<std::vector<std::uint32_t>> Decode(std::string_view s) {
    std::vector<std::uint32_t> out;
    std::size_t i = 0;
    while (i < s.size()) {
        auto b = static_cast<unsigned char>(s[i++]);
        std::size_t extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : 9;
        if (extra == 9 || i + extra > s.size()) return std::nullopt;
        std::uint32_t cp = extra == 0 ? b : (b & (0x7Fu >> (extra + 1)));
        for (std::size_t k = 0; k < extra; ++k) {
            auto c = static_cast<unsigned char>(s[i++]);
            if ((c >> 6) != 2) return std::nullopt;
            cp = (cp << 6) | (c & 0x3Fu);
        }
        out.push_back(cp);
    }
    return out;
}

std::string Of(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
}

// One code point; nothing when ISCII has no code for it.
std::optional<std::string> Map(std::uint32_t c) {
    if (c >= 0x0901 && c <= 0x0903) return Of({static_cast<int>(0xA1 + c - 0x0901)});
    if (c >= 0x0905 && c <= 0x090B) return Of({static_cast<int>(0xA4 + c - 0x0905)});
    if (c >= 0x0915 && c <= 0x0928) return Of({static_cast<int>(0xB3 + c - 0x0915)});
    if (c >= 0x092A && c <= 0x092F) return Of({static_cast<int>(0xC8 + c - 0x092A)});
    if (c >= 0x0932 && c <= 0x0939) return Of({static_cast<int>(0xD1 + c - 0x0932)});
    if (c >= 0x093E && c <= 0x0943) return Of({static_cast<int>(0xDA + c - 0x093E)});
    if (c >= 0x0966 && c <= 0x096F) return Of({static_cast<int>(0xF1 + c - 0x0966)});
    if (c >= 0x0958 && c <= 0x095E) {
        static constexpr int kBase[] = {0xB3, 0xB4, 0xB5, 0xBA, 0xBF, 0xC0, 0xC9};
        return Of({kBase[c - 0x0958], 0xE9});
    }
    switch (c) {
        case 0x090E: return Of({0xAB});
        case 0x090F: return Of({0xAC});
        case 0x0910: return Of({0xAD});
        case 0x090D: return Of({0xAE});
        case 0x0912: return Of({0xAF});
        case 0x0913: return Of({0xB0});
        case 0x0914: return Of({0xB1});
        case 0x0911: return Of({0xB2});
        case 0x0929: return Of({0xC7});
        case 0x095F: return Of({0xCE});
        case 0x0930: return Of({0xCF});
        case 0x0931: return Of({0xD0});
        case 0x0946: return Of({0xE0});
        case 0x0947: return Of({0xE1});
        case 0x0948: return Of({0xE2});
        case 0x0945: return Of({0xE3});
        case 0x094A: return Of({0xE4});
        case 0x094B: return Of({0xE5});
        case 0x094C: return Of({0xE6});
        case 0x0949: return Of({0xE7});
        case 0x094D: return Of({0xE8});
        case 0x093C: return Of({0xE9});
        case 0x0964: return Of({0xEA});
        case 0x090C: return Of({0xA6, 0xE9});
        case 0x0961: return Of({0xA7, 0xE9});
        case 0x0960: return Of({0xAA, 0xE9});
        case 0x0962: return Of({0xDB, 0xE9});
        case 0x0963: return Of({0xDC, 0xE9});
        case 0x0944: return Of({0xDF, 0xE9});
        case 0x0950: return Of({0xA1, 0xE9});
        case 0x093D: return Of({0xEA, 0xE9});
        default: return std::nullopt;
    }
}

}  // namespace

std::optional<std::string> DevanagariToIscii(std::string_view utf8) {
    std::optional<std::vector<std::uint32_t>> points = Decode(utf8);
    if (!points || points->empty()) return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < points->size(); ++i) {
        std::uint32_t c = (*points)[i];
        // Virama + ZWNJ is the explicit virama, virama + ZWJ the soft one.
        if (c == 0x094D && i + 1 < points->size() &&
            ((*points)[i + 1] == 0x200C || (*points)[i + 1] == 0x200D)) {
            out += Of({0xE8, (*points)[i + 1] == 0x200C ? 0xE8 : 0xE9});
            ++i;
            continue;
        }
        std::optional<std::string> bytes = Map(c);
        if (!bytes) return std::nullopt;
        out += *bytes;
    }
    return out;
}

}  // namespace vexa::test
