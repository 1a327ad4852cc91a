// vexa-typing-bench: the cost of one typed key in VEdit, hosted through COM
// the way a form hosts it, beside the system's EDIT control typing the same
// keys into the same amount of text, in one process and one run.
//
// Each key is a posted WM_KEYDOWN and WM_KEYUP; the loop translates and
// dispatches them and runs the paints they cause, and the time from posting
// to an empty queue is the key's cost. Run it under Wine with
// `make bench-win` (scripts/vexa-wine starts Xvfb when there is no display).
//
//   vexa-typing-bench [--keys N] [--rounds R] [--sizes S1,S2,...] [--wrap] [--one-line]
//                     [--only vedit|edit] [--module LABEL=PATH-OF-AN-OCX]...
//
// VEdit types Devanagari through the Inscript keyboard (Caps Lock on) into
// Devanagari text, drawn through the real converter DVBCV32.DLL; EDIT types
// the same keys (capital letters) into ASCII text of the same size. Both are
// multi-line with a vertical scroll bar, the caret at the end of the text;
// lines scroll sideways (VEdit's default with MultiLine) or, with --wrap,
// wrap. The rounds go through every size and control in turn, so that a
// busy machine slows all of them alike; each figure is the best round's.
// --module loads VEdit from the given files instead of the registered
// module (two builds compared under the same conditions).

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "container_site.h"
#include "wintest_util.h"

using vexa::container::ControlSite;
using vexa::container::WideText;
using wintest::Put;
using wintest::PutBool;
using wintest::PutLong;

namespace {

constexpr int kFormWidth = 640;
constexpr int kFormHeight = 440;
constexpr RECT kControlRect{10, 10, 630, 430};

// The demo's word on the Inscript keyboard ("namaste") and a space.
constexpr UINT kKeys[] = {'V', 'C', 'M', 'D', 'L', 'S', VK_SPACE};

// A build of the module to load VEdit from; no handle: the registered one.
struct Module {
    std::string label = "VEdit";
    HMODULE handle = nullptr;
};

struct Options {
    int keys = 200;
    int rounds = 5;
    std::vector<std::size_t> sizes{0, 5 << 10, 1 << 20};
    bool wrap = false;
    bool oneLine = false;  // no line ends: one paragraph typed without Enter
    bool vedit = true;
    bool edit = true;
    std::vector<std::pair<std::string, std::string>> modules;  // label, path
};

// One measurement: the keys' wall-clock times and the process's CPU time.
struct Figures {
    double median = 0;  // ms per key, wall clock
    double mean = 0;
    double cpu = 0;     // ms per key, CPU time of this process (all threads)
    long grown = 0;     // bytes the text grew by while the keys were typed
    bool ok = false;
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double ProcessCpuMilliseconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    auto value = [](FILETIME t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (value(kernel) + value(user)) / 10000.0;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void SetCapsLock(bool on) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CAPITAL] = on ? 1 : 0;
    SetKeyboardState(state);
}

// Words of two to six letters, a line end after every dozen words or so.
// `iscii` gives Devanagari syllables (consonant, often a vowel sign).
bool g_oneLine = false;

std::string MakeText(std::size_t size, bool iscii) {
    std::mt19937 random(7);
    std::string text;
    text.reserve(size + 16);
    while (text.size() < size) {
        const int letters = 2 + static_cast<int>(random() % 5);
        for (int i = 0; i < letters; ++i) {
            if (iscii) {
                text += static_cast<char>(0xB3 + random() % 20);
                if (random() % 3 != 0) text += static_cast<char>(0xDA + random() % 8);
            } else {
                text += static_cast<char>('a' + random() % 26);
            }
        }
        text += random() % 12 == 0 && !g_oneLine ? '\n' : ' ';
    }
    text.resize(size);
    return text;
}

// Types the keys into the window `target`; the first tenth warms up and is
// not counted.
Figures TypeKeys(HWND target, int count) {
    SetFocus(target);
    SetCapsLock(true);
    Pump();
    // Markers for a relay trace (WINEDEBUG=+relay) of the timed keys.
    OutputDebugStringA("vexa-typing-bench: keys start\n");
    std::vector<double> times;
    const int warmup = std::max(5, count / 10);
    double cpuStart = 0;
    for (int i = 0; i < warmup + count; ++i) {
        if (i == warmup) cpuStart = ProcessCpuMilliseconds();
        const UINT vk = kKeys[i % (sizeof kKeys / sizeof kKeys[0])];
        const UINT scan = MapVirtualKeyA(vk, 0);
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        PostMessageA(target, WM_KEYDOWN, vk, 1 | (scan << 16));
        PostMessageA(target, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
        Pump();
        QueryPerformanceCounter(&stop);
        if (i >= warmup) times.push_back(Milliseconds(start, stop));
    }
    Figures f;
    f.cpu = (ProcessCpuMilliseconds() - cpuStart) / count;
    OutputDebugStringA("vexa-typing-bench: keys end\n");
    SetCapsLock(false);
    for (double t : times) f.mean += t;
    f.mean /= static_cast<double>(times.size());
    std::sort(times.begin(), times.end());
    f.median = times[times.size() / 2];
    f.ok = true;
    return f;
}

// The length of the control's Text property, to check that the keys typed.
long TextLength(IDispatch* d) {
    LPOLESTR names[1] = {const_cast<LPOLESTR>(L"Text")};
    DISPID id = 0;
    if (FAILED(d->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return -1;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT v;
    VariantInit(&v);
    if (FAILED(d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &v,
                         nullptr, nullptr)) ||
        v.vt != VT_BSTR)
        return -1;
    const long n = static_cast<long>(SysStringLen(v.bstrVal));
    VariantClear(&v);
    return n;
}

IOleObject* CreateVEdit(const Module& module) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"VEXAOCX.VEditCtrl.1", &clsid))) return nullptr;
    IOleObject* object = nullptr;
    if (!module.handle) {
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                         reinterpret_cast<void**>(&object));
        return object;
    }
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto entry = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(module.handle, "DllGetClassObject")));
    IClassFactory* factory = nullptr;
    if (!entry || FAILED(entry(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
        return nullptr;
    factory->CreateInstance(nullptr, IID_IOleObject, reinterpret_cast<void**>(&object));
    factory->Release();
    return object;
}

// VEdit hosted on the form through COM, in place, as the test container
// hosts it.
Figures BenchVEdit(HWND form, const Module& module, std::size_t size, bool wrap, int keys) {
    Figures out;
    IOleObject* object = CreateVEdit(module);
    if (!object) return out;
    RECT rect = kControlRect;
    auto* site = new ControlSite(form, rect, true);
    object->SetClientSite(site);
    IPersistStreamInit* persist = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) {
        persist->InitNew();
        persist->Release();
    }
    bool ok = SUCCEEDED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, form, &rect));
    Pump();
    IDispatch* d = nullptr;
    HWND window = nullptr;
    ok = ok && SUCCEEDED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d)));
    if (ok) {
        IOleInPlaceObject* ip = nullptr;
        if (SUCCEEDED(object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&ip)))) {
            ip->GetWindow(&window);
            ip->Release();
        }
        ok = window != nullptr;
    }
    if (ok) {
        ok = SUCCEEDED(PutBool(d, L"MultiLine", true)) && SUCCEEDED(PutBool(d, L"VScrollBar", true)) &&
             SUCCEEDED(PutLong(d, L"FontSize", 20));
        if (wrap) ok = ok && SUCCEEDED(PutBool(d, L"AutoHScroll", false));
        VARIANT text;
        text.vt = VT_BSTR;
        text.bstrVal = WideText(MakeText(size, true));
        ok = ok && SUCCEEDED(Put(d, L"Text", text));
        VariantClear(&text);
        ok = ok && SUCCEEDED(PutLong(d, L"SelStart", 1 << 30)) &&
             SUCCEEDED(PutLong(d, L"SelLength", 0));
        Pump();
    }
    if (ok) {
        const long before = TextLength(d);
        out = TypeKeys(window, keys);
        out.grown = TextLength(d) - before;
    }
    if (d) d->Release();
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    object->Release();
    site->Release();
    Pump();
    return out;
}

// The system's EDIT with the same frame, typing the same keys.
Figures BenchEdit(HWND form, std::size_t size, bool wrap, int keys) {
    Figures out;
    const RECT r = kControlRect;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (!wrap) style |= ES_AUTOHSCROLL;
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", style, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, form, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (!edit) return out;
    LOGFONTA lf{};
    lf.lfHeight = 27;  // about 20 points, as VEdit's FontSize
    lstrcpyA(lf.lfFaceName, "Tahoma");
    HFONT font = CreateFontIndirectA(&lf);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    std::string text = MakeText(size, false);
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 32);
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    SetWindowTextA(edit, crlf.c_str());
    const auto length = static_cast<WPARAM>(GetWindowTextLengthA(edit));
    SendMessageA(edit, EM_SETSEL, length, static_cast<LPARAM>(length));
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    Pump();
    const long before = GetWindowTextLengthA(edit);
    out = TypeKeys(edit, keys);
    out.grown = GetWindowTextLengthA(edit) - before;
    DestroyWindow(edit);
    DeleteObject(font);
    Pump();
    return out;
}

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--wrap") {
            o.wrap = true;
            continue;
        }
        if (flag == "--one-line") {
            o.oneLine = true;
            continue;
        }
        if (i + 1 >= argc) break;
        const std::string value = argv[++i];
        if (flag == "--keys") {
            o.keys = std::max(10, std::atoi(value.c_str()));
        } else if (flag == "--rounds") {
            o.rounds = std::max(1, std::atoi(value.c_str()));
        } else if (flag == "--sizes") {
            o.sizes.clear();
            std::size_t p = 0;
            while (p <= value.size()) {
                const std::size_t q = std::min(value.find(',', p), value.size());
                o.sizes.push_back(std::strtoull(value.substr(p, q - p).c_str(), nullptr, 10));
                p = q + 1;
            }
        } else if (flag == "--module") {
            const std::size_t eq = value.find('=');
            if (eq == std::string::npos)
                o.modules.emplace_back("VEdit", value);
            else
                o.modules.emplace_back("VEdit(" + value.substr(0, eq) + ")", value.substr(eq + 1));
        } else if (flag == "--only") {
            o.vedit = value == "vedit";
            o.edit = value == "edit";
        }
    }
    return o;
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) return 0;
    return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND MakeForm() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "VexaTypingBench";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&wc);
    RECT frame{0, 0, kFormWidth, kFormHeight};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND form = CreateWindowA("VexaTypingBench", "vexa-typing-bench",
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    ShowWindow(form, SW_SHOW);
    UpdateWindow(form);
    SetForegroundWindow(form);
    Pump();
    return form;
}

// The best of the rounds: the lowest median (and the lowest CPU time).
Figures Best(const std::vector<Figures>& rounds) {
    Figures best;
    for (const Figures& f : rounds) {
        if (!f.ok) return {};
        if (!best.ok || f.median < best.median) {
            const double cpu = best.ok ? std::min(best.cpu, f.cpu) : f.cpu;
            best = f;
            best.cpu = cpu;
        } else {
            best.cpu = std::min(best.cpu, f.cpu);
        }
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = Parse(argc, argv);
    g_oneLine = options.oneLine;
    if (FAILED(CoInitialize(nullptr))) return 2;
    std::vector<Module> modules;
    for (const auto& [label, path] : options.modules) {
        Module m{label, LoadLibraryA(path.c_str())};
        if (!m.handle) {
            std::printf("cannot load %s\n", path.c_str());
            return 2;
        }
        modules.push_back(m);
    }
    if (modules.empty()) modules.push_back(Module{});
    HWND form = MakeForm();

    // Rows: each module's VEdit, then EDIT; columns: sizes; entries: rounds.
    std::vector<std::string> names;
    if (options.vedit)
        for (const Module& m : modules) names.push_back(m.label);
    if (options.edit) names.push_back("EDIT");
    std::vector<std::vector<std::vector<Figures>>> runs(
        names.size(), std::vector<std::vector<Figures>>(options.sizes.size()));

    // One short untimed pass first: fonts, converter and layout files load,
    // and the window system settles, before anything is measured.
    for (std::size_t m = 0; options.vedit && m < modules.size(); ++m)
        BenchVEdit(form, modules[m], 1024, options.wrap, 20);
    if (options.edit) BenchEdit(form, 1024, options.wrap, 20);

    for (int round = 0; round < options.rounds; ++round) {
        for (std::size_t s = 0; s < options.sizes.size(); ++s) {
            std::size_t row = 0;
            for (std::size_t m = 0; options.vedit && m < modules.size(); ++m, ++row)
                runs[row][s].push_back(
                    BenchVEdit(form, modules[m], options.sizes[s], options.wrap, options.keys));
            if (options.edit)
                runs[row][s].push_back(BenchEdit(form, options.sizes[s], options.wrap, options.keys));
        }
    }

    std::printf("Per typed key: WM_KEYDOWN + WM_KEYUP posted, then translated, dispatched and\n"
                "painted until the queue is empty. %d keys after a warm-up, caret at the end,\n"
                "%s, lines %s; best of %d rounds. VEdit: Devanagari text, Inscript keyboard, the\n"
                "real converter DVBCV32.DLL. EDIT: the system's edit control, ASCII text of\n"
                "the same size. CPU: this process's CPU time per key (all its threads).\n\n",
                options.keys, options.oneLine ? "one paragraph" : "paragraphs of a dozen words",
                options.wrap ? "wrapped" : "scrolling sideways", options.rounds);
    std::printf("%-36s %10s %10s %10s %7s\n", "Benchmark", "Median ms", "Mean ms", "CPU ms", "Grown");
    std::vector<std::vector<Figures>> best(names.size());
    int failures = 0;
    for (std::size_t s = 0; s < options.sizes.size(); ++s) {
        for (std::size_t row = 0; row < names.size(); ++row) {
            const Figures f = Best(runs[row][s]);
            best[row].push_back(f);
            const std::string name = "BM_WinTypeKey/" + names[row] + "/" + std::to_string(options.sizes[s]);
            // Wrapping may add a forced break now and then; keys that did
            // not type at all mean the control was not reached.
            if (!f.ok || f.grown < options.keys) {
                std::printf("%-36s failed: the control could not be hosted or did not type\n",
                            name.c_str());
                ++failures;
                continue;
            }
            std::printf("%-36s %10.3f %10.3f %10.3f %7ld\n", name.c_str(), f.median, f.mean, f.cpu,
                        f.grown);
        }
    }
    if (failures == 0) {
        std::printf("\n");
        const std::size_t last = options.sizes.size() - 1;
        for (std::size_t row = 0; row < names.size(); ++row) {
            if (last > 0)
                std::printf("%s median, %zu bytes / empty: %.2fx (target at most 1.2x for VEdit)\n",
                            names[row].c_str(), options.sizes[last],
                            best[row][last].median / best[row][0].median);
        }
        for (std::size_t row = 0; options.edit && row + 1 < names.size(); ++row) {
            for (std::size_t s = 0; s < options.sizes.size(); ++s)
                std::printf("%s / EDIT median at %zu bytes: %.2fx (target below 1)\n",
                            names[row].c_str(), options.sizes[s],
                            best[row][s].median / best.back()[s].median);
        }
    }
    DestroyWindow(form);
    CoUninitialize();
    return failures == 0 ? 0 : 1;
}
