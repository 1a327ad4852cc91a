#pragma once

#include <span>
#include <string>
#include <string_view>

#include "module/automation_types.h"

namespace vexa::module {

enum class HelpFor { Member, Event };

// The help text of one member: `owner` is a class name, or empty for a
// member of that name in every class that has no entry of its own.
struct HelpEntry {
    HelpFor kind;
    std::string_view owner;
    std::string_view name;
    std::string_view text;
};

std::span<const HelpEntry> HelpTable();

// The entry that describes `name` of class `owner`, or nullptr.
const HelpEntry* FindHelp(HelpFor kind, std::string_view owner, std::string_view name);

// The help string of a property typed by an enumeration: its own text and
// the values, "... (0 Inscript, 1 Phonetic, 2 Typewriter)".
std::string WithValues(std::string_view text, const EnumType& values);

// The longest help string widl stores whole (its string buffer is 256 bytes).
inline constexpr std::size_t kMaxHelpLength = 250;

}  // namespace vexa::module
