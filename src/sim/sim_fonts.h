#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/graphics.h"

namespace vexa::sim {

// Fonts whose glyph widths come from tables the test gives, by face name
// (compared exactly). A face without a table uses the default table, and the
// context's own font (nothing selected) uses the system table.
class SimFonts : public platform::Fonts {
public:
    SimFonts();

    std::unique_ptr<platform::Font> Create(const platform::FontDescription& description) override;

    void SetWidths(const std::string& face, const platform::CharWidthTable& widths);
    // Takes the widths of `face` from a TrueType file (read with FreeType),
    // at the height of each font created: byte b is the glyph of U+F000 + b
    // in the file's symbol cmap, as the system maps 8-bit fonts. False when
    // the file cannot be read.
    bool AddFontFile(const std::string& face, const std::string& path);
    void SetSystemWidths(const platform::CharWidthTable& widths) { system_ = widths; }

    // Widths of a face at a cell height (the default table when none was
    // given); null face: the system table.
    const platform::CharWidthTable& WidthsOf(const std::string* face, int height = 0) const;

    int Created() const { return created_; }

    // A table with every code `width` pixels wide.
    static platform::CharWidthTable Uniform(int width);

private:
    std::map<std::string, platform::CharWidthTable> tables_;
    std::map<std::string, std::string> files_;
    mutable std::map<std::pair<std::string, int>, platform::CharWidthTable> fileTables_;
    platform::CharWidthTable default_{};
    platform::CharWidthTable system_{};
    int created_ = 0;
};

class SimFont : public platform::Font {
public:
    explicit SimFont(platform::FontDescription description)
        : description_(std::move(description)) {}
    const platform::FontDescription& Description() const override { return description_; }

private:
    platform::FontDescription description_;
};

}  // namespace vexa::sim
