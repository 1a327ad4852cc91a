// Construction, settings, layout and measurement, text assignment and undo.
#include "edit/edit_engine.h"

#include <algorithm>

#include "script/font_code.h"

namespace vexa::edit {

namespace {

// The 8-bit filter for text the control reloads from itself (creation and
// undo): like the host filter, but tabs and extension pairs (0xF0 and a
// byte from 0xA1 up) survive, since the control produced them.
std::string FilterReloadedText(std::string_view input) {
    std::string out;
    out.reserve(input.size());
    for (std::size_t i = 0; i < input.size(); ++i) {
        const auto b = static_cast<unsigned char>(input[i]);
        if (b == kExtensionCode && i + 1 < input.size() &&
            static_cast<unsigned char>(input[i + 1]) >= 0xA1) {
            out += input.substr(i, 2);
            ++i;
            continue;
        }
        if (b == 0x1F || b == 0xEF || b == kExtensionCode) {
            ++i;
            continue;
        }
        if (b == kLineFeed) {
            if (i > 0 && static_cast<unsigned char>(input[i - 1]) != kHardBreak) out += '\r';
            out += static_cast<char>(b);
        } else if (IsLineEnd(b) || b == kTab || (b >= 0x20 && b <= 0x7E) ||
                   (b >= 0xA1 && b <= 0xEA)) {
            out += static_cast<char>(b);
        }
    }
    return out;
}

}  // namespace

EditEngine::EditEngine(platform::ControlWindow& window, platform::Fonts& fonts,
                       platform::MessageBoxes& messages, script::ConverterLibrary& converter,
                       EditEvents& events)
    : window_(window), fonts_(fonts), messages_(messages), converter_(converter), events_(events) {
    buffer_.Assign("VEdit");
}

void EditEngine::SetWordWrap(bool wrap) { wordWrap_ = wrap; }

// ------------------------------------------------------------------ layout

void EditEngine::LayoutSetup() {
    Flush();
    const std::string text = buffer_.Text();
    const std::string undo = buffer_.undoText;
    const bool armed = buffer_.undoArmed;
    buffer_ = EditBuffer();
    buffer_.Assign(text);
    buffer_.undoText = undo;
    buffer_.undoArmed = armed;
    selAnchor_ = selExtent_ = 0;
    selAnchorLine_ = selAnchorX_ = selAnchorY_ = 0;
    shiftSelecting_ = dragging_ = false;
    visibleLines_ = 0;
    wordWrap_ = !style_.autoHScroll;
    caretFollow_ = true;
    if (window_.CanMeasure()) {
        if (script_.scriptName == "English") script_.englishScript = true;
        RebuildFonts();
        window_.SetScrollRange(platform::ScrollBar::Vertical, 0, 0);
        window_.SetScrollRange(platform::ScrollBar::Horizontal, 0, 0);
        window_.ShowScrollBar(platform::ScrollBar::Vertical, style_.vScrollBar);
        window_.ShowScrollBar(platform::ScrollBar::Horizontal, style_.hScrollBar);
    }
}

void EditEngine::RebuildFonts() {
    if (window_.CanMeasure()) {
        auto surface = window_.GetSurface();
        metrics_.MakeFontDescriptions(*surface, script_, script_.fontSize);
        BuildWidthTables();
    }
    UpdatePageLines();
    UpdateVisibleLines();
    Flush();
    window_.InvalidateAll(true);
    events_.Modified();
}

void EditEngine::BuildWidthTables() {
    if (!window_.CanMeasure()) return;
    auto surface = window_.GetSurface();
    surface->SelectFont(nullptr);
    metrics_.SetTibetanSpace(script_.IsTibetan(), surface->CharWidth(0xA1));
    metrics_.BuildWidthTables(fonts_, *surface, script_, style_.password, true);
}

void EditEngine::UpdatePageLines() {
    const int h = metrics_.LineHeight();
    // Without a line height (no fonts yet, or size 0) one row is assumed.
    pageLines_ = (style_.multiLine && h > 0) ? std::max(1, textHeight_ / h) : 1;
}

int EditEngine::RowsFit() const {
    const int h = metrics_.LineHeight();
    return h > 0 ? textHeight_ / h : 1;
}

void EditEngine::Layout() {
    textRect_ = window_.ClientRect();
    textHeight_ = textRect_.Height();
    textWidth_ = textRect_.Width();
    UpdatePageLines();
    if (wordWrap_ && buffer_.lastLine == 0 && style_.vScrollBar) {
        textWidth_ -= window_.VerticalScrollBarWidth();
    }
    layoutReady_ = true;
}

void EditEngine::OnSize() {
    const int oldWidth = textWidth_;
    Layout();
    Recount();
    // Lines wrapped for the old width would run past a narrower edge or
    // leave a wider one half empty: wrap the whole text again.
    if (wordWrap_ && style_.multiLine && textWidth_ != oldWidth) RewrapToWidth();
    UpdateVisibleLines();
    KeepCaretInView();
    window_.InvalidateAll(true);
}

void EditEngine::RewrapToWidth() {
    Flush();
    const std::size_t caret = buffer_.caretIndex;
    // Soft breaks go back to what they stand for, as when the text is set;
    // the bytes keep their offsets, so the caret and the selection stay.
    const std::string& t = buffer_.Text();
    for (std::size_t i = 0; i < t.size(); ++i) {
        const auto c = static_cast<unsigned char>(t[i]);
        if (c == kSoftBreakSpace) buffer_.Replace(i, kSpace);
        if (c == kSoftBreakTab) buffer_.Replace(i, kTab);
    }
    buffer_.caretIndex = 0;  // Rewrap starts at the caret's line
    Rewrap();
    buffer_.caretIndex = caret;
    buffer_.caretLine = buffer_.LineOf(caret);
    buffer_.widestLine = rewrapWidest_;
    if (HasSelection() || dragging_) {
        selAnchorLine_ = buffer_.LineOf(selAnchor_);
        selAnchorX_ = XOfOffset(selAnchor_);
    }
    UpdateCurrentWord();
}

void EditEngine::KeepCaretInView() {
    EditBuffer& b = buffer_;
    int top = std::min(b.topLine, b.caretLine);
    if (b.caretLine >= top + pageLines_) top = b.caretLine - pageLines_ + 1;
    SetTopLine(top, false);
    const int h = metrics_.LineHeight();
    b.caretY = (b.caretLine - b.topLine) * h;
    b.caretX = XOfOffset(b.caretIndex);
    b.currentLineWidth = MeasureCaretLine();
    if (HasSelection() || dragging_) selAnchorY_ = (selAnchorLine_ - b.topLine) * h;
    PlaceCaret(b.caretX, b.caretY);
}

void EditEngine::CreateCaretShape() {
    window_.DestroyCaret();
    window_.CreateCaret(2, metrics_.LineHeight());
    window_.SetCaretPosition({buffer_.caretX, buffer_.caretY});
    window_.ShowCaret();
}

void EditEngine::OnSetFocus() {
    if (!layoutReady_) Layout();
    CreateCaretShape();
}

void EditEngine::OnKillFocus() {
    window_.HideCaret();
    window_.DestroyCaret();
}

// ------------------------------------------------------------- measurement

std::string EditEngine::FontCode(std::string_view iscii) const {
    return script::ToFontCodeRun(converter_, iscii, script_.englishScript);
}

int EditEngine::MeasureText(std::string_view iscii) const {
    if (iscii.empty()) return 0;
    return metrics_.MeasureRun(FontCode(iscii));
}

std::string_view EditEngine::LineAround(std::size_t offset) const {
    const std::size_t start = buffer_.LineStart(offset);
    const std::size_t stop = buffer_.LineStop(offset);
    return std::string_view(buffer_.Text()).substr(start, stop - start);
}

int EditEngine::XOfOffset(std::size_t offset) const {
    const std::size_t start = buffer_.LineStart(offset);
    return buffer_.hScroll + MeasureText(std::string_view(buffer_.Text()).substr(start, offset - start));
}

int EditEngine::MeasureCaretLine() { return MeasureText(LineAround(buffer_.caretIndex)); }

std::size_t EditEngine::SyllableLength(std::string_view bytes) const {
    if (bytes.empty()) return 0;
    const auto b = static_cast<unsigned char>(bytes[0]);
    // In English mode every byte is a character of its own.
    if (script_.englishScript || b < kFirstIscii) return 1;
    // The converter reads up to a terminator: hand it the rest of the word.
    std::size_t n = 0;
    while (n < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[n]);
        if (c == kSpace || c == kTab || IsLineEnd(c) || c == 0) break;
        ++n;
    }
    const std::string word(bytes.substr(0, n));
    auto result = converter_.ConvertSyllable(reinterpret_cast<const unsigned char*>(word.c_str()),
                                             word.size());
    return std::clamp<std::size_t>(result.consumed, 1, std::max<std::size_t>(1, word.size()));
}

// ------------------------------------------------------------ scroll bars

void EditEngine::SetBarRange(platform::ScrollBar bar, int maximum) {
    const bool on = bar == platform::ScrollBar::Vertical ? style_.vScrollBar : style_.hScrollBar;
    if (!on) return;
    window_.SetScrollRange(bar, 0, maximum < 2 ? 1 : maximum);
}

void EditEngine::SetBarPos(platform::ScrollBar bar, int position) {
    const bool on = bar == platform::ScrollBar::Vertical ? style_.vScrollBar : style_.hScrollBar;
    if (on) window_.SetScrollPosition(bar, position);
}

void EditEngine::UpdateVisibleLines() {
    visibleLines_ = std::clamp(buffer_.lastLine - buffer_.topLine, 0, pageLines_);
}

// -------------------------------------------------------------------- text

void EditEngine::SetText(std::string text) {
    Flush();
    const std::string undo = buffer_.undoText;
    const bool armed = buffer_.undoArmed;
    buffer_ = EditBuffer();
    buffer_.undoText = undo;
    buffer_.undoArmed = armed;
    selAnchor_ = selExtent_ = 0;
    selAnchorLine_ = selAnchorX_ = selAnchorY_ = 0;
    dragging_ = shiftSelecting_ = false;
    wordWrap_ = !style_.autoHScroll;
    if (wordWrap_ && style_.multiLine) {
        // Soft breaks go back to what they stand for before wrapping again.
        for (char& c : text) {
            if (c == static_cast<char>(kSoftBreakSpace)) c = ' ';
            if (c == static_cast<char>(kSoftBreakTab)) c = static_cast<char>(kTab);
        }
    }
    buffer_.Assign(std::move(text));
    const bool wrapped = wordWrap_ && style_.multiLine;
    if (wrapped) Rewrap();
    buffer_.caretIndex = 0;
    buffer_.caretLine = 0;
    buffer_.caretX = 0;
    buffer_.caretY = 0;
    UpdateCurrentWord();
    UpdateVisibleLines();
    SetBarRange(platform::ScrollBar::Vertical, buffer_.lastLine);
    SetBarPos(platform::ScrollBar::Vertical, 0);

    // A wrapped text was measured line by line while it was wrapped.
    int widest = wrapped ? rewrapWidest_ : 0;
    const std::string& t = buffer_.Text();
    for (std::size_t p = 0; !wrapped && p <= t.size();) {
        const std::size_t stop = buffer_.LineStop(p);
        widest = std::max(widest, MeasureText(std::string_view(t).substr(p, stop - p)));
        p = stop + 1;
    }
    buffer_.widestLine = widest;
    if (widest > 0) SetBarRange(platform::ScrollBar::Horizontal, widest);
    buffer_.currentLineWidth = MeasureCaretLine();
    window_.InvalidateAll(true);
}

void EditEngine::Undo() {
    Flush();
    std::string previous = buffer_.Text();
    std::string restored = FilterReloadedText(buffer_.undoText);
    SetText(std::move(restored));
    buffer_.undoText = std::move(previous);
}

std::string EditEngine::LineText(int line) {
    Flush();
    if (line > buffer_.lastLine + 1) Beep();
    if (line < 0 || line > buffer_.lastLine) return {};
    const std::size_t start = buffer_.LineOffset(line);
    return std::string(LineAround(start));
}

// ------------------------------------------------------------- selection

void EditEngine::SetSelStart(int start) {
    Flush();
    selAnchor_ = static_cast<std::size_t>(std::clamp<long>(start, 0, static_cast<long>(buffer_.Size())));
    events_.Modified();
}

void EditEngine::SetSelLength(int length) {
    Flush();
    const long end = std::clamp<long>(static_cast<long>(selAnchor_) + length, 0,
                                      static_cast<long>(buffer_.Size()));
    selExtent_ = static_cast<std::size_t>(end);
    const int h = metrics_.LineHeight();
    selAnchorLine_ = buffer_.LineOf(selAnchor_);
    selAnchorX_ = XOfOffset(selAnchor_);
    selAnchorY_ = (selAnchorLine_ - buffer_.topLine) * h;
    MoveCaretTo(selExtent_);
    window_.InvalidateAll(true);
    events_.Modified();
}

void EditEngine::MoveCaretTo(std::size_t index) {
    buffer_.caretIndex = std::min(index, buffer_.Size());
    buffer_.caretLine = buffer_.LineOf(buffer_.caretIndex);
    buffer_.caretX = XOfOffset(buffer_.caretIndex);
    buffer_.caretY = (buffer_.caretLine - buffer_.topLine) * metrics_.LineHeight();
    buffer_.currentLineWidth = MeasureCaretLine();
    UpdateCurrentWord();
    PlaceCaret(buffer_.caretX, buffer_.caretY);
}

void EditEngine::CheckSelectionEvents() {
    if (HasSelection() && !selectedFired_) {
        selectedFired_ = true;
        events_.Selected();
    } else if (!HasSelection() && selectedFired_) {
        selectedFired_ = false;
        events_.UnSelected();
    }
}

void EditEngine::OnKeyUp() { CheckSelectionEvents(); }

}  // namespace vexa::edit
