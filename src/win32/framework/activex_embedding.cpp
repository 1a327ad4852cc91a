// Embedding: the OLE object, in-place activation, keyboard hand-over with the
// container, and the view.
#include "win32/framework/activex_control.h"

#include "module/automation_catalogue.h"
#include "win32/framework/com_module.h"
#include "win32/framework/connection_point.h"
#include "win32/framework/dispatch_error.h"
#include "win32/framework/module_services.h"
#include "win32/framework/variant_convert.h"

namespace vexa::win32 {

namespace {
constexpr DISPID kAmbientUserMode = -709;
}  // namespace

// ---- IOleObject ----

STDMETHODIMP ActiveXControl::SetClientSite(IOleClientSite* site) {
    if (site) site->AddRef();
    if (site_) site_->Release();
    site_ = site;
    ReadAmbientUserMode();
    return S_OK;
}

STDMETHODIMP ActiveXControl::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = site_;
    if (site_) site_->AddRef();
    return S_OK;
}

bool ActiveXControl::AmbientBool(DISPID dispId, bool fallback) const {
    if (!site_) return fallback;
    IDispatch* ambient = nullptr;
    if (FAILED(site_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient))) || !ambient)
        return fallback;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT v;
    VariantInit(&v);
    bool value = fallback;
    if (SUCCEEDED(ambient->Invoke(dispId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                  &none, &v, nullptr, nullptr)) &&
        SUCCEEDED(VariantChangeType(&v, &v, 0, VT_BOOL)))
        value = v.boolVal != VARIANT_FALSE;
    VariantClear(&v);
    ambient->Release();
    return value;
}

void ActiveXControl::ReadAmbientUserMode() {
    userMode_ = true;  // hosts without ambient properties run the control
    if (!site_) return;
    IDispatch* ambient = nullptr;
    if (FAILED(site_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient))) || !ambient)
        return;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(ambient->Invoke(kAmbientUserMode, IID_NULL, LOCALE_USER_DEFAULT,
                                  DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr)) &&
        SUCCEEDED(VariantChangeType(&v, &v, 0, VT_BOOL)))
        userMode_ = v.boolVal != VARIANT_FALSE;
    VariantClear(&v);
    ambient->Release();
}

STDMETHODIMP ActiveXControl::Close(DWORD) {
    InPlaceDeactivate();
    if (adviseHolder_) adviseHolder_->SendOnClose();
    return S_OK;
}

STDMETHODIMP ActiveXControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                                    LPCRECT rect) {
    if (site && !site_) SetClientSite(site);
    switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE:
            return InPlaceActivate(verb, parent, rect);
        case OLEIVERB_HIDE:
            if (reflector_) ShowWindow(reflector_, SW_HIDE);
            if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
            return S_OK;
        default:
            return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT ActiveXControl::InPlaceActivate(LONG verb, HWND parent, LPCRECT rect) {
    if (!inPlaceActive_) {
        if (!site_) return E_UNEXPECTED;
        if (!inPlaceSite_ &&
            FAILED(site_->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite_))))
            inPlaceSite_ = nullptr;
        RECT pos{0, 0, 100, 24};
        if (rect) pos = *rect;
        HWND parentWindow = parent;
        if (inPlaceSite_) {
            if (inPlaceSite_->CanInPlaceActivate() != S_OK) return E_FAIL;
            inPlaceSite_->OnInPlaceActivate();
            inPlaceSite_->GetWindow(&parentWindow);
            IOleInPlaceFrame* frame = nullptr;
            IOleInPlaceUIWindow* doc = nullptr;
            RECT clip;
            OLEINPLACEFRAMEINFO info{};
            info.cb = sizeof info;
            if (SUCCEEDED(inPlaceSite_->GetWindowContext(&frame, &doc, &pos, &clip, &info))) {
                if (frame) frame->Release();
                if (doc) doc->Release();
            }
        }
        if (!parentWindow || !CreateControlWindow(parentWindow, pos)) {
            if (inPlaceSite_) inPlaceSite_->OnInPlaceDeactivate();
            return E_FAIL;
        }
        inPlaceActive_ = true;
        if (reflector_) ShowWindow(reflector_, SW_SHOW);
        ShowWindow(hwnd_, SW_SHOW);
    }
    if (verb == OLEIVERB_UIACTIVATE) {
        if (!uiActive_) {
            uiActive_ = true;
            if (inPlaceSite_) inPlaceSite_->OnUIActivate();
        }
        // Also when it was active already: the focus may have moved on.
        SetFocus(hwnd_);
    }
    return S_OK;
}

STDMETHODIMP ActiveXControl::EnumVerbs(IEnumOLEVERB** verbs) {
    return OleRegEnumVerbs(Guid(class_.clsid), verbs);
}

STDMETHODIMP ActiveXControl::GetUserClassID(CLSID* clsid) { return GetClassID(clsid); }

STDMETHODIMP ActiveXControl::GetUserType(DWORD form, LPOLESTR* name) {
    return OleRegGetUserType(Guid(class_.clsid), form, name);
}

STDMETHODIMP ActiveXControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    extent_ = *size;
    return S_OK;
}

SIZE ActiveXControl::ExtentInPixels() const {
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return {MulDiv(extent_.cx, dpiX, 2540), MulDiv(extent_.cy, dpiY, 2540)};
}

STDMETHODIMP ActiveXControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    *size = extent_;
    return S_OK;
}

STDMETHODIMP ActiveXControl::Advise(IAdviseSink* sink, DWORD* cookie) {
    if (!adviseHolder_ && FAILED(CreateOleAdviseHolder(&adviseHolder_))) return E_OUTOFMEMORY;
    return adviseHolder_->Advise(sink, cookie);
}

STDMETHODIMP ActiveXControl::Unadvise(DWORD cookie) {
    return adviseHolder_ ? adviseHolder_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP ActiveXControl::EnumAdvise(IEnumSTATDATA** e) {
    if (e) *e = nullptr;
    return adviseHolder_ ? adviseHolder_->EnumAdvise(e) : E_FAIL;
}

STDMETHODIMP ActiveXControl::GetMiscStatus(DWORD aspect, DWORD* status) {
    if (!status) return E_POINTER;
    *status = aspect == DVASPECT_CONTENT ? miscStatus_ : 0;
    return S_OK;
}

// ---- in-place object ----

STDMETHODIMP ActiveXControl::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = hwnd_;
    return hwnd_ ? S_OK : E_FAIL;
}

STDMETHODIMP ActiveXControl::InPlaceDeactivate() {
    if (!inPlaceActive_) return S_OK;
    UIDeactivate();
    inPlaceActive_ = false;
    if (hwnd_) {
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    if (reflector_) {
        DestroyWindow(reflector_);
        reflector_ = nullptr;
    }
    if (inPlaceSite_) inPlaceSite_->OnInPlaceDeactivate();
    return S_OK;
}

STDMETHODIMP ActiveXControl::UIDeactivate() {
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

STDMETHODIMP ActiveXControl::SetObjectRects(LPCRECT pos, LPCRECT) {
    if (!pos) return E_POINTER;
    const int width = pos->right - pos->left, height = pos->bottom - pos->top;
    if (reflector_) {
        MoveWindow(reflector_, pos->left, pos->top, width, height, TRUE);
        if (hwnd_) MoveWindow(hwnd_, 0, 0, width, height, TRUE);
    } else if (hwnd_) {
        MoveWindow(hwnd_, pos->left, pos->top, width, height, TRUE);
    }
    return S_OK;
}

// ---- IOleControl ----

STDMETHODIMP ActiveXControl::OnMnemonic(MSG* msg) {
    if (!msg) return E_POINTER;
    return OnMnemonicKey(*msg) ? S_OK : S_FALSE;
}

STDMETHODIMP ActiveXControl::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    if (KeepsKey(VK_RETURN)) info->dwFlags |= CTRLINFO_EATS_RETURN;
    if (KeepsKey(VK_ESCAPE)) info->dwFlags |= CTRLINFO_EATS_ESCAPE;
    return S_OK;
}

// The container hands every key message to the active control first. Keys
// the control keeps go straight to its window and count as handled; the rest
// go back to the container (its accelerators, then its dialog navigation).
STDMETHODIMP ActiveXControl::TranslateAccelerator(LPMSG msg) {
    if (!msg) return E_POINTER;
    const bool key = msg->message == WM_KEYDOWN || msg->message == WM_KEYUP;
    if (key && hwnd_ && KeepsKey(static_cast<UINT>(msg->wParam))) {
        SendMessageA(hwnd_, msg->message, msg->wParam, msg->lParam);
        return S_OK;
    }
    HRESULT hr = S_FALSE;
    IOleControlSite* controlSite = nullptr;
    if (key && site_ &&
        SUCCEEDED(site_->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&controlSite)))) {
        DWORD modifiers = 0;
        if (GetKeyState(VK_SHIFT) < 0) modifiers |= 1;   // KEYMOD_SHIFT
        if (GetKeyState(VK_CONTROL) < 0) modifiers |= 2; // KEYMOD_CONTROL
        if (GetKeyState(VK_MENU) < 0) modifiers |= 4;    // KEYMOD_ALT
        hr = controlSite->TranslateAccelerator(msg, modifiers) == S_OK ? S_OK : S_FALSE;
        controlSite->Release();
    }
    return hr;
}

STDMETHODIMP ActiveXControl::OnAmbientPropertyChange(DISPID dispId) {
    ReadAmbientUserMode();
    OnAmbientChanged(dispId);
    return S_OK;
}

STDMETHODIMP ActiveXControl::FreezeEvents(BOOL freeze) {
    freezeCount_ += freeze ? 1 : -1;
    if (freezeCount_ < 0) freezeCount_ = 0;
    return S_OK;
}

// ---- IViewObject2 ----

STDMETHODIMP ActiveXControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc,
                                  LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                  ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc || !bounds) return E_INVALIDARG;
    RECT r{bounds->left, bounds->top, bounds->right, bounds->bottom};
    OnDraw(dc, r);
    return S_OK;
}

STDMETHODIMP ActiveXControl::SetAdvise(DWORD, DWORD, IAdviseSink* sink) {
    if (sink) sink->AddRef();
    if (viewSink_) viewSink_->Release();
    viewSink_ = sink;
    return S_OK;
}

STDMETHODIMP ActiveXControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = DVASPECT_CONTENT;
    if (flags) *flags = 0;
    if (sink) {
        *sink = viewSink_;
        if (viewSink_) viewSink_->AddRef();
    }
    return S_OK;
}

STDMETHODIMP ActiveXControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

}  // namespace vexa::win32
