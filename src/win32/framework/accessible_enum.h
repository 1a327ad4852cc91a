#pragma once

#include <oaidl.h>
#include <windows.h>

#include <vector>

namespace vexa::win32 {

// The selected children of an accessible object with several selected, as
// an enumeration of child ids (VT_I4), which is how IAccessible hands over
// a selection of more than one.
class ChildEnumeration final : public IEnumVARIANT {
public:
    explicit ChildEnumeration(std::vector<int> children, std::size_t next = 0)
        : children_(std::move(children)), next_(next) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP Next(ULONG count, VARIANT* out, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumVARIANT** out) override;

private:
    ~ChildEnumeration() = default;
    LONG refs_ = 1;
    std::vector<int> children_;
    std::size_t next_;
};

}  // namespace vexa::win32
