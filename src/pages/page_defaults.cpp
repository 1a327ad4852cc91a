#include "pages/page_defaults.h"

#include <algorithm>
#include <charconv>

#include "defaults/default_values.h"

namespace vexa::pages {

std::optional<std::vector<PageValue>> LoadPageDefaults(platform::SettingsFiles& files,
                                                       const PageClass& page,
                                                       const defaults::SettingsLayout& layout) {
    std::optional<defaults::SettingsSection> section = defaults::LoadSection(files, layout);
    if (!section) return std::nullopt;
    auto isNumber = [&](std::string_view name) {
        return std::find(layout.numbers.begin(), layout.numbers.end(), name) != layout.numbers.end();
    };
    const bool general = page.kind == PageKind::General;
    std::vector<PageValue> values;
    for (const PageField& f : page.fields) {
        if (!isNumber(f.property) || f.kind == FieldKind::Number) continue;
        if (general && IsSharedGeneralField(f.property)) continue;
        values.push_back({f.property, false, section->Number(f.property), {}});
    }
    if (general) {
        const auto size = static_cast<std::int16_t>(section->Number("FontSize"));
        values.push_back({"FontSize", true, 0, std::to_string(size)});
        values.push_back({"ScriptName", true, 0, section->String("ScriptName")});
        values.push_back({"FontName", true, 0, section->String("FontName")});
    }
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
