#pragma once

// The edit control's context menu: which of its items a control in a given
// state offers (the items and their ids are in the module's resources).

namespace vexa::edit {

struct EditMenuState {
    bool cut = false;
    bool copy = false;
    bool paste = false;
    // Find and Replace are always offered; Attributes has no action of its
    // own, so it is always greyed.
    static constexpr bool attributes = false;
};

// Cut and Copy need a selection, Paste the control's own clipboard data; a
// read-only control offers no edits (Copy stays).
constexpr EditMenuState MenuStateOf(bool hasSelection, bool readOnly, bool clipboardHasIscii) {
    return {hasSelection && !readOnly, hasSelection, clipboardHasIscii && !readOnly};
}

// Whether a control shows the menu at all: only a multi-line one does.
constexpr bool OffersContextMenu(bool multiLine) { return multiLine; }

}  // namespace vexa::edit
