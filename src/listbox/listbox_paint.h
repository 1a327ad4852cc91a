#pragma once

#include <string_view>

#include "common/script_fonts.h"
#include "listbox/listbox_logic.h"
#include "platform/geometry.h"
#include "platform/graphics.h"

namespace vexa::listbox {

// The colours of an item row, already translated from OLE colours.
struct ItemColours {
    platform::Colour back = 0xFFFFFF;
    platform::Colour fore = 0;
    platform::Colour highlight = 0x800000;
    platform::Colour highlightText = 0xFFFFFF;
};

// Draws one item row: the row filled with the back colour (the highlight
// when selected), then the item's font-code run from the row's top-left
// corner, transparently, in the fore colour (white on the highlight).
// Without built fonts only the fill is drawn.
void PaintItem(platform::Surface& surface, const common::ScriptFonts& fonts,
               std::string_view scriptName, std::string_view run, const platform::Rect& row,
               bool selected, const ItemColours& colours);

// Paints the rows the client area shows, from the list's top index: the
// background, then each item row. Returns the number of rows drawn.
int PaintPage(platform::Surface& surface, ListBoxLogic& logic, const common::ScriptFonts& fonts,
              const ListWindow& list, const platform::Rect& client, const ItemColours& colours);

}  // namespace vexa::listbox
