#include "win32/framework/com_module.h"

#include <cstdio>
#include <vector>

namespace vexa::win32 {

namespace {
HINSTANCE g_instance = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;
}  // namespace

HINSTANCE ModuleInstance() { return g_instance; }
void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

std::string ModulePath() {
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        DWORD n = GetModuleFileNameA(g_instance, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

void ObjectCreated() { InterlockedIncrement(&g_objects); }
void ObjectDestroyed() { InterlockedDecrement(&g_objects); }
void LockServer(bool lock) {
    if (lock)
        InterlockedIncrement(&g_locks);
    else
        InterlockedDecrement(&g_locks);
}
bool CanUnload() { return g_objects == 0 && g_locks == 0; }

bool ParseGuid(const std::string& text, GUID& guid) {
    std::string braced = text.front() == '{' ? text : "{" + text + "}";
    std::wstring wide(braced.begin(), braced.end());
    return SUCCEEDED(CLSIDFromString(wide.c_str(), &guid));
}

std::string GuidText(const GUID& g) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buffer;
}

ITypeLib* ModuleTypeLibrary() {
    static ITypeLib* library = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::string path = ModulePath();
        std::wstring wide(path.begin(), path.end());
        if (FAILED(LoadTypeLibEx(wide.c_str(), REGKIND_NONE, &library))) library = nullptr;
    }
    return library;
}

}  // namespace vexa::win32
