#pragma once

#include <array>

namespace vexa::pages {

// The style check boxes of the edit control's general page and the rules
// that keep them consistent: scroll bars need their auto-scroll, vertical
// scrolling and Want Return need MultiLine, a password field is one line.
class EditStyleBoxes {
public:
    static constexpr int kMultiLine = 206, kWantReturn = 207, kReadOnly = 211, kAutoHScroll = 214,
                         kAutoVScroll = 215, kHScrollBar = 216, kVScrollBar = 217, kPassword = 231;
    static constexpr std::array<int, 8> kIds{kMultiLine,   kWantReturn,  kReadOnly,   kAutoHScroll,
                                             kAutoVScroll, kHScrollBar, kVScrollBar, kPassword};

    // Takes the control's values (checked state by id) and applies the
    // opening rules.
    void Open(const std::array<bool, 8>& checked);
    // A click on a box: toggles it, then applies its rule.
    void Click(int id);

    bool Checked(int id) const { return box(id).checked; }
    bool Enabled(int id) const { return box(id).enabled; }

private:
    struct Box {
        bool checked = false;
        bool enabled = true;
    };
    Box& box(int id);
    const Box& box(int id) const;
    void Set(int id, bool checked) { box(id).checked = checked; }
    void Enable(int id, bool enabled) { box(id).enabled = enabled; }
    std::array<Box, 8> boxes_{};
};

}  // namespace vexa::pages
