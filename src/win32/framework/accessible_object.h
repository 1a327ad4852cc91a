#pragma once

#include <oleacc.h>
#include <windows.h>

#include "common/accessible_view.h"

namespace vexa::win32 {

// IAccessible's interface identifier, spelled out: the one mingw-w64's
// import libraries give is not the platform's.
inline constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF,
                                       {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// The control's client object for assistive technology: IAccessible over
// the portable description the control's logic gives. It answers for the
// control's window while the control lives; afterwards every call fails
// as for an object whose server is gone.
class AccessibleObject final : public IAccessible {
public:
    AccessibleObject(HWND window, common::AccessibleView& view);
    // The control is going away: the object no longer reaches it.
    void Disconnect() { view_ = nullptr; window_ = nullptr; }
    // The control made its window again.
    void Retarget(HWND window) {
        if (view_) window_ = window;
    }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch: no type information; clients use the IAccessible calls.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** parent) override;
    STDMETHODIMP get_accChildCount(LONG* count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* text) override;
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* text) override;
    STDMETHODIMP get_accFocus(VARIANT* focus) override;
    STDMETHODIMP get_accSelection(VARIANT* selection) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
    STDMETHODIMP accSelect(LONG flags, VARIANT child) override;
    STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
    STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(LONG left, LONG top, VARIANT* child) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() = default;
    // The child a VARIANT names (VT_I4, 0 for the control); -1 when it
    // names none of them or the control is gone.
    int ChildOf(const VARIANT& child) const;
    RECT Client() const;

    LONG refs_ = 1;
    HWND window_;
    common::AccessibleView* view_;
};

// The window's answer to WM_GETOBJECT for its client object, made once and
// kept; and the WinEvents for what the description announces.
class AccessibleSupport final : public common::AccessibleListener {
public:
    ~AccessibleSupport() override;
    // WM_GETOBJECT: the client object for OBJID_CLIENT; false for any other
    // object (the system answers those).
    bool Answer(HWND window, common::AccessibleView& view, WPARAM wp, LPARAM lp, LRESULT& result);
    // The window the events are about; after Detach none are raised.
    void Attach(HWND window, common::AccessibleView& view);
    void Detach();

    void AccessibleChanged(common::AccessibleChange change, int child) override;

private:
    AccessibleObject* object_ = nullptr;
    common::AccessibleView* view_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace vexa::win32
