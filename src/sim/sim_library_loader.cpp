#include "sim/sim_library_loader.h"

#include <dlfcn.h>

namespace vexa::sim {

platform::LibraryHandle SimLibraryLoader::Load(const std::string& directory,
                                               const std::string& fileName) {
    std::string path = directory;
    if (!path.empty() && path.back() != '/') path += '/';
    path += fileName;
    requested_.push_back(path);
    // A name with a directory part never goes through the dynamic linker's
    // search path.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle != nullptr) ++open_;
    return handle;
}

platform::EntryAddress SimLibraryLoader::FindEntry(platform::LibraryHandle library,
                                                   const std::string& entry) {
    void* address = dlsym(library, entry.c_str());
    return reinterpret_cast<platform::EntryAddress>(address);
}

void SimLibraryLoader::Free(platform::LibraryHandle library) {
    if (library != nullptr && dlclose(library) == 0) --open_;
}

}  // namespace vexa::sim
