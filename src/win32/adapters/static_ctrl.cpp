#include "win32/adapters/static_ctrl.h"
#include "win32/framework/class_registry.h"

#include <string_view>

#include "module/automation_catalogue.h"
#include "module/class_table.h"
#include "statics/design_host.h"
#include "statics/static_paint.h"
#include "statics/static_properties.h"
#include "win32/framework/module_services.h"
#include "win32/framework/rebuild_font.h"

namespace vexa::win32 {

namespace {

const module::CoClass& StaticClass() {
    return *module::Catalogue().FindClass(statics::kControlName);
}

unsigned StaticMiscStatus() { return module::ControlFactory(statics::kControlIndex).miscStatus; }

}  // namespace

CVStaticCtrl::CVStaticCtrl()
    : ActiveXControl(StaticClass(), StaticMiscStatus()),
      logic_({ControlPlatform(), Services().registry, Services().settings, Services().launcher,
              GetSysColor(COLOR_HIGHLIGHT)},
             *this),
      table_(statics::StaticPropertyTable(), logic_) {
    UseProperties(table_);
}

CVStaticCtrl::~CVStaticCtrl() = default;

void CVStaticCtrl::DoPropExchange(common::PropertyExchange& px) {
    // The framework's stock properties first, then the label's own.
    px.Short("BorderStyle", borderStyle_, std::int16_t{0});
    px.Short("Appearance", appearance_, std::int16_t{0});
    logic_.Exchange(px, AmbientUserMode());
    if (px.IsLoading() && Window()) logic_.RebuildFont();
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
    win32::RebuildFont(Window(), scriptFonts_, fonts_, script, {.underline = underline});
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
