#include "sim/sim_window.h"

#include <algorithm>

namespace vexa::sim {

namespace {

platform::Rect Union(const platform::Rect& a, const platform::Rect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

platform::Rect Intersect(const platform::Rect& a, const platform::Rect& b) {
    platform::Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                     std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? platform::Rect{} : r;
}

// Winding number of the polygon around the pixel centre (px + .5, py + .5),
// in doubled coordinates so everything stays integral.
int Winding(std::span<const platform::Point> poly, int px, int py) {
    const long cx = 2L * px + 1;
    const long cy = 2L * py + 1;
    int winding = 0;
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const platform::Point a = poly[i];
        const platform::Point b = poly[(i + 1) % poly.size()];
        const long ax = 2L * a.x, ay = 2L * a.y, bx = 2L * b.x, by = 2L * b.y;
        const long side = (bx - ax) * (cy - ay) - (cx - ax) * (by - ay);
        if (ay <= cy) {
            if (by > cy && side > 0) ++winding;
        } else if (by <= cy && side < 0) {
            --winding;
        }
    }
    return winding;
}

}  // namespace

// ---------------------------------------------------------------- SimScreen

void SimScreen::Resize(platform::Rect client) {
    client_ = client;
    inverted_.assign(static_cast<std::size_t>(std::max(0, client.Width())) *
                         static_cast<std::size_t>(std::max(0, client.Height())),
                     0);
    texts_.clear();
    fillsDone_.clear();
}

void SimScreen::Fill(const platform::Rect& rect, platform::Colour colour) {
    ++fills_;
    // A fill from the left edge also covers what shows of glyphs that start
    // left of the window.
    std::erase_if(texts_, [&](const Text& t) {
        const bool fromEdge = rect.left <= client_.left && t.x < rect.left;
        return t.y >= rect.top && t.y < rect.bottom && t.x < rect.right &&
               (t.x >= rect.left || fromEdge);
    });
    const platform::Rect r = Intersect(rect, client_);
    if (r.IsEmpty()) return;
    for (int y = r.top; y < r.bottom; ++y) {
        auto row = inverted_.begin() + static_cast<long>(y - client_.top) * client_.Width();
        std::fill(row + (r.left - client_.left), row + (r.right - client_.left), 0);
    }
    // Only the latest fills matter for what shows.
    if (fillsDone_.size() > 256) fillsDone_.erase(fillsDone_.begin(), fillsDone_.begin() + 128);
    fillsDone_.push_back({r, colour});
}

void SimScreen::Draw(const Text& style, std::string_view codes,
                     const platform::CharWidthTable& widths, const platform::Rect& clip) {
    // Text outside the clip area changes nothing.
    if (style.y >= clip.bottom || style.y < clip.top - 64) return;
    int x = style.x;
    int end = x;
    for (char c : codes) end += widths[static_cast<unsigned char>(c)];
    if (!style.transparent) {
        std::erase_if(texts_, [&](const Text& t) { return t.y == style.y && t.x >= x && t.x < end; });
    }
    for (char c : codes) {
        const int w = widths[static_cast<unsigned char>(c)];
        // Glyphs wholly outside the window leave no trace.
        const platform::Rect view = Intersect(client_, clip);
        if (x < view.right && x + std::max(w, 1) > view.left && style.y < view.bottom &&
            style.y >= view.top - 64) {
            Text glyph = style;
            glyph.x = x;
            glyph.codes.assign(1, c);
            texts_.push_back(std::move(glyph));
        }
        x += w;
    }
}

void SimScreen::Invert(std::span<const platform::Point> corners, const platform::Rect& clip) {
    if (corners.size() < 3) return;
    int left = corners[0].x, right = corners[0].x, top = corners[0].y, bottom = corners[0].y;
    for (const auto& p : corners) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const platform::Rect box = Intersect(Intersect({left, top, right, bottom}, client_), clip);
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            if (Winding(corners, x, y) != 0) {
                inverted_[static_cast<std::size_t>(y - client_.top) * client_.Width() +
                          (x - client_.left)] ^= 1;
            }
        }
    }
}

void SimScreen::Scroll(int dx, int dy, const platform::Rect& clip) {
    const platform::Rect r = Intersect(clip, client_);
    if (r.IsEmpty()) return;
    std::vector<unsigned char> moved(inverted_);
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const int sx = x - dx, sy = y - dy;
            unsigned char v = 0;
            if (r.Contains({sx, sy})) {
                v = inverted_[static_cast<std::size_t>(sy - client_.top) * client_.Width() +
                              (sx - client_.left)];
            }
            moved[static_cast<std::size_t>(y - client_.top) * client_.Width() +
                  (x - client_.left)] = v;
        }
    }
    inverted_.swap(moved);
    for (auto& t : texts_) {
        if (r.Contains({t.x, t.y})) {
            t.x += dx;
            t.y += dy;
        }
    }
    std::erase_if(texts_, [&](const Text& t) {
        return t.y < r.top || t.y >= r.bottom || t.x >= r.right;
    });
}

bool SimScreen::Inverted(int x, int y) const {
    if (!client_.Contains({x, y})) return false;
    return inverted_[static_cast<std::size_t>(y - client_.top) * client_.Width() +
                     (x - client_.left)] != 0;
}

int SimScreen::InvertedCount() const {
    return static_cast<int>(std::count(inverted_.begin(), inverted_.end(), 1));
}

std::pair<int, int> SimScreen::InvertedSpan(int y) const {
    int first = -1, last = -1;
    for (int x = client_.left; x < client_.right; ++x) {
        if (Inverted(x, y)) {
            if (first < 0) first = x;
            last = x;
        }
    }
    if (first < 0) return {0, 0};
    return {first, last + 1};
}

std::vector<SimScreen::Text> SimScreen::GlyphsOnRow(int y) const {
    std::vector<Text> row;
    for (const auto& t : texts_) {
        if (t.y == y) row.push_back(t);
    }
    std::stable_sort(row.begin(), row.end(), [](const Text& a, const Text& b) { return a.x < b.x; });
    return row;
}

std::string SimScreen::RowCodes(int y) const {
    std::string codes;
    for (const auto& t : GlyphsOnRow(y)) codes += t.codes;
    return codes;
}

platform::Colour SimScreen::BackgroundAt(int x, int y) const {
    for (auto it = fillsDone_.rbegin(); it != fillsDone_.rend(); ++it) {
        if (it->rect.Contains({x, y})) return it->colour;
    }
    return 0;
}

// --------------------------------------------------------------- SimSurface

void SimSurface::SelectFont(const platform::Font* font) {
    hasFont_ = font != nullptr;
    face_ = font ? font->Description().face : std::string();
    height_ = font ? font->Description().height : 0;
}

platform::CharWidthTable SimSurface::CharWidths() {
    return fonts_.WidthsOf(hasFont_ ? &face_ : nullptr, height_);
}

void SimSurface::Fill(const platform::Rect& rect, platform::Colour colour) {
    const platform::Rect r = Intersect(rect, clip_);
    if (!r.IsEmpty()) screen_.Fill(r, colour);
}

void SimSurface::TextOut(int x, int y, std::string_view codes) {
    screen_.Draw({x, y, face_, std::string(), text_, back_, transparent_}, codes, CharWidths(),
                 clip_);
}

void SimSurface::InvertPolygon(std::span<const platform::Point> corners) {
    screen_.Invert(corners, clip_);
}

// ---------------------------------------------------------------- SimWindow

SimWindow::SimWindow(SimFonts& fonts, platform::Rect client)
    : fonts_(fonts), client_(client), screen_(client) {}

void SimWindow::Resize(platform::Rect client) {
    client_ = client;
    screen_.Resize(client);
}

void SimWindow::Invalidate(const platform::Rect& rect, bool erase) {
    const platform::Rect r = Intersect(rect, client_);
    if (r.IsEmpty()) return;
    invalid_ = Union(invalid_, r);
    erasePending_ = erasePending_ || erase;
}

void SimWindow::RunPendingPaint() {
    if (invalid_.IsEmpty() || !paint_) return;
    ++paints_;
    paint_();
    invalid_ = {};
}

void SimWindow::ScrollContents(int dx, int dy, const platform::Rect& clip) {
    ++scrolls_;
    screen_.Scroll(dx, dy, clip);
    // The strip the contents left behind needs painting.
    platform::Rect exposed = clip;
    if (dy > 0) exposed.bottom = std::min(clip.bottom, clip.top + dy);
    if (dy < 0) exposed.top = std::max(clip.top, clip.bottom + dy);
    if (dx > 0) exposed.right = std::min(clip.right, clip.left + dx);
    if (dx < 0) exposed.left = std::max(clip.left, clip.right + dx);
    if (dx != 0 || dy != 0) Invalidate(exposed, true);
}

std::unique_ptr<platform::Surface> SimWindow::GetSurface() {
    return std::make_unique<SimSurface>(screen_, fonts_, dpi_, client_);
}

std::unique_ptr<platform::Surface> SimWindow::BeginPaint() {
    // Painting is clipped to what was invalid (all of it when nothing was).
    const platform::Rect clip = invalid_.IsEmpty() ? client_ : invalid_;
    invalid_ = {};
    erasePending_ = false;
    return std::make_unique<SimSurface>(screen_, fonts_, dpi_, clip);
}

void SimWindow::CreateCaret(int width, int height) {
    caret_.exists = true;
    caret_.width = width;
    caret_.height = height;
    // A new caret starts hidden, as the system's does.
    caret_.hideCount = 1;
}

void SimWindow::DestroyCaret() { caret_ = Caret{}; }

void SimWindow::ShowCaret() {
    if (caret_.exists && caret_.hideCount > 0) --caret_.hideCount;
}

void SimWindow::HideCaret() {
    if (caret_.exists) ++caret_.hideCount;
}

void SimWindow::SetScrollRange(platform::ScrollBar bar, int minimum, int maximum) {
    BarState& b = MutableBar(bar);
    b.minimum = minimum;
    b.maximum = maximum;
    b.position = std::clamp(b.position, minimum, std::max(minimum, maximum));
    ++b.rangeSets;
}

void SimWindow::SetScrollPosition(platform::ScrollBar bar, int position) {
    BarState& b = MutableBar(bar);
    b.position = std::clamp(position, b.minimum, std::max(b.minimum, b.maximum));
}

void SimWindow::PostMouseMove(unsigned flags, platform::Point p) {
    posted_.push_back({flags, p});
}

}  // namespace vexa::sim
