#include "win32/seam/win32_url_launcher.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/web_address.h"

namespace vexa::win32 {

namespace {

constexpr wchar_t kLogVariable[] = L"VEXA_URL_LOG";

// The test log named by VEXA_URL_LOG, or empty when it is not set.
std::wstring LogFile() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(kLogVariable, path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
}

bool AppendLine(const std::wstring& path, const std::string& line) {
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const std::string text = line + "\n";
    DWORD written = 0;
    const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size();
    CloseHandle(file);
    return ok;
}

}  // namespace

bool Win32UrlLauncher::Open(const std::string& address) {
    if (!platform::IsWebAddress(address)) return false;
    const std::wstring log = LogFile();
    if (!log.empty()) return AppendLine(log, address);
    // The address is plain ASCII (CheckWebAddress allows nothing else).
    const std::wstring wide(address.begin(), address.end());
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace vexa::win32
