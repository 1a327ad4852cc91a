#include "win32/framework/accessible_enum.h"

namespace vexa::win32 {

namespace {

constexpr IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidEnumVariant = {0x00020404, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace

STDMETHODIMP ChildEnumeration::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, kIidUnknown) || IsEqualIID(riid, kIidEnumVariant)) {
        *out = static_cast<IEnumVARIANT*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ChildEnumeration::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP ChildEnumeration::Next(ULONG count, VARIANT* out, ULONG* fetched) {
    if (!out) return E_POINTER;
    ULONG given = 0;
    while (given < count && next_ < children_.size()) {
        VariantInit(&out[given]);
        out[given].vt = VT_I4;
        out[given].lVal = children_[next_++];
        ++given;
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP ChildEnumeration::Skip(ULONG count) {
    next_ += count;
    if (next_ <= children_.size()) return S_OK;
    next_ = children_.size();
    return S_FALSE;
}

STDMETHODIMP ChildEnumeration::Reset() {
    next_ = 0;
    return S_OK;
}

STDMETHODIMP ChildEnumeration::Clone(IEnumVARIANT** out) {
    if (!out) return E_POINTER;
    *out = new ChildEnumeration(children_, next_);
    return S_OK;
}

}  // namespace vexa::win32
