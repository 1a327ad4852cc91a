#include "common/default_values.h"

#include "defaults/default_values.h"

namespace vexa::common {

DefaultValues ReadDefaultValues(platform::RegistryStore& registry) {
    defaults::DefaultValuesRecord record;
    defaults::LoadDefaultValues(registry, record);
    auto number = [](const std::string& s) {
        return static_cast<std::int16_t>(defaults::DecimalValue(s));
    };
    // A keyboard or data format the controls do not know is damage: the
    // factory's value stands in for it, as for a missing store.
    auto choice = [&](const std::string& s) {
        const std::int16_t n = number(s);
        return n >= 0 && n <= 2 ? n : std::int16_t{0};
    };
    return {record.scriptName, record.fontName, number(record.fontSize),
            choice(record.keyboardType), choice(record.dataFormat)};
}

void ApplySettingsFileRules(const common::PropertyExchange& px, bool userMode,
                            ScriptSettings& settings, const SettingsFileAccess& file) {
    if (px.IsLoading()) {
        if (userMode && settings.accessGlobal && file.load) file.load();
        if (!userMode) settings.globalSettings = false;
    } else if (!userMode && settings.globalSettings && file.save) {
        file.save();
    }
}

}  // namespace vexa::common
