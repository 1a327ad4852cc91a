#pragma once

#include "platform/file_reader.h"
#include "platform/keyboard_input.h"

namespace vexa::win32 {

// Key state from GetKeyState, scan codes from MapVirtualKeyA and characters
// from ToAscii over a copy of the thread's keyboard state.
class Win32Keyboard : public platform::KeyboardInput {
public:
    bool IsDown(int virtualKey) const override;
    void SetDown(int virtualKey, bool down) override;
    bool IsToggled(int virtualKey) const override;
    int ScanCode(int virtualKey) const override;
    std::string CharacterOf(int virtualKey, int scanCode, bool forceShift) const override;
};

// Probes files by their attributes (GetFileAttributesW) and reads regular
// files by full path in binary mode.
class Win32FileReader : public platform::FileReader {
public:
    platform::FileKind Probe(const std::string& directory, const std::string& fileName) override;
    std::optional<std::string> Read(const std::string& directory, const std::string& fileName,
                                    std::size_t limit) override;
};

}  // namespace vexa::win32
