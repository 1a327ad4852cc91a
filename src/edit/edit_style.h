#pragma once

namespace vexa::edit {

// The style properties of the edit control (set by its owner, which also
// keeps the rules that tie them together).
struct EditStyle {
    bool autoHScroll = true;  // false: the text wraps
    bool hScrollBar = false;
    bool autoVScroll = false;
    bool vScrollBar = false;
    bool wantReturn = false;
    bool readOnly = false;
    bool multiLine = false;
    bool password = false;
};

}  // namespace vexa::edit
