#include "win32/vedit_ctrl.h"

#include <cstring>

#include "keyboard/translate_key.h"
#include "module/class_table.h"
#include "script/font_code.h"
#include "script/script_catalogue.h"
#include "win32/module_services.h"

namespace vexa::win32 {

using module::PropertyValue;

namespace {

// Parent notifications of the edit control (high word of WM_COMMAND).
constexpr WORD kNotifySetFocus = 0x0100;
constexpr WORD kNotifyKillFocus = 0x0200;
constexpr WORD kNotifyKey = 0x0300;

// Custom DispIDs of the edit control.
enum : int {
    kAutoHScroll = 1, kHScrollBar, kAutoVScroll, kVScrollBar, kWantReturn, kReadOnly, kMultiLine,
    kFontSize, kPassword, kScriptName, kIsciiDataFormat, kDisableEnglish, kKeyboardType, kLinFile,
    kSelStart, kSelLength, kFontName, kGlobalSettings, kAccessGlobal, kFontType, kCut, kCopy,
    kPaste, kShowFindDialog, kShowReplaceDialog, kGetScriptList, kGetFontList,
    kGetFormattedZirvoText, kGetZirvoText, kUndo
};

const module::CoClass& EditClass() { return *module::Catalogue().FindClass("VEdit"); }

bool IsLineEnd(unsigned char b) { return b == 0x0D || b == 0x04 || b == 0x05 || b == 0x1D; }

HFONT MakeFont(HDC dc, const std::string& face, int points) {
    if (face.empty()) return nullptr;
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(points > 0 ? points : 12, GetDeviceCaps(dc, LOGPIXELSY), 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

}  // namespace

CVEditCtrl::CVEditCtrl()
    : ActiveXControl(EditClass(), module::ControlFactory(1).miscStatus),
      logic_({Services().platform, Services().registry, Services().settings}, *this) {
    appearance_ = 1;
}

CVEditCtrl::~CVEditCtrl() { ReleaseFonts(); }

void CVEditCtrl::OnResetState() {
    appearance_ = 1;
    logic_.Reset();
}

void CVEditCtrl::DoPropExchange(module::PropertyExchange& px) {
    logic_.Exchange(px, AmbientUserMode());
    backColor_ = logic_.Props().backColor;
    foreColor_ = logic_.Props().foreColor;
}

HRESULT CVEditCtrl::GetProperty(const module::Member& member, PropertyValue& v) {
    const edit::VEditProperties& p = logic_.Props();
    switch (member.dispId) {
        case kAutoHScroll: v.number = p.autoHScroll; break;
        case kHScrollBar: v.number = p.hScrollBar; break;
        case kAutoVScroll: v.number = p.autoVScroll; break;
        case kVScrollBar: v.number = p.vScrollBar; break;
        case kWantReturn: v.number = p.wantReturn; break;
        case kReadOnly: v.number = p.readOnly; break;
        case kMultiLine: v.number = p.multiLine; break;
        case kFontSize: v.number = p.fontSize; break;
        case kPassword: v.number = p.password; break;
        case kScriptName: v.text = p.scriptName; break;
        case kIsciiDataFormat: v.number = p.isciiDataFormat; break;
        case kDisableEnglish: v.number = p.disableEnglish; break;
        case kKeyboardType: v.number = p.keyboardType; break;
        case kLinFile: v.text = p.linFile; break;
        case kSelStart: v.number = selStart_; break;
        case kSelLength: v.number = selLength_; break;
        case kFontName: v.text = p.fontName; break;
        case kGlobalSettings: v.number = p.globalSettings; break;
        case kAccessGlobal: v.number = p.accessGlobal; break;
        case kFontType: v.number = p.fontType; break;
        case module::kDispIdBackColor: v.number = static_cast<std::int32_t>(p.backColor); break;
        case module::kDispIdForeColor: v.number = static_cast<std::int32_t>(p.foreColor); break;
        case module::kDispIdText: v.text = logic_.ReadText(); break;
        default: return ActiveXControl::GetProperty(member, v);
    }
    return S_OK;
}

HRESULT CVEditCtrl::SetProperty(const module::Member& member, const PropertyValue& v) {
    bool on = v.number != 0;
    auto i16 = static_cast<std::int16_t>(v.number);
    switch (member.dispId) {
        case kAutoHScroll: logic_.SetAutoHScroll(on); break;
        case kHScrollBar: logic_.SetHScrollBar(on); break;
        case kAutoVScroll: logic_.SetAutoVScroll(on); break;
        case kVScrollBar: logic_.SetVScrollBar(on); break;
        case kWantReturn: logic_.SetWantReturn(on); break;
        case kReadOnly: logic_.SetReadOnly(on); break;
        case kMultiLine: logic_.SetMultiLine(on); break;
        case kFontSize: logic_.SetFontSize(i16); break;
        case kPassword: logic_.SetPassword(on); break;
        case kScriptName: logic_.SetScriptName(v.text); break;
        case kIsciiDataFormat: logic_.SetIsciiDataFormat(i16); break;
        case kDisableEnglish: logic_.SetDisableEnglish(on); break;
        case kKeyboardType: logic_.SetKeyboardType(i16); break;
        case kLinFile: logic_.SetLinFile(v.text); break;
        case kSelStart:
        case kSelLength: {
            auto length = static_cast<std::int32_t>(logic_.Props().text.size());
            std::int32_t value = v.number < 0 ? 0 : (v.number > length ? length : v.number);
            if (member.dispId == kSelStart) {
                selStart_ = value;
                selLength_ = 0;
            } else {
                selLength_ = selStart_ + value > length ? length - selStart_ : value;
            }
            InvalidateControl();
            break;
        }
        case kFontName: logic_.SetFontName(v.text); break;
        case kGlobalSettings: logic_.SetGlobalSettings(on); break;
        case kAccessGlobal: logic_.SetAccessGlobal(on); break;
        case kFontType: logic_.SetFontType(i16); break;
        case module::kDispIdBackColor:
            logic_.SetBackColor(static_cast<std::uint32_t>(v.number));
            backColor_ = logic_.Props().backColor;
            break;
        case module::kDispIdForeColor:
            logic_.SetForeColor(static_cast<std::uint32_t>(v.number));
            foreColor_ = logic_.Props().foreColor;
            break;
        case module::kDispIdText:
            editRefused_ = false;
            if (!logic_.AssignText(v.text) && editRefused_) return CTL_E_PERMISSIONDENIED;
            selStart_ = selLength_ = 0;
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
    switch (member.dispId) {
        case kGetScriptList: return answer(logic_.GetScriptList());
        case kGetFontList: return answer(logic_.GetFontList());
        case kCut:
        case kCopy:
        case kPaste:
        case kShowFindDialog:
        case kShowReplaceDialog:
        case kGetFormattedZirvoText:
        case kGetZirvoText:
        case kUndo:
            return E_NOTIMPL;  // these come with the edit engine
        default: return ActiveXControl::CallMethod(member, args, result);
    }
}

bool CVEditCtrl::RequestTextEdit() {
    bool allowed = RequestEdit(module::kDispIdText);
    editRefused_ = !allowed;
    return allowed;
}

void CVEditCtrl::TextReplaced() {
    selStart_ = selLength_ = 0;
    InvalidateControl();
}

// ---- window ----

bool CVEditCtrl::OnCreate() {
    if (!logic_.BindAtCreation()) return false;
    RebuildFonts();
    if (!logic_.Props().text.empty()) logic_.LoadStoredText();
    return true;
}

void CVEditCtrl::OnDestroy() {
    ReleaseFonts();
    logic_.Converter().Unload();
}

void CVEditCtrl::ReleaseFonts() {
    for (HFONT* f : {&scriptFont_, &englishFont_, &extensionFont_}) {
        if (*f) DeleteObject(*f);
        *f = nullptr;
    }
}

void CVEditCtrl::RebuildFonts() {
    ReleaseFonts();
    HDC dc = GetDC(Window());
    const edit::ActiveScript& s = logic_.Script();
    int size = logic_.Props().fontSize;
    scriptFont_ = MakeFont(dc, s.scriptFace, size);
    englishFont_ = MakeFont(dc, s.englishFace.empty() ? s.scriptFace : s.englishFace, size);
    script::ScriptCatalogue::SetReach(logic_.Props().fontType);
    if (auto row = script::ScriptCatalogue::FindRow(logic_.Props().scriptName))
        extensionFont_ = MakeFont(
            dc, std::string(script::ScriptCatalogue::ExtensionFace(*row, logic_.Props().fontType)), size);
    TEXTMETRICA tm{};
    HGDIOBJ old = SelectObject(dc, scriptFont_ ? scriptFont_ : GetStockObject(DEFAULT_GUI_FONT));
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(Window(), dc);
    lineHeight_ = tm.tmHeight > 0 ? tm.tmHeight : 16;
    InvalidateControl();
}

void CVEditCtrl::DrawLines(HDC dc, const RECT& bounds, POINT* caret) {
    const edit::VEditProperties& p = logic_.Props();
    const std::string& text = p.text;
    int y = bounds.top + 1;
    int x = bounds.left + 2;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = start;
        while (end < text.size() && !IsLineEnd(static_cast<unsigned char>(text[end]))) ++end;
        std::string line = text.substr(start, end - start);
        std::erase(line, '\x0A');
        x = bounds.left + 2;
        HFONT current = logic_.EnglishScript() ? englishFont_ : scriptFont_;
        std::string run;
        if (p.password) {
            run.assign(line.size(), '*');
            current = englishFont_;
        } else {
            run = script::ToFontCodeRun(logic_.Converter(), line, logic_.EnglishScript());
        }
        std::string segment;
        auto flush = [&] {
            if (segment.empty()) return;
            HGDIOBJ old = SelectObject(dc, current ? current : GetStockObject(DEFAULT_GUI_FONT));
            TextOutA(dc, x, y, segment.data(), static_cast<int>(segment.size()));
            SIZE extent{};
            GetTextExtentPoint32A(dc, segment.data(), static_cast<int>(segment.size()), &extent);
            SelectObject(dc, old);
            x += extent.cx;
            segment.clear();
        };
        for (unsigned char b : run) {
            if (b == script::kEnglishFontSwitch || b == script::kScriptFontSwitch ||
                b == script::kExtensionFontSwitch) {
                flush();
                current = b == script::kEnglishFontSwitch  ? englishFont_
                          : b == script::kScriptFontSwitch ? scriptFont_
                                                           : extensionFont_;
            } else {
                segment += static_cast<char>(b);
            }
        }
        flush();
        if (end >= text.size()) break;
        start = end + 1;
        if (start < text.size() && text[start] == '\x0A') ++start;
        y += lineHeight_;
        if (!p.multiLine) break;
    }
    if (caret) *caret = POINT{x, y};
}

void CVEditCtrl::OnDraw(HDC dc, const RECT& bounds) {
    HBRUSH brush = CreateSolidBrush(TranslateColor(logic_.Props().backColor));
    FillRect(dc, &bounds, brush);
    DeleteObject(brush);
    int saved = SaveDC(dc);
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TranslateColor(logic_.Props().foreColor));
    POINT caret{};
    DrawLines(dc, bounds, &caret);
    RestoreDC(dc, saved);
    if (Window() && GetFocus() == Window() && WindowFromDC(dc) == Window())
        SetCaretPos(caret.x, caret.y);
}

void CVEditCtrl::NotifyParent(WORD code) {
    HWND hwnd = Window();
    if (!hwnd) return;
    HWND parent = GetParent(hwnd);
    if (parent)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                     reinterpret_cast<LPARAM>(hwnd));
}

void CVEditCtrl::OnSetFocus() {
    CreateCaret(Window(), nullptr, 1, lineHeight_);
    InvalidateControl();
    UpdateWindow(Window());
    ShowCaret(Window());
    NotifyParent(kNotifySetFocus);
    FireEvent(2);  // SETFOCUS
}

void CVEditCtrl::OnKillFocus() {
    HideCaret(Window());
    DestroyCaret();
    NotifyParent(kNotifyKillFocus);
    FireEvent(3);  // KILLFOCUS
}

void CVEditCtrl::Changed() {
    SetModifiedFlag();
    InvalidateControl();
    FireEvent(1);  // CHANGE
}

void CVEditCtrl::OnKeyDown(UINT key, LPARAM) {
    edit::VEditProperties& p = logic_.Props();
    std::string text = p.text;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (!p.readOnly && !ctrl) {
        if (key == VK_BACK) {
            if (!text.empty()) {
                std::size_t cut = text.size() - 1;
                if (cut > 0 && text[cut] == '\x0A' && text[cut - 1] == '\x0D') --cut;
                if (cut > 0 && static_cast<unsigned char>(text[cut - 1]) == 0xF0) --cut;
                text.erase(cut);
            }
        } else if (key == VK_RETURN) {
            if (p.multiLine && p.wantReturn) text += '\x0D';
        } else {
            keyboard::TranslateSettings settings{p.keyboardType, p.disableEnglish, p.scriptName,
                                                 p.fontType, logic_.EnglishScript()};
            std::string typed =
                keyboard::TranslateKey(Services().keyboard, settings, static_cast<int>(key), false);
            if (typed.empty() && key == VK_SPACE) typed.assign(1, ' ');  // the space bar types in every mode
            text += typed;
        }
    }
    if (text != p.text) {
        logic_.SetStoredText(std::move(text));
        Changed();
    }
    NotifyParent(kNotifyKey);
    FireKeyDown(key);
    if (key < 128) FireKeyPress(key);
}

void CVEditCtrl::OnKeyUp(UINT key, LPARAM) { FireKeyUp(key); }

}  // namespace vexa::win32
