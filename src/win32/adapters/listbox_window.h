#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "listbox/item_store.h"
#include "listbox/list_window.h"

namespace vexa::win32 {

// The list window of VListBox on the system's LISTBOX as a no-data list
// (LBS_NODATA, owner-drawn rows of one height): the control is the only
// writer of the items, so their texts live only here, and the window holds
// just their number, the selection and the scrolling. Reading an item
// (type-ahead, sorting, painting) asks no message of the window, and a
// whole list filled after a reset reaches the window as one LB_SETCOUNT.
// Without a window (a script host's control) the selection and the top
// index are kept in memory as the window would keep them, and Attach()
// hands the count and a single selection to a new window.
class Win32ListWindow : public listbox::ListWindow {
public:
    explicit Win32ListWindow(std::function<HWND()> window) : window_(std::move(window)) {}

    bool Exists() const override { return Hwnd() != nullptr; }
    int Count() const override { return memory_.Count(); }
    const std::string& Text(int index) const override;

    int Insert(int index, const std::string& text) override;
    int Delete(int index) override;
    void Reset() override;
    void SetMultiple(bool multiple) override { memory_.SetMultiple(multiple); }
    bool Multiple() const override { return memory_.Multiple(); }

    int CurSel() const override;
    int SetCurSel(int index) override;
    int SelCount() const override;
    int SelectedItems(int max, std::vector<int>& out) const override;
    bool IsSelected(int index) const override;

    void BeginUpdate(int items) override;
    void EndUpdate() override;
    int TopIndex() const override;
    int SetTopIndex(int index) override;
    // The rows share one height: setting it for any item sets the window's.
    int SetItemHeight(int index, int height) override;

    // Gives the (new) window the kept number of items, each `itemHeight`
    // high when that is not 0.
    void Attach(int itemHeight);

private:
    HWND Hwnd() const { return window_(); }
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
    // The window's count catches up with the items added since a reset
    // inside an update.
    void Flush() const;

    std::function<HWND()> window_;
    listbox::ItemStore memory_;
    int updates_ = 0;
    // Items were added after a reset inside an update and the window does
    // not count them yet.
    mutable bool countBehind_ = false;
    // The row height the window was last given, and the window it was.
    HWND heightWindow_ = nullptr;
    int rowHeight_ = 0;
};

}  // namespace vexa::win32
