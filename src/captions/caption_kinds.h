#pragma once

#include <cstdint>
#include <string_view>

namespace vexa::captions {

// The four caption controls: one design on the platform's BUTTON, told
// apart by this table.
enum class CaptionKind { PushButton, CheckBox, RadioButton, GroupBox };

// Style bits of the platform's BUTTON that the controls choose.
inline constexpr std::uint32_t kKindMask = 0x0F;
inline constexpr std::uint32_t kPushButtonKind = 0;
inline constexpr std::uint32_t kAutoCheckBoxKind = 3;
inline constexpr std::uint32_t kGroupBoxKind = 7;
inline constexpr std::uint32_t kAutoRadioKind = 9;
inline constexpr std::uint32_t kPushLikeStyle = 0x1000;
inline constexpr std::uint32_t kLeftTextStyle = 0x20;

// How the platform's dialog handling should treat the control's window.
enum class DialogRole { PushButton, CheckBox, RadioButton, Static };

struct CaptionKindInfo {
    CaptionKind kind;
    std::string_view controlName;         // "VCheckBox": names boxes and the settings file
    int controlIndex;                     // its place in the class table
    std::string_view constructedCaption;  // before any property exchange
    std::string_view savedCaption;        // the persistence default
    bool checkable;                       // has Value, Auto, PushLike and Alignment
    std::uint32_t kindBits;               // the button kind (the automatic one when Auto)
    bool firesClick;
    bool enterClicks;     // the character 13 fires Click
    bool ownColours;      // BackColor/ForeColor of its own that always read 0
    bool fillsFace;       // fills what it repaints with the button face first
    DialogRole role;
};

const CaptionKindInfo& KindInfo(CaptionKind kind);
// The kind of a control name ("VRadioButton"); PushButton for any other.
CaptionKind KindOfControl(std::string_view controlName);

}  // namespace vexa::captions
