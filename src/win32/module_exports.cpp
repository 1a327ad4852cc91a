// The four exports of the module and its entry point.

#include <comcat.h>
#include <olectl.h>
#include <windows.h>

#include <string>
#include <vector>

#include "module/automation_catalogue.h"
#include "module/class_table.h"
#include "module/registration.h"
#include "defaults/default_values.h"
#include "win32/framework/class_registry.h"
#include "win32/framework/com_module.h"
#include "win32/framework/module_services.h"

using namespace vexa;

namespace {

// The component categories every control is marked with.
const CATID kSafeForInitializing = {0x7DD95802, 0x9882, 0x11CF,
                                    {0x9F, 0xA9, 0x00, 0xAA, 0x00, 0x6C, 0x42, 0xC4}};
const CATID kSafeForScripting = {0x7DD95801, 0x9882, 0x11CF,
                                 {0x9F, 0xA9, 0x00, 0xAA, 0x00, 0x6C, 0x42, 0xC4}};

class ComScope {
public:
    ComScope() : hr_(CoInitialize(nullptr)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }

private:
    HRESULT hr_;
};

HRESULT WithCategoryManager(HRESULT (*action)(ICatRegister*, const CLSID&, const CATID&,
                                              const wchar_t*),
                            const CLSID& clsid, const CATID& catid, const wchar_t* text) {
    ICatRegister* manager = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_ICatRegister, reinterpret_cast<void**>(&manager));
    if (FAILED(hr)) return hr;
    hr = action(manager, clsid, catid, text);
    manager->Release();
    return hr;
}

HRESULT RegisterCategory(ICatRegister* manager, const CLSID&, const CATID& catid,
                         const wchar_t* text) {
    CATEGORYINFO info{};
    info.catid = catid;
    info.lcid = 1033;
    lstrcpynW(info.szDescription, text, 128);  // at most 127 characters and the terminator
    return manager->RegisterCategories(1, &info);
}

HRESULT MarkImplemented(ICatRegister* manager, const CLSID& clsid, const CATID& catid,
                        const wchar_t*) {
    CATID ids[1] = {catid};
    return manager->RegisterClassImplCategories(clsid, 1, ids);
}

HRESULT RemoveImplemented(ICatRegister* manager, const CLSID& clsid, const CATID& catid,
                          const wchar_t*) {
    CATID ids[1] = {catid};
    return manager->UnRegisterClassImplCategories(clsid, 1, ids);
}

GUID Guid(std::string_view text) {
    GUID g{};
    win32::ParseGuid(std::string(text), g);
    return g;
}

SYSKIND ThisSysKind() { return sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32; }

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        win32::SetModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    // A class without a creator gets no factory; registration writes keys
    // only for the classes the class table marks implemented, and the Wine
    // stage checks class by class that the two agree.
    const module::FactoryEntry* entry = module::FindFactory(win32::GuidText(clsid));
    if (!entry) return CLASS_E_CLASSNOTAVAILABLE;
    return win32::GetClassObject(win32::CreatorOf(entry->className), riid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return win32::CanUnload() ? S_OK : S_FALSE; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    ComScope com;
    std::string path = win32::ModulePath();
    std::wstring widePath(path.begin(), path.end());
    ITypeLib* library = nullptr;
    if (FAILED(LoadTypeLibEx(widePath.c_str(), REGKIND_NONE, &library))) return SELFREG_E_TYPELIB;
    HRESULT hr = RegisterTypeLib(library, widePath.data(), nullptr);
    library->Release();
    if (FAILED(hr)) return SELFREG_E_TYPELIB;

    win32::ModuleServices& services = win32::Services();
    if (!module::RegisterClasses(services.registry, path)) return SELFREG_E_CLASS;

    for (int i = 0; i < module::kControlCount; ++i) {
        if (!module::ControlFactory(i).implemented) continue;
        CLSID clsid = Guid(module::ControlFactory(i).clsid);
        const struct {
            const CATID& catid;
            const wchar_t* text;
        } steps[] = {{kSafeForInitializing, L"Controls safely initializable from persistent data!"},
                     {kSafeForScripting, L"Controls safely scriptable!"}};
        for (const auto& step : steps) {
            hr = WithCategoryManager(RegisterCategory, clsid, step.catid, step.text);
            if (FAILED(hr)) return hr;
            hr = WithCategoryManager(MarkImplemented, clsid, step.catid, nullptr);
            if (FAILED(hr)) return hr;
        }
    }

    defaults::DefaultValuesRecord factory = defaults::FactoryDefaultValues();
    defaults::SaveDefaultValues(services.registry, factory, 0);
    defaults::SaveDefaultValues(services.registry, factory, 1);
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    ComScope com;
    // The category marks live under the class keys: they go first, while
    // those keys still exist. Each step runs even when an earlier one
    // failed (a second unregistration finds nothing to remove); what counts
    // is whether anything of ours is left behind at the end.
    for (int i = 0; i < module::kControlCount; ++i) {
        if (!module::ControlFactory(i).implemented) continue;
        CLSID clsid = Guid(module::ControlFactory(i).clsid);
        for (const CATID* catid : {&kSafeForInitializing, &kSafeForScripting}) {
            WithCategoryManager(RemoveImplemented, clsid, *catid, nullptr);
        }
    }
    const module::TypeLibrary& lib = module::Catalogue();
    UnRegisterTypeLib(Guid(lib.libid), static_cast<WORD>(lib.majorVersion),
                      static_cast<WORD>(lib.minorVersion), static_cast<LCID>(lib.lcid),
                      ThisSysKind());
    platform::RegistryStore& registry = win32::Services().registry;
    module::UnregisterClasses(registry);

    const std::vector<std::string> left = module::RegistrationLeftBehind(registry);
    if (left.empty()) return S_OK;
    for (const std::string& key : left) {
        if (key.rfind("TypeLib\\", 0) == 0 || key.rfind("Interface\\", 0) == 0) {
            return SELFREG_E_TYPELIB;
        }
    }
    return SELFREG_E_CLASS;
}
