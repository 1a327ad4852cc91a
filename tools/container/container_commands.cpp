// The scenario commands: each line, checked against the command table
// (scenario_commands.cpp) before the run, goes to its handler
// (container_command_table.cpp). Properties, methods and expectations are
// here; keys, mouse and sizes are in container_input.cpp.

#include <string>
#include <vector>

#include "container.h"
#include "page_driver.h"
#include "scenario_commands.h"

namespace vexa::container {

// Lines come checked against the command table (CheckScenario); each goes
// to its handler (container_command_table.cpp).
bool Container::Execute(const ScenarioLine& line) {
    const CommandSpec* spec = FindCommand(line.command);
    if (!spec) return Fail(line, "unknown command " + line.command);
    return HandlerFor(spec->command)(*this, line);
}

int FormPixels(int pixels) {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int y = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return y;
    }();
    return MulDiv(pixels, dpi, 96);
}

namespace {

RECT Rect(const std::vector<std::string>& a, std::size_t at) {
    int x = FormPixels(std::stoi(a[at])), y = FormPixels(std::stoi(a[at + 1]));
    return RECT{x, y, x + FormPixels(std::stoi(a[at + 2])), y + FormPixels(std::stoi(a[at + 3]))};
}

}  // namespace

bool Container::CreateCommand(const ScenarioLine& line, bool mustFail) {
    const auto& a = line.args;
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(Wide(a[1]).c_str(), &clsid);
    if (FAILED(hr)) return Fail(line, "unknown ProgID " + a[1]);
    if (!mustFail) return Create(line, a[0], clsid, Rect(a, 2), nullptr);
    int before = failures_;
    bool created = Create(line, a[0], clsid, Rect(a, 2), nullptr);
    failures_ = before;  // a failure is what this line expects
    if (created) return Fail(line, a[0] + " was created");
    Log(a[0] + " creation refused as expected");
    return true;
}

// persist NAME NEWNAME X Y W H: save, then load a new control.
bool Container::PersistCommand(const ScenarioLine& line) {
    const auto& a = line.args;
    Hosted* h = Control(line, a[0]);
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
    bool ok = Create(line, a[1], h->clsid, Rect(a, 2), stream);
    stream->Release();
    return ok;
}

bool Container::SetCommand(const ScenarioLine& line, bool logOnly, bool mustFail) {
    const auto& a = line.args;
    Hosted* h = Control(line, a[0]);
    if (!h) return false;
    VARIANT v = Value(line, 2);
    HRESULT hr = Put(*h, a[1], v);
    VariantClear(&v);
    Pump();
    if (mustFail) {
        Log(a[0] + "." + a[1] + " refused: " + Hex(hr));
        return FAILED(hr) || Fail(line, "setting " + a[0] + "." + a[1] + " succeeded");
    }
    if (logOnly) {
        Log(a[0] + "." + a[1] + " set: " + Hex(hr));
        return true;
    }
    return SUCCEEDED(hr) || Fail(line, "setting " + a[0] + "." + a[1] + " failed: " + Hex(hr));
}

bool Container::GetCommand(const ScenarioLine& line, bool expect) {
    const auto& a = line.args;
    Hosted* h = Control(line, a[0]);
    if (!h) return false;
    VARIANT v;
    HRESULT hr = Get(*h, a[1], &v);
    Pump();
    if (FAILED(hr)) return Fail(line, "reading " + a[0] + "." + a[1] + " failed: " + Hex(hr));
    std::string shown = Render(v);
    VariantClear(&v);
    Log(a[0] + "." + a[1] + " = " + shown);
    if (!expect) return true;
    VARIANT e = Value(line, 2);
    std::string expected = Render(e);
    VariantClear(&e);
    if (shown != expected)
        return Fail(line, a[0] + "." + a[1] + " is " + shown + ", expected " + expected);
    return true;
}

bool Container::CallCommand(const ScenarioLine& line) {
    const auto& a = line.args;
    Hosted* h = Control(line, a[0]);
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

bool Container::ExpectResultCommand(const ScenarioLine& line) {
    VARIANT e = Value(line, 0);
    std::string expected = Render(e), shown = Render(lastResult_);
    VariantClear(&e);
    if (shown != expected) return Fail(line, "result is " + shown + ", expected " + expected);
    return true;
}

// The form's default button: the ambient DisplayAsDefault, and Enter handed
// to it as its mnemonic (a form does that when the focus is on a control
// that does not take Enter itself).
bool Container::DefaultButtonCommand(const ScenarioLine& line, bool enter) {
    Hosted* h = Control(line, line.args[0]);
    if (!h) return false;
    IOleControl* ctl = nullptr;
    h->object->QueryInterface(IID_IOleControl, reinterpret_cast<void**>(&ctl));
    if (!ctl) return Fail(line, line.args[0] + " is not an OLE control");
    HRESULT hr = S_OK;
    if (enter) {
        MSG key{GetFocus(), WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
        hr = ctl->OnMnemonic(&key);
    } else {
        h->site->displayAsDefault = line.args.size() < 2 || line.args[1] != "off";
        hr = ctl->OnAmbientPropertyChange(DISPID_AMBIENT_DISPLAYASDEFAULT);
    }
    ctl->Release();
    Pump();
    if (hr != S_OK) return Fail(line, line.command + " refused: " + Hex(hr));
    return true;
}

bool Container::FocusCommand(const ScenarioLine& line) {
    Hosted* h = Control(line, line.args[0]);
    if (!h) return false;
    HRESULT hr = h->object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, h->site, 0, form_, &h->rect);
    Pump();
    if (FAILED(hr)) return Fail(line, "focus failed: " + Hex(hr));
    return true;
}

bool Container::ExpectEventsCommand(const ScenarioLine& line) {
    Hosted* h = Control(line, line.args[0]);
    if (!h) return false;
    std::vector<std::string> expected(line.args.begin() + 1, line.args.end());
    std::vector<std::string> got = h->events;
    h->events.clear();
    if (got == expected) return true;
    std::string g, e;
    for (auto& s : got) g += " " + s;
    for (auto& s : expected) e += " " + s;
    return Fail(line, line.args[0] + " events were [" + g + " ], expected [" + e + " ]");
}

bool Container::ExpectNotifyCommand(const ScenarioLine& line) {
    std::vector<std::string> got = notifications_;
    notifications_.clear();
    if (got == line.args) return true;
    std::string g;
    for (auto& s : got) g += " " + s;
    return Fail(line, "notifications were [" + g + " ]");
}

// expect-box "caption" "text": among the boxes since the last check.
bool Container::ExpectBoxCommand(const ScenarioLine& line) {
    std::string expected = "\"" + Escape(line.args[0]) + "\" \"" + Escape(line.args[1]) + "\"";
    bool found = false;
    for (const auto& b : boxes_) found = found || b == expected;
    boxes_.clear();
    return found || Fail(line, "no message box " + expected);
}

bool Container::ShotCommand(const ScenarioLine& line, bool drawn) {
    Hosted* h = Control(line, line.args[0]);
    if (!h) return false;
    const std::string& file = line.args[1];
    if (!(drawn ? DrawShot(*h, file) : ControlShot(*h, file)))
        return Fail(line, "cannot write " + file);
    Log(line.command + " " + file);
    return true;
}

// pages NAME FIELD VALUE FILE ok|cancel|close: the control's property
// frame, driven from inside its modal loop (page_driver.cpp). "close"
// presses OK after the field whether or not it changed anything (a label,
// a button that acts at once).
bool Container::PagesCommand(const ScenarioLine& line) {
    const auto& a = line.args;
    Hosted* h = Control(line, a[0]);
    if (!h) return false;
    PageScript script;
    script.fieldId = std::stoi(a[1]);
    script.value = a[2];
    script.shot = a[3];
    script.keep = a[4] != "cancel";
    script.apply = a[4] == "ok";
    EnsureForm();
    PageRun run = RunPropertyPages(h->object, form_, script);
    if (!run.frameShown) return Fail(line, "the property frame did not open");
    if (!run.fieldFound) return Fail(line, "no field " + a[1] + " on the pages");
    if (!run.applyEnabled && a[4] != "close") return Fail(line, "the change did not enable Apply");
    if (!run.shotWritten) return Fail(line, "cannot write " + a[3]);
    Log("pages " + a[0] + " field " + a[1] +
        (script.apply  ? " applied, closed with OK"
                      : script.keep ? " set, closed with OK"
                                    : " changed, closed with Cancel"));
    Pump();
    return true;
}

// show-page NAME PAGE-PROGID FILE: one page class in the frame over the
// control, whether the control lists it or not (a page exchanges by
// property name, so any control shows its layout); Cancel closes it.
bool Container::ShowPageCommand(const ScenarioLine& line) {
    const auto& a = line.args;
    Hosted* h = Control(line, a[0]);
    if (!h) return false;
    std::wstring progId(a[1].begin(), a[1].end());
    CLSID page{};
    if (FAILED(CLSIDFromProgID(progId.c_str(), &page))) return Fail(line, "no page class " + a[1]);
    PageScript script;
    script.shot = a[2];
    script.keep = false;
    script.pages = {page};
    EnsureForm();
    PageRun run = RunPropertyPages(h->object, form_, script);
    if (!run.frameShown) return Fail(line, "the property frame did not open");
    if (!run.shotWritten) return Fail(line, "cannot write " + a[2]);
    Log("show-page " + a[1] + " over " + a[0]);
    Pump();
    return true;
}

}  // namespace vexa::container
