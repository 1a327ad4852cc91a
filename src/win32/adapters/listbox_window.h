#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "listbox/item_store.h"
#include "listbox/list_window.h"

namespace vexa::win32 {

// The list window of VListBox on the system's LISTBOX. The control is the
// only writer of the items, so their texts are also kept here: reading an
// item (type-ahead, sorting, painting) asks no message of the window. The
// selection and the scrolling are the window's. Without a window (a script
// host's control) the items, the selection and the top index are kept in
// memory as the window would keep them, and Attach() hands the items and a
// single selection to a new window.
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
    int SetItemHeight(int index, int height) override;

    // Fills the (new) window with the kept items, each `itemHeight` high
    // when that is not 0.
    void Attach(int itemHeight);

private:
    HWND Hwnd() const { return window_(); }
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;

    std::function<HWND()> window_;
    listbox::ItemStore memory_;
    int updates_ = 0;
};

}  // namespace vexa::win32
