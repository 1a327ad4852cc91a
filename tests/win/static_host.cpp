// VStatic in a host nobody here wrote: Wine's ATL host. Its window is a
// STATIC with the click notices and the alignment chosen at creation, it
// paints a Devanagari label, fires Click on a press outside link mode, and
// in link mode a press and release inside open exactly its URL (recorded
// through VEXA_URL_LOG) while a press outside and a drag out open nothing.
// It lists its four property pages and keeps every property in a bag.
#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "module/class_table.h"
#include "tests/win/com_doubles.h"
#include "tests/win/wintest_util.h"

using wintest::Check;
using wintest::GetWide;
using wintest::PutWide;
using wintest::GetText;
using wintest::Pump;

using wintest::Bytes;
using wintest::Connect;
using wintest::Put;
using wintest::PutBytes;
using wintest::PutLong;
using wintest::PutShort;

namespace {

// The launch log this process points the module's launcher at.
std::string g_log;

// What was opened since the last call (the log is read and removed).
std::string Launched() {
    std::stringstream s;
    {
        std::ifstream in(g_log, std::ios::binary);
        if (in) s << in.rdbuf();
    }
    std::remove(g_log.c_str());
    return s.str();
}

void Send(HWND w, UINT msg, WPARAM keys, int x, int y) {
    SendMessageA(w, msg, keys, MAKELPARAM(x, y));
    Pump();
}

std::string Hex(const GUID& g) {
    wchar_t text[64];
    StringFromGUID2(g, text, 64);
    std::wstring w(text);
    return std::string(w.begin() + 1, w.end() - 1);
}

}  // namespace

void CheckStaticInAtlHost() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    g_log = std::string(temp) + "vexa-static-launches.log";
    std::remove(g_log.c_str());
    SetEnvironmentVariableA("VEXA_URL_LOG", g_log.c_str());

    wintest::AtlHost atl;
    Check(atl.Ready(), "Wine's ATL host is there");
    if (!atl.Ready()) return;
    const auto placed = atl.Place("static", 360, 160, "VEXAOCX.VStaticCtrl.1", {10, 10, 310, 50});
    HWND frame = placed.frame, host = placed.host;
    IUnknown* unknown = placed.unknown;
    IDispatch* d = placed.control;
    Check(d != nullptr, "VStatic: the ATL host created it");
    if (!d) return;
    HWND label = FindWindowExA(GetWindow(host, GW_CHILD), nullptr, "Static", nullptr);
    Check(label && GetText(d, L"hWnd") == std::to_string(reinterpret_cast<INT_PTR>(label)),
          "VStatic: its window is a STATIC, and hWnd names it");
    if (!label) return;
    const LONG_PTR style = GetWindowLongPtrA(label, GWL_STYLE);
    Check((style & SS_TYPEMASK) == SS_LEFT && (style & SS_NOTIFY) && !(style & WS_TABSTOP),
          "VStatic: left-aligned STATIC with click notices, no tab stop");
    Check(GetText(d, L"Caption") == "VStatic", "VStatic: Caption " + GetText(d, L"Caption"));

    Check(SUCCEEDED(PutBytes(d, L"Caption", "\xC6\xCC\xD7\xE8\xC2\xE1 Vexa")), "VStatic: Caption set");
    const int dark = wintest::DarkPixels(label);
    Check(dark > 20, "VStatic: it paints its label (" + std::to_string(dark) + " dark pixels)");

    wintest::Sink sink;
    Check(Connect(unknown, sink) != 0, "VStatic: events connected");
    Send(label, WM_LBUTTONDOWN, MK_LBUTTON, 20, 10);
    Send(label, WM_LBUTTONUP, 0, 20, 10);
    Check(sink.events == std::vector<std::string>{"-600"}, "VStatic: a click fires Click once");
    Send(label, WM_MOUSEMOVE, 0, 20, 10);
    Check(GetCapture() == label, "VStatic: hover takes the capture outside link mode too");
    Send(label, WM_MOUSEMOVE, 0, 400, 10);
    Check(GetCapture() != label, "VStatic: leaving gives it back");

    const std::string url = "https://example.org/vexa?lang=hi";
    PutBytes(d, L"URL", url);
    wintest::PutBool(d, L"IsURL", true);
    sink.events.clear();
    Send(label, WM_MOUSEMOVE, 0, 20, 10);
    Check(GetText(d, L"ForeColor") == GetText(d, L"HoverColor"), "VStatic: hover paints in HoverColor");
    Send(label, WM_LBUTTONDOWN, MK_LBUTTON, 20, 10);
    Send(label, WM_LBUTTONUP, 0, 20, 10);
    Check(Launched() == url + "\n", "VStatic: a click opens exactly the URL");
    Check(sink.events.empty(), "VStatic: a link fires no Click");
    Send(label, WM_MOUSEMOVE, 0, 400, 10);
    Check(GetText(d, L"ForeColor") == std::to_string(0x8B1A55), "VStatic: visited colour after leaving: " +
                                                                     GetText(d, L"ForeColor"));
    // A press outside while the hover holds the capture, and a drag out.
    RECT rc;
    GetClientRect(label, &rc);
    const int out = rc.right + 20;
    Send(label, WM_MOUSEMOVE, 0, 20, 10);
    Send(label, WM_LBUTTONDOWN, MK_LBUTTON, -4, -4);
    Send(label, WM_LBUTTONUP, 0, -4, -4);
    Check(Launched().empty() && GetCapture() != label, "VStatic: a press outside ends the hover, opens nothing");
    Send(label, WM_LBUTTONDOWN, MK_LBUTTON, 20, 10);
    Send(label, WM_MOUSEMOVE, MK_LBUTTON, out, 10);
    Send(label, WM_LBUTTONUP, 0, out, 10);
    Check(Launched().empty(), "VStatic: a drag out opens nothing");
    PutBytes(d, L"URL", "file:///C:/windows/system32/calc.exe");
    Send(label, WM_LBUTTONDOWN, MK_LBUTTON, 20, 10);
    Send(label, WM_LBUTTONUP, 0, 20, 10);
    Check(Launched().empty(), "VStatic: a file address opens nothing");
    Check(sink.events.empty(), "VStatic: and fire nothing");

    // Addresses that only look like web addresses once a code page has
    // turned them into ASCII (a Cyrillic letter into "?", fullwidth
    // slashes into "/"): the control keeps them as given, refuses them,
    // and saves them as given.
    const std::pair<std::wstring, std::string> lookalikes[] = {
        {L"https://example.org/\x0430", "a Cyrillic letter"},
        {L"https:\xFF0F\xFF0F" L"example.org/", "fullwidth slashes"},
    };
    for (const auto& [lookalike, shown] : lookalikes) {
        Check(SUCCEEDED(PutWide(d, L"URL", lookalike)) && GetWide(d, L"URL") == lookalike,
              "VStatic: a URL with " + shown + " reads back exactly as set");
        Send(label, WM_LBUTTONDOWN, MK_LBUTTON, 20, 10);
        Send(label, WM_LBUTTONUP, 0, 20, 10);
        const std::string opened = Launched();
        Check(opened.empty(), "VStatic: a URL with " + shown + " opens nothing (opened: " + opened + ")");
        wintest::Bag urlBag;
        IPersistPropertyBag* saver = nullptr;
        if (SUCCEEDED(unknown->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&saver)))) {
            saver->Save(&urlBag, FALSE, TRUE);
            saver->Release();
        }
        const auto saved = urlBag.values.find(L"URL");
        Check(saved != urlBag.values.end() && saved->second.vt == VT_BSTR &&
                  std::wstring(saved->second.bstrVal, SysStringLen(saved->second.bstrVal)) == lookalike,
              "VStatic: a URL with " + shown + " is saved to a property bag as set");
        for (auto& [name, value] : urlBag.values) VariantClear(&value);
    }
    Check(sink.events.empty(), "VStatic: the refused addresses fire nothing");
    PutBytes(d, L"URL", "file:///C:/windows/system32/calc.exe");

    // The hand cursor and the underline come with the next window: set on
    // a live control they wait; a window made in link mode has both.
    auto handShown = [](HWND w) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor() == LoadCursor(nullptr, IDC_HAND);
    };
    auto underlined = [](HWND w) {
        LOGFONTA lf{};
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0));
        return font && GetObjectA(font, sizeof lf, &lf) && lf.lfUnderline;
    };
    wintest::PutBool(d, L"Underline", true);
    Check(!handShown(label) && !underlined(label), "VStatic: made a link while live, no hand and no underline yet");
    IOleInPlaceObject* inPlace = nullptr;
    IOleObject* ole = nullptr;
    if (SUCCEEDED(unknown->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace))) &&
        SUCCEEDED(unknown->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole)))) {
        inPlace->InPlaceDeactivate();
        RECT place{0, 0, 300, 40};
        ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, host, &place);
        Pump();
    }
    if (inPlace) inPlace->Release();
    if (ole) ole->Release();
    label = FindWindowExA(GetWindow(host, GW_CHILD), nullptr, "Static", nullptr);
    Check(label && handShown(label) && underlined(label),
          "VStatic: its window made again in link mode shows the hand and the underline");
    if (!label) return;

    // The pages: general, the edit control's second page, URL, about.
    ISpecifyPropertyPages* pages = nullptr;
    CAUUID ids{};
    std::string order;
    if (SUCCEEDED(unknown->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&pages))) &&
        SUCCEEDED(pages->GetPages(&ids))) {
        for (ULONG i = 0; i < ids.cElems; ++i) {
            const std::string clsid = Hex(ids.pElems[i]);
            for (const auto& f : vexa::module::Factories())
                if (f.clsid == clsid) order += std::string(f.className) + " ";
        }
        CoTaskMemFree(ids.pElems);
    }
    if (pages) pages->Release();
    Check(order == "CVStaticPropPage CVEditPropPage2 CPropPageURL CVEditPropPage4 ",
          "VStatic: its property pages in order: " + order);

    // Every persistent property through a property bag into a new control.
    PutShort(d, L"Alignment", 2);
    PutShort(d, L"FontSize", 22);
    PutBytes(d, L"ScriptName", "Tamil");
    wintest::PutBool(d, L"Underline", true);
    wintest::Bag bag;
    IPersistPropertyBag* pb = nullptr;
    Check(SUCCEEDED(unknown->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&pb))) &&
              SUCCEEDED(pb->Save(&bag, TRUE, TRUE)),
          "VStatic: saved to a property bag");
    if (pb) pb->Release();
    Check(bag.values.size() == 20, "VStatic: the bag holds " + std::to_string(bag.values.size()) + " properties");
    CLSID clsid;
    CLSIDFromProgID(L"VEXAOCX.VStaticCtrl.1", &clsid);
    IPersistPropertyBag* fresh = nullptr;
    if (SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistPropertyBag,
                                   reinterpret_cast<void**>(&fresh)))) {
        Check(SUCCEEDED(fresh->Load(&bag, nullptr)), "VStatic: loaded from the bag");
        IDispatch* d2 = nullptr;
        fresh->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d2));
        Check(d2 && GetText(d2, L"URL") == "file:///C:/windows/system32/calc.exe" &&
                  GetText(d2, L"IsURL") == "-1" && GetText(d2, L"Underline") == "-1" &&
                  GetText(d2, L"Alignment") == "2" && GetText(d2, L"FontSize") == "22" &&
                  GetText(d2, L"ScriptName") == "Tamil",
              "VStatic: the loaded control has the saved link, alignment, size and script");
        if (d2) d2->Release();
        fresh->Release();
    }

    d->Release();
    unknown->Release();
    DestroyWindow(frame);
    Pump();

    // In the one design environment that paints controls again, the STATIC
    // paints after the label, and the label stays as it was drawn.
    int pixels[2] = {0, 0};
    const char* titles[2] = {"plain host", "Project1 - Microsoft Development Environment [design]"};
    for (int i = 0; i < 2; ++i) {
        HWND f = CreateWindowA("STATIC", titles[i], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 360, 100, nullptr,
                               nullptr, nullptr, nullptr);
        HWND h = CreateWindowA("AtlAxWin", "VEXAOCX.VStaticCtrl.1", WS_CHILD | WS_VISIBLE, 10, 10, 300, 40, f,
                               nullptr, nullptr, nullptr);
        Pump();
        if (IDispatch* c = atl.Control(h)) {
            PutBytes(c, L"Caption", "\xC6\xCC\xD7\xE8\xC2\xE1 Vexa");
            HWND w = FindWindowExA(GetWindow(h, GW_CHILD), nullptr, "Static", nullptr);
            if (w) pixels[i] = wintest::DarkPixels(w);
            c->Release();
        }
        DestroyWindow(f);
        Pump();
    }
    Check(pixels[0] > 20 && pixels[1] == pixels[0],
          "VStatic: under the design environment's title the label looks the same (" +
              std::to_string(pixels[0]) + " and " + std::to_string(pixels[1]) + " dark pixels)");
    SetEnvironmentVariableA("VEXA_URL_LOG", nullptr);
}
