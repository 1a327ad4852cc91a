#include "statics/link_state.h"

namespace vexa::statics {

LinkActions LinkState::Leave() {
    LinkActions a;
    hover_ = false;
    armed_ = false;
    a.release = true;
    a.redrawNow = true;
    a.defaultHandling = false;
    return a;
}

LinkActions LinkState::MouseMove(platform::Point p, const platform::Rect& client, bool leftDown) {
    // A release the window never saw (it happened elsewhere) ends the press.
    if (!leftDown) armed_ = false;
    const bool inside = client.Contains(p);
    if (!hover_) {
        LinkActions a;
        if (!inside) return a;
        hover_ = true;
        a.redrawNow = true;
        a.capture = true;
        return a;
    }
    if (!inside) return Leave();
    return {};
}

LinkActions LinkState::ButtonDown(platform::Point p, const platform::Rect& client, bool isUrl) {
    // Under the hover capture a press meant for another window still comes
    // here: it only ends the hover.
    if (!client.Contains(p)) return Leave();
    LinkActions a;
    if (!isUrl) {
        a.fireClick = true;
        return a;
    }
    armed_ = true;
    if (!hover_) {
        // Pressed with no move before it: hold the capture so that a drag
        // out is seen.
        hover_ = true;
        a.capture = true;
        a.redrawNow = true;
    }
    return a;
}

LinkActions LinkState::ButtonUp(platform::Point p, const platform::Rect& client, bool isUrl) {
    LinkActions a;
    const bool click = armed_ && isUrl && client.Contains(p);
    armed_ = false;
    if (!click) return a;
    visited_ = true;
    a.launch = true;
    a.invalidate = true;
    return a;
}

LinkActions LinkState::Follow() {
    LinkActions a;
    visited_ = true;
    a.launch = true;
    a.invalidate = true;
    return a;
}

LinkActions LinkState::CaptureLost() {
    if (!hover_ && !armed_) return {};
    LinkActions a = Leave();
    a.release = false;  // it is gone already
    return a;
}

}  // namespace vexa::statics
