#pragma once

#include <windows.h>
// The seam's Surface::TextOut is not the Win32 macro.
#undef TextOut

#include "common/script_fonts.h"
#include "win32/seam/win32_graphics.h"

namespace vexa::win32 {

// A control window's fonts for its script: the three fonts and their width
// tables in `fonts` (made by `factory`), and the script font as the
// window's own font. Nothing without a window.
struct FontRebuild {
    bool underline = false;  // a hyperlink's fonts
    bool redraw = false;     // the window repaints with its new font at once
};
void RebuildFont(HWND hwnd, common::ScriptFonts& fonts, Win32Fonts& factory,
                 const common::DrawingScript& script, FontRebuild how = {});

}  // namespace vexa::win32
