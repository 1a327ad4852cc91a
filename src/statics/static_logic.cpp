#include "statics/static_logic.h"

#include "statics/static_properties.h"

#include <optional>

#include "common/default_values.h"
#include "common/unicode_members.h"
#include "defaults/settings_record.h"
#include "platform/web_address.h"
#include "script/font_code.h"
#include "script/iscii_text.h"
#include "script/pc_iscii.h"
#include "script/seven_bit.h"

namespace vexa::statics {

namespace {

// The label's reading of an invalid format is reported under this caption;
// assigning in one is reported under the edit control's.
constexpr std::string_view kReadFormatCaption = "VexaComboBox Control";

// Assigned text in `format` as 8-bit ISCII. A label keeps every byte it is
// given (no filter); 7-bit text decodes with no length limit.
std::optional<std::string> FromFormat(std::string_view input, int format) {
    switch (format) {
        case 0: return std::string(input);
        case 1: return script::DecodeSevenBit(input);
        case 2: {
            std::string out(input);
            script::FromPcIscii(reinterpret_cast<unsigned char*>(out.data()), out.size());
            return out;
        }
        default: return std::nullopt;
    }
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

StaticLogic::StaticLogic(StaticServices services, StaticView& view)
    : services_(services),
      view_(view),
      binding_(services.platform, props_, *this, common::BindingRules::FixedBilingual) {
    props_.hoverColor = services.highlight;
}

bool StaticLogic::EnglishMode() const { return binding_.DrawsEnglish(); }

common::DrawingScript StaticLogic::Drawing() const { return binding_.FixedBilingualDrawing(); }

void StaticLogic::Exchange(common::PropertyExchange& px, bool userMode) {
    StaticProperties& p = props_;
    common::ExchangeTable(StaticPropertyTable(), p, px, common::ReadDefaultValues(services_.registry));
    if (px.IsLoading()) p.text = p.caption;
    common::ApplySettingsFileRules(px, userMode, p,
                                     {[this] { return LoadGlobalSettings(); },
                                      [this] { return SaveGlobalSettings(); }});
}

bool StaticLogic::BindAtCreation() { return binding_.BindAtCreation(kControlName); }

std::uint32_t StaticLogic::WindowStyle() const {
    const std::uint32_t align = props_.alignment == 0   ? 0
                                : props_.alignment == 1 ? kCentreStyle
                                                        : kRightStyle;
    return align | kNotifyStyle;
}

common::Outcome StaticLogic::ReadCaption(std::string& out) const {
    out.clear();
    if (std::optional<std::string> text =
            script::StoredTextInFormat(props_.caption, props_.isciiDataFormat)) {
        out = std::move(*text);
        return std::nullopt;
    }
    services_.platform.messages.Show(std::string(kReadFormatCaption),
                                     std::string(script::kInvalidFormatHelpText),
                                     platform::MessageButtons::Ok, platform::MessageIcon::None);
    return common::InvalidValue(std::string(script::kInvalidFormatHelpText));
}

common::Outcome StaticLogic::ReadText(std::string& out) const {
    // The caption and the text are one text in two roles.
    return ReadCaption(out);
}

common::Outcome StaticLogic::AssignCaption(std::string_view input) {
    std::optional<std::string> text = FromFormat(input, props_.isciiDataFormat);
    if (!text) {
        services_.platform.messages.Show(std::string(script::kInvalidFormatCaption),
                                         std::string(script::kInvalidFormatHelpText),
                                         platform::MessageButtons::Ok, platform::MessageIcon::None);
        return common::InvalidValue(std::string(script::kInvalidFormatHelpText));
    }
    StoreCaption(std::move(*text));
    return std::nullopt;
}

void StaticLogic::StoreCaption(std::string text) {
    props_.caption = props_.text = std::move(text);
    Announce(common::AccessibleChange::kName);
    view_.Invalidate();
    Modified();
}

common::Outcome StaticLogic::ReadUnicodeCaption(std::u16string& out) const {
    out = common::UnicodeOfStored(props_.caption, props_.scriptName);
    return std::nullopt;
}

common::Outcome StaticLogic::AssignUnicodeCaption(std::u16string_view input) {
    return common::StoreUnicode(input, props_.scriptName, [this](std::string text) {
        StoreCaption(std::move(text));
        return common::Outcome();
    });
}

void StaticLogic::RebuildFont() {
    if (!view_.WindowExists()) return;
    view_.RebuildFont(Drawing(), Underlined());
    view_.Invalidate();
}

void StaticLogic::SetScriptName(const std::string& name) {
    binding_.SetScriptName(name);
    // An English or unknown script redraws at once as well.
    RebuildFont();
    Modified();
}

void StaticLogic::SetAlignment(std::int16_t alignment) {
    props_.alignment = alignment;  // the window style keeps its creation value
    view_.Invalidate();
    Modified();
}

common::Outcome StaticLogic::SetIsciiDataFormat(std::int16_t format) {
    if (common::Outcome refused = common::CheckIsciiDataFormat(format)) return refused;
    props_.isciiDataFormat = format;
    Modified();
    return std::nullopt;
}

void StaticLogic::SetForeColor(std::uint32_t colour) {
    props_.foreColor = colour;
    view_.Invalidate();
    Modified();
}

void StaticLogic::SetBackColor(std::uint32_t colour) {
    props_.backColor = colour;
    view_.Invalidate();
    Modified();
}

void StaticLogic::SetGlobalSettings(bool on) { Store(props_.globalSettings, on); }

void StaticLogic::SetAccessGlobal(bool on) {
    props_.accessGlobal = on;
    if (on && LoadGlobalSettings()) {
        const StaticProperties read = props_;
        SetIsciiDataFormat(read.isciiDataFormat);
        SetForeColor(read.foreColor);
        SetBackColor(read.backColor);
        SetAlignment(read.alignment);
        SetFontSize(read.fontSize);
        SetScriptName(read.scriptName);
        SetFontName(read.fontName);
        view_.Invalidate();
    }
    Modified();
}

std::uint32_t StaticLogic::ChooseForeColor() {
    if (props_.isUrl) {
        props_.foreColor = link_.Hover()     ? props_.hoverColor
                           : link_.Visited() ? props_.visitedColor
                                             : props_.linkColor;
    }
    return props_.foreColor;
}

std::vector<std::string> StaticLogic::DisplayRuns() {
    std::vector<std::string> runs;
    const std::string& text = props_.caption;
    const bool english = EnglishMode();
    std::size_t start = 0;
    while (true) {
        std::size_t end = start;
        while (end < text.size() && !IsLineEnd(text[end])) ++end;
        runs.push_back(script::ToFontCodeRun(binding_.Converter(),
                                             std::string_view(text).substr(start, end - start),
                                             english));
        if (end >= text.size()) break;
        // A CR LF pair ends one line.
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return runs;
}

bool StaticLogic::Apply(const LinkActions& a) {
    if (a.capture) view_.SetCapture();
    if (a.release) view_.ReleaseCapture();
    if (a.redrawNow) view_.RedrawNow();
    if (a.fireClick) view_.FireClick();
    if (a.launch) {
        Launch();
        Announce(common::AccessibleChange::kState);  // traversed
    }
    if (a.invalidate) view_.Invalidate();
    return a.defaultHandling;
}

void StaticLogic::Launch() {
    // Only a plain web or mail address reaches the shell; anything else is
    // dropped without a word. The link counts as followed either way.
    if (platform::IsWebAddress(props_.url)) services_.launcher.Open(props_.url);
}

bool StaticLogic::MouseMove(platform::Point p, const platform::Rect& client, bool leftDown) {
    return Apply(link_.MouseMove(p, client, leftDown));
}

bool StaticLogic::ButtonDown(platform::Point p, const platform::Rect& client) {
    return Apply(link_.ButtonDown(p, client, props_.isUrl));
}

bool StaticLogic::ButtonUp(platform::Point p, const platform::Rect& client) {
    return Apply(link_.ButtonUp(p, client, props_.isUrl));
}

void StaticLogic::CaptureLost() { Apply(link_.CaptureLost()); }

bool StaticLogic::SaveGlobalSettings() {
    return common::SaveSettingsFile(services_.settings, StaticSettingsLayout(), StaticPropertyTable(), props_);
}

bool StaticLogic::LoadGlobalSettings() {
    return common::LoadSettingsFile(services_.settings, StaticSettingsLayout(), StaticPropertyTable(), props_);
}

}  // namespace vexa::statics
