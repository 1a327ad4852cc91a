#include "sim/sim_fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <fstream>

namespace vexa::sim {

SimFonts::SimFonts() : default_(Uniform(10)), system_(Uniform(8)) {}

platform::CharWidthTable SimFonts::Uniform(int width) {
    platform::CharWidthTable table;
    table.fill(width);
    return table;
}

std::unique_ptr<platform::Font> SimFonts::Create(const platform::FontDescription& description) {
    ++created_;
    return std::make_unique<SimFont>(description);
}

void SimFonts::SetWidths(const std::string& face, const platform::CharWidthTable& widths) {
    tables_[face] = widths;
}

bool SimFonts::AddFontFile(const std::string& face, const std::string& path) {
    if (!std::ifstream(path, std::ios::binary)) return false;
    files_[face] = path;
    return true;
}

namespace {

// Advance widths in pixels of the 256 codes of an 8-bit font at a cell
// height (ascent plus descent), rounded as the rasteriser rounds advances.
platform::CharWidthTable ReadWidths(const std::string& path, int height) {
    platform::CharWidthTable widths{};
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return widths;
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) == 0) {
        for (int i = 0; i < face->num_charmaps; ++i) {
            if (face->charmaps[i]->encoding == FT_ENCODING_MS_SYMBOL) {
                FT_Set_Charmap(face, face->charmaps[i]);
            }
        }
        const double cell = static_cast<double>(face->ascender - face->descender);
        const double em = cell > 0 ? height * face->units_per_EM / cell : height;
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::lround(std::max(1.0, em))));
        for (int b = 0; b < 256; ++b) {
            FT_UInt glyph = FT_Get_Char_Index(face, 0xF000u + static_cast<unsigned>(b));
            if (glyph == 0) glyph = FT_Get_Char_Index(face, static_cast<unsigned>(b));
            if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) == 0) {
                widths[static_cast<std::size_t>(b)] =
                    static_cast<int>((face->glyph->advance.x + 32) >> 6);
            }
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return widths;
}

}  // namespace

const platform::CharWidthTable& SimFonts::WidthsOf(const std::string* face, int height) const {
    if (face == nullptr) return system_;
    if (auto file = files_.find(*face); file != files_.end()) {
        const auto key = std::make_pair(*face, height);
        auto cached = fileTables_.find(key);
        if (cached == fileTables_.end()) {
            cached = fileTables_.emplace(key, ReadWidths(file->second, height)).first;
        }
        return cached->second;
    }
    auto it = tables_.find(*face);
    return it == tables_.end() ? default_ : it->second;
}

}  // namespace vexa::sim
