#pragma once

#include <functional>
#include <string>

#include "platform/message_boxes.h"

namespace vexa::win32 {

// The message boxes of one control. A control the user can see (it has a
// window or sits in a container) shows them as the system does; a control
// made by a script host with no window and no site never blocks on a modal
// box: the text is kept for the automation error instead, and the answer
// is the one that lets the caller go on.
class ControlMessages : public platform::MessageBoxes {
public:
    ControlMessages(platform::MessageBoxes& system, std::function<bool()> hasUserInterface)
        : system_(system), hasUserInterface_(std::move(hasUserInterface)) {}

    platform::MessageAnswer Show(const std::string& caption, const std::string& text,
                                 platform::MessageButtons buttons,
                                 platform::MessageIcon icon) override {
        if (hasUserInterface_()) return system_.Show(caption, text, buttons, icon);
        suppressed_ = text;
        return buttons == platform::MessageButtons::YesNo ? platform::MessageAnswer::Yes
                                                          : platform::MessageAnswer::Ok;
    }
    void Beep() override {
        if (hasUserInterface_()) system_.Beep();
    }

    // The text of the last box that was not shown (empty when none).
    const std::string& Suppressed() const { return suppressed_; }

private:
    platform::MessageBoxes& system_;
    std::function<bool()> hasUserInterface_;
    std::string suppressed_;
};

}  // namespace vexa::win32
