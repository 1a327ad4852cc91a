#include "win32/adapters/vedit_ctrl.h"

#include <cstring>
#include <string_view>

#include "edit/key_routing.h"
#include "edit/vedit_properties.h"
#include "keyboard/translate_key.h"
#include "module/class_table.h"
#include "script/font_code.h"
#include "script/script_catalogue.h"
#include "win32/framework/module_services.h"

namespace vexa::win32 {

using common::PropertyValue;

namespace {

// Parent notifications of the edit control (high word of WM_COMMAND).
constexpr WORD kNotifySetFocus = 0x0100;
constexpr WORD kNotifyKillFocus = 0x0200;
constexpr WORD kNotifyKey = 0x0300;
// The private message that undoes the last edit.
constexpr UINT kUndoMessage = 0x0405;

const module::CoClass& EditClass() { return *module::Catalogue().FindClass("VEdit"); }

}  // namespace

CVEditCtrl::CVEditCtrl()
    : ActiveXControl(EditClass(), module::ControlFactory(1).miscStatus),
      logic_({ControlPlatform(), Services().registry, Services().settings}, *this),
      window_([this] { return Window(); }, [this] { return ExtentInPixels(); }),
      engine_(window_, fonts_, Messages(), logic_.Converter(), *this),
      keyboard_(Services().keyboard, engine_.Script(), logic_.Keyboard().binding),
      clipboard_([this] { return Window(); }),
      clipboardCommands_(engine_, clipboard_, Messages()),
      table_(edit::VEditPropertyTable(), logic_, &edit::VEditMethodTable()) {
    UseProperties(table_);
    // A new edit control has its sunken frame, and its properties say so.
    appearance_ = 1;
    borderStyle_ = 1;
    engine_.SetKeyboard(&keyboard_);
}

CVEditCtrl::~CVEditCtrl() = default;

void CVEditCtrl::OnResetState() {
    appearance_ = 1;
    borderStyle_ = 1;
    logic_.Reset();
}

void CVEditCtrl::PullText() {
    if (engineReady_) logic_.SetStoredText(engine_.Text());
}

void CVEditCtrl::PrepareWithoutWindow() {
    // What window creation does, against the control's extent: bind the
    // script (a host without a user interface is never asked), lay out,
    // and load the text, so every member answers as in a placed control.
    logic_.BindAtCreation();
    SyncEngine();
    engine_.LayoutSetup();
    engine_.Layout();
    engineReady_ = true;
    logic_.LoadStoredText();
}

void CVEditCtrl::SyncEngine() {
    const edit::VEditProperties& p = logic_.Props();
    engine_.Style() = static_cast<const edit::EditStyle&>(p);
    common::DrawingScript& script = engine_.Script();
    const common::ActiveScript& active = logic_.Script();
    script.scriptName = p.scriptName;
    script.scriptFace = active.scriptFace.empty() ? p.fontName : active.scriptFace;
    script.englishFace = active.englishFace.empty() ? script.scriptFace : active.englishFace;
    script.fontSize = p.fontSize;
    script.fontType = p.fontType;
    script.keyboardType = p.keyboardType;
    script.disableEnglish = p.disableEnglish;
    script.englishScript = logic_.EnglishScript();
    engine_.SetColours(TranslateColor(p.foreColor), TranslateColor(p.backColor));
    engine_.SetWordWrap(p.wordWrap);
}

void CVEditCtrl::DoPropExchange(common::PropertyExchange& px) {
    if (!px.IsLoading()) PullText();
    logic_.Exchange(px, AmbientUserMode());
    backColor_ = logic_.Props().backColor;
    foreColor_ = logic_.Props().foreColor;
    if (px.IsLoading()) {
        if (Window()) {
            SyncEngine();
            engine_.SetText(logic_.Props().text);
        } else {
            PrepareWithoutWindow();
        }
    }
}

// The caret's members are the window side's; the text is read and written
// through the table once the window's text is the stored one.
HRESULT CVEditCtrl::GetProperty(const module::Member& member, PropertyValue& v) {
    if (member.name == "SelStart") v.number = engine_.SelStart();
    else if (member.name == "SelLength") v.number = engine_.SelLength();
    else {
        if (member.dispId == module::kDispIdText) PullText();
        return ActiveXControl::GetProperty(member, v);
    }
    return S_OK;
}

HRESULT CVEditCtrl::SetProperty(const module::Member& member, const PropertyValue& v) {
    if (member.name == "SelStart") engine_.SetSelStart(v.number);
    else if (member.name == "SelLength") engine_.SetSelLength(v.number);
    else {
        if (member.dispId == module::kDispIdText) PullText();
        return ActiveXControl::SetProperty(member, v);
    }
    return S_OK;
}

void CVEditCtrl::OnPropertyWritten(const module::Member&) {
    backColor_ = logic_.Props().backColor;
    foreColor_ = logic_.Props().foreColor;
}

// The methods of the window side: the clipboard, the dialogs, the engine's
// text. The script and font lists are the logic's, in its method table.
HRESULT CVEditCtrl::CallMethod(MethodCall& call) {
    const std::string_view name = call.member.name;
    if (name == "GetZIRVOText") {
        call.result.text = engine_.GetZIRVOText(call.args[0].text);
        return S_OK;
    }
    if (name == "GetFormattedZIRVOText") {
        PullText();
        call.result.text = engine_.GetFormattedZIRVOText(static_cast<std::int16_t>(call.args[0].number),
                                                         call.args[1].number);
        return S_OK;
    }
    if (name == "Cut") return ClipboardMethod(clipboardCommands_.Cut());
    if (name == "Copy") return ClipboardMethod(clipboardCommands_.Copy());
    if (name == "Paste") return ClipboardMethod(clipboardCommands_.Paste());
    if (name == "ShowFindDialog") return ShowDialog(false);
    if (name == "ShowReplaceDialog") return ShowDialog(true);
    if (name == "Undo") {
        engine_.Undo();
        call.result.number = 0;
        return S_OK;
    }
    return ActiveXControl::CallMethod(call);
}

// A clipboard method that could not reach the clipboard fails with a
// description; one with nothing to do succeeds.
HRESULT CVEditCtrl::ClipboardMethod(edit::ClipboardResult result) {
    switch (result) {
        case edit::ClipboardResult::kBusy:
            return Fail(CLIPBRD_E_CANT_OPEN, "The clipboard is in use by another window.");
        case edit::ClipboardResult::kRefused:
            return Fail(CLIPBRD_E_CANT_SET, "The clipboard did not take the copied text.");
        default: return S_OK;
    }
}

bool CVEditCtrl::CopySelection() {
    return clipboardCommands_.Copy() == edit::ClipboardResult::kDone;
}

bool CVEditCtrl::Paste() {
    return clipboardCommands_.Paste() == edit::ClipboardResult::kDone;
}

bool CVEditCtrl::RequestTextEdit() { return RequestEdit(module::kDispIdText); }

void CVEditCtrl::TextReplaced() {
    SyncEngine();
    engine_.SetText(logic_.Props().text);
    engineReady_ = true;
    accessible_.TextChanged();
    InvalidateControl();
}

void CVEditCtrl::Repaint() {
    SyncEngine();
    InvalidateControl();
}

void CVEditCtrl::StyleChanged() {
    SyncEngine();
    if (engineReady_) engine_.OnSize();
    InvalidateControl();
}

void CVEditCtrl::RebuildFonts() {
    SyncEngine();
    engine_.RebuildFonts();
}

// ---- window ----

bool CVEditCtrl::OnCreate() {
    PullText();
    if (!logic_.BindAtCreation()) return false;
    SyncEngine();
    engine_.LayoutSetup();
    if (!logic_.Props().text.empty()) logic_.LoadStoredText();
    return true;
}

void CVEditCtrl::OnDestroy() {
    PullText();
    logic_.Converter().Unload();
}

bool CVEditCtrl::OnPaintMessage() {
    engine_.OnPaint();
    return true;
}

void CVEditCtrl::OnDraw(HDC dc, const RECT& bounds) {
    POINT oldOrigin;
    SetViewportOrgEx(dc, bounds.left, bounds.top, &oldOrigin);
    {
        Win32Surface surface(dc, nullptr);
        surface.Fill({0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top},
                     TranslateColor(logic_.Props().backColor));
        engine_.DrawInto(surface, {0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top});
    }
    SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void CVEditCtrl::OnSize(int, int) {
    if (Window()) engine_.OnSize();
}

void CVEditCtrl::NotifyParent(WORD code) { window_.NotifyParent(code); }

bool CVEditCtrl::KeepsKey(UINT key) const {
    return edit::EditKeepsKey(key, MapVirtualKeyA(key, 0), logic_.Props());
}

HCURSOR CVEditCtrl::Cursor() const { return LoadCursor(nullptr, IDC_IBEAM); }

void CVEditCtrl::OnSetFocus() {
    engine_.OnSetFocus();
    NotifyParent(kNotifySetFocus);
    FireEvent("SETFOCUS");
}

void CVEditCtrl::OnKillFocus() {
    engine_.OnKillFocus();
    NotifyParent(kNotifyKillFocus);
    FireEvent("KILLFOCUS");
}

void CVEditCtrl::OnKeyDown(UINT key, LPARAM) {
    if (key == VK_APPS) {  // the menu key
        ShowContextMenu({-1, -1});
        return;
    }
    SyncEngine();
    edit::KeyModifiers modifiers{GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0};
    engine_.OnKeyDown(key, modifiers);
    NotifyParent(kNotifyKey);
    FireKeyDown(key);
    if (key < 128) FireKeyPress(key);
}

void CVEditCtrl::OnUnicodeChar(wchar_t unit) {
    SyncEngine();
    if (!engine_.OnUnicodeChar(static_cast<char16_t>(unit))) return;  // refused: beeped
    NotifyParent(kNotifyKey);
    FireKeyPress(unit);
}

void CVEditCtrl::OnKeyUp(UINT key, LPARAM) {
    engine_.OnKeyUp();
    FireKeyUp(key);
}

void CVEditCtrl::OnMouse(UINT msg, WPARAM wp, LPARAM lp) {
    platform::Point p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    unsigned flags = static_cast<unsigned>(wp);
    switch (msg) {
        case WM_LBUTTONDOWN: engine_.OnLButtonDown(flags, p); break;
        case WM_LBUTTONUP: engine_.OnLButtonUp(flags, p); break;
        case WM_MOUSEMOVE: engine_.OnMouseMove(flags, p); break;
        case WM_RBUTTONUP: {
            POINT at{p.x, p.y};
            ClientToScreen(Window(), &at);
            ShowContextMenu(at);
            break;
        }
        default: break;
    }
}

bool CVEditCtrl::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    // Shift+F10 opens the context menu; F10 alone would put the host's
    // frame into menu mode, so both of its messages stay here.
    if ((msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) && wp == VK_F10 &&
        GetKeyState(VK_SHIFT) < 0) {
        if (msg == WM_SYSKEYDOWN) ShowContextMenu({-1, -1});
        result = 0;
        return true;
    }
    if (msg == WM_CONTEXTMENU) {
        ShowContextMenu({static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
        result = 0;
        return true;
    }
    if (msg == kUndoMessage) {
        engine_.Undo();
        result = 0;
        return true;
    }
    if (msg == WM_VSCROLL || msg == WM_HSCROLL) {
        int code = LOWORD(wp);
        int position = static_cast<short>(HIWORD(wp));
        if (code <= SB_THUMBTRACK) {
            if (msg == WM_VSCROLL)
                engine_.OnVScroll(code, position);
            else
                engine_.OnHScroll(code, position);
        }
        result = 0;
        return true;
    }
    return false;
}

}  // namespace vexa::win32
