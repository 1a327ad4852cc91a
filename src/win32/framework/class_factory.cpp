#include "win32/framework/class_factory.h"

#include <windows.h>

#include "win32/framework/com_module.h"

namespace vexa::win32 {

ClassFactory::ClassFactory(CreateObjectFn create) : create_(create) { ObjectCreated(); }
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
    IUnknown* object = create_ ? create_() : nullptr;
    if (!object) return E_OUTOFMEMORY;
    HRESULT hr = object->QueryInterface(riid, out);
    object->Release();
    return hr;
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
    win32::LockServer(lock != FALSE);
    return S_OK;
}

HRESULT GetClassObject(CreateObjectFn create, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!create) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new ClassFactory(create);
    HRESULT hr = factory->QueryInterface(riid, out);
    factory->Release();
    return hr;
}

}  // namespace vexa::win32
