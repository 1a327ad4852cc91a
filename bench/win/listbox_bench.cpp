// vexa-listbox-bench: VListBox hosted through COM the way a form hosts it,
// beside the system's LISTBOX holding the same number of items, in one
// process and one run under Wine (`scripts/vexa-wine`, Xvfb when there is
// no display).
//
//   vexa-listbox-bench [--sizes N1,N2,...] [--rounds R] [--add-limit N]
//
// Adding items one by one to a visible list costs Wine a repaint of the
// list for every item (about 12 ms for either control), so that column is
// measured only up to --add-limit items (1000 by default).
// Sizes past 32767 items time VListBox's refusal of the whole list.
// For each size: filling the list (VListBox: one List assignment and N
// AddItem calls through IDispatch; LISTBOX: N LB_ADDSTRING), sorting it
// (VListBox: Sort = True on the filled list; LISTBOX: N LB_ADDSTRING into
// an LBS_SORT list with redrawing off), repainting one page (InvalidateRect + UpdateWindow),
// and one typed key that matches no item, so the whole list is searched
// (VListBox: Inscript with Caps Lock through its keyboard; LISTBOX: its
// own search on WM_CHAR). Items are Devanagari words of two to five
// syllables; each figure is the best round's.

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "container_site.h"
#include "wintest_util.h"

using vexa::container::ControlSite;
using vexa::container::WideText;
using wintest::IdOf;
using wintest::Put;
using wintest::PutBool;
using wintest::PutLong;

namespace {

constexpr RECT kRect{10, 10, 310, 410};

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::vector<std::string> Words(std::size_t count) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> consonant(0xB3, 0xD8), sign(0xDA, 0xE7), coin(0, 3),
        syllables(2, 5);
    std::vector<std::string> words;
    for (std::size_t i = 0; i < count; ++i) {
        std::string w;
        for (int s = syllables(random); s > 0; --s) {
            w += static_cast<char>(consonant(random));
            const int c = coin(random);
            if (c == 1) w += static_cast<char>(sign(random));
            if (c == 2 && s > 1) w += '\xE8';
        }
        words.push_back(std::move(w));
    }
    return words;
}

long CallCount(IDispatch* d) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT r;
    VariantInit(&r);
    d->Invoke(IdOf(d, L"GetCount"), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &r,
              nullptr, nullptr);
    VariantChangeType(&r, &r, 0, VT_I4);
    return r.lVal;
}

struct Figures {
    double fill = 0, addItems = 0, sort = 0, paint = 0, key = 0;
    long count = 0;
};

double PaintPage(HWND list) {
    double best = 1e9;
    for (int i = 0; i < 15; ++i) {
        const double start = Now();
        InvalidateRect(list, nullptr, TRUE);
        UpdateWindow(list);
        best = std::min(best, Now() - start);
    }
    return best;
}

double TypeKey(HWND list, UINT vk) {
    SetFocus(list);
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CAPITAL] = 1;
    SetKeyboardState(state);
    const UINT scan = MapVirtualKeyA(vk, 0);
    std::vector<double> times;
    for (int i = 0; i < 30; ++i) {
        const double start = Now();
        PostMessageA(list, WM_KEYDOWN, vk, 1 | (scan << 16));
        PostMessageA(list, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
        Pump();
        times.push_back(Now() - start);
    }
    state[VK_CAPITAL] = 0;
    SetKeyboardState(state);
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

Figures BenchVListBox(HWND form, const std::vector<std::string>& words, bool addItems) {
    Figures out;
    CLSID clsid;
    IOleObject* object = nullptr;
    if (FAILED(CLSIDFromProgID(L"VEXAOCX.VListBoxCtrl.1", &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&object))))
        return out;
    RECT rect = kRect;
    auto* site = new ControlSite(form, rect, true);
    object->SetClientSite(site);
    IPersistStreamInit* persist = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) {
        persist->InitNew();
        persist->Release();
    }
    object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, form, &rect);
    Pump();
    IDispatch* d = nullptr;
    HWND list = nullptr;
    object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d));
    IOleInPlaceObject* ip = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&ip)))) {
        ip->GetWindow(&list);
        ip->Release();
    }
    if (d && list) {
        PutLong(d, L"FontSize", 15);
        std::string text;
        for (const std::string& w : words) text += w + "\r\n";
        VARIANT v;
        v.vt = VT_BSTR;
        v.bstrVal = WideText(text);
        double start = Now();
        Put(d, L"List", v);
        Pump();
        out.fill = Now() - start;
        VariantClear(&v);

        DISPID add = IdOf(d, L"AddItem");
        Put(d, L"List", [] {
            VARIANT e;
            e.vt = VT_BSTR;
            e.bstrVal = SysAllocString(L"");
            return e;
        }());
        start = Now();
        for (const std::string& w : addItems ? words : std::vector<std::string>{}) {
            VARIANT args[2];
            args[1].vt = VT_BSTR;
            args[1].bstrVal = WideText(w);
            args[0].vt = VT_I4;
            args[0].lVal = -1;
            DISPPARAMS params{args, nullptr, 2, 0};
            VARIANT r;
            VariantInit(&r);
            d->Invoke(add, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &r, nullptr,
                      nullptr);
            SysFreeString(args[1].bstrVal);
        }
        Pump();
        out.addItems = addItems ? Now() - start : -1;
        if (!addItems) {
            VARIANT again;
            again.vt = VT_BSTR;
            again.bstrVal = WideText(text);
            Put(d, L"List", again);
            VariantClear(&again);
            Pump();
        }
        start = Now();
        PutBool(d, L"Sort", true);
        Pump();
        out.sort = Now() - start;
        out.count = CallCount(d);
        PutLong(d, L"TopIndex", static_cast<long>(words.size() / 2));
        Pump();
        out.paint = PaintPage(list);
        out.key = TypeKey(list, 'E');  // the aa sign: no item starts with it
    }
    if (d) d->Release();
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    object->Release();
    site->Release();
    Pump();
    return out;
}

HWND MakeListBox(HWND form, DWORD style) {
    const RECT r = kRect;
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY | style,
                                r.left, r.top, r.right - r.left, r.bottom - r.top, form, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    LOGFONTA lf{};
    lf.lfHeight = 20;
    lstrcpyA(lf.lfFaceName, "DVB-TTDorvan");
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontIndirectA(&lf)), TRUE);
    return list;
}

Figures BenchListBox(HWND form, const std::vector<std::string>& words, bool addItems) {
    Figures out;
    HWND list = MakeListBox(form, 0);
    double start = Now();
    for (const std::string& w : addItems ? words : std::vector<std::string>{})
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
    Pump();
    out.addItems = addItems ? Now() - start : -1;
    DestroyWindow(list);
    // Sorted by the list itself, filled as a program fills a big list:
    // with redrawing off.
    list = MakeListBox(form, LBS_SORT);
    start = Now();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (const std::string& w : words)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    Pump();
    out.sort = Now() - start;
    out.count = static_cast<long>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    SendMessageA(list, LB_SETTOPINDEX, words.size() / 2, 0);
    out.paint = PaintPage(list);
    out.key = TypeKey(list, 'E');
    DestroyWindow(list);
    Pump();
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::size_t> sizes{1000, 10000};
    int rounds = 2;
    std::size_t addLimit = 1000;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string a = argv[i], v = argv[i + 1];
        if (a == "--rounds") rounds = std::max(1, std::atoi(v.c_str()));
        if (a == "--add-limit") addLimit = std::strtoul(v.c_str(), nullptr, 10);
        if (a == "--sizes") {
            sizes.clear();
            for (std::size_t at = 0; at < v.size();) {
                std::size_t comma = v.find(',', at);
                sizes.push_back(std::strtoul(v.substr(at, comma - at).c_str(), nullptr, 10));
                at = comma == std::string::npos ? v.size() : comma + 1;
            }
        }
    }
    setvbuf(stdout, nullptr, _IONBF, 0);
    OleInitialize(nullptr);
    HWND form = CreateWindowA("STATIC", "list bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 340,
                              460, nullptr, nullptr, nullptr, nullptr);
    Pump();
    // One untimed round of each first: the first control of the process
    // loads the module, the converter and the fonts.
    BenchVListBox(form, Words(100), false);
    BenchListBox(form, Words(100), false);
    std::printf("%-9s %7s %9s %11s %9s %9s %9s  (ms, best of %d rounds)\n", "control", "items",
                "List=", "add items", "sort", "page", "key", rounds);
    int status = 0;
    for (std::size_t n : sizes) {
        const std::vector<std::string> words = Words(n);
        Figures mine{1e9, 1e9, 1e9, 1e9, 1e9, 0}, system{1e9, 1e9, 1e9, 1e9, 1e9, 0};
        for (int r = 0; r < rounds; ++r) {
            Figures a = BenchVListBox(form, words, n <= addLimit),
                    b = BenchListBox(form, words, n <= addLimit);
            auto best = [](Figures& into, const Figures& f) {
                into.fill = std::min(into.fill, f.fill);
                into.addItems = std::min(into.addItems, f.addItems);
                into.sort = std::min(into.sort, f.sort);
                into.paint = std::min(into.paint, f.paint);
                into.key = std::min(into.key, f.key);
                into.count = f.count;
            };
            best(mine, a);
            best(system, b);
        }
        // A list of more than 32767 items is refused whole (the list's
        // 16-bit interface): the figures then time the refusal.
        const long expected = n <= 32767 ? static_cast<long>(n) : 0;
        if (mine.count != expected) status = 1;
        auto ms = [](double v) {
            char text[32];
            if (v < 0)
                std::snprintf(text, sizeof text, "-");
            else
                std::snprintf(text, sizeof text, "%.2f", v);
            return std::string(text);
        };
        std::printf("%-9s %7zu %9.2f %11s %9.2f %9.3f %9.3f\n", "VListBox", n, mine.fill,
                    ms(mine.addItems).c_str(), mine.sort, mine.paint, mine.key);
        std::printf("%-9s %7zu %9s %11s %9.2f %9.3f %9.3f\n", "LISTBOX", n, "-",
                    ms(system.addItems).c_str(), system.sort, system.paint, system.key);
    }
    DestroyWindow(form);
    OleUninitialize();
    return status;
}
