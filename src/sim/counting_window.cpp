#include "sim/counting_window.h"

namespace vexa::sim {

namespace {

class CountingSurface : public platform::Surface {
public:
    CountingSurface(std::unique_ptr<platform::Surface> inner, SeamCounts& counts)
        : inner_(std::move(inner)), counts_(counts) {}

    int LogPixelsY() const override { return Count(), inner_->LogPixelsY(); }
    platform::Rect ClipBox() const override { return Count(), inner_->ClipBox(); }
    void SelectFont(const platform::Font* font) override {
        Count();
        inner_->SelectFont(font);
    }
    platform::CharWidthTable CharWidths() override { return Count(), inner_->CharWidths(); }
    int CharWidth(unsigned char code) override { return Count(), inner_->CharWidth(code); }
    void SetTextColour(platform::Colour colour) override {
        Count();
        inner_->SetTextColour(colour);
    }
    void SetBackColour(platform::Colour colour) override {
        Count();
        inner_->SetBackColour(colour);
    }
    void SetTransparent(bool transparent) override {
        Count();
        inner_->SetTransparent(transparent);
    }
    void Fill(const platform::Rect& rect, platform::Colour colour) override {
        Count();
        ++counts_.fills;
        inner_->Fill(rect, colour);
    }
    void TextOut(int x, int y, std::string_view codes) override {
        Count();
        ++counts_.textOuts;
        counts_.codesDrawn += codes.size();
        inner_->TextOut(x, y, codes);
    }
    void InvertPolygon(std::span<const platform::Point> corners) override {
        Count();
        inner_->InvertPolygon(corners);
    }

private:
    void Count() const { ++counts_.surfaceCalls; }

    std::unique_ptr<platform::Surface> inner_;
    SeamCounts& counts_;
};

}  // namespace

std::unique_ptr<platform::Surface> CountingWindow::Wrap(std::unique_ptr<platform::Surface> surface) {
    ++counts_.surfaces;
    return std::make_unique<CountingSurface>(std::move(surface), counts_);
}

void CountingWindow::Invalidate(const platform::Rect& rect, bool erase) {
    ++counts_.windowCalls;
    ++counts_.invalidations;
    inner_.Invalidate(rect, erase);
}

void CountingWindow::InvalidateAll(bool erase) {
    ++counts_.windowCalls;
    ++counts_.invalidations;
    inner_.InvalidateAll(erase);
}

void CountingWindow::Update() {
    ++counts_.windowCalls;
    inner_.Update();
}

void CountingWindow::ScrollContents(int dx, int dy, const platform::Rect& clip) {
    ++counts_.windowCalls;
    inner_.ScrollContents(dx, dy, clip);
}

std::unique_ptr<platform::Surface> CountingWindow::GetSurface() {
    ++counts_.windowCalls;
    return Wrap(inner_.GetSurface());
}

std::unique_ptr<platform::Surface> CountingWindow::BeginPaint() {
    ++counts_.windowCalls;
    return Wrap(inner_.BeginPaint());
}

void CountingWindow::CreateCaret(int width, int height) {
    ++counts_.windowCalls;
    ++counts_.caretCalls;
    inner_.CreateCaret(width, height);
}

void CountingWindow::DestroyCaret() {
    ++counts_.windowCalls;
    ++counts_.caretCalls;
    inner_.DestroyCaret();
}

void CountingWindow::SetCaretPosition(platform::Point p) {
    ++counts_.windowCalls;
    ++counts_.caretCalls;
    inner_.SetCaretPosition(p);
}

void CountingWindow::ShowCaret() {
    ++counts_.windowCalls;
    ++counts_.caretCalls;
    inner_.ShowCaret();
}

void CountingWindow::HideCaret() {
    ++counts_.windowCalls;
    ++counts_.caretCalls;
    inner_.HideCaret();
}

void CountingWindow::SetScrollRange(platform::ScrollBar bar, int minimum, int maximum) {
    ++counts_.windowCalls;
    ++counts_.scrollBarCalls;
    inner_.SetScrollRange(bar, minimum, maximum);
}

void CountingWindow::SetScrollPosition(platform::ScrollBar bar, int position) {
    ++counts_.windowCalls;
    ++counts_.scrollBarCalls;
    inner_.SetScrollPosition(bar, position);
}

int CountingWindow::ScrollPosition(platform::ScrollBar bar) const {
    ++counts_.windowCalls;
    ++counts_.scrollBarCalls;
    return inner_.ScrollPosition(bar);
}

void CountingWindow::ShowScrollBar(platform::ScrollBar bar, bool show) {
    ++counts_.windowCalls;
    ++counts_.scrollBarCalls;
    inner_.ShowScrollBar(bar, show);
}

void CountingWindow::SetCapture() {
    ++counts_.windowCalls;
    inner_.SetCapture();
}

void CountingWindow::ReleaseCapture() {
    ++counts_.windowCalls;
    inner_.ReleaseCapture();
}

bool CountingWindow::HasCapture() const {
    ++counts_.windowCalls;
    return inner_.HasCapture();
}

void CountingWindow::SetFocus() {
    ++counts_.windowCalls;
    inner_.SetFocus();
}

bool CountingWindow::HasFocus() const {
    ++counts_.windowCalls;
    return inner_.HasFocus();
}

bool CountingWindow::LeftButtonDown() const {
    ++counts_.windowCalls;
    return inner_.LeftButtonDown();
}

platform::Point CountingWindow::CursorPosition() const {
    ++counts_.windowCalls;
    return inner_.CursorPosition();
}

void CountingWindow::PostMouseMove(unsigned flags, platform::Point p) {
    ++counts_.windowCalls;
    inner_.PostMouseMove(flags, p);
}

void CountingWindow::NotifyParent(unsigned code) {
    ++counts_.windowCalls;
    inner_.NotifyParent(code);
}

}  // namespace vexa::sim
