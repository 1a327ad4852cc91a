#include "win32/seam/win32_platform.h"

#include <windows.h>

#include <vector>

namespace vexa::win32 {

namespace {

std::string JoinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    char last = directory.back();
    return (last == '\\' || last == '/') ? directory + name : directory + "\\" + name;
}

}  // namespace

platform::LibraryHandle Win32LibraryLoader::Load(const std::string& directory,
                                                 const std::string& fileName) {
    if (directory.empty()) return nullptr;  // never a bare name
    std::string path = JoinPath(directory, fileName);
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    SetErrorMode(oldMode);
    return reinterpret_cast<platform::LibraryHandle>(module);
}

platform::EntryAddress Win32LibraryLoader::FindEntry(platform::LibraryHandle library,
                                                     const std::string& entry) {
    FARPROC address = GetProcAddress(static_cast<HMODULE>(library), entry.c_str());
    return reinterpret_cast<platform::EntryAddress>(address);
}

void Win32LibraryLoader::Free(platform::LibraryHandle library) {
    if (library != nullptr) FreeLibrary(static_cast<HMODULE>(library));
}

std::string Win32SystemPaths::SystemDirectory() const {
    std::vector<char> buffer(MAX_PATH + 1);
    UINT length = GetSystemDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetSystemDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    return length == 0 || length >= buffer.size() ? std::string() : std::string(buffer.data(), length);
}

std::string Win32SystemPaths::ModuleDirectory() const {
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        DWORD length = GetModuleFileNameA(static_cast<HMODULE>(module_), buffer.data(),
                                          static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            std::string path(buffer.data(), length);
            std::size_t slash = path.find_last_of("\\/");
            return slash == std::string::npos ? std::string() : path.substr(0, slash);
        }
        buffer.resize(buffer.size() * 2);
    }
}

platform::MessageAnswer Win32MessageBoxes::Show(const std::string& caption,
                                                const std::string& text,
                                                platform::MessageButtons buttons,
                                                platform::MessageIcon icon) {
    UINT style = buttons == platform::MessageButtons::YesNo ? MB_YESNO : MB_OK;
    switch (icon) {
        case platform::MessageIcon::Stop: style |= MB_ICONSTOP; break;
        case platform::MessageIcon::Exclamation: style |= MB_ICONEXCLAMATION; break;
        case platform::MessageIcon::Information: style |= MB_ICONINFORMATION; break;
        case platform::MessageIcon::None: break;
    }
    int result = MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), style);
    if (result == IDYES) return platform::MessageAnswer::Yes;
    if (result == IDNO) return platform::MessageAnswer::No;
    return platform::MessageAnswer::Ok;
}

void Win32MessageBoxes::Beep() { MessageBeep(0); }

}  // namespace vexa::win32
