#include "defaults/default_values.h"

#include <cstdlib>

namespace vexa::defaults {

namespace {

constexpr const char* kProgIdKey = "VEXAOCX.VEditCtrl.1";

struct Field {
    const char* name;
    std::string DefaultValuesRecord::*member;
    std::size_t limit;  // bytes with the terminator
    int group;
};

constexpr Field kFields[] = {
    {"ScriptName", &DefaultValuesRecord::scriptName, 15, 0},
    {"FontName", &DefaultValuesRecord::fontName, 20, 0},
    {"FontSize", &DefaultValuesRecord::fontSize, 5, 0},
    {"KeyboardType", &DefaultValuesRecord::keyboardType, 2, 0},
    {"DataFormat", &DefaultValuesRecord::dataFormat, 2, 1},
};

}  // namespace

DefaultValuesRecord FactoryDefaultValues() {
    return {"Devanagari", "DVB-TTDorvan", "18", "0", "0"};
}

bool SaveDefaultValues(platform::RegistryStore& registry, const DefaultValuesRecord& record,
                       int group) {
    if (!registry.KeyExists(kProgIdKey)) return false;
    if (!registry.CreateKey(kDefaultValuesKey)) return false;
    bool ok = true;
    for (const Field& f : kFields)
        if (f.group == group) ok = registry.SetString(kDefaultValuesKey, f.name, record.*f.member) && ok;
    return ok;
}

bool LoadDefaultValues(platform::RegistryStore& registry, DefaultValuesRecord& record) {
    if (!registry.KeyExists(kDefaultValuesKey)) return false;
    for (const Field& f : kFields)
        record.*f.member = registry.GetString(kDefaultValuesKey, f.name, f.limit).value_or("");
    return true;
}

int DecimalValue(const std::string& text) { return std::atoi(text.c_str()); }

}  // namespace vexa::defaults
