#include "win32/seam/win32_keyboard.h"

#include <windows.h>

#include <array>

#include "platform/device_names.h"

namespace vexa::win32 {

bool Win32Keyboard::IsDown(int virtualKey) const {
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

void Win32Keyboard::SetDown(int virtualKey, bool down) {
    std::array<BYTE, 256> state{};
    if (!GetKeyboardState(state.data())) return;
    BYTE& key = state[static_cast<std::size_t>(virtualKey) & 0xFF];
    key = down ? static_cast<BYTE>(key | 0x80) : static_cast<BYTE>(key & ~0x80);
    SetKeyboardState(state.data());
}

bool Win32Keyboard::IsToggled(int virtualKey) const {
    return (GetKeyState(virtualKey) & 0x0001) != 0;
}

int Win32Keyboard::ScanCode(int virtualKey) const {
    return static_cast<int>(MapVirtualKeyA(static_cast<UINT>(virtualKey), 0));
}

std::string Win32Keyboard::CharacterOf(int virtualKey, int scanCode, bool forceShift) const {
    std::array<BYTE, 256> state{};
    if (!GetKeyboardState(state.data())) return {};
    // The implied Shift of the keypad keys is marked in a private copy of the
    // state, so the thread's own keyboard state is never changed.
    if (forceShift) state[VK_SHIFT] |= 0x80;
    std::array<WORD, 2> characters{};
    int count = ToAscii(static_cast<UINT>(virtualKey), static_cast<UINT>(scanCode), state.data(),
                        characters.data(), 0);
    // 0: no character; below 0: a dead key. Neither types anything.
    if (count <= 0) return {};
    return std::string(1, static_cast<char>(characters[0] & 0xFF));
}

namespace {

// The ANSI path as UTF-16, through the process's code page (the wide calls
// take paths of any length and see the real characters of the name).
std::wstring WidePath(const std::string& directory, const std::string& fileName) {
    std::string path = platform::JoinPath(directory, fileName, '\\');
    int length = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                     nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(),
                        length);
    return wide;
}

bool NamesDevice(const std::wstring& path) {
    return platform::IsReservedDeviceName(
        std::u16string_view(reinterpret_cast<const char16_t*>(path.data()), path.size()));
}

}  // namespace

platform::FileKind Win32FileReader::Probe(const std::string& directory,
                                          const std::string& fileName) {
    if (directory.empty()) return platform::FileKind::Missing;  // never the current directory
    std::wstring path = WidePath(directory, fileName);
    if (path.empty() || NamesDevice(path)) return platform::FileKind::Missing;
    // The attributes only: opening a device to ask may never return.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return platform::FileKind::Missing;
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return platform::FileKind::Other;
    }
    return platform::FileKind::Regular;
}

std::optional<std::string> Win32FileReader::Read(const std::string& directory,
                                                 const std::string& fileName, std::size_t limit) {
    if (Probe(directory, fileName) != platform::FileKind::Regular) return std::nullopt;
    std::wstring path = WidePath(directory, fileName);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes(limit, '\0');
    std::size_t have = 0;
    while (have < limit) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(limit - have > 0x10000 ? 0x10000 : limit - have);
        if (!ReadFile(file, bytes.data() + have, want, &got, nullptr) || got == 0) break;
        have += got;
    }
    CloseHandle(file);
    bytes.resize(have);
    return bytes;
}

}  // namespace vexa::win32
