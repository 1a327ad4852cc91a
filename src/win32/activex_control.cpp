#include "win32/activex_control.h"

#include <cstring>

#include "module/automation_catalogue.h"
#include "win32/com_module.h"
#include "win32/connection_point.h"

namespace vexa::win32 {

using module::Member;
using module::MemberKind;
using module::PropertyType;
using module::PropertyValue;
using module::VarType;

namespace {

constexpr const char* kWindowClass = "VexaControlWindow";
constexpr DISPID kAmbientUserMode = -709;

GUID Guid(std::string_view text) {
    GUID g{};
    ParseGuid(std::string(text), g);
    return g;
}

ITypeLib* ModuleTypeLibrary() {
    static ITypeLib* library = nullptr;
    if (!library) {
        std::string path = ModulePath();
        std::wstring wide(path.begin(), path.end());
        if (FAILED(LoadTypeLibEx(wide.c_str(), REGKIND_NONE, &library))) library = nullptr;
    }
    return library;
}

PropertyType PropertyTypeOf(VarType t) {
    switch (t) {
        case VarType::Bool: return PropertyType::Bool;
        case VarType::I2: return PropertyType::Short;
        case VarType::Bstr: return PropertyType::String;
        case VarType::Color: return PropertyType::Color;
        default: return PropertyType::Long;
    }
}

VARTYPE VariantTypeOf(PropertyType t) {
    switch (t) {
        case PropertyType::Bool: return VT_BOOL;
        case PropertyType::Short: return VT_I2;
        case PropertyType::String: return VT_BSTR;
        case PropertyType::Color: return VT_UI4;
        default: return VT_I4;
    }
}

// Converts any argument (by value or by reference) to the wanted type.
HRESULT FromVariant(const VARIANT* in, PropertyType type, PropertyValue& out) {
    VARIANT v;
    VariantInit(&v);
    HRESULT hr = VariantCopyInd(&v, const_cast<VARIANT*>(in));
    if (SUCCEEDED(hr)) hr = VariantChangeType(&v, &v, 0, VariantTypeOf(type));
    if (FAILED(hr)) {
        VariantClear(&v);
        return DISP_E_TYPEMISMATCH;
    }
    out.type = type;
    switch (type) {
        case PropertyType::Bool: out.number = v.boolVal != VARIANT_FALSE; break;
        case PropertyType::Short: out.number = v.iVal; break;
        case PropertyType::String: out.text = FromBstr(v.bstrVal); break;
        case PropertyType::Color: out.number = static_cast<std::int32_t>(v.ulVal); break;
        default: out.number = v.lVal; break;
    }
    VariantClear(&v);
    return S_OK;
}

void ToVariant(const PropertyValue& value, VARIANT* out) {
    if (!out) return;
    VariantInit(out);
    switch (value.type) {
        case PropertyType::Bool:
            out->vt = VT_BOOL;
            out->boolVal = value.number ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case PropertyType::Short:
            out->vt = VT_I2;
            out->iVal = static_cast<SHORT>(value.number);
            break;
        case PropertyType::String:
            out->vt = VT_BSTR;
            out->bstrVal = ToBstr(value.text);
            break;
        case PropertyType::Color:
            out->vt = VT_UI4;
            out->ulVal = static_cast<ULONG>(value.number);
            break;
        default:
            out->vt = VT_I4;
            out->lVal = value.number;
            break;
    }
}

// Property exchange with a container's property bag.
class BagExchange : public module::PropertyExchange {
public:
    BagExchange(IPropertyBag* bag, IErrorLog* log, bool loading)
        : bag_(bag), log_(log), loading_(loading) {}
    bool IsLoading() const override { return loading_; }

protected:
    std::optional<PropertyValue> Read(std::string_view name, PropertyType type) override {
        std::wstring wide(name.begin(), name.end());
        VARIANT v;
        VariantInit(&v);
        if (FAILED(bag_->Read(wide.c_str(), &v, log_))) return std::nullopt;
        PropertyValue out;
        HRESULT hr = FromVariant(&v, type, out);
        VariantClear(&v);
        if (FAILED(hr)) return std::nullopt;
        return out;
    }
    void Write(std::string_view name, const PropertyValue& value) override {
        std::wstring wide(name.begin(), name.end());
        VARIANT v;
        ToVariant(value, &v);
        bag_->Write(wide.c_str(), &v);
        VariantClear(&v);
    }

private:
    IPropertyBag* bag_;
    IErrorLog* log_;
    bool loading_;
};

void RegisterWindowClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    wc.lpszClassName = kWindowClass;
    done = RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

short ShiftState() {
    short s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= 1;
    if (GetKeyState(VK_CONTROL) < 0) s |= 2;
    if (GetKeyState(VK_MENU) < 0) s |= 4;
    return s;
}

}  // namespace

std::string FromBstr(BSTR text) {
    if (!text) return {};
    int length = static_cast<int>(SysStringLen(text));
    if (length == 0) return {};
    int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

BSTR ToBstr(const std::string& text) {
    if (text.empty()) return SysAllocStringLen(nullptr, 0);
    int length = static_cast<int>(text.size());
    int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    BSTR out = SysAllocStringLen(nullptr, size);
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, out, size);
    return out;
}

COLORREF ActiveXControl::TranslateColor(std::uint32_t oleColor) {
    if (oleColor & 0x80000000u) return GetSysColor(static_cast<int>(oleColor & 0xFF));
    return static_cast<COLORREF>(oleColor & 0xFFFFFF);
}

ActiveXControl::ActiveXControl(const module::CoClass& cls, unsigned miscStatus)
    : class_(cls), miscStatus_(miscStatus) {
    ObjectCreated();
    events_ = new EventConnectionPoint(static_cast<IConnectionPointContainer*>(this),
                                       Guid(cls.events.iid), true);
    notify_ = new EventConnectionPoint(static_cast<IConnectionPointContainer*>(this),
                                       IID_IPropertyNotifySink, false);
}

ActiveXControl::~ActiveXControl() {
    if (hwnd_) DestroyWindow(hwnd_);
    delete events_;
    delete notify_;
    if (inPlaceSite_) inPlaceSite_->Release();
    if (site_) site_->Release();
    if (adviseHolder_) adviseHolder_->Release();
    if (viewSink_) viewSink_->Release();
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

// ---- IOleObject ----

STDMETHODIMP ActiveXControl::SetClientSite(IOleClientSite* site) {
    if (site) site->AddRef();
    if (site_) site_->Release();
    site_ = site;
    ReadAmbientUserMode();
    return S_OK;
}

STDMETHODIMP ActiveXControl::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = site_;
    if (site_) site_->AddRef();
    return S_OK;
}

void ActiveXControl::ReadAmbientUserMode() {
    userMode_ = true;  // hosts without ambient properties run the control
    if (!site_) return;
    IDispatch* ambient = nullptr;
    if (FAILED(site_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient))) || !ambient)
        return;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(ambient->Invoke(kAmbientUserMode, IID_NULL, LOCALE_USER_DEFAULT,
                                  DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr)) &&
        SUCCEEDED(VariantChangeType(&v, &v, 0, VT_BOOL)))
        userMode_ = v.boolVal != VARIANT_FALSE;
    VariantClear(&v);
    ambient->Release();
}

STDMETHODIMP ActiveXControl::Close(DWORD) {
    InPlaceDeactivate();
    if (adviseHolder_) adviseHolder_->SendOnClose();
    return S_OK;
}

STDMETHODIMP ActiveXControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                                    LPCRECT rect) {
    if (site && !site_) SetClientSite(site);
    switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE:
            return InPlaceActivate(verb, parent, rect);
        case OLEIVERB_HIDE:
            if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
            return S_OK;
        default:
            return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT ActiveXControl::InPlaceActivate(LONG verb, HWND parent, LPCRECT rect) {
    if (!inPlaceActive_) {
        if (!site_) return E_UNEXPECTED;
        if (!inPlaceSite_ &&
            FAILED(site_->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite_))))
            inPlaceSite_ = nullptr;
        RECT pos{0, 0, 100, 24};
        if (rect) pos = *rect;
        HWND parentWindow = parent;
        if (inPlaceSite_) {
            if (inPlaceSite_->CanInPlaceActivate() != S_OK) return E_FAIL;
            inPlaceSite_->OnInPlaceActivate();
            inPlaceSite_->GetWindow(&parentWindow);
            IOleInPlaceFrame* frame = nullptr;
            IOleInPlaceUIWindow* doc = nullptr;
            RECT clip;
            OLEINPLACEFRAMEINFO info{};
            info.cb = sizeof info;
            if (SUCCEEDED(inPlaceSite_->GetWindowContext(&frame, &doc, &pos, &clip, &info))) {
                if (frame) frame->Release();
                if (doc) doc->Release();
            }
        }
        if (!parentWindow || !CreateControlWindow(parentWindow, pos)) {
            if (inPlaceSite_) inPlaceSite_->OnInPlaceDeactivate();
            return E_FAIL;
        }
        inPlaceActive_ = true;
        ShowWindow(hwnd_, SW_SHOW);
    }
    if (verb == OLEIVERB_UIACTIVATE && !uiActive_) {
        uiActive_ = true;
        if (inPlaceSite_) inPlaceSite_->OnUIActivate();
        SetFocus(hwnd_);
    }
    return S_OK;
}

bool ActiveXControl::CreateControlWindow(HWND parent, const RECT& rect) {
    RegisterWindowClass();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP;
    DWORD exStyle = 0;
    if (appearance_ == 1) exStyle |= WS_EX_CLIENTEDGE;
    if (borderStyle_ == 1) style |= WS_BORDER;
    if (!enabled_) style |= WS_DISABLED;
    HWND hwnd = CreateWindowExA(exStyle, kWindowClass, "", style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                                ModuleInstance(), nullptr);
    if (!hwnd) return false;
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
    if (!OnCreate()) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
        hwnd_ = nullptr;
        return false;
    }
    RECT client;
    GetClientRect(hwnd, &client);
    OnSize(client.right, client.bottom);
    return true;
}

STDMETHODIMP ActiveXControl::EnumVerbs(IEnumOLEVERB** verbs) {
    return OleRegEnumVerbs(Guid(class_.clsid), verbs);
}

STDMETHODIMP ActiveXControl::GetUserClassID(CLSID* clsid) { return GetClassID(clsid); }

STDMETHODIMP ActiveXControl::GetUserType(DWORD form, LPOLESTR* name) {
    return OleRegGetUserType(Guid(class_.clsid), form, name);
}

STDMETHODIMP ActiveXControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    extent_ = *size;
    return S_OK;
}

STDMETHODIMP ActiveXControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    *size = extent_;
    return S_OK;
}

STDMETHODIMP ActiveXControl::Advise(IAdviseSink* sink, DWORD* cookie) {
    if (!adviseHolder_ && FAILED(CreateOleAdviseHolder(&adviseHolder_))) return E_OUTOFMEMORY;
    return adviseHolder_->Advise(sink, cookie);
}

STDMETHODIMP ActiveXControl::Unadvise(DWORD cookie) {
    return adviseHolder_ ? adviseHolder_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP ActiveXControl::EnumAdvise(IEnumSTATDATA** e) {
    if (e) *e = nullptr;
    return adviseHolder_ ? adviseHolder_->EnumAdvise(e) : E_FAIL;
}

STDMETHODIMP ActiveXControl::GetMiscStatus(DWORD aspect, DWORD* status) {
    if (!status) return E_POINTER;
    *status = aspect == DVASPECT_CONTENT ? miscStatus_ : 0;
    return S_OK;
}

// ---- in-place object ----

STDMETHODIMP ActiveXControl::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = hwnd_;
    return hwnd_ ? S_OK : E_FAIL;
}

STDMETHODIMP ActiveXControl::InPlaceDeactivate() {
    if (!inPlaceActive_) return S_OK;
    UIDeactivate();
    inPlaceActive_ = false;
    if (hwnd_) {
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    if (inPlaceSite_) inPlaceSite_->OnInPlaceDeactivate();
    return S_OK;
}

STDMETHODIMP ActiveXControl::UIDeactivate() {
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

STDMETHODIMP ActiveXControl::SetObjectRects(LPCRECT pos, LPCRECT) {
    if (!pos) return E_POINTER;
    if (hwnd_)
        MoveWindow(hwnd_, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
    return S_OK;
}

// ---- IOleControl ----

STDMETHODIMP ActiveXControl::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP ActiveXControl::OnAmbientPropertyChange(DISPID) {
    ReadAmbientUserMode();
    return S_OK;
}

STDMETHODIMP ActiveXControl::FreezeEvents(BOOL freeze) {
    freezeCount_ += freeze ? 1 : -1;
    if (freezeCount_ < 0) freezeCount_ = 0;
    return S_OK;
}

// ---- IViewObject2 ----

STDMETHODIMP ActiveXControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc,
                                  LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                  ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc || !bounds) return E_INVALIDARG;
    RECT r{bounds->left, bounds->top, bounds->right, bounds->bottom};
    OnDraw(dc, r);
    return S_OK;
}

STDMETHODIMP ActiveXControl::SetAdvise(DWORD, DWORD, IAdviseSink* sink) {
    if (sink) sink->AddRef();
    if (viewSink_) viewSink_->Release();
    viewSink_ = sink;
    return S_OK;
}

STDMETHODIMP ActiveXControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = DVASPECT_CONTENT;
    if (flags) *flags = 0;
    if (sink) {
        *sink = viewSink_;
        if (viewSink_) viewSink_->AddRef();
    }
    return S_OK;
}

STDMETHODIMP ActiveXControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

// ---- persistence ----

STDMETHODIMP ActiveXControl::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = Guid(class_.clsid);
    return S_OK;
}

HRESULT ActiveXControl::LoadFromMap(const module::PropertyMap& map) {
    module::PropertyMap copy = map;
    module::MapExchange px(copy, true);
    DoPropExchange(px);
    AfterLoad();
    return S_OK;
}

module::PropertyMap ActiveXControl::SaveToMap() {
    module::PropertyMap map;
    module::MapExchange px(map, false);
    DoPropExchange(px);
    return map;
}

void ActiveXControl::AfterLoad() {
    modified_ = false;
    if (hwnd_) InvalidateControl();
}

STDMETHODIMP ActiveXControl::Load(IStream* stream) {
    if (!stream) return E_POINTER;
    ULONG read = 0;
    std::uint32_t size = 0;
    if (FAILED(stream->Read(&size, sizeof size, &read)) || read != sizeof size || size > (1u << 24))
        return E_FAIL;
    std::string bytes(size, '\0');
    if (size && (FAILED(stream->Read(bytes.data(), size, &read)) || read != size)) return E_FAIL;
    std::optional<module::PropertyMap> map = module::DecodeProperties(bytes);
    if (!map) return E_FAIL;
    return LoadFromMap(*map);
}

STDMETHODIMP ActiveXControl::Save(IStream* stream, BOOL clearDirty) {
    if (!stream) return E_POINTER;
    std::string bytes = module::EncodeProperties(SaveToMap());
    std::uint32_t size = static_cast<std::uint32_t>(bytes.size());
    ULONG written = 0;
    if (FAILED(stream->Write(&size, sizeof size, &written)) || written != sizeof size ||
        FAILED(stream->Write(bytes.data(), size, &written)) || written != size)
        return STG_E_CANTSAVE;
    if (clearDirty) modified_ = false;
    return S_OK;
}

STDMETHODIMP ActiveXControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    size->QuadPart = 4 + module::EncodeProperties(SaveToMap()).size();
    return S_OK;
}

STDMETHODIMP ActiveXControl::InitNew() {
    OnResetState();
    return LoadFromMap(module::PropertyMap());
}

STDMETHODIMP ActiveXControl::Load(IPropertyBag* bag, IErrorLog* log) {
    if (!bag) return E_POINTER;
    BagExchange px(bag, log, true);
    DoPropExchange(px);
    AfterLoad();
    return S_OK;
}

STDMETHODIMP ActiveXControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (!bag) return E_POINTER;
    BagExchange px(bag, nullptr, false);
    DoPropExchange(px);
    if (clearDirty) modified_ = false;
    return S_OK;
}

STDMETHODIMP ActiveXControl::InitNew(IStorage*) { return InitNew(); }

STDMETHODIMP ActiveXControl::Load(IStorage* storage) {
    if (!storage) return E_POINTER;
    IStream* stream = nullptr;
    HRESULT hr = storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream);
    if (FAILED(hr)) return hr;
    hr = Load(stream);
    stream->Release();
    return hr;
}

STDMETHODIMP ActiveXControl::Save(IStorage* storage, BOOL) {
    if (!storage) return E_POINTER;
    IStream* stream = nullptr;
    HRESULT hr = storage->CreateStream(
        L"Contents", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream);
    if (FAILED(hr)) return hr;
    hr = Save(stream, TRUE);
    stream->Release();
    return hr;
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
    pages->cElems = 0;
    pages->pElems = nullptr;
    return S_OK;
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

// ---- IDispatch ----

STDMETHODIMP ActiveXControl::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = ModuleTypeLibrary() ? 1 : 0;
    return S_OK;
}

STDMETHODIMP ActiveXControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeLib* lib = ModuleTypeLibrary();
    return lib ? lib->GetTypeInfoOfGuid(Guid(class_.dispatch.iid), info) : TYPE_E_CANTLOADLIBRARY;
}

STDMETHODIMP ActiveXControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (count == 0) return S_OK;
    std::wstring wide(names[0]);
    std::string name(wide.begin(), wide.end());
    const Member* m = class_.dispatch.FindByName(name);
    if (!m) return DISP_E_UNKNOWNNAME;
    ids[0] = m->dispId;
    for (UINT i = 1; i < count; ++i) {
        std::wstring p(names[i]);
        ids[i] = DISPID_UNKNOWN;
        for (std::size_t k = 0; k < m->params.size(); ++k) {
            std::string_view pn = m->params[k].name;
            if (std::string(p.begin(), p.end()) == pn) ids[i] = static_cast<DISPID>(k);
        }
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT ActiveXControl::InvokeProperty(const Member& member, WORD flags, DISPPARAMS* params,
                                       VARIANT* result) {
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        if (member.IsReadOnly()) return CTL_E_SETNOTSUPPORTED;
        if (!params || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
        PropertyValue value;
        HRESULT hr = FromVariant(&params->rgvarg[0], PropertyTypeOf(member.type), value);
        if (FAILED(hr)) return hr;
        return SetProperty(member, value);
    }
    if (!(flags & DISPATCH_PROPERTYGET) && !(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
    PropertyValue value;
    value.type = PropertyTypeOf(member.type);
    HRESULT hr = GetProperty(member, value);
    if (SUCCEEDED(hr)) ToVariant(value, result);
    return hr;
}

STDMETHODIMP ActiveXControl::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                    VARIANT* result, EXCEPINFO*, UINT* argErr) {
    const Member* m = class_.dispatch.FindById(dispid);
    if (!m) return DISP_E_MEMBERNOTFOUND;
    if (m->kind == MemberKind::DefaultValue) {
        m = class_.dispatch.FindByName(m->aliasOf);
        if (!m) return DISP_E_MEMBERNOTFOUND;
    }
    AddRef();  // a handler may make the container drop the control
    HRESULT hr;
    if (m->IsProperty()) {
        hr = InvokeProperty(*m, flags, params, result);
    } else if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) {
        hr = DISP_E_MEMBERNOTFOUND;
    } else if ((params ? params->cArgs : 0) != m->params.size()) {
        hr = DISP_E_BADPARAMCOUNT;
    } else {
        std::vector<VARIANT*> args;
        for (UINT i = 0; i < m->params.size(); ++i)
            args.push_back(&params->rgvarg[params->cArgs - 1 - i]);
        if (result) VariantInit(result);
        hr = CallMethod(*m, args, result);
        if (hr == DISP_E_TYPEMISMATCH && argErr) *argErr = 0;
    }
    Release();
    return hr;
}

HRESULT ActiveXControl::GetProperty(const Member& member, PropertyValue& value) {
    switch (member.dispId) {
        case module::kDispIdEnabled: value.number = enabled_; return S_OK;
        case module::kDispIdHwnd:
            value.number = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(hwnd_));
            return S_OK;
        case module::kDispIdBackColor: value.number = static_cast<std::int32_t>(backColor_); return S_OK;
        case module::kDispIdForeColor: value.number = static_cast<std::int32_t>(foreColor_); return S_OK;
        case module::kDispIdAppearance: value.number = appearance_; return S_OK;
        case module::kDispIdBorderStyle: value.number = borderStyle_; return S_OK;
        default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT ActiveXControl::SetProperty(const Member& member, const PropertyValue& value) {
    switch (member.dispId) {
        case module::kDispIdEnabled:
            enabled_ = value.number != 0;
            if (hwnd_) EnableWindow(hwnd_, enabled_);
            break;
        case module::kDispIdHwnd: return CTL_E_SETNOTSUPPORTED;
        case module::kDispIdBackColor: backColor_ = static_cast<std::uint32_t>(value.number); break;
        case module::kDispIdForeColor: foreColor_ = static_cast<std::uint32_t>(value.number); break;
        case module::kDispIdAppearance: appearance_ = static_cast<short>(value.number); break;
        case module::kDispIdBorderStyle: borderStyle_ = static_cast<short>(value.number); break;
        default: return DISP_E_MEMBERNOTFOUND;
    }
    SetModifiedFlag();
    InvalidateControl();
    return S_OK;
}

HRESULT ActiveXControl::CallMethod(const Member& member, std::vector<VARIANT*>&, VARIANT*) {
    if (member.dispId == module::kDispIdAboutBox) {
        std::string text = std::string(class_.helpString) + "\nVexa_OCX ActiveX Control module 1.0";
        MessageBoxA(hwnd_, text.c_str(), class_.helpString.data(), MB_OK);
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

// ---- window ----

LRESULT CALLBACK ActiveXControl::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<ActiveXControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    LRESULT result = 0;
    switch (msg) {
        case WM_PAINT: {
            if (self->OnPaintMessage()) return 0;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT client;
            GetClientRect(hwnd, &client);
            self->OnDraw(dc, client);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(hwnd, &client);
            self->OnDraw(reinterpret_cast<HDC>(wp), client);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: self->OnSize(LOWORD(lp), HIWORD(lp)); return 0;
        case WM_SETFOCUS:
            if (self->inPlaceSite_ && !self->uiActive_) {
                self->uiActive_ = true;
                self->inPlaceSite_->OnUIActivate();
            }
            self->OnSetFocus();
            return 0;
        case WM_KILLFOCUS: self->OnKillFocus(); return 0;
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_MOUSEACTIVATE: return MA_ACTIVATE;
        case WM_KEYDOWN: self->OnKeyDown(static_cast<UINT>(wp), lp); return 0;
        case WM_KEYUP: self->OnKeyUp(static_cast<UINT>(wp), lp); return 0;
        case WM_CHAR: self->OnChar(static_cast<UINT>(wp), lp); return 0;
        case WM_LBUTTONDOWN:
            if (GetFocus() != hwnd) SetFocus(hwnd);
            self->OnMouse(msg, wp, lp);
            return 0;
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: self->OnMouse(msg, wp, lp); return 0;
        case WM_DESTROY: self->OnDestroy(); break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            if (self->hwnd_ == hwnd) self->hwnd_ = nullptr;
            break;
        default:
            if (self->OnMessage(msg, wp, lp, result)) return result;
            break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace vexa::win32
