// vexa-container SCENARIO: a test container for ActiveX controls. It hosts
// controls on a form through COM, runs the scenario's commands (create,
// set, get, call, keys, clicks, expectations, persistence, screenshots) and
// logs every event, parent notification and message box on stdout. Exits 1
// when an expectation fails or a command cannot run.

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "container_site.h"
#include "page_driver.h"
#include "png_writer.h"
#include "scenario.h"

using namespace vexa::container;

namespace {

struct Hosted {
    std::string name;
    CLSID clsid{};
    IOleObject* object = nullptr;
    IDispatch* dispatch = nullptr;
    ControlSite* site = nullptr;
    IConnectionPoint* eventsPoint = nullptr;
    DWORD eventsCookie = 0;
    IConnectionPoint* notifyPoint = nullptr;
    DWORD notifyCookie = 0;
    RECT rect{};
    std::vector<std::string> events;  // since the last expect-events
};

class Container {
public:
    int Run(const std::string& path);

private:
    bool Execute(const ScenarioLine& line);
    bool Fail(const ScenarioLine& line, const std::string& why);
    Hosted* Find(const std::string& name);
    bool Create(const ScenarioLine& line, const std::string& name, const CLSID& clsid, RECT rect,
                IStream* state);
    void Destroy(Hosted& h);
    HRESULT Get(Hosted& h, const std::string& prop, VARIANT* out);
    HRESULT Put(Hosted& h, const std::string& prop, const VARIANT& value);
    HRESULT Call(Hosted& h, const std::string& method, std::vector<VARIANT>& args, VARIANT* out);
    VARIANT Value(const ScenarioLine& line, std::size_t index);
    bool Screenshot(const std::string& file);
    bool ControlShot(Hosted& h, const std::string& file);
    bool DrawShot(Hosted& h, const std::string& file);
    void Pump();
    void EnsureForm();

    static LRESULT CALLBACK FormProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK BoxHook(int code, WPARAM wp, LPARAM lp);

    HWND form_ = nullptr;
    int formWidth_ = 480, formHeight_ = 320;
    bool userMode_ = true;
    std::vector<std::unique_ptr<Hosted>> controls_;
    std::vector<std::string> notifications_;
    VARIANT lastResult_{};
    int failures_ = 0;
    static Container* self_;
    static int boxAnswer_;
    static std::vector<std::string> boxes_;
};

Container* Container::self_ = nullptr;
int Container::boxAnswer_ = IDYES;
std::vector<std::string> Container::boxes_;

void Log(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::string Hex(HRESULT hr) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(hr));
    return buffer;
}

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// Key names of the keys command; single letters and digits are their own.
UINT KeyCode(const std::string& name) {
    static const std::map<std::string, UINT> names{
        {"SPACE", VK_SPACE}, {"RETURN", VK_RETURN}, {"BACK", VK_BACK},   {"TAB", VK_TAB},
        {"LEFT", VK_LEFT},   {"RIGHT", VK_RIGHT},   {"UP", VK_UP},       {"DOWN", VK_DOWN},
        {"HOME", VK_HOME},   {"END", VK_END},       {"DELETE", VK_DELETE}, {"SHIFT", VK_SHIFT},
        {"ESCAPE", VK_ESCAPE}, {"COMMA", VK_OEM_COMMA}, {"PERIOD", VK_OEM_PERIOD},
        {"SEMICOLON", VK_OEM_1}, {"SLASH", VK_OEM_2}, {"MINUS", VK_OEM_MINUS}};
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return static_cast<UINT>(name[0]);
    auto it = names.find(name);
    if (it != names.end()) return it->second;
    if (name.rfind("0x", 0) == 0) return static_cast<UINT>(std::stoul(name, nullptr, 16));
    return 0;
}

}  // namespace

LRESULT CALLBACK Container::FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && lp != 0 && self_) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "notify 0x%04X", HIWORD(wp));
        for (auto& h : self_->controls_) {
            HWND child = nullptr;
            IOleInPlaceObject* ip = nullptr;
            if (SUCCEEDED(h->object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&ip)))) {
                ip->GetWindow(&child);
                ip->Release();
            }
            if (child == reinterpret_cast<HWND>(lp)) {
                Log(h->name + " " + buffer);
                break;
            }
        }
        char code[8];
        std::snprintf(code, sizeof code, "0x%04X", HIWORD(wp));
        self_->notifications_.push_back(code);
        return 0;
    }
    if (msg == WM_CLOSE) return 0;
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Message boxes shown by a control are logged and answered with the
// scenario's answer, so a run never waits for a user.
LRESULT CALLBACK Container::BoxHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wp);
        char cls[32] = {};
        GetClassNameA(box, cls, sizeof cls);
        if (std::string(cls) == "#32770") {
            char caption[256] = {};
            GetWindowTextA(box, caption, sizeof caption);
            std::string text;
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                char childClass[32] = {};
                GetClassNameA(child, childClass, sizeof childClass);
                char childText[1024] = {};
                GetWindowTextA(child, childText, sizeof childText);
                if (std::string(childClass) == "Static" && childText[0]) text = childText;
            }
            int answer = boxAnswer_;
            UINT yesId = IDYES;
            if (!GetDlgItem(box, IDYES)) {
                answer = IDOK;
                yesId = IDOK;
            }
            (void)yesId;
            std::string entry = "\"" + Escape(caption) + "\" \"" + Escape(text) + "\"";
            boxes_.push_back(entry);
            Log(std::string("msgbox ") + entry + " -> " +
                (answer == IDYES ? "yes" : answer == IDNO ? "no" : "ok"));
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void Container::EnsureForm() {
    if (form_) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "VexaContainerForm";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&wc);
    RECT r{0, 0, formWidth_, formHeight_};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    form_ = CreateWindowA("VexaContainerForm", "vexa-container", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          0, 0, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
    ShowWindow(form_, SW_SHOW);
    UpdateWindow(form_);
    Pump();
}

void Container::Pump() {
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

Hosted* Container::Find(const std::string& name) {
    for (auto& h : controls_)
        if (h->name == name) return h.get();
    return nullptr;
}

bool Container::Fail(const ScenarioLine& line, const std::string& why) {
    ++failures_;
    Log("FAIL line " + std::to_string(line.number) + ": " + why);
    return false;
}

bool Container::Create(const ScenarioLine& line, const std::string& name, const CLSID& clsid,
                       RECT rect, IStream* state) {
    EnsureForm();
    auto h = std::make_unique<Hosted>();
    h->name = name;
    h->clsid = clsid;
    h->rect = rect;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(&h->object));
    if (FAILED(hr)) return Fail(line, "cannot create " + name + ": " + Hex(hr));
    h->site = new ControlSite(form_, rect, userMode_);
    h->site->log = [n = name](const std::string& s) { Log(n + " " + s); };
    h->object->SetClientSite(h->site);

    IPersistStreamInit* persist = nullptr;
    hr = h->object->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
    if (SUCCEEDED(hr)) {
        hr = state ? persist->Load(state) : persist->InitNew();
        persist->Release();
    }
    if (FAILED(hr)) return Fail(line, "cannot initialise " + name + ": " + Hex(hr));
    h->object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&h->dispatch));

    // Events through the default source interface, named from the type library.
    IProvideClassInfo2* info = nullptr;
    IConnectionPointContainer* points = nullptr;
    if (SUCCEEDED(h->object->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&info))) &&
        SUCCEEDED(h->object->QueryInterface(IID_IConnectionPointContainer,
                                            reinterpret_cast<void**>(&points)))) {
        IID events{};
        ITypeInfo* classInfo = nullptr;
        ITypeInfo* eventInfo = nullptr;
        if (SUCCEEDED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events))) {
            if (SUCCEEDED(info->GetClassInfo(&classInfo))) {
                ITypeLib* lib = nullptr;
                UINT index = 0;
                if (SUCCEEDED(classInfo->GetContainingTypeLib(&lib, &index))) {
                    lib->GetTypeInfoOfGuid(events, &eventInfo);
                    lib->Release();
                }
                classInfo->Release();
            }
            Hosted* raw = h.get();
            auto* sink = new EventSink(events, eventInfo, [raw](int, const std::string& text) {
                Log(raw->name + " event " + text);
                raw->events.push_back(text.substr(0, text.find('(')));
            });
            if (SUCCEEDED(points->FindConnectionPoint(events, &h->eventsPoint)))
                h->eventsPoint->Advise(static_cast<IDispatch*>(sink), &h->eventsCookie);
            sink->Release();
        }
        if (SUCCEEDED(points->FindConnectionPoint(IID_IPropertyNotifySink, &h->notifyPoint)))
            h->notifyPoint->Advise(static_cast<IPropertyNotifySink*>(h->site), &h->notifyCookie);
    }
    if (info) info->Release();
    if (points) points->Release();

    hr = h->object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, h->site, 0, form_, &rect);
    Hosted* raw = h.get();
    controls_.push_back(std::move(h));
    Pump();
    if (FAILED(hr)) {
        Log(name + " activation failed: " + Hex(hr));
        Destroy(*raw);
        return false;
    }
    Log(name + " created");
    return true;
}

void Container::Destroy(Hosted& h) {
    if (h.eventsPoint) {
        h.eventsPoint->Unadvise(h.eventsCookie);
        h.eventsPoint->Release();
    }
    if (h.notifyPoint) {
        h.notifyPoint->Unadvise(h.notifyCookie);
        h.notifyPoint->Release();
    }
    if (h.dispatch) h.dispatch->Release();
    if (h.object) {
        h.object->Close(OLECLOSE_NOSAVE);
        h.object->SetClientSite(nullptr);
        h.object->Release();
    }
    if (h.site) h.site->Release();
    for (auto it = controls_.begin(); it != controls_.end(); ++it) {
        if (it->get() == &h) {
            controls_.erase(it);
            break;
        }
    }
}

HRESULT Container::Get(Hosted& h, const std::string& prop, VARIANT* out) {
    std::wstring w = Wide(prop);
    LPOLESTR names[1] = {w.data()};
    DISPID id = 0;
    HRESULT hr = h.dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VariantInit(out);
    return h.dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, out,
                              nullptr, nullptr);
}

HRESULT Container::Put(Hosted& h, const std::string& prop, const VARIANT& value) {
    std::wstring w = Wide(prop);
    LPOLESTR names[1] = {w.data()};
    DISPID id = 0;
    HRESULT hr = h.dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    VARIANT arg = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&arg, &named, 1, 1};
    return h.dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                              nullptr, nullptr, nullptr);
}

HRESULT Container::Call(Hosted& h, const std::string& method, std::vector<VARIANT>& args,
                        VARIANT* out) {
    std::wstring w = Wide(method);
    LPOLESTR names[1] = {w.data()};
    DISPID id = 0;
    HRESULT hr = h.dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    VariantInit(out);
    return h.dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, out,
                              nullptr, nullptr);
}

VARIANT Container::Value(const ScenarioLine& line, std::size_t index) {
    VARIANT v;
    VariantInit(&v);
    const std::string& text = line.args.at(index);
    if (line.quoted.at(index)) {
        v.vt = VT_BSTR;
        v.bstrVal = WideText(text);
    } else if (text == "true" || text == "false") {
        v.vt = VT_BOOL;
        v.boolVal = text == "true" ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        char* end = nullptr;
        long long n = std::strtoll(text.c_str(), &end, 0);
        if (end && *end == '\0' && !text.empty() && n >= INT32_MIN && n <= INT32_MAX) {
            v.vt = VT_I4;
            v.lVal = static_cast<LONG>(n);
        } else if (end && *end == '\0' && !text.empty() && n > INT32_MAX && n <= UINT32_MAX) {
            v.vt = VT_UI4;  // colours above 0x7FFFFFFF
            v.ulVal = static_cast<ULONG>(n);
        } else {
            v.vt = VT_BSTR;
            v.bstrVal = WideText(text);
        }
    }
    return v;
}

namespace {

HWND ControlWindow(Hosted& h) {
    HWND child = nullptr;
    IOleInPlaceObject* ip = nullptr;
    if (SUCCEEDED(h.object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&ip)))) {
        ip->GetWindow(&child);
        ip->Release();
    }
    return child;
}

// A top-down 24-bit DIB section selected into a memory DC; Write stores its
// pixels as an RGB PNG.
class Capture {
public:
    Capture(HDC like, int w, int h) : w_(w), h_(h) {
        dc_ = CreateCompatibleDC(like);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;  // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        dib_ = CreateDIBSection(like, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, dib_);
    }
    ~Capture() {
        SelectObject(dc_, old_);
        DeleteObject(dib_);
        DeleteDC(dc_);
    }
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    HDC Dc() const { return dc_; }
    bool Write(const std::string& file) const {
        if (!bits_) return false;
        GdiFlush();
        int stride = (w_ * 3 + 3) & ~3;
        std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w_) * h_ * 3);
        for (int y = 0; y < h_; ++y) {
            const auto* row = static_cast<const std::uint8_t*>(bits_) + static_cast<std::size_t>(y) * stride;
            for (int x = 0; x < w_; ++x) {
                std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * w_ + x) * 3];
                p[0] = row[x * 3 + 2];
                p[1] = row[x * 3 + 1];
                p[2] = row[x * 3];
            }
        }
        std::ofstream out(file, std::ios::binary);
        out << EncodePng(w_, h_, rgb);
        return static_cast<bool>(out);
    }

private:
    int w_, h_;
    HDC dc_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

}  // namespace

bool Container::Screenshot(const std::string& file) {
    EnsureForm();
    RedrawWindow(form_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    RECT client;
    GetClientRect(form_, &client);
    HDC windowDc = GetDC(form_);
    bool ok;
    {
        Capture shot(windowDc, client.right, client.bottom);
        BitBlt(shot.Dc(), 0, 0, client.right, client.bottom, windowDc, 0, 0, SRCCOPY);
        ok = shot.Write(file);
    }
    ReleaseDC(form_, windowDc);
    return ok;
}

// The control's window as painted on the screen, frame included, nothing
// around it. The caret is hidden for the copy (the control runs on this
// thread, so HideCaret reaches it): its blink phase never shows.
bool Container::ControlShot(Hosted& h, const std::string& file) {
    HWND child = ControlWindow(h);
    if (!child) return false;
    RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    const bool hidden = HideCaret(nullptr) != FALSE;
    RECT r;
    GetWindowRect(child, &r);
    HDC windowDc = GetWindowDC(child);
    bool ok;
    {
        Capture shot(windowDc, r.right - r.left, r.bottom - r.top);
        BitBlt(shot.Dc(), 0, 0, r.right - r.left, r.bottom - r.top, windowDc, 0, 0, SRCCOPY);
        ok = shot.Write(file);
    }
    ReleaseDC(child, windowDc);
    if (hidden) ShowCaret(nullptr);
    return ok;
}

// The control's content drawn through IViewObject::Draw into memory, at
// the control's size: what a container prints or shows for an inactive
// control; no screen, no caret.
bool Container::DrawShot(Hosted& h, const std::string& file) {
    IViewObject* view = nullptr;
    if (FAILED(h.object->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&view)))) return false;
    const int w = h.rect.right - h.rect.left, hgt = h.rect.bottom - h.rect.top;
    HDC screen = GetDC(nullptr);
    bool ok;
    {
        Capture shot(screen, w, hgt);
        RECTL bounds{0, 0, w, hgt};
        HRESULT hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, shot.Dc(), &bounds, nullptr,
                                nullptr, 0);
        ok = SUCCEEDED(hr) && shot.Write(file);
    }
    ReleaseDC(nullptr, screen);
    view->Release();
    return ok;
}

bool Container::Execute(const ScenarioLine& line) {
    const std::string& c = line.command;
    const auto& a = line.args;
    auto need = [&](std::size_t n) {
        if (a.size() < n) return Fail(line, c + " needs " + std::to_string(n) + " arguments");
        return true;
    };
    auto control = [&](const std::string& name) -> Hosted* {
        Hosted* h = Find(name);
        if (!h) Fail(line, "no control " + name);
        return h;
    };

    if (c == "form") {
        if (!need(2)) return false;
        formWidth_ = std::stoi(a[0]);
        formHeight_ = std::stoi(a[1]);
        EnsureForm();
        return true;
    }
    if (c == "usermode") {
        if (!need(1)) return false;
        userMode_ = a[0] == "true";
        return true;
    }
    if (c == "answer") {
        if (!need(1)) return false;
        boxAnswer_ = a[0] == "no" ? IDNO : a[0] == "ok" ? IDOK : IDYES;
        return true;
    }
    if (c == "create" || c == "create-fails") {
        if (!need(6)) return false;
        CLSID clsid{};
        HRESULT hr = CLSIDFromProgID(Wide(a[1]).c_str(), &clsid);
        if (FAILED(hr)) return Fail(line, "unknown ProgID " + a[1]);
        RECT r{std::stoi(a[2]), std::stoi(a[3]), std::stoi(a[2]) + std::stoi(a[4]),
               std::stoi(a[3]) + std::stoi(a[5])};
        if (c == "create") return Create(line, a[0], clsid, r, nullptr);
        int before = failures_;
        bool created = Create(line, a[0], clsid, r, nullptr);
        failures_ = before;  // a failure is what this line expects
        if (created) return Fail(line, a[0] + " was created");
        Log(a[0] + " creation refused as expected");
        return true;
    }
    if (c == "persist") {  // persist NAME NEWNAME X Y W H: save, then load a new control
        if (!need(6)) return false;
        Hosted* h = control(a[0]);
        if (!h) return false;
        IPersistStreamInit* persist = nullptr;
        IStream* stream = nullptr;
        h->object->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
        CreateStreamOnHGlobal(nullptr, TRUE, &stream);
        HRESULT hr = persist ? persist->Save(stream, TRUE) : E_NOINTERFACE;
        if (persist) persist->Release();
        if (FAILED(hr)) {
            stream->Release();
            return Fail(line, "saving " + a[0] + " failed: " + Hex(hr));
        }
        LARGE_INTEGER zero{};
        stream->Seek(zero, STREAM_SEEK_SET, nullptr);
        RECT r{std::stoi(a[2]), std::stoi(a[3]), std::stoi(a[2]) + std::stoi(a[4]),
               std::stoi(a[3]) + std::stoi(a[5])};
        bool ok = Create(line, a[1], h->clsid, r, stream);
        stream->Release();
        return ok;
    }
    if (c == "move") {  // move NAME X Y W H: the container gives the control a new place
        if (!need(5)) return false;
        Hosted* h = control(a[0]);
        if (!h) return false;
        RECT r{std::stoi(a[1]), std::stoi(a[2]), std::stoi(a[1]) + std::stoi(a[3]),
               std::stoi(a[2]) + std::stoi(a[4])};
        IOleInPlaceObject* ip = nullptr;
        if (FAILED(h->object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&ip))))
            return Fail(line, a[0] + " is not in place");
        h->rect = r;
        h->site->SetRect(r);
        HRESULT hr = ip->SetObjectRects(&r, &r);
        ip->Release();
        Pump();
        if (FAILED(hr)) return Fail(line, "moving " + a[0] + " failed: " + Hex(hr));
        return true;
    }
    if (c == "destroy") {
        if (!need(1)) return false;
        Hosted* h = control(a[0]);
        if (!h) return false;
        Destroy(*h);
        return true;
    }
    if (c == "set-fails") {  // the control must refuse the value
        if (!need(3)) return false;
        Hosted* h = control(a[0]);
        if (!h) return false;
        VARIANT v = Value(line, 2);
        HRESULT hr = Put(*h, a[1], v);
        VariantClear(&v);
        Pump();
        Log(a[0] + "." + a[1] + " refused: " + Hex(hr));
        if (SUCCEEDED(hr)) return Fail(line, "setting " + a[0] + "." + a[1] + " succeeded");
        return true;
    }
    if (c == "set" || c == "try-set") {
        if (!need(3)) return false;
        Hosted* h = control(a[0]);
        if (!h) return false;
        VARIANT v = Value(line, 2);
        HRESULT hr = Put(*h, a[1], v);
        VariantClear(&v);
        Pump();
        if (c == "try-set") {
            Log(a[0] + "." + a[1] + " set: " + Hex(hr));
            return true;
        }
        if (FAILED(hr)) return Fail(line, "setting " + a[0] + "." + a[1] + " failed: " + Hex(hr));
        return true;
    }
    if (c == "get" || c == "expect") {
        if (!need(c == "get" ? 2 : 3)) return false;
        Hosted* h = control(a[0]);
        if (!h) return false;
        VARIANT v;
        HRESULT hr = Get(*h, a[1], &v);
        Pump();
        if (FAILED(hr)) return Fail(line, "reading " + a[0] + "." + a[1] + " failed: " + Hex(hr));
        std::string shown = Render(v);
        VariantClear(&v);
        Log(a[0] + "." + a[1] + " = " + shown);
        if (c == "get") return true;
        VARIANT e = Value(line, 2);
        std::string expected = Render(e);
        VariantClear(&e);
        if (shown != expected) return Fail(line, a[0] + "." + a[1] + " is " + shown + ", expected " + expected);
        return true;
    }
    if (c == "call") {
        if (!need(2)) return false;
        Hosted* h = control(a[0]);
        if (!h) return false;
        std::vector<VARIANT> args;
        for (std::size_t i = 2; i < a.size(); ++i) args.push_back(Value(line, i));
        VariantClear(&lastResult_);
        HRESULT hr = Call(*h, a[1], args, &lastResult_);
        for (VARIANT& v : args) VariantClear(&v);
        Pump();
        if (FAILED(hr)) return Fail(line, "calling " + a[0] + "." + a[1] + " failed: " + Hex(hr));
        Log(a[0] + "." + a[1] + "() = " + Render(lastResult_));
        return true;
    }
    if (c == "expect-result") {
        if (!need(1)) return false;
        VARIANT e = Value(line, 0);
        std::string expected = Render(e), shown = Render(lastResult_);
        VariantClear(&e);
        if (shown != expected) return Fail(line, "result is " + shown + ", expected " + expected);
        return true;
    }
    if (c == "focus") {
        if (!need(1)) return false;
        Hosted* h = control(a[0]);
        if (!h) return false;
        HRESULT hr = h->object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, h->site, 0, form_, &h->rect);
        Pump();
        if (FAILED(hr)) return Fail(line, "focus failed: " + Hex(hr));
        return true;
    }
    if (c == "capslock" || c == "shift") {
        if (!need(1)) return false;
        BYTE state[256];
        GetKeyboardState(state);
        if (c == "capslock")
            state[VK_CAPITAL] = a[0] == "on" ? 1 : 0;
        else
            state[VK_SHIFT] = state[VK_LSHIFT] = a[0] == "down" ? 0x80 : 0;
        SetKeyboardState(state);
        return true;
    }
    if (c == "keys") {
        HWND target = GetFocus();
        if (!target) return Fail(line, "no window has the focus");
        for (const std::string& k : a) {
            UINT vk = KeyCode(k);
            if (!vk) return Fail(line, "unknown key " + k);
            UINT scan = MapVirtualKeyA(vk, 0);
            PostMessageA(target, WM_KEYDOWN, vk, 1 | (scan << 16));
            Pump();
            PostMessageA(target, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
            Pump();
        }
        return true;
    }
    if (c == "click") {
        if (!need(3)) return false;
        Hosted* h = control(a[0]);
        if (!h) return false;
        HWND child = nullptr;
        IOleInPlaceObject* ip = nullptr;
        if (SUCCEEDED(h->object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&ip)))) {
            ip->GetWindow(&child);
            ip->Release();
        }
        if (!child) return Fail(line, a[0] + " has no window");
        LPARAM at = MAKELPARAM(std::stoi(a[1]), std::stoi(a[2]));
        PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(child, WM_LBUTTONUP, 0, at);
        Pump();
        return true;
    }
    if (c == "expect-events") {
        if (!need(1)) return false;
        Hosted* h = control(a[0]);
        if (!h) return false;
        std::vector<std::string> expected(a.begin() + 1, a.end());
        std::vector<std::string> got = h->events;
        h->events.clear();
        if (got != expected) {
            std::string g, e;
            for (auto& s : got) g += " " + s;
            for (auto& s : expected) e += " " + s;
            return Fail(line, a[0] + " events were [" + g + " ], expected [" + e + " ]");
        }
        return true;
    }
    if (c == "expect-notify") {
        std::vector<std::string> expected(a.begin(), a.end());
        std::vector<std::string> got = notifications_;
        notifications_.clear();
        if (got != expected) {
            std::string g;
            for (auto& s : got) g += " " + s;
            return Fail(line, "notifications were [" + g + " ]");
        }
        return true;
    }
    if (c == "expect-box") {  // expect-box "caption" "text": the boxes since the last check
        if (!need(2)) return false;
        std::string expected = "\"" + Escape(a[0]) + "\" \"" + Escape(a[1]) + "\"";
        bool found = false;
        for (const auto& b : boxes_) found = found || b == expected;
        boxes_.clear();
        if (!found) return Fail(line, "no message box " + expected);
        return true;
    }
    if (c == "expect-no-box") {
        bool none = boxes_.empty();
        boxes_.clear();
        if (!none) return Fail(line, "a message box was shown");
        return true;
    }
    if (c == "refuse-edit") {
        if (!need(2)) return false;
        Hosted* h = control(a[0]);
        if (!h) return false;
        h->site->refuseEdits = a[1] == "on";
        return true;
    }
    if (c == "pages") {  // NAME FIELD-ID VALUE SHOT.png ok|cancel
        if (!need(5)) return false;
        Hosted* h = control(a[0]);
        if (!h) return false;
        PageScript script;
        script.fieldId = std::atoi(a[1].c_str());
        script.value = a[2];
        script.shot = a[3];
        script.keep = a[4] == "ok";
        EnsureForm();
        PageRun run = RunPropertyPages(h->object, form_, script);
        if (!run.frameShown) return Fail(line, "the property frame did not open");
        if (!run.fieldFound) return Fail(line, "no field " + a[1] + " on the pages");
        if (!run.applyEnabled) return Fail(line, "the change did not enable Apply");
        if (!run.shotWritten) return Fail(line, "cannot write " + a[3]);
        Log("pages " + a[0] + " field " + a[1] + (script.keep ? " applied, closed with OK" : " changed, closed with Cancel"));
        Pump();
        return true;
    }
    if (c == "screenshot") {
        if (!need(1)) return false;
        if (!Screenshot(a[0])) return Fail(line, "cannot write " + a[0]);
        Log("screenshot " + a[0]);
        return true;
    }
    if (c == "screenshot-control" || c == "draw") {  // NAME FILE
        if (!need(2)) return false;
        Hosted* h = control(a[0]);
        if (!h) return false;
        if (!(c == "draw" ? DrawShot(*h, a[1]) : ControlShot(*h, a[1]))) return Fail(line, "cannot write " + a[1]);
        Log(c + " " + a[1]);
        return true;
    }
    if (c == "pump") {
        Pump();
        return true;
    }
    if (c == "log") {
        std::string text;
        for (const auto& s : a) text += (text.empty() ? "" : " ") + s;
        Log(text);
        return true;
    }
    return Fail(line, "unknown command " + c);
}

int Container::Run(const std::string& path) {
    self_ = this;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "vexa-container: cannot open %s\n", path.c_str());
        return 2;
    }
    VariantInit(&lastResult_);
    HHOOK hook = SetWindowsHookExA(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        ParseResult parsed = ParseScenarioLine(text, number);
        if (!parsed.error.empty()) {
            Log("FAIL " + parsed.error);
            ++failures_;
            continue;
        }
        if (parsed.line) Execute(*parsed.line);
    }
    while (!controls_.empty()) Destroy(*controls_.back());
    VariantClear(&lastResult_);
    if (hook) UnhookWindowsHookEx(hook);
    if (form_) DestroyWindow(form_);
    Log(failures_ ? "scenario: " + std::to_string(failures_) + " FAILED" : "scenario: passed");
    return failures_ ? 1 : 0;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vexa-container SCENARIO\n");
        return 2;
    }
    OleInitialize(nullptr);
    int rc;
    {
        Container container;
        rc = container.Run(argv[1]);
    }
    OleUninitialize();
    return rc;
}
