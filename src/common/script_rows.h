#pragma once

#include "common/property_table.h"

namespace vexa::common {

// The rows of the script settings every control shows under the same names
// and keeps in the same members (ScriptSettings), with the rules they share:
// the registry's default values stand in for what a container did not save,
// the script and face are the settings file's two strings, and the keyboard
// and data format take only the values the controls know. `order` is the
// place in the control's stream (0: not persisted).
template <class L>
PropertyRow<L> ScriptNameRow(int order) {
    using P = typename PropertyRow<L>::Props;
    return PropertyRow<L>("ScriptName", module::VarType::Bstr)
        .Writes(CallSetter<&L::SetScriptName>)
        .Holds(&P::scriptName)
        .Persisted(order, Fallback::ScriptName)
        .InFile(FileSlot::String, 1);
}

template <class L>
PropertyRow<L> FontNameRow(int order) {
    using P = typename PropertyRow<L>::Props;
    return PropertyRow<L>("FontName", module::VarType::Bstr)
        .Writes(CallSetter<&L::SetFontName>)
        .Holds(&P::fontName)
        .Persisted(order, Fallback::FontName)
        .InFile(FileSlot::String, 2);
}

template <class L>
PropertyRow<L> FontSizeRow(int order, int filePosition) {
    using P = typename PropertyRow<L>::Props;
    return PropertyRow<L>("FontSize", module::VarType::I2)
        .Writes(CallSetter<&L::SetFontSize>)
        .Holds(&P::fontSize)
        .Persisted(order, Fallback::FontSize)
        .InFile(FileSlot::Number, filePosition)
        .OnPage();
}

template <class L>
PropertyRow<L> KeyboardTypeRow(int order) {
    using P = typename PropertyRow<L>::Props;
    return PropertyRow<L>("KeyboardType", module::VarType::I2)
        .Writes(CallSetter<&L::SetKeyboardType>)
        .Holds(&P::keyboardType)
        .Accepts(0, 2)
        .Persisted(order, Fallback::KeyboardType);
}

template <class L>
PropertyRow<L> LinFileRow(int order) {
    using P = typename PropertyRow<L>::Props;
    return PropertyRow<L>("LinFile", module::VarType::Bstr)
        .Writes(CallSetter<&L::SetLinFile>)
        .Holds(&P::linFile)
        .Persisted(order, Constant("dv1lay.lin"));
}

template <class L>
PropertyRow<L> DisableEnglishRow(int order) {
    using P = typename PropertyRow<L>::Props;
    return PropertyRow<L>("DisableEnglish", module::VarType::Bool)
        .Writes(CallSetter<&L::SetDisableEnglish>)
        .Holds(&P::disableEnglish)
        .Persisted(order, Constant(false))
        .OnPage();
}

template <class L>
PropertyRow<L> AccessGlobalRow(int order) {
    using P = typename PropertyRow<L>::Props;
    return PropertyRow<L>("AccessGlobal", module::VarType::Bool)
        .Writes(CallSetter<&L::SetAccessGlobal>)
        .Holds(&P::accessGlobal)
        .Persisted(order, Constant(false))
        .OnPage();
}

// Never persisted: it says what saving at design time does.
template <class L>
PropertyRow<L> GlobalSettingsRow() {
    using P = typename PropertyRow<L>::Props;
    return PropertyRow<L>("GlobalSettings", module::VarType::Bool)
        .Writes(CallSetter<&L::SetGlobalSettings>)
        .Holds(&P::globalSettings)
        .OnPage();
}

template <class L>
PropertyRow<L> DataFormatRow(int order, int filePosition) {
    using P = typename PropertyRow<L>::Props;
    return PropertyRow<L>("ISCIIDataFormat", module::VarType::I2)
        .Writes(CallSetter<&L::SetIsciiDataFormat>)
        .Holds(&P::isciiDataFormat)
        .Accepts(0, 2)
        .Persisted(order, Fallback::DataFormat)
        .InFile(FileSlot::Number, filePosition);
}

}  // namespace vexa::common
