#pragma once

#include <string>

namespace vexa::platform {

// Opens a web address with the system's handler for it (the browser, or the
// mail program for "mailto:"). Callers hand over only addresses that
// CheckWebAddress accepts; an implementation checks again and refuses the
// others. True when the address was handed to its handler.
class UrlLauncher {
public:
    virtual ~UrlLauncher() = default;
    virtual bool Open(const std::string& address) = 0;
};

}  // namespace vexa::platform
