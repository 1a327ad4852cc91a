#pragma once

#include "win32/adapters/caption_ctrl.h"

namespace vexa::win32 {

// The four caption controls, one class per kind for the class table.
template <captions::CaptionKind K>
class CaptionCtrlOf : public CCaptionCtrl {
public:
    CaptionCtrlOf() : CCaptionCtrl(K) {}
};

using CVPushButtonCtrl = CaptionCtrlOf<captions::CaptionKind::PushButton>;
using CVCheckBoxCtrl = CaptionCtrlOf<captions::CaptionKind::CheckBox>;
using CVRadioButtonCtrl = CaptionCtrlOf<captions::CaptionKind::RadioButton>;
using CVGroupBoxCtrl = CaptionCtrlOf<captions::CaptionKind::GroupBox>;

}  // namespace vexa::win32
