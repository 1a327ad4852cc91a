// Every property page class of the module, created through COM as a host
// would: its title, a dialog that holds every field of its exchange table,
// and a clean activation over an edit control. Then the pages each built
// control lists, in order. The pages of controls still to be built are
// checked here too: they exchange by property name, so an edit control
// stands in for the object.
#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <string>

#include "module/class_table.h"
#include "pages/page_table.h"
#include "tests/win/wintest_util.h"

using wintest::Check;

namespace {

std::string Narrow(const wchar_t* w) {
    std::string s;
    for (; w && *w; ++w) s += static_cast<char>(*w);
    return s;
}

GUID Guid(std::string_view text) {
    std::wstring braced = L"{" + std::wstring(text.begin(), text.end()) + L"}";
    GUID g{};
    CLSIDFromString(braced.c_str(), &g);
    return g;
}

void CheckPage(const vexa::module::FactoryEntry& f, IUnknown* object, HWND parent) {
    const std::string name(f.className);
    const vexa::pages::PageClass* desc = vexa::pages::FindPageClass(f.className);
    Check(desc != nullptr, name + " has a page description");
    IPropertyPage* page = nullptr;
    HRESULT hr = CoCreateInstance(Guid(f.clsid), nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                  reinterpret_cast<void**>(&page));
    Check(SUCCEEDED(hr) && page, name + " is created through COM");
    if (!page || !desc) return;
    PROPPAGEINFO info{};
    info.cb = sizeof info;
    Check(SUCCEEDED(page->GetPageInfo(&info)), name + " GetPageInfo");
    Check(Narrow(info.pszTitle) == desc->title, name + " title is " + std::string(desc->title));
    Check(info.size.cx > 100 && info.size.cy > 100, name + " has the size of its dialog");
    CoTaskMemFree(info.pszTitle);
    Check(SUCCEEDED(page->SetObjects(1, &object)), name + " SetObjects");
    RECT rect{0, 0, info.size.cx, info.size.cy};
    Check(SUCCEEDED(page->Activate(parent, &rect, FALSE)), name + " Activate");
    wintest::Pump();
    HWND dialog = FindWindowExA(parent, nullptr, "#32770", nullptr);
    Check(dialog != nullptr, name + " shows its dialog");
    for (const vexa::pages::PageField& field : desc->fields)
        for (int i = 0; i < (field.kind == vexa::pages::FieldKind::Radio ? field.count : 1); ++i)
            Check(dialog && GetDlgItem(dialog, field.controlId + i),
                  name + " has field " + std::to_string(field.controlId + i) + " for " +
                      std::string(field.property));
    Check(page->IsPageDirty() == S_FALSE, name + " is clean after filling");
    Check(SUCCEEDED(page->Deactivate()), name + " Deactivate");
    page->SetObjects(0, nullptr);
    page->Release();
}

}  // namespace

void CheckPageClasses() {
    HWND parent = CreateWindowA("STATIC", "pages", WS_OVERLAPPEDWINDOW, 0, 0, 600, 500, nullptr,
                                nullptr, nullptr, nullptr);
    IUnknown* edit = nullptr;
    CoCreateInstance(Guid(vexa::module::ControlFactory(1).clsid), nullptr, CLSCTX_INPROC_SERVER,
                     IID_IUnknown, reinterpret_cast<void**>(&edit));
    Check(edit != nullptr, "an edit control to edit");
    if (!edit) return;
    int pages = 0;
    for (const auto& f : vexa::module::Factories()) {
        if (f.kind != vexa::module::FactoryKind::PropertyPage) continue;
        Check(f.implemented, std::string(f.className) + " is built");
        CheckPage(f, edit, parent);
        ++pages;
    }
    Check(pages == 11, "eleven page classes");
    edit->Release();

    // The pages each built control lists, general first.
    for (int i = 0; i < vexa::module::kControlCount; ++i) {
        const auto& control = vexa::module::ControlFactory(i);
        if (!control.implemented) continue;
        IUnknown* object = nullptr;
        CoCreateInstance(Guid(control.clsid), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                         reinterpret_cast<void**>(&object));
        ISpecifyPropertyPages* specify = nullptr;
        if (object) object->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify));
        CAUUID listed{0, nullptr};
        Check(specify && SUCCEEDED(specify->GetPages(&listed)), std::string(control.controlName) + " lists pages");
        const auto expected = vexa::pages::PagesOfControl(control.controlName);
        bool same = listed.cElems == expected.size();
        for (ULONG k = 0; same && k < listed.cElems; ++k) {
            const vexa::module::FactoryEntry* page = nullptr;
            for (const auto& f : vexa::module::Factories())
                if (f.className == expected[k]) page = &f;
            same = page && IsEqualCLSID(listed.pElems[k], Guid(page->clsid));
        }
        Check(same, std::string(control.controlName) + " lists its pages in order");
        CoTaskMemFree(listed.pElems);
        if (specify) specify->Release();
        if (object) object->Release();
    }
    DestroyWindow(parent);
}
