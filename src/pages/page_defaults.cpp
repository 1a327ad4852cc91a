#include "pages/page_defaults.h"

#include <charconv>

#include "defaults/default_values.h"
#include "defaults/settings_record.h"

namespace vexa::pages {

namespace {

std::vector<std::string_view> StyleFields(int controlIndex) {
    switch (controlIndex) {
        case 0:  // VCheckBox
        case 5:  // VRadioButton
            return {"Auto", "PushLike", "Alignment"};
        case 1:  // VEdit
            return {"AutoHScroll", "HScrollBar", "AutoVScroll", "VScrollBar",
                    "MultiLine",   "WantReturn", "ReadOnly",    "Password"};
        case 3:  // VListBox
            return {"Sort", "MultipleSelection"};
        case 6:  // VStatic
            return {"Alignment"};
        default:
            return {};
    }
}

}  // namespace

std::optional<std::vector<PageValue>> LoadPageDefaults(platform::SettingsFiles& files,
                                                       int controlIndex, int pageNumber) {
    if (controlIndex < 0 || controlIndex > 6) return std::nullopt;
    std::optional<defaults::SettingsSection> section = defaults::LoadSection(files, controlIndex);
    if (!section) return std::nullopt;
    std::vector<PageValue> values;
    auto number = [&](std::string_view name) {
        if (section->Has(name)) values.push_back({name, false, section->Number(name), {}});
    };
    if (controlIndex == kEditControlIndex && pageNumber == 1) {
        number("ISCIIDataFormat");
        return values;
    }
    if (controlIndex == kEditControlIndex && pageNumber == 2) {
        number("DisableEnglish");
        return values;
    }
    for (std::string_view field : StyleFields(controlIndex)) number(field);
    values.push_back({"FontSize", true, 0, std::to_string(static_cast<std::int16_t>(section->Number("FontSize")))});
    values.push_back({"ScriptName", true, 0, section->String("ScriptName")});
    values.push_back({"FontName", true, 0, section->String("FontName")});
    return values;
}

bool SaveDataFormatDefault(platform::RegistryStore& registry, int dataFormat) {
    defaults::DefaultValuesRecord record;
    record.dataFormat = std::to_string(dataFormat);
    return defaults::SaveDefaultValues(registry, record, 1);
}

std::string ColourText(std::uint32_t colour) {
    return std::to_string(static_cast<std::int32_t>(colour));
}

std::optional<std::uint32_t> ParseColourText(std::string_view text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
    if (value < INT32_MIN || value > static_cast<std::int64_t>(UINT32_MAX)) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::optional<ColourTarget> SecondPageColour(int selector) {
    if (selector == 0) return ColourTarget{278, "BackColor"};
    if (selector == 1) return ColourTarget{279, "ForeColor"};
    return std::nullopt;
}

std::optional<ColourTarget> UrlPageColour(int selector) {
    if (selector == 0) return ColourTarget{280, "LinkColor"};
    if (selector == 1) return ColourTarget{281, "HoverColor"};
    if (selector == 2) return ColourTarget{282, "VisitedColor"};
    return std::nullopt;
}

}  // namespace vexa::pages
