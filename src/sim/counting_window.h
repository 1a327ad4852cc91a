#pragma once

#include <cstddef>
#include <memory>

#include "platform/control_window.h"
#include "platform/graphics.h"

namespace vexa::sim {

// What the control asked of its window and of the surfaces it drew on. On
// Windows each of these is a call into USER32 or GDI, and under Wine most of
// them end in requests to the X server, so their number per action is the
// control's cost on the screen side.
struct SeamCounts {
    std::size_t windowCalls = 0;    // every call on the window
    std::size_t invalidations = 0;  // Invalidate and InvalidateAll
    std::size_t scrollBarCalls = 0; // ranges, positions, showing
    std::size_t caretCalls = 0;     // create, destroy, move, show, hide
    std::size_t surfaces = 0;       // display and paint contexts taken
    std::size_t surfaceCalls = 0;   // every call on those surfaces
    std::size_t textOuts = 0;
    std::size_t codesDrawn = 0;     // glyph codes handed to TextOut
    std::size_t fills = 0;

    // The window and surface calls together.
    std::size_t Calls() const { return windowCalls + surfaceCalls; }
};

// A control window that counts every call and forwards it to another one
// (usually a SimWindow), with the surfaces it hands out counted the same way.
class CountingWindow : public platform::ControlWindow {
public:
    explicit CountingWindow(platform::ControlWindow& inner) : inner_(inner) {}

    const SeamCounts& Counts() const { return counts_; }
    void Reset() { counts_ = {}; }

    bool Exists() const override { return inner_.Exists(); }
    platform::Rect ClientRect() const override { return inner_.ClientRect(); }
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
    int VerticalScrollBarWidth() const override { return inner_.VerticalScrollBarWidth(); }
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override;
    void SetFocus() override;
    bool HasFocus() const override;
    bool LeftButtonDown() const override;
    platform::Point CursorPosition() const override;
    void PostMouseMove(unsigned flags, platform::Point p) override;
    void NotifyParent(unsigned code) override;

private:
    std::unique_ptr<platform::Surface> Wrap(std::unique_ptr<platform::Surface> surface);

    platform::ControlWindow& inner_;
    // Counted from const members too (queries cost a call as well).
    mutable SeamCounts counts_;
};

}  // namespace vexa::sim
