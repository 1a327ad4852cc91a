#pragma once

#include <string>
#include <string_view>

#include "common/script_fonts.h"
#include "edit/edit_buffer.h"
#include "edit/edit_bytes.h"
#include "edit/edit_commands.h"
#include "edit/edit_events.h"
#include "edit/edit_keys.h"
#include "edit/edit_style.h"
#include "edit/edit_view.h"
#include "platform/control_window.h"
#include "platform/graphics.h"
#include "platform/message_boxes.h"
#include "script/converter_library.h"

namespace vexa::edit {

using common::FontSlot;

// The edit control's behaviour behind its window messages, as one object
// for its owner: the document (`EditBuffer`: text, lines, caret offset,
// undo), the view (`EditView`: measuring, wrapping, painting, caret pixels,
// scrolling, selection) and the commands (`EditCommands`: keys, mouse,
// clipboard insertion, find).
//
// The owner (the ActiveX control) forwards window messages to the On...
// members, sets styles and script settings, and reacts to EditEvents. All
// pixel positions are client coordinates of the control's window.
class EditEngine {
public:
    EditEngine(platform::ControlWindow& window, platform::Fonts& fonts,
               platform::MessageBoxes& messages, script::ConverterLibrary& converter,
               EditEvents& events);

    void SetKeyboard(KeyboardServices* keyboard) { commands_.SetKeyboard(keyboard); }

    // --- settings (the owner applies its property rules, then calls these)
    EditStyle& Style() { return style_; }
    const EditStyle& Style() const { return style_; }
    common::DrawingScript& Script() { return script_; }
    const common::DrawingScript& Script() const { return script_; }
    void SetColours(platform::Colour fore, platform::Colour back) { view_.SetColours(fore, back); }
    // Follows AutoHScroll: wrapping on when it is false.
    void SetWordWrap(bool wrap) { view_.SetWordWrap(wrap); }

    // --- layout
    // Resets the editing state and, with a window, rebuilds fonts and tables.
    void LayoutSetup();
    // Font descriptions, width tables, line height, page lines, repaint.
    void RebuildFonts();
    void BuildWidthTables() { view_.BuildWidthTables(); }
    // The size-dependent step: text rectangle, page lines.
    void Layout() { view_.Layout(); }
    // After a resize: layout, recount, a wrapping text wrapped again for a
    // new width, the caret measured again and kept in view, repaint.
    void OnSize();
    // The width of ISCII text on a line (converted to font code first).
    int MeasureText(std::string_view iscii) const { return view_.MeasureText(iscii); }
    void CreateCaretShape() { view_.CreateCaretShape(); }

    // --- text
    void SetText(std::string text) { commands_.SetText(std::move(text)); }
    const std::string& Text() const { return buffer_.Text(); }
    void Undo() { commands_.Undo(); }
    // The bytes of line `line` (a beep past the line after the last).
    std::string LineText(int line);
    void Flush() { buffer_.Flush(); }

    // --- window messages
    void OnPaint() { view_.OnPaint(); }
    void DrawInto(platform::Surface& surface, const platform::Rect& /*bounds*/) {
        view_.DrawInto(surface);
    }
    void OnKeyDown(unsigned virtualKey, KeyModifiers modifiers) {
        commands_.OnKeyDown(virtualKey, modifiers);
    }
    void OnKeyUp() { commands_.CheckSelectionEvents(); }
    // A Unicode character message; false when refused (the control beeped).
    bool OnUnicodeChar(char16_t unit) { return commands_.OnUnicodeChar(unit); }
    void OnLButtonDown(unsigned flags, platform::Point point) {
        commands_.OnLButtonDown(flags, point);
    }
    void OnLButtonUp(unsigned /*flags*/, platform::Point /*point*/) { commands_.OnLButtonUp(); }
    void OnMouseMove(unsigned flags, platform::Point point) { commands_.OnMouseMove(flags, point); }
    void OnVScroll(int code, int position);
    void OnHScroll(int code, int position);
    void OnSetFocus() { view_.OnSetFocus(); }
    void OnKillFocus() { view_.OnKillFocus(); }

    // --- selection (automation SelStart and SelLength)
    int SelStart() const { return static_cast<int>(view_.Sel().anchor); }
    int SelLength() const {
        return static_cast<int>(view_.Sel().extent) - static_cast<int>(view_.Sel().anchor);
    }
    void SetSelStart(int start) { commands_.SetSelStart(start); }
    void SetSelLength(int length) { commands_.SetSelLength(length); }
    bool HasSelection() const { return view_.Sel().Any(); }
    std::size_t SelectionBegin() const { return view_.Sel().Begin(); }
    std::size_t SelectionEnd() const { return view_.Sel().End(); }
    // Removes the selected bytes; the caret goes to their place.
    void DeleteSelection(bool repaint) { commands_.DeleteSelection(repaint); }

    // --- clipboard and find
    // Paste: filtered bytes go in at the caret, over the selection; the
    // caret stays in front of them.
    void InsertPasted(const std::string& bytes) { commands_.InsertPasted(bytes); }
    // The first line at the top, the caret at the start of the text.
    void ShowTextStart() { commands_.ShowTextStart(); }
    // Selects [begin, end) with the caret at its end, scrolled into view.
    void SelectRange(std::size_t begin, std::size_t end) { commands_.SelectRange(begin, end); }
    // Takes a changed text (no undo copy, no CHANGE): lines counted and
    // wrapped again, the view kept where it can be, the caret at `caret`.
    void ReplaceText(std::string text, std::size_t caret) {
        commands_.ReplaceText(std::move(text), caret);
    }

    // --- font-code export
    std::string GetZIRVOText(std::string_view iscii);
    std::string GetFormattedZIRVOText(int fontSize, int lineWidth);

    // --- state, for the owner and for tests
    const EditBuffer& Buffer() const { return buffer_; }
    const EditView& View() const { return view_; }
    EditView& View() { return view_; }
    const CurrentWord& Word() const { return commands_.Word(); }
    const common::ScriptFonts& Metrics() const { return view_.Metrics(); }
    int TextWidth() const { return view_.TextWidth(); }
    int PageLines() const { return view_.PageLines(); }
    int VisibleLines() const { return view_.VisibleLines(); }
    int LineHeight() const { return view_.LineHeight(); }
    bool Dragging() const { return view_.Sel().dragging; }

private:
    platform::ControlWindow& window_;
    platform::MessageBoxes& messages_;
    script::ConverterLibrary& converter_;
    EditEvents& events_;

    EditStyle style_;
    common::DrawingScript script_;
    EditBuffer buffer_;
    EditView view_;
    EditCommands commands_;
};

}  // namespace vexa::edit
