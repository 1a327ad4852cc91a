#include "captions/caption_kinds.h"

#include <array>

namespace vexa::captions {

namespace {

using P = Persisted;

constexpr std::array kCheckBoxOrder{P::Caption,      P::AccessGlobal, P::ScriptName, P::FontName,
                                    P::FontSize,     P::KeyboardType, P::Alignment,  P::Auto,
                                    P::PushLike,     P::DisableEnglish, P::Value,    P::LinFile};
constexpr std::array kRadioOrder{P::AccessGlobal, P::Caption,  P::PushLike,     P::Auto,
                                 P::ScriptName,   P::FontName, P::FontSize,     P::KeyboardType,
                                 P::Alignment,    P::DisableEnglish, P::Value,  P::LinFile};
constexpr std::array kPushOrder{P::AccessGlobal, P::Caption,      P::ScriptName,    P::FontSize,
                                P::FontName,     P::KeyboardType, P::DisableEnglish, P::LinFile};
constexpr std::array kGroupOrder{P::AccessGlobal, P::Text,         P::Caption,
                                 P::ScriptName,   P::FontSize,     P::FontName,
                                 P::KeyboardType, P::DisableEnglish, P::LinFile};

constexpr std::array<CaptionKindInfo, 4> kKinds{{
    {CaptionKind::PushButton, "VPushButton", 4, "", "VPushButton", false, kPushButtonKind, true,
     true, true, false, DialogRole::PushButton, kPushOrder},
    {CaptionKind::CheckBox, "VCheckBox", 0, "VCheckBox", "VCheckBox", true, kAutoCheckBoxKind,
     true, false, false, false, DialogRole::CheckBox, kCheckBoxOrder},
    {CaptionKind::RadioButton, "VRadioButton", 5, "VRadio", "VRadioButton", true, kAutoRadioKind,
     true, false, false, false, DialogRole::RadioButton, kRadioOrder},
    {CaptionKind::GroupBox, "VGroupBox", 2, "VGroupBox", "VGroupBox", false, kGroupBoxKind, false,
     false, false, true, DialogRole::Static, kGroupOrder},
}};

}  // namespace

const CaptionKindInfo& KindInfo(CaptionKind kind) { return kKinds[static_cast<int>(kind)]; }

CaptionKind KindOfControl(std::string_view controlName) {
    for (const CaptionKindInfo& info : kKinds)
        if (info.controlName == controlName) return info.kind;
    return CaptionKind::PushButton;
}

}  // namespace vexa::captions
