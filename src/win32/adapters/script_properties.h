#pragma once

#include <cstdint>
#include <string_view>

#include "common/script_settings.h"
#include "module/property_exchange.h"

namespace vexa::win32 {

// The script settings every control other than the edit control shows as
// properties under the same names, read from the settings and written
// through the control's logic (whose setters apply the binding's rules).
enum class ScriptProperty {
    None,
    ScriptName,
    FontName,
    FontSize,
    KeyboardType,
    LinFile,
    DisableEnglish,
    AccessGlobal,
    GlobalSettings,
};

ScriptProperty ScriptPropertyNamed(std::string_view name);

// False when `name` is none of the script settings.
bool ReadScriptProperty(std::string_view name, const common::ScriptSettings& s,
                        module::PropertyValue& v);

template <class Logic>
bool WriteScriptProperty(std::string_view name, Logic& logic, const module::PropertyValue& v) {
    const bool on = v.number != 0;
    const auto i16 = static_cast<std::int16_t>(v.number);
    switch (ScriptPropertyNamed(name)) {
        case ScriptProperty::ScriptName: logic.SetScriptName(v.text); return true;
        case ScriptProperty::FontName: logic.SetFontName(v.text); return true;
        case ScriptProperty::FontSize: logic.SetFontSize(i16); return true;
        case ScriptProperty::KeyboardType: logic.SetKeyboardType(i16); return true;
        case ScriptProperty::LinFile: logic.SetLinFile(v.text); return true;
        case ScriptProperty::DisableEnglish: logic.SetDisableEnglish(on); return true;
        case ScriptProperty::AccessGlobal: logic.SetAccessGlobal(on); return true;
        case ScriptProperty::GlobalSettings: logic.SetGlobalSettings(on); return true;
        case ScriptProperty::None: break;
    }
    return false;
}

}  // namespace vexa::win32
