// The engine's own steps: construction, layout after a new setup or size,
// and the few messages that touch both the view and the commands.
#include "edit/edit_engine.h"

namespace vexa::edit {

EditEngine::EditEngine(platform::ControlWindow& window, platform::Fonts& fonts,
                       platform::MessageBoxes& messages, script::ConverterLibrary& converter,
                       EditEvents& events)
    : window_(window),
      messages_(messages),
      converter_(converter),
      events_(events),
      view_(window, fonts, converter, style_, script_, buffer_),
      commands_(window, messages, events, style_, script_, buffer_, view_) {}

void EditEngine::LayoutSetup() {
    buffer_.Flush();
    buffer_.Reset(std::string(buffer_.Text()));
    view_.Reset(true);
    commands_.Reset();
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
    view_.RebuildFonts();
    buffer_.Flush();
    window_.InvalidateAll(true);
    events_.Modified();
}

void EditEngine::OnSize() {
    const int oldWidth = view_.TextWidth();
    view_.Layout();
    view_.Recount();
    // Lines wrapped for the old width would run past a narrower edge or
    // leave a wider one half empty: wrap the whole text again.
    if (view_.WrapsLines() && style_.multiLine && view_.TextWidth() != oldWidth) {
        view_.RewrapToWidth();
        commands_.UpdateCurrentWord();
    }
    view_.UpdateVisibleLines();
    view_.KeepCaretInView();
    window_.InvalidateAll(true);
}

void EditEngine::OnVScroll(int code, int position) {
    buffer_.Flush();
    view_.OnVScroll(code, position);
}

void EditEngine::OnHScroll(int code, int position) {
    buffer_.Flush();
    view_.OnHScroll(code, position);
}

std::string EditEngine::LineText(int line) {
    buffer_.Flush();
    if (line > buffer_.LastLine() + 1) messages_.Beep();
    if (line < 0 || line > buffer_.LastLine()) return {};
    return std::string(buffer_.LineAround(buffer_.LineOffset(line)));
}

}  // namespace vexa::edit
