#pragma once

#include <string_view>

#include "common/script_fonts.h"
#include "platform/graphics.h"

namespace vexa::common {

// Draws a font-code run at (x, y) with a control's three fonts: the switch
// bytes 0x02, 0x03 and 0x06 choose the English, script and extension font,
// the caret mark and other control bytes are not drawn, and in the Vedic
// faces the accents overprint the glyph before them. `transparent` draws
// without filling the glyph cells. Returns the width of the run, measured
// through the width tables as the controls lay text out.
int DrawFontCodeRun(platform::Surface& surface, const ScriptFonts& fonts,
                    std::string_view scriptName, std::string_view run, int x, int y,
                    bool transparent);

}  // namespace vexa::common
