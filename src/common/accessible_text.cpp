// A control's text as assistive technology reads it.
#include "common/accessible_view.h"
#include "common/script_binding.h"
#include "common/unicode_members.h"

namespace vexa::common {

std::u16string AccessibleText(const ScriptBinding& binding, std::string_view iscii) {
    return UnicodeOfStored(iscii, binding.Active().scriptName);
}

}  // namespace vexa::common
