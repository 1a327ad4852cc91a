#include "win32/adapters/listbox_window.h"

#include <algorithm>

namespace vexa::win32 {

using listbox::kListError;

LRESULT Win32ListWindow::Send(UINT msg, WPARAM wp, LPARAM lp) const {
    return SendMessageA(Hwnd(), msg, wp, lp);
}

void Win32ListWindow::Flush() const {
    if (!countBehind_) return;
    countBehind_ = false;
    if (Hwnd()) Send(LB_SETCOUNT, static_cast<WPARAM>(Count()));
}

const std::string& Win32ListWindow::Text(int index) const { return memory_.Text(index); }

int Win32ListWindow::Insert(int index, const std::string& text) {
    if (index == -1) index = Count();
    if (index < 0 || index > Count()) return kListError;
    if (Hwnd() && !countBehind_) {
        // A no-data list inserts an empty row (and moves the selection of
        // the rows after it); the control draws the row from its text.
        if (Send(LB_INSERTSTRING, static_cast<WPARAM>(index), 0) < 0) return kListError;
    }
    return memory_.Insert(index, text);
}

int Win32ListWindow::Delete(int index) {
    if (index < 0 || index >= Count()) return kListError;
    Flush();
    if (Hwnd() && Send(LB_DELETESTRING, static_cast<WPARAM>(index)) == LB_ERR) return kListError;
    return memory_.Delete(index);
}

void Win32ListWindow::Reset() {
    memory_.Reset();
    countBehind_ = false;
    if (!Hwnd()) return;
    Send(LB_RESETCONTENT);
    // Inside an update the items that follow are counted once, at its end.
    countBehind_ = updates_ > 0;
}

int Win32ListWindow::CurSel() const {
    Flush();
    return Hwnd() ? static_cast<int>(Send(LB_GETCURSEL)) : memory_.CurSel();
}

int Win32ListWindow::SetCurSel(int index) {
    if (!Hwnd()) return memory_.SetCurSel(index);
    Flush();
    return static_cast<int>(Send(LB_SETCURSEL, static_cast<WPARAM>(index)));
}

int Win32ListWindow::SelCount() const {
    Flush();
    return Hwnd() ? static_cast<int>(Send(LB_GETSELCOUNT)) : memory_.SelCount();
}

int Win32ListWindow::SelectedItems(int max, std::vector<int>& out) const {
    if (!Hwnd()) return memory_.SelectedItems(max, out);
    Flush();
    out.clear();
    std::vector<INT> fetched(static_cast<std::size_t>(std::max(max, 1)));
    const LRESULT n =
        Send(LB_GETSELITEMS, static_cast<WPARAM>(std::max(max, 0)), reinterpret_cast<LPARAM>(fetched.data()));
    if (n == LB_ERR) return kListError;
    out.assign(fetched.begin(), fetched.begin() + std::clamp<LRESULT>(n, 0, max));
    return static_cast<int>(out.size());
}

bool Win32ListWindow::IsSelected(int index) const {
    Flush();
    return Hwnd() ? Send(LB_GETSEL, static_cast<WPARAM>(index)) > 0 : memory_.IsSelected(index);
}

void Win32ListWindow::BeginUpdate(int) {
    if (!Hwnd()) return;
    if (updates_++ == 0) Send(WM_SETREDRAW, FALSE);
}

void Win32ListWindow::EndUpdate() {
    if (!Hwnd() || updates_ == 0 || --updates_ != 0) return;
    Flush();
    Send(WM_SETREDRAW, TRUE);
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

int Win32ListWindow::TopIndex() const {
    Flush();
    return Hwnd() ? static_cast<int>(Send(LB_GETTOPINDEX)) : memory_.TopIndex();
}

int Win32ListWindow::SetTopIndex(int index) {
    if (!Hwnd()) return memory_.SetTopIndex(index);
    Flush();
    return static_cast<int>(Send(LB_SETTOPINDEX, static_cast<WPARAM>(index)));
}

int Win32ListWindow::SetItemHeight(int index, int height) {
    if (!Hwnd()) return memory_.SetItemHeight(index, height);
    if (index < 0 || index >= std::max(Count(), 1)) return kListError;
    // Setting the height the window has already costs Wine a page update.
    if (heightWindow_ != Hwnd()) {
        heightWindow_ = Hwnd();
        rowHeight_ = static_cast<int>(Send(LB_GETITEMHEIGHT, 0));
    }
    if (height == rowHeight_) return 0;
    if (Send(LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0)) == LB_ERR) return kListError;
    rowHeight_ = height;
    return 0;
}

void Win32ListWindow::Attach(int itemHeight) {
    HWND hwnd = Hwnd();
    if (!hwnd) return;
    countBehind_ = false;
    heightWindow_ = nullptr;
    SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd, LB_RESETCONTENT, 0, 0);
    SendMessageA(hwnd, LB_SETCOUNT, static_cast<WPARAM>(Count()), 0);
    if (itemHeight > 0) SetItemHeight(0, itemHeight);
    if (!Multiple() && memory_.CurSel() >= 0)
        SendMessageA(hwnd, LB_SETCURSEL, static_cast<WPARAM>(memory_.CurSel()), 0);
    SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace vexa::win32
