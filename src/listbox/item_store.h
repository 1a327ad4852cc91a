#pragma once

#include <string>
#include <vector>

#include "listbox/list_window.h"

namespace vexa::listbox {

// Navigation keys of the list window (the platform's virtual-key codes).
enum class ListKey { PageUp = 0x21, PageDown = 0x22, End = 0x23, Home = 0x24, Up = 0x26, Down = 0x28 };

// The list window in memory: items with their selection, the caret item,
// the anchor of extended selection and the top index, answering as the
// platform's owner-drawn list box does. Clicks and navigation keys follow
// its single and extended selection rules; the page is the number of whole
// rows the owner says fit.
class ItemStore : public ListWindow {
public:
    bool Exists() const override { return exists_; }
    int Count() const override { return static_cast<int>(items_.size()); }
    const std::string& Text(int index) const override;

    int Insert(int index, const std::string& text) override;
    int Delete(int index) override;
    void Reset() override;
    void SetMultiple(bool multiple) override;
    bool Multiple() const override { return multiple_; }

    int CurSel() const override;
    int SetCurSel(int index) override;
    int SelCount() const override;
    int SelectedItems(int max, std::vector<int>& out) const override;
    bool IsSelected(int index) const override;

    void BeginUpdate(int = 0) override { ++updateDepth_; }
    void EndUpdate() override {
        if (updateDepth_ > 0 && --updateDepth_ == 0) ++batches_;
    }
    int TopIndex() const override { return top_; }
    int SetTopIndex(int index) override;
    int SetItemHeight(int index, int height) override;

    // --- the user's side
    void SetExists(bool exists) { exists_ = exists; }
    void SetPageRows(int rows) { pageRows_ = rows < 1 ? 1 : rows; }
    // A left click on the row at `index` (relative to nothing: an item
    // index), with Ctrl or Shift held.
    void Click(int index, bool ctrl = false, bool shift = false);
    void Key(ListKey key, bool shift = false);
    int Caret() const { return caret_; }
    int ItemHeight(int index) const;
    // Open BeginUpdate calls, and the batches of changes ended so far.
    int UpdateDepth() const { return updateDepth_; }
    int Batches() const { return batches_; }

private:
    struct Item {
        std::string text;
        bool selected = false;
        int height = 0;
    };
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    void SelectOnly(int index);
    void SelectRange(int from, int to);
    void MoveCaret(int index);
    void ShowCaret();

    std::vector<Item> items_;
    bool exists_ = true;
    bool multiple_ = false;
    int caret_ = -1;
    int anchor_ = -1;
    int top_ = 0;
    int pageRows_ = 1;
    int updateDepth_ = 0;
    int batches_ = 0;
};

}  // namespace vexa::listbox
