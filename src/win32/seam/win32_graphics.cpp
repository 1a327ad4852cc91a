#include "win32/seam/win32_graphics.h"

#include <vector>

namespace vexa::win32 {

namespace {
int Bar(platform::ScrollBar bar) { return bar == platform::ScrollBar::Vertical ? SB_VERT : SB_HORZ; }
RECT ToRect(const platform::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
}  // namespace

std::unique_ptr<platform::Font> Win32Fonts::Create(const platform::FontDescription& d) {
    LOGFONTA lf{};
    lf.lfHeight = d.height;
    lf.lfWidth = d.width;
    lf.lfEscapement = d.escapement;
    lf.lfOrientation = d.orientation;
    lf.lfWeight = d.weight;
    lf.lfItalic = d.italic;
    lf.lfUnderline = d.underline;
    lf.lfStrikeOut = d.strikeOut;
    lf.lfCharSet = static_cast<BYTE>(d.charSet);
    lf.lfOutPrecision = static_cast<BYTE>(d.outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(d.clipPrecision);
    lf.lfQuality = static_cast<BYTE>(d.quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(d.pitchAndFamily);
    lstrcpynA(lf.lfFaceName, d.face.c_str(), LF_FACESIZE);
    return std::make_unique<Win32Font>(d, CreateFontIndirectA(&lf));
}

Win32Surface::Win32Surface(HDC dc, std::function<void(HDC)> release)
    : dc_(dc), originalFont_(GetCurrentObject(dc, OBJ_FONT)), release_(std::move(release)) {}

Win32Surface::~Win32Surface() {
    SelectObject(dc_, originalFont_);
    if (release_) release_(dc_);
}

void Win32Surface::SelectFont(const platform::Font* font) {
    const auto* f = static_cast<const Win32Font*>(font);
    SelectObject(dc_, f && f->Handle() ? static_cast<HGDIOBJ>(f->Handle()) : originalFont_);
}

platform::CharWidthTable Win32Surface::CharWidths() {
    platform::CharWidthTable table{};
    INT widths[256] = {};
    if (GetCharWidthA(dc_, 0, 255, widths))
        for (int i = 0; i < 256; ++i) table[i] = widths[i];
    return table;
}

int Win32Surface::CharWidth(unsigned char code) {
    INT w = 0;
    GetCharWidthA(dc_, code, code, &w);
    return w;
}

void Win32Surface::Fill(const platform::Rect& rect, platform::Colour colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ old = SelectObject(dc_, brush);
    PatBlt(dc_, rect.left, rect.top, rect.Width(), rect.Height(), PATCOPY);
    SelectObject(dc_, old);
    DeleteObject(brush);
}

void Win32Surface::TextOut(int x, int y, std::string_view codes) {
    ::TextOutA(dc_, x, y, codes.data(), static_cast<int>(codes.size()));
}

void Win32Surface::InvertPolygon(std::span<const platform::Point> corners) {
    if (corners.size() < 3) return;
    std::vector<POINT> points;
    for (const auto& p : corners) points.push_back(POINT{p.x, p.y});
    HRGN region = CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
    if (!region) return;
    InvertRgn(dc_, region);
    DeleteObject(region);
}

bool Win32ControlWindow::Exists() const {
    HWND h = hwnd_();
    return h && IsWindow(h);
}

platform::Rect Win32ControlWindow::ClientRect() const {
    RECT r{};
    if (HWND h = hwnd_()) {
        GetClientRect(h, &r);
    } else if (windowlessSize_) {
        SIZE size = windowlessSize_();
        r = {0, 0, size.cx, size.cy};
    }
    return {r.left, r.top, r.right, r.bottom};
}

void Win32ControlWindow::Invalidate(const platform::Rect& rect, bool erase) {
    RECT r = ToRect(rect);
    if (HWND h = hwnd_()) InvalidateRect(h, &r, erase);
}

void Win32ControlWindow::InvalidateAll(bool erase) {
    if (HWND h = hwnd_()) InvalidateRect(h, nullptr, erase);
}

void Win32ControlWindow::Update() {
    if (HWND h = hwnd_()) UpdateWindow(h);
}

void Win32ControlWindow::ScrollContents(int dx, int dy, const platform::Rect& clip) {
    RECT r = ToRect(clip);
    if (HWND h = hwnd_()) ScrollWindow(h, dx, dy, &r, &r);
}

namespace {
// A context for measuring without a window: drawing into it changes nothing
// anyone sees (never the screen).
std::unique_ptr<platform::Surface> MemorySurface() {
    return std::make_unique<Win32Surface>(CreateCompatibleDC(nullptr), [](HDC dc) { DeleteDC(dc); });
}
}  // namespace

std::unique_ptr<platform::Surface> Win32ControlWindow::GetSurface() {
    HWND h = hwnd_();
    if (!h) return MemorySurface();
    return std::make_unique<Win32Surface>(GetDC(h), [h](HDC dc) { ReleaseDC(h, dc); });
}

std::unique_ptr<platform::Surface> Win32ControlWindow::BeginPaint() {
    HWND h = hwnd_();
    if (!h) return MemorySurface();
    auto* ps = new PAINTSTRUCT{};
    HDC dc = ::BeginPaint(h, ps);
    return std::make_unique<Win32Surface>(dc, [h, ps](HDC) {
        EndPaint(h, ps);
        delete ps;
    });
}

// The caret belongs to the thread: a control without a window leaves it alone.
void Win32ControlWindow::CreateCaret(int width, int height) {
    if (HWND h = hwnd_()) ::CreateCaret(h, nullptr, width, height);
}
void Win32ControlWindow::DestroyCaret() {
    if (hwnd_()) ::DestroyCaret();
}
// Magnifiers and screen readers follow the system caret through its
// location-change event; Wine 8's SetCaretPos raises none, so the move is
// announced here (only when the caret really moved).
void Win32ControlWindow::SetCaretPosition(platform::Point p) {
    HWND h = hwnd_();
    if (!h) return;
    POINT before{};
    const bool had = GetCaretPos(&before);
    SetCaretPos(p.x, p.y);
    if (!had || before.x != p.x || before.y != p.y)
        NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, h, OBJID_CARET, CHILDID_SELF);
}
void Win32ControlWindow::ShowCaret() {
    if (HWND h = hwnd_()) ::ShowCaret(h);
}
void Win32ControlWindow::HideCaret() {
    if (HWND h = hwnd_()) ::HideCaret(h);
}

void Win32ControlWindow::SetScrollRange(platform::ScrollBar bar, int minimum, int maximum) {
    if (HWND h = hwnd_()) ::SetScrollRange(h, Bar(bar), minimum, maximum, TRUE);
}
void Win32ControlWindow::SetScrollPosition(platform::ScrollBar bar, int position) {
    if (HWND h = hwnd_()) SetScrollPos(h, Bar(bar), position, TRUE);
}
int Win32ControlWindow::ScrollPosition(platform::ScrollBar bar) const {
    HWND h = hwnd_();
    return h ? GetScrollPos(h, Bar(bar)) : 0;
}
void Win32ControlWindow::ShowScrollBar(platform::ScrollBar bar, bool show) {
    if (HWND h = hwnd_()) ::ShowScrollBar(h, Bar(bar), show);
}

void Win32ControlWindow::SetCapture() {
    if (HWND h = hwnd_()) ::SetCapture(h);
}
void Win32ControlWindow::ReleaseCapture() { ::ReleaseCapture(); }
bool Win32ControlWindow::HasCapture() const { return GetCapture() == hwnd_() && hwnd_(); }
void Win32ControlWindow::SetFocus() {
    if (HWND h = hwnd_()) ::SetFocus(h);
}
bool Win32ControlWindow::HasFocus() const { return GetFocus() == hwnd_() && hwnd_(); }

platform::Point Win32ControlWindow::CursorPosition() const {
    POINT p{};
    GetCursorPos(&p);
    if (HWND h = hwnd_()) ScreenToClient(h, &p);
    return {p.x, p.y};
}

void Win32ControlWindow::PostMouseMove(unsigned flags, platform::Point p) {
    if (HWND h = hwnd_()) PostMessageA(h, WM_MOUSEMOVE, flags, MAKELPARAM(p.x, p.y));
}

void Win32ControlWindow::NotifyParent(unsigned code) {
    HWND h = hwnd_();
    if (!h) return;
    if (HWND parent = GetParent(h))
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), code), reinterpret_cast<LPARAM>(h));
}

}  // namespace vexa::win32
