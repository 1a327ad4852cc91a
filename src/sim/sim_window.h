#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/control_window.h"
#include "sim/sim_fonts.h"

namespace vexa::sim {

// What the window shows: the glyphs drawn on it (each code at its position,
// with the face it was drawn in) and which pixels are inverted. Painting the
// background over a place removes the glyphs whose origin lies there and
// clears the inversion; opaque text replaces the glyphs under its cells, as
// real pixels would be overwritten. Transparent text overprints.
class SimScreen {
public:
    struct Text {
        int x = 0;
        int y = 0;
        std::string face;  // empty: the context's own font
        std::string codes;  // one glyph code
        platform::Colour colour = 0;
        platform::Colour back = 0;
        bool transparent = false;
    };

    explicit SimScreen(platform::Rect client) { Resize(client); }
    void Resize(platform::Rect client);

    void Fill(const platform::Rect& rect, platform::Colour colour);
    // Draws `codes` from (x, y), advancing by `widths`.
    void Draw(const Text& style, std::string_view codes, const platform::CharWidthTable& widths,
              const platform::Rect& clip);
    void Invert(std::span<const platform::Point> corners, const platform::Rect& clip);
    void Scroll(int dx, int dy, const platform::Rect& clip);

    bool Inverted(int x, int y) const;
    int InvertedCount() const;
    // Inverted pixels of one row band [top, top + height), counted per column
    // range: the first and one past the last inverted x (0, 0 when none).
    std::pair<int, int> InvertedSpan(int y) const;

    const std::vector<Text>& Glyphs() const { return texts_; }
    // The glyphs whose top is `y`, left to right.
    std::vector<Text> GlyphsOnRow(int y) const;
    // The glyph codes drawn on row `y`, concatenated left to right.
    std::string RowCodes(int y) const;
    int Fills() const { return fills_; }
    platform::Colour BackgroundAt(int x, int y) const;

private:
    platform::Rect client_;
    std::vector<Text> texts_;
    std::vector<unsigned char> inverted_;
    struct FillRecord {
        platform::Rect rect;
        platform::Colour colour;
    };
    std::vector<FillRecord> fillsDone_;
    int fills_ = 0;
};

// A surface drawing on a SimScreen, with the font widths of SimFonts.
class SimSurface : public platform::Surface {
public:
    SimSurface(SimScreen& screen, const SimFonts& fonts, int dpi, platform::Rect clip)
        : screen_(screen), fonts_(fonts), dpi_(dpi), clip_(clip) {}

    int LogPixelsY() const override { return dpi_; }
    platform::Rect ClipBox() const override { return clip_; }
    void SelectFont(const platform::Font* font) override;
    platform::CharWidthTable CharWidths() override;
    int CharWidth(unsigned char code) override { return CharWidths()[code]; }
    void SetTextColour(platform::Colour colour) override { text_ = colour; }
    void SetBackColour(platform::Colour colour) override { back_ = colour; }
    void SetTransparent(bool transparent) override { transparent_ = transparent; }
    void Fill(const platform::Rect& rect, platform::Colour colour) override;
    void TextOut(int x, int y, std::string_view codes) override;
    void InvertPolygon(std::span<const platform::Point> corners) override;

private:
    SimScreen& screen_;
    const SimFonts& fonts_;
    int dpi_;
    platform::Rect clip_;
    std::string face_;
    int height_ = 0;
    bool hasFont_ = false;
    platform::Colour text_ = 0;
    platform::Colour back_ = 0xFFFFFF;
    bool transparent_ = false;
};

// An in-memory control window. Paint requests are kept as an invalid area
// and run by Update() (or RunPendingPaint(), standing in for the message
// loop) through the paint handler the test installs.
class SimWindow : public platform::ControlWindow {
public:
    explicit SimWindow(SimFonts& fonts, platform::Rect client = {0, 0, 300, 100});

    // --- platform::ControlWindow
    bool Exists() const override { return exists_; }
    platform::Rect ClientRect() const override { return client_; }
    void Invalidate(const platform::Rect& rect, bool erase) override;
    void InvalidateAll(bool erase) override { Invalidate(client_, erase); }
    void Update() override { RunPendingPaint(); }
    void ScrollContents(int dx, int dy, const platform::Rect& clip) override;
    std::unique_ptr<platform::Surface> GetSurface() override;
    std::unique_ptr<platform::Surface> BeginPaint() override;
    void CreateCaret(int width, int height) override;
    void DestroyCaret() override;
    void SetCaretPosition(platform::Point p) override { caret_.position = p; }
    void ShowCaret() override;
    void HideCaret() override;
    void SetScrollRange(platform::ScrollBar bar, int minimum, int maximum) override;
    void SetScrollPosition(platform::ScrollBar bar, int position) override;
    int ScrollPosition(platform::ScrollBar bar) const override { return Bar(bar).position; }
    void ShowScrollBar(platform::ScrollBar bar, bool show) override {
        MutableBar(bar).shown = show;
    }
    int VerticalScrollBarWidth() const override { return 17; }
    void SetCapture() override { capture_ = true; }
    void ReleaseCapture() override { capture_ = false; }
    bool HasCapture() const override { return capture_; }
    void SetFocus() override { focus_ = true; }
    bool HasFocus() const override { return focus_; }
    bool LeftButtonDown() const override { return leftDown_; }
    platform::Point CursorPosition() const override { return cursor_; }
    void PostMouseMove(unsigned flags, platform::Point p) override;
    void NotifyParent(unsigned /*code*/) override {}

    // --- test side
    struct Caret {
        bool exists = false;
        int width = 0;
        int height = 0;
        platform::Point position;
        int hideCount = 0;  // shown when exists and hideCount is 0
        bool Visible() const { return exists && hideCount == 0; }
    };
    struct BarState {
        int minimum = 0;
        int maximum = 0;
        int position = 0;
        bool shown = false;
        int rangeSets = 0;
    };
    struct PostedMove {
        unsigned flags;
        platform::Point point;
    };

    void SetExists(bool exists) { exists_ = exists; }
    void Resize(platform::Rect client);
    void SetPaintHandler(std::function<void()> handler) { paint_ = std::move(handler); }
    // Runs the paint handler once when part of the window is invalid.
    void RunPendingPaint();
    void SetFocusState(bool focus) { focus_ = focus; }
    void SetLeftButton(bool down) { leftDown_ = down; }
    void SetCursor(platform::Point p) { cursor_ = p; }
    // The display resolution the window's surfaces report (96 unless set).
    void SetDpi(int dpi) { dpi_ = dpi; }

    const Caret& CaretState() const { return caret_; }
    const BarState& Bar(platform::ScrollBar bar) const {
        return bar == platform::ScrollBar::Vertical ? vertical_ : horizontal_;
    }
    std::deque<PostedMove>& Posted() { return posted_; }
    SimScreen& Screen() { return screen_; }
    int Paints() const { return paints_; }
    int Scrolls() const { return scrolls_; }

private:
    BarState& MutableBar(platform::ScrollBar bar) {
        return bar == platform::ScrollBar::Vertical ? vertical_ : horizontal_;
    }

    SimFonts& fonts_;
    platform::Rect client_;
    SimScreen screen_;
    bool exists_ = true;
    platform::Rect invalid_;
    bool erasePending_ = false;
    std::function<void()> paint_;
    Caret caret_;
    BarState horizontal_;
    BarState vertical_;
    bool capture_ = false;
    bool focus_ = false;
    bool leftDown_ = false;
    platform::Point cursor_;
    int dpi_ = 96;
    std::deque<PostedMove> posted_;
    int paints_ = 0;
    int scrolls_ = 0;
};

}  // namespace vexa::sim
