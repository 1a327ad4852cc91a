#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace vexa::edit {

// The text store of the edit control with its line counters and caret.
//
// The whole text is one byte string; lines are the runs between line-end
// bytes (0x0D, 0x04, 0x05, 0x1D). Every change goes through Insert, Erase or
// Replace, which keep `lastLine` equal to the number of line-end bytes and
// keep `topLine`/`topLineOffset` on the same line when a change happens in
// front of it. The caret fields are moved by the editing operations.
class EditBuffer {
public:
    const std::string& Text() const { return text_; }
    std::size_t Size() const { return text_.size(); }
    unsigned char At(std::size_t i) const { return static_cast<unsigned char>(text_[i]); }

    // Replaces the whole text; counters are recounted, the top line is 0.
    void Assign(std::string text);
    void Insert(std::size_t offset, std::string_view bytes);
    // Removes up to `count` bytes from `first` (clamped to the end).
    void Erase(std::size_t first, std::size_t count);
    void Replace(std::size_t offset, unsigned char b);
    // Replaces `count` bytes from `first` with `bytes` in one move.
    void Splice(std::size_t first, std::size_t count, std::string_view bytes);

    // Offset of the first byte of the line that holds `offset`.
    std::size_t LineStart(std::size_t offset) const;
    // Offset of the line-end byte that ends the line holding `offset`, or
    // the text's length for the last line.
    std::size_t LineStop(std::size_t offset) const;
    // Offset of the first byte of line `line` (the end of the text when the
    // line does not exist).
    std::size_t LineOffset(int line) const;
    // Number of the line holding `offset` (counts from the nearest anchor).
    int LineOf(std::size_t offset) const;
    // Line-end bytes in [first, first + count).
    static int CountLineEnds(std::string_view bytes);

    // --- counters and caret, read and moved by the engine
    std::string pendingInput;
    std::string undoText = "VEdit";
    bool undoArmed = false;

    std::size_t caretIndex = 0;
    int caretLine = 0;
    int lastLine = 0;
    int topLine = 0;
    std::size_t topLineOffset = 0;

    // Pixel positions are signed: they are tested for going negative.
    int caretX = 0;
    int caretY = 0;
    int hScroll = 0;
    int currentLineWidth = 0;
    int widestLine = 0;

    // The word that holds the caret.
    std::size_t wordStart = 0;
    std::string currentWord;
    std::string keyboardWord;
    std::size_t wordCaretOffset = 0;
    std::size_t keyboardCaretOffset = 0;
    int wordStartX = 0;

    // The caret and current-word fields, saved and restored together.
    struct CaretAndWord {
        std::size_t caretIndex = 0;
        int caretLine = 0, caretX = 0, caretY = 0, currentLineWidth = 0;
        std::size_t wordStart = 0;
        std::string currentWord, keyboardWord;
        std::size_t wordCaretOffset = 0, keyboardCaretOffset = 0;
        int wordStartX = 0;
    };
    CaretAndWord SaveCaretAndWord() const;
    void RestoreCaretAndWord(const CaretAndWord& saved);

private:
    std::string text_ = "VEdit";
};

}  // namespace vexa::edit
