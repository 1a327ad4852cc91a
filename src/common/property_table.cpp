#include "common/property_table.h"

namespace vexa::common::detail {

std::optional<PropertyValue> FallbackValue(Fallback fallback, const PropertyValue& constant,
                                           const DefaultValues& d) {
    switch (fallback) {
        case Fallback::Keep:
            return std::nullopt;
        case Fallback::Constant:
            return constant;
        case Fallback::ScriptName:
            return Constant(std::string_view(d.scriptName));
        case Fallback::FontName:
            return Constant(std::string_view(d.fontName));
        case Fallback::FontSize:
            return Constant(d.fontSize);
        case Fallback::KeyboardType:
            return Constant(d.keyboardType);
        case Fallback::DataFormat:
            return Constant(d.dataFormat);
    }
    return std::nullopt;
}

}  // namespace vexa::common::detail
