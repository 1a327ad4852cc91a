#pragma once

#include <windows.h>
// The seam's Surface::TextOut is not the Win32 macro.
#undef TextOut

#include <functional>

#include "platform/control_window.h"
#include "platform/graphics.h"

namespace vexa::win32 {

// A GDI font made from its description.
class Win32Font : public platform::Font {
public:
    Win32Font(const platform::FontDescription& d, HFONT font) : description_(d), font_(font) {}
    ~Win32Font() override {
        if (font_) DeleteObject(font_);
    }
    const platform::FontDescription& Description() const override { return description_; }
    HFONT Handle() const { return font_; }

private:
    platform::FontDescription description_;
    HFONT font_;
};

class Win32Fonts : public platform::Fonts {
public:
    std::unique_ptr<platform::Font> Create(const platform::FontDescription& d) override;
};

// A device context: released when destroyed (ReleaseDC, EndPaint, or
// nothing for a context the container lent).
class Win32Surface : public platform::Surface {
public:
    Win32Surface(HDC dc, std::function<void(HDC)> release);
    ~Win32Surface() override;

    int LogPixelsY() const override { return GetDeviceCaps(dc_, LOGPIXELSY); }
    platform::Rect ClipBox() const override {
        RECT r{};
        GetClipBox(dc_, &r);
        return {r.left, r.top, r.right, r.bottom};
    }
    void SelectFont(const platform::Font* font) override;
    platform::CharWidthTable CharWidths() override;
    int CharWidth(unsigned char code) override;
    void SetTextColour(platform::Colour c) override { SetTextColor(dc_, c); }
    void SetBackColour(platform::Colour c) override { SetBkColor(dc_, c); }
    void SetTransparent(bool t) override { SetBkMode(dc_, t ? TRANSPARENT : OPAQUE); }
    void Fill(const platform::Rect& rect, platform::Colour colour) override;
    void TextOut(int x, int y, std::string_view codes) override;
    void InvertPolygon(std::span<const platform::Point> corners) override;

private:
    HDC dc_;
    HGDIOBJ originalFont_;
    std::function<void(HDC)> release_;
};

// The control's window for the edit engine; the handle is asked for at each
// call, since the window comes and goes with in-place activation.
class Win32ControlWindow : public platform::ControlWindow {
public:
    // `windowlessSize` is the client size a control without a window lays
    // its text out in (its extent), in pixels.
    explicit Win32ControlWindow(std::function<HWND()> hwnd,
                                std::function<SIZE()> windowlessSize = {})
        : hwnd_(std::move(hwnd)), windowlessSize_(std::move(windowlessSize)) {}

    bool Exists() const override;
    // Without a window the control measures in a memory context.
    bool CanMeasure() const override { return true; }
    platform::Rect ClientRect() const override;
    void Invalidate(const platform::Rect& rect, bool erase) override;
    void InvalidateAll(bool erase) override;
    void Update() override;
    void ScrollContents(int dx, int dy, const platform::Rect& clip) override;
    std::unique_ptr<platform::Surface> GetSurface() override;
    std::unique_ptr<platform::Surface> BeginPaint() override;
    void CreateCaret(int width, int height) override;
    void DestroyCaret() override;
    void SetCaretPosition(platform::Point p) override;
    void ShowCaret() override;
    void HideCaret() override;
    void SetScrollRange(platform::ScrollBar bar, int minimum, int maximum) override;
    void SetScrollPosition(platform::ScrollBar bar, int position) override;
    int ScrollPosition(platform::ScrollBar bar) const override;
    void ShowScrollBar(platform::ScrollBar bar, bool show) override;
    int VerticalScrollBarWidth() const override { return GetSystemMetrics(SM_CXVSCROLL); }
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override;
    void SetFocus() override;
    bool HasFocus() const override;
    bool LeftButtonDown() const override { return GetKeyState(VK_LBUTTON) < 0; }
    platform::Point CursorPosition() const override;
    void PostMouseMove(unsigned flags, platform::Point p) override;
    void NotifyParent(unsigned code) override;

private:
    std::function<HWND()> hwnd_;
    std::function<SIZE()> windowlessSize_;
};

}  // namespace vexa::win32
