#include "win32/framework/rebuild_font.h"

namespace vexa::win32 {

void RebuildFont(HWND hwnd, common::ScriptFonts& fonts, Win32Fonts& factory,
                 const common::DrawingScript& script, FontRebuild how) {
    if (!hwnd) return;
    Win32Surface surface(GetDC(hwnd), [hwnd](HDC dc) { ReleaseDC(hwnd, dc); });
    fonts.MakeFontDescriptions(surface, script, script.fontSize);
    fonts.SetUnderline(how.underline);
    surface.SelectFont(nullptr);
    fonts.SetTibetanSpace(script.IsTibetan(), surface.CharWidth(0xA1));
    fonts.BuildWidthTables(factory, surface, script, false, true);
    if (const auto* font = static_cast<const Win32Font*>(fonts.FontOf(common::FontSlot::Script)))
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font->Handle()), how.redraw);
}

}  // namespace vexa::win32
