#include "edit/vedit_accessible.h"

namespace vexa::edit {

bool VEditAccessible::Value(std::u16string& out) const {
    if (logic_.Props().password) return false;
    out = common::AccessibleText(logic_.Binding(), engine_.Text());
    return true;
}

std::uint32_t VEditAccessible::States(int) const {
    std::uint32_t states = common::kStateFocusable;
    if (logic_.Props().readOnly) states |= common::kStateReadOnly;
    if (logic_.Props().password) states |= common::kStateProtected;
    return states;
}

}  // namespace vexa::edit
