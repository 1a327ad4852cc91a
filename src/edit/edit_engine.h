#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "edit/edit_buffer.h"
#include "edit/edit_bytes.h"
#include "edit/edit_style.h"
#include "common/script_fonts.h"
#include "platform/control_window.h"
#include "platform/graphics.h"
#include "platform/message_boxes.h"
#include "script/converter_library.h"

namespace vexa::edit {

using common::FontSlot;

// What the engine tells its owner. The owner turns them into the control's
// events (CHANGE, Selected, UnSelected) and its modified flag.
class EditEvents {
public:
    virtual ~EditEvents() = default;
    virtual void Changed() {}
    virtual void Selected() {}
    virtual void UnSelected() {}
    virtual void Modified() {}
    // Clipboard keys: copy the selection and tell whether it is on the
    // clipboard (a cut deletes nothing otherwise); paste at the caret and
    // tell whether the text got longer.
    virtual bool CopySelection() { return false; }
    virtual bool Paste() { return false; }
};

// Keystroke translation and the keyboard libraries, as the typing path
// needs them.
class KeyboardServices {
public:
    virtual ~KeyboardServices() = default;
    // The bytes a key types (0 to 8), deciding English or script.
    virtual std::string TranslateKey(unsigned virtualKey, bool impliedShift) = 0;
    // The keyboard library's "make_iscii": the ISCII word that key text
    // spells; nullopt when no library is bound (the key is then ignored).
    virtual std::optional<std::string> MakeIscii(std::string_view keys) = 0;
    // The reverse converter's "Iscii2Ascii"; nullopt when none is bound.
    virtual std::optional<std::string> IsciiToKeys(std::string_view iscii) = 0;
    // The key's scan code (MapVirtualKeyA with map type 0).
    virtual unsigned ScanCode(unsigned virtualKey) = 0;
};

// Modifier keys held while a key or mouse message is handled.
struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
};

// Virtual-key codes and scroll codes the engine understands.
namespace keys {
inline constexpr unsigned kBack = 0x08, kTab = 0x09, kClear = 0x0C, kReturn = 0x0D, kShift = 0x10,
                          kControl = 0x11, kPause = 0x13, kCapital = 0x14, kEscape = 0x1B,
                          kSpace = 0x20, kPrior = 0x21, kNext = 0x22, kEnd = 0x23, kHome = 0x24,
                          kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kInsert = 0x2D,
                          kDelete = 0x2E, kNumLock = 0x90, kScroll = 0x91;
}
namespace scroll {
inline constexpr int kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4,
                     kThumbTrack = 5;
}
// Mouse message flags.
inline constexpr unsigned kMouseLeft = 0x0001, kMouseShift = 0x0004;

// The edit control's behaviour behind its window messages: text buffer and
// editing, layout and measurement, caret movement and selection, mouse and
// scrolling, painting, typing and font-code export.
//
// The owner (the ActiveX control) forwards window messages to the On...
// members, sets styles and script settings, and reacts to EditEvents. All
// pixel positions are client coordinates of the control's window.
class EditEngine {
public:
    EditEngine(platform::ControlWindow& window, platform::Fonts& fonts,
               platform::MessageBoxes& messages, script::ConverterLibrary& converter,
               EditEvents& events);

    void SetKeyboard(KeyboardServices* keyboard) { keyboard_ = keyboard; }

    // --- settings (the owner applies its property rules, then calls these)
    EditStyle& Style() { return style_; }
    const EditStyle& Style() const { return style_; }
    common::DrawingScript& Script() { return script_; }
    const common::DrawingScript& Script() const { return script_; }
    void SetColours(platform::Colour fore, platform::Colour back) {
        fore_ = fore;
        back_ = back;
    }
    // Follows AutoHScroll: wrapping on when it is false.
    void SetWordWrap(bool wrap);
    bool WordWrap() const { return wordWrap_; }

    // --- layout
    // Resets the editing state and, with a window, rebuilds fonts and tables.
    void LayoutSetup();
    // Font descriptions, width tables, line height, page lines, repaint.
    void RebuildFonts();
    void BuildWidthTables();
    // The size-dependent step: text rectangle, page lines.
    void Layout();
    // After a resize: layout, recount, a wrapping text wrapped again for a
    // new width, the caret measured again and kept in view, repaint.
    void OnSize();
    // The width of ISCII text on a line (converted to font code first).
    int MeasureText(std::string_view iscii) const;
    void CreateCaretShape();
    // Recomputes the number of whole rows the text rectangle holds.
    void UpdatePageLines();

    // --- text
    // Assigns already filtered 8-bit text: resets, re-wraps, counts, repaints.
    void SetText(std::string text);
    const std::string& Text() const { return buffer_.Text(); }
    // Swaps the text with the undo copy (one level, toggling).
    void Undo();

    // --- window messages
    void OnPaint();
    void DrawInto(platform::Surface& surface, const platform::Rect& bounds);
    void OnKeyDown(unsigned virtualKey, KeyModifiers modifiers);
    void OnKeyUp();
    void OnLButtonDown(unsigned flags, platform::Point point);
    void OnLButtonUp(unsigned flags, platform::Point point);
    void OnMouseMove(unsigned flags, platform::Point point);
    void OnVScroll(int code, int position);
    void OnHScroll(int code, int position);
    void OnSetFocus();
    void OnKillFocus();

    // --- selection (automation SelStart and SelLength)
    int SelStart() const { return static_cast<int>(selAnchor_); }
    int SelLength() const {
        return static_cast<int>(selExtent_) - static_cast<int>(selAnchor_);
    }
    void SetSelStart(int start);
    void SetSelLength(int length);
    bool HasSelection() const { return selAnchor_ != selExtent_; }
    std::size_t SelectionBegin() const { return std::min(selAnchor_, selExtent_); }
    std::size_t SelectionEnd() const { return std::max(selAnchor_, selExtent_); }
    // Removes the selected bytes; the caret goes to their place.
    void DeleteSelection(bool repaint);
    // Checks the selection after a key or mouse release and fires Selected
    // or UnSelected when it came into being or disappeared.
    void CheckSelectionEvents();

    // --- font-code export
    std::string GetZIRVOText(std::string_view iscii);
    std::string GetFormattedZIRVOText(int fontSize, int lineWidth);

    // --- state, for the owner and for tests
    const EditBuffer& Buffer() const { return buffer_; }
    const common::ScriptFonts& Metrics() const { return metrics_; }
    int TextWidth() const { return textWidth_; }
    int PageLines() const { return pageLines_; }
    int VisibleLines() const { return visibleLines_; }
    int LineHeight() const { return metrics_.LineHeight(); }
    platform::Rect TextRect() const { return textRect_; }
    bool Dragging() const { return dragging_; }
    std::string LineText(int line);

    // --- editing operations (used by the key dispatcher and the clipboard)
    void Flush();
    void InsertPendingAt(std::size_t offset);
    void AppendPending(unsigned char b) { buffer_.pendingInput += static_cast<char>(b); }
    void DeleteRange(std::size_t first, std::size_t last);
    void InsertLineBreak(unsigned char marker);
    int WrapAtCaret();
    int Rewrap();
    platform::Rect Recount();
    void Backspace();
    void DeleteForward();
    void UpdateCurrentWord();
    void ProcessKey(unsigned virtualKey, bool impliedShift);
    void ComposeTyped(const std::string& out);
    // Undoes the whole of the key being typed (a full line or page refuses
    // it); outside ProcessKey it takes back the byte before the caret.
    void TakeBackKeystroke();
    // Paste: filtered bytes go in at the caret, over the selection; the
    // caret stays in front of them (edit_clipboard.cpp).
    void InsertPasted(const std::string& bytes);

    // --- find and replace (edit_find.cpp)
    // The first line at the top, the caret at the start of the text.
    void ShowTextStart();
    // Selects [begin, end) with the caret at its end, scrolled into view.
    void SelectRange(std::size_t begin, std::size_t end);
    // Takes a changed text (no undo copy, no CHANGE): lines counted and
    // wrapped again, the view kept where it can be, the caret at `caret`.
    void ReplaceText(std::string text, std::size_t caret);

    // --- caret movement
    void StepLeft();
    void StepRight();
    void LineUp();
    void LineDown();
    void PageUp();
    void PageDown();
    // After a line move: the caret goes to the syllable nearest its x.
    void KeepCaretColumn();
    // Scrolls to `newTop` with the caret on `caretLine`, at the same x.
    void MovePage(int newTop, int caretLine);
    void LineHome();
    void LineEnd();
    std::size_t IndexAtPoint(platform::Point& point);
    int SnapToSyllable();
    void PlaceCaret(int x, int y);
    void ClearSelection();
    void SetTopLine(int line, bool moveAnchor);
    void ScrollTo(int x, bool moveCaret, bool repaint);
    int LineAtPoint(int y);
    void RedrawWord(bool withCaretMark = true);
    void InvertSelection(int x1, int y1, int x2, int y2, platform::Surface* surface = nullptr);

private:
    // Length of the first syllable of `bytes` (at least 1).
    std::size_t SyllableLength(std::string_view bytes) const;
    std::string FontCode(std::string_view iscii) const;
    // Pixel x (with hScroll) of a byte offset on its line.
    int XOfOffset(std::size_t offset) const;
    int MeasureCaretLine();
    std::string_view LineAround(std::size_t offset) const;
    void SetBarRange(platform::ScrollBar bar, int maximum);
    void SetBarPos(platform::ScrollBar bar, int position);
    void UpdateVisibleLines();
    void ScrollOneLineDown();
    void ScrollOneLineUp();
    void InvalidateRow(int row);
    void ClampSelection();
    void EnsureCurrentWord();
    void EnsureCaretLineVisible();
    // Wraps the whole text again for the current width, caret kept.
    void RewrapToWidth();
    // Caret row and pixel position measured again, the view scrolled to it.
    void KeepCaretInView();
    void RepaintFromCaretLine();
    void RepaintRows(int firstRow, int lastRow);
    void Beep() { messages_.Beep(); }
    void MoveCaretTo(std::size_t index);
    void DispatchNavigation(unsigned virtualKey, KeyModifiers modifiers);
    bool RunTable(unsigned virtualKey);
    void PaintInto(platform::Surface& surface, bool withCaret);
    void DrawLine(platform::Surface& surface, std::string_view line, int y);
    int RowsFit() const;

    platform::ControlWindow& window_;
    platform::Fonts& fonts_;
    platform::MessageBoxes& messages_;
    script::ConverterLibrary& converter_;
    EditEvents& events_;
    KeyboardServices* keyboard_ = nullptr;

    EditStyle style_;
    common::DrawingScript script_;
    platform::Colour fore_ = 0x000000;
    platform::Colour back_ = 0xFFFFFF;
    mutable common::ScriptFonts metrics_;
    EditBuffer buffer_;

    platform::Rect textRect_;
    int textWidth_ = 0;
    int textHeight_ = 0;
    int pageLines_ = 1;
    int visibleLines_ = 0;
    bool layoutReady_ = false;
    bool wordWrap_ = false;

    // Selection: both 0 means none; the end is exclusive.
    std::size_t selAnchor_ = 0;
    std::size_t selExtent_ = 0;
    int selAnchorLine_ = 0;
    int selAnchorX_ = 0;
    int selAnchorY_ = 0;
    bool shiftSelecting_ = false;
    bool selectedFired_ = false;
    bool dragging_ = false;
    bool caretFollow_ = true;
    // Counts every scroll of the view, to tell whether an action scrolled.
    int scrollCount_ = 0;
    // The widest line the last Rewrap laid out.
    int rewrapWidest_ = 0;

    // What the key being typed changed: `length` bytes at `at` replaced
    // `replaced`; the caret and word fields are those from before the key.
    struct Keystroke {
        std::size_t at = 0;
        std::size_t length = 0;
        std::string replaced;
        EditBuffer::CaretAndWord before;
    };
    std::optional<Keystroke> keystroke_;
};

}  // namespace vexa::edit
