// How a caption control describes itself to assistive technology, as the
// platform's own buttons do: a push button (default action "Press"), a
// check box or radio button with its checked state, a group box.
#include "common/unicode_members.h"
#include "captions/caption_logic.h"

namespace vexa::captions {

using common::AccessibleRole;

AccessibleRole CaptionLogic::Role(int) const {
    switch (info_.kind) {
        case CaptionKind::PushButton: return AccessibleRole::kPushButton;
        case CaptionKind::CheckBox: return AccessibleRole::kCheckButton;
        case CaptionKind::RadioButton: return AccessibleRole::kRadioButton;
        case CaptionKind::GroupBox: return AccessibleRole::kGrouping;
    }
    return AccessibleRole::kPushButton;
}

std::u16string CaptionLogic::Name(int) const { return common::UnicodeOfStored(props_.text, props_.scriptName); }

std::uint32_t CaptionLogic::States(int) const {
    std::uint32_t states = 0;
    if (info_.kind != CaptionKind::GroupBox) states |= common::kStateFocusable;
    if (info_.checkable && checkState_) states |= common::kStateChecked;
    if (info_.kind == CaptionKind::PushButton && view_.IsDefaultButton()) states |= common::kStateDefault;
    return states;
}

std::u16string CaptionLogic::DefaultAction(int) const {
    switch (info_.kind) {
        case CaptionKind::PushButton: return u"Press";
        case CaptionKind::CheckBox: return checkState_ ? u"Uncheck" : u"Check";
        case CaptionKind::RadioButton: return u"Check";
        case CaptionKind::GroupBox: return {};
    }
    return {};
}

bool CaptionLogic::DoDefaultAction(int) {
    if (!info_.firesClick) return false;
    view_.PerformClick();
    return true;
}

}  // namespace vexa::captions
