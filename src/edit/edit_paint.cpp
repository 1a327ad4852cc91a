// Painting: full repaint, drawing into a container's context, the quick
// redraw of the typed word, and the selection highlight.
#include <algorithm>
#include <array>

#include "common/run_painter.h"
#include "edit/edit_engine.h"
#include "script/font_code.h"

namespace vexa::edit {

void EditEngine::OnPaint() {
    Flush();
    const int h = metrics_.LineHeight();
    if (buffer_.lastLine != 0) {
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

void EditEngine::DrawInto(platform::Surface& surface, const platform::Rect& /*bounds*/) {
    Flush();
    PaintInto(surface, false);
}

void EditEngine::PaintInto(platform::Surface& surface, bool withCaret) {
    const EditBuffer& b = buffer_;
    const int h = metrics_.LineHeight();
    surface.SetBackColour(back_);
    surface.SetTextColour(fore_);

    const std::string& text = b.Text();
    std::size_t start = std::min(b.topLineOffset, text.size());
    std::size_t stop = b.LineStop(start);
    if (stop == text.size() && stop == start) {
        // Nothing to show on the first row and nothing after it.
        surface.Fill(window_.ClientRect(), back_);
        return;
    }
    const bool focus = withCaret && window_.HasFocus();
    if (focus) window_.HideCaret();

    // Rows past the client area are never visible; the bound is signed so a
    // scrolled view never makes it wrap.
    const int bound = std::min(std::max(visibleLines_, std::max(0, pageLines_ - b.topLine + 1)),
                               RowsFit() + 1);
    // Rows outside the area being painted would change no pixel.
    const platform::Rect clip = surface.ClipBox();
    for (int r = 0; r <= bound; ++r) {
        const bool shown = (r + 1) * h > clip.top && r * h < clip.bottom;
        if (shown) surface.Fill({0, r * h, textWidth_ + 2, (r + 1) * h}, back_);
        if (r > visibleLines_ || r >= pageLines_) continue;
        if (shown) {
            std::string line = text.substr(start, stop - start);
            // The caret mark shows the converter where the caret stands;
            // English text meets no converter, and the mark would be
            // measured as a glyph there.
            if (!script_.englishScript && b.caretIndex >= start && b.caretIndex <= stop) {
                line.insert(b.caretIndex - start, 1, static_cast<char>(kCaretMark));
            }
            DrawLine(surface, line, r * h);
        }
        if (stop >= text.size()) {
            start = stop = text.size();
        } else {
            start = stop + 1;
            stop = b.LineStop(start);
        }
    }
    for (int r = bound + 1; r <= RowsFit() + 1; ++r) {
        surface.Fill({0, r * h, textWidth_, (r + 1) * h}, back_);
    }
    // Equal offsets select nothing, whatever position they were left at.
    if (HasSelection() || dragging_) {
        InvertSelection(selAnchorX_, selAnchorY_, b.caretX, b.caretY, &surface);
    }
    surface.SelectFont(nullptr);
    if (focus) window_.ShowCaret();
}

void EditEngine::DrawLine(platform::Surface& surface, std::string_view line, int y) {
    int xk = 0;
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
        common::DrawFontCodeRun(surface, metrics_, script_.scriptName, run, buffer_.hScroll + xk, y, true);
        if (tab == std::string_view::npos) break;
        xk = (xk + metrics_.MeasureRun(run) + kTabStop) / kTabStop * kTabStop;
        p = tab + 1;
    }
}

void EditEngine::InvertSelection(int x1, int y1, int x2, int y2, platform::Surface* surface) {
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

void EditEngine::RedrawWord(bool withCaretMark) {
    Flush();
    if (style_.password) {
        window_.InvalidateAll(true);
        window_.Update();
        return;
    }
    const EditBuffer& b = buffer_;
    const std::size_t start = std::min(b.wordStart, b.Size());
    const std::size_t stop = b.LineStop(start);
    std::string bytes = b.Text().substr(start, stop - start);
    if (withCaretMark && !script_.englishScript && b.caretIndex >= start && b.caretIndex <= stop) {
        bytes.insert(b.caretIndex - start, 1, static_cast<char>(kCaretMark));
    }
    const std::string run = FontCode(bytes);
    auto surface = window_.GetSurface();
    window_.HideCaret();
    surface->SetBackColour(back_);
    surface->SetTextColour(fore_);
    const int h = metrics_.LineHeight();
    if (b.caretIndex > 0 && b.caretIndex <= b.Size() && b.At(b.caretIndex - 1) == kSpace) {
        const int space = MeasureText(" ");
        const platform::Rect r{std::max(0, b.caretX - space), b.caretY,
                               std::max(0, b.caretX - space) + b.caretX, b.caretY + h};
        surface->Fill(r, back_);
        window_.Invalidate(r, true);
    }
    const int end = b.wordStartX + metrics_.MeasureRun(run);
    surface->Fill({end, b.caretY, end + textWidth_, b.caretY + h}, back_);
    common::DrawFontCodeRun(*surface, metrics_, script_.scriptName, run, b.wordStartX, b.caretY, false);
    surface->SelectFont(nullptr);
    window_.ShowCaret();
}

}  // namespace vexa::edit
