#include "container_site.h"

#include <cstdio>

#include "scenario.h"

namespace vexa::container {

std::string NarrowText(BSTR text) {
    if (!text) return {};
    int n = static_cast<int>(SysStringLen(text));
    if (n == 0) return {};
    int size = WideCharToMultiByte(CP_ACP, 0, text, n, nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, n, out.data(), size, nullptr, nullptr);
    return out;
}

BSTR WideText(const std::string& bytes) {
    if (bytes.empty()) return SysAllocStringLen(nullptr, 0);
    int n = static_cast<int>(bytes.size());
    int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, nullptr, 0);
    BSTR out = SysAllocStringLen(nullptr, size);
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, out, size);
    return out;
}

std::string Render(const VARIANT& in) {
    VARIANT v;
    VariantInit(&v);
    VariantCopyInd(&v, const_cast<VARIANT*>(&in));
    std::string out;
    char buffer[32];
    switch (v.vt) {
        case VT_EMPTY: out = "(empty)"; break;
        case VT_BSTR: out = "\"" + Escape(NarrowText(v.bstrVal)) + "\""; break;
        case VT_BOOL: out = v.boolVal ? "true" : "false"; break;
        case VT_UI4:
            std::snprintf(buffer, sizeof buffer, "%lu", static_cast<unsigned long>(v.ulVal));
            out = buffer;
            break;
        default:
            if (SUCCEEDED(VariantChangeType(&v, &v, 0, VT_I4))) {
                std::snprintf(buffer, sizeof buffer, "%ld", static_cast<long>(v.lVal));
                out = buffer;
            } else {
                out = "(vt " + std::to_string(v.vt) + ")";
            }
    }
    VariantClear(&v);
    return out;
}

STDMETHODIMP ControlSite::QueryInterface(REFIID riid, void** out) {
    *out = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *out = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
        *out = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(riid, IID_IDispatch))
        *out = static_cast<IDispatch*>(this);
    else if (IsEqualIID(riid, IID_IPropertyNotifySink))
        *out = static_cast<IPropertyNotifySink*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ControlSite::Release() {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                           LPRECT pos, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    *frame = nullptr;
    *doc = nullptr;
    *pos = rect_;
    *clip = rect_;
    info->fMDIApp = FALSE;
    info->hwndFrame = form_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                 EXCEPINFO*, UINT*) {
    if (!result) return DISP_E_MEMBERNOTFOUND;
    if (id == DISPID_AMBIENT_USERMODE || id == DISPID_AMBIENT_DISPLAYASDEFAULT) {
        const bool on = id == DISPID_AMBIENT_USERMODE ? userMode_ : displayAsDefault;
        result->vt = VT_BOOL;
        result->boolVal = on ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP ControlSite::OnChanged(DISPID id) {
    if (log) log("changed dispid " + std::to_string(id));
    return S_OK;
}

STDMETHODIMP ControlSite::OnRequestEdit(DISPID id) {
    if (log) log("request-edit dispid " + std::to_string(id) + (refuseEdits ? " refused" : " allowed"));
    return refuseEdits ? S_FALSE : S_OK;
}

STDMETHODIMP EventSink::QueryInterface(REFIID riid, void** out) {
    *out = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, events_)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) EventSink::Release() {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                               EXCEPINFO*, UINT*) {
    std::string name = "dispid" + std::to_string(id);
    if (info_) {
        BSTR names[1] = {nullptr};
        UINT count = 0;
        if (SUCCEEDED(info_->GetNames(id, names, 1, &count)) && count == 1) {
            name = NarrowText(names[0]);
            SysFreeString(names[0]);
        }
    }
    std::string line = name + "(";
    if (params) {
        for (UINT i = 0; i < params->cArgs; ++i) {
            if (i) line += ", ";
            line += Render(params->rgvarg[params->cArgs - 1 - i]);
        }
    }
    line += ")";
    log_(id, line);
    return S_OK;
}

}  // namespace vexa::container
