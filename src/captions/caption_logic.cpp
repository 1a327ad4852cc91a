#include "captions/caption_logic.h"

#include "common/default_values.h"
#include "defaults/settings_record.h"
#include "script/converter_probe.h"
#include "script/font_code.h"

namespace vexa::captions {

CaptionLogic::CaptionLogic(CaptionKind kind, CaptionServices services, CaptionView& view)
    : info_(KindInfo(kind)),
      services_(services),
      view_(view),
      binding_(services.platform, props_, *this, common::BindingRules::FixedBilingual) {
    props_.caption = props_.text = std::string(info_.constructedCaption);
}

bool CaptionLogic::EnglishMode() const { return binding_.DrawsEnglish(); }

common::DrawingScript CaptionLogic::Drawing() const { return binding_.FixedBilingualDrawing(); }

void CaptionLogic::Reset() {
    if (info_.checkable) {
        props_.pushLike = false;
        props_.autoKind = true;
    }
}

void CaptionLogic::Exchange(module::PropertyExchange& px, bool userMode) {
    const common::DefaultValues d = common::ReadDefaultValues(services_.registry);
    CaptionProperties& p = props_;
    const std::string savedCaption(info_.savedCaption);
    for (Persisted item : info_.exchangeOrder) {
        switch (item) {
            case Persisted::Caption: px.String("Caption", p.caption, savedCaption); break;
            case Persisted::Text: px.String("Text", p.text, savedCaption); break;
            case Persisted::AccessGlobal: px.Bool("AccessGlobal", p.accessGlobal, false); break;
            case Persisted::ScriptName: px.String("ScriptName", p.scriptName, d.scriptName); break;
            case Persisted::FontName: px.String("FontName", p.fontName, d.fontName); break;
            case Persisted::FontSize: px.Short("FontSize", p.fontSize, d.fontSize); break;
            case Persisted::KeyboardType:
                px.Short("KeyboardType", p.keyboardType, d.keyboardType);
                break;
            case Persisted::Alignment: px.Short("Alignment", p.alignment, std::int16_t{1}); break;
            // No default: a missing value keeps the reset state.
            case Persisted::Auto: px.Bool("Auto", p.autoKind); break;
            case Persisted::PushLike:
                if (info_.kind == CaptionKind::CheckBox)
                    px.Bool("PushLike", p.pushLike, false);
                else
                    px.Bool("PushLike", p.pushLike);
                break;
            case Persisted::DisableEnglish:
                px.Bool("DisableEnglish", p.disableEnglish, false);
                break;
            case Persisted::Value: px.Short("Value", p.value, std::int16_t{0}); break;
            case Persisted::LinFile:
                px.String("LinFile", p.linFile, std::string("dv1lay.lin"));
                break;
        }
    }
    if (px.IsLoading()) p.text = p.caption;
    common::ApplySettingsFileRules(px, userMode, p,
                                     {[this] { return LoadGlobalSettings(); },
                                      [this] { return SaveGlobalSettings(); }});
}

bool CaptionLogic::BindAtCreation() { return binding_.BindAtCreation(info_.controlName); }

void CaptionLogic::WindowCreated() {
    RebuildFontAndText();
    if (info_.checkable) SetCheckState(props_.value != 0 ? 1 : 0);
}

std::uint32_t CaptionLogic::WindowStyle() const {
    if (!info_.checkable) return info_.kindBits;
    std::uint32_t style = props_.autoKind ? info_.kindBits : kPushButtonKind;
    if (props_.pushLike) style |= kPushLikeStyle;
    if (props_.alignment == 0) style |= kLeftTextStyle;
    return style;
}

void CaptionLogic::ShowText() {
    script::ConverterLibrary& converter = binding_.Converter();
    const bool english = EnglishMode();
    windowText_ = script::ToPlainFontCode(converter, props_.text, english);
    drawRun_ = script::ToFontCodeRun(converter, props_.text, english);
    view_.ShowWindowText(windowText_);
}

void CaptionLogic::RebuildFontAndText() {
    if (!view_.WindowExists()) return;
    view_.RebuildFont(Drawing());
    ShowText();
    view_.Invalidate();
    Modified();
}

void CaptionLogic::SetCaption(const std::string& caption) {
    props_.caption = props_.text = caption;
    view_.Invalidate();
    Modified();
}

void CaptionLogic::SetText(const std::string& text) {
    props_.text = text;
    ShowText();
    props_.caption = text;
    view_.Invalidate();
    Modified();
}

void CaptionLogic::SetGlobalSettings(bool on) {
    props_.globalSettings = on;
    Modified();
}

void CaptionLogic::SetAccessGlobal(bool on) {
    props_.accessGlobal = on;
    if (on && LoadGlobalSettings()) {
        const CaptionProperties read = props_;
        if (info_.checkable) {
            SetPushLike(read.pushLike);
            SetAuto(read.autoKind);
            SetAlignment(read.alignment);
        }
        SetFontSize(read.fontSize);
        SetScriptName(read.scriptName);
        SetFontName(read.fontName);
        view_.Invalidate();
    }
    Modified();
}

void CaptionLogic::SetValue(std::int16_t value) {
    props_.value = value;
    SetCheckState(value != 0 ? 1 : 0);
    Modified();
}

void CaptionLogic::SetCheckState(int state) {
    if (state == checkState_) return;
    checkState_ = state;
    view_.Invalidate();
}

void CaptionLogic::SetPushLike(bool on) {
    props_.pushLike = on;
    if (view_.WindowExists()) view_.ApplyStyle(WindowStyle());
    Modified();
}

void CaptionLogic::SetAuto(bool on) {
    props_.autoKind = on;
    if (view_.WindowExists()) view_.ApplyStyle(WindowStyle());
    Modified();
}

void CaptionLogic::SetAlignment(std::int16_t alignment) {
    props_.alignment = alignment;
    if (view_.WindowExists()) {
        view_.ApplyStyle(WindowStyle());
        view_.Invalidate();
    }
    Modified();
}

ClickOutcome CaptionLogic::Clicked() {
    ClickOutcome outcome;
    if (!info_.firesClick) return outcome;
    outcome.fireClick = true;
    const std::uint32_t kind = WindowStyle() & kKindMask;
    if (kind == kAutoCheckBoxKind) {
        SetCheckState(checkState_ ? 0 : 1);
    } else if (kind == kAutoRadioKind) {
        SetCheckState(1);
        outcome.clearGroup = true;
    }
    return outcome;
}

bool CaptionLogic::SaveGlobalSettings() {
    const CaptionProperties& p = props_;
    return defaults::SaveSection(services_.settings, info_.controlIndex,
                                 [&](defaults::SettingsSection& s) {
                                     if (info_.checkable) {
                                         s.Number("PushLike") = p.pushLike;
                                         s.Number("Auto") = p.autoKind;
                                         s.Number("Alignment") = p.alignment;
                                     }
                                     s.Number("FontSize") = p.fontSize;
                                     s.String("ScriptName") = p.scriptName;
                                     s.String("FontName") = p.fontName;
                                 });
}

bool CaptionLogic::LoadGlobalSettings() {
    std::optional<defaults::SettingsSection> s =
        defaults::LoadSection(services_.settings, info_.controlIndex);
    if (!s) return false;
    CaptionProperties& p = props_;
    if (info_.checkable) {
        p.pushLike = s->Number("PushLike") != 0;
        p.autoKind = s->Number("Auto") != 0;
        p.alignment = static_cast<std::int16_t>(s->Number("Alignment"));
    }
    p.fontSize = static_cast<std::int16_t>(s->Number("FontSize"));
    p.scriptName = s->String("ScriptName");
    p.fontName = s->String("FontName");
    return true;
}

}  // namespace vexa::captions
