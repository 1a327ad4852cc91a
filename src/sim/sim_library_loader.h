#pragma once

#include <string>
#include <vector>

#include "platform/library_loader.h"

namespace vexa::sim {

// Loads the natively built family libraries with dlopen, by full path.
// Records every path it was asked for, so tests can check where libraries
// were looked for.
class SimLibraryLoader : public platform::LibraryLoader {
public:
    platform::LibraryHandle Load(const std::string& directory,
                                 const std::string& fileName) override;
    platform::EntryAddress FindEntry(platform::LibraryHandle library,
                                     const std::string& entry) override;
    void Free(platform::LibraryHandle library) override;

    const std::vector<std::string>& RequestedPaths() const { return requested_; }
    int OpenCount() const { return open_; }

private:
    std::vector<std::string> requested_;
    int open_ = 0;
};

}  // namespace vexa::sim
