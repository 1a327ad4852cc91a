#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_files.h"

namespace vexa::defaults {

inline constexpr int kSectionCount = 8;

// One section of a settings file: its numbers (4 bytes each on file) and
// strings (archive strings), each kept in file order and named by the
// section's layout.
struct SettingsSection {
    int index = 0;
    std::vector<std::int32_t> numbers;
    std::vector<std::string> strings;

    // Named access; throws std::out_of_range for a name the section lacks.
    std::int32_t& Number(std::string_view name);
    std::int32_t Number(std::string_view name) const;
    std::string& String(std::string_view name);
    const std::string& String(std::string_view name) const;
    bool Has(std::string_view name) const;
};

// A zeroed section of the given control index (0 to 7).
SettingsSection EmptySection(int index);

// The in-memory image of a settings file: one section per control index.
struct SavedSettingsRecord {
    std::array<SettingsSection, kSectionCount> sections;
    SavedSettingsRecord();
};

// The names of a section's numbers and strings, in file order.
const std::vector<std::string_view>& NumberFields(int index);
const std::vector<std::string_view>& StringFields(int index);

// The settings file of a control index ("VEdit.ini"); empty for index 7.
std::string_view SettingsFileName(int index);

// The string format of the archive: a length byte below 255; else 0xFF and
// a 16-bit length below 0xFFFE; else 0xFF 0xFFFF and a 32-bit length.
void AppendArchiveString(std::string& out, std::string_view s);

std::string EncodeSection(const SettingsSection& section);

// Reads a whole section from the start of `bytes`; nullopt when the data
// ends inside the section or a string length runs past the end. Bytes after
// the section are ignored.
std::optional<SettingsSection> DecodeSection(int index, std::string_view bytes);

// Reads the section of `index` from its file; nullopt when the file cannot
// be opened or is damaged (then nothing must change).
std::optional<SettingsSection> LoadSection(platform::SettingsFiles& files, int index);

// Writes `update(section)` into the file of `index`, starting from the
// section already there (fields the caller does not set keep their values)
// or from a zeroed section when there is none or it cannot be read.
template <class Update>
bool SaveSection(platform::SettingsFiles& files, int index, Update&& update) {
    std::string name(SettingsFileName(index));
    if (name.empty()) return false;
    return files.Rewrite(name, [&](const std::optional<std::string>& old) {
        std::optional<SettingsSection> section;
        if (old) section = DecodeSection(index, *old);
        if (!section) section = EmptySection(index);
        update(*section);
        return EncodeSection(*section);
    });
}

}  // namespace vexa::defaults
