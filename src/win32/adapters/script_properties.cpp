#include "win32/adapters/script_properties.h"

#include <string_view>
#include <unordered_map>

namespace vexa::win32 {

ScriptProperty ScriptPropertyNamed(std::string_view name) {
    static const std::unordered_map<std::string_view, ScriptProperty> byName{
        {"ScriptName", ScriptProperty::ScriptName},
        {"FontName", ScriptProperty::FontName},
        {"FontSize", ScriptProperty::FontSize},
        {"KeyboardType", ScriptProperty::KeyboardType},
        {"LinFile", ScriptProperty::LinFile},
        {"DisableEnglish", ScriptProperty::DisableEnglish},
        {"AccessGlobal", ScriptProperty::AccessGlobal},
        {"GlobalSettings", ScriptProperty::GlobalSettings},
    };
    auto it = byName.find(name);
    return it == byName.end() ? ScriptProperty::None : it->second;
}

bool ReadScriptProperty(std::string_view name, const common::ScriptSettings& s,
                        module::PropertyValue& v) {
    switch (ScriptPropertyNamed(name)) {
        case ScriptProperty::ScriptName: v.text = s.scriptName; return true;
        case ScriptProperty::FontName: v.text = s.fontName; return true;
        case ScriptProperty::FontSize: v.number = s.fontSize; return true;
        case ScriptProperty::KeyboardType: v.number = s.keyboardType; return true;
        case ScriptProperty::LinFile: v.text = s.linFile; return true;
        case ScriptProperty::DisableEnglish: v.number = s.disableEnglish; return true;
        case ScriptProperty::AccessGlobal: v.number = s.accessGlobal; return true;
        case ScriptProperty::GlobalSettings: v.number = s.globalSettings; return true;
        case ScriptProperty::None: break;
    }
    return false;
}

}  // namespace vexa::win32
