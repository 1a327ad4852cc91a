#pragma once

#include <string>

#include "platform/platform.h"

namespace vexa::platform {

// One loaded outside library of the family, released when destroyed.
//
// Libraries are looked for by full path, first in the system directory and
// then in the module's own directory; the current directory and PATH are
// never searched, so a planted file of the same name is not picked up. In
// each directory the library is loaded only when its attributes name a
// regular file (FileReader::Probe); anything else counts as absent there.
class FamilyLibrary {
public:
    FamilyLibrary() = default;
    explicit FamilyLibrary(LibraryLoader& loader) : loader_(&loader) {}
    ~FamilyLibrary() { Release(); }

    FamilyLibrary(FamilyLibrary&& other) noexcept;
    FamilyLibrary& operator=(FamilyLibrary&& other) noexcept;
    FamilyLibrary(const FamilyLibrary&) = delete;
    FamilyLibrary& operator=(const FamilyLibrary&) = delete;

    // Loads `fileName` from the trusted directories; false when not found.
    static FamilyLibrary Open(const Platform& platform, const std::string& fileName);

    bool IsLoaded() const { return handle_ != nullptr; }
    EntryAddress FindEntry(const std::string& entry) const;
    void Release();

private:
    LibraryLoader* loader_ = nullptr;
    LibraryHandle handle_ = nullptr;
};

// True when `fileName` loads from the trusted directories (freed at once);
// a name that is no regular file there is never loaded.
bool FamilyLibraryExists(const Platform& platform, const std::string& fileName);

}  // namespace vexa::platform
