#include "edit/vedit_logic.h"

#include "edit/vedit_faces.h"
#include "edit/vedit_text.h"
#include "module/class_table.h"
#include "pages/default_values.h"
#include "pages/settings_record.h"
#include "platform/family_library.h"
#include "script/converter_probe.h"
#include "script/iscii_text.h"
#include "script/script_catalogue.h"

namespace vexa::edit {

using script::ScriptCatalogue;

namespace {

constexpr int kEditIndex = 1;  // the control index of the edit control

bool KnownFontType(int type) { return type == 0 || type == 1; }

}  // namespace

VEditLogic::VEditLogic(VEditServices services, VEditView& view)
    : services_(services), view_(view), converter_(services.platform) {}

void VEditLogic::Reset() {
    props_.wordWrap = false;
    props_.autoHScroll = true;
    props_.hScrollBar = props_.autoVScroll = props_.vScrollBar = false;
    props_.wantReturn = props_.readOnly = props_.multiLine = false;
}

void VEditLogic::Exchange(module::PropertyExchange& px, bool userMode) {
    pages::DefaultValuesRecord defaults;
    pages::LoadDefaultValues(services_.registry, defaults);
    auto number = [](const std::string& s) { return static_cast<std::int16_t>(pages::DecimalValue(s)); };

    VEditProperties& p = props_;
    px.Bool("AccessGlobal", p.accessGlobal, false);
    px.Bool("AutoHScroll", p.autoHScroll);
    px.Bool("HScrollBar", p.hScrollBar);
    px.Bool("AutoVScroll", p.autoVScroll);
    px.Bool("VScrollBar", p.vScrollBar);
    px.Bool("MultiLine", p.multiLine);
    px.Bool("WantReturn", p.wantReturn);
    px.Bool("ReadOnly", p.readOnly);
    px.String("Text", p.text);
    px.String("ScriptName", p.scriptName, defaults.scriptName);
    px.Short("FontSize", p.fontSize, number(defaults.fontSize));
    px.String("FontName", p.fontName, defaults.fontName);
    px.Short("ISCIIDataFormat", p.isciiDataFormat, number(defaults.dataFormat));
    px.Short("KeyboardType", p.keyboardType, number(defaults.keyboardType));
    px.Bool("Password", p.password, false);
    px.Bool("DisableEnglish", p.disableEnglish, false);
    px.Color("ForeColor", p.foreColor, 0u);
    px.Color("BackColor", p.backColor, 0x80000005u);
    px.Long("UnicodeText", p.unicodeText, 0);
    px.Short("FontType", p.fontType, 0);
    px.String("LinFile", p.linFile, std::string("dv1lay.lin"));
    p.wordWrap = !p.autoHScroll;

    if (px.IsLoading()) {
        if (userMode && p.accessGlobal) LoadGlobalSettings();
        if (!userMode) p.globalSettings = false;
    } else if (!userMode && p.globalSettings) {
        SaveGlobalSettings();
    }
}

bool VEditLogic::BindAtCreation() {
    script::CreationBinding binding = script::BindConverterAtCreation(
        services_.platform, converter_, props_.fontType, props_.scriptName, "VEdit");
    if (!binding.proceed) return false;
    if (binding.choice.englishOnly) {
        englishScript_ = true;
        props_.scriptName = std::string(script::kEnglishScriptName);
        active_ = {"", "", std::string(script::kEnglishFaceName),
                   std::string(script::kEnglishFaceName), props_.scriptName};
        return true;
    }
    englishScript_ = false;
    int row = binding.choice.row;
    const script::ScriptEntry& entry = ScriptCatalogue::Row(row);
    props_.scriptName = binding.choice.name;
    active_ = {std::string(ScriptCatalogue::ConverterFile(row, props_.fontType)),
               std::string(entry.converterEntry), props_.fontName,
               EnglishFaceForRow(row, props_.fontName, props_.fontType), props_.scriptName};
    keyboard::LoadKeyboardSupport(
        services_.platform, {props_.scriptName, props_.keyboardType, props_.linFile, props_.fontType},
        keyboard_);
    return true;
}

void VEditLogic::LoadStoredText() {
    props_.text = FilterOwnText(props_.text);
    view_.TextReplaced();
}

// ---- style rules ----

void VEditLogic::SetAutoHScroll(bool on) {
    props_.autoHScroll = on;
    props_.wordWrap = !on;
    if (!on) props_.hScrollBar = false;
    view_.StyleChanged();
    Modified();
}

void VEditLogic::SetHScrollBar(bool on) {
    props_.hScrollBar = on;
    Modified();
}

void VEditLogic::SetAutoVScroll(bool on) {
    props_.autoVScroll = on;
    if (!on) props_.vScrollBar = false;
    if (on && props_.multiLine) props_.wantReturn = true;
    view_.StyleChanged();
    Modified();
}

void VEditLogic::SetVScrollBar(bool on) {
    props_.vScrollBar = on;
    Modified();
}

void VEditLogic::SetWantReturn(bool on) {
    props_.wantReturn = on;
    if (!on && props_.multiLine && props_.autoHScroll) SetAutoHScroll(false);
    Modified();
}

void VEditLogic::SetReadOnly(bool on) {
    props_.readOnly = on;
    Modified();
}

void VEditLogic::SetMultiLine(bool on) {
    props_.multiLine = on;
    if (on) {
        SetWantReturn(props_.autoHScroll);
    } else {
        props_.autoVScroll = props_.wantReturn = props_.hScrollBar = false;
    }
    view_.StyleChanged();
    Modified();
}

void VEditLogic::SetPassword(bool on) {
    props_.password = on;
    if (on) {
        props_.multiLine = props_.autoVScroll = props_.vScrollBar = false;
        props_.hScrollBar = props_.wantReturn = false;
        SetMultiLine(false);
    }
    view_.StyleChanged();
    Modified();
}

// ---- script, font and keyboard ----

void VEditLogic::ApplyScript(const std::string& converterFile, const std::string& converterEntry,
                             const std::string& scriptFace, const std::string& englishFace,
                             const std::string& scriptName) {
    converter_.Unload();
    active_ = {converterFile, converterEntry, scriptFace, englishFace, scriptName};
    converter_.Load(converterFile, converterEntry);
    keyboard::LoadKeyboardSupport(services_.platform,
                                  {scriptName, props_.keyboardType, props_.linFile, props_.fontType},
                                  keyboard_);
}

void VEditLogic::ApplyRow(int row) {
    const script::ScriptEntry& entry = ScriptCatalogue::Row(row);
    ApplyScript(std::string(ScriptCatalogue::ConverterFile(row, props_.fontType)),
                std::string(entry.converterEntry), props_.fontName,
                EnglishFaceForRow(row, props_.fontName, props_.fontType), std::string(entry.name));
}

void VEditLogic::SetScriptName(const std::string& name) {
    props_.scriptName = name;
    if (name == script::kEnglishScriptName) {
        englishScript_ = true;
        active_.scriptName = name;
    } else if (KnownFontType(props_.fontType)) {
        ScriptCatalogue::SetReach(props_.fontType);
        if (std::optional<int> row = ScriptCatalogue::FindRow(name)) {
            englishScript_ = false;
            SetFontName(std::string(ScriptCatalogue::DefaultFace(*row, props_.fontType)));
            ApplyRow(*row);
        }
    }
    view_.RebuildFonts();
    Modified();
}

void VEditLogic::SetFontName(const std::string& face) {
    props_.fontName = face;
    active_.scriptFace = face;
    if (props_.scriptName == script::kEnglishScriptName) {
        active_.englishFace = face;
    } else {
        ScriptCatalogue::SetReach(props_.fontType);
        std::optional<int> row = ScriptCatalogue::FindRow(props_.scriptName);
        if (!row) {
            Modified();
            return;
        }
        active_.englishFace = EnglishFaceForRow(*row, face, props_.fontType);
    }
    view_.RebuildFonts();
    Modified();
}

void VEditLogic::SetFontSize(std::int16_t size) {
    props_.fontSize = size;
    view_.RebuildFonts();
    Modified();
}

void VEditLogic::SetFontType(std::int16_t type) {
    props_.fontType = type;  // takes effect at the next script or keyboard change
    Modified();
}

void VEditLogic::SetKeyboardType(std::int16_t type) {
    props_.keyboardType = type;
    if (props_.scriptName != script::kEnglishScriptName && KnownFontType(props_.fontType)) {
        ScriptCatalogue::SetReach(props_.fontType);
        if (std::optional<int> row = ScriptCatalogue::FindRow(props_.scriptName)) {
            englishScript_ = false;
            ApplyRow(*row);
        }
    }
    Modified();
}

void VEditLogic::SetLinFile(const std::string& file) {
    if (props_.keyboardType == 2) {
        props_.linFile = file;
        SetKeyboardType(props_.keyboardType);
        return;
    }
    props_.linFile = file;
    Modified();
}

void VEditLogic::SetDisableEnglish(bool on) {
    props_.disableEnglish = on;
    Modified();
}

void VEditLogic::SetIsciiDataFormat(std::int16_t format) {
    props_.isciiDataFormat = format;  // checked when the text is read or set
    Modified();
}

void VEditLogic::SetForeColor(std::uint32_t colour) {
    props_.foreColor = colour;
    view_.Repaint();
    Modified();
}

void VEditLogic::SetBackColor(std::uint32_t colour) {
    props_.backColor = colour;
    view_.Repaint();
    Modified();
}

void VEditLogic::SetGlobalSettings(bool on) {
    props_.globalSettings = on;
    Modified();
}

void VEditLogic::SetAccessGlobal(bool on) {
    props_.accessGlobal = on;
    if (on && LoadGlobalSettings()) {
        VEditProperties read = props_;
        SetMultiLine(read.multiLine);
        SetWantReturn(read.wantReturn);
        SetAutoVScroll(read.autoVScroll);
        SetVScrollBar(read.vScrollBar);
        SetAutoHScroll(read.autoHScroll);
        SetHScrollBar(read.hScrollBar);
        SetReadOnly(read.readOnly);
        SetPassword(read.password);
        SetFontSize(read.fontSize);
        SetScriptName(read.scriptName);
        SetIsciiDataFormat(read.isciiDataFormat);
        SetDisableEnglish(read.disableEnglish);
        SetFontName(read.fontName);
        SetBackColor(read.backColor);
        SetForeColor(read.foreColor);
        // The section also holds the keyboard kind: bind it as well.
        SetKeyboardType(read.keyboardType);
        view_.Repaint();
    }
    Modified();
}

std::string VEditLogic::GetScriptList() {
    const platform::Platform& platform = services_.platform;
    int fontType = props_.fontType;
    auto loads = [&](int row) {
        std::string_view file = ScriptCatalogue::ConverterFile(row, fontType);
        return !file.empty() && platform::FamilyLibraryExists(platform, std::string(file));
    };
    bool any = false;
    for (int row = 0; row < 14 && !any; ++row) any = loads(row);
    if (!any) return std::string(script::kEnglishScriptName) + ";";
    std::string list;
    for (int row = 0; row < ScriptCatalogue::RowCount(); ++row)
        if (loads(row)) list.append(ScriptCatalogue::Row(row).name).append(";");
    return list;
}

std::string VEditLogic::GetFontList() {
    if (props_.scriptName == script::kEnglishScriptName) return std::string(script::kEnglishScriptName);
    if (KnownFontType(props_.fontType)) ScriptCatalogue::SetReach(props_.fontType);
    std::optional<int> row = ScriptCatalogue::FindRow(props_.scriptName);
    if (!row) return {};
    const script::ScriptEntry& entry = ScriptCatalogue::Row(*row);
    if (props_.fontType == 1) return std::string(entry.monoFace) + ";";
    if (props_.fontType != 0) return {};
    std::string list = std::string(entry.biFace) + ";";
    bool ownSecond = entry.name == "Bhutanese" || entry.name == "Sanskrit" || entry.name == "Tibetan";
    if (!entry.biExtensionFace.empty() && !ownSecond) list.append(entry.biExtensionFace).append(";");
    return list;
}

// ---- Text ----

std::string VEditLogic::ReadText() {
    std::optional<std::string> out = script::StoredTextInFormat(props_.text, props_.isciiDataFormat);
    if (out) return *out;
    auto& messages = services_.platform.messages;
    std::string caption(script::kInvalidFormatCaption);
    messages.Show(caption, std::string(script::kInvalidFormatText), platform::MessageButtons::Ok,
                  platform::MessageIcon::None);
    messages.Show(caption, std::string(script::kInvalidFormatHelpText), platform::MessageButtons::Ok,
                  platform::MessageIcon::None);
    return {};
}

bool VEditLogic::AssignText(std::string_view input) {
    std::optional<std::string> text = script::AssignedTextFromFormat(input, props_.isciiDataFormat);
    if (!text) {
        services_.platform.messages.Show(std::string(script::kInvalidFormatCaption),
                                         std::string(script::kInvalidFormatHelpText),
                                         platform::MessageButtons::Ok, platform::MessageIcon::None);
        return false;
    }
    if (!view_.RequestTextEdit()) return false;
    props_.text = std::move(*text);
    view_.TextReplaced();
    view_.TextPropertyChanged();
    Modified();
    return true;
}

// ---- saved settings ----

bool VEditLogic::SaveGlobalSettings() {
    const VEditProperties& p = props_;
    return pages::SaveSection(services_.settings, kEditIndex, [&](pages::SettingsSection& s) {
        s.Number("AutoHScroll") = p.autoHScroll;
        s.Number("HScrollBar") = p.hScrollBar;
        s.Number("AutoVScroll") = p.autoVScroll;
        s.Number("VScrollBar") = p.vScrollBar;
        s.Number("MultiLine") = p.multiLine;
        s.Number("WantReturn") = p.wantReturn;
        s.Number("ReadOnly") = p.readOnly;
        s.Number("Password") = p.password;
        s.Number("DisableEnglish") = p.disableEnglish;
        s.Number("FontSize") = p.fontSize;
        s.Number("KeyboardType") = p.keyboardType;
        s.Number("ISCIIDataFormat") = p.isciiDataFormat;
        s.Number("ForeColor") = static_cast<std::int32_t>(p.foreColor);
        s.Number("BackColor") = static_cast<std::int32_t>(p.backColor);
        s.String("ScriptName") = p.scriptName;
        s.String("FontName") = p.fontName;
    });
}

bool VEditLogic::LoadGlobalSettings() {
    std::optional<pages::SettingsSection> s = pages::LoadSection(services_.settings, kEditIndex);
    if (!s) return false;
    VEditProperties& p = props_;
    p.autoHScroll = s->Number("AutoHScroll") != 0;
    p.hScrollBar = s->Number("HScrollBar") != 0;
    p.autoVScroll = s->Number("AutoVScroll") != 0;
    p.vScrollBar = s->Number("VScrollBar") != 0;
    p.multiLine = s->Number("MultiLine") != 0;
    p.wantReturn = s->Number("WantReturn") != 0;
    p.readOnly = s->Number("ReadOnly") != 0;
    p.password = s->Number("Password") != 0;
    p.disableEnglish = s->Number("DisableEnglish") != 0;
    p.fontSize = static_cast<std::int16_t>(s->Number("FontSize"));
    p.keyboardType = static_cast<std::int16_t>(s->Number("KeyboardType"));
    p.isciiDataFormat = static_cast<std::int16_t>(s->Number("ISCIIDataFormat"));
    p.foreColor = static_cast<std::uint32_t>(s->Number("ForeColor"));
    p.backColor = static_cast<std::uint32_t>(s->Number("BackColor"));
    p.scriptName = s->String("ScriptName");
    p.fontName = s->String("FontName");
    p.wordWrap = !p.autoHScroll;
    return true;
}

}  // namespace vexa::edit
