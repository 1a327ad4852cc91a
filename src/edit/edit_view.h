#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "common/script_fonts.h"
#include "edit/edit_buffer.h"
#include "edit/edit_bytes.h"
#include "edit/edit_keys.h"
#include "edit/edit_style.h"
#include "edit/line_checkpoints.h"
#include "platform/control_window.h"
#include "platform/graphics.h"
#include "script/converter_library.h"

namespace vexa::edit {

// The selection: the bytes [Begin(), End()), both offsets 0 for none; the
// anchor is where it started, the extent follows the caret. The anchor's
// line and pixel position are kept so that it can be painted.
struct Selection {
    std::size_t anchor = 0;
    std::size_t extent = 0;
    int anchorLine = 0;
    int anchorX = 0;
    int anchorY = 0;
    // The mouse is extending it (the button is held).
    bool dragging = false;

    bool Any() const { return anchor != extent; }
    std::size_t Begin() const { return std::min(anchor, extent); }
    std::size_t End() const { return std::max(anchor, extent); }
};

// The pixel side of the caret, saved and restored with a keystroke that a
// full line takes back.
struct CaretPixels {
    int x = 0;
    int y = 0;
    int lineWidth = 0;   // the measured width of the caret's line
    int wordStartX = 0;  // where the word at the caret begins
};

// How the edit control's text looks: fonts and measurement, line wrapping,
// the rectangle, the caret's pixels, both scroll positions, painting and the
// selection's highlight. It reads and re-wraps the buffer; it never edits
// what the user typed.
class EditView {
public:
    EditView(platform::ControlWindow& window, platform::Fonts& fonts,
             script::ConverterLibrary& converter, const EditStyle& style,
             common::DrawingScript& script, EditBuffer& buffer);

    // --- settings
    void SetColours(platform::Colour fore, platform::Colour back) {
        fore_ = fore;
        back_ = back;
    }
    void SetWordWrap(bool wrap) { wordWrap_ = wrap; }
    bool WrapsLines() const { return wordWrap_; }
    // Back to a fresh view for a new text: no selection, no scroll, the
    // caret's pixels at the origin. A new layout also forgets the visible
    // lines and lets the caret follow again.
    void Reset(bool newLayout);

    // --- layout
    // Font descriptions and width tables, page lines, visible lines.
    void RebuildFonts();
    void BuildWidthTables();
    // The size-dependent step: text rectangle, page lines.
    void Layout();
    bool LayoutReady() const { return layoutReady_; }
    void UpdatePageLines();
    void UpdateVisibleLines();
    const common::ScriptFonts& Metrics() const { return metrics_; }
    int LineHeight() const { return metrics_.LineHeight(); }
    // The text rectangle (the client area when it was last laid out).
    const platform::Rect& TextArea() const { return textRect_; }
    int TextWidth() const { return textWidth_; }
    int PageLines() const { return pageLines_; }
    int VisibleLines() const { return visibleLines_; }

    // --- measurement
    // The width of ISCII text on a line (converted to font code first).
    int MeasureText(std::string_view iscii) const;
    std::string FontCode(std::string_view iscii) const;
    // Pixel x (with the horizontal scroll) of a byte offset on its line.
    int XOfOffset(std::size_t offset) const;
    int MeasureCaretLine() const;
    // Length of the first syllable of `bytes` (at least 1; 0 for none).
    std::size_t SyllableLength(std::string_view bytes) const;
    // The byte offset on the caret's line nearest `point.x`; the point's x
    // becomes that offset's x.
    std::size_t IndexAtPoint(platform::Point& point) const;
    // The caret line goes to the row under `y`; the row's y is returned.
    int LineAtPoint(int y);

    // --- wrapping
    // Breaks lines at spaces and tabs from the caret's line on so that each
    // fits the width; the number of new breaks.
    int Rewrap();
    // Every soft break undone, then the whole text wrapped for the width.
    void RewrapToWidth();
    // Line counts after an edit: visible lines and the vertical range; the
    // caret's row is returned.
    platform::Rect Recount();
    void SetWidestLine(int width) { widestLine_ = width; }
    int WidestLine() const { return widestLine_; }
    int RewrapWidest() const { return rewrapWidest_; }

    // --- caret pixels
    int CaretX() const { return caret_.x; }
    int CaretY() const { return caret_.y; }
    void SetCaretX(int x) { caret_.x = x; }
    void SetCaretY(int y) { caret_.y = y; }
    // The caret's y from its line and the top line.
    void CaretRowFromLine();
    int CaretLineWidth() const { return caret_.lineWidth; }
    void SetCaretLineWidth(int width) { caret_.lineWidth = width; }
    void MeasureCaretLineWidth() { caret_.lineWidth = MeasureCaretLine(); }
    int WordStartX() const { return caret_.wordStartX; }
    void SetWordStartX(int x) { caret_.wordStartX = x; }
    const CaretPixels& Caret() const { return caret_; }
    void RestoreCaret(const CaretPixels& saved) { caret_ = saved; }
    // Shows the caret at (x, y), scrolling sideways to it when it follows.
    void PlaceCaret(int x, int y);
    void PlaceCaret() { PlaceCaret(caret_.x, caret_.y); }
    // The caret follows the key and mouse; a scroll bar that takes it out
    // of view stops that until the next click.
    void SetCaretFollows(bool follows) { caretFollow_ = follows; }
    void CreateCaretShape();
    void OnSetFocus();
    void OnKillFocus();

    // --- scrolling
    int HScroll() const { return hScroll_; }
    // Counts every scroll of the view, to tell whether an action scrolled.
    int ScrollCount() const { return scrollCount_; }
    void SetTopLine(int line, bool moveAnchor);
    // Scrolls sideways so that the horizontal scroll is `x` (never > 0).
    void ScrollTo(int x, bool moveCaret, bool repaint);
    void ScrollOneLineDown();
    // The caller moves the caret's row.
    void ScrollOneLineUp();
    void EnsureCaretLineVisible();
    // Caret row and pixel position measured again, the view scrolled to it.
    void KeepCaretInView();
    void SetBarRange(platform::ScrollBar bar, int maximum);
    void SetBarPos(platform::ScrollBar bar, int position);
    void OnVScroll(int code, int position);
    void OnHScroll(int code, int position);

    // --- selection
    Selection& Sel() { return sel_; }
    const Selection& Sel() const { return sel_; }
    // The anchor's line and pixels measured again.
    void PlaceAnchor();
    // No selection any more; its rows are repainted.
    void ClearSelection();

    // --- painting
    void InvalidateText();
    void InvalidateRow(int row);
    void RepaintFromCaretLine();
    void OnPaint();
    void DrawInto(platform::Surface& surface);
    void InvertSelection(int x1, int y1, int x2, int y2, platform::Surface* surface = nullptr);
    // Draws the word that starts at `wordStart` on the caret's row at once.
    void RedrawWord(std::size_t wordStart, bool withCaretMark = true);

private:
    // The width of the bytes in front of `offset` on its line, measured from
    // the last checkpoint of the line in front of it when there is one.
    int WidthBefore(std::size_t offset) const;
    // Measures from a checkpoint to `offset` word by word, leaving new
    // checkpoints on the way.
    int MeasureFrom(LineCheckpoints::Point from, std::size_t offset) const;
    // Drops what the text's changes (or other fonts) made stale.
    void SyncCheckpoints() const;
    // The end of the line that starts at `start`, scanning only what the
    // checkpoints do not already know to hold no line end.
    std::size_t LineStopFrom(std::size_t start) const;
    void PaintInto(platform::Surface& surface, bool withCaret);
    // Draws a line's bytes (or its bytes from a checkpoint of width `x`) on
    // the row at `y`.
    void DrawLine(platform::Surface& surface, std::string_view line, int x, int y);
    int RowsFit() const;

    platform::ControlWindow& window_;
    platform::Fonts& fonts_;
    script::ConverterLibrary& converter_;
    const EditStyle& style_;
    common::DrawingScript& script_;
    EditBuffer& buffer_;
    mutable common::ScriptFonts metrics_;
    mutable LineCheckpoints checkpoints_;
    mutable bool checkpointsEnglish_ = false;
    platform::Colour fore_ = 0x000000;
    platform::Colour back_ = 0xFFFFFF;

    platform::Rect textRect_;
    int textWidth_ = 0;
    int textHeight_ = 0;
    int pageLines_ = 1;
    int visibleLines_ = 0;
    bool layoutReady_ = false;
    bool wordWrap_ = false;

    // Pixel positions are signed: they are tested for going negative.
    CaretPixels caret_;
    int hScroll_ = 0;
    int widestLine_ = 0;
    // The widest line the last Rewrap laid out.
    int rewrapWidest_ = 0;
    int scrollCount_ = 0;
    bool caretFollow_ = true;
    Selection sel_;
};

}  // namespace vexa::edit
