#include "captions/caption_properties.h"

#include <array>
#include <string>

#include "common/script_rows.h"

namespace vexa::captions {

namespace {

using namespace common::table_words;
using P = CaptionProperties;
using L = CaptionLogic;
using Row = common::PropertyRow<L>;

common::Outcome ReadCheckState(L& logic, common::PropertyValue& v) {
    v.number = logic.CheckState();
    return std::nullopt;
}

// The push button's colours are stored nowhere and always read 0.
common::Outcome ReadNoColour(L&, common::PropertyValue& v) {
    v.number = 0;
    return std::nullopt;
}
common::Outcome TouchColour(L& logic, const common::PropertyValue&) {
    logic.TouchColour();
    return std::nullopt;
}

// The stream order of each kind's persisted properties.
std::vector<std::string_view> StreamOrder(CaptionKind kind) {
    switch (kind) {
        case CaptionKind::CheckBox:
            return {"Caption",  "AccessGlobal",   "ScriptName", "FontName",
                    "FontSize", "KeyboardType",   "Alignment",  "Auto",
                    "PushLike", "DisableEnglish", "Value",      "LinFile"};
        case CaptionKind::RadioButton:
            return {"AccessGlobal", "Caption",        "PushLike", "Auto",
                    "ScriptName",   "FontName",       "FontSize", "KeyboardType",
                    "Alignment",    "DisableEnglish", "Value",    "LinFile"};
        case CaptionKind::PushButton:
            return {"AccessGlobal", "Caption",      "ScriptName",     "FontSize",
                    "FontName",     "KeyboardType", "DisableEnglish", "LinFile"};
        case CaptionKind::GroupBox:
            return {"AccessGlobal", "Text",         "Caption",        "ScriptName", "FontSize",
                    "FontName",     "KeyboardType", "DisableEnglish", "LinFile"};
    }
    return {};
}

// The rows of a kind in its catalogue order.
common::PropertyTable<L> Build(CaptionKind kind) {
    const CaptionKindInfo& info = KindInfo(kind);
    const std::vector<std::string_view> order = StreamOrder(kind);
    auto at = [&](std::string_view name) {
        for (std::size_t i = 0; i < order.size(); ++i)
            if (order[i] == name) return static_cast<int>(i) + 1;
        return 0;
    };
    const common::PropertyValue saved = Constant(info.savedCaption);
    const auto number = FileSlot::Number;

    const Row caption = Row("Caption", T::Bstr)
                            .Writes(CallSetter<&L::SetCaption>)
                            .Holds(&P::caption)
                            .Persisted(at("Caption"), saved);
    const Row text = Row("Text", T::Bstr)
                         .Writes(CallSetter<&L::SetText>)
                         .Holds(&P::text)
                         .Persisted(at("Text"), saved);
    const Row unicodeCaption = Row("UnicodeCaption", T::UnicodeBstr)
                                   .Reads(CallUnicodeReader<&L::ReadUnicodeCaption>)
                                   .Writes(CallSetter<&L::SetUnicodeCaption>);
    const Row unicodeText = Row("UnicodeText", T::UnicodeBstr)
                                .Reads(CallUnicodeReader<&L::ReadUnicodeText>)
                                .Writes(CallSetter<&L::SetUnicodeText>);
    const Row scriptName = common::ScriptNameRow<L>(at("ScriptName"));
    const Row fontName = common::FontNameRow<L>(at("FontName"));
    // The checkable kinds keep push-like, automatic and alignment before the
    // size in their settings file.
    const Row fontSize = common::FontSizeRow<L>(at("FontSize"), info.checkable ? 4 : 1);
    const Row keyboardType = common::KeyboardTypeRow<L>(at("KeyboardType"));
    const Row linFile = common::LinFileRow<L>(at("LinFile"));
    const Row disableEnglish = common::DisableEnglishRow<L>(at("DisableEnglish"));
    const Row accessGlobal = common::AccessGlobalRow<L>(at("AccessGlobal"));
    const Row globalSettings = common::GlobalSettingsRow<L>();
    // A radio button without a saved PushLike keeps its reset state, as both
    // kinds do without a saved Auto.
    const Row pushLike = (kind == CaptionKind::CheckBox
                              ? Row("PushLike", T::Bool).Persisted(at("PushLike"), Constant(false))
                              : Row("PushLike", T::Bool).Persisted(at("PushLike")))
                             .Writes(CallSetter<&L::SetPushLike>)
                             .Holds(&P::pushLike)
                             .InFile(number, 1)
                             .OnPage();
    const Row autoKind = Row("Auto", T::Bool)
                             .Writes(CallSetter<&L::SetAuto>)
                             .Holds(&P::autoKind)
                             .Persisted(at("Auto"))
                             .InFile(number, 2)
                             .OnPage();
    const Row alignment = Row("Alignment", T::I2)
                              .Writes(CallSetter<&L::SetAlignment>)
                              .Holds(&P::alignment)
                              .Persisted(at("Alignment"), Constant(std::int16_t{1}))
                              .InFile(number, 3)
                              .OnPage();
    const Row value = Row("Value", kind == CaptionKind::CheckBox ? T::I2 : T::Bool)
                          .Reads(ReadCheckState)
                          .Writes(CallSetter<&L::SetValue>)
                          .Holds(&P::value)
                          .Persisted(at("Value"), Constant(std::int16_t{0}));
    const Row backColor = Row("BackColor", T::Color).Reads(ReadNoColour).Writes(TouchColour);
    const Row foreColor = Row("ForeColor", T::Color).Reads(ReadNoColour).Writes(TouchColour);

    switch (kind) {
        case CaptionKind::CheckBox:
            return {pushLike,       autoKind,     scriptName, fontSize, alignment,
                    disableEnglish, keyboardType, linFile,    value,    fontName,
                    globalSettings, accessGlobal, caption,    text, unicodeCaption, unicodeText};
        case CaptionKind::RadioButton:
            return {autoKind,     scriptName,     fontSize, alignment, disableEnglish,
                    keyboardType, linFile,        pushLike, value,     fontName,
                    accessGlobal, globalSettings, caption,  text, unicodeCaption, unicodeText};
        case CaptionKind::PushButton:
            return {scriptName,   fontSize,       disableEnglish, keyboardType, linFile, fontName,
                    accessGlobal, globalSettings, backColor,      foreColor,    caption, text,
                    unicodeCaption, unicodeText};
        case CaptionKind::GroupBox:
            return {scriptName, fontSize,       disableEnglish, keyboardType, linFile,
                    fontName,   globalSettings, accessGlobal,   caption,      text,
                    unicodeCaption, unicodeText};
    }
    return {};
}

}  // namespace

const common::PropertyTable<CaptionLogic>& CaptionPropertyTable(CaptionKind kind) {
    static const std::array<common::PropertyTable<CaptionLogic>, 4> tables{
        Build(CaptionKind::PushButton), Build(CaptionKind::CheckBox),
        Build(CaptionKind::RadioButton), Build(CaptionKind::GroupBox)};
    return tables[static_cast<int>(kind)];
}

const defaults::SettingsLayout& CaptionSettingsLayout(CaptionKind kind) {
    auto layout = [](CaptionKind k) {
        return common::SettingsLayoutOf(CaptionPropertyTable(k),
                                        std::string(KindInfo(k).controlName) + ".ini");
    };
    static const std::array<defaults::SettingsLayout, 4> layouts{
        layout(CaptionKind::PushButton), layout(CaptionKind::CheckBox),
        layout(CaptionKind::RadioButton), layout(CaptionKind::GroupBox)};
    return layouts[static_cast<int>(kind)];
}

}  // namespace vexa::captions
