// The view's layout, measurement and caret.
#include "edit/edit_view.h"

#include <algorithm>
#include <cstdlib>

#include "common/dpi_scale.h"
#include "script/font_code.h"

namespace vexa::edit {

EditView::EditView(platform::ControlWindow& window, platform::Fonts& fonts,
                   script::ConverterLibrary& converter, const EditStyle& style,
                   common::DrawingScript& script, EditBuffer& buffer)
    : window_(window),
      fonts_(fonts),
      converter_(converter),
      style_(style),
      script_(script),
      buffer_(buffer) {}

void EditView::Reset(bool newLayout) {
    checkpoints_.Clear();
    if (newLayout) {
        visibleLines_ = 0;
        caretFollow_ = true;
    }
    sel_ = Selection();
    caret_ = CaretPixels();
    hScroll_ = 0;
    widestLine_ = 0;
    wordWrap_ = !style_.autoHScroll;
}

// ------------------------------------------------------------------ layout

void EditView::RebuildFonts() {
    checkpoints_.Clear();
    if (window_.CanMeasure()) {
        auto surface = window_.GetSurface();
        metrics_.MakeFontDescriptions(*surface, script_, script_.fontSize);
        BuildWidthTables();
    }
    UpdatePageLines();
    UpdateVisibleLines();
}

void EditView::BuildWidthTables() {
    checkpoints_.Clear();
    if (!window_.CanMeasure()) return;
    auto surface = window_.GetSurface();
    surface->SelectFont(nullptr);
    metrics_.SetTibetanSpace(script_.IsTibetan(), surface->CharWidth(0xA1));
    metrics_.BuildWidthTables(fonts_, *surface, script_, style_.password, true);
}

void EditView::UpdatePageLines() {
    const int h = metrics_.LineHeight();
    // Without a line height (no fonts yet, or size 0) one row is assumed.
    pageLines_ = (style_.multiLine && h > 0) ? std::max(1, textHeight_ / h) : 1;
}

void EditView::UpdateVisibleLines() {
    visibleLines_ = std::clamp(buffer_.LastLine() - buffer_.TopLine(), 0, pageLines_);
}

int EditView::RowsFit() const {
    const int h = metrics_.LineHeight();
    return h > 0 ? textHeight_ / h : 1;
}

void EditView::Layout() {
    textRect_ = window_.ClientRect();
    textHeight_ = textRect_.Height();
    textWidth_ = textRect_.Width();
    UpdatePageLines();
    if (wordWrap_ && buffer_.LastLine() == 0 && style_.vScrollBar) {
        textWidth_ -= window_.VerticalScrollBarWidth();
    }
    layoutReady_ = true;
}

// ------------------------------------------------------------- measurement

std::string EditView::FontCode(std::string_view iscii) const {
    return script::ToFontCodeRun(converter_, iscii, script_.englishScript);
}

int EditView::MeasureText(std::string_view iscii) const {
    if (iscii.empty()) return 0;
    return metrics_.MeasureRun(FontCode(iscii));
}

int EditView::XOfOffset(std::size_t offset) const { return hScroll_ + WidthBefore(offset); }

int EditView::MeasureCaretLine() const {
    return WidthBefore(buffer_.LineStop(buffer_.CaretIndex()));
}

std::size_t EditView::SyllableLength(std::string_view bytes) const {
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

std::size_t EditView::IndexAtPoint(platform::Point& point) const {
    const std::size_t start = buffer_.LineOffset(buffer_.CaretLine());
    const std::size_t stop = buffer_.LineStop(start);
    const std::string_view line = std::string_view(buffer_.Text()).substr(start, stop - start);
    const int target = point.x - hScroll_;
    std::size_t before = 0;
    int widthBefore = 0;
    while (before < line.size()) {
        const std::size_t n = SyllableLength(line.substr(before));
        const std::size_t after = std::min(line.size(), before + n);
        const int widthAfter = MeasureText(line.substr(0, after));
        if (widthAfter > target) {
            if (std::abs(target - widthAfter) < std::abs(target - widthBefore)) {
                point.x = widthAfter + hScroll_;
                return start + after;
            }
            break;
        }
        before = after;
        widthBefore = widthAfter;
    }
    point.x = widthBefore + hScroll_;
    return start + before;
}

namespace {

int FloorToMultiple(int v, int m) {
    if (m <= 0) return 0;
    const int q = v / m - ((v % m != 0 && v < 0) ? 1 : 0);
    return q * m;
}

}  // namespace

int EditView::LineAtPoint(int y) {
    const int h = metrics_.LineHeight();
    int row = h > 0 ? FloorToMultiple(y, h) / h : 0;
    row = std::clamp(row, 0, std::max(0, pageLines_ - 1));
    const int line = std::min(buffer_.TopLine() + row, buffer_.LastLine());
    buffer_.SetCaret(buffer_.CaretIndex(), line);
    caret_.lineWidth = MeasureText(buffer_.LineAround(buffer_.LineOffset(line)));
    return (line - buffer_.TopLine()) * h;
}

// ------------------------------------------------------------------- caret

void EditView::CaretRowFromLine() {
    caret_.y = (buffer_.CaretLine() - buffer_.TopLine()) * metrics_.LineHeight();
}

void EditView::PlaceCaret(int x, int y) {
    if (!wordWrap_ && caretFollow_ && (x > textWidth_ || x < 0)) {
        const int before = hScroll_;
        ScrollTo(hScroll_ + textWidth_ / 2 - x, false, true);
        x += hScroll_ - before;
    }
    caret_.x = x;
    caret_.y = y;
    window_.HideCaret();
    window_.SetCaretPosition({x, y});
    window_.ShowCaret();
}

void EditView::CreateCaretShape() {
    window_.DestroyCaret();
    // Two pixels wide at 96 DPI, wider with the text at a higher resolution.
    const std::unique_ptr<platform::Surface> surface = window_.GetSurface();
    const int dpi = surface ? surface->LogPixelsY() : common::kDesignDpi;
    window_.CreateCaret(common::ScaleForDpi(2, dpi), metrics_.LineHeight());
    window_.SetCaretPosition({caret_.x, caret_.y});
    window_.ShowCaret();
}

void EditView::OnSetFocus() {
    if (!layoutReady_) Layout();
    CreateCaretShape();
}

void EditView::OnKillFocus() {
    window_.HideCaret();
    window_.DestroyCaret();
}

}  // namespace vexa::edit
