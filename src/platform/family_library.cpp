#include "platform/family_library.h"

#include <utility>

namespace vexa::platform {

FamilyLibrary::FamilyLibrary(FamilyLibrary&& other) noexcept
    : loader_(other.loader_), handle_(std::exchange(other.handle_, nullptr)) {}

FamilyLibrary& FamilyLibrary::operator=(FamilyLibrary&& other) noexcept {
    if (this != &other) {
        Release();
        loader_ = other.loader_;
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

FamilyLibrary FamilyLibrary::Open(const Platform& platform, const std::string& fileName) {
    FamilyLibrary library(platform.libraries);
    if (fileName.empty()) return library;
    for (const std::string& directory :
         {platform.paths.SystemDirectory(), platform.paths.ModuleDirectory()}) {
        if (directory.empty()) continue;
        // Only a regular file is handed to the loader, and its attributes
        // tell, not an attempt to open it: a device or a pipe under that
        // name could stop the load for good.
        if (platform.files.Probe(directory, fileName) != FileKind::Regular) continue;
        library.handle_ = platform.libraries.Load(directory, fileName);
        if (library.handle_ != nullptr) break;
    }
    return library;
}

EntryAddress FamilyLibrary::FindEntry(const std::string& entry) const {
    if (handle_ == nullptr || entry.empty()) return nullptr;
    return loader_->FindEntry(handle_, entry);
}

void FamilyLibrary::Release() {
    if (handle_ != nullptr) loader_->Free(std::exchange(handle_, nullptr));
}

bool FamilyLibraryExists(const Platform& platform, const std::string& fileName) {
    return FamilyLibrary::Open(platform, fileName).IsLoaded();
}

}  // namespace vexa::platform
