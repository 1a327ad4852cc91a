#pragma once

#include <string>
#include <vector>

namespace vexa::listbox {

// The error answer of the list window (LB_ERR).
inline constexpr int kListError = -1;

// The list window a list box control draws into: the platform's LISTBOX
// on Windows, an item store in memory elsewhere. It keeps the items, the
// selection and the scrolling; every answer is the one the platform's list
// box gives for the same request (LB_* messages), errors included.
class ListWindow {
public:
    virtual ~ListWindow() = default;

    virtual bool Exists() const = 0;
    virtual int Count() const = 0;
    // The item text; empty for an index outside the items.
    virtual const std::string& Text(int index) const = 0;

    // Inserts at `index` (-1: at the end); the new index or kListError.
    virtual int Insert(int index, const std::string& text) = 0;
    // Removes one item; the items left, or kListError.
    virtual int Delete(int index) = 0;
    virtual void Reset() = 0;
    // Whether several items may be selected (extended selection).
    virtual void SetMultiple(bool multiple) = 0;
    virtual bool Multiple() const = 0;

    // Single selection: the selected index, or kListError when none (and
    // always in a multiple-selection list).
    virtual int CurSel() const = 0;
    // Selects one item (-1: none). kListError for an index outside the
    // items, for -1, and in a multiple-selection list.
    virtual int SetCurSel(int index) = 0;
    // Multiple selection: the number of selected items; kListError in a
    // single-selection list.
    virtual int SelCount() const = 0;
    // The first `max` selected indices in order; kListError (nothing
    // written) in a single-selection list.
    virtual int SelectedItems(int max, std::vector<int>& out) const = 0;
    virtual bool IsSelected(int index) const = 0;

    // Many changes follow (about `items` new items): the window need not
    // show each of them. Every BeginUpdate is followed by one EndUpdate,
    // which shows the result.
    virtual void BeginUpdate(int /*items*/ = 0) {}
    virtual void EndUpdate() {}

    virtual int TopIndex() const = 0;
    virtual int SetTopIndex(int index) = 0;
    virtual int SetItemHeight(int index, int height) = 0;
};

}  // namespace vexa::listbox
