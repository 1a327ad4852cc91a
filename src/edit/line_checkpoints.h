#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace vexa::edit {

// Widths measured along one line, at the starts of words: the width of the
// line's bytes in front of each. A line's width is additive where a word
// starts after a space (no kerning crosses a space, and the word starts in
// the same font state whatever came before), so the x of an offset is the
// width at the last checkpoint before it plus the width of the bytes from
// there: a key in a long paragraph measures its word, not the paragraph.
//
// Checkpoints are taken only in front of the line's first tab, so that
// painting may also start at one (a tab's stop depends on everything in
// front of it on the line).
class LineCheckpoints {
public:
    struct Point {
        std::size_t offset;
        int width;
    };

    // Forgets everything (new fonts, another text).
    void Clear() {
        lineStart_ = std::string::npos;
        points_.clear();
        tab_ = std::string::npos;
    }
    // The text changed from `offset` on: what was measured from there goes.
    void ChangedFrom(std::size_t offset) {
        if (lineStart_ == std::string::npos || offset == std::string::npos) return;
        // A change at the line's start (or in front of it) may move the line.
        if (offset <= lineStart_) {
            Clear();
            return;
        }
        while (!points_.empty() && points_.back().offset >= offset) points_.pop_back();
        if (tab_ != std::string::npos && tab_ >= offset) tab_ = std::string::npos;
    }
    // Starts over on the line that begins at `lineStart`.
    void StartLine(std::size_t lineStart) {
        Clear();
        lineStart_ = lineStart;
    }

    std::size_t LineStart() const { return lineStart_; }
    // The last checkpoint at or before `offset` (the line's start, width 0,
    // when there is none); only for offsets on the line.
    Point Before(std::size_t offset) const {
        const auto later = [](std::size_t o, const Point& p) { return o < p.offset; };
        const auto it = std::upper_bound(points_.begin(), points_.end(), offset, later);
        return it == points_.begin() ? Point{lineStart_, 0} : *(it - 1);
    }
    // The last checkpoint whose width is at most `width`.
    Point BeforeWidth(int width) const {
        const auto it = std::upper_bound(points_.begin(), points_.end(), width,
                                         [](int w, const Point& p) { return w < p.width; });
        return it == points_.begin() ? Point{lineStart_, 0} : *(it - 1);
    }
    // How far the line is known to hold no line end.
    std::size_t KnownTo() const { return points_.empty() ? lineStart_ : points_.back().offset; }

    // Records a checkpoint behind the last one (none behind a tab).
    void Add(std::size_t offset, int width) {
        if (tab_ != std::string::npos && offset > tab_) return;
        if (!points_.empty() && offset <= points_.back().offset) return;
        points_.push_back({offset, width});
    }
    // A tab at `offset`: no checkpoint is taken behind it.
    void TabAt(std::size_t offset) {
        if (tab_ == std::string::npos || offset < tab_) tab_ = offset;
    }

private:
    std::size_t lineStart_ = std::string::npos;
    std::vector<Point> points_;
    std::size_t tab_ = std::string::npos;
};

}  // namespace vexa::edit
