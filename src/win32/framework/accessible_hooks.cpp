// Where the control object meets its accessibility: the client object for
// WM_GETOBJECT, and the events of the description bound to the window.
#include "win32/framework/accessible_object.h"
#include "win32/framework/activex_control.h"

namespace vexa::win32 {

void ActiveXControl::ConnectAccessibility() {
    common::AccessibleView* view = Accessible();
    if (!view || !hwnd_) return;
    if (!accessibility_) accessibility_ = new AccessibleSupport;
    accessibility_->Attach(hwnd_, *view);
}

bool ActiveXControl::AnswerGetObject(HWND hwnd, WPARAM wp, LPARAM lp, LRESULT& result) {
    common::AccessibleView* view = Accessible();
    if (!view || hwnd != hwnd_) return false;
    if (!accessibility_) accessibility_ = new AccessibleSupport;
    return accessibility_->Answer(hwnd, *view, wp, lp, result);
}

// The focus came to the window: assistive technology hears of the part
// that has it (a list's focused item), or of the control itself.
void ActiveXControl::AnnounceFocus() {
    if (common::AccessibleView* view = Accessible()) view->Announce(common::AccessibleChange::kFocus, view->FocusedChild());
}

}  // namespace vexa::win32
