#include "win32/adapters/vedit_ctrl.h"

#include <cstring>
#include <string_view>
#include <unordered_map>

#include "edit/key_routing.h"
#include "keyboard/translate_key.h"
#include "module/class_table.h"
#include "script/font_code.h"
#include "script/script_catalogue.h"
#include "win32/framework/module_services.h"

namespace vexa::win32 {

using module::PropertyValue;

namespace {

// Parent notifications of the edit control (high word of WM_COMMAND).
constexpr WORD kNotifySetFocus = 0x0100;
constexpr WORD kNotifyKillFocus = 0x0200;
constexpr WORD kNotifyKey = 0x0300;
// The private message that undoes the last edit.
constexpr UINT kUndoMessage = 0x0405;

// The members this adapter handles, found by their names in the automation
// catalogue: the DispIDs are the catalogue's alone.
enum class Handled {
    None,
    AutoHScroll,
    HScrollBar,
    AutoVScroll,
    VScrollBar,
    WantReturn,
    ReadOnly,
    MultiLine,
    FontSize,
    Password,
    ScriptName,
    IsciiDataFormat,
    DisableEnglish,
    KeyboardType,
    LinFile,
    SelStart,
    SelLength,
    FontName,
    GlobalSettings,
    AccessGlobal,
    FontType,
    Cut,
    Copy,
    Paste,
    ShowFindDialog,
    ShowReplaceDialog,
    GetScriptList,
    GetFontList,
    GetFormattedZirvoText,
    GetZirvoText,
    Undo,
    BackColor,
    ForeColor,
    Text,
};

Handled Which(const module::Member& member) {
    static const std::unordered_map<std::string_view, Handled> byName{
        {"AutoHScroll", Handled::AutoHScroll},
        {"HScrollBar", Handled::HScrollBar},
        {"AutoVScroll", Handled::AutoVScroll},
        {"VScrollBar", Handled::VScrollBar},
        {"WantReturn", Handled::WantReturn},
        {"ReadOnly", Handled::ReadOnly},
        {"MultiLine", Handled::MultiLine},
        {"FontSize", Handled::FontSize},
        {"Password", Handled::Password},
        {"ScriptName", Handled::ScriptName},
        {"ISCIIDataFormat", Handled::IsciiDataFormat},
        {"DisableEnglish", Handled::DisableEnglish},
        {"KeyboardType", Handled::KeyboardType},
        {"LinFile", Handled::LinFile},
        {"SelStart", Handled::SelStart},
        {"SelLength", Handled::SelLength},
        {"FontName", Handled::FontName},
        {"GlobalSettings", Handled::GlobalSettings},
        {"AccessGlobal", Handled::AccessGlobal},
        {"FontType", Handled::FontType},
        {"Cut", Handled::Cut},
        {"Copy", Handled::Copy},
        {"Paste", Handled::Paste},
        {"ShowFindDialog", Handled::ShowFindDialog},
        {"ShowReplaceDialog", Handled::ShowReplaceDialog},
        {"GetScriptList", Handled::GetScriptList},
        {"GetFontList", Handled::GetFontList},
        {"GetFormattedZIRVOText", Handled::GetFormattedZirvoText},
        {"GetZIRVOText", Handled::GetZirvoText},
        {"Undo", Handled::Undo},
        {"BackColor", Handled::BackColor},
        {"ForeColor", Handled::ForeColor},
        {"Text", Handled::Text},
    };
    auto it = byName.find(member.name);
    return it == byName.end() ? Handled::None : it->second;
}

const module::CoClass& EditClass() { return *module::Catalogue().FindClass("VEdit"); }

}  // namespace

CVEditCtrl::CVEditCtrl()
    : ActiveXControl(EditClass(), module::ControlFactory(1).miscStatus),
      logic_({ControlPlatform(), Services().registry, Services().settings}, *this),
      window_([this] { return Window(); }, [this] { return ExtentInPixels(); }),
      engine_(window_, fonts_, Messages(), logic_.Converter(), *this),
      keyboard_(Services().keyboard, engine_.Script(), logic_.Keyboard().binding),
      clipboard_([this] { return Window(); }),
      clipboardCommands_(engine_, clipboard_, Messages()) {
    appearance_ = 1;
    engine_.SetKeyboard(&keyboard_);
}

CVEditCtrl::~CVEditCtrl() = default;

void CVEditCtrl::OnResetState() {
    appearance_ = 1;
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

void CVEditCtrl::DoPropExchange(module::PropertyExchange& px) {
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

HRESULT CVEditCtrl::GetProperty(const module::Member& member, PropertyValue& v) {
    const edit::VEditProperties& p = logic_.Props();
    switch (Which(member)) {
        case Handled::AutoHScroll: v.number = p.autoHScroll; break;
        case Handled::HScrollBar: v.number = p.hScrollBar; break;
        case Handled::AutoVScroll: v.number = p.autoVScroll; break;
        case Handled::VScrollBar: v.number = p.vScrollBar; break;
        case Handled::WantReturn: v.number = p.wantReturn; break;
        case Handled::ReadOnly: v.number = p.readOnly; break;
        case Handled::MultiLine: v.number = p.multiLine; break;
        case Handled::FontSize: v.number = p.fontSize; break;
        case Handled::Password: v.number = p.password; break;
        case Handled::ScriptName: v.text = p.scriptName; break;
        case Handled::IsciiDataFormat: v.number = p.isciiDataFormat; break;
        case Handled::DisableEnglish: v.number = p.disableEnglish; break;
        case Handled::KeyboardType: v.number = p.keyboardType; break;
        case Handled::LinFile: v.text = p.linFile; break;
        case Handled::SelStart: v.number = engine_.SelStart(); break;
        case Handled::SelLength: v.number = engine_.SelLength(); break;
        case Handled::FontName: v.text = p.fontName; break;
        case Handled::GlobalSettings: v.number = p.globalSettings; break;
        case Handled::AccessGlobal: v.number = p.accessGlobal; break;
        case Handled::FontType: v.number = p.fontType; break;
        case Handled::BackColor: v.number = static_cast<std::int32_t>(p.backColor); break;
        case Handled::ForeColor: v.number = static_cast<std::int32_t>(p.foreColor); break;
        case Handled::Text:
            PullText();
            if (common::Outcome failed = logic_.ReadText(v.text)) return Fail(*failed);
            break;
        default: return ActiveXControl::GetProperty(member, v);
    }
    return S_OK;
}

HRESULT CVEditCtrl::SetProperty(const module::Member& member, const PropertyValue& v) {
    bool on = v.number != 0;
    auto i16 = static_cast<std::int16_t>(v.number);
    switch (Which(member)) {
        case Handled::AutoHScroll: logic_.SetAutoHScroll(on); break;
        case Handled::HScrollBar: logic_.SetHScrollBar(on); break;
        case Handled::AutoVScroll: logic_.SetAutoVScroll(on); break;
        case Handled::VScrollBar: logic_.SetVScrollBar(on); break;
        case Handled::WantReturn: logic_.SetWantReturn(on); break;
        case Handled::ReadOnly: logic_.SetReadOnly(on); break;
        case Handled::MultiLine: logic_.SetMultiLine(on); break;
        case Handled::FontSize: logic_.SetFontSize(i16); break;
        case Handled::Password: logic_.SetPassword(on); break;
        case Handled::ScriptName: logic_.SetScriptName(v.text); break;
        case Handled::IsciiDataFormat:
            if (common::Outcome failed = logic_.SetIsciiDataFormat(i16)) return Fail(*failed);
            break;
        case Handled::DisableEnglish: logic_.SetDisableEnglish(on); break;
        case Handled::KeyboardType: logic_.SetKeyboardType(i16); break;
        case Handled::LinFile: logic_.SetLinFile(v.text); break;
        case Handled::SelStart: engine_.SetSelStart(v.number); break;
        case Handled::SelLength: engine_.SetSelLength(v.number); break;
        case Handled::FontName: logic_.SetFontName(v.text); break;
        case Handled::GlobalSettings: logic_.SetGlobalSettings(on); break;
        case Handled::AccessGlobal: logic_.SetAccessGlobal(on); break;
        case Handled::FontType: logic_.SetFontType(i16); break;
        case Handled::BackColor:
            logic_.SetBackColor(static_cast<std::uint32_t>(v.number));
            backColor_ = logic_.Props().backColor;
            break;
        case Handled::ForeColor:
            logic_.SetForeColor(static_cast<std::uint32_t>(v.number));
            foreColor_ = logic_.Props().foreColor;
            break;
        case Handled::Text:
            PullText();
            if (common::Outcome failed = logic_.AssignText(v.text)) return Fail(*failed);
            break;
        default: return ActiveXControl::SetProperty(member, v);
    }
    return S_OK;
}

HRESULT CVEditCtrl::CallMethod(const module::Member& member, std::vector<VARIANT*>& args,
                               VARIANT* result) {
    auto answer = [&](const std::string& text) {
        if (result) {
            result->vt = VT_BSTR;
            result->bstrVal = ToBstr(text);
        }
        return S_OK;
    };
    switch (Which(member)) {
        case Handled::GetScriptList: return answer(logic_.GetScriptList());
        case Handled::GetFontList: return answer(logic_.GetFontList());
        case Handled::GetZirvoText: {
            VARIANT text;
            VariantInit(&text);
            if (FAILED(VariantChangeType(&text, args[0], 0, VT_BSTR))) return DISP_E_TYPEMISMATCH;
            std::string iscii = FromBstr(text.bstrVal);
            VariantClear(&text);
            return answer(engine_.GetZIRVOText(iscii));
        }
        case Handled::GetFormattedZirvoText: {
            VARIANT size, width;
            VariantInit(&size);
            VariantInit(&width);
            if (FAILED(VariantChangeType(&size, args[0], 0, VT_I2)) ||
                FAILED(VariantChangeType(&width, args[1], 0, VT_I4)))
                return DISP_E_TYPEMISMATCH;
            PullText();
            return answer(engine_.GetFormattedZIRVOText(size.iVal, width.lVal));
        }
        case Handled::Cut: return ClipboardMethod(clipboardCommands_.Cut());
        case Handled::Copy: return ClipboardMethod(clipboardCommands_.Copy());
        case Handled::Paste:
            return ClipboardMethod(clipboardCommands_.Paste(edit::DropNotice::kBeep));
        case Handled::ShowFindDialog: return ShowDialog(false);
        case Handled::ShowReplaceDialog: return ShowDialog(true);
        case Handled::Undo:
            engine_.Undo();
            if (result) {
                result->vt = VT_I4;
                result->lVal = 0;
            }
            return S_OK;
        default: return ActiveXControl::CallMethod(member, args, result);
    }
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
    return clipboardCommands_.Paste(edit::DropNotice::kMessage) == edit::ClipboardResult::kDone;
}

bool CVEditCtrl::RequestTextEdit() { return RequestEdit(module::kDispIdText); }

void CVEditCtrl::TextReplaced() {
    SyncEngine();
    engine_.SetText(logic_.Props().text);
    engineReady_ = true;
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
