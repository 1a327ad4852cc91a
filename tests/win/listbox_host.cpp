// VListBox in Wine's ATL host: its window is a no-data LISTBOX that counts
// the control's items, drawn by the control in whole rows; clicks, double clicks and keys fire
// the stock events with their DispIDs; type-ahead through the keyboard;
// GetSelectedItems writes no more than it was asked for; the property bag
// carries the items and the settings to a new control; the property pages
// are listed in order.
#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <string>
#include <vector>

#include "module/class_table.h"
#include "tests/win/com_doubles.h"
#include "tests/win/wintest_util.h"

using wintest::Check;
using wintest::GetText;
using wintest::Pump;

using wintest::Bytes;
using wintest::Connect;
using wintest::Put;
using wintest::PutBytes;
using wintest::PutLong;
using wintest::PutShort;

namespace {

// अनार, कमल, मकान, kamal
const char kList[] = "\xA4\xC6\xDA\xCF\r\n\xB3\xCC\xD1\r\n\xCC\xB3\xDA\xC6\r\nkamal";

// A method call with arguments in order; the result as text.
std::string Call(IDispatch* d, const wchar_t* name, std::vector<VARIANT> args = {}) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = d->Invoke(wintest::IdOf(d, name), IID_NULL, 0, DISPATCH_METHOD, &params, &result,
                           nullptr, nullptr);
    if (FAILED(hr)) return "<failed>";
    if (result.vt == VT_BOOL) return result.boolVal ? "true" : "false";
    if (FAILED(VariantChangeType(&result, &result, 0, VT_BSTR))) return "<type>";
    std::wstring w(result.bstrVal, SysStringLen(result.bstrVal));
    VariantClear(&result);
    return std::string(w.begin(), w.end());
}

VARIANT Long(long value) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

// A string argument (leaked: the checks are short-lived).
VARIANT Text(const char* text) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = wintest::Bytes(text);
    return v;
}

std::string Events(wintest::Sink& sink) {
    std::string s;
    for (auto& e : sink.events) s += e + " ";
    sink.events.clear();
    return s;
}

void SetCapsLock(bool on) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CAPITAL] = on ? 1 : 0;
    SetKeyboardState(state);
}

void Key(HWND target, WPARAM vk) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(vk), 0)) << 16;
    PostMessageA(target, WM_KEYDOWN, vk, 1 | scan);
    PostMessageA(target, WM_KEYUP, vk, 1 | scan | 0xC0000000);
}

void ClickRow(HWND list, int row, int height, bool twice = false) {
    const LPARAM at = MAKELPARAM(40, row * height + height / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    if (twice) {
        PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageA(list, WM_LBUTTONUP, 0, at);
    }
}

std::string ClsidOf(std::string_view className) {
    for (const vexa::module::FactoryEntry& f : vexa::module::Factories())
        if (f.className == className) return std::string(f.clsid);
    return {};
}

void CheckPages(IUnknown* unknown) {
    ISpecifyPropertyPages* specify = nullptr;
    CAUUID pages{};
    if (FAILED(unknown->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify))) ||
        FAILED(specify->GetPages(&pages))) {
        Check(false, "VListBox: lists its property pages");
        if (specify) specify->Release();
        return;
    }
    std::string got;
    for (ULONG i = 0; i < pages.cElems; ++i) {
        wchar_t text[40];
        StringFromGUID2(pages.pElems[i], text, 40);
        std::wstring w(text);
        got += std::string(w.begin() + 1, w.end() - 1) + " ";
    }
    CoTaskMemFree(pages.pElems);
    specify->Release();
    std::string expected = ClsidOf("CVListBoxPropPage") + " " + ClsidOf("CVEditPropPage2") + " " +
                           ClsidOf("CVEditPropPage4") + " ";
    Check(_stricmp(got.c_str(), expected.c_str()) == 0,
          "VListBox: general, second and about pages in order: " + got);
}

// GetSelectedItems with the caller's array passed by its first element:
// never more than nMaxItems, nor more than are selected.
void CheckSelectedItems(IDispatch* d, HWND list) {
    wintest::PutBool(d, L"MultipleSelection", true);
    Pump();
    HWND fresh = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll(GetText(d, L"hWnd"))));
    Check(fresh && (GetWindowLongPtrA(fresh, GWL_STYLE) & LBS_EXTENDEDSEL),
          "VListBox: MultipleSelection makes an extended-selection list");
    list = fresh;
    SendMessageA(list, LB_SETSEL, TRUE, 1);
    SendMessageA(list, LB_SETSEL, TRUE, 3);
    Check(GetText(d, L"SelCount") == "2", "VListBox: two items selected: " + GetText(d, L"SelCount"));
    for (long asked : {1L, 100L, -5L}) {
        LONG items[4] = {-7, -7, -7, -7};
        VARIANT array;
        array.vt = VT_I4 | VT_BYREF;
        array.plVal = items;
        const std::string ok = Call(d, L"GetSelectedItems", {Long(asked), array});
        const int written = (items[0] != -7) + (items[1] != -7) + (items[2] != -7) + (items[3] != -7);
        const int expected = asked < 0 ? 0 : (asked < 2 ? static_cast<int>(asked) : 2);
        Check(ok == "true" && written == expected && (expected < 1 || items[0] == 1) &&
                  (expected < 2 || items[1] == 3),
              "VListBox: GetSelectedItems(" + std::to_string(asked) + ") writes " +
                  std::to_string(written) + " integers");
    }
    // Items added and removed before the selected ones move the selection
    // with them.
    LONG moved[4] = {-7, -7, -7, -7};
    VARIANT movedArray;
    movedArray.vt = VT_I4 | VT_BYREF;
    movedArray.plVal = moved;
    Call(d, L"AddItem", {Text("first"), Long(0)});
    Call(d, L"GetSelectedItems", {Long(4), movedArray});
    Check(moved[0] == 2 && moved[1] == 4 && moved[2] == -7,
          "VListBox: an item added before the selected ones moves them: " + std::to_string(moved[0]) +
              " " + std::to_string(moved[1]));
    Call(d, L"RemoveItem", {Long(0)});
    moved[0] = moved[1] = -7;
    Call(d, L"GetSelectedItems", {Long(4), movedArray});
    Check(moved[0] == 1 && moved[1] == 3 && GetText(d, L"SelCount") == "2",
          "VListBox: and removed again, they are back: " + std::to_string(moved[0]) + " " +
              std::to_string(moved[1]));
    wintest::PutBool(d, L"MultipleSelection", false);
    Pump();
    LONG one = -7;
    VARIANT array;
    array.vt = VT_I4 | VT_BYREF;
    array.plVal = &one;
    Check(Call(d, L"GetSelectedItems", {Long(4), array}) == "false" && one == -7,
          "VListBox: a single-selection list has no selected items to hand out");
}

}  // namespace

void CheckListBoxInAtlHost() {
    wintest::AtlHost atl;
    Check(atl.Ready(), "Wine's ATL host is there");
    if (!atl.Ready()) return;
    const auto placed = atl.Place("list box", 320, 260, "VEXAOCX.VListBoxCtrl.1", {10, 10, 250, 180});
    HWND frame = placed.frame, host = placed.host;
    IUnknown* unknown = placed.unknown;
    IDispatch* d = placed.control;
    Check(d != nullptr, "VListBox: the ATL host created it");
    if (!d) return;
    HWND list = FindWindowExA(GetWindow(host, GW_CHILD), nullptr, "ListBox", nullptr);
    Check(list && GetText(d, L"hWnd") == std::to_string(reinterpret_cast<INT_PTR>(list)),
          "VListBox: its window is a LISTBOX, and hWnd names it");
    if (!list) return;

    Check(SUCCEEDED(PutBytes(d, L"List", kList)), "VListBox: List set");
    Pump();
    Check(SendMessageA(list, LB_GETCOUNT, 0, 0) == 4, "VListBox: the window holds four items");
    const LONG_PTR listStyle = GetWindowLongPtrA(list, GWL_STYLE);
    Check((listStyle & LBS_NODATA) && (listStyle & LBS_OWNERDRAWFIXED) &&
              !(listStyle & (LBS_HASSTRINGS | LBS_SORT)),
          "VListBox: the window is a no-data list; the items are the control's alone");
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    RECT client;
    GetClientRect(list, &client);
    Check(height > 10 && client.bottom % height == 0,
          "VListBox: whole rows of " + std::to_string(height) + " pixels in " +
              std::to_string(client.bottom));
    const int dark = wintest::DarkPixels(list);
    Check(dark > 40, "VListBox: it draws its items (" + std::to_string(dark) + " dark pixels)");

    wintest::Sink sink;
    Check(Connect(unknown, sink) != 0, "VListBox: events connected");
    ClickRow(list, 2, height);
    Pump();
    Check(Call(d, L"GetCurSel") == "2" && Events(sink) == "-600 ",
          "VListBox: a click selects its row and fires Click (-600)");
    ClickRow(list, 1, height, true);
    Pump();
    Check(Call(d, L"GetCurSel") == "1" && Events(sink) == "-600 -601 -600 ",
          "VListBox: a double click fires DblClick (-601) between the clicks");

    SetFocus(list);
    Pump();
    Events(sink);
    Key(list, VK_DOWN);
    Pump();
    Check(Call(d, L"GetCurSel") == "2" && Events(sink) == "-602:40 -604:40 ",
          "VListBox: Down moves the selection, KeyDown (-602) and KeyUp (-604) fire");
    SetCapsLock(true);
    Key(list, 'K');
    Pump();
    Check(Call(d, L"GetCurSel") == "1", "VListBox: Inscript k with Caps Lock selects the ka item");
    SetCapsLock(false);
    Key(list, 'K');
    Pump();
    Check(Call(d, L"GetCurSel") == "3", "VListBox: k without Caps Lock selects the English item");
    Events(sink);

    // The property bag carries the items and the settings.
    wintest::PutBool(d, L"Sort", true);
    PutLong(d, L"ForeColor", 0x80);
    wintest::Bag bag;
    IPersistPropertyBag* pb = nullptr;
    Check(SUCCEEDED(unknown->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&pb))) &&
              SUCCEEDED(pb->Save(&bag, TRUE, TRUE)),
          "VListBox: saved to a property bag");
    if (pb) pb->Release();
    Check(bag.values.size() == 12, "VListBox: the bag holds " + std::to_string(bag.values.size()) +
                                       " properties");
    CLSID clsid;
    CLSIDFromProgID(L"VEXAOCX.VListBoxCtrl.1", &clsid);
    IPersistPropertyBag* fresh = nullptr;
    if (SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistPropertyBag,
                                   reinterpret_cast<void**>(&fresh)))) {
        Check(SUCCEEDED(fresh->Load(&bag, nullptr)), "VListBox: loaded from the bag");
        IDispatch* d2 = nullptr;
        fresh->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d2));
        Check(d2 && Call(d2, L"GetCount") == "4" && Call(d2, L"GetItemText", {Long(0)}) == "kamal" &&
                  GetText(d2, L"Sort") == "-1" && GetText(d2, L"ForeColor") == "128",
              "VListBox: the loaded control has the sorted items and the settings");
        if (d2) d2->Release();
        fresh->Release();
    }
    CheckPages(unknown);
    CheckSelectedItems(d, list);
    d->Release();
    unknown->Release();
    DestroyWindow(frame);
    Pump();
}
