// The view's painting: invalidation, full repaint, drawing into a
// container's context, the quick redraw of the typed word, and the
// selection highlight.
#include <algorithm>
#include <array>

#include "common/run_painter.h"
#include "edit/edit_view.h"
#include "script/font_code.h"

namespace vexa::edit {

void EditView::InvalidateText() { window_.Invalidate(textRect_, true); }

void EditView::InvalidateRow(int row) {
    const int h = metrics_.LineHeight();
    window_.Invalidate({textRect_.left, row * h, textRect_.right, (row + 1) * h}, true);
}

void EditView::RepaintFromCaretLine() {
    platform::Rect r = textRect_;
    r.top = std::max(textRect_.top, caret_.y);
    window_.Invalidate(r, true);
}

void EditView::OnPaint() {
    buffer_.Flush();
    const int h = metrics_.LineHeight();
    if (buffer_.LastLine() != 0) {
        if (!layoutReady_) Layout();
        const platform::Rect client = window_.ClientRect();
        if (h > 0 && client.bottom % h != 0) {
            window_.Invalidate({client.left, client.bottom - client.bottom % h, client.right,
                                client.bottom},
                               true);
        }
    } else if (!layoutReady_) {
        Layout();
    }
    auto surface = window_.BeginPaint();
    PaintInto(*surface, true);
}

void EditView::DrawInto(platform::Surface& surface) {
    buffer_.Flush();
    PaintInto(surface, false);
}

void EditView::PaintInto(platform::Surface& surface, bool withCaret) {
    const EditBuffer& b = buffer_;
    const int h = metrics_.LineHeight();
    surface.SetBackColour(back_);
    surface.SetTextColour(fore_);

    const std::string& text = b.Text();
    std::size_t start = std::min(b.TopLineOffset(), text.size());
    std::size_t stop = LineStopFrom(start);
    if (stop == text.size() && stop == start) {
        // Nothing to show on the first row and nothing after it.
        surface.Fill(window_.ClientRect(), back_);
        return;
    }
    const bool focus = withCaret && window_.HasFocus();
    if (focus) window_.HideCaret();

    // Rows past the client area are never visible; the bound is signed so a
    // scrolled view never makes it wrap.
    const int rowsAfterTop = std::max(0, pageLines_ - b.TopLine() + 1);
    const int bound = std::min(std::max(visibleLines_, rowsAfterTop), RowsFit() + 1);
    // Rows outside the area being painted would change no pixel.
    const platform::Rect clip = surface.ClipBox();
    for (int r = 0; r <= bound; ++r) {
        const bool shown = (r + 1) * h > clip.top && r * h < clip.bottom;
        if (shown) surface.Fill({0, r * h, textWidth_ + 2, (r + 1) * h}, back_);
        if (r > visibleLines_ || r >= pageLines_) continue;
        if (shown) {
            const std::size_t caret = b.CaretIndex();
            // A line scrolled to the left starts at its last checkpoint in
            // front of the window's edge (less a line height for glyphs
            // that overhang), unless the caret mark is in the part left out.
            LineCheckpoints::Point from{start, 0};
            if (hScroll_ < 0 && !style_.password && start == checkpoints_.LineStart()) {
                const LineCheckpoints::Point p = checkpoints_.BeforeWidth(-hScroll_ - h);
                if (p.offset <= stop && !(caret >= start && caret < p.offset)) from = p;
            }
            std::string line = text.substr(from.offset, stop - from.offset);
            // The caret mark shows the converter where the caret stands;
            // English text meets no converter, and the mark would be
            // measured as a glyph there.
            if (!script_.englishScript && caret >= from.offset && caret <= stop) {
                line.insert(caret - from.offset, 1, static_cast<char>(kCaretMark));
            }
            DrawLine(surface, line, from.width, r * h);
        }
        if (stop >= text.size()) {
            start = stop = text.size();
        } else {
            start = stop + 1;
            stop = LineStopFrom(start);
        }
    }
    for (int r = bound + 1; r <= RowsFit() + 1; ++r) {
        surface.Fill({0, r * h, textWidth_, (r + 1) * h}, back_);
    }
    // Equal offsets select nothing, whatever position they were left at.
    if (sel_.Any() || sel_.dragging) {
        InvertSelection(sel_.anchorX, sel_.anchorY, caret_.x, caret_.y, &surface);
    }
    surface.SelectFont(nullptr);
    if (focus) window_.ShowCaret();
}

void EditView::DrawLine(platform::Surface& surface, std::string_view line, int x, int y) {
    int xk = x;
    std::size_t p = 0;
    while (true) {
        const std::size_t tab = line.find(static_cast<char>(kTab), p);
        const std::string_view piece = line.substr(p, tab == std::string_view::npos ? line.npos : tab - p);
        std::string run;
        if (style_.password) {
            run += static_cast<char>(script::kEnglishFontSwitch);
            run.append(buffer_.Size(), '*');
        } else {
            std::string bytes(piece);
            run = FontCode(bytes);
        }
        common::DrawFontCodeRun(surface, metrics_, script_.scriptName, run, hScroll_ + xk, y, true);
        if (tab == std::string_view::npos) break;
        xk = (xk + metrics_.MeasureRun(run) + kTabStop) / kTabStop * kTabStop;
        p = tab + 1;
    }
}

void EditView::InvertSelection(int x1, int y1, int x2, int y2, platform::Surface* surface) {
    if (y2 < y1 || (y1 == y2 && x2 < x1)) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const int h = metrics_.LineHeight();
    const int limit = (std::max(1, pageLines_) - 1) * h;
    if (y1 > limit) return;
    if (y2 > limit) {
        y2 = limit;
        x2 = textWidth_;
    }
    const int w = textWidth_;
    std::array<platform::Point, 8> corners{};
    std::size_t n = 0;
    if (y1 == y2) {
        if (x1 == x2) return;
        corners = {{{x1, y1}, {x2, y1}, {x2, y1 + h}, {x1, y1 + h}}};
        n = 4;
    } else if (x1 <= w) {
        corners = {{{x1, y1}, {w, y1}, {w, y2}, {x2, y2}, {x2, y2 + h}, {0, y2 + h}, {0, y1 + h},
                    {x1, y1 + h}}};
        n = 8;
    } else {
        corners = {{{0, y2}, {x2, y2}, {x2, y2 + h}, {0, y2 + h}}};
        n = 4;
    }
    std::unique_ptr<platform::Surface> own;
    if (surface == nullptr) {
        own = window_.GetSurface();
        surface = own.get();
    }
    surface->InvertPolygon(std::span<const platform::Point>(corners.data(), n));
}

void EditView::RedrawWord(std::size_t wordStart, bool withCaretMark) {
    buffer_.Flush();
    if (style_.password) {
        window_.InvalidateAll(true);
        window_.Update();
        return;
    }
    const EditBuffer& b = buffer_;
    const std::size_t start = std::min(wordStart, b.Size());
    const std::size_t caret = b.CaretIndex();
    const std::size_t stop = b.LineStop(start);
    std::string bytes = b.Text().substr(start, stop - start);
    if (withCaretMark && !script_.englishScript && caret >= start && caret <= stop) {
        bytes.insert(caret - start, 1, static_cast<char>(kCaretMark));
    }
    const std::string run = FontCode(bytes);
    auto surface = window_.GetSurface();
    window_.HideCaret();
    surface->SetBackColour(back_);
    surface->SetTextColour(fore_);
    const int h = metrics_.LineHeight();
    const int x = caret_.x, y = caret_.y;
    if (caret > 0 && caret <= b.Size() && b.At(caret - 1) == kSpace) {
        const int space = MeasureText(" ");
        const platform::Rect r{std::max(0, x - space), y, std::max(0, x - space) + x, y + h};
        surface->Fill(r, back_);
        window_.Invalidate(r, true);
    }
    const int end = caret_.wordStartX + metrics_.MeasureRun(run);
    surface->Fill({end, y, end + textWidth_, y + h}, back_);
    common::DrawFontCodeRun(*surface, metrics_, script_.scriptName, run, caret_.wordStartX, y, false);
    surface->SelectFont(nullptr);
    window_.ShowCaret();
}

}  // namespace vexa::edit
