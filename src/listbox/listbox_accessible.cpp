// How VListBox describes itself to assistive technology: a list whose
// children are its items (child n is item n - 1), named in Unicode, with
// their selection, the focus, and where each visible row is drawn.
#include "common/unicode_members.h"
#include "listbox/listbox_logic.h"

namespace vexa::listbox {

namespace {

bool IsItem(int child, int count) { return child >= 1 && child <= count; }

}  // namespace

void ListBoxLogic::SelectionMoved() {
    const int focused = FocusedChild();
    Announce(common::AccessibleChange::kSelection, focused);
    if (focused > 0) Announce(common::AccessibleChange::kFocus, focused);
}

common::AccessibleRole ListBoxLogic::Role(int child) const {
    return child == 0 ? common::AccessibleRole::kList : common::AccessibleRole::kListItem;
}

std::u16string ListBoxLogic::Name(int child) const {
    if (!IsItem(child, GetCount())) return {};
    return common::UnicodeOfStored(view_.List().Text(child - 1), props_.scriptName);
}

std::uint32_t ListBoxLogic::States(int child) const {
    const ListWindow& list = view_.List();
    if (child == 0) {
        std::uint32_t states = common::kStateFocusable;
        if (list.Multiple()) states |= common::kStateMultiSelectable | common::kStateExtSelectable;
        return states;
    }
    if (!IsItem(child, list.Count())) return 0;
    std::uint32_t states = common::kStateSelectable | common::kStateFocusable;
    if (list.IsSelected(child - 1)) states |= common::kStateSelected;
    if (child == FocusedChild()) states |= common::kStateFocused;
    return states;
}

platform::Rect ListBoxLogic::ChildLocation(int child, const platform::Rect& client) const {
    const ListWindow& list = view_.List();
    if (!IsItem(child, list.Count()) || itemHeight_ <= 0) return {};
    const int row = child - 1 - list.TopIndex();
    const int top = client.top + row * itemHeight_;
    if (row < 0 || top >= client.bottom) return {};
    return {client.left, top, client.right, top + itemHeight_};
}

int ListBoxLogic::ChildAt(platform::Point p, const platform::Rect& client) const {
    if (!client.Contains(p) || itemHeight_ <= 0) return 0;
    const int index = view_.List().TopIndex() + (p.y - client.top) / itemHeight_;
    return index < GetCount() ? index + 1 : 0;
}

int ListBoxLogic::FocusedChild() const {
    const ListWindow& list = view_.List();
    if (list.Count() == 0) return 0;
    if (!list.Multiple()) return list.CurSel() >= 0 ? list.CurSel() + 1 : 1;
    std::vector<int> selected;
    list.SelectedItems(1, selected);
    return selected.empty() ? 1 : selected.front() + 1;
}

std::vector<int> ListBoxLogic::SelectedChildren() const {
    const ListWindow& list = view_.List();
    std::vector<int> children;
    if (!list.Multiple()) {
        if (list.CurSel() >= 0) children.push_back(list.CurSel() + 1);
        return children;
    }
    std::vector<int> selected;
    list.SelectedItems(list.Count(), selected);
    for (int index : selected) children.push_back(index + 1);
    return children;
}

// A keyboard user moves the single selection to an item (which also takes
// the focus); a list of several selections is chosen with the keyboard.
bool ListBoxLogic::Select(int child, unsigned flags) {
    if (!IsItem(child, GetCount()) || view_.List().Multiple()) return false;
    if (flags & (common::kSelectExtend | common::kSelectAdd | common::kSelectRemove)) return false;
    if (!(flags & (common::kSelectTakeFocus | common::kSelectTakeSelection))) return false;
    return SetCurSel(child - 1);
}

}  // namespace vexa::listbox
