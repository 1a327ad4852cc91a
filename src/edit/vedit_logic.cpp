#include "edit/vedit_logic.h"
#include "edit/vedit_properties.h"

#include "common/default_values.h"
#include "common/stored_text.h"
#include "common/unicode_members.h"
#include "module/class_table.h"
#include "defaults/settings_record.h"
#include "script/iscii_text.h"
#include "script/script_catalogue.h"

namespace vexa::edit {


namespace {


}  // namespace

VEditLogic::VEditLogic(VEditServices services, VEditView& view)
    : services_(services), view_(view), binding_(services.platform, props_, view) {}

void VEditLogic::Reset() {
    props_.wordWrap = false;
    props_.autoHScroll = true;
    props_.hScrollBar = props_.autoVScroll = props_.vScrollBar = false;
    props_.wantReturn = props_.readOnly = props_.multiLine = false;
}

void VEditLogic::Exchange(common::PropertyExchange& px, bool userMode) {
    VEditProperties& p = props_;
    common::ExchangeTable(VEditPropertyTable(), p, px, common::ReadDefaultValues(services_.registry));
    p.wordWrap = !p.autoHScroll;

    common::ApplySettingsFileRules(px, userMode, p,
                                     {[this] { return LoadGlobalSettings(); },
                                      [this] { return SaveGlobalSettings(); }});
}

bool VEditLogic::BindAtCreation() {
    const common::DefaultValues saved =
        common::ReadDefaultValues(services_.registry);
    return binding_.BindAtCreation("VEdit", saved.fontName);
}

void VEditLogic::LoadStoredText() {
    props_.text = common::FilterOwnText(props_.text);
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

common::Outcome VEditLogic::SetIsciiDataFormat(std::int16_t format) {
    if (common::Outcome refused = common::CheckIsciiDataFormat(format)) return refused;
    props_.isciiDataFormat = format;
    Modified();
    return std::nullopt;
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
        // The keyboard kind read from the file is in place before the
        // script setter binds the script's converter and keyboard, once.
        SetScriptName(read.scriptName);
        SetIsciiDataFormat(read.isciiDataFormat);
        SetDisableEnglish(read.disableEnglish);
        SetFontName(read.fontName);
        SetBackColor(read.backColor);
        SetForeColor(read.foreColor);
        view_.Repaint();
    }
    Modified();
}

// ---- Text ----

common::Outcome VEditLogic::ReadText(std::string& out) {
    out.clear();
    if (std::optional<std::string> text =
            script::StoredTextInFormat(props_.text, props_.isciiDataFormat)) {
        out = std::move(*text);
        return std::nullopt;
    }
    auto& messages = services_.platform.messages;
    std::string caption(script::kInvalidFormatCaption);
    messages.Show(caption, std::string(script::kInvalidFormatText), platform::MessageButtons::Ok,
                  platform::MessageIcon::None);
    messages.Show(caption, std::string(script::kInvalidFormatHelpText), platform::MessageButtons::Ok,
                  platform::MessageIcon::None);
    return common::InvalidValue(std::string(script::kInvalidFormatHelpText));
}

common::Outcome VEditLogic::AssignText(std::string_view input) {
    std::optional<std::string> text = script::AssignedTextFromFormat(input, props_.isciiDataFormat);
    if (!text) {
        services_.platform.messages.Show(std::string(script::kInvalidFormatCaption),
                                         std::string(script::kInvalidFormatHelpText),
                                         platform::MessageButtons::Ok, platform::MessageIcon::None);
        return common::InvalidValue(std::string(script::kInvalidFormatHelpText));
    }
    return ReplaceText(std::move(*text));
}

common::Outcome VEditLogic::ReadUnicodeText(std::u16string& out) {
    out = common::UnicodeOfStored(props_.text, props_.scriptName);
    return std::nullopt;
}

common::Outcome VEditLogic::AssignUnicodeText(std::u16string_view input) {
    return common::StoreUnicode(input, props_.scriptName,
                                [this](std::string text) { return ReplaceText(std::move(text)); });
}

common::Outcome VEditLogic::ReplaceText(std::string text) {
    if (!view_.RequestTextEdit()) {
        return common::ControlError{common::ErrorKind::PermissionDenied,
                                      "The container did not allow Text to change"};
    }
    props_.text = std::move(text);
    view_.TextReplaced();
    view_.TextPropertyChanged();
    Modified();
    return std::nullopt;
}

// ---- saved settings ----

bool VEditLogic::SaveGlobalSettings() {
    return common::SaveSettingsFile(services_.settings, VEditSettingsLayout(), VEditPropertyTable(), props_);
}

bool VEditLogic::LoadGlobalSettings() {
    if (!common::LoadSettingsFile(services_.settings, VEditSettingsLayout(), VEditPropertyTable(), props_))
        return false;
    props_.wordWrap = !props_.autoHScroll;
    return true;
}

}  // namespace vexa::edit
