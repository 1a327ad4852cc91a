#pragma once

#include <string>

namespace vexa::platform {

// The directories the module takes its outside files from.
class SystemPaths {
public:
    virtual ~SystemPaths() = default;

    // Where the family's libraries and layout files are installed.
    virtual std::string SystemDirectory() const = 0;

    // The directory of the module itself (the second place libraries are
    // looked for).
    virtual std::string ModuleDirectory() const = 0;
};

}  // namespace vexa::platform
