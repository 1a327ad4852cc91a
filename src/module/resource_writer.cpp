#include "module/resource_writer.h"

#include <array>
#include <cstdint>
#include <sstream>

#include "module/class_table.h"

namespace vexa::module {

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

// Pictures drawn with the palette indices 0 black, 7 silver, 8 grey, 15 white
// ('.' is the silver background).
using Picture = std::array<const char*, kHeight>;

constexpr std::array<Picture, 7> kPictures{{
    // 1 VEdit: a text box with a caret
    {"................", "................", "8888888888888888", "8ffffffffffffff8",
     "8ff0fffffffffff8", "8ff0f000f00ffff8", "8ff0ffffffffff f", "8ff0f00f000ffff8",
     "8ffffffffffffff8", "8888888888888888", "................", "................",
     "................", "................", "................"},
    // 2 VPushButton
    {"................", "................", "ffffffffffffff0.", "f7777777777778 0",
     "f7777777777778 0", "f7777000077778 0", "f7777777777778 0", "f7777777777778 0",
     "f8888888888888 0", "000000000000000.", "................", "................",
     "................", "................", "................"},
    // 3 VCheckBox
    {"................", "................", "................", "88888888........",
     "8ffffff8........", "8ffff0f8..000000", "80ff00f8........", "800f0ff8..000000",
     "8f000ff8........", "8ff0fff8........", "88888888........", "................",
     "................", "................", "................"},
    // 4 VRadioButton
    {"................", "................", "................", "..8888..........",
     ".8ffff8.........", "8ff00ff8..000000", "8f0000f8........", "8f0000f8..000000",
     "8ff00ff8........", ".8ffff8.........", "..8888..........", "................",
     "................", "................", "................"},
    // 5 VGroupBox
    {"................", "8888.000000.8888", "8fff........fff8", "8f............f8",
     "8f............f8", "8f............f8", "8f............f8", "8f............f8",
     "8f............f8", "8f............f8", "8f............f8", "8888888888888888",
     "ffffffffffffffff", "................", "................"},
    // 6 VStatic: a letter A
    {"................", "................", "......00........", ".....0000.......",
     "....00..00......", "....00..00......", "...00....00.....", "...00000000.....",
     "..00......00....", "..00......00....", ".000......000...", "................",
     "................", "................", "................"},
    // 7 VListBox
    {"8888888888888888", "8ffffffffff8777f", "8f000000fff87078", "8ffffffffff87778",
     "8000000000087778", "8ffffffffff87778", "8f0000000ff87778", "8ffffffffff87778",
     "8f00000ffff87778", "8ffffffffff87778", "8f000000fff87078", "8ffffffffff8777f",
     "8888888888888888", "................", "................"},
}};

constexpr std::array<std::uint32_t, 16> kPalette{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

int Index(char c) {
    switch (c) {
        case '0': return 0;
        case '8': return 8;
        case 'f': return 15;
        default: return 7;  // background and anything else
    }
}

void Le(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string WriteStringTable() {
    std::ostringstream out;
    out << "// Generated from the class table; do not edit.\nSTRINGTABLE\nBEGIN\n";
    for (const FactoryEntry& f : Factories())
        out << "    " << f.nameStringId << ", \"" << f.name << "\"\n";
    out << "    15, \"" << kComboBoxTypeName << "\"\nEND\n";
    return out.str();
}

std::string WriteToolboxBitmap(int bitmapId) {
    const Picture& picture = kPictures.at(bitmapId - 1);
    const int rowBytes = 8;  // 16 pixels at 4 bits, already a multiple of 4
    const int imageSize = rowBytes * kHeight;
    const int offset = 14 + 40 + 16 * 4;
    std::string out = "BM";
    Le(out, offset + imageSize, 4);
    Le(out, 0, 4);
    Le(out, offset, 4);
    Le(out, 40, 4);
    Le(out, kWidth, 4);
    Le(out, kHeight, 4);
    Le(out, 1, 2);
    Le(out, 4, 2);
    Le(out, 0, 4);
    Le(out, imageSize, 4);
    Le(out, 2835, 4);
    Le(out, 2835, 4);
    Le(out, 16, 4);
    Le(out, 0, 4);
    for (std::uint32_t rgb : kPalette) Le(out, ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16), 4);
    for (int y = kHeight - 1; y >= 0; --y) {  // bottom-up rows
        const char* row = picture[y];
        for (int x = 0; x < kWidth; x += 2)
            out += static_cast<char>((Index(row[x]) << 4) | Index(row[x + 1]));
    }
    return out;
}

}  // namespace vexa::module
