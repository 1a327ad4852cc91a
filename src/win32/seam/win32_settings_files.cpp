#include "win32/seam/win32_settings_files.h"

#include <windows.h>

namespace vexa::win32 {

namespace {

std::optional<std::string> ReadAll(HANDLE file) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart > (1 << 24)) return std::nullopt;
    std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!data.empty() &&
        (!ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr) ||
         read != data.size()))
        return std::nullopt;
    return data;
}

}  // namespace

std::optional<std::string> Win32SettingsFiles::Read(const std::string& fileName) {
    HANDLE file = CreateFileA((folder_ + fileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::string> data = ReadAll(file);
    CloseHandle(file);
    return data;
}

bool Win32SettingsFiles::Rewrite(
    const std::string& fileName,
    const std::function<std::string(const std::optional<std::string>&)>& compose) {
    std::string path = folder_ + fileName;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::optional<std::string> old;
    if (file != INVALID_HANDLE_VALUE) {
        old = ReadAll(file);
    } else {
        file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
    }
    std::string fresh = compose(old);
    DWORD written = 0;
    // Written from the start, then cut where the new contents end: a shorter
    // record must not leave the old one's last bytes behind it.
    bool ok = SetFilePointer(file, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
              WriteFile(file, fresh.data(), static_cast<DWORD>(fresh.size()), &written, nullptr) &&
              written == fresh.size() && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

}  // namespace vexa::win32
