#include "common/default_values.h"

#include "defaults/default_values.h"

namespace vexa::common {

DefaultValues ReadDefaultValues(platform::RegistryStore& registry) {
    defaults::DefaultValuesRecord record;
    defaults::LoadDefaultValues(registry, record);
    auto number = [](const std::string& s) {
        return static_cast<std::int16_t>(defaults::DecimalValue(s));
    };
    return {record.scriptName, record.fontName, number(record.fontSize),
            number(record.keyboardType), number(record.dataFormat)};
}

void ApplySettingsFileRules(const module::PropertyExchange& px, bool userMode,
                            ScriptSettings& settings, const SettingsFileAccess& file) {
    if (px.IsLoading()) {
        if (userMode && settings.accessGlobal && file.load) file.load();
        if (!userMode) settings.globalSettings = false;
    } else if (!userMode && settings.globalSettings && file.save) {
        file.save();
    }
}

}  // namespace vexa::common
