// A control's text as assistive technology reads it.
#include "common/accessible_view.h"
#include "common/script_binding.h"
#include "script/unicode_text.h"

namespace vexa::common {

std::u16string AccessibleText(const ScriptBinding& binding, std::string_view iscii) {
    const script::UnicodeScript script = binding.DrawsEnglish()
                                             ? script::UnicodeScript::kEnglish
                                             : script::UnicodeScriptOf(binding.Active().scriptName);
    return script::IsciiToUnicode(iscii, script);
}

}  // namespace vexa::common
