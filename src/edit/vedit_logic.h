#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "edit/edit_style.h"
#include "keyboard/keyboard_loader.h"
#include "module/property_exchange.h"
#include "platform/platform.h"
#include "platform/registry_store.h"
#include "platform/settings_files.h"
#include "script/converter_library.h"

namespace vexa::edit {

// The persistent properties of the edit control and the state that goes
// with them.
struct VEditProperties : EditStyle {
    bool accessGlobal = false;
    bool disableEnglish = false;
    bool globalSettings = false;
    std::string scriptName;
    std::string fontName;
    std::int16_t fontSize = 0;
    std::int16_t isciiDataFormat = 0;
    std::int16_t keyboardType = 0;
    std::int16_t fontType = 0;
    std::string linFile = "dv1lay.lin";
    std::uint32_t foreColor = 0;
    std::uint32_t backColor = 0x80000005;
    std::string text = "VEdit";
    std::int32_t unicodeText = 0;  // stored and loaded, not used otherwise
    bool wordWrap = false;         // follows AutoHScroll
};

// The five strings of the script the control draws with.
struct ActiveScript {
    std::string converterFile;
    std::string converterEntry;
    std::string scriptFace;
    std::string englishFace;
    std::string scriptName;
};

// What the logic asks of the control's window side.
class VEditView {
public:
    virtual ~VEditView() = default;
    virtual void RebuildFonts() {}
    virtual void Repaint() {}
    // The style bits changed: text width, line counts, page lines.
    virtual void StyleChanged() {}
    // The whole text was replaced (counters reset, caret at the start).
    virtual void TextReplaced() {}
    virtual void MarkModified() {}
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
    const ActiveScript& Script() const { return active_; }
    bool EnglishScript() const { return englishScript_; }
    script::ConverterLibrary& Converter() { return converter_; }
    const keyboard::EditKeyboardState& Keyboard() const { return keyboard_; }

    // The framework's reset, then the control's own defaults.
    void Reset();
    // Exchange of the persistent properties in the stored order, with the
    // defaults from the registry store, then the saved-settings rules.
    void Exchange(module::PropertyExchange& px, bool userMode);

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

    // Script, font and keyboard setters.
    void SetScriptName(const std::string& name);
    void SetFontName(const std::string& face);
    void SetFontSize(std::int16_t size);
    void SetFontType(std::int16_t type);
    void SetKeyboardType(std::int16_t type);
    void SetLinFile(const std::string& file);
    void SetDisableEnglish(bool on);
    void SetIsciiDataFormat(std::int16_t format);
    void SetForeColor(std::uint32_t colour);
    void SetBackColor(std::uint32_t colour);
    void SetGlobalSettings(bool on);
    void SetAccessGlobal(bool on);

    std::string GetScriptList();
    std::string GetFontList();

    // Text in the current data format; an invalid format is reported to the
    // user and reads as empty.
    std::string ReadText();
    // Replaces the text from the current data format. False, with the text
    // unchanged, when the format is invalid (reported to the user) or the
    // container refuses the change.
    bool AssignText(std::string_view input);
    // Sets the 8-bit text directly (typing, undo); the owner repaints.
    void SetStoredText(std::string text) { props_.text = std::move(text); }

    bool SaveGlobalSettings();
    bool LoadGlobalSettings();

    void ApplyScript(const std::string& converterFile, const std::string& converterEntry,
                     const std::string& scriptFace, const std::string& englishFace,
                     const std::string& scriptName);
    void ApplyRow(int row);

private:
    void Modified() { view_.MarkModified(); }

    VEditServices services_;
    VEditView& view_;
    VEditProperties props_;
    ActiveScript active_;
    bool englishScript_ = false;
    script::ConverterLibrary converter_;
    keyboard::EditKeyboardState keyboard_;
};

}  // namespace vexa::edit
