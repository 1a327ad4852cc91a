#include "captions/caption_kinds.h"

#include <array>

namespace vexa::captions {

namespace {

constexpr std::array<CaptionKindInfo, 4> kKinds{{
    {CaptionKind::PushButton, "VPushButton", 4, "", "VPushButton", false, kPushButtonKind, true,
     true, true, false, DialogRole::PushButton},
    {CaptionKind::CheckBox, "VCheckBox", 0, "VCheckBox", "VCheckBox", true, kAutoCheckBoxKind,
     true, false, false, false, DialogRole::CheckBox},
    {CaptionKind::RadioButton, "VRadioButton", 5, "VRadio", "VRadioButton", true, kAutoRadioKind,
     true, false, false, false, DialogRole::RadioButton},
    {CaptionKind::GroupBox, "VGroupBox", 2, "VGroupBox", "VGroupBox", false, kGroupBoxKind, false,
     false, false, true, DialogRole::Static},
}};

}  // namespace

const CaptionKindInfo& KindInfo(CaptionKind kind) { return kKinds[static_cast<int>(kind)]; }

CaptionKind KindOfControl(std::string_view controlName) {
    for (const CaptionKindInfo& info : kKinds)
        if (info.controlName == controlName) return info.kind;
    return CaptionKind::PushButton;
}

}  // namespace vexa::captions
