#pragma once

#include <memory>

#include "platform/geometry.h"
#include "platform/graphics.h"

namespace vexa::platform {

enum class ScrollBar { Horizontal, Vertical };

// The window of one control, as its behaviour code sees it. Implemented with
// the window's HWND on Windows and in memory for tests.
class ControlWindow {
public:
    virtual ~ControlWindow() = default;

    virtual bool Exists() const = 0;
    // Whether fonts can be made and measured now. A control without a window
    // (made by a script host) still measures its text where the platform
    // gives a context for it, so it answers as a placed control does.
    virtual bool CanMeasure() const { return Exists(); }
    virtual Rect ClientRect() const = 0;

    // Marks a part of the client area for repainting (InvalidateRect).
    virtual void Invalidate(const Rect& rect, bool erase) = 0;
    virtual void InvalidateAll(bool erase) = 0;
    // Runs any pending paint now (UpdateWindow).
    virtual void Update() = 0;
    // Moves the pixels of `clip` by (dx, dy); uncovered parts are invalidated
    // (ScrollWindow).
    virtual void ScrollContents(int dx, int dy, const Rect& clip) = 0;

    // A display context of the window (GetDC), released when destroyed.
    virtual std::unique_ptr<Surface> GetSurface() = 0;
    // The paint context of a paint message (BeginPaint/EndPaint).
    virtual std::unique_ptr<Surface> BeginPaint() = 0;

    // The system caret of the window.
    virtual void CreateCaret(int width, int height) = 0;
    virtual void DestroyCaret() = 0;
    virtual void SetCaretPosition(Point p) = 0;
    virtual void ShowCaret() = 0;
    virtual void HideCaret() = 0;

    virtual void SetScrollRange(ScrollBar bar, int minimum, int maximum) = 0;
    virtual void SetScrollPosition(ScrollBar bar, int position) = 0;
    virtual int ScrollPosition(ScrollBar bar) const = 0;
    virtual void ShowScrollBar(ScrollBar bar, bool show) = 0;
    // Width of the system's vertical scroll bar (SM_CXVSCROLL).
    virtual int VerticalScrollBarWidth() const = 0;

    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    virtual void SetFocus() = 0;
    virtual bool HasFocus() const = 0;
    // Whether the left mouse button is down now (GetKeyState of VK_LBUTTON).
    virtual bool LeftButtonDown() const = 0;
    // The mouse cursor in client coordinates.
    virtual Point CursorPosition() const = 0;

    // Posts a mouse-move message (flags as in WM_MOUSEMOVE) to the window
    // itself; it arrives after the current message.
    virtual void PostMouseMove(unsigned flags, Point p) = 0;
    // Sends the parent a WM_COMMAND with the given notification code.
    virtual void NotifyParent(unsigned code) = 0;
};

}  // namespace vexa::platform
