#pragma once

#include "edit/vedit_logic.h"
#include "keyboard/keyboard_loader.h"
#include "module/automation_catalogue.h"
#include "win32/activex_control.h"

namespace vexa::win32 {

// The VEdit ActiveX control: the framework's control object around the
// edit control's logic, with its window, fonts and events.
class CVEditCtrl : public ActiveXControl, private edit::VEditView {
public:
    CVEditCtrl();
    ~CVEditCtrl() override;

protected:
    void DoPropExchange(module::PropertyExchange& px) override;
    void OnResetState() override;
    HRESULT GetProperty(const module::Member& member, module::PropertyValue& value) override;
    HRESULT SetProperty(const module::Member& member, const module::PropertyValue& value) override;
    HRESULT CallMethod(const module::Member& member, std::vector<VARIANT*>& args,
                       VARIANT* result) override;

    bool OnCreate() override;
    void OnDestroy() override;
    void OnDraw(HDC dc, const RECT& bounds) override;
    void OnSetFocus() override;
    void OnKillFocus() override;
    void OnKeyDown(UINT key, LPARAM flags) override;
    void OnKeyUp(UINT key, LPARAM flags) override;

private:
    // VEditView
    void RebuildFonts() override;
    void Repaint() override { InvalidateControl(); }
    void StyleChanged() override { InvalidateControl(); }
    void TextReplaced() override;
    void MarkModified() override { SetModifiedFlag(); }
    bool RequestTextEdit() override;
    void TextPropertyChanged() override { PropertyChanged(module::kDispIdText); }

    void ReleaseFonts();
    void NotifyParent(WORD code);
    void Changed();
    // The text with its line breaks, as the lines painting draws.
    void DrawLines(HDC dc, const RECT& bounds, POINT* caret);

    edit::VEditLogic logic_;
    HFONT scriptFont_ = nullptr;
    HFONT englishFont_ = nullptr;
    HFONT extensionFont_ = nullptr;
    int lineHeight_ = 16;
    std::int32_t selStart_ = 0;
    std::int32_t selLength_ = 0;
    bool editRefused_ = false;
};

}  // namespace vexa::win32
