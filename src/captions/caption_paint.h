#pragma once

#include <cstdint>
#include <string_view>

#include "common/script_fonts.h"
#include "platform/geometry.h"
#include "platform/graphics.h"

namespace vexa::captions {

// The system colours a button is drawn in (plain RGB values).
struct ButtonColours {
    platform::Colour face = 0xC0C0C0;
    platform::Colour highlight = 0xFFFFFF;
    platform::Colour shadow = 0x808080;
    platform::Colour darkShadow = 0x000000;
    platform::Colour text = 0x000000;
    platform::Colour grayText = 0x808080;
    platform::Colour window = 0xFFFFFF;  // inside the check box and the radio circle
};

// The state of the button at the time of painting.
struct ButtonState {
    int check = 0;
    bool pressed = false;
    bool focused = false;
    bool enabled = true;
    bool isDefault = false;  // the container's default button: a dark frame
};

// Where the parts of a check box or radio button go: the box and the text's
// top-left corner.
struct CheckLayout {
    platform::Rect box;
    platform::Point text;
};
// The box and the gap after it at 96 DPI; both grow with the display's
// resolution (`dpi`, the surface's LogPixelsY).
inline constexpr int kCheckBoxSize = 13;
inline constexpr int kCheckGap = 4;

CheckLayout LayoutCheck(const platform::Rect& client, bool leftText, int textWidth,
                        int textHeight, int dpi);

// Paints a caption control of the given button style (kind and style bits)
// into `client`: the push button's raised frame with the caption centred,
// the check box or radio button with its box and the caption beside it, a
// push-like check or radio button as a push button that stays pressed while
// checked, or the group box's etched frame with the caption on its top
// edge. The caption is a font-code run, drawn with the three fonts.
void PaintCaption(platform::Surface& surface, const common::ScriptFonts& fonts,
                  std::string_view scriptName, std::string_view run,
                  const platform::Rect& client, std::uint32_t style, const ButtonState& state,
                  const ButtonColours& colours);

}  // namespace vexa::captions
