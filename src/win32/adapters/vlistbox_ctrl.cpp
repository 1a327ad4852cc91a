#include "win32/adapters/vlistbox_ctrl.h"

#include <dispex.h>

#include <string_view>

#include "listbox/listbox_paint.h"
#include "listbox/listbox_properties.h"
#include "module/automation_catalogue.h"
#include "module/class_table.h"
#include "win32/framework/module_services.h"
#include "win32/framework/rebuild_font.h"
#include "win32/framework/class_registry.h"

namespace vexa::win32 {

using common::PropertyValue;

namespace {

constexpr int kListBoxIndex = listbox::ListBoxLogic::kControlIndex;

const module::CoClass& ListBoxClass() { return *module::Catalogue().FindClass("VListBox"); }

// IDispatchEx, which mingw-w64's uuid library lacks.
constexpr IID kIidDispatchEx = {0xA6EF9860, 0xC720, 0x11D0, {0x93, 0x37, 0x00, 0xA0, 0xC9, 0x0D, 0xCA, 0xA9}};

// Writes indices into a script array object (a JScript Array): never past
// its length. The number written.
std::size_t WriteToScriptArray(IDispatch* array, const std::vector<int>& indices) {
    if (!array) return 0;
    LPOLESTR lengthName = const_cast<LPOLESTR>(L"length");
    DISPID lengthId;
    if (FAILED(array->GetIDsOfNames(IID_NULL, &lengthName, 1, LOCALE_USER_DEFAULT, &lengthId)))
        return 0;
    VARIANT length;
    VariantInit(&length);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (FAILED(array->Invoke(lengthId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                             &length, nullptr, nullptr)) ||
        FAILED(VariantChangeType(&length, &length, 0, VT_I4)))
        return 0;
    IDispatchEx* ex = nullptr;
    array->QueryInterface(kIidDispatchEx, reinterpret_cast<void**>(&ex));
    const std::size_t n = std::min<std::size_t>(indices.size(), length.lVal > 0 ? length.lVal : 0);
    std::size_t written = 0;
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
        hr = ex ? ex->InvokeEx(id, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                               nullptr, nullptr)
                : array->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                                nullptr, nullptr, nullptr);
        if (FAILED(hr)) break;
        ++written;
    }
    if (ex) ex->Release();
    return written;
}

// Writes indices into a one-dimensional safe array of integers or variants,
// within its bounds. The number written.
std::size_t WriteToSafeArray(SAFEARRAY* array, VARTYPE element, const std::vector<int>& indices) {
    LONG low = 0, high = -1;
    SafeArrayGetLBound(array, 1, &low);
    SafeArrayGetUBound(array, 1, &high);
    std::size_t written = 0;
    for (LONG i = 0; i < static_cast<LONG>(indices.size()) && low + i <= high; ++i) {
        LONG at = low + i;
        HRESULT hr;
        if (element == VT_I4) {
            LONG value = indices[static_cast<std::size_t>(i)];
            hr = SafeArrayPutElement(array, &at, &value);
        } else {
            VARIANT value;
            value.vt = VT_I4;
            value.lVal = indices[static_cast<std::size_t>(i)];
            hr = SafeArrayPutElement(array, &at, &value);
        }
        if (FAILED(hr)) break;
        ++written;
    }
    return written;
}

// The safe array a GetSelectedItems argument holds, when it is one the
// indices can be written into.
SAFEARRAY* WritableArray(const VARIANT& target) {
    if (!(target.vt & VT_ARRAY)) return nullptr;
    const VARTYPE element = target.vt & VT_TYPEMASK;
    if (element != VT_I4 && element != VT_VARIANT) return nullptr;
    SAFEARRAY* array = (target.vt & VT_BYREF) ? (target.pparray ? *target.pparray : nullptr)
                                              : target.parray;
    return array && SafeArrayGetDim(array) == 1 ? array : nullptr;
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
      logic_({ControlPlatform(), Services().registry, Services().settings}, *this),
      table_(listbox::ListBoxPropertyTable(), logic_, &listbox::ListBoxMethodTable()) {
    UseProperties(table_);
}

CVListBoxCtrl::~CVListBoxCtrl() {
    if (backBrush_) DeleteObject(backBrush_);
}

void CVListBoxCtrl::DoPropExchange(common::PropertyExchange& px) {
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

void CVListBoxCtrl::OnPropertyWritten(const module::Member&) {
    backColor_ = logic_.Props().backColor;
    foreColor_ = logic_.Props().foreColor;
}

HRESULT CVListBoxCtrl::CallMethod(MethodCall& call) {
    if (call.member.name == "GetSelectedItems")
        return GetSelectedItems(call.args[0].number, call.raw[1], call.result);
    return ActiveXControl::CallMethod(call);
}

// Writes the selected indices (at most `max`) into the caller's array and
// answers whether it wrote every one of them; an argument nothing can be
// written into is refused with a description, never answered with True.
HRESULT CVListBoxCtrl::GetSelectedItems(long max, VARIANT* items, PropertyValue& result) {
    VARIANT* target = items;
    if (target->vt == (VT_BYREF | VT_VARIANT) && target->pvarVal) target = target->pvarVal;
    const VARTYPE vt = target->vt;
    IDispatch* script = vt == VT_DISPATCH ? target->pdispVal
                        : vt == (VT_BYREF | VT_DISPATCH) && target->ppdispVal ? *target->ppdispVal
                                                                              : nullptr;
    SAFEARRAY* array = WritableArray(*target);
    const bool firstElement = vt == (VT_BYREF | VT_I4) && target->plVal;
    if (!script && !array && !firstElement)
        return Fail(E_INVALIDARG,
                    "ArrItems must be an array to write the indices into: a script array, a "
                    "one-dimensional array of Long or Variant, or the first Long of an array "
                    "of at least nMaxItems elements");
    std::optional<std::vector<int>> selected = logic_.GetSelectedItems(max);
    result.number = 0;
    if (!selected) return S_OK;
    std::size_t written = 0;
    if (firstElement) {
        // An array passed by its first element: as many as were fetched,
        // but only the one integer when the call was marshalled.
        written = CallIsMarshalled() ? std::min<std::size_t>(1, selected->size()) : selected->size();
        for (std::size_t i = 0; i < written; ++i) target->plVal[i] = (*selected)[i];
    } else if (script) {
        written = WriteToScriptArray(script, *selected);
    } else {
        written = WriteToSafeArray(array, vt & VT_TYPEMASK, *selected);
    }
    result.number = written == selected->size();
    return S_OK;
}

// ---- window ----

ActiveXControl::WindowKind CVListBoxCtrl::Kind() const {
    // A no-data list: the rows are drawn from the control's own items (in
    // the control's own order, so the window carries no LBS_SORT).
    DWORD style = WS_VSCROLL | WS_HSCROLL | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOTIFY |
                  LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT;
    if (logic_.Props().multipleSelection) style |= LBS_MULTIPLESEL | LBS_EXTENDEDSEL;
    return {"LISTBOX", style, /*unicode=*/true};
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
    if (!Window()) return 0;
    win32::RebuildFont(Window(), scriptFonts_, fonts_, script);
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

void CVListBoxCtrl::OnUnicodeChar(wchar_t unit) { logic_.TypeUnicode(static_cast<char16_t>(unit)); }

void CVListBoxCtrl::OnMouse(UINT msg, WPARAM, LPARAM) {
    if (msg == WM_LBUTTONUP) FireEvent("Click");
    if (msg == WM_LBUTTONDBLCLK) FireEvent("DblClick");
}

bool CVListBoxCtrl::OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
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
        case WM_COMMAND:  // the list's notifications end here
            if (HIWORD(wp) == LBN_SELCHANGE) logic_.SelectionMoved();
            result = 0;
            return true;
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
