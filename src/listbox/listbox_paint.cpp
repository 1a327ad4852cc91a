#include "listbox/listbox_paint.h"

#include "common/run_painter.h"

namespace vexa::listbox {

void PaintItem(platform::Surface& surface, const common::ScriptFonts& fonts,
               std::string_view scriptName, std::string_view run, const platform::Rect& row,
               bool selected, const ItemColours& colours) {
    surface.Fill(row, selected ? colours.highlight : colours.back);
    if (!fonts.Built()) return;
    surface.SetTextColour(selected ? colours.highlightText : colours.fore);
    surface.SetBackColour(selected ? colours.highlight : colours.back);
    surface.SetTransparent(true);
    common::DrawFontCodeRun(surface, fonts, scriptName, run, row.left, row.top, true);
}

int PaintPage(platform::Surface& surface, ListBoxLogic& logic, const common::ScriptFonts& fonts,
              const ListWindow& list, const platform::Rect& client, const ItemColours& colours) {
    surface.Fill(client, colours.back);
    const int height = logic.ItemHeight();
    if (height <= 0) return 0;
    const std::string scriptName = logic.Drawing().scriptName;
    int rows = 0;
    for (int i = list.TopIndex(), y = client.top; i < list.Count() && y < client.bottom;
         ++i, y += height, ++rows) {
        const platform::Rect row{client.left, y, client.right, y + height};
        PaintItem(surface, fonts, scriptName, logic.ItemRun(i), row, list.IsSelected(i), colours);
    }
    return rows;
}

}  // namespace vexa::listbox
