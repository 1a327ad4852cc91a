#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/script_fonts.h"
#include "common/script_settings.h"
#include "keyboard/keyboard_loader.h"
#include "platform/platform.h"
#include "script/converter_library.h"

namespace vexa::common {

// What a script binding asks of the control it belongs to.
class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    // The faces or the size changed: build the fonts and width tables again.
    virtual void RebuildFonts() {}
    virtual void MarkModified() {}
};

// Which rules a binding follows. The edit control looks scripts up in the
// process-wide reach of its font type, draws English with the row's second
// face and binds a keyboard. The caption controls always use the bilingual
// rows 0 to 13 (whatever the reach, which they never set), draw English with
// the script face itself, take "Roman" as their face in English-only mode,
// and bind no keyboard (they take no typed text).
enum class BindingRules { Edit, FixedBilingual };

// A control's script settings with the rules that tie them together: which
// converter library and keyboard a script binds, which faces it draws with,
// and the two lists a host asks for. The control owns the settings; the
// binding owns the loaded converter and the keyboard state.
class ScriptBinding {
public:
    ScriptBinding(const platform::Platform& platform, ScriptSettings& settings, ScriptHost& host,
                  BindingRules rules = BindingRules::Edit);

    const ActiveScript& Active() const { return active_; }
    bool EnglishScript() const { return englishScript_; }
    script::ConverterLibrary& Converter() { return converter_; }
    const script::ConverterLibrary& Converter() const { return converter_; }
    const keyboard::EditKeyboardState& Keyboard() const { return keyboard_; }

    // A fixed-bilingual control draws English when its script is English or
    // the script's converter did not load; it draws both scripts in its one
    // face, so the drawing script names that face twice.
    bool DrawsEnglish() const { return englishScript_ || !converter_.HasFunction(); }
    DrawingScript FixedBilingualDrawing() const;

    // The window-creation steps: probe the converters, choose the script,
    // bind it, and ask the user when none binds. False when the user
    // answers No (creation fails). `controlName` names the warning's box.
    // A loaded FontName that cannot draw the chosen script gives way to
    // `savedFace` (the saved default face) when that one can, else to the
    // script's default face.
    bool BindAtCreation(std::string_view controlName, std::string_view savedFace = {});

    // The setters store the value, apply the rules, and mark the control
    // modified last.
    void SetScriptName(const std::string& name);
    void SetFontName(const std::string& face);
    void SetFontSize(std::int16_t size);
    void SetFontType(std::int16_t type);
    void SetKeyboardType(std::int16_t type);
    void SetLinFile(const std::string& file);
    void SetDisableEnglish(bool on);

    // The scripts whose converter files are installed, each followed by
    // ";" ("English;" when none is).
    std::string GetScriptList() const;
    // The faces of the current script and font type.
    std::string GetFontList() const;

    void ApplyScript(const std::string& converterFile, const std::string& converterEntry,
                     const std::string& scriptFace, const std::string& englishFace,
                     const std::string& scriptName);
    void ApplyRow(int row);
    void UnloadConverter() { converter_.Unload(); }

private:
    void Modified() { host_.MarkModified(); }
    bool Fixed() const { return rules_ == BindingRules::FixedBilingual; }
    // The row named `name` under the binding's rules.
    std::optional<int> FindRow(std::string_view name) const;
    std::string EnglishFace(int row, const std::string& face) const;
    void LoadKeyboard(const std::string& scriptName);

    const platform::Platform& platform_;
    ScriptSettings& settings_;
    ScriptHost& host_;
    BindingRules rules_;
    ActiveScript active_;
    bool englishScript_ = false;
    script::ConverterLibrary converter_;
    keyboard::EditKeyboardState keyboard_;
};

}  // namespace vexa::common
