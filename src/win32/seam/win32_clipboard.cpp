#include "win32/seam/win32_clipboard.h"

#include <cstring>
#include <string>

namespace vexa::win32 {

unsigned Win32Clipboard::RegisterFormat(std::string_view name) {
    const std::string z(name);
    return RegisterClipboardFormatA(z.c_str());
}

bool Win32Clipboard::Open() { return OpenClipboard(owner_()) != FALSE; }

void Win32Clipboard::Close() { CloseClipboard(); }

bool Win32Clipboard::Empty() { return EmptyClipboard() != FALSE; }

bool Win32Clipboard::SetData(unsigned format, std::string_view block) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, block.empty() ? 1 : block.size());
    if (!memory) return false;
    void* bytes = GlobalLock(memory);
    if (!bytes) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(bytes, block.data(), block.size());
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory)) {
        GlobalFree(memory);  // still ours: the clipboard did not take it
        return false;
    }
    return true;
}

bool Win32Clipboard::HasFormat(unsigned format) const {
    return IsClipboardFormatAvailable(format) != FALSE;
}

std::optional<std::string> Win32Clipboard::GetData(unsigned format) {
    HANDLE memory = GetClipboardData(format);
    if (!memory) return std::nullopt;
    const SIZE_T size = GlobalSize(memory);
    const void* bytes = GlobalLock(memory);
    if (!bytes) return std::nullopt;
    std::string block(static_cast<const char*>(bytes), size);
    GlobalUnlock(memory);
    return block;
}

}  // namespace vexa::win32
