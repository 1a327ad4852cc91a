#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "keyboard/keyboard_layout.h"

namespace vexa::keyboard {

// The readable text a layout file is generated from. One key per line:
//
//   <scan code> <key cap> <plain output> | <shifted output>
//
// An output is "-" for nothing, or a sequence of bytes written as two hex
// digits (E8) and of quoted strings ("kh", with \" and \\ as escapes).
// "include <file>" reads another source first; a later line for the same
// scan code replaces the earlier one. '#' starts a comment line.
struct LayoutSource {
    KeyboardLayout layout{};
    std::string error;  // empty when the source is sound

    bool Ok() const { return error.empty(); }
};

// Gives the text of an included source, or nothing when it is missing.
using SourceResolver = std::function<std::optional<std::string>(const std::string& name)>;

LayoutSource ParseLayoutSource(std::string_view text, const SourceResolver& resolve);

}  // namespace vexa::keyboard
