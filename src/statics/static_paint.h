#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/script_fonts.h"
#include "platform/geometry.h"
#include "platform/graphics.h"

namespace vexa::statics {

// Where a line of `width` pixels starts in `client`: at the left edge for
// alignment 0, centred for 1, at the right edge for any other value.
int LineLeft(const platform::Rect& client, int width, int alignment);

// Paints the label: the bounds filled with the background colour, then
// each line (a font-code run) in the text colour, aligned, one font height
// below the other from the top (the text is not centred vertically).
void PaintStatic(platform::Surface& surface, const common::ScriptFonts& fonts,
                 std::string_view scriptName, const std::vector<std::string>& runs,
                 const platform::Rect& client, int alignment, platform::Colour back,
                 platform::Colour text);

}  // namespace vexa::statics
