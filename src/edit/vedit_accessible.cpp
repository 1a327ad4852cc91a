#include "edit/vedit_accessible.h"

#include "common/unicode_members.h"

namespace vexa::edit {

bool VEditAccessible::Value(std::u16string& out) const {
    if (logic_.Props().password) return false;
    out = common::UnicodeOfStored(engine_.Text(), logic_.Props().scriptName);
    return true;
}

std::uint32_t VEditAccessible::States(int) const {
    std::uint32_t states = common::kStateFocusable;
    if (logic_.Props().readOnly) states |= common::kStateReadOnly;
    if (logic_.Props().password) states |= common::kStateProtected;
    return states;
}

}  // namespace vexa::edit
