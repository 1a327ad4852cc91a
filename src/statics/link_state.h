#pragma once

#include "platform/geometry.h"

namespace vexa::statics {

// What the static control's window does after a mouse message.
struct LinkActions {
    bool capture = false;         // take the mouse capture
    bool release = false;         // give the capture back
    bool redrawNow = false;       // invalidate, erase and paint at once
    bool invalidate = false;      // repaint with erasing at the next paint
    bool fireClick = false;       // the Click event
    bool launch = false;          // open the URL
    bool defaultHandling = true;  // let the system window see the message too
};

// The mouse side of the label and hyperlink: the hover flag (the mouse is
// over the control, which then holds the capture), the visited flag (the
// link was followed in this run), and a press that is waiting for its
// release. A hyperlink is followed only by a press and a release that both
// fall inside the control with no leave in between; a press outside, a
// drag out, or a lost capture follows nothing. Outside hyperlink mode the
// press inside fires Click.
class LinkState {
public:
    bool Hover() const { return hover_; }
    bool Visited() const { return visited_; }

    LinkActions MouseMove(platform::Point p, const platform::Rect& client, bool leftDown);
    LinkActions ButtonDown(platform::Point p, const platform::Rect& client, bool isUrl);
    LinkActions ButtonUp(platform::Point p, const platform::Rect& client, bool isUrl);
    // Another window took the capture (or the system ended it).
    LinkActions CaptureLost();
    // The link is followed as by a click inside it (assistive technology's
    // "Jump"): the same launch under the same rule, nothing else.
    LinkActions Follow();

private:
    LinkActions Leave();

    bool hover_ = false;
    bool visited_ = false;
    bool armed_ = false;
};

}  // namespace vexa::statics
