#include "keyboard/layout_file.h"

namespace vexa::keyboard {

namespace {

KeyText Field(std::string_view bytes, std::size_t offset) {
    return KeyText::From(bytes.substr(offset, kLayoutFieldSize));
}

void PutField(std::string& file, std::size_t offset, const KeyText& text) {
    file.replace(offset, text.Size(), text.View());
}

constexpr std::size_t kShiftedOffset = kLayoutKeys * kLayoutFieldSize;

}  // namespace

bool ReadLayoutFile(std::string_view bytes, KeyboardLayout& target) {
    if (bytes.size() < kLayoutFileSize) return false;
    for (std::size_t s = 0; s < target.size(); ++s) {
        target[s].plain = Field(bytes, s * kLayoutFieldSize);
        target[s].shifted = Field(bytes, kShiftedOffset + s * kLayoutFieldSize);
        target[s].vedic = KeyText();
    }
    return true;
}

std::string WriteLayoutFile(const KeyboardLayout& layout) {
    std::string file(kLayoutFileSize, '\0');
    for (std::size_t s = 0; s < layout.size(); ++s) {
        PutField(file, s * kLayoutFieldSize, layout[s].plain);
        PutField(file, kShiftedOffset + s * kLayoutFieldSize, layout[s].shifted);
    }
    return file;
}

}  // namespace vexa::keyboard
