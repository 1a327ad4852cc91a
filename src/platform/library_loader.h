#pragma once

#include <string>

namespace vexa::platform {

// Opaque handle of a loaded library; null means "not loaded".
using LibraryHandle = void*;

// Address of an exported entry; null means "not found".
using EntryAddress = void (*)();

// Loads outside libraries of the family by full path. Implementations never
// consult a search order (current directory, PATH): the caller names the
// directory.
class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;

    // Loads `directory`/`fileName`; returns null when it cannot be loaded.
    virtual LibraryHandle Load(const std::string& directory, const std::string& fileName) = 0;

    // Looks up an exported entry by its plain name; null when absent.
    virtual EntryAddress FindEntry(LibraryHandle library, const std::string& entry) = 0;

    virtual void Free(LibraryHandle library) = 0;
};

}  // namespace vexa::platform
