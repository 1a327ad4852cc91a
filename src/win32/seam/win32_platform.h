#pragma once

#include "platform/platform.h"

namespace vexa::win32 {

// Loads family libraries with LoadLibraryExA by full path only
// (LOAD_WITH_ALTERED_SEARCH_PATH makes the library's own dependencies resolve
// next to it, never in the current directory).
class Win32LibraryLoader : public platform::LibraryLoader {
public:
    platform::LibraryHandle Load(const std::string& directory,
                                 const std::string& fileName) override;
    platform::EntryAddress FindEntry(platform::LibraryHandle library,
                                     const std::string& entry) override;
    void Free(platform::LibraryHandle library) override;
};

class Win32SystemPaths : public platform::SystemPaths {
public:
    // `moduleHandle` is the HMODULE of the module whose folder is searched.
    explicit Win32SystemPaths(void* moduleHandle) : module_(moduleHandle) {}
    std::string SystemDirectory() const override;
    std::string ModuleDirectory() const override;

private:
    void* module_;
};

class Win32MessageBoxes : public platform::MessageBoxes {
public:
    platform::MessageAnswer Show(const std::string& caption, const std::string& text,
                                 platform::MessageButtons buttons,
                                 platform::MessageIcon icon) override;
    void Beep() override;
};

}  // namespace vexa::win32
