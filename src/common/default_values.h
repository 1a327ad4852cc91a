#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/script_settings.h"
#include "common/property_exchange.h"
#include "platform/registry_store.h"

namespace vexa::common {

// The registry store's defaults in the types of the properties they stand
// for: what a control takes for a property its container has not saved.
struct DefaultValues {
    std::string scriptName;
    std::string fontName;
    std::int16_t fontSize = 0;
    std::int16_t keyboardType = 0;
    std::int16_t dataFormat = 0;
};

// Reads the registry store; a missing store gives empty names and zeros.
DefaultValues ReadDefaultValues(platform::RegistryStore& registry);

// How a control reads and writes its section of its kind's settings file.
struct SettingsFileAccess {
    std::function<bool()> load;  // replaces the control's values with the file's
    std::function<bool()> save;  // writes the control's values into the file
};

// The rules that end every property exchange. Loading at run time with
// AccessGlobal on takes the settings file's values; loading at design time
// clears GlobalSettings; saving at design time with GlobalSettings on
// writes the file after the container has the properties.
void ApplySettingsFileRules(const common::PropertyExchange& px, bool userMode,
                            ScriptSettings& settings, const SettingsFileAccess& file);

}  // namespace vexa::common
