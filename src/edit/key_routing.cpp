#include "edit/key_routing.h"

#include "edit/edit_engine.h"

namespace vexa::edit {

bool EditKeepsKey(unsigned virtualKey, unsigned scanCode, const EditStyle& style) {
    switch (virtualKey) {
        case keys::kTab:
        case keys::kEscape:  // the dialog's cancel button; the control does nothing with it
            return false;
        case keys::kReturn: return style.wantReturn;
        case keys::kPrior:
        case keys::kNext: return style.autoVScroll && style.wantReturn;
        case 0x01:
        case keys::kBack:
        case keys::kClear:
        case keys::kShift:
        case keys::kControl:
        case keys::kSpace:
        case keys::kEnd:
        case keys::kHome:
        case keys::kLeft:
        case keys::kUp:
        case keys::kRight:
        case keys::kDown:
        case keys::kInsert:
        case keys::kDelete:
        case 0x2F:  // Help
            return true;
        default: return scanCode >= 1 && scanCode <= 53;
    }
}

}  // namespace vexa::edit
