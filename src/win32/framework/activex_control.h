#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>
// The seam's Surface::TextOut is not the Win32 macro.
#undef TextOut

#include <string>
#include <vector>

#include "common/control_error.h"
#include "module/automation_types.h"
#include "common/property_exchange.h"
#include "platform/platform.h"
#include "win32/framework/control_messages.h"
#include "win32/framework/property_access.h"
#include "win32/framework/variant_convert.h"

namespace vexa::common {
class AccessibleView;
}

namespace vexa::win32 {

class AccessibleSupport;
class EventConnectionPoint;

// The ActiveX control framework of the module: one COM object per control
// with the OLE embedding, in-place activation, view, persistence, class
// information, events and automation interfaces. Automation goes through
// the catalogue entry of the control's class; a derived control supplies
// its properties, methods, window handlers and property exchange.
class ActiveXControl : public IOleObject,
                       public IOleInPlaceObject,
                       public IOleInPlaceActiveObject,
                       public IOleControl,
                       public IViewObject2,
                       public IPersistStreamInit,
                       public IPersistPropertyBag,
                       public IPersistStorage,
                       public IProvideClassInfo2,
                       public IConnectionPointContainer,
                       public ISpecifyPropertyPages,
                       public ISupportErrorInfo,
                       public IDispatch {
public:
    ActiveXControl(const module::CoClass& cls, unsigned miscStatus);
    virtual ~ActiveXControl();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                        LPCRECT rect) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* name) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** e) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    STDMETHODIMP GetWindow(HWND* hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG msg) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG* msg) override;
    STDMETHODIMP OnAmbientPropertyChange(DISPID dispid) override;
    STDMETHODIMP FreezeEvents(BOOL freeze) override;

    // IViewObject2
    STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                      HDC targetDc, HDC dc, LPCRECTL bounds, LPCRECTL wBounds,
                      BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR), ULONG_PTR contArg) override;
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

    // IPersist*, one set of state for the three forms
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override { return modified_ ? S_OK : S_FALSE; }
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
    STDMETHODIMP InitNew(IStorage* storage) override;
    STDMETHODIMP Load(IStorage* storage) override;
    STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) override;
    STDMETHODIMP SaveCompleted(IStorage*) override { return S_OK; }
    STDMETHODIMP HandsOffStorage() override { return S_OK; }

    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** e) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pages) override;

    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;

    // IDispatch, through the catalogue
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

    HWND Window() const { return hwnd_; }
    // Whether the user can see this control: it has a window or sits in a
    // container. A control made by a script host has neither, and never
    // shows a modal box.
    bool HasUserInterface() const { return hwnd_ != nullptr || site_ != nullptr; }
    const module::CoClass& Class() const { return class_; }
    // A window for a control the module hosts itself, such as a text field
    // of one of its dialogs: the control starts as a new one, without a
    // container site, as a visible child of `parent` with the dialog
    // control id `id` (the place and the id of the field it stands for).
    bool CreateOwnedWindow(HWND parent, const RECT& rect, int id);
    bool AmbientUserMode() const { return userMode_; }
    // A boolean ambient property of the container; `fallback` when the
    // container has no such ambient (or no ambients at all).
    bool AmbientBool(DISPID dispId, bool fallback) const;
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }
    void InvalidateControl();
    // The extent the container gave the control, in screen pixels: the
    // size a control without a window lays itself out in.
    SIZE ExtentInPixels() const;

    // Fires an event to every connected sink. `args` are in the event's
    // parameter order; by-reference arguments come back changed.
    void FireEvent(int dispId, std::vector<VARIANT> args = {});
    // The same, by the event's name in the catalogue (the DispID is the
    // catalogue's; a name it lacks fires nothing).
    void FireEvent(std::string_view name, std::vector<VARIANT> args = {});
    // Asks the container whether a bound property may change (true when it
    // may) and tells it afterwards that it did.
    bool RequestEdit(int dispId);
    void PropertyChanged(int dispId);

protected:
    // Exchange of the persistent properties; the direction is in `px`.
    virtual void DoPropExchange(common::PropertyExchange& px) = 0;
    // Defaults before a fresh control is initialised.
    virtual void OnResetState() {}
    // The container changed an ambient property (DISPID_UNKNOWN: several).
    virtual void OnAmbientChanged(DISPID) {}

    // Records why the current automation call fails and returns the code to
    // hand back; the caller sees the description with the error.
    HRESULT Fail(HRESULT code, std::string description = {});
    HRESULT Fail(const common::ControlError& error);

    // The seam's services for this control: the module's, with message boxes
    // that never block a host without a user interface.
    const platform::Platform& ControlPlatform() const { return platform_; }
    ControlMessages& Messages() { return messages_; }

    // The control's property table: automation reads and writes its rows
    // before the stock properties. The adapter owns it.
    void UseProperties(PropertyAccess& properties) { properties_ = &properties; }
    // A row of the table was written (the adapter mirrors what it must).
    virtual void OnPropertyWritten(const module::Member&) {}

    // Automation. Return S_OK or a failing HRESULT (DISP_E_...). The
    // defaults serve the property table, then the stock properties.
    virtual HRESULT GetProperty(const module::Member& member, common::PropertyValue& value);
    virtual HRESULT SetProperty(const module::Member& member, const common::PropertyValue& value);
    // A method call: the arguments converted to the catalogue's parameter
    // types (a by-reference parameter's value is left empty: `raw` has it
    // as the caller passed it), and the result, which the framework turns
    // into the method's result type.
    struct MethodCall {
        const module::Member& member;
        std::vector<common::PropertyValue> args;
        std::vector<VARIANT*> raw;
        common::PropertyValue result;
    };
    // The default serves the property table's methods, then AboutBox.
    virtual HRESULT CallMethod(MethodCall& call);

    // Window. OnCreate returning false makes the activation fail.
    virtual bool OnCreate() { return true; }
    virtual void OnDestroy() {}
    virtual void OnDraw(HDC dc, const RECT& bounds) = 0;
    // The paint message; a control that paints through its own paint
    // context returns true (the default draws with OnDraw).
    virtual bool OnPaintMessage() { return false; }
    virtual void OnSize(int, int) {}
    virtual void OnSetFocus() {}
    virtual void OnKillFocus() {}
    virtual void OnKeyDown(UINT, LPARAM) {}
    virtual void OnKeyUp(UINT, LPARAM) {}
    virtual void OnChar(UINT, LPARAM) {}
    // A character that cannot come from the control's own keyboard path: a
    // non-ASCII WM_CHAR, the character of a VK_PACKET (SendInput's Unicode
    // input), WM_IME_CHAR, WM_UNICHAR; one UTF-16 unit at a time.
    virtual void OnUnicodeChar(wchar_t) {}
    virtual void OnMouse(UINT, WPARAM, LPARAM) {}
    // Keys the control keeps from the container's keyboard handling (dialog
    // navigation, default and cancel buttons, accelerators). The default
    // keeps none.
    virtual bool KeepsKey(UINT /*virtualKey*/) const { return false; }
    // The answer to WM_GETDLGCODE for a key message (`msg` may be null).
    virtual LRESULT DialogCode(const MSG* msg) const;
    // A key the container hands over as the control's mnemonic, or Enter
    // for the control the container treats as its default button. True when
    // the control acted on it.
    virtual bool OnMnemonicKey(const MSG&) { return false; }
    // Whether a mouse press gives the control the focus (and reaches its
    // window). A control that never takes the focus ignores presses.
    virtual bool TakesFocus() const { return true; }
    // Whether left-button presses reach OnMouse. A control that never takes
    // the focus (a label that is also a link) may still want them.
    virtual bool WantsMouse() const { return TakesFocus(); }
    // A control on a system window that paints all of it itself (OnDraw for
    // the paint message, WM_PRINTCLIENT and no erasing by the system).
    virtual bool PaintsSystemWindow() const { return false; }
    // The mouse cursor over the control; null keeps the class cursor.
    virtual HCURSOR Cursor() const { return nullptr; }
    // The system window class the control subclasses ("BUTTON", "STATIC",
    // "LISTBOX") and the styles it adds, or null for a window of its own.
    struct WindowKind {
        const char* systemClass = nullptr;
        DWORD style = 0;
        // A system window made as a Unicode window (its character messages
        // carry UTF-16); the control's own window always is one.
        bool unicode = false;
    };
    virtual WindowKind Kind() const { return {}; }
    // A notification the control's window sent its parent (WM_COMMAND,
    // WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR...), reflected back
    // to the control. Return true when handled, with `result`.
    virtual bool OnReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // Makes the subclassed system window again with the current Kind(), in
    // the same place (a style the system window reads only when it is
    // created changed). The control fills the new window itself; OnCreate
    // and OnDestroy do not run. False without a system window.
    bool RecreateSystemWindow();
    // Sets the window's frame from Appearance and BorderStyle (styles, then
    // SWP_FRAMECHANGED), so it follows the properties at once.
    void ApplyFrame();
    void FrameStyles(DWORD& style, DWORD& exStyle) const;
    // The class IDs of the control's property pages, in the order shown.
    virtual std::vector<std::string_view> PropertyPages() const { return {}; }
    // Other messages; return true when handled (with `result`). A control
    // on a system window also sees WM_GETDLGCODE here before the system
    // window answers it.
    virtual bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // How the control holds a text member (property or persisted value of
    // that name): the controls' 8-bit text unless the adapter says UTF-8.
    virtual TextCoding CodingOf(std::string_view /*member*/) const { return TextCoding::Ansi; }

    // How the control describes itself to assistive technology (its
    // portable logic's description); null for none. The framework answers
    // WM_GETOBJECT with it and raises the events it announces.
    virtual common::AccessibleView* Accessible() { return nullptr; }

    // The system window's own painting into `dc` (a control on a system
    // window that paints itself and lets the system window paint after it).
    void PaintSystemWindow(HDC dc);

    // Stock key events with the current shift state.
    void FireKeyDown(UINT key);
    void FireKeyUp(UINT key);
    // KeyDown and KeyUp: the key code by reference and the shift state.
    void FireKeyWithShift(int dispId, UINT key);
    void FireKeyPress(UINT key);

    std::uint32_t backColor_ = 0x80000005;
    std::uint32_t foreColor_ = 0;
    short appearance_ = 0;
    short borderStyle_ = 0;
    bool enabled_ = true;

    static COLORREF TranslateColor(std::uint32_t oleColor);

private:
    // WindowProc's handler for each message it knows (activex_window.cpp).
    friend class WindowMessages;
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ReflectorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT CallOriginal(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    // A script host may call before any initialisation: the control then
    // starts as a new one would.
    void EnsureInitialized();
    HRESULT InPlaceActivate(LONG verb, HWND parent, LPCRECT rect);
    bool CreateControlWindow(HWND parent, const RECT& rect);
    void ReadAmbientUserMode();
    // The description's events go to the current window (accessible_hooks.cpp).
    void ConnectAccessibility();
    bool AnswerGetObject(HWND hwnd, WPARAM wp, LPARAM lp, LRESULT& result);
    void AnnounceFocus();
    HRESULT InvokeProperty(const module::Member& member, WORD flags, DISPPARAMS* params,
                           VARIANT* result);
    HRESULT InvokeMethod(const module::Member& member, DISPPARAMS* params, VARIANT* result,
                         UINT* argErr);
    HRESULT Overflow(std::string_view name);
    HRESULT LoadFromMap(const common::PropertyMap& map);
    common::PropertyMap SaveToMap();
    void AfterLoad();

    LONG refs_ = 1;
    const module::CoClass& class_;
    unsigned miscStatus_;
    IOleClientSite* site_ = nullptr;
    IOleInPlaceSite* inPlaceSite_ = nullptr;
    IOleAdviseHolder* adviseHolder_ = nullptr;
    IAdviseSink* viewSink_ = nullptr;
    EventConnectionPoint* events_ = nullptr;
    EventConnectionPoint* notify_ = nullptr;
    HWND hwnd_ = nullptr;
    HWND reflector_ = nullptr;     // parent of a subclassed system window
    WNDPROC originalProc_ = nullptr;
    bool packetPending_ = false;  // a VK_PACKET went down: its WM_CHAR is Unicode
    bool initialized_ = false;
    PropertyAccess* properties_ = nullptr;
    AccessibleSupport* accessibility_ = nullptr;
    std::string pendingError_;
    ControlMessages messages_;
    platform::Platform platform_;
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    bool userMode_ = true;
    bool modified_ = false;
    int freezeCount_ = 0;
    SIZEL extent_{2540, 635};  // HIMETRIC, about 96 by 24 pixels
};

}  // namespace vexa::win32
