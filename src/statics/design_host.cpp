#include "statics/design_host.h"

namespace vexa::statics {

bool StandardPaintFollows(std::string_view hostTitle, std::optional<OsVersion> version) {
    // The title is read into 99 characters.
    hostTitle = hostTitle.substr(0, 99);
    if (hostTitle.find("Microsoft Development Environment") == std::string_view::npos) return false;
    if (!version) return false;
    const bool newer9x = version->platformId == 1 &&
                         (version->major > 4 || (version->major == 4 && version->minor > 0));
    return !newer9x;
}

}  // namespace vexa::statics
