#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "platform/control_window.h"
#include "platform/graphics.h"

namespace vexa::common {

// The three fonts a font-code run is drawn in, selected by its switch bytes.
enum class FontSlot { Script = 0, English = 1, Extension = 2 };

// The script, faces and size a control draws its text with.
struct DrawingScript {
    std::string scriptName = "English";
    std::string scriptFace = "Roman";   // the FontName property
    std::string englishFace = "Roman";
    int fontSize = 12;                  // points
    int fontType = 0;                   // 0 bilingual, 1 monolingual
    int keyboardType = 0;               // 0 Inscript, 1 Phonetic, 2 Typewriter
    bool disableEnglish = false;
    bool englishScript = true;          // no converter: every byte is one character

    bool IsTibetan() const { return scriptName == "Tibetan" || scriptName == "Bhutanese"; }
};

// Fonts, width tables and line height of one control. Widths are looked up
// in the tables only; the font system is asked for them when the tables are
// rebuilt (font, size, script or password change).
class ScriptFonts {
public:
    using Table = platform::CharWidthTable;

    // Fills the three font descriptions for `pointSize` on `surface`.
    void MakeFontDescriptions(platform::Surface& surface, const DrawingScript& script,
                              int pointSize);
    // Underlines the three fonts (a hyperlink's text); between
    // MakeFontDescriptions and BuildWidthTables.
    void SetUnderline(bool on) {
        for (platform::FontDescription& d : descriptions_) d.underline = on;
    }
    // Creates the three fonts from their descriptions and reads the width
    // tables with the patches for tabs, line ends and (Tibetan) spaces; in
    // password mode every glyph measures as an asterisk. The extension
    // table is only read when `readExtension` is set.
    void BuildWidthTables(platform::Fonts& fonts, platform::Surface& surface,
                          const DrawingScript& script, bool password, bool readExtension);

    // Width of the first `maxBytes` bytes of a font-code run (all of it for
    // -1), stopping at a line-end byte. A tab advances to the next multiple
    // of 100 counted from the run's start.
    int MeasureRun(std::string_view run, long maxBytes = -1) const;

    int LineHeight() const { return lineHeight_; }
    const platform::FontDescription& Description(FontSlot slot) const {
        return descriptions_[static_cast<int>(slot)];
    }
    const platform::Font* FontOf(FontSlot slot) const {
        return fonts_[static_cast<int>(slot)].get();
    }
    const Table& Widths(FontSlot slot) const { return tables_[static_cast<int>(slot)]; }
    bool Built() const { return built_; }

    // Set by the owner: the Tibetan space width from a context with no font.
    void SetTibetanSpace(bool tibetan, int systemWidthOfA1) {
        tibetan_ = tibetan;
        tibetanSpace_ = systemWidthOfA1;
    }

private:
    std::array<platform::FontDescription, 3> descriptions_{};
    std::array<std::unique_ptr<platform::Font>, 3> fonts_{};
    std::array<Table, 3> tables_{};
    int lineHeight_ = 0;
    bool built_ = false;
    bool tibetan_ = false;
    int tibetanSpace_ = 0;
};

}  // namespace vexa::common
