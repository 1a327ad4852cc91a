#include "statics/static_paint.h"

#include "common/run_painter.h"

namespace vexa::statics {

int LineLeft(const platform::Rect& client, int width, int alignment) {
    switch (alignment) {
        case 0: return client.left;
        case 1: return client.left + (client.Width() - width) / 2;
        default: return client.right - width;
    }
}

void PaintStatic(platform::Surface& surface, const common::ScriptFonts& fonts,
                 std::string_view scriptName, const std::vector<std::string>& runs,
                 const platform::Rect& client, int alignment, platform::Colour back,
                 platform::Colour text) {
    surface.Fill(client, back);
    if (!fonts.Built()) return;
    surface.SetTransparent(true);
    surface.SetTextColour(text);
    const int step = fonts.Description(common::FontSlot::Script).height;
    int y = client.top;
    for (const std::string& run : runs) {
        if (!run.empty()) {
            const int x = LineLeft(client, fonts.MeasureRun(run), alignment);
            common::DrawFontCodeRun(surface, fonts, scriptName, run, x, y, true);
        }
        y += step;
        if (y >= client.bottom) break;
    }
    surface.SelectFont(nullptr);
}

}  // namespace vexa::statics
