#pragma once

#include <string>

namespace vexa::platform {

// Virtual-key codes the keyboard code asks about.
inline constexpr int kVkShift = 0x10;
inline constexpr int kVkCapital = 0x14;
inline constexpr int kVkNumLock = 0x90;

// The keyboard as the controls see it: the state of the lock and shift keys,
// the scan code of a virtual key, and the character the current keyboard
// state gives for a key.
class KeyboardInput {
public:
    virtual ~KeyboardInput() = default;

    // True while the key is held down.
    virtual bool IsDown(int virtualKey) const = 0;

    // Marks a key as held down or released in the thread's keyboard state
    // (the edit control holds Shift this way while it scrolls to the mouse).
    virtual void SetDown(int virtualKey, bool down) = 0;

    // True while a lock key (Caps Lock, Num Lock) is toggled on.
    virtual bool IsToggled(int virtualKey) const = 0;

    // The set-1 scan code of a virtual key; 0 when it has none.
    virtual int ScanCode(int virtualKey) const = 0;

    // The character the key types with the current keyboard state, with Shift
    // also marked down when `forceShift` is set. Empty when the key types no
    // character (or starts a dead-key sequence); when the key gives two
    // characters only the first is returned.
    virtual std::string CharacterOf(int virtualKey, int scanCode, bool forceShift) const = 0;
};

}  // namespace vexa::platform
