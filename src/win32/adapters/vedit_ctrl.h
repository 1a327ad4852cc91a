#pragma once

#include <windows.h>
// The seam's Surface::TextOut is not the Win32 macro.
#undef TextOut

#include "edit/control_keyboard.h"
#include "edit/edit_clipboard.h"
#include "edit/edit_engine.h"
#include "edit/vedit_accessible.h"
#include "edit/vedit_logic.h"
#include "win32/seam/win32_graphics.h"
#include "keyboard/keyboard_loader.h"
#include "module/automation_catalogue.h"
#include "win32/framework/activex_control.h"
#include "win32/framework/class_registry.h"
#include "win32/seam/win32_clipboard.h"

namespace vexa::win32 {

// The VEdit ActiveX control: the framework's control object around the
// edit control's logic, with its window, fonts and events.
class CVEditCtrl : public ActiveXControl, private edit::VEditView, private edit::EditEvents {
public:
    CVEditCtrl();
    ~CVEditCtrl() override;

protected:
    // General, then the others of the control's kind.
    std::vector<std::string_view> PropertyPages() const override { return PageClsidsOf("VEdit"); }
    void DoPropExchange(common::PropertyExchange& px) override;
    void OnResetState() override;
    HRESULT GetProperty(const module::Member& member, common::PropertyValue& value) override;
    HRESULT SetProperty(const module::Member& member, const common::PropertyValue& value) override;
    void OnPropertyWritten(const module::Member& member) override;
    HRESULT CallMethod(MethodCall& call) override;

    bool OnCreate() override;
    void OnDestroy() override;
    void OnDraw(HDC dc, const RECT& bounds) override;
    void OnSetFocus() override;
    void OnKillFocus() override;
    void OnKeyDown(UINT key, LPARAM flags) override;
    void OnKeyUp(UINT key, LPARAM flags) override;
    void OnUnicodeChar(wchar_t unit) override;
    void OnSize(int width, int height) override;
    void OnMouse(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnPaintMessage() override;
    bool KeepsKey(UINT key) const override;
    HCURSOR Cursor() const override;
    common::AccessibleView* Accessible() override { return &accessible_; }

private:
    // VEditView
    void RebuildFonts() override;
    void Repaint() override;
    void StyleChanged() override;
    void TextReplaced() override;
    void MarkModified() override { SetModifiedFlag(); }
    bool RequestTextEdit() override;
    void TextPropertyChanged() override { PropertyChanged(module::kDispIdText); }

    // EditEvents
    void Changed() override {
        accessible_.TextChanged();
        FireEvent("CHANGE");
    }
    void Selected() override { FireEvent("Selected"); }
    void UnSelected() override { FireEvent("UnSelected"); }
    void Modified() override { SetModifiedFlag(); }
    bool CopySelection() override;
    bool Paste() override;
    HRESULT ClipboardMethod(edit::ClipboardResult result);

    // Hands the logic's properties and script to the engine.
    void SyncEngine();
    // The engine holds the text: copies it to the property.
    void PullText();
    // Readies a control that has no window (a script host's) as window
    // creation would.
    void PrepareWithoutWindow();

    void NotifyParent(WORD code);

    // Find and Replace, and the context menu (vedit_menu.cpp).
    HRESULT ShowDialog(bool replace);
    void ShowContextMenu(POINT screenPoint);
    void RunMenuCommand(UINT command);

    edit::VEditLogic logic_;
    Win32ControlWindow window_;
    Win32Fonts fonts_;
    edit::EditEngine engine_;
    edit::ControlKeyboard keyboard_;
    Win32Clipboard clipboard_;
    edit::EditClipboard clipboardCommands_;
    TableAccess<edit::VEditLogic> table_;
    edit::VEditAccessible accessible_{engine_, logic_};
    // The engine holds the text once the control is initialised, with or
    // without a window.
    bool engineReady_ = false;
};

}  // namespace vexa::win32
