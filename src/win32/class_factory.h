#pragma once

#include <unknwn.h>

#include "module/class_table.h"

namespace vexa::win32 {

// The class factory of one entry of the class table.
class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(const module::FactoryEntry& entry);
    virtual ~ClassFactory();

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    LONG refs_ = 1;
    const module::FactoryEntry& entry_;
};

}  // namespace vexa::win32
