// A test-only control module: one control that subclasses the system
// BUTTON through the framework, draws itself by owner drawing, and counts
// the notifications that come back to it reflected. It proves the
// framework beyond the edit control in our container and in Wine's ATL
// host; it never ships.
#include <olectl.h>
#include <windows.h>

#include <string>

#include "module/automation_catalogue.h"
#include "win32/framework/activex_control.h"
#include "win32/framework/class_factory.h"
#include "win32/framework/com_module.h"
#include "win32/framework/property_page.h"

namespace {

using vexa::module::CoClass;
using vexa::module::Member;
using vexa::module::MemberKind;
using vexa::module::VarType;

constexpr const char* kClsid = "5E0B7C1A-3F4D-4E29-9A61-0C7B2D8E4F10";
constexpr const char* kProgId = "VexaFixture.Button.1";
constexpr const char* kPageClsid = "5E0B7C1D-3F4D-4E29-9A61-0C7B2D8E4F10";

// The fixture's page: its caption in an edit box (dialog 100, field 101).
class FixturePage : public vexa::win32::PropertyPage {
public:
    FixturePage()
        : PropertyPage(vexa::win32::ModuleInstance(), 100, "General",
                       {{101, "Caption", vexa::win32::FieldKind::Text}}) {}
};

const CoClass& FixtureClass() {
    static const CoClass cls = [] {
        CoClass c;
        c.name = "VFixtureButton";
        c.helpString = "Framework fixture: an owner-drawn BUTTON";
        c.clsid = kClsid;
        c.dispatch = {"_DVFixtureButton", "Fixture button", "5E0B7C1B-3F4D-4E29-9A61-0C7B2D8E4F10",
                      {Member{1, "Caption", VarType::Bstr, MemberKind::GetSet},
                       Member{2, "Clicks", VarType::I4, MemberKind::GetOnly},
                       Member{3, "Draws", VarType::I4, MemberKind::GetOnly},
                       Member{vexa::module::kDispIdHwnd, "hWnd", VarType::Handle, MemberKind::Stock}}};
        c.hasEvents = true;
        c.events = {"_DVFixtureButtonEvents", "Fixture button events",
                    "5E0B7C1C-3F4D-4E29-9A61-0C7B2D8E4F10",
                    {Member{vexa::module::kDispIdClick, "Click", VarType::Void, MemberKind::Event}}};
        c.control = true;
        return c;
    }();
    return cls;
}

class FixtureButton : public vexa::win32::ActiveXControl {
public:
    FixtureButton() : ActiveXControl(FixtureClass(), OLEMISC_ACTSLIKEBUTTON | OLEMISC_SETCLIENTSITEFIRST) {}

protected:
    void DoPropExchange(vexa::common::PropertyExchange& px) override {
        px.String("Caption", caption_, std::string("Fixture"));
    }
    WindowKind Kind() const override { return {"BUTTON", BS_OWNERDRAW}; }
    HRESULT GetProperty(const Member& member, vexa::common::PropertyValue& v) override {
        switch (member.dispId) {
            case 1: v.text = caption_; return S_OK;
            case 2: v.number = clicks_; return S_OK;
            case 3: v.number = draws_; return S_OK;
            default: return ActiveXControl::GetProperty(member, v);
        }
    }
    HRESULT SetProperty(const Member& member, const vexa::common::PropertyValue& v) override {
        if (member.dispId != 1) return ActiveXControl::SetProperty(member, v);
        caption_ = v.text;
        InvalidateControl();
        return S_OK;
    }
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
        if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
            ++clicks_;
            FireEvent(vexa::module::kDispIdClick);
            result = 0;
            return true;
        }
        if (msg == WM_DRAWITEM) {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            ++draws_;
            Paint(item->hDC, item->rcItem, (item->itemState & ODS_FOCUS) != 0);
            result = TRUE;
            return true;
        }
        return false;
    }
    void OnDraw(HDC dc, const RECT& bounds) override { Paint(dc, bounds, false); }
    std::vector<std::string_view> PropertyPages() const override { return {kPageClsid}; }

private:
    // A dark green face with the caption in white: easy to find in a
    // screenshot, and nothing the system button would draw.
    void Paint(HDC dc, const RECT& r, bool focus) {
        HBRUSH face = CreateSolidBrush(RGB(0, 96, 48));
        FillRect(dc, &r, face);
        DeleteObject(face);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        RECT text = r;
        DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (focus) DrawFocusRect(dc, &r);
    }

    std::string caption_ = "Fixture";
    int clicks_ = 0;
    int draws_ = 0;
};

IUnknown* CreateFixture() { return static_cast<IOleObject*>(new FixtureButton()); }
IUnknown* CreatePage() { return static_cast<IPropertyPage2*>(new FixturePage()); }

bool SetKey(const std::string& path, const char* name, const std::string& value) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        vexa::win32::SetModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
    GUID control{}, page{};
    vexa::win32::ParseGuid(kClsid, control);
    vexa::win32::ParseGuid(kPageClsid, page);
    vexa::win32::CreateObjectFn create = IsEqualCLSID(clsid, control) ? &CreateFixture
                                         : IsEqualCLSID(clsid, page)  ? &CreatePage
                                                                      : nullptr;
    return vexa::win32::GetClassObject(create, riid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return vexa::win32::CanUnload() ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    const std::string clsid = std::string("CLSID\\{") + kClsid + "}";
    const std::string page = std::string("CLSID\\{") + kPageClsid + "}";
    bool ok = SetKey(page, nullptr, "Vexa framework fixture page") &&
              SetKey(page + "\\InprocServer32", nullptr, vexa::win32::ModulePath()) &&
              SetKey(page + "\\InprocServer32", "ThreadingModel", "Apartment") &&
              SetKey(clsid, nullptr, "Vexa framework fixture button") &&
              SetKey(clsid + "\\InprocServer32", nullptr, vexa::win32::ModulePath()) &&
              SetKey(clsid + "\\InprocServer32", "ThreadingModel", "Apartment") &&
              SetKey(clsid + "\\ProgID", nullptr, kProgId) && SetKey(clsid + "\\Control", nullptr, "") &&
              SetKey(kProgId, nullptr, "Vexa framework fixture button") &&
              SetKey(std::string(kProgId) + "\\CLSID", nullptr, std::string("{") + kClsid + "}");
    return ok ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, (std::string("CLSID\\{") + kClsid + "}").c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, (std::string("CLSID\\{") + kPageClsid + "}").c_str());
    return S_OK;
}
