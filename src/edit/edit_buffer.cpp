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

void EditBuffer::Assign(std::string text) {
    text_ = std::move(text);
    lastLine = CountLineEnds(text_);
    topLine = 0;
    topLineOffset = 0;
}

void EditBuffer::Insert(std::size_t offset, std::string_view bytes) {
    offset = std::min(offset, text_.size());
    const int ends = CountLineEnds(bytes);
    text_.insert(offset, bytes);
    lastLine += ends;
    if (offset < topLineOffset) {
        topLineOffset += bytes.size();
        topLine += ends;
    }
}

void EditBuffer::Erase(std::size_t first, std::size_t count) {
    if (first >= text_.size()) return;
    count = std::min(count, text_.size() - first);
    const std::size_t oldTop = topLineOffset;
    const int ends = CountLineEnds(std::string_view(text_).substr(first, count));
    int endsBeforeTop = 0;
    if (first < oldTop) {
        endsBeforeTop =
            CountLineEnds(std::string_view(text_).substr(first, std::min(count, oldTop - first)));
    }
    text_.erase(first, count);
    lastLine -= ends;
    if (first < oldTop) {
        topLine -= endsBeforeTop;
        topLineOffset = first + count < oldTop ? oldTop - count : LineStart(first);
    }
}

void EditBuffer::Splice(std::size_t first, std::size_t count, std::string_view bytes) {
    first = std::min(first, text_.size());
    count = std::min(count, text_.size() - first);
    const std::string_view old = std::string_view(text_).substr(first, count);
    // Only a change wholly after the top line's start can skip the top
    // bookkeeping of Erase and Insert.
    if (first < topLineOffset || CountLineEnds(old) != 0 || CountLineEnds(bytes) != 0) {
        Erase(first, count);
        Insert(first, bytes);
        return;
    }
    text_.replace(first, count, bytes);
}

void EditBuffer::Replace(std::size_t offset, unsigned char b) {
    if (offset >= text_.size()) return;
    const bool wasEnd = IsLineEnd(At(offset));
    text_[offset] = static_cast<char>(b);
    const bool isEnd = IsLineEnd(b);
    if (wasEnd == isEnd) return;
    lastLine += isEnd ? 1 : -1;
    if (offset < topLineOffset) {
        if (isEnd) {
            ++topLine;
        } else {
            --topLine;
            // The line end just in front of the top line joins it to the line before.
            if (offset + 1 == topLineOffset) topLineOffset = LineStart(offset);
        }
    }
}

EditBuffer::CaretAndWord EditBuffer::SaveCaretAndWord() const {
    return {caretIndex,       caretLine,           caretX,      caretY,
            currentLineWidth, wordStart,           currentWord, keyboardWord,
            wordCaretOffset,  keyboardCaretOffset, wordStartX};
}

void EditBuffer::RestoreCaretAndWord(const CaretAndWord& saved) {
    caretIndex = saved.caretIndex;
    caretLine = saved.caretLine;
    caretX = saved.caretX;
    caretY = saved.caretY;
    currentLineWidth = saved.currentLineWidth;
    wordStart = saved.wordStart;
    currentWord = saved.currentWord;
    keyboardWord = saved.keyboardWord;
    wordCaretOffset = saved.wordCaretOffset;
    keyboardCaretOffset = saved.keyboardCaretOffset;
    wordStartX = saved.wordStartX;
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
    if (line > lastLine) return text_.size();
    // Walk from the nearest of the text start and the top line.
    std::size_t p = 0;
    int at = 0;
    if (std::abs(line - topLine) < line) {
        p = topLineOffset;
        at = topLine;
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
    if (offset >= topLineOffset) {
        return topLine + CountLineEnds(std::string_view(text_).substr(topLineOffset, offset - topLineOffset));
    }
    return CountLineEnds(std::string_view(text_).substr(0, offset));
}

}  // namespace vexa::edit
