#pragma once

#include <string>

#include "platform/registry_store.h"

namespace vexa::defaults {

// The registry store of defaults shared by every control: the values a
// control starts with when its container has none saved. Numbers are held
// as decimal text.
struct DefaultValuesRecord {
    std::string scriptName;
    std::string fontName;
    std::string fontSize;
    std::string keyboardType;
    std::string dataFormat;
};

DefaultValuesRecord FactoryDefaultValues();

inline constexpr const char* kDefaultValuesKey = "VEXAOCX.VEditCtrl.1\\DefaultValues";

// Group 0 writes script, face, size and keyboard; group 1 the data format;
// any other group writes nothing. Fails when the edit control's ProgID key
// is missing (the module is not registered) or a write fails.
bool SaveDefaultValues(platform::RegistryStore& registry, const DefaultValuesRecord& record,
                       int group);

// Fills all five strings. A value that is missing, not a string, or longer
// than its read limit (script 14, face 19, size 4, keyboard 1, format 1
// characters) reads as empty. Fails, leaving the record as it was, when the
// key is missing.
bool LoadDefaultValues(platform::RegistryStore& registry, DefaultValuesRecord& record);

// The C library's decimal conversion of a default ("18" gives 18, "abc" 0).
int DecimalValue(const std::string& text);

}  // namespace vexa::defaults
