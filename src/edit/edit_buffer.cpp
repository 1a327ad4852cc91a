#include "edit/edit_buffer.h"

#include <algorithm>
#include <cstdlib>

#include "edit/edit_bytes.h"

namespace vexa::edit {

int EditBuffer::CountLineEnds(std::string_view bytes) {
    int n = 0;
    for (char c : bytes) n += IsLineEnd(static_cast<unsigned char>(c)) ? 1 : 0;
    return n;
}

void EditBuffer::Reset(std::string text) {
    text_ = std::move(text);
    changedFrom_ = 0;
    lastLine_ = CountLineEnds(text_);
    topLine_ = 0;
    topLineOffset_ = 0;
    caretIndex_ = 0;
    caretLine_ = 0;
    pending_.clear();
}

void EditBuffer::SetTopLine(int line) {
    topLineOffset_ = LineOffset(line);
    topLine_ = line;
}

void EditBuffer::SetCaret(std::size_t index, int line) {
    caretIndex_ = index;
    caretLine_ = line;
}

void EditBuffer::MoveCaret(std::size_t index) {
    caretIndex_ = std::min(index, text_.size());
    caretLine_ = LineOf(caretIndex_);
}

void EditBuffer::InsertPendingAt(std::size_t offset) {
    if (pending_.empty()) return;
    const std::string pending = std::move(pending_);
    pending_.clear();
    Insert(offset, pending);
}

void EditBuffer::Flush() {
    if (pending_.empty()) return;
    const std::size_t n = pending_.size();
    caretLine_ += CountLineEnds(pending_);
    InsertPendingAt(caretIndex_);
    caretIndex_ += n;
}

void EditBuffer::KeepUndoCopy() {
    if (!undoArmed_) return;
    undoText_ = text_;
    undoArmed_ = false;
}

std::size_t EditBuffer::TakeChangedFrom() {
    const std::size_t from = changedFrom_;
    changedFrom_ = std::string::npos;
    return from;
}

std::string_view EditBuffer::LineAround(std::size_t offset) const {
    const std::size_t start = LineStart(offset);
    return std::string_view(text_).substr(start, LineStop(offset) - start);
}

void EditBuffer::Insert(std::size_t offset, std::string_view bytes) {
    offset = std::min(offset, text_.size());
    const int ends = CountLineEnds(bytes);
    changedFrom_ = std::min(changedFrom_, offset);
    text_.insert(offset, bytes);
    lastLine_ += ends;
    if (offset < topLineOffset_) {
        topLineOffset_ += bytes.size();
        topLine_ += ends;
    }
}

void EditBuffer::Erase(std::size_t first, std::size_t count) {
    if (first >= text_.size()) return;
    count = std::min(count, text_.size() - first);
    const std::size_t oldTop = topLineOffset_;
    const int ends = CountLineEnds(std::string_view(text_).substr(first, count));
    int endsBeforeTop = 0;
    if (first < oldTop) {
        endsBeforeTop =
            CountLineEnds(std::string_view(text_).substr(first, std::min(count, oldTop - first)));
    }
    changedFrom_ = std::min(changedFrom_, first);
    text_.erase(first, count);
    lastLine_ -= ends;
    if (first < oldTop) {
        topLine_ -= endsBeforeTop;
        topLineOffset_ = first + count < oldTop ? oldTop - count : LineStart(first);
    }
}

void EditBuffer::Splice(std::size_t first, std::size_t count, std::string_view bytes) {
    first = std::min(first, text_.size());
    count = std::min(count, text_.size() - first);
    const std::string_view old = std::string_view(text_).substr(first, count);
    // Only a change wholly after the top line's start can skip the top
    // bookkeeping of Erase and Insert.
    if (first < topLineOffset_ || CountLineEnds(old) != 0 || CountLineEnds(bytes) != 0) {
        Erase(first, count);
        Insert(first, bytes);
        return;
    }
    changedFrom_ = std::min(changedFrom_, first);
    text_.replace(first, count, bytes);
}

void EditBuffer::Replace(std::size_t offset, unsigned char b) {
    if (offset >= text_.size()) return;
    const bool wasEnd = IsLineEnd(At(offset));
    changedFrom_ = std::min(changedFrom_, offset);
    text_[offset] = static_cast<char>(b);
    const bool isEnd = IsLineEnd(b);
    if (wasEnd == isEnd) return;
    lastLine_ += isEnd ? 1 : -1;
    if (offset < topLineOffset_) {
        if (isEnd) {
            ++topLine_;
        } else {
            --topLine_;
            // The line end just in front of the top line joins it to the line before.
            if (offset + 1 == topLineOffset_) topLineOffset_ = LineStart(offset);
        }
    }
}

std::size_t EditBuffer::LineStart(std::size_t offset) const {
    offset = std::min(offset, text_.size());
    while (offset > 0 && !IsLineEnd(At(offset - 1))) --offset;
    return offset;
}

std::size_t EditBuffer::LineStop(std::size_t offset) const {
    while (offset < text_.size() && !IsLineEnd(At(offset))) ++offset;
    return std::min(offset, text_.size());
}

std::size_t EditBuffer::LineOffset(int line) const {
    if (line <= 0) return 0;
    if (line > lastLine_) return text_.size();
    // Walk from the nearest of the text start and the top line.
    std::size_t p = 0;
    int at = 0;
    if (std::abs(line - topLine_) < line) {
        p = topLineOffset_;
        at = topLine_;
    }
    while (at > line) {
        p = LineStart(p - 1);
        --at;
    }
    while (at < line && p < text_.size()) {
        p = LineStop(p) + 1;
        ++at;
    }
    return std::min(p, text_.size());
}

int EditBuffer::LineOf(std::size_t offset) const {
    offset = std::min(offset, text_.size());
    if (offset >= topLineOffset_) {
        return topLine_ + CountLineEnds(std::string_view(text_).substr(topLineOffset_, offset - topLineOffset_));
    }
    return CountLineEnds(std::string_view(text_).substr(0, offset));
}

}  // namespace vexa::edit
