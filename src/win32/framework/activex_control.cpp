// The control object: interfaces, references, events, class information.
#include "win32/framework/activex_control.h"

#include "module/automation_catalogue.h"
#include "win32/framework/accessible_object.h"
#include "win32/framework/com_module.h"
#include "win32/framework/connection_point.h"
#include "win32/framework/dispatch_error.h"
#include "win32/framework/module_services.h"
#include "win32/framework/variant_convert.h"

namespace vexa::win32 {

using module::Member;
using module::MemberKind;
using common::PropertyType;
using common::PropertyValue;
using module::VarType;

namespace {

short ShiftState() {
    short s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= 1;
    if (GetKeyState(VK_CONTROL) < 0) s |= 2;
    if (GetKeyState(VK_MENU) < 0) s |= 4;
    return s;
}

}  // namespace

COLORREF ActiveXControl::TranslateColor(std::uint32_t oleColor) {
    if (oleColor & 0x80000000u) return GetSysColor(static_cast<int>(oleColor & 0xFF));
    return static_cast<COLORREF>(oleColor & 0xFFFFFF);
}

ActiveXControl::ActiveXControl(const module::CoClass& cls, unsigned miscStatus)
    : class_(cls),
      miscStatus_(miscStatus),
      messages_(Services().messages, [this] { return HasUserInterface(); }),
      platform_{Services().libraries, Services().paths, messages_, Services().keyboard,
                Services().files} {
    ObjectCreated();
    events_ = new EventConnectionPoint(static_cast<IConnectionPointContainer*>(this),
                                       Guid(cls.events.iid), true);
    notify_ = new EventConnectionPoint(static_cast<IConnectionPointContainer*>(this),
                                       IID_IPropertyNotifySink, false);
}

ActiveXControl::~ActiveXControl() {
    if (reflector_) DestroyWindow(reflector_);
    if (hwnd_) DestroyWindow(hwnd_);
    delete events_;
    delete notify_;
    if (inPlaceSite_) inPlaceSite_->Release();
    if (site_) site_->Release();
    if (adviseHolder_) adviseHolder_->Release();
    if (viewSink_) viewSink_->Release();
    delete accessibility_;
    ObjectDestroyed();
}

STDMETHODIMP ActiveXControl::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleObject))
        *out = static_cast<IOleObject*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject))
        *out = static_cast<IOleInPlaceObject*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceActiveObject))
        *out = static_cast<IOleInPlaceActiveObject*>(this);
    else if (IsEqualIID(riid, IID_IOleControl))
        *out = static_cast<IOleControl*>(this);
    else if (IsEqualIID(riid, IID_IViewObject) || IsEqualIID(riid, IID_IViewObject2))
        *out = static_cast<IViewObject2*>(this);
    else if (IsEqualIID(riid, IID_IPersist) || IsEqualIID(riid, IID_IPersistStreamInit))
        *out = static_cast<IPersistStreamInit*>(this);
    else if (IsEqualIID(riid, IID_IPersistStream))
        *out = static_cast<IPersistStreamInit*>(this);  // same layout without InitNew
    else if (IsEqualIID(riid, IID_IPersistPropertyBag))
        *out = static_cast<IPersistPropertyBag*>(this);
    else if (IsEqualIID(riid, IID_IPersistStorage))
        *out = static_cast<IPersistStorage*>(this);
    else if (IsEqualIID(riid, IID_IProvideClassInfo) || IsEqualIID(riid, IID_IProvideClassInfo2))
        *out = static_cast<IProvideClassInfo2*>(this);
    else if (IsEqualIID(riid, IID_IConnectionPointContainer))
        *out = static_cast<IConnectionPointContainer*>(this);
    else if (IsEqualIID(riid, IID_ISpecifyPropertyPages))
        *out = static_cast<ISpecifyPropertyPages*>(this);
    else if (IsEqualIID(riid, IID_ISupportErrorInfo))
        *out = static_cast<ISupportErrorInfo*>(this);
    else if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, Guid(class_.dispatch.iid)))
        *out = static_cast<IDispatch*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ActiveXControl::AddRef() { return InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) ActiveXControl::Release() {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

// ---- class information, events, pages ----

STDMETHODIMP ActiveXControl::GetClassInfo(ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    ITypeLib* lib = ModuleTypeLibrary();
    return lib ? lib->GetTypeInfoOfGuid(Guid(class_.clsid), info) : TYPE_E_CANTLOADLIBRARY;
}

STDMETHODIMP ActiveXControl::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *guid = Guid(class_.events.iid);
    return S_OK;
}

STDMETHODIMP ActiveXControl::EnumConnectionPoints(IEnumConnectionPoints** e) {
    if (e) *e = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ActiveXControl::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    EventConnectionPoint* cp = nullptr;
    if (class_.hasEvents && IsEqualIID(riid, events_->Iid())) cp = events_;
    if (IsEqualIID(riid, IID_IPropertyNotifySink)) cp = notify_;
    if (!cp) return CONNECT_E_NOCONNECTION;
    *point = cp;
    cp->AddRef();
    return S_OK;
}

STDMETHODIMP ActiveXControl::GetPages(CAUUID* pages) {
    if (!pages) return E_POINTER;
    const std::vector<std::string_view> ids = PropertyPages();
    pages->cElems = 0;
    pages->pElems = nullptr;
    if (ids.empty()) return S_OK;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(ids.size() * sizeof(GUID)));
    if (!pages->pElems) return E_OUTOFMEMORY;
    for (std::string_view id : ids) pages->pElems[pages->cElems++] = Guid(id);
    return S_OK;
}

STDMETHODIMP ActiveXControl::InterfaceSupportsErrorInfo(REFIID riid) {
    return IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, Guid(class_.dispatch.iid)) ? S_OK
                                                                                       : S_FALSE;
}

void ActiveXControl::FireEvent(std::string_view name, std::vector<VARIANT> args) {
    if (const Member* event = class_.events.FindByName(name)) FireEvent(event->dispId, std::move(args));
}

void ActiveXControl::FireEvent(int dispId, std::vector<VARIANT> args) {
    if (freezeCount_ > 0) return;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    for (IUnknown* sink : events_->Sinks()) {
        IDispatch* d = static_cast<IDispatch*>(sink);
        d->Invoke(dispId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                  nullptr, nullptr);
        sink->Release();
    }
}

bool ActiveXControl::RequestEdit(int dispId) {
    bool allowed = true;
    for (IUnknown* sink : notify_->Sinks()) {
        if (static_cast<IPropertyNotifySink*>(sink)->OnRequestEdit(dispId) == S_FALSE)
            allowed = false;
        sink->Release();
    }
    return allowed;
}

void ActiveXControl::PropertyChanged(int dispId) {
    for (IUnknown* sink : notify_->Sinks()) {
        static_cast<IPropertyNotifySink*>(sink)->OnChanged(dispId);
        sink->Release();
    }
}

void ActiveXControl::FireKeyDown(UINT key) { FireKeyWithShift(module::kDispIdKeyDown, key); }

void ActiveXControl::FireKeyUp(UINT key) { FireKeyWithShift(module::kDispIdKeyUp, key); }

void ActiveXControl::FireKeyWithShift(int dispId, UINT key) {
    VARIANT code, shift;
    SHORT value = static_cast<SHORT>(key);
    code.vt = VT_I2 | VT_BYREF;
    code.piVal = &value;
    shift.vt = VT_I2;
    shift.iVal = ShiftState();
    FireEvent(dispId, {code, shift});
}

void ActiveXControl::FireKeyPress(UINT key) {
    VARIANT code;
    SHORT value = static_cast<SHORT>(key);
    code.vt = VT_I2 | VT_BYREF;
    code.piVal = &value;
    FireEvent(module::kDispIdKeyPress, {code});
}

void ActiveXControl::InvalidateControl() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
    if (viewSink_) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
}

}  // namespace vexa::win32
