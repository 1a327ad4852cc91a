#include "win32/adapters/static_ctrl.h"
#include "win32/pages/page_classes.h"

#include <string_view>
#include <unordered_map>

#include "module/automation_catalogue.h"
#include "module/class_table.h"
#include "statics/design_host.h"
#include "statics/static_paint.h"
#include "win32/adapters/script_properties.h"
#include "win32/framework/module_services.h"

namespace vexa::win32 {

using module::PropertyValue;

namespace {

// The members this adapter handles, found by their names in the automation
// catalogue: the DispIDs are the catalogue's alone.
enum class Handled {
    None,
    Caption,
    Text,
    Alignment,
    DataFormat,
    BackColor,
    ForeColor,
    LinkColor,
    VisitedColor,
    HoverColor,
    Url,
    IsUrl,
    Underline,
};

Handled Which(const module::Member& member) {
    static const std::unordered_map<std::string_view, Handled> byName{
        {"Caption", Handled::Caption},
        {"Text", Handled::Text},
        {"Alignment", Handled::Alignment},
        {"ISCIIDataFormat", Handled::DataFormat},
        {"BackColor", Handled::BackColor},
        {"ForeColor", Handled::ForeColor},
        {"LinkColor", Handled::LinkColor},
        {"VisitedColor", Handled::VisitedColor},
        {"HoverColor", Handled::HoverColor},
        {"URL", Handled::Url},
        {"IsURL", Handled::IsUrl},
        {"Underline", Handled::Underline},
    };
    auto it = byName.find(member.name);
    return it == byName.end() ? Handled::None : it->second;
}

const module::CoClass& StaticClass() {
    return *module::Catalogue().FindClass(statics::kControlName);
}

unsigned StaticMiscStatus() { return module::ControlFactory(statics::kControlIndex).miscStatus; }

}  // namespace

CVStaticCtrl::CVStaticCtrl()
    : ActiveXControl(StaticClass(), StaticMiscStatus()),
      logic_({ControlPlatform(), Services().registry, Services().settings, Services().launcher,
              GetSysColor(COLOR_HIGHLIGHT)},
             *this) {}

CVStaticCtrl::~CVStaticCtrl() = default;

void CVStaticCtrl::DoPropExchange(module::PropertyExchange& px) {
    // The framework's stock properties first, then the label's own.
    px.Short("BorderStyle", borderStyle_, std::int16_t{0});
    px.Short("Appearance", appearance_, std::int16_t{0});
    logic_.Exchange(px, AmbientUserMode());
    if (px.IsLoading() && Window()) logic_.RebuildFont();
}

HRESULT CVStaticCtrl::GetProperty(const module::Member& member, PropertyValue& v) {
    if (ReadScriptProperty(member.name, logic_.Props(), v)) return S_OK;
    const statics::StaticProperties& p = logic_.Props();
    switch (Which(member)) {
        case Handled::Caption:
            if (common::Outcome failed = logic_.ReadCaption(v.text)) return Fail(*failed);
            break;
        case Handled::Text:
            if (common::Outcome failed = logic_.ReadText(v.text)) return Fail(*failed);
            break;
        case Handled::Alignment: v.number = p.alignment; break;
        case Handled::DataFormat: v.number = p.isciiDataFormat; break;
        case Handled::BackColor: v.number = static_cast<std::int32_t>(p.backColor); break;
        case Handled::ForeColor: v.number = static_cast<std::int32_t>(p.foreColor); break;
        case Handled::LinkColor: v.number = static_cast<std::int32_t>(p.linkColor); break;
        case Handled::VisitedColor: v.number = static_cast<std::int32_t>(p.visitedColor); break;
        case Handled::HoverColor: v.number = static_cast<std::int32_t>(p.hoverColor); break;
        case Handled::Url: v.text = p.url; break;
        case Handled::IsUrl: v.number = p.isUrl; break;
        case Handled::Underline: v.number = p.underline; break;
        default: return ActiveXControl::GetProperty(member, v);
    }
    return S_OK;
}

HRESULT CVStaticCtrl::SetProperty(const module::Member& member, const PropertyValue& v) {
    if (WriteScriptProperty(member.name, logic_, v)) return S_OK;
    const bool on = v.number != 0;
    const auto i16 = static_cast<std::int16_t>(v.number);
    const auto colour = static_cast<std::uint32_t>(v.number);
    switch (Which(member)) {
        case Handled::Caption:
        case Handled::Text:
            if (common::Outcome failed = logic_.AssignCaption(v.text)) return Fail(*failed);
            break;
        case Handled::Alignment: logic_.SetAlignment(i16); break;
        case Handled::DataFormat:
            if (common::Outcome failed = logic_.SetIsciiDataFormat(i16)) return Fail(*failed);
            break;
        case Handled::BackColor: logic_.SetBackColor(colour); break;
        case Handled::ForeColor: logic_.SetForeColor(colour); break;
        case Handled::LinkColor: logic_.SetLinkColor(colour); break;
        case Handled::VisitedColor: logic_.SetVisitedColor(colour); break;
        case Handled::HoverColor: logic_.SetHoverColor(colour); break;
        case Handled::Url: logic_.SetUrl(v.text); break;
        case Handled::IsUrl: logic_.SetIsUrl(on); break;
        case Handled::Underline: logic_.SetUnderline(on); break;
        default: return ActiveXControl::SetProperty(member, v);
    }
    return S_OK;
}

// General, More Properties, URL Properties, About.
std::vector<std::string_view> CVStaticCtrl::PropertyPages() const { return PageClsidsOf("VStatic"); }

// ---- window ----

ActiveXControl::WindowKind CVStaticCtrl::Kind() const { return {"STATIC", logic_.WindowStyle()}; }

bool CVStaticCtrl::OnCreate() {
    if (!logic_.BindAtCreation()) return false;
    HWND hwnd = Window();
    // A label is no tab stop.
    SetWindowLongPtrA(hwnd, GWL_STYLE, GetWindowLongPtrA(hwnd, GWL_STYLE) & ~WS_TABSTOP);
    // The system's own hand: no program is loaded to borrow one.
    if (logic_.Props().isUrl && !hand_) hand_ = LoadCursor(nullptr, IDC_HAND);
    logic_.WindowCreated();
    return true;
}

void CVStaticCtrl::OnDestroy() {
    if (GetCapture() == Window()) ::ReleaseCapture();
    logic_.Binding().UnloadConverter();
}

HCURSOR CVStaticCtrl::Cursor() const { return logic_.Props().isUrl ? hand_ : nullptr; }

void CVStaticCtrl::RebuildFont(const common::DrawingScript& script, bool underline) {
    HWND hwnd = Window();
    if (!hwnd) return;
    Win32Surface surface(GetDC(hwnd), [hwnd](HDC dc) { ReleaseDC(hwnd, dc); });
    scriptFonts_.MakeFontDescriptions(surface, script, script.fontSize);
    scriptFonts_.SetUnderline(underline);
    surface.SelectFont(nullptr);
    scriptFonts_.SetTibetanSpace(script.IsTibetan(), surface.CharWidth(0xA1));
    scriptFonts_.BuildWidthTables(fonts_, surface, script, false, true);
    if (const auto* font = static_cast<const Win32Font*>(scriptFonts_.FontOf(common::FontSlot::Script)))
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font->Handle()), FALSE);
}

void CVStaticCtrl::OnDraw(HDC dc, const RECT& r) {
    Win32Surface surface(dc, nullptr);
    const COLORREF back = TranslateColor(logic_.Props().backColor);
    const COLORREF text = TranslateColor(logic_.ChooseForeColor());
    statics::PaintStatic(surface, scriptFonts_, logic_.Drawing().scriptName, logic_.DisplayRuns(),
                         {r.left, r.top, r.right, r.bottom}, logic_.Props().alignment, back, text);
    if (HWND hwnd = Window(); hwnd && StandardPaintFollows(hwnd)) PaintSystemWindow(dc);
}

bool CVStaticCtrl::StandardPaintFollows(HWND hwnd) const {
    char title[100] = {};
    GetWindowTextA(GetAncestor(hwnd, GA_ROOT), title, sizeof title);
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    std::optional<statics::OsVersion> version;
    if (GetVersionExA(&info))
        version = statics::OsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
    return statics::StandardPaintFollows(title, version);
}

void CVStaticCtrl::RedrawNow() {
    if (HWND hwnd = Window()) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CVStaticCtrl::SetCapture() {
    if (HWND hwnd = Window()) ::SetCapture(hwnd);
}

void CVStaticCtrl::ReleaseCapture() {
    if (Window() && GetCapture() == Window()) ::ReleaseCapture();
}

void CVStaticCtrl::OnMouse(UINT msg, WPARAM wp, LPARAM lp) {
    HWND hwnd = Window();
    if (!hwnd) return;
    RECT rc;
    GetClientRect(hwnd, &rc);
    const platform::Rect client{rc.left, rc.top, rc.right, rc.bottom};
    // Signed: under the capture a point left of or above the window is negative.
    const platform::Point p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    switch (msg) {
        case WM_MOUSEMOVE: logic_.MouseMove(p, client, (wp & MK_LBUTTON) != 0); break;
        case WM_LBUTTONDOWN: logic_.ButtonDown(p, client); break;
        case WM_LBUTTONUP: logic_.ButtonUp(p, client); break;
        default: break;  // a double click is one click, not two
    }
}

bool CVStaticCtrl::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg == WM_COMMAND) {
        result = 0;
        return true;  // the STATIC's click notices: the control fires Click itself
    }
    if (msg == WM_CTLCOLORSTATIC) {
        // When the STATIC paints after the control (one design host), it
        // draws its empty text over the label without a background.
        SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
        result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return true;
    }
    return false;
}

bool CVStaticCtrl::OnMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg == WM_CAPTURECHANGED) {
        if (reinterpret_cast<HWND>(lp) != Window()) logic_.CaptureLost();
        result = 0;
        return true;
    }
    return false;
}

}  // namespace vexa::win32
