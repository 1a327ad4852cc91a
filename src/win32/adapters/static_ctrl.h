#pragma once

#include <windows.h>
// The seam's Surface::TextOut is not the Win32 macro.
#undef TextOut

#include "common/script_fonts.h"
#include "statics/static_logic.h"
#include "win32/framework/activex_control.h"
#include "win32/seam/win32_graphics.h"

namespace vexa::win32 {

// VStatic: the framework's control object on a subclassed STATIC (with the
// alignment and click-notice style bits) around the label logic. The
// control paints the whole window itself, with the script's three fonts,
// and handles the mouse for the hyperlink: hover capture, the hand cursor,
// and a press and release inside that opens the URL through the shell
// seam. It never takes the focus.
class CVStaticCtrl : public ActiveXControl, private statics::StaticView {
public:
    CVStaticCtrl();
    ~CVStaticCtrl() override;

protected:
    void DoPropExchange(common::PropertyExchange& px) override;

    WindowKind Kind() const override;
    bool OnCreate() override;
    void OnDestroy() override;
    void OnDraw(HDC dc, const RECT& bounds) override;
    void OnMouse(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool TakesFocus() const override { return false; }
    bool WantsMouse() const override { return true; }
    bool PaintsSystemWindow() const override { return true; }
    HCURSOR Cursor() const override;
    std::vector<std::string_view> PropertyPages() const override;
    // The URL keeps every character the caller gave (the address checker
    // refuses what is not plain ASCII); the other texts are 8-bit.
    TextCoding CodingOf(std::string_view member) const override {
        return member == "URL" ? TextCoding::Utf8 : TextCoding::Ansi;
    }
    common::AccessibleView* Accessible() override { return &logic_; }

private:
    // StaticView
    bool WindowExists() const override { return Window() != nullptr; }
    void RebuildFont(const common::DrawingScript& script, bool underline) override;
    void Invalidate() override { InvalidateControl(); }
    void RedrawNow() override;
    void SetCapture() override;
    void ReleaseCapture() override;
    void FireClick() override { FireEvent("Click"); }
    void MarkModified() override { SetModifiedFlag(); }

    // The host's main window says it is the one design environment whose
    // standard painting runs after the label's own.
    bool StandardPaintFollows(HWND hwnd) const;

    statics::StaticLogic logic_;
    TableAccess<statics::StaticLogic> table_;
    Win32Fonts fonts_;
    common::ScriptFonts scriptFonts_;
    HCURSOR hand_ = nullptr;  // loaded at creation in hyperlink mode
};

}  // namespace vexa::win32
