#pragma once

#include <cstdint>
#include <string>

#include "captions/caption_kinds.h"
#include "common/accessible_view.h"
#include "common/control_error.h"
#include "common/script_binding.h"
#include "common/script_fonts.h"
#include "common/script_settings.h"
#include "common/property_exchange.h"
#include "platform/platform.h"
#include "platform/registry_store.h"
#include "platform/settings_files.h"

namespace vexa::captions {

// The persistent properties of a caption control (the check box and radio
// button use all of them; the push button and group box leave the check
// members alone).
struct CaptionProperties : common::ScriptSettings {
    std::string caption;  // as set at design time
    std::string text;     // the text shown: the caption after loading, or Text
    std::int16_t value = 0;
    bool autoKind = true;
    bool pushLike = false;
    std::int16_t alignment = 1;  // 0: caption left of the box; 1: right of it
};

// What the logic asks of the control's window side.
class CaptionView {
public:
    virtual ~CaptionView() = default;
    virtual bool WindowExists() const = 0;
    // The button's kind and style bits changed (only with a window).
    virtual void ApplyStyle(std::uint32_t /*style*/) {}
    // Build the window font(s) for the script, faces and size.
    virtual void RebuildFont(const common::DrawingScript& /*script*/) {}
    // The window text: the plain font-code text of the current text.
    virtual void ShowWindowText(const std::string& /*text*/) {}
    virtual void Invalidate() {}
    virtual void MarkModified() {}
    // The container shows this push button as its default button.
    virtual bool IsDefaultButton() const { return false; }
    // Clicks the button as the Space key does (assistive technology's
    // default action).
    virtual void PerformClick() {}
};

struct CaptionServices {
    const platform::Platform& platform;
    platform::RegistryStore& registry;
    platform::SettingsFiles& settings;
};

// What a click on the button did.
struct ClickOutcome {
    bool fireClick = false;
    // An automatic radio button became checked: the others of its group are
    // to be cleared.
    bool clearGroup = false;
};

// The behaviour of the four caption controls that does not depend on a
// window: the properties and their rules, the script binding, the window
// text in font codes, the button's check state, clicks, persistence and
// the settings file. The kind table says where the four differ.
class CaptionLogic : private common::ScriptHost, public common::AccessibleView {
public:
    CaptionLogic(CaptionKind kind, CaptionServices services, CaptionView& view);

    const CaptionKindInfo& Info() const { return info_; }
    CaptionProperties& Props() { return props_; }
    const CaptionProperties& Props() const { return props_; }
    common::ScriptBinding& Binding() { return binding_; }
    // English mode: the "English" script, or no converter could be bound.
    bool EnglishMode() const;
    common::DrawingScript Drawing() const;

    // The framework's reset of a new control.
    void Reset();
    // Exchange of the persistent properties in the kind's order, with the
    // registry defaults; then the current text follows the caption and the
    // settings-file rules apply.
    void Exchange(common::PropertyExchange& px, bool userMode);

    // Window creation: binds the script (asking the user when no converter
    // binds). False when the user answers No: creation fails.
    bool BindAtCreation();
    // After the window exists: font, window text and check state.
    void WindowCreated();

    // The button kind and style bits for the current properties.
    std::uint32_t WindowStyle() const;
    // The text the window shows: plain font codes (the window text) and the
    // same with its font switches (for drawing with the three fonts).
    const std::string& WindowText() const { return windowText_; }
    const std::string& DrawRun() const { return drawRun_; }

    void SetCaption(const std::string& caption);
    void SetText(const std::string& text);
    // The Unicode twins of Caption and Text: read in the script's block,
    // written whole or refused with nothing changed.
    common::Outcome ReadUnicodeCaption(std::u16string& out) const;
    common::Outcome ReadUnicodeText(std::u16string& out) const;
    common::Outcome SetUnicodeCaption(std::u16string_view caption);
    common::Outcome SetUnicodeText(std::u16string_view text);
    void SetScriptName(const std::string& name) { binding_.SetScriptName(name); }
    void SetFontName(const std::string& face) { binding_.SetFontName(face); }
    void SetFontSize(std::int16_t size) { binding_.SetFontSize(size); }
    void SetKeyboardType(std::int16_t type) { binding_.SetKeyboardType(type); }
    void SetLinFile(const std::string& file) { binding_.SetLinFile(file); }
    void SetDisableEnglish(bool on) { binding_.SetDisableEnglish(on); }
    void SetAccessGlobal(bool on);
    void SetGlobalSettings(bool on);
    // Check box and radio button only.
    void SetValue(std::int16_t value);
    // The check state (0 or 1) the button shows; clicks change it, Value
    // reads it.
    int CheckState() const { return checkState_; }
    void SetCheckState(int state);
    void SetPushLike(bool on);
    void SetAuto(bool on);
    void SetAlignment(std::int16_t alignment);
    // A colour of the push button's own: stored nowhere, marks modified.
    void TouchColour() { Modified(); }

    // The button was clicked (mouse, Space, or a click message).
    ClickOutcome Clicked();

    bool SaveGlobalSettings();
    bool LoadGlobalSettings();

    // The font and window text again (font size, face or script changed).
    void RebuildFontAndText();

    // AccessibleView (caption_accessible.cpp): role, caption, check state,
    // default action.
    common::AccessibleRole Role(int child) const override;
    std::u16string Name(int child) const override;
    std::uint32_t States(int child) const override;
    std::u16string DefaultAction(int child) const override;
    bool DoDefaultAction(int child) override;

private:
    // ScriptHost
    void RebuildFonts() override { RebuildFontAndText(); }
    void MarkModified() override { view_.MarkModified(); }
    void Modified() { view_.MarkModified(); }
    void ShowText();

    const CaptionKindInfo& info_;
    CaptionServices services_;
    CaptionView& view_;
    CaptionProperties props_;
    common::ScriptBinding binding_;
    std::string windowText_;
    std::string drawRun_;
    int checkState_ = 0;
};

}  // namespace vexa::captions
