// vexa-wintest: checks of the module that need Windows itself, run under
// Wine by tests/win/run-tests.
//
//   vexa-wintest registry registered|unregistered   the registry after
//                                                    regsvr32 and regsvr32 /u
//   vexa-wintest atl                                 the edit control in
//                                                    Wine's ATL host, and its
//                                                    clipboard formats
//   vexa-wintest dialog                              the edit control in a
//                                                    dialog's IsDialogMessage loop
//   vexa-wintest captions-atl                        the caption controls in
//                                                    Wine's ATL host
//   vexa-wintest captions-dialog                     the caption controls in a
//                                                    dialog's IsDialogMessage loop
//   vexa-wintest static-atl                          VStatic in Wine's ATL host:
//                                                    painting, Click, the link
//   vexa-wintest listbox-atl                         VListBox in Wine's ATL host
//   vexa-wintest frames                              the frame of VEdit, VStatic
//                                                    and VListBox follows
//                                                    BorderStyle and Appearance
//   vexa-wintest fixture                             the framework's BUTTON
//                                                    fixture in the ATL host
//   vexa-wintest members                             every catalogue member of
//                                                    every built control is handled
//   vexa-wintest dispatch                            the edit control's
//                                                    dispatch against its
//                                                    type library
//
// Prints one line per failed check and, at the end, "RESULT ok" or
// "RESULT failed N".

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "module/class_table.h"
#include "module/registration.h"
#include "tests/win/com_doubles.h"
#include "tests/win/wintest_util.h"
#include "win32/seam/win32_registry.h"

void CheckDialogHost();
void CheckClipboard(IDispatch* d);
void CheckCaptionsInAtlHost();
void CheckStaticInAtlHost();
void CheckCaptionsInDialog();
void CheckListBoxInAtlHost();
void CheckFramesInAtlHost();
void CheckFixtureHost();
void CheckCatalogueMembers();
void CheckDispatchAgainstTypeLibrary();
void CheckPageClasses();
void CheckAccessibility();

namespace {

using wintest::Check;
using wintest::GetText;
using wintest::Pump;
using wintest::Bag;
using wintest::Sink;

// ---- registry ----

bool KeyExists(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The string value, or "<missing>".
std::string Value(const std::string& path, const char* name = nullptr) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<missing>";
    char data[1024] = {};
    DWORD size = sizeof data - 1, type = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ) return "<missing>";
    return data;
}

void Expect(const std::string& path, const char* name, const std::string& expected) {
    std::string got = Value(path, name);
    Check(got == expected, path + (name ? std::string(" [") + name + "]" : std::string()) + " is \"" +
                               got + "\", expected \"" + expected + "\"");
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

const char* kLib = "{87AE5FB9-9808-402D-B852-18B49CB461A3}";
const char* kSafeInit = "{7DD95802-9882-11CF-9FA9-00AA006C42C4}";
const char* kSafeScript = "{7DD95801-9882-11CF-9FA9-00AA006C42C4}";

// The module hands out a working factory for exactly the classes it
// registered: DllGetClassObject of the module file itself, class by class.
void CheckFactoriesAgree(const std::string& modulePath) {
    HMODULE module = LoadLibraryA(modulePath.c_str());
    Check(module != nullptr, "load " + modulePath);
    if (!module) return;
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    Check(get != nullptr, "DllGetClassObject exported");
    for (const auto& f : vexa::module::Factories()) {
        if (!get) break;
        std::string braced = "{" + std::string(f.clsid) + "}";
        std::wstring wide(braced.begin(), braced.end());
        CLSID clsid{};
        CLSIDFromString(wide.c_str(), &clsid);
        IClassFactory* factory = nullptr;
        HRESULT hr = get(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
        bool registered = KeyExists("CLSID\\" + braced);
        Check(SUCCEEDED(hr) == registered,
              std::string(f.className) + (registered ? " is registered but has no factory"
                                                     : " has a factory but is not registered"));
        Check(SUCCEEDED(hr) || hr == CLASS_E_CLASSNOTAVAILABLE,
              std::string(f.className) + " refused with CLASS_E_CLASSNOTAVAILABLE");
        if (!factory) continue;
        IUnknown* object = nullptr;
        Check(SUCCEEDED(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object))),
              std::string(f.className) + ": the factory creates an object");
        if (object) object->Release();
        factory->Release();
    }
}

void CheckRegistered() {
    // The edit control, value by value.
    std::string edit = "CLSID\\{A220A051-6AFF-4B93-9C32-3829B0EFFF62}";
    Expect(edit, nullptr, "VEdit Control");
    std::string path = Value(edit + "\\InprocServer32");
    Check(EndsWith(path, "\\vexa.ocx"), "server path " + path);
    Expect(edit + "\\InprocServer32", "ThreadingModel", "Apartment");
    Expect(edit + "\\ProgID", nullptr, "VEXAOCX.VEditCtrl.1");
    Expect(edit + "\\ToolboxBitmap32", nullptr, path + ", 1");
    Expect(edit + "\\MiscStatus", nullptr, "0");
    Expect(edit + "\\MiscStatus\\1", nullptr, "131473");
    Expect(edit + "\\TypeLib", nullptr, kLib);
    Expect(edit + "\\Version", nullptr, "1.0");
    Check(KeyExists(edit + "\\Control"), "edit Control key");
    Check(KeyExists(edit + "\\Insertable"), "edit Insertable key");
    Expect("VEXAOCX.VEditCtrl.1", nullptr, "VEdit Control");
    Expect("VEXAOCX.VEditCtrl.1\\CLSID", nullptr, "{A220A051-6AFF-4B93-9C32-3829B0EFFF62}");
    Expect(edit + "\\VersionIndependentProgID", nullptr, "VEXAOCX.VEditCtrl");
    Expect("VEXAOCX.VEditCtrl\\CurVer", nullptr, "VEXAOCX.VEditCtrl.1");
    Expect("VEXAOCX.VEditCtrl\\CLSID", nullptr, "{A220A051-6AFF-4B93-9C32-3829B0EFFF62}");
    {
        // COM resolves the version-independent ProgID to the same class.
        CLSID byCurrent{}, byVersion{};
        Check(SUCCEEDED(CLSIDFromProgID(L"VEXAOCX.VEditCtrl", &byCurrent)) &&
                  SUCCEEDED(CLSIDFromProgID(L"VEXAOCX.VEditCtrl.1", &byVersion)) &&
                  IsEqualCLSID(byCurrent, byVersion),
              "VEXAOCX.VEditCtrl resolves to the edit control");
    }
    // Every class the module creates objects of is registered with the keys
    // of its kind; the others (still to be built) leave no trace, so a host
    // never offers a class whose factory would be refused.
    for (const auto& f : vexa::module::Factories()) {
        std::string clsid = "CLSID\\{" + std::string(f.clsid) + "}";
        if (!f.implemented) {
            Check(!KeyExists(clsid), clsid + " (" + std::string(f.className) + ") is not registered");
            Check(!KeyExists(std::string(f.progId)), std::string(f.progId) + " is not registered");
            continue;
        }
        Expect(clsid, nullptr, std::string(f.name));
        Expect(clsid + "\\InprocServer32", "ThreadingModel", "Apartment");
        Expect(std::string(f.progId) + "\\CLSID", nullptr, "{" + std::string(f.clsid) + "}");
        bool control = f.kind == vexa::module::FactoryKind::Control;
        Check(KeyExists(clsid + "\\Control") == control, clsid + " Control key");
        if (!control) continue;
        Expect(clsid + "\\ToolboxBitmap32", nullptr, path + ", " + std::to_string(f.bitmapId));
        Expect(clsid + "\\MiscStatus\\1", nullptr, std::to_string(f.miscStatus));
        Check(KeyExists(clsid + "\\Implemented Categories\\" + kSafeInit), clsid + " safe to initialise");
        Check(KeyExists(clsid + "\\Implemented Categories\\" + kSafeScript), clsid + " safe to script");
    }
    Expect(std::string("Component Categories\\") + kSafeInit, "409",
           "Controls safely initializable from persistent data!");
    Expect(std::string("Component Categories\\") + kSafeScript, "409", "Controls safely scriptable!");
    Check(!KeyExists("CLSID\\{2CE7D6AC-CE48-4C74-A498-76AE78FC9511}"), "VComboBox is not registered");
    CheckFactoriesAgree(path);

    // The type library and the interfaces it declares.
    Expect(std::string("TypeLib\\") + kLib + "\\1.0", nullptr, "Vexa_OCX ActiveX Control module");
    Check(KeyExists(std::string("TypeLib\\") + kLib + "\\1.0\\409"), "type library locale 1033");
    Expect("Interface\\{E7C054A9-A473-4468-AA5F-445C33ECECEA}", nullptr, "_DVEdit");
    Expect("Interface\\{000FA72F-111A-48BD-AC25-D54FA3233053}", nullptr, "_DVEditEvents");

    // The factory defaults.
    const char* dv = "VEXAOCX.VEditCtrl.1\\DefaultValues";
    Expect(dv, "ScriptName", "Devanagari");
    Expect(dv, "FontName", "DVB-TTDorvan");
    Expect(dv, "FontSize", "18");
    Expect(dv, "KeyboardType", "0");
    Expect(dv, "DataFormat", "0");
}

void CheckUnregistered() {
    // Nothing of the registration is left: classes, ProgIDs, type library,
    // interfaces (the default values are not part of it).
    vexa::win32::Win32Registry registry;
    for (const std::string& key : vexa::module::RegistrationLeftBehind(registry)) {
        Check(false, key + " left behind");
    }
    for (const auto& f : vexa::module::Factories()) {
        Check(!KeyExists("CLSID\\{" + std::string(f.clsid) + "}"), std::string(f.className) + " removed");
        Check(!KeyExists(std::string(f.progId) + "\\CLSID"), std::string(f.progId) + " removed");
        std::string current = vexa::module::VersionIndependentProgId(f.progId);
        if (!current.empty()) Check(!KeyExists(current), current + " removed");
    }
    Check(!KeyExists("VEXAOCX.VStaticCtrl.1"), "static ProgID key removed");
    Check(!KeyExists(std::string("TypeLib\\") + kLib), "type library removed");
    Check(!KeyExists("Interface\\{E7C054A9-A473-4468-AA5F-445C33ECECEA}"), "interface removed");
    // Category descriptions and the default values stay.
    Expect(std::string("Component Categories\\") + kSafeScript, "409", "Controls safely scriptable!");
    Expect("VEXAOCX.VEditCtrl.1\\DefaultValues", "FontName", "DVB-TTDorvan");
}

// ---- the edit control in Wine's ATL host ----

// The missing-converter question (asked when the family is not installed)
// is answered Yes, so the host never waits for a user.
LRESULT CALLBACK AnswerBoxes(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wp);
        char cls[32] = {};
        GetClassNameA(box, cls, sizeof cls);
        if (std::string(cls) == "#32770") {
            int answer = GetDlgItem(box, IDYES) ? IDYES : IDOK;
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void CheckAtlHost() {
    SetWindowsHookExA(WH_CBT, AnswerBoxes, nullptr, GetCurrentThreadId());
    HMODULE atl = LoadLibraryA("atl.dll");
    Check(atl != nullptr, "atl.dll loads");
    if (!atl) return;
    using InitFn = BOOL(WINAPI*)();
    using GetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);
    auto init = reinterpret_cast<InitFn>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
    auto getControl = reinterpret_cast<GetControlFn>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
    Check(init && getControl && init(), "AtlAxWinInit");
    if (!init || !getControl) return;

    HWND frame = CreateWindowA("STATIC", "atl host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 200,
                               nullptr, nullptr, nullptr, nullptr);
    HWND host = CreateWindowA("AtlAxWin", "VEXAOCX.VEditCtrl.1", WS_CHILD | WS_VISIBLE, 10, 10, 300, 40,
                              frame, nullptr, nullptr, nullptr);
    Pump();
    IUnknown* unknown = nullptr;
    Check(host && SUCCEEDED(getControl(host, &unknown)) && unknown, "the ATL host created the control");
    if (!unknown) return;
    IDispatch* d = nullptr;
    unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d));
    Check(d != nullptr, "IDispatch");
    if (!d) return;

    HWND control = GetWindow(host, GW_CHILD);
    char cls[64] = {};
    if (control) GetClassNameA(control, cls, sizeof cls);
    Check(std::string(cls) == "VexaControlWindow", std::string("control window class ") + cls);
    Check(GetText(d, L"Text") == "VEdit", "Text starts as VEdit");
    Check(GetText(d, L"hWnd") == std::to_string(reinterpret_cast<INT_PTR>(control)), "hWnd is the window");

    // Events through the default source interface.
    Sink sink;
    IConnectionPointContainer* points = nullptr;
    IConnectionPoint* point = nullptr;
    DWORD cookie = 0;
    IID events{};
    IProvideClassInfo2* info = nullptr;
    if (SUCCEEDED(unknown->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&info)))) {
        info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events);
        info->Release();
    }
    if (SUCCEEDED(unknown->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points))) &&
        SUCCEEDED(points->FindConnectionPoint(events, &point)))
        point->Advise(&sink, &cookie);
    Check(cookie != 0, "events connected");

    // Focus and a key: SETFOCUS (2), then CHANGE (1), KeyDown (-602),
    // KeyPress (-603), and the typed letter in the text.
    SetFocus(control);
    Pump();
    PostMessageA(control, WM_KEYDOWN, 'A', 1 | (MapVirtualKeyA('A', 0) << 16));
    Pump();
    std::vector<std::string> expected{"2", "1", "-602:65", "-603:65"};
    std::string got;
    for (auto& e : sink.events) got += e + " ";
    Check(sink.events == expected, "events after focus and a key: " + got);
    // The caret starts at the beginning of the loaded text.
    Check(GetText(d, L"Text") == "aVEdit", "typed text: " + GetText(d, L"Text"));

    // It paints: the window's picture has text pixels.
    const int dark = wintest::DarkPixels(control);
    Check(dark > 20, "the control paints its text (" + std::to_string(dark) + " dark pixels)");

    // Persistence in the bag form and the stream form.
    Bag bag;
    IPersistPropertyBag* pb = nullptr;
    Check(SUCCEEDED(unknown->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&pb))) &&
              SUCCEEDED(pb->Save(&bag, TRUE, TRUE)),
          "saved to a property bag");
    if (pb) pb->Release();
    Check(bag.values.count(L"Text") && bag.values.count(L"LinFile") && bag.values.size() == 21,
          "the bag holds the 21 properties (" + std::to_string(bag.values.size()) + ")");
    CLSID clsid;
    CLSIDFromProgID(L"VEXAOCX.VEditCtrl.1", &clsid);
    IPersistPropertyBag* fresh = nullptr;
    if (SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistPropertyBag,
                                   reinterpret_cast<void**>(&fresh)))) {
        Check(SUCCEEDED(fresh->Load(&bag, nullptr)), "loaded from the bag");
        IDispatch* d2 = nullptr;
        fresh->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d2));
        Check(d2 && GetText(d2, L"Text") == "aVEdit", "the loaded control has the saved text");
        if (d2) d2->Release();
        fresh->Release();
    }

    CheckClipboard(d);

    // A Unicode window: WM_UNICHAR answers TRUE for UNICODE_NOCHAR; a code
    // point, an input method's character and a non-ASCII WM_CHAR are typed
    // as their ISCII with CHANGE and KeyPress, as a key is; a Tamil letter
    // in Devanagari types nothing.
    Check(IsWindowUnicode(control), "the control's window is a Unicode window");
    Check(SendMessageW(control, WM_UNICHAR, UNICODE_NOCHAR, 0) == TRUE,
          "WM_UNICHAR with UNICODE_NOCHAR answers TRUE");
    wintest::PutBytes(d, L"Text", "");
    SetFocus(control);
    Pump();
    sink.events.clear();
    SendMessageW(control, WM_UNICHAR, 0x0915, 1);
    Check(sink.events == std::vector<std::string>{"1", "-603:2325"},
          "WM_UNICHAR fires CHANGE and KeyPress: " + (sink.events.empty() ? "" : sink.events[0]));
    SendMessageW(control, WM_IME_CHAR, 0x092E, 1);
    SendMessageW(control, WM_CHAR, 0x0932, 1);
    SendMessageW(control, WM_CHAR, 0x0BA4, 1);
    Pump();
    Check(GetText(d, L"Text") == "\xB3\xCC\xD1", "ka, ma and la typed as ISCII, Tamil ta refused");

    if (point) {
        point->Unadvise(cookie);
        point->Release();
    }
    if (points) points->Release();
    d->Release();
    unknown->Release();
    DestroyWindow(frame);
    Pump();
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    std::string arg = argc > 2 ? argv[2] : "";
    OleInitialize(nullptr);
    if (mode == "registry" && arg == "registered")
        CheckRegistered();
    else if (mode == "registry" && arg == "unregistered")
        CheckUnregistered();
    else if (mode == "atl")
        CheckAtlHost();
    else if (mode == "dialog")
        CheckDialogHost();
    else if (mode == "captions-atl")
        CheckCaptionsInAtlHost();
    else if (mode == "static-atl")
        CheckStaticInAtlHost();
    else if (mode == "captions-dialog")
        CheckCaptionsInDialog();
    else if (mode == "listbox-atl")
        CheckListBoxInAtlHost();
    else if (mode == "frames")
        CheckFramesInAtlHost();
    else if (mode == "fixture")
        CheckFixtureHost();
    else if (mode == "members")
        CheckCatalogueMembers();
    else if (mode == "dispatch")
        CheckDispatchAgainstTypeLibrary();
    else if (mode == "page-classes")
        CheckPageClasses();
    else if (mode == "accessibility")
        CheckAccessibility();
    else {
        std::fprintf(stderr, "usage: vexa-wintest registry registered|unregistered | atl | dialog | captions-atl | captions-dialog | static-atl | listbox-atl | frames | fixture | members | dispatch | page-classes | accessibility\n");
        return 2;
    }
    OleUninitialize();
    if (wintest::g_failures)
        std::printf("RESULT failed %d of %d\n", wintest::g_failures, wintest::g_checks);
    else
        std::printf("RESULT ok %d checks\n", wintest::g_checks);
    return wintest::g_failures ? 1 : 0;
}
