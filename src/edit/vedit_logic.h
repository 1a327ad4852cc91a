#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/control_error.h"
#include "common/script_binding.h"
#include "common/script_settings.h"
#include "edit/edit_style.h"
#include "keyboard/keyboard_loader.h"
#include "common/property_exchange.h"
#include "platform/platform.h"
#include "platform/registry_store.h"
#include "platform/settings_files.h"
#include "script/converter_library.h"

namespace vexa::edit {

// The persistent properties of the edit control: its style, the script
// settings every control has, and its own.
struct VEditProperties : EditStyle, common::ScriptSettings {
    std::int16_t isciiDataFormat = 0;
    std::uint32_t foreColor = 0;
    std::uint32_t backColor = 0x80000005;
    std::string text = "VEdit";
    std::int32_t unicodeText = 0;  // stored and loaded, not used otherwise
    bool wordWrap = false;         // follows AutoHScroll
};

// What the logic asks of the control's window side.
class VEditView : public common::ScriptHost {
public:
    virtual void Repaint() {}
    // The style bits changed: text width, line counts, page lines.
    virtual void StyleChanged() {}
    // The whole text was replaced (counters reset, caret at the start).
    virtual void TextReplaced() {}
    // The container's permission to change the bound Text property.
    virtual bool RequestTextEdit() { return true; }
    virtual void TextPropertyChanged() {}
};

struct VEditServices {
    const platform::Platform& platform;
    platform::RegistryStore& registry;
    platform::SettingsFiles& settings;
};

// The edit control's behaviour that does not depend on its window: its
// properties with the rules that tie them together, the script, font and
// keyboard bindings, the Text property in the data formats, and the saved
// defaults.
class VEditLogic {
public:
    VEditLogic(VEditServices services, VEditView& view);

    VEditProperties& Props() { return props_; }
    const VEditProperties& Props() const { return props_; }
    const common::ActiveScript& Script() const { return binding_.Active(); }
    bool EnglishScript() const { return binding_.EnglishScript(); }
    script::ConverterLibrary& Converter() { return binding_.Converter(); }
    const keyboard::EditKeyboardState& Keyboard() const { return binding_.Keyboard(); }
    common::ScriptBinding& Binding() { return binding_; }

    // The framework's reset, then the control's own defaults.
    void Reset();
    // Exchange of the persistent properties in the stored order, with the
    // defaults from the registry store, then the saved-settings rules.
    void Exchange(common::PropertyExchange& px, bool userMode);

    // The window-creation steps that bind the script: probe the converters,
    // ask the user when none binds. False when the user answers No.
    bool BindAtCreation();
    // Loads the stored text as the control's own 8-bit text.
    void LoadStoredText();

    // Style setters (each marks the control modified).
    void SetAutoHScroll(bool on);
    void SetHScrollBar(bool on);
    void SetAutoVScroll(bool on);
    void SetVScrollBar(bool on);
    void SetWantReturn(bool on);
    void SetReadOnly(bool on);
    void SetMultiLine(bool on);
    void SetPassword(bool on);

    // Script, font and keyboard setters: the shared rules of every control.
    void SetScriptName(const std::string& name) { binding_.SetScriptName(name); }
    void SetFontName(const std::string& face) { binding_.SetFontName(face); }
    void SetFontSize(std::int16_t size) { binding_.SetFontSize(size); }
    void SetFontType(std::int16_t type) { binding_.SetFontType(type); }
    void SetKeyboardType(std::int16_t type) { binding_.SetKeyboardType(type); }
    void SetLinFile(const std::string& file) { binding_.SetLinFile(file); }
    void SetDisableEnglish(bool on) { binding_.SetDisableEnglish(on); }
    // Refuses a format other than 0 (8-bit), 1 (7-bit) and 2 (PC-ISCII);
    // the stored format is then unchanged.
    common::Outcome SetIsciiDataFormat(std::int16_t format);
    void SetForeColor(std::uint32_t colour);
    void SetBackColor(std::uint32_t colour);
    void SetGlobalSettings(bool on);
    void SetAccessGlobal(bool on);

    std::string GetScriptList() const { return binding_.GetScriptList(); }
    std::string GetFontList() const { return binding_.GetFontList(); }

    // Text in the current data format. A stored format that is not valid
    // (from a settings file or the registry) is reported to the user and
    // fails, leaving `out` empty.
    common::Outcome ReadText(std::string& out);
    // Replaces the text from the current data format. Fails, with the text
    // unchanged, when the format is invalid (reported to the user) or the
    // container refuses the change.
    common::Outcome AssignText(std::string_view input);
    // The Unicode twin of Text: the stored text in the script's Unicode
    // block, and a Unicode text taken whole or refused (nothing changes)
    // when the script cannot hold one of its characters.
    common::Outcome ReadUnicodeText(std::u16string& out);
    common::Outcome AssignUnicodeText(std::u16string_view input);
    // Sets the 8-bit text directly (typing, undo); the owner repaints.
    void SetStoredText(std::string text) { props_.text = std::move(text); }

    bool SaveGlobalSettings();
    bool LoadGlobalSettings();

private:
    void Modified() { view_.MarkModified(); }
    common::Outcome ReplaceText(std::string text);

    VEditServices services_;
    VEditView& view_;
    VEditProperties props_;
    common::ScriptBinding binding_;
};

}  // namespace vexa::edit
