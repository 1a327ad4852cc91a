// vexa-setup register|unregister MODULE: the installer's registration step.
//
// Windows Installer packages built with wixl cannot self-register a module
// (no SelfReg table) nor run a system program from a folder, so the package
// installs this small program and runs it as a deferred custom action:
//   register    calls the module's DllRegisterServer;
//   unregister  calls DllUnregisterServer and then removes what the module
//               keeps on purpose across a plain unregistration (the saved
//               defaults under the versioned ProgIDs): removing the product
//               removes all of it.
// Exit code 0 on success; the failing HRESULT is printed otherwise.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "module/class_table.h"

namespace {

using EntryPoint = HRESULT(STDAPICALLTYPE*)();

int Call(const char* module, const char* entry) {
    HMODULE lib = LoadLibraryA(module);
    if (!lib) {
        std::printf("vexa-setup: cannot load %s (error %lu)\n", module, GetLastError());
        return 1;
    }
    auto fn = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(lib, entry)));
    HRESULT hr = fn ? fn() : E_NOINTERFACE;
    FreeLibrary(lib);
    if (FAILED(hr)) {
        std::printf("vexa-setup: %s of %s failed: 0x%08lX\n", entry, module,
                    static_cast<unsigned long>(hr));
        return 1;
    }
    return 0;
}

// The default values live under the versioned ProgID of each control.
void RemoveSavedDefaults() {
    for (const vexa::module::FactoryEntry& f : vexa::module::Factories()) {
        if (f.kind != vexa::module::FactoryKind::Control) continue;
        std::string key(f.progId);
        std::string defaults = key + "\\DefaultValues";
        RegDeleteTreeA(HKEY_CLASSES_ROOT, defaults.c_str());
        // The ProgID key itself when nothing else is left in it.
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: vexa-setup register|unregister MODULE\n");
        return 2;
    }
    HRESULT init = CoInitialize(nullptr);
    int rc = 2;
    if (std::strcmp(argv[1], "register") == 0) {
        rc = Call(argv[2], "DllRegisterServer");
    } else if (std::strcmp(argv[1], "unregister") == 0) {
        rc = Call(argv[2], "DllUnregisterServer");
        RemoveSavedDefaults();
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return rc;
}
