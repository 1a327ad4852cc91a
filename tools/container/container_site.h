#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vexa::container {

// The container's side of one hosted control: client site, in-place site,
// ambient properties and property-change notifications.
class ControlSite : public IOleClientSite,
                    public IOleInPlaceSite,
                    public IDispatch,
                    public IPropertyNotifySink {
public:
    ControlSite(HWND form, RECT rect, bool userMode) : form_(form), rect_(rect), userMode_(userMode) {}
    void SetRect(RECT rect) { rect_ = rect; }  // the place after a resize
    virtual ~ControlSite() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** c) override {
        *c = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* hwnd) override {
        *hwnd = form_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IDispatch: the ambient properties (user mode only)
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                        UINT*) override;

    // IPropertyNotifySink
    STDMETHODIMP OnChanged(DISPID id) override;
    STDMETHODIMP OnRequestEdit(DISPID id) override;

    bool refuseEdits = false;
    std::function<void(const std::string&)> log;

private:
    LONG refs_ = 1;
    HWND form_;
    RECT rect_;
    bool userMode_;

public:
    // The container's default button: the ambient DisplayAsDefault.
    bool displayAsDefault = false;
};

// Receives a control's events and logs each with its name and arguments.
class EventSink : public IDispatch {
public:
    EventSink(const IID& events, ITypeInfo* info, std::function<void(int, const std::string&)> log)
        : events_(events), info_(info), log_(std::move(log)) {}
    virtual ~EventSink() {
        if (info_) info_->Release();
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                        UINT*) override;

private:
    LONG refs_ = 1;
    IID events_;
    ITypeInfo* info_;
    std::function<void(int, const std::string&)> log_;
};

// A VARIANT as the log shows it: "text" (escaped), true/false, or a number.
std::string Render(const VARIANT& v);
std::string NarrowText(BSTR text);  // one byte a character, ANSI code page
BSTR WideText(const std::string& bytes);

}  // namespace vexa::container
