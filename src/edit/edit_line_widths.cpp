// The view's widths along a line, measured from the line's checkpoints.
#include <algorithm>

#include "edit/edit_view.h"

namespace vexa::edit {

namespace {

// Checkpoints are left at most this often, so that a line holds a few for
// each window width and the bytes measured after the last one stay few.
constexpr std::size_t kCheckpointSpacing = 64;

// A byte that begins a syllable: an English character, an ISCII vowel or
// consonant. Signs, matras, the nukta and the extension code attach to what
// precedes them and never start a checkpoint.
bool StartsWord(unsigned char b) { return (b > 0x20 && b < 0x7F) || (b >= 0xA4 && b <= 0xD8); }

}  // namespace

void EditView::SyncCheckpoints() const {
    if (checkpointsEnglish_ != script_.englishScript) {
        checkpoints_.Clear();
        checkpointsEnglish_ = script_.englishScript;
    }
    checkpoints_.ChangedFrom(buffer_.TakeChangedFrom());
}

int EditView::WidthBefore(std::size_t offset) const {
    SyncCheckpoints();
    const std::string& t = buffer_.Text();
    offset = std::min(offset, t.size());
    const std::size_t lineStart = checkpoints_.LineStart();
    if (lineStart != std::string::npos && lineStart <= offset) {
        const LineCheckpoints::Point from = checkpoints_.Before(offset);
        const auto end = t.begin() + static_cast<std::ptrdiff_t>(offset);
        const bool sameLine =
            std::none_of(t.begin() + static_cast<std::ptrdiff_t>(from.offset), end,
                         [](char c) { return IsLineEnd(static_cast<unsigned char>(c)); });
        if (sameLine) return MeasureFrom(from, offset);
    }
    const std::size_t start = buffer_.LineStart(offset);
    checkpoints_.StartLine(start);
    return MeasureFrom({start, 0}, offset);
}

int EditView::MeasureFrom(LineCheckpoints::Point from, std::size_t offset) const {
    const std::string_view t = buffer_.Text();
    // A tab's stop depends on the whole line in front of it: a line with a
    // tab before `offset` is measured from its start.
    const auto whole = [&](std::size_t tab) {
        checkpoints_.TabAt(tab);
        const std::size_t start = checkpoints_.LineStart();
        return MeasureText(t.substr(start, offset - start));
    };
    std::size_t p = from.offset;
    int width = from.width;
    for (std::size_t q = p + 1; q < offset; ++q) {
        const auto before = static_cast<unsigned char>(t[q - 1]);
        if (before == kTab) return whole(q - 1);
        if (q - p >= kCheckpointSpacing && before == kSpace &&
            StartsWord(static_cast<unsigned char>(t[q]))) {
            width += MeasureText(t.substr(p, q - p));
            p = q;
            checkpoints_.Add(q, width);
        }
    }
    if (offset > p && static_cast<unsigned char>(t[offset - 1]) == kTab) return whole(offset - 1);
    return width + MeasureText(t.substr(p, offset - p));
}

std::size_t EditView::LineStopFrom(std::size_t start) const {
    SyncCheckpoints();
    if (start == checkpoints_.LineStart()) return buffer_.LineStop(checkpoints_.KnownTo());
    return buffer_.LineStop(start);
}

}  // namespace vexa::edit
