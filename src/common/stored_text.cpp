#include "common/stored_text.h"

namespace vexa::common {

std::string FilterOwnText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        bool hasNext = i + 1 < text.size();
        unsigned char next = hasNext ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (b == 0xF0 && hasNext && next >= 0xA1) {
            out += text.substr(i, 2);
            ++i;
        } else if (b == 0x1F || b == 0xEF || b == 0xF0) {
            if (hasNext) ++i;  // goes with the byte after it
        } else if (b == 0x0A) {
            if (i != 0 && text[i - 1] != '\x0D') out += '\x0D';
            out += '\x0A';
        } else if (b == 0x0D || b == 0x04 || b == 0x05 || b == 0x1D || b == 0x09 ||
                   (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xEA) ||
                   (b >= 0xF1 && b <= 0xFA)) {
            out += static_cast<char>(b);
        }
    }
    return out;
}

}  // namespace vexa::common
