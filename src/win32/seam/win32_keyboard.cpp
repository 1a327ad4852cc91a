#include "win32/seam/win32_keyboard.h"

#include <windows.h>

#include <array>

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

std::optional<std::string> Win32FileReader::Read(const std::string& directory,
                                                 const std::string& fileName, std::size_t limit) {
    if (directory.empty()) return std::nullopt;  // never relative to the current directory
    std::string path = platform::JoinPath(directory, fileName, '\\');
    // Only regular disk files: a device (a serial port, the console) may
    // never end a read, and a folder is no layout.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return std::nullopt;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return std::nullopt;
    }
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
