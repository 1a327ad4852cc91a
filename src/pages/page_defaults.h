#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "defaults/settings_record.h"
#include "pages/page_table.h"
#include "platform/registry_store.h"
#include "platform/settings_files.h"

namespace vexa::pages {

// A value the settings file gives a page field, by the field's property.
struct PageValue {
    std::string_view property;
    bool isText = false;
    std::int32_t number = 0;
    std::string text;
    friend bool operator==(const PageValue&, const PageValue&) = default;
};

// The values a page takes from its control kind's settings file instead of
// from the control, when the page is filled: the fields the page shows that
// the file holds, but colours and, on a general page, the shared fields;
// a general page also takes the size (as its list's text), the script and
// the face. Nothing when the file cannot be opened or read whole (a damaged
// file then changes no field).
std::optional<std::vector<PageValue>> LoadPageDefaults(platform::SettingsFiles& files,
                                                       const PageClass& page,
                                                       const defaults::SettingsLayout& layout);

// The control whose settings file the second and third pages read.
inline constexpr std::string_view kEditControlName = "VEdit";

// The second page's "Set Current Defaults": the data-format index as the
// DataFormat of the registry store (group 1). "Restore Factory Defaults"
// writes "0" the same way.
bool SaveDataFormatDefault(platform::RegistryStore& registry, int dataFormat);

// Colours in the pages' hidden edits: the 32-bit OLE colour as a signed
// decimal number.
std::string ColourText(std::uint32_t colour);
std::optional<std::uint32_t> ParseColourText(std::string_view text);

// The hidden edit and property a colour selector position names: the second
// page 0 background (278), 1 foreground (279); the URL page 0 link (280),
// 1 hover (281), 2 visited (282).
struct ColourTarget {
    int editId;
    std::string_view property;
};
std::optional<ColourTarget> SecondPageColour(int selector);
std::optional<ColourTarget> UrlPageColour(int selector);

}  // namespace vexa::pages
