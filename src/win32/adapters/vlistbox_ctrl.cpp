#include "win32/adapters/vlistbox_ctrl.h"

#include <dispex.h>

#include <string_view>
#include <unordered_map>

#include "listbox/listbox_paint.h"
#include "module/automation_catalogue.h"
#include "module/class_table.h"
#include "win32/adapters/script_properties.h"
#include "win32/framework/module_services.h"
#include "win32/pages/page_classes.h"

namespace vexa::win32 {

using module::PropertyValue;

namespace {

// The members this adapter handles, found by their names in the automation
// catalogue: the DispIDs are the catalogue's alone.
enum class Handled {
    None,
    Sort,
    MultipleSelection,
    IsciiDataFormat,
    List,
    SelCount,
    TopIndex,
    GetCount,
    GetCurSel,
    SetCurSel,
    FindString,
    Clear,
    RemoveItem,
    GetSelectedItems,
    AddItem,
    GetItemText,
    BackColor,
    ForeColor,
};

Handled Which(const module::Member& member) {
    static const std::unordered_map<std::string_view, Handled> byName{
        {"Sort", Handled::Sort},
        {"MultipleSelection", Handled::MultipleSelection},
        {"ISCIIDataFormat", Handled::IsciiDataFormat},
        {"List", Handled::List},
        {"SelCount", Handled::SelCount},
        {"TopIndex", Handled::TopIndex},
        {"GetCount", Handled::GetCount},
        {"GetCurSel", Handled::GetCurSel},
        {"SetCurSel", Handled::SetCurSel},
        {"FindString", Handled::FindString},
        {"Clear", Handled::Clear},
        {"RemoveItem", Handled::RemoveItem},
        {"GetSelectedItems", Handled::GetSelectedItems},
        {"AddItem", Handled::AddItem},
        {"GetItemText", Handled::GetItemText},
        {"BackColor", Handled::BackColor},
        {"ForeColor", Handled::ForeColor},
    };
    auto it = byName.find(member.name);
    return it == byName.end() ? Handled::None : it->second;
}

constexpr int kListBoxIndex = listbox::ListBoxLogic::kControlIndex;

const module::CoClass& ListBoxClass() { return *module::Catalogue().FindClass("VListBox"); }

// Method arguments, converted as the type library declares them.
bool ArgLong(VARIANT* in, long& out) {
    VARIANT v;
    VariantInit(&v);
    if (FAILED(VariantChangeType(&v, in, 0, VT_I4))) return false;
    out = v.lVal;
    return true;
}

bool ArgBool(VARIANT* in, bool& out) {
    VARIANT v;
    VariantInit(&v);
    if (FAILED(VariantChangeType(&v, in, 0, VT_BOOL))) return false;
    out = v.boolVal != VARIANT_FALSE;
    return true;
}

bool ArgString(VARIANT* in, std::string& out) {
    VARIANT v;
    VariantInit(&v);
    if (FAILED(VariantChangeType(&v, in, 0, VT_BSTR))) return false;
    out = FromBstr(v.bstrVal);
    VariantClear(&v);
    return true;
}

HRESULT Answer(VARIANT* result, VARTYPE type, long value) {
    if (!result) return S_OK;
    result->vt = type;
    if (type == VT_BOOL)
        result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    else if (type == VT_I2)
        result->iVal = static_cast<SHORT>(value);
    else
        result->lVal = value;
    return S_OK;
}

// IDispatchEx, which mingw-w64's uuid library lacks.
constexpr IID kIidDispatchEx = {0xA6EF9860, 0xC720, 0x11D0, {0x93, 0x37, 0x00, 0xA0, 0xC9, 0x0D, 0xCA, 0xA9}};

// Writes indices into a script array object (a JScript Array): never past
// its length.
void WriteToScriptArray(IDispatch* array, const std::vector<int>& indices) {
    if (!array) return;
    LPOLESTR lengthName = const_cast<LPOLESTR>(L"length");
    DISPID lengthId;
    if (FAILED(array->GetIDsOfNames(IID_NULL, &lengthName, 1, LOCALE_USER_DEFAULT, &lengthId)))
        return;
    VARIANT length;
    VariantInit(&length);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (FAILED(array->Invoke(lengthId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                             &length, nullptr, nullptr)) ||
        FAILED(VariantChangeType(&length, &length, 0, VT_I4)))
        return;
    IDispatchEx* ex = nullptr;
    array->QueryInterface(kIidDispatchEx, reinterpret_cast<void**>(&ex));
    const std::size_t n = std::min<std::size_t>(indices.size(), length.lVal > 0 ? length.lVal : 0);
    for (std::size_t i = 0; i < n; ++i) {
        std::wstring name = std::to_wstring(i);
        BSTR bname = SysAllocString(name.c_str());
        DISPID id = DISPID_UNKNOWN;
        HRESULT hr = ex ? ex->GetDispID(bname, fdexNameEnsure, &id)
                        : array->GetIDsOfNames(IID_NULL, &bname, 1, LOCALE_USER_DEFAULT, &id);
        SysFreeString(bname);
        if (FAILED(hr)) break;
        VARIANT value;
        value.vt = VT_I4;
        value.lVal = indices[i];
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params{&value, &put, 1, 1};
        if (ex)
            ex->InvokeEx(id, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                         nullptr);
        else
            array->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                          nullptr, nullptr);
    }
    if (ex) ex->Release();
}

// Writes indices into a safe array of integers or variants, within its
// bounds.
void WriteToSafeArray(SAFEARRAY* array, VARTYPE element, const std::vector<int>& indices) {
    if (!array || SafeArrayGetDim(array) != 1) return;
    LONG low = 0, high = -1;
    SafeArrayGetLBound(array, 1, &low);
    SafeArrayGetUBound(array, 1, &high);
    for (LONG i = 0; i < static_cast<LONG>(indices.size()) && low + i <= high; ++i) {
        LONG at = low + i;
        if (element == VT_I4) {
            LONG value = indices[static_cast<std::size_t>(i)];
            SafeArrayPutElement(array, &at, &value);
        } else if (element == VT_VARIANT) {
            VARIANT value;
            value.vt = VT_I4;
            value.lVal = indices[static_cast<std::size_t>(i)];
            SafeArrayPutElement(array, &at, &value);
        }
    }
}

// Whether the current call came through a proxy (another apartment or
// process): then a by-reference integer is one integer, not an array.
bool CallIsMarshalled() {
    IServerSecurity* security = nullptr;
    if (SUCCEEDED(CoGetCallContext(IID_IServerSecurity, reinterpret_cast<void**>(&security)))) {
        security->Release();
        return true;
    }
    return false;
}

}  // namespace

CVListBoxCtrl::CVListBoxCtrl()
    : ActiveXControl(ListBoxClass(), module::ControlFactory(kListBoxIndex).miscStatus),
      list_([this] { return Window(); }),
      logic_({ControlPlatform(), Services().registry, Services().settings}, *this) {}

CVListBoxCtrl::~CVListBoxCtrl() {
    if (backBrush_) DeleteObject(backBrush_);
}

void CVListBoxCtrl::DoPropExchange(module::PropertyExchange& px) {
    const bool wasMultiple = logic_.Props().multipleSelection;
    logic_.Exchange(px, AmbientUserMode());
    backColor_ = logic_.Props().backColor;
    foreColor_ = logic_.Props().foreColor;
    if (px.IsLoading() && Window()) {
        if (wasMultiple != logic_.Props().multipleSelection)
            SelectionKindChanged(logic_.Props().multipleSelection);
        logic_.WindowCreated();
    }
}

HRESULT CVListBoxCtrl::GetProperty(const module::Member& member, PropertyValue& v) {
    if (ReadScriptProperty(member.name, logic_.Props(), v)) return S_OK;
    const listbox::ListBoxProperties& p = logic_.Props();
    switch (Which(member)) {
        case Handled::Sort: v.number = p.sort; break;
        case Handled::MultipleSelection: v.number = p.multipleSelection; break;
        case Handled::IsciiDataFormat: v.number = p.isciiDataFormat; break;
        case Handled::List: v.text = logic_.GetList(); break;
        case Handled::SelCount: v.number = logic_.SelCount(); break;
        case Handled::TopIndex: v.number = logic_.TopIndex(); break;
        case Handled::BackColor: v.number = static_cast<std::int32_t>(p.backColor); break;
        case Handled::ForeColor: v.number = static_cast<std::int32_t>(p.foreColor); break;
        default: return ActiveXControl::GetProperty(member, v);
    }
    return S_OK;
}

HRESULT CVListBoxCtrl::SetProperty(const module::Member& member, const PropertyValue& v) {
    if (WriteScriptProperty(member.name, logic_, v)) return S_OK;
    const bool on = v.number != 0;
    const auto i16 = static_cast<std::int16_t>(v.number);
    switch (Which(member)) {
        case Handled::Sort: logic_.SetSort(on); break;
        case Handled::MultipleSelection: logic_.SetMultipleSelection(on); break;
        case Handled::IsciiDataFormat:
            if (common::Outcome failed = logic_.SetIsciiDataFormat(i16)) return Fail(*failed);
            break;
        case Handled::List:
            if (common::Outcome failed = logic_.SetList(v.text)) return Fail(*failed);
            break;
        case Handled::SelCount: return Fail(CTL_E_SETNOTSUPPORTED, "SelCount is read-only");
        case Handled::TopIndex: logic_.SetTopIndex(v.number); break;
        case Handled::BackColor:
            logic_.SetBackColor(static_cast<std::uint32_t>(v.number));
            backColor_ = logic_.Props().backColor;
            break;
        case Handled::ForeColor:
            logic_.SetForeColor(static_cast<std::uint32_t>(v.number));
            foreColor_ = logic_.Props().foreColor;
            break;
        default: return ActiveXControl::SetProperty(member, v);
    }
    return S_OK;
}

HRESULT CVListBoxCtrl::CallMethod(const module::Member& member, std::vector<VARIANT*>& args,
                                  VARIANT* result) {
    long index = 0;
    bool flag = false;
    std::string text;
    switch (Which(member)) {
        case Handled::GetCount: return Answer(result, VT_I2, logic_.GetCount());
        case Handled::GetCurSel: return Answer(result, VT_I2, logic_.GetCurSel());
        case Handled::SetCurSel:
            if (!ArgLong(args[0], index)) return DISP_E_TYPEMISMATCH;
            return Answer(result, VT_BOOL, logic_.SetCurSel(static_cast<SHORT>(index)));
        case Handled::FindString:
            if (!ArgLong(args[0], index) || !ArgBool(args[1], flag) || !ArgString(args[2], text))
                return DISP_E_TYPEMISMATCH;
            return Answer(result, VT_I2, logic_.FindString(static_cast<SHORT>(index), flag, text));
        case Handled::Clear: logic_.Clear(); return S_OK;
        case Handled::RemoveItem:
            if (!ArgLong(args[0], index)) return DISP_E_TYPEMISMATCH;
            return Answer(result, VT_BOOL, logic_.RemoveItem(index));
        case Handled::GetSelectedItems: return GetSelectedItems(args[0], args[1], result);
        case Handled::AddItem: {
            if (!ArgString(args[0], text) || !ArgLong(args[1], index)) return DISP_E_TYPEMISMATCH;
            bool added = false;
            if (common::Outcome failed = logic_.AddItem(text, index, added)) return Fail(*failed);
            return Answer(result, VT_BOOL, added);
        }
        case Handled::GetItemText:
            if (!ArgLong(args[0], index)) return DISP_E_TYPEMISMATCH;
            if (common::Outcome failed = logic_.GetItemText(index, text)) return Fail(*failed);
            if (result) {
                result->vt = VT_BSTR;
                result->bstrVal = ToBstr(text);
            }
            return S_OK;
        default: return ActiveXControl::CallMethod(member, args, result);
    }
}

HRESULT CVListBoxCtrl::GetSelectedItems(VARIANT* maxItems, VARIANT* items, VARIANT* result) {
    long max = 0;
    if (!ArgLong(maxItems, max)) return DISP_E_TYPEMISMATCH;
    std::optional<std::vector<int>> selected = logic_.GetSelectedItems(max);
    if (!selected) return Answer(result, VT_BOOL, false);
    VARIANT* target = items;
    if (target->vt == (VT_BYREF | VT_VARIANT) && target->pvarVal) target = target->pvarVal;
    const VARTYPE vt = target->vt;
    if (vt == (VT_BYREF | VT_I4) && target->plVal) {
        // An array passed by its first element: as many as were fetched,
        // but only the one integer when the call was marshalled.
        std::size_t n = CallIsMarshalled() ? std::min<std::size_t>(1, selected->size())
                                           : selected->size();
        for (std::size_t i = 0; i < n; ++i) target->plVal[i] = (*selected)[i];
    } else if (vt == VT_DISPATCH || vt == (VT_BYREF | VT_DISPATCH)) {
        WriteToScriptArray(vt == VT_DISPATCH ? target->pdispVal
                                             : (target->ppdispVal ? *target->ppdispVal : nullptr),
                           *selected);
    } else if (vt & VT_ARRAY) {
        SAFEARRAY* array = (vt & VT_BYREF) ? (target->pparray ? *target->pparray : nullptr)
                                           : target->parray;
        WriteToSafeArray(array, vt & VT_TYPEMASK, *selected);
    }
    return Answer(result, VT_BOOL, true);
}

// ---- window ----

ActiveXControl::WindowKind CVListBoxCtrl::Kind() const {
    DWORD style = WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY |
                  LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT;
    if (logic_.Props().multipleSelection) style |= LBS_MULTIPLESEL | LBS_EXTENDEDSEL;
    return {"LISTBOX", style};
}

bool CVListBoxCtrl::OnCreate() {
    if (!logic_.BindAtCreation()) return false;
    logic_.WindowCreated();
    list_.Attach(logic_.ItemHeight());
    return true;
}

void CVListBoxCtrl::OnDestroy() { logic_.Binding().UnloadConverter(); }

void CVListBoxCtrl::SelectionKindChanged(bool) {
    // The list box reads its selection style only when it is created.
    if (RecreateSystemWindow()) {
        list_.Attach(logic_.ItemHeight());
        FitHeight();
    }
}

int CVListBoxCtrl::BuildFonts(const common::DrawingScript& script) {
    HWND hwnd = Window();
    if (!hwnd) return 0;
    Win32Surface surface(GetDC(hwnd), [hwnd](HDC dc) { ReleaseDC(hwnd, dc); });
    scriptFonts_.MakeFontDescriptions(surface, script, script.fontSize);
    surface.SelectFont(nullptr);
    scriptFonts_.SetTibetanSpace(script.IsTibetan(), surface.CharWidth(0xA1));
    scriptFonts_.BuildWidthTables(fonts_, surface, script, false, true);
    if (const auto* font = static_cast<const Win32Font*>(scriptFonts_.FontOf(common::FontSlot::Script)))
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font->Handle()), FALSE);
    const int height = scriptFonts_.Description(common::FontSlot::Script).height;
    FitHeight();
    return height;
}

listbox::ItemColours CVListBoxCtrl::Colours() const {
    listbox::ItemColours c;
    c.back = TranslateColor(logic_.Props().backColor);
    c.fore = TranslateColor(logic_.Props().foreColor);
    c.highlight = GetSysColor(COLOR_HIGHLIGHT);
    c.highlightText = 0xFFFFFF;
    return c;
}

void CVListBoxCtrl::DrawItem(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    if (item.itemID != static_cast<UINT>(-1) && (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
        Win32Surface surface(item.hDC, nullptr);
        listbox::PaintItem(surface, scriptFonts_, logic_.Drawing().scriptName,
                           logic_.ItemRun(static_cast<int>(item.itemID)),
                           {r.left, r.top, r.right, r.bottom}, (item.itemState & ODS_SELECTED) != 0,
                           Colours());
    }
    const bool focusChanged = (item.itemAction & ODA_FOCUS) != 0;
    const bool drawnWithFocus =
        (item.itemAction & ODA_DRAWENTIRE) && (item.itemState & ODS_FOCUS) != 0;
    if (focusChanged || drawnWithFocus) DrawFocusRect(item.hDC, &r);
}

void CVListBoxCtrl::OnDraw(HDC dc, const RECT& bounds) {
    // A picture of the control without its window (a container's view).
    Win32Surface surface(dc, nullptr);
    POINT oldOrigin;
    SetViewportOrgEx(dc, bounds.left, bounds.top, &oldOrigin);
    listbox::PaintPage(surface, logic_, scriptFonts_, list_,
                       {0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top}, Colours());
    SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void CVListBoxCtrl::FitHeight() {
    HWND hwnd = Window();
    if (!hwnd || fitting_) return;
    RECT client, outer;
    GetClientRect(hwnd, &client);
    const int fitted = logic_.FittedHeight(client.bottom);
    if (fitted == client.bottom) return;
    fitting_ = true;
    GetWindowRect(hwnd, &outer);
    const int height = outer.bottom - outer.top - (client.bottom - fitted);
    SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (HWND reflector = GetParent(hwnd))
        SetWindowPos(reflector, nullptr, 0, 0, outer.right - outer.left, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    fitting_ = false;
}

void CVListBoxCtrl::OnSize(int, int) { FitHeight(); }

void CVListBoxCtrl::OnKeyDown(UINT key, LPARAM flags) {
    logic_.KeyDown(static_cast<int>(key), static_cast<int>((flags >> 16) & 0xFF),
                   GetKeyState(VK_CONTROL) < 0);
    FireKeyDown(key);
}

void CVListBoxCtrl::OnKeyUp(UINT key, LPARAM) { FireKeyUp(key); }

void CVListBoxCtrl::OnMouse(UINT msg, WPARAM, LPARAM) {
    if (msg == WM_LBUTTONUP) FireEvent("Click");
    if (msg == WM_LBUTTONDBLCLK) FireEvent("DblClick");
}

bool CVListBoxCtrl::OnReflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
            const int h = logic_.ItemHeight();
            item->itemHeight = static_cast<UINT>(h > 0 ? h : 16);
            result = TRUE;
            return true;
        }
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            result = TRUE;
            return true;
        case WM_COMMAND: result = 0; return true;  // the list's notifications end here
        case WM_CHARTOITEM: result = -2; return true;  // type-ahead is the control's own
        case WM_VKEYTOITEM: result = -1; return true;  // the list moves as usual
        case WM_CTLCOLORLISTBOX: {
            const std::uint32_t colour = TranslateColor(logic_.Props().backColor);
            if (!backBrush_ || colour != brushColour_) {
                if (backBrush_) DeleteObject(backBrush_);
                backBrush_ = CreateSolidBrush(colour);
                brushColour_ = colour;
            }
            result = reinterpret_cast<LRESULT>(backBrush_);
            return true;
        }
        default: return false;
    }
}

bool CVListBoxCtrl::OnMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_GETDLGCODE) return false;
    result = DialogCode(reinterpret_cast<const MSG*>(lp));
    return true;
}

bool CVListBoxCtrl::KeepsKey(UINT key) const {
    return listbox::ListKeepsKey(key, MapVirtualKeyA(key, 0));
}

std::vector<std::string_view> CVListBoxCtrl::PropertyPages() const { return PageClsidsOf("VListBox"); }

}  // namespace vexa::win32
