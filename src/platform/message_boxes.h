#pragma once

#include <string>

namespace vexa::platform {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Stop, Exclamation, Information };
enum class MessageAnswer { Ok, Yes, No };

// Modal message boxes shown to the user.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    virtual MessageAnswer Show(const std::string& caption, const std::string& text,
                               MessageButtons buttons, MessageIcon icon) = 0;

    // The default beep of a refused key or edit.
    virtual void Beep() = 0;
};

}  // namespace vexa::platform
