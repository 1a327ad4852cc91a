#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/message_boxes.h"

namespace vexa::sim {

// Message boxes answered from a script the test sets up; every box shown is
// recorded so the test can read back caption, text, buttons and icon.
class SimMessageBoxes : public platform::MessageBoxes {
public:
    struct Shown {
        std::string caption;
        std::string text;
        platform::MessageButtons buttons;
        platform::MessageIcon icon;
    };

    // The answer to the next Yes/No box (then the default again).
    void AnswerNext(platform::MessageAnswer answer) { scripted_.push_back(answer); }
    // The answer to Yes/No boxes with no scripted answer; Yes at first.
    void SetDefaultAnswer(platform::MessageAnswer answer) { default_ = answer; }

    platform::MessageAnswer Show(const std::string& caption, const std::string& text,
                                 platform::MessageButtons buttons,
                                 platform::MessageIcon icon) override;
    void Beep() override { ++beeps_; }

    const std::vector<Shown>& Boxes() const { return shown_; }
    int Beeps() const { return beeps_; }
    void Clear() {
        shown_.clear();
        beeps_ = 0;
    }

private:
    std::deque<platform::MessageAnswer> scripted_;
    platform::MessageAnswer default_ = platform::MessageAnswer::Yes;
    std::vector<Shown> shown_;
    int beeps_ = 0;
};

}  // namespace vexa::sim
