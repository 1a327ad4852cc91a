#include "win32/class_factory.h"

#include "win32/com_module.h"
#include "win32/vedit_ctrl.h"

namespace vexa::win32 {

ClassFactory::ClassFactory(const module::FactoryEntry& entry) : entry_(entry) { ObjectCreated(); }
ClassFactory::~ClassFactory() { ObjectDestroyed(); }

STDMETHODIMP ClassFactory::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ClassFactory::AddRef() { return InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) ClassFactory::Release() {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    IUnknown* object = nullptr;
    if (entry_.className == "CVEditCtrl") object = static_cast<IOleObject*>(new CVEditCtrl());
    if (!object) return CLASS_E_CLASSNOTAVAILABLE;  // not built into this module yet
    HRESULT hr = object->QueryInterface(riid, out);
    object->Release();
    return hr;
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
    win32::LockServer(lock != FALSE);
    return S_OK;
}

}  // namespace vexa::win32
