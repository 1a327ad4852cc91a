// IAccessible over a control's portable description, and the WinEvents it
// raises when the description announces a change.
#include "win32/framework/accessible_object.h"

#include <string>
#include <vector>

#include "win32/framework/accessible_enum.h"

namespace vexa::win32 {

namespace {

using common::AccessibleRole;

// IDispatch and IUnknown spelled out, as IAccessible is.
constexpr IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

LONG SystemRole(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::kText: return ROLE_SYSTEM_TEXT;
        case AccessibleRole::kPushButton: return ROLE_SYSTEM_PUSHBUTTON;
        case AccessibleRole::kCheckButton: return ROLE_SYSTEM_CHECKBUTTON;
        case AccessibleRole::kRadioButton: return ROLE_SYSTEM_RADIOBUTTON;
        case AccessibleRole::kGrouping: return ROLE_SYSTEM_GROUPING;
        case AccessibleRole::kStaticText: return ROLE_SYSTEM_STATICTEXT;
        case AccessibleRole::kLink: return ROLE_SYSTEM_LINK;
        case AccessibleRole::kList: return ROLE_SYSTEM_LIST;
        case AccessibleRole::kListItem: return ROLE_SYSTEM_LISTITEM;
    }
    return ROLE_SYSTEM_CLIENT;
}

LONG SystemStates(std::uint32_t states) {
    struct Pair {
        std::uint32_t portable;
        LONG system;
    };
    static constexpr Pair kPairs[] = {
        {common::kStateUnavailable, STATE_SYSTEM_UNAVAILABLE},
        {common::kStateSelected, STATE_SYSTEM_SELECTED},
        {common::kStateFocused, STATE_SYSTEM_FOCUSED},
        {common::kStateChecked, STATE_SYSTEM_CHECKED},
        {common::kStateReadOnly, STATE_SYSTEM_READONLY},
        {common::kStateDefault, STATE_SYSTEM_DEFAULT},
        {common::kStateOffscreen, STATE_SYSTEM_OFFSCREEN},
        {common::kStateFocusable, STATE_SYSTEM_FOCUSABLE},
        {common::kStateSelectable, STATE_SYSTEM_SELECTABLE},
        {common::kStateLinked, STATE_SYSTEM_LINKED},
        {common::kStateTraversed, STATE_SYSTEM_TRAVERSED},
        {common::kStateProtected, STATE_SYSTEM_PROTECTED},
        {common::kStateMultiSelectable, STATE_SYSTEM_MULTISELECTABLE},
        {common::kStateExtSelectable, STATE_SYSTEM_EXTSELECTABLE},
    };
    LONG system = 0;
    for (const Pair& p : kPairs)
        if (states & p.portable) system |= p.system;
    return system;
}

// A string for the caller; S_FALSE and null when there is none.
HRESULT GiveString(const std::u16string& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// The name a label gives the window, as the system names an edit control:
// the window just before it among its siblings (or, for a window that is
// the first of them, before its parent, up to the host's form) when that
// window, or the control inside it, is static text.
std::u16string LabelOf(HWND window) {
    HWND w = window;
    for (int level = 0; w && level < 4; ++level, w = GetParent(w)) {
        if (!(GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD)) break;  // the form itself
        HWND before = GetWindow(w, GW_HWNDPREV);
        if (!before) continue;
        for (HWND inner = before; inner; inner = GetWindow(inner, GW_CHILD)) before = inner;
        IAccessible* label = nullptr;
        if (FAILED(AccessibleObjectFromWindow(before, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                              reinterpret_cast<void**>(&label))) ||
            !label)
            return {};
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        VARIANT role;
        VariantInit(&role);
        BSTR name = nullptr;
        std::u16string text;
        // The system's own label, or a control that reports static text.
        char kind[16] = {};
        GetClassNameA(before, kind, sizeof kind);
        const bool systemLabel = lstrcmpiA(kind, "Static") == 0;
        const bool staticText = SUCCEEDED(label->get_accRole(self, &role)) && role.vt == VT_I4 &&
                                role.lVal == ROLE_SYSTEM_STATICTEXT;
        if ((systemLabel || staticText) && SUCCEEDED(label->get_accName(self, &name)) && name)
            text.assign(reinterpret_cast<const char16_t*>(name), SysStringLen(name));
        SysFreeString(name);
        label->Release();
        return text;
    }
    return {};
}

VARIANT ChildVariant(int child) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = child == 0 ? CHILDID_SELF : child;
    return v;
}

}  // namespace

AccessibleObject::AccessibleObject(HWND window, common::AccessibleView& view)
    : window_(window), view_(&view) {}

STDMETHODIMP AccessibleObject::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, kIidUnknown) || IsEqualIID(riid, kIidDispatch) || IsEqualIID(riid, kIidAccessible)) {
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) AccessibleObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

STDMETHODIMP_(ULONG) AccessibleObject::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP AccessibleObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

int AccessibleObject::ChildOf(const VARIANT& child) const {
    if (!view_ || child.vt != VT_I4) return -1;
    const int id = child.lVal == CHILDID_SELF ? 0 : static_cast<int>(child.lVal);
    return id >= 0 && id <= view_->ChildCount() ? id : -1;
}

RECT AccessibleObject::Client() const {
    RECT r{};
    if (window_) GetClientRect(window_, &r);
    return r;
}

STDMETHODIMP AccessibleObject::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!view_) return CO_E_OBJNOTCONNECTED;
    return AccessibleObjectFromWindow(window_, static_cast<DWORD>(OBJID_WINDOW), kIidDispatch,
                                      reinterpret_cast<void**>(parent));
}

STDMETHODIMP AccessibleObject::get_accChildCount(LONG* count) {
    if (!count) return E_POINTER;
    if (!view_) return CO_E_OBJNOTCONNECTED;
    *count = view_->ChildCount();
    return S_OK;
}

STDMETHODIMP AccessibleObject::get_accChild(VARIANT child, IDispatch** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!view_) return CO_E_OBJNOTCONNECTED;
    // The parts are simple elements of this object, not objects of their own.
    return ChildOf(child) < 0 ? E_INVALIDARG : S_FALSE;
}

STDMETHODIMP AccessibleObject::get_accName(VARIANT child, BSTR* name) {
    if (!view_) return CO_E_OBJNOTCONNECTED;
    const int id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    std::u16string text = view_->Name(id);
    if (text.empty() && id == 0) text = LabelOf(window_);
    return GiveString(text, name);
}

STDMETHODIMP AccessibleObject::get_accValue(VARIANT child, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    if (!view_) return CO_E_OBJNOTCONNECTED;
    const int id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    if (id != 0) return S_FALSE;
    // A protected text is withheld, as the system's password edit does.
    if (view_->States(0) & common::kStateProtected) return E_ACCESSDENIED;
    std::u16string text;
    if (!view_->Value(text)) return S_FALSE;
    *value = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    return *value ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP AccessibleObject::get_accDescription(VARIANT child, BSTR* text) {
    if (!view_) return CO_E_OBJNOTCONNECTED;
    return ChildOf(child) < 0 ? E_INVALIDARG : GiveString({}, text);
}

STDMETHODIMP AccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    VariantInit(role);
    if (!view_) return CO_E_OBJNOTCONNECTED;
    const int id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = SystemRole(view_->Role(id));
    return S_OK;
}

STDMETHODIMP AccessibleObject::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    VariantInit(state);
    if (!view_) return CO_E_OBJNOTCONNECTED;
    const int id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    std::uint32_t states = view_->States(id);
    const bool windowFocused = GetFocus() == window_;
    if (!IsWindowEnabled(window_)) states |= common::kStateUnavailable;
    if (id == 0) {
        if (windowFocused) states |= common::kStateFocused;
    } else {
        // A part has the focus only while its control has it.
        if (!windowFocused) states &= ~common::kStateFocused;
        const RECT client = Client();
        if (view_->ChildLocation(id, {client.left, client.top, client.right, client.bottom}).IsEmpty())
            states |= common::kStateOffscreen;
    }
    LONG system = SystemStates(states);
    if (!IsWindowVisible(window_)) system |= STATE_SYSTEM_INVISIBLE;
    state->vt = VT_I4;
    state->lVal = system;
    return S_OK;
}

STDMETHODIMP AccessibleObject::get_accHelp(VARIANT child, BSTR* text) {
    if (!view_) return CO_E_OBJNOTCONNECTED;
    return ChildOf(child) < 0 ? E_INVALIDARG : GiveString({}, text);
}

STDMETHODIMP AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return view_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
}

STDMETHODIMP AccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* text) {
    if (!view_) return CO_E_OBJNOTCONNECTED;
    return ChildOf(child) < 0 ? E_INVALIDARG : GiveString({}, text);
}

STDMETHODIMP AccessibleObject::get_accFocus(VARIANT* focus) {
    if (!focus) return E_POINTER;
    VariantInit(focus);
    if (!view_) return CO_E_OBJNOTCONNECTED;
    if (GetFocus() != window_) return S_FALSE;
    *focus = ChildVariant(view_->FocusedChild());
    return S_OK;
}

STDMETHODIMP AccessibleObject::get_accSelection(VARIANT* selection) {
    if (!selection) return E_POINTER;
    VariantInit(selection);
    if (!view_) return CO_E_OBJNOTCONNECTED;
    const std::vector<int> selected = view_->SelectedChildren();
    if (selected.empty()) return S_FALSE;
    if (selected.size() == 1) {
        *selection = ChildVariant(selected.front());
        return S_OK;
    }
    selection->vt = VT_UNKNOWN;
    selection->punkVal = new ChildEnumeration(selected);
    return S_OK;
}

STDMETHODIMP AccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (!view_) return CO_E_OBJNOTCONNECTED;
    const int id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    return GiveString(view_->DefaultAction(id), action);
}

STDMETHODIMP AccessibleObject::accSelect(LONG flags, VARIANT child) {
    if (!view_) return CO_E_OBJNOTCONNECTED;
    const int id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    if ((flags & SELFLAG_TAKEFOCUS) && IsWindowEnabled(window_) && GetFocus() != window_) SetFocus(window_);
    if (id == 0) return flags == SELFLAG_TAKEFOCUS ? S_OK : S_FALSE;
    return view_->Select(id, static_cast<unsigned>(flags)) ? S_OK : S_FALSE;
}

STDMETHODIMP AccessibleObject::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    if (!view_) return CO_E_OBJNOTCONNECTED;
    const int id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    RECT r{};
    if (id == 0) {
        GetWindowRect(window_, &r);
    } else {
        const RECT client = Client();
        const platform::Rect part =
            view_->ChildLocation(id, {client.left, client.top, client.right, client.bottom});
        if (part.IsEmpty()) return S_FALSE;
        r = {part.left, part.top, part.right, part.bottom};
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    }
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

STDMETHODIMP AccessibleObject::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    VariantInit(end);
    if (!view_) return CO_E_OBJNOTCONNECTED;
    const int from = ChildOf(start);
    if (from < 0) return E_INVALIDARG;
    const int count = view_->ChildCount();
    int to = -1;
    if (from == 0 && direction == NAVDIR_FIRSTCHILD && count > 0) to = 1;
    if (from == 0 && direction == NAVDIR_LASTCHILD && count > 0) to = count;
    if (from > 0 && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) && from < count) to = from + 1;
    if (from > 0 && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) && from > 1) to = from - 1;
    if (to < 0) return S_FALSE;
    *end = ChildVariant(to);
    return S_OK;
}

STDMETHODIMP AccessibleObject::accHitTest(LONG left, LONG top, VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    if (!view_) return CO_E_OBJNOTCONNECTED;
    POINT p{left, top};
    ScreenToClient(window_, &p);
    const RECT client = Client();
    if (!PtInRect(&client, p)) return S_FALSE;
    *child = ChildVariant(view_->ChildAt({p.x, p.y}, {client.left, client.top, client.right, client.bottom}));
    return S_OK;
}

STDMETHODIMP AccessibleObject::accDoDefaultAction(VARIANT child) {
    if (!view_) return CO_E_OBJNOTCONNECTED;
    const int id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    if (!IsWindowEnabled(window_)) return E_FAIL;
    return view_->DoDefaultAction(id) ? S_OK : DISP_E_MEMBERNOTFOUND;
}

// ---- the window's side ----

// The description may be gone already (the control's logic goes first):
// only the object is told.
AccessibleSupport::~AccessibleSupport() {
    if (object_) {
        object_->Disconnect();
        object_->Release();
    }
}

bool AccessibleSupport::Answer(HWND window, common::AccessibleView& view, WPARAM wp, LPARAM lp,
                               LRESULT& result) {
    if (static_cast<LONG>(static_cast<DWORD>(lp)) != OBJID_CLIENT) return false;
    if (!object_) object_ = new AccessibleObject(window, view);
    object_->Retarget(window);
    result = LresultFromObject(kIidAccessible, wp, object_);
    return true;
}

void AccessibleSupport::Attach(HWND window, common::AccessibleView& view) {
    window_ = window;
    view_ = &view;
    view.Listen(this);
    if (object_) object_->Retarget(window);
}

void AccessibleSupport::Detach() { window_ = nullptr; }

void AccessibleSupport::AccessibleChanged(common::AccessibleChange change, int child) {
    if (!window_) return;
    DWORD event = 0;
    switch (change) {
        case common::AccessibleChange::kFocus:
            if (GetFocus() != window_) return;
            event = EVENT_OBJECT_FOCUS;
            break;
        case common::AccessibleChange::kValue: event = EVENT_OBJECT_VALUECHANGE; break;
        case common::AccessibleChange::kState: event = EVENT_OBJECT_STATECHANGE; break;
        case common::AccessibleChange::kSelection: event = EVENT_OBJECT_SELECTION; break;
        case common::AccessibleChange::kName: event = EVENT_OBJECT_NAMECHANGE; break;
    }
    NotifyWinEvent(event, window_, OBJID_CLIENT, child == 0 ? CHILDID_SELF : child);
}

}  // namespace vexa::win32
