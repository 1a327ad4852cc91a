#pragma once

#include <ocidl.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

// Test doubles of the COM side of a host: an event sink that records the
// DispIDs it is called with, and a property bag in memory.
namespace wintest {

// An event sink: each event as its DispID, with ":N" for a 16-bit
// by-reference first argument.
class Sink : public IDispatch {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *out = this;
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*, UINT*) override {
        std::string entry = std::to_string(id);
        if (p && p->cArgs > 0) {
            VARIANT& first = p->rgvarg[p->cArgs - 1];
            if (first.vt == (VT_I2 | VT_BYREF)) entry += ":" + std::to_string(*first.piVal);
        }
        events.push_back(entry);
        return S_OK;
    }
    std::vector<std::string> events;
};

// Advises `sink` on the control's default event interface; the cookie, 0
// when the control offers no events.
inline DWORD Connect(IUnknown* control, Sink& sink) {
    IID events{};
    IProvideClassInfo2* info = nullptr;
    if (SUCCEEDED(control->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&info)))) {
        info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events);
        info->Release();
    }
    IConnectionPointContainer* points = nullptr;
    IConnectionPoint* point = nullptr;
    DWORD cookie = 0;
    if (SUCCEEDED(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)))) {
        if (SUCCEEDED(points->FindConnectionPoint(events, &point))) {
            point->Advise(&sink, &cookie);
            point->Release();
        }
        points->Release();
    }
    return cookie;
}

// A property bag in memory, to check the bag form of persistence.
class Bag : public IPropertyBag {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyBag)) {
            *out = this;
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* v, IErrorLog*) override {
        auto it = values.find(name);
        if (it == values.end()) return E_INVALIDARG;
        return VariantCopy(v, &it->second);
    }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* v) override {
        VARIANT copy;
        VariantInit(&copy);
        VariantCopy(&copy, v);
        values[name] = copy;
        return S_OK;
    }
    std::map<std::wstring, VARIANT> values;
};

}  // namespace wintest
