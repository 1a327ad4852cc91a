// vexa-container SCENARIO: a test container for ActiveX controls. It hosts
// controls on a form through COM, runs the scenario's commands (create,
// set, get, call, keys, clicks, drags, expectations, persistence,
// screenshots) and logs every event, parent notification and message box on
// stdout. Exits 1 when an expectation fails or a command cannot run.
// `vexa-container --help` lists the commands.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "container.h"
#include "scenario_commands.h"

namespace vexa::container {

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
    if (msg == kRunModal && self_) {
        self_->RunInsideDialog();
        return 0;
    }
    if (msg == kMenuShown && self_) {
        self_->MenuShown(reinterpret_cast<HWND>(lp));
        return 0;
    }
    if (msg == WM_CLOSE) return 0;
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Message boxes shown by a control are logged and answered with the
// scenario's answer, so a run never waits for a user.
LRESULT CALLBACK Container::BoxHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) {
        // A popup menu (a right click's context menu) would wait in its own
        // loop for ever: it is logged and closed with Escape, which that
        // loop reads from this thread's queue.
        HWND window = reinterpret_cast<HWND>(wp);
        char cls[32] = {};
        GetClassNameA(window, cls, sizeof cls);
        if (std::string(cls) == "#32768") {
            if (self_ && self_->form_)
                PostMessageA(self_->form_, kMenuShown, 0, reinterpret_cast<LPARAM>(window));
            else
                PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
        }
    }
    if (code == HCBT_ACTIVATE && TakeDialog(reinterpret_cast<HWND>(wp))) return 0;
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
        // A Unicode loop: an ANSI one would turn the characters of the
        // controls' Unicode windows into the ANSI code page (losing them).
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // Inside a modal block this loop stands in for the dialog's own,
            // which hands keys to the dialog's navigation first (Enter is
            // the default button, Escape Cancel, Tab the next field).
            if (dialog_ && IsWindow(dialog_) && IsDialogMessageW(dialog_, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

Hosted* Container::Find(const std::string& name) {
    for (auto& h : controls_)
        if (h->name == name) return h.get();
    return nullptr;
}

Hosted* Container::Control(const ScenarioLine& line, const std::string& name) {
    Hosted* h = Find(name);
    if (!h) Fail(line, "no control " + name);
    return h;
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
    RaiseAboveEarlier(*raw);
    Log(name + " created");
    return true;
}

// Form hosts stack their controls in creation order, each new one above
// those before it (a group box drawn first leaves the controls placed on it
// visible). A new child window starts at the bottom of its siblings.
void Container::RaiseAboveEarlier(Hosted& h) {
    IOleInPlaceObject* inPlace = nullptr;
    HWND w = nullptr;
    if (SUCCEEDED(h.object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
        inPlace->GetWindow(&w);
        inPlace->Release();
    }
    while (w && GetParent(w) && GetParent(w) != form_) w = GetParent(w);
    if (!w || GetParent(w) != form_) return;
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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

int Container::Run(const std::string& path) {
    self_ = this;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "vexa-container: cannot open %s\n", path.c_str());
        return 2;
    }
    // The whole file is checked first: a mistake on a late line costs no run.
    CheckedScenario scenario = CheckScenario(in);
    if (!scenario.errors.empty()) {
        for (const std::string& e : scenario.errors) Log("FAIL " + e);
        Log("scenario: " + std::to_string(scenario.errors.size()) + " FAILED (nothing was run)");
        return 1;
    }
    VariantInit(&lastResult_);
    HHOOK hook = SetWindowsHookExA(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
    lines_ = std::move(scenario.lines);
    // A modal block runs its lines from inside the dialog and moves next_.
    for (next_ = 0; next_ < lines_.size();) Execute(lines_[next_++]);
    while (!controls_.empty()) Destroy(*controls_.back());
    VariantClear(&lastResult_);
    if (hook) UnhookWindowsHookEx(hook);
    if (form_) DestroyWindow(form_);
    Log(failures_ ? "scenario: " + std::to_string(failures_) + " FAILED" : "scenario: passed");
    return failures_ ? 1 : 0;
}

}  // namespace vexa::container

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(vexa::container::CommandHelp().c_str(), stdout);
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: vexa-container SCENARIO\n");
        return 2;
    }
    // The container scales its forms with the display (FormPixels), so it
    // tells the system it does; the controls follow whatever their host says.
    SetProcessDPIAware();
    OleInitialize(nullptr);
    int rc;
    {
        vexa::container::Container container;
        rc = container.Run(argv[1]);
    }
    OleUninitialize();
    return rc;
}
