#include "sim/sim_message_boxes.h"

namespace vexa::sim {

platform::MessageAnswer SimMessageBoxes::Show(const std::string& caption, const std::string& text,
                                              platform::MessageButtons buttons,
                                              platform::MessageIcon icon) {
    shown_.push_back({caption, text, buttons, icon});
    if (buttons == platform::MessageButtons::Ok) return platform::MessageAnswer::Ok;
    if (scripted_.empty()) return default_;
    platform::MessageAnswer answer = scripted_.front();
    scripted_.pop_front();
    return answer;
}

}  // namespace vexa::sim
