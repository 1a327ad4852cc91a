#include "listbox/item_store.h"

#include <algorithm>

namespace vexa::listbox {

namespace {
const std::string kNoText;
}  // namespace

const std::string& ItemStore::Text(int index) const {
    return Valid(index) ? items_[static_cast<std::size_t>(index)].text : kNoText;
}

int ItemStore::Insert(int index, const std::string& text) {
    if (index == -1) index = Count();
    if (index < 0 || index > Count()) return kListError;
    items_.insert(items_.begin() + index, Item{text, false, 0});
    if (caret_ >= index) ++caret_;
    if (anchor_ >= index) ++anchor_;
    return index;
}

int ItemStore::Delete(int index) {
    if (!Valid(index)) return kListError;
    items_.erase(items_.begin() + index);
    if (caret_ == index) caret_ = -1;
    else if (caret_ > index) --caret_;
    if (anchor_ == index) anchor_ = -1;
    else if (anchor_ > index) --anchor_;
    top_ = std::clamp(top_, 0, std::max(0, Count() - 1));
    return Count();
}

void ItemStore::Reset() {
    items_.clear();
    caret_ = anchor_ = -1;
    top_ = 0;
}

void ItemStore::SetMultiple(bool multiple) {
    if (multiple == multiple_) return;
    multiple_ = multiple;
    for (Item& item : items_) item.selected = false;
    caret_ = anchor_ = -1;
}

int ItemStore::CurSel() const {
    if (multiple_) return kListError;
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<std::size_t>(i)].selected) return i;
    return kListError;
}

int ItemStore::SetCurSel(int index) {
    if (multiple_) return kListError;
    if (index == -1) {
        SelectOnly(-1);
        return kListError;
    }
    if (!Valid(index)) return kListError;
    SelectOnly(index);
    caret_ = index;
    ShowCaret();
    return index;
}

int ItemStore::SelCount() const {
    if (!multiple_) return kListError;
    return static_cast<int>(
        std::count_if(items_.begin(), items_.end(), [](const Item& i) { return i.selected; }));
}

int ItemStore::SelectedItems(int max, std::vector<int>& out) const {
    if (!multiple_) return kListError;
    out.clear();
    for (int i = 0; i < Count() && static_cast<int>(out.size()) < max; ++i)
        if (items_[static_cast<std::size_t>(i)].selected) out.push_back(i);
    return static_cast<int>(out.size());
}

bool ItemStore::IsSelected(int index) const {
    return Valid(index) && items_[static_cast<std::size_t>(index)].selected;
}

int ItemStore::SetTopIndex(int index) {
    if (!Valid(index)) return kListError;
    top_ = std::clamp(index, 0, std::max(0, Count() - pageRows_));
    return 0;
}

int ItemStore::SetItemHeight(int index, int height) {
    if (height < 0 || height > 255) return kListError;
    if (!Valid(index)) return kListError;
    items_[static_cast<std::size_t>(index)].height = height;
    return 0;
}

int ItemStore::ItemHeight(int index) const {
    return Valid(index) ? items_[static_cast<std::size_t>(index)].height : 0;
}

void ItemStore::SelectOnly(int index) {
    for (int i = 0; i < Count(); ++i) items_[static_cast<std::size_t>(i)].selected = i == index;
}

void ItemStore::SelectRange(int from, int to) {
    if (from > to) std::swap(from, to);
    for (int i = 0; i < Count(); ++i)
        items_[static_cast<std::size_t>(i)].selected = i >= from && i <= to;
}

void ItemStore::ShowCaret() {
    if (caret_ < 0) return;
    if (caret_ < top_) top_ = caret_;
    else if (caret_ >= top_ + pageRows_) top_ = caret_ - pageRows_ + 1;
}

void ItemStore::MoveCaret(int index) {
    caret_ = index;
    ShowCaret();
}

void ItemStore::Click(int index, bool ctrl, bool shift) {
    if (!Valid(index)) return;
    if (!multiple_) {
        SelectOnly(index);
    } else if (shift && anchor_ >= 0) {
        SelectRange(anchor_, index);
    } else if (ctrl) {
        Item& item = items_[static_cast<std::size_t>(index)];
        item.selected = !item.selected;
        anchor_ = index;
    } else {
        SelectOnly(index);
        anchor_ = index;
    }
    MoveCaret(index);
}

void ItemStore::Key(ListKey key, bool shift) {
    if (items_.empty()) return;
    const int from = caret_ < 0 ? 0 : caret_;
    int to = from;
    switch (key) {
        case ListKey::Up: to = from - 1; break;
        case ListKey::Down: to = caret_ < 0 ? 0 : from + 1; break;
        case ListKey::PageUp: to = from - (pageRows_ - 1 > 0 ? pageRows_ - 1 : 1); break;
        case ListKey::PageDown: to = from + (pageRows_ - 1 > 0 ? pageRows_ - 1 : 1); break;
        case ListKey::Home: to = 0; break;
        case ListKey::End: to = Count() - 1; break;
    }
    to = std::clamp(to, 0, Count() - 1);
    if (multiple_ && shift) {
        if (anchor_ < 0) anchor_ = from;
        SelectRange(anchor_, to);
    } else {
        SelectOnly(to);
        anchor_ = to;
    }
    MoveCaret(to);
}

}  // namespace vexa::listbox
