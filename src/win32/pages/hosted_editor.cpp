#include "win32/pages/hosted_editor.h"

#include "win32/framework/class_registry.h"

namespace vexa::win32 {

namespace {

// The smallest client site: the editor asks it nothing it needs.
class PageSite final : public IOleClientSite {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IOleClientSite)) return E_NOINTERFACE;
        *out = static_cast<IOleClientSite*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return n;
    }
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** c) override {
        if (c) *c = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

private:
    LONG refs_ = 1;
};

}  // namespace

bool HostedEditor::Create(HWND dialog, int fieldId) {
    HWND placeholder = GetDlgItem(dialog, fieldId);
    CreateObjectFn create = CreatorOf("CVEditCtrl");
    if (!placeholder || !create) return false;
    RECT rect;
    GetWindowRect(placeholder, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    IUnknown* unknown = create();
    if (!unknown) return false;
    unknown->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object_));
    unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch_));
    unknown->Release();
    if (!object_ || !dispatch_) {
        Destroy();
        return false;
    }
    site_ = new PageSite();
    object_->SetClientSite(site_);
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, dialog, &rect))) {
        Destroy();
        return false;
    }
    IOleInPlaceObject* inPlace = nullptr;
    HWND window = nullptr;
    if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
        inPlace->GetWindow(&window);
        inPlace->Release();
    }
    if (window) {
        // The editor's own window, or the reflector it sits in: the one the
        // dialog sees as its child gets the field's place and id.
        HWND child = GetParent(window) == dialog ? window : GetParent(window);
        ShowWindow(placeholder, SW_HIDE);
        SetWindowLongPtrA(placeholder, GWLP_ID, 0);
        SetWindowLongPtrA(child, GWLP_ID, fieldId);
        SetWindowLongPtrA(window, GWLP_ID, fieldId);
        SetWindowPos(child, placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return true;
}

void HostedEditor::Destroy() {
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_->Release();
        object_ = nullptr;
    }
    if (dispatch_) dispatch_->Release();
    dispatch_ = nullptr;
    if (site_) site_->Release();
    site_ = nullptr;
}

}  // namespace vexa::win32
