#include "captions/caption_logic.h"

#include "captions/caption_properties.h"

#include "common/default_values.h"
#include "common/unicode_members.h"
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

void CaptionLogic::Exchange(common::PropertyExchange& px, bool userMode) {
    CaptionProperties& p = props_;
    common::ExchangeTable(CaptionPropertyTable(info_.kind), p, px,
                          common::ReadDefaultValues(services_.registry));
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

// A caption set at run time shows at once, as Text does.
void CaptionLogic::SetCaption(const std::string& caption) {
    props_.caption = props_.text = caption;
    ShowText();
    Announce(common::AccessibleChange::kName);
    view_.Invalidate();
    Modified();
}

void CaptionLogic::SetText(const std::string& text) {
    props_.text = text;
    ShowText();
    props_.caption = text;
    Announce(common::AccessibleChange::kName);
    view_.Invalidate();
    Modified();
}

common::Outcome CaptionLogic::ReadUnicodeCaption(std::u16string& out) const {
    out = common::UnicodeOfStored(props_.caption, props_.scriptName);
    return std::nullopt;
}

common::Outcome CaptionLogic::ReadUnicodeText(std::u16string& out) const {
    out = common::UnicodeOfStored(props_.text, props_.scriptName);
    return std::nullopt;
}

common::Outcome CaptionLogic::SetUnicodeCaption(std::u16string_view caption) {
    return common::StoreUnicode(caption, props_.scriptName, [this](std::string iscii) {
        SetCaption(iscii);
        return common::Outcome();
    });
}

common::Outcome CaptionLogic::SetUnicodeText(std::u16string_view text) {
    return common::StoreUnicode(text, props_.scriptName, [this](std::string iscii) {
        SetText(iscii);
        return common::Outcome();
    });
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
    Announce(common::AccessibleChange::kState);
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
    return common::SaveSettingsFile(services_.settings, CaptionSettingsLayout(info_.kind),
                                   CaptionPropertyTable(info_.kind), props_);
}

bool CaptionLogic::LoadGlobalSettings() {
    return common::LoadSettingsFile(services_.settings, CaptionSettingsLayout(info_.kind),
                                   CaptionPropertyTable(info_.kind), props_);
}

}  // namespace vexa::captions
