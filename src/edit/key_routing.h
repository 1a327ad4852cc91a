#pragma once

#include "edit/edit_style.h"

namespace vexa::edit {

// Whether the edit control keeps a key for itself before the container's
// keyboard handling (dialog navigation, the default and cancel buttons,
// accelerators) sees it. Editing and caret keys stay with the control;
// Tab and Esc always go to the container, Enter unless the control wants
// returns, Page Up and Page Down unless it scrolls lines and wants returns.
// `scanCode` is the key's scan code (MapVirtualKey with map type 0).
bool EditKeepsKey(unsigned virtualKey, unsigned scanCode, const EditStyle& style);

}  // namespace vexa::edit
