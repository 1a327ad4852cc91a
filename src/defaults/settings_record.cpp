#include "defaults/settings_record.h"

#include <stdexcept>

#include "defaults/archive_bytes.h"

namespace vexa::defaults {

namespace {

std::size_t Position(const std::vector<std::string_view>& names, std::string_view name) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return i;
    throw std::out_of_range("settings section has no field " + std::string(name));
}

const SettingsLayout& LayoutOf(const SettingsSection& section) {
    if (!section.layout) throw std::out_of_range("settings section without a layout");
    return *section.layout;
}

}  // namespace

std::int32_t& SettingsSection::Number(std::string_view name) {
    return numbers.at(Position(LayoutOf(*this).numbers, name));
}
std::int32_t SettingsSection::Number(std::string_view name) const {
    return numbers.at(Position(LayoutOf(*this).numbers, name));
}
std::string& SettingsSection::String(std::string_view name) {
    return strings.at(Position(LayoutOf(*this).strings, name));
}
const std::string& SettingsSection::String(std::string_view name) const {
    return strings.at(Position(LayoutOf(*this).strings, name));
}
bool SettingsSection::Has(std::string_view name) const {
    if (!layout) return false;
    for (auto n : layout->numbers)
        if (n == name) return true;
    for (auto n : layout->strings)
        if (n == name) return true;
    return false;
}

SettingsSection EmptySection(const SettingsLayout& layout) {
    SettingsSection s;
    s.layout = &layout;
    s.numbers.assign(layout.numbers.size(), 0);
    s.strings.assign(layout.strings.size(), std::string());
    return s;
}

std::string EncodeSection(const SettingsSection& section) {
    std::string out;
    for (std::int32_t v : section.numbers) AppendLe(out, static_cast<std::uint32_t>(v), 4);
    for (const std::string& s : section.strings) AppendArchiveString(out, s);
    return out;
}

std::optional<SettingsSection> DecodeSection(const SettingsLayout& layout, std::string_view bytes) {
    SettingsSection s = EmptySection(layout);
    ArchiveReader reader(bytes);
    for (std::int32_t& v : s.numbers) {
        std::uint32_t raw = 0;
        if (!reader.Le(raw, 4)) return std::nullopt;
        v = static_cast<std::int32_t>(raw);
    }
    for (std::string& str : s.strings)
        if (!reader.String(str)) return std::nullopt;
    return s;
}

std::optional<SettingsSection> LoadSection(platform::SettingsFiles& files, const SettingsLayout& layout) {
    if (layout.file.empty()) return std::nullopt;
    std::optional<std::string> bytes = files.Read(layout.file);
    if (!bytes) return std::nullopt;
    return DecodeSection(layout, *bytes);
}

}  // namespace vexa::defaults
