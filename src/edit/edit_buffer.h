#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vexa::edit {

// The edit control's document: its text with the line counters, the caret's
// place in it, the bytes typed but not yet put in, and the one-level undo copy.
//
// The whole text is one byte string; lines are the runs between line-end
// bytes (0x0D, 0x04, 0x05, 0x1D). Every change goes through Insert, Erase,
// Replace or Splice, which keep the last line number equal to the number of
// line-end bytes and keep the top line (the first one shown) on the same
// line when a change happens in front of it. Nothing here is measured in
// pixels: that is the view's.
class EditBuffer {
public:
    const std::string& Text() const { return text_; }
    std::size_t Size() const { return text_.size(); }
    unsigned char At(std::size_t i) const { return static_cast<unsigned char>(text_[i]); }

    // Replaces the whole text: counters recounted, top line and caret at the
    // start, no pending input. The undo copy stays.
    void Reset(std::string text);
    void Insert(std::size_t offset, std::string_view bytes);
    // Removes up to `count` bytes from `first` (clamped to the end).
    void Erase(std::size_t first, std::size_t count);
    void Replace(std::size_t offset, unsigned char b);
    // Replaces `count` bytes from `first` with `bytes` in one move.
    void Splice(std::size_t first, std::size_t count, std::string_view bytes);

    // --- lines
    // Offset of the first byte of the line that holds `offset`.
    std::size_t LineStart(std::size_t offset) const;
    // Offset of the line-end byte that ends the line holding `offset`, or
    // the text's length for the last line.
    std::size_t LineStop(std::size_t offset) const;
    // The bytes of the line that holds `offset`, without its line end.
    std::string_view LineAround(std::size_t offset) const;
    // Offset of the first byte of line `line` (the end of the text when the
    // line does not exist).
    std::size_t LineOffset(int line) const;
    // Number of the line holding `offset` (counts from the nearest anchor).
    int LineOf(std::size_t offset) const;
    static int CountLineEnds(std::string_view bytes);
    // The number of line-end bytes: the last line's number.
    int LastLine() const { return lastLine_; }

    // The first line shown; the buffer keeps it on its line across edits.
    int TopLine() const { return topLine_; }
    std::size_t TopLineOffset() const { return topLineOffset_; }
    // `line` must be within [0, LastLine()].
    void SetTopLine(int line);

    // --- caret
    std::size_t CaretIndex() const { return caretIndex_; }
    int CaretLine() const { return caretLine_; }
    // The caret at `index`, on line `line` (the caller knows it).
    void SetCaret(std::size_t index, int line);
    // The caret at `index` (clamped to the text), its line counted.
    void MoveCaret(std::size_t index);

    // --- pending input: bytes typed that go in at the caret on the next Flush
    const std::string& Pending() const { return pending_; }
    void AppendPending(unsigned char b) { pending_ += static_cast<char>(b); }
    void SetPending(std::string bytes) { pending_ = std::move(bytes); }
    // Puts the pending bytes in at `offset`; the caret does not move.
    void InsertPendingAt(std::size_t offset);
    // Puts the pending bytes in at the caret, the caret behind them.
    void Flush();

    // --- undo: one copy of the text, taken by the first edit after an arming
    // action (a caret move by key or mouse)
    const std::string& UndoText() const { return undoText_; }
    void SetUndoText(std::string text) { undoText_ = std::move(text); }
    void ArmUndo() { undoArmed_ = true; }
    // Copies the text for undo when armed, and disarms.
    void KeepUndoCopy();

    // The lowest offset changed since the last call (npos for none); the
    // view drops what it measured from there on.
    std::size_t TakeChangedFrom();

private:
    std::string text_ = "VEdit";
    int lastLine_ = 0;
    int topLine_ = 0;
    std::size_t topLineOffset_ = 0;
    std::size_t caretIndex_ = 0;
    int caretLine_ = 0;
    std::string pending_;
    std::string undoText_ = "VEdit";
    bool undoArmed_ = false;
    std::size_t changedFrom_ = 0;
};

}  // namespace vexa::edit
