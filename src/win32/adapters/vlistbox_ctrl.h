#pragma once

#include <windows.h>
// The seam's Surface::TextOut is not the Win32 macro.
#undef TextOut

#include "common/script_fonts.h"
#include "listbox/listbox_logic.h"
#include "listbox/listbox_paint.h"
#include "win32/adapters/listbox_window.h"
#include "win32/framework/activex_control.h"
#include "win32/seam/win32_graphics.h"

namespace vexa::win32 {

// The VListBox ActiveX control: the framework's control object on a
// subclassed, owner-drawn no-data LISTBOX around the list box logic. The window
// keeps the selection and the scrolling and asks the control to measure
// and draw each item; the control draws the item's font codes with the
// script's fonts and does its own type-ahead through its keyboard.
class CVListBoxCtrl : public ActiveXControl, private listbox::ListBoxView {
public:
    CVListBoxCtrl();
    ~CVListBoxCtrl() override;

protected:
    void DoPropExchange(common::PropertyExchange& px) override;
    void OnPropertyWritten(const module::Member& member) override;
    HRESULT CallMethod(MethodCall& call) override;

    WindowKind Kind() const override;
    bool OnCreate() override;
    void OnDestroy() override;
    void OnDraw(HDC dc, const RECT& bounds) override;
    void OnSize(int width, int height) override;
    void OnKeyDown(UINT key, LPARAM flags) override;
    void OnKeyUp(UINT key, LPARAM flags) override;
    void OnUnicodeChar(wchar_t unit) override;
    void OnMouse(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool KeepsKey(UINT key) const override;
    std::vector<std::string_view> PropertyPages() const override;
    common::AccessibleView* Accessible() override { return &logic_; }

private:
    // ListBoxView
    listbox::ListWindow& List() override { return list_; }
    bool WindowExists() const override { return Window() != nullptr; }
    int BuildFonts(const common::DrawingScript& script) override;
    void SelectionKindChanged(bool multiple) override;
    void Invalidate() override { InvalidateControl(); }
    void MarkModified() override { SetModifiedFlag(); }

    void DrawItem(const DRAWITEMSTRUCT& item);
    // The whole-rows rule: the window (and its reflector) lose the part of
    // a row at the bottom.
    void FitHeight();
    listbox::ItemColours Colours() const;
    HRESULT GetSelectedItems(long maxItems, VARIANT* items, common::PropertyValue& result);

    Win32ListWindow list_;
    listbox::ListBoxLogic logic_;
    TableAccess<listbox::ListBoxLogic> table_;
    Win32Fonts fonts_;
    common::ScriptFonts scriptFonts_;
    HBRUSH backBrush_ = nullptr;
    std::uint32_t brushColour_ = 0;
    bool fitting_ = false;
};

}  // namespace vexa::win32
