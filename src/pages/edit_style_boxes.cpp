#include "pages/edit_style_boxes.h"

#include <stdexcept>

namespace vexa::pages {

EditStyleBoxes::Box& EditStyleBoxes::box(int id) {
    for (std::size_t i = 0; i < kIds.size(); ++i)
        if (kIds[i] == id) return boxes_[i];
    throw std::out_of_range("no style box " + std::to_string(id));
}

const EditStyleBoxes::Box& EditStyleBoxes::box(int id) const {
    return const_cast<EditStyleBoxes*>(this)->box(id);
}

void EditStyleBoxes::Open(const std::array<bool, 8>& checked) {
    for (std::size_t i = 0; i < kIds.size(); ++i) boxes_[i] = {checked[i], true};
    if (!Checked(kAutoHScroll)) {
        Set(kHScrollBar, false);
        Enable(kHScrollBar, false);
    }
    if (!Checked(kAutoVScroll)) {
        Set(kVScrollBar, false);
        Enable(kVScrollBar, false);
    }
    if (!Checked(kMultiLine))
        for (int id : {kAutoVScroll, kHScrollBar, kVScrollBar, kWantReturn}) Set(id, false);
    if (Checked(kPassword))
        for (int id : {kAutoVScroll, kHScrollBar, kVScrollBar, kWantReturn, kMultiLine}) Enable(id, false);
}

void EditStyleBoxes::Click(int id) {
    Set(id, !Checked(id));
    const bool on = Checked(id);
    switch (id) {
        case kAutoHScroll:
            if (!on) {
                Set(kHScrollBar, false);
                Enable(kHScrollBar, false);
            } else if (Checked(kMultiLine)) {
                Enable(kHScrollBar, true);
                Set(kWantReturn, true);
            }
            break;
        case kAutoVScroll:
            if (!on) Set(kVScrollBar, false);
            Enable(kVScrollBar, on);
            break;
        case kMultiLine:
            if (!on) {
                for (int other : {kAutoVScroll, kVScrollBar, kHScrollBar, kWantReturn}) Set(other, false);
            } else if (Checked(kAutoHScroll)) {
                Set(kWantReturn, true);
            }
            Enable(kAutoVScroll, on);
            Enable(kWantReturn, on);
            Enable(kHScrollBar, on && Checked(kAutoHScroll));
            Enable(kVScrollBar, on);
            break;
        case kWantReturn:
            if (!on && Checked(kAutoHScroll)) {
                Set(kAutoHScroll, false);
                Set(kHScrollBar, false);
                Enable(kHScrollBar, false);
            }
            break;
        case kPassword:
            for (int other : {kHScrollBar, kVScrollBar, kAutoVScroll, kMultiLine, kWantReturn})
                Set(other, false);
            for (int other : {kAutoVScroll, kWantReturn, kVScrollBar, kHScrollBar}) Enable(other, false);
            Enable(kMultiLine, !on);
            break;
        default:
            break;
    }
}

}  // namespace vexa::pages
