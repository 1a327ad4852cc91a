#include "win32/adapters/listbox_window.h"

#include <algorithm>

namespace vexa::win32 {

using listbox::kListError;

LRESULT Win32ListWindow::Send(UINT msg, WPARAM wp, LPARAM lp) const {
    return SendMessageA(Hwnd(), msg, wp, lp);
}

const std::string& Win32ListWindow::Text(int index) const { return memory_.Text(index); }

int Win32ListWindow::Insert(int index, const std::string& text) {
    if (index == -1) index = Count();
    if (index < 0 || index > Count()) return kListError;
    if (Hwnd()) {
        const LRESULT at = Send(LB_INSERTSTRING, static_cast<WPARAM>(index),
                                reinterpret_cast<LPARAM>(text.c_str()));
        if (at < 0) return kListError;
    }
    return memory_.Insert(index, text);
}

int Win32ListWindow::Delete(int index) {
    if (index < 0 || index >= Count()) return kListError;
    if (Hwnd() && Send(LB_DELETESTRING, static_cast<WPARAM>(index)) == LB_ERR) return kListError;
    return memory_.Delete(index);
}

void Win32ListWindow::Reset() {
    memory_.Reset();
    if (Hwnd()) Send(LB_RESETCONTENT);
}

int Win32ListWindow::CurSel() const {
    return Hwnd() ? static_cast<int>(Send(LB_GETCURSEL)) : memory_.CurSel();
}

int Win32ListWindow::SetCurSel(int index) {
    if (!Hwnd()) return memory_.SetCurSel(index);
    return static_cast<int>(Send(LB_SETCURSEL, static_cast<WPARAM>(index)));
}

int Win32ListWindow::SelCount() const {
    return Hwnd() ? static_cast<int>(Send(LB_GETSELCOUNT)) : memory_.SelCount();
}

int Win32ListWindow::SelectedItems(int max, std::vector<int>& out) const {
    if (!Hwnd()) return memory_.SelectedItems(max, out);
    out.clear();
    std::vector<INT> fetched(static_cast<std::size_t>(std::max(max, 1)));
    const LRESULT n =
        Send(LB_GETSELITEMS, static_cast<WPARAM>(std::max(max, 0)), reinterpret_cast<LPARAM>(fetched.data()));
    if (n == LB_ERR) return kListError;
    out.assign(fetched.begin(), fetched.begin() + std::clamp<LRESULT>(n, 0, max));
    return static_cast<int>(out.size());
}

bool Win32ListWindow::IsSelected(int index) const {
    return Hwnd() ? Send(LB_GETSEL, static_cast<WPARAM>(index)) > 0 : memory_.IsSelected(index);
}

void Win32ListWindow::BeginUpdate(int items) {
    if (!Hwnd()) return;
    if (updates_++ == 0) Send(WM_SETREDRAW, FALSE);
    // Room for the items at once: Wine grows its array 16 items at a time.
    if (items > 0) Send(LB_INITSTORAGE, static_cast<WPARAM>(items), 0);
}

void Win32ListWindow::EndUpdate() {
    if (!Hwnd() || updates_ == 0 || --updates_ != 0) return;
    Send(WM_SETREDRAW, TRUE);
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

int Win32ListWindow::TopIndex() const {
    return Hwnd() ? static_cast<int>(Send(LB_GETTOPINDEX)) : memory_.TopIndex();
}

int Win32ListWindow::SetTopIndex(int index) {
    if (!Hwnd()) return memory_.SetTopIndex(index);
    return static_cast<int>(Send(LB_SETTOPINDEX, static_cast<WPARAM>(index)));
}

int Win32ListWindow::SetItemHeight(int index, int height) {
    if (!Hwnd()) return memory_.SetItemHeight(index, height);
    // The window measured the item when it was inserted (WM_MEASUREITEM
    // answers the item height); setting the same height again costs Wine a
    // page update for every item.
    const LRESULT now = Send(LB_GETITEMHEIGHT, static_cast<WPARAM>(index));
    if (now == LB_ERR) return kListError;
    if (now == height) return 0;
    return static_cast<int>(Send(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(height, 0)));
}

void Win32ListWindow::Attach(int itemHeight) {
    HWND hwnd = Hwnd();
    if (!hwnd) return;
    SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd, LB_RESETCONTENT, 0, 0);
    SendMessageA(hwnd, LB_INITSTORAGE, static_cast<WPARAM>(Count()), 0);
    for (int i = 0; i < Count(); ++i) {
        SendMessageA(hwnd, LB_INSERTSTRING, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(memory_.Text(i).c_str()));
        SetItemHeight(i, itemHeight);
    }
    if (!Multiple() && memory_.CurSel() >= 0)
        SendMessageA(hwnd, LB_SETCURSEL, static_cast<WPARAM>(memory_.CurSel()), 0);
    SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace vexa::win32
