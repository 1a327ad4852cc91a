#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_files.h"

namespace vexa::defaults {

// The layout of a control kind's settings file ("VEdit.ini"): the names of
// its numbers (4 bytes each on file) and strings (archive strings), each in
// file order. Each control's property table gives its layout; a file may
// hold fields no property names (reserved), which are kept as they are.
struct SettingsLayout {
    std::string file;
    std::vector<std::string_view> numbers;
    std::vector<std::string_view> strings;
};

// One section of a settings file: its numbers and strings in file order,
// named by the section's layout.
struct SettingsSection {
    const SettingsLayout* layout = nullptr;
    std::vector<std::int32_t> numbers;
    std::vector<std::string> strings;

    // Named access; throws std::out_of_range for a name the layout lacks.
    std::int32_t& Number(std::string_view name);
    std::int32_t Number(std::string_view name) const;
    std::string& String(std::string_view name);
    const std::string& String(std::string_view name) const;
    bool Has(std::string_view name) const;
};

// A zeroed section of the layout.
SettingsSection EmptySection(const SettingsLayout& layout);

// The section's numbers (4 bytes each) then its archive strings.
std::string EncodeSection(const SettingsSection& section);

// Reads a whole section of the layout from the start of `bytes`; nullopt
// when the data ends inside the section or a string length runs past the
// end. Bytes after the section are ignored.
std::optional<SettingsSection> DecodeSection(const SettingsLayout& layout, std::string_view bytes);

// Reads the layout's file; nullopt when the file cannot be opened or is
// damaged (then nothing must change).
std::optional<SettingsSection> LoadSection(platform::SettingsFiles& files, const SettingsLayout& layout);

// Writes `update(section)` into the layout's file, starting from the
// section already there (fields the caller does not set keep their values)
// or from a zeroed section when there is none or it cannot be read.
template <class Update>
bool SaveSection(platform::SettingsFiles& files, const SettingsLayout& layout, Update&& update) {
    if (layout.file.empty()) return false;
    return files.Rewrite(layout.file, [&](const std::optional<std::string>& old) {
        std::optional<SettingsSection> section;
        if (old) section = DecodeSection(layout, *old);
        if (!section) section = EmptySection(layout);
        update(*section);
        return EncodeSection(*section);
    });
}

}  // namespace vexa::defaults
