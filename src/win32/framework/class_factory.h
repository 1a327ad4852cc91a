#pragma once

#include <unknwn.h>

namespace vexa::win32 {

// Makes a new object of one class, with one reference, or null when the
// module does not build that class.
using CreateObjectFn = IUnknown* (*)();

// The class factory of one class of a module.
class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(CreateObjectFn create);
    virtual ~ClassFactory();

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    LONG refs_ = 1;
    CreateObjectFn create_;
};

// DllGetClassObject's answer for a class: a new factory, or
// CLASS_E_CLASSNOTAVAILABLE when `create` is null.
HRESULT GetClassObject(CreateObjectFn create, REFIID riid, void** out);

}  // namespace vexa::win32
