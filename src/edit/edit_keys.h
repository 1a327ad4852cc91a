#pragma once

namespace vexa::edit {

// Modifier keys held while a key or mouse message is handled.
struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
};

// Virtual-key codes and scroll codes the edit control understands.
namespace keys {
inline constexpr unsigned kBack = 0x08, kTab = 0x09, kClear = 0x0C, kReturn = 0x0D, kShift = 0x10,
                          kControl = 0x11, kPause = 0x13, kCapital = 0x14, kEscape = 0x1B,
                          kSpace = 0x20, kPrior = 0x21, kNext = 0x22, kEnd = 0x23, kHome = 0x24,
                          kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kInsert = 0x2D,
                          kDelete = 0x2E, kNumLock = 0x90, kScroll = 0x91;
}
namespace scroll {
inline constexpr int kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4,
                     kThumbTrack = 5;
}
// Mouse message flags.
inline constexpr unsigned kMouseLeft = 0x0001, kMouseShift = 0x0004;

}  // namespace vexa::edit
