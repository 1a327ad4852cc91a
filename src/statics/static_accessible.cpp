// How VStatic describes itself to assistive technology: static text named
// by its caption, or a link (linked, traversed once followed) whose
// default action "Jump" follows it exactly as a click inside it does.
#include "common/unicode_members.h"
#include "statics/static_logic.h"

namespace vexa::statics {

common::AccessibleRole StaticLogic::Role(int) const {
    return props_.isUrl ? common::AccessibleRole::kLink : common::AccessibleRole::kStaticText;
}

std::u16string StaticLogic::Name(int) const { return common::UnicodeOfStored(props_.caption, props_.scriptName); }

std::uint32_t StaticLogic::States(int) const {
    if (!props_.isUrl) return common::kStateReadOnly;
    // The label never takes the focus, a link included.
    std::uint32_t states = common::kStateLinked;
    if (link_.Visited()) states |= common::kStateTraversed;
    return states;
}

std::u16string StaticLogic::DefaultAction(int) const {
    return props_.isUrl ? std::u16string(u"Jump") : std::u16string();
}

bool StaticLogic::DoDefaultAction(int) {
    if (!props_.isUrl) return false;
    Apply(link_.Follow());
    return true;
}

}  // namespace vexa::statics
