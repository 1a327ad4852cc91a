#pragma once

#include <optional>
#include <string_view>

namespace vexa::statics {

// The platform's version as GetVersionEx reports it.
struct OsVersion {
    unsigned platformId = 0;  // 1: the Windows 9x line, 2: NT
    unsigned major = 0;
    unsigned minor = 0;
};

// One design environment draws its controls' windows again after them: in
// an application whose main window title holds "Microsoft Development
// Environment", the label lets the standard STATIC paint after its own
// drawing, except on the Windows 9x line above 4.0. Nothing follows when
// the version is unknown.
bool StandardPaintFollows(std::string_view hostTitle, std::optional<OsVersion> version);

}  // namespace vexa::statics
