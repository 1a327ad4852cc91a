// The in-memory list window answers as the platform's list box does.
#include <gtest/gtest.h>

#include "listbox/item_store.h"

namespace vexa::listbox {
namespace {

ItemStore Filled(int n, bool multiple = false) {
    ItemStore store;
    store.SetMultiple(multiple);
    for (int i = 0; i < n; ++i) store.Insert(-1, "item" + std::to_string(i));
    store.SetPageRows(4);
    return store;
}

TEST(ItemStoreTest, InsertDeleteAndTheirErrors) {
    ItemStore store = Filled(3);
    EXPECT_EQ(store.Insert(1, "x"), 1);
    EXPECT_EQ(store.Text(1), "x");
    EXPECT_EQ(store.Insert(5, "y"), kListError);
    EXPECT_EQ(store.Insert(-2, "y"), kListError);
    EXPECT_EQ(store.Delete(0), 3);
    EXPECT_EQ(store.Delete(3), kListError);
    EXPECT_EQ(store.Text(7), "");
    store.Reset();
    EXPECT_EQ(store.Count(), 0);
}

TEST(ItemStoreTest, SingleSelectionAnswers) {
    ItemStore store = Filled(3);
    EXPECT_EQ(store.CurSel(), kListError);
    EXPECT_EQ(store.SetCurSel(0), 0);
    EXPECT_EQ(store.CurSel(), 0);
    EXPECT_EQ(store.SetCurSel(3), kListError);  // one past the last: rejected, kept
    EXPECT_EQ(store.CurSel(), 0);
    EXPECT_EQ(store.SetCurSel(-1), kListError);  // clears, and says LB_ERR
    EXPECT_EQ(store.CurSel(), kListError);
    std::vector<int> out{42};
    EXPECT_EQ(store.SelCount(), kListError);
    EXPECT_EQ(store.SelectedItems(5, out), kListError);
    EXPECT_EQ(out, std::vector<int>{42});  // nothing written
    store.SetCurSel(2);
    EXPECT_EQ(store.Delete(2), 2);  // the selected item goes with its selection
    EXPECT_EQ(store.CurSel(), kListError);
}

TEST(ItemStoreTest, ExtendedSelectionByClicksAndKeys) {
    ItemStore store = Filled(10, true);
    EXPECT_EQ(store.SetCurSel(1), kListError);
    store.Click(2);
    store.Click(5, false, true);  // Shift: the range from the anchor
    std::vector<int> out;
    EXPECT_EQ(store.SelectedItems(10, out), 4);
    EXPECT_EQ(out, (std::vector<int>{2, 3, 4, 5}));
    store.Click(8, true);  // Ctrl: adds one
    store.Click(3, true);  // Ctrl: removes one
    EXPECT_EQ(store.SelCount(), 4);
    EXPECT_EQ(store.SelectedItems(2, out), 2);
    EXPECT_EQ(out, (std::vector<int>{2, 4}));
    store.Click(0);  // a plain click selects only that item
    EXPECT_EQ(store.SelCount(), 1);
    store.Key(ListKey::Down, true);
    store.Key(ListKey::Down, true);
    EXPECT_EQ(store.SelectedItems(10, out), 3);
    EXPECT_EQ(out, (std::vector<int>{0, 1, 2}));
}

TEST(ItemStoreTest, CaretKeysScrollThePage) {
    ItemStore store = Filled(10);
    store.Key(ListKey::Down);
    EXPECT_EQ(store.CurSel(), 0);
    store.Key(ListKey::End);
    EXPECT_EQ(store.CurSel(), 9);
    EXPECT_EQ(store.TopIndex(), 6);  // four rows: 6 to 9 show
    store.Key(ListKey::PageUp);
    EXPECT_EQ(store.CurSel(), 6);
    store.Key(ListKey::Home);
    EXPECT_EQ(store.TopIndex(), 0);
    store.Key(ListKey::PageDown);
    EXPECT_EQ(store.CurSel(), 3);
    store.Key(ListKey::Up);
    EXPECT_EQ(store.CurSel(), 2);
    EXPECT_EQ(store.SetTopIndex(9), 0);
    EXPECT_EQ(store.TopIndex(), 6);  // no page past the last item
    EXPECT_EQ(store.SetTopIndex(10), kListError);
    EXPECT_EQ(store.SetItemHeight(0, 300), kListError);
    EXPECT_EQ(store.SetItemHeight(0, 20), 0);
    EXPECT_EQ(store.ItemHeight(0), 20);
}

}  // namespace
}  // namespace vexa::listbox
