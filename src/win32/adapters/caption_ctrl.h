#pragma once

#include <windows.h>
// The seam's Surface::TextOut is not the Win32 macro.
#undef TextOut

#include "captions/caption_logic.h"
#include "common/script_fonts.h"
#include "win32/framework/activex_control.h"
#include "win32/framework/class_registry.h"
#include "win32/seam/win32_graphics.h"

namespace vexa::win32 {

// The caption controls (VPushButton, VCheckBox, VRadioButton, VGroupBox):
// the framework's control object on a subclassed BUTTON around the caption
// logic. The button is owner-drawn so that the caption's font codes are
// drawn with the script's three fonts; clicks, Space and focus stay the
// button's. The button kind the logic chooses is kept in the logic (the
// owner-drawn window has a kind of its own), which answers the check-state
// messages, toggles automatic check boxes and clears the other automatic
// radio buttons of a group.
class CCaptionCtrl : public ActiveXControl, private captions::CaptionView {
public:
    explicit CCaptionCtrl(captions::CaptionKind kind);
    ~CCaptionCtrl() override;

protected:
    // General, then the others of the control's kind.
    std::vector<std::string_view> PropertyPages() const override { return PageClsidsOf(Class().name); }
    void DoPropExchange(common::PropertyExchange& px) override;
    void OnResetState() override;
    void OnAmbientChanged(DISPID dispId) override;

    WindowKind Kind() const override;
    bool OnCreate() override;
    void OnDestroy() override;
    void OnDraw(HDC dc, const RECT& bounds) override;
    void OnKeyDown(UINT key, LPARAM flags) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnMnemonicKey(const MSG& msg) override;
    bool TakesFocus() const override;
    bool KeepsKey(UINT key) const override;
    common::AccessibleView* Accessible() override { return &logic_; }

private:
    // CaptionView
    bool WindowExists() const override { return Window() != nullptr; }
    void ApplyStyle(std::uint32_t style) override;
    void RebuildFont(const common::DrawingScript& script) override;
    void ShowWindowText(const std::string& text) override;
    void Invalidate() override { InvalidateControl(); }
    void MarkModified() override { SetModifiedFlag(); }
    bool IsDefaultButton() const override { return IsDefault(); }
    void PerformClick() override { Click(); }

    void Paint(HDC dc, const RECT& r, bool pressed, bool focused);
    void Click();
    // The top window whose dialog groups the control's window belongs to.
    HWND GroupRoot() const;
    void ClearRadioGroup();
    // Arrow keys in a group of radio buttons: the focus and the check move
    // to the next (or previous) radio button of the group.
    bool MoveInRadioGroup(bool previous);
    LRESULT DialogCodeFor(const MSG* msg) const;
    // Drawn and answered as the default button: the container says so
    // (ambient DisplayAsDefault) or the dialog manager made it so.
    bool IsDefault() const { return ambientDefault_ || dialogDefault_; }

    captions::CaptionLogic logic_;
    TableAccess<captions::CaptionLogic> table_;
    Win32Fonts fonts_;
    common::ScriptFonts scriptFonts_;
    bool ambientDefault_ = false;
    bool dialogDefault_ = false;
};

}  // namespace vexa::win32
