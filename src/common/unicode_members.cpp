#include "common/unicode_members.h"

#include "script/unicode_text.h"

namespace vexa::common {

std::u16string UnicodeOfStored(std::string_view iscii, std::string_view scriptName) {
    return script::IsciiToUnicodeWhole(iscii, script::UnicodeScriptOf(scriptName));
}

Outcome StoredOfUnicode(std::u16string_view text, std::string_view scriptName, std::string& iscii,
                        std::u16string_view keptControls, std::size_t offset) {
    script::StrictIscii strict =
        script::UnicodeToIsciiStrict(text, script::UnicodeScriptOf(scriptName), keptControls);
    if (strict.refused) {
        strict.refused->position += offset;
        const std::string script = scriptName.empty() ? std::string("English") : std::string(scriptName);
        return InvalidValue("The text cannot be written in " + script + ": " +
                            script::DescribeRefusal(*strict.refused));
    }
    iscii = std::move(strict.iscii);
    return std::nullopt;
}

}  // namespace vexa::common
