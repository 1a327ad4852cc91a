#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "container_site.h"
#include "key_names.h"
#include "scenario_commands.h"
#include "scenario.h"

namespace vexa::container {

// One control on the form.
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

// A scenario's length, written in pixels at 96 DPI, in pixels of this
// display: the container places its form and controls, and aims its mouse
// clicks, the way a form designer's layout scales with the system's DPI.
int FormPixels(int pixels);

// The form, its controls and the scenario run. Commands are handled in
// container_commands.cpp (properties, methods, expectations) and
// container_input.cpp (keys, mouse, size); screenshots in container_shots.cpp.
class Container {
  public:
    int Run(const std::string& path);

  private:
    bool Execute(const ScenarioLine& line);
    // The handler of each scenario command (container_command_table.cpp).
    using CommandHandler = bool (*)(Container& container, const ScenarioLine& line);
    static CommandHandler HandlerFor(Command command);
    bool Fail(const ScenarioLine& line, const std::string& why);
    Hosted* Find(const std::string& name);
    Hosted* Control(const ScenarioLine& line, const std::string& name);  // fails the line if absent
    bool Create(const ScenarioLine& line, const std::string& name, const CLSID& clsid, RECT rect,
                IStream* state);
    void Destroy(Hosted& h);
    // Puts the control's window above the controls created before it.
    void RaiseAboveEarlier(Hosted& h);
    HRESULT Get(Hosted& h, const std::string& prop, VARIANT* out);
    HRESULT Put(Hosted& h, const std::string& prop, const VARIANT& value);
    HRESULT Call(Hosted& h, const std::string& method, std::vector<VARIANT>& args, VARIANT* out);
    VARIANT Value(const ScenarioLine& line, std::size_t index);
    bool Screenshot(const std::string& file);
    bool ControlShot(Hosted& h, const std::string& file);
    bool DrawShot(Hosted& h, const std::string& file);
    void Pump();
    void EnsureForm();

    // Command handlers.
    bool CreateCommand(const ScenarioLine& line, bool mustFail);
    bool PersistCommand(const ScenarioLine& line);
    bool SetCommand(const ScenarioLine& line, bool logOnly, bool mustFail);
    bool GetCommand(const ScenarioLine& line, bool expect);
    bool CallCommand(const ScenarioLine& line);
    bool ExpectResultCommand(const ScenarioLine& line);
    bool FocusCommand(const ScenarioLine& line);
    bool DefaultButtonCommand(const ScenarioLine& line, bool enter);
    bool ExpectEventsCommand(const ScenarioLine& line);
    bool ExpectNotifyCommand(const ScenarioLine& line);
    bool ExpectBoxCommand(const ScenarioLine& line);
    bool ShotCommand(const ScenarioLine& line, bool drawn);
    bool KeyStateCommand(const ScenarioLine& line, bool capsLock);
    bool KeysCommand(const ScenarioLine& line);
    bool TypeUnicodeCommand(const ScenarioLine& line);
    enum class Mouse { Click, DoubleClick, RightClick, Drag, Move };
    bool MouseCommand(const ScenarioLine& line, Mouse kind);
    bool ResizeCommand(const ScenarioLine& line);
    bool PagesCommand(const ScenarioLine& line);
    bool ExpectLaunchedCommand(const ScenarioLine& line);
    // Modal dialogs and popup menus (container_modal.cpp).
    bool ModalCommand(const ScenarioLine& line);
    bool DialogCommand(const ScenarioLine& line, Command command);
    bool MenuCommand(const ScenarioLine& line);
    void RunInsideDialog();
    void MenuShown(HWND menuWindow);
    // Whether a window being activated is the dialog a modal block waits
    // for; it is then driven from inside its loop.
    static bool TakeDialog(HWND window);
    bool ShowPageCommand(const ScenarioLine& line);

    static LRESULT CALLBACK FormProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK BoxHook(int code, WPARAM wp, LPARAM lp);

    HWND form_ = nullptr;
    std::vector<ScenarioLine> lines_;
    std::size_t next_ = 0;  // the line to run next
    // The modal block being run: its dialog and the index of its end-modal.
    bool awaitingDialog_ = false;
    HWND dialog_ = nullptr;
    std::size_t modalEnd_ = 0;
    struct MenuPlan {
        std::string action = "close";
        std::string argument;
        int line = 0;
    };
    MenuPlan menuPlan_;
    int formWidth_ = FormPixels(480), formHeight_ = FormPixels(320);
    bool userMode_ = true;
    std::vector<std::unique_ptr<Hosted>> controls_;
    std::vector<std::string> notifications_;
    VARIANT lastResult_{};
    int failures_ = 0;
    std::size_t launchesSeen_ = 0;  // lines of the launch log already checked
    static Container* self_;
    static int boxAnswer_;
    static std::vector<std::string> boxes_;
};

// Messages the form gets from the hooks, handled inside a modal loop.
inline constexpr UINT kRunModal = WM_APP + 30;
inline constexpr UINT kMenuShown = WM_APP + 31;

void Log(const std::string& line);
std::string Hex(HRESULT hr);
std::wstring Wide(const std::string& s);
HWND ControlWindow(Hosted& h);

// Holds the modifiers in the thread's key state (what GetKeyState reports
// while the posted messages are handled) and restores the state after.
class HeldModifiers {
  public:
    explicit HeldModifiers(const Modifiers& m);
    ~HeldModifiers();
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;

  private:
    BYTE saved_[256];
};

}  // namespace vexa::container
