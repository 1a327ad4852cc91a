#include "listbox/list_text.h"

#include <algorithm>

namespace vexa::listbox {

std::vector<std::string> ParseList(std::string_view text) {
    std::vector<std::string> items;
    std::string pending;
    for (char c : text) {
        switch (static_cast<unsigned char>(c)) {
            case 13:
            case 4:
                items.push_back(std::move(pending));
                pending.clear();
                break;
            case 10:
            case ';': pending.clear(); break;
            default: pending += c;
        }
    }
    if (!pending.empty()) items.push_back(std::move(pending));
    return items;
}

std::string JoinItems(const ListWindow& window, std::string_view separator, bool lastToo) {
    std::string out;
    const int count = window.Count();
    for (int i = 0; i < count; ++i) {
        out += window.Text(i);
        if (lastToo || i + 1 < count) out += separator;
    }
    return out;
}

int SortedPosition(const ListWindow& window, std::string_view text) {
    int low = 0, high = window.Count();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (ByteLess(text, window.Text(mid)))
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

int TypeAheadIndex(const ListWindow& window, std::string_view typed) {
    const int count = window.Count();
    for (int i = 0; i < count; ++i) {
        const std::string& item = window.Text(i);
        if (item.size() >= typed.size() && std::string_view(item).substr(0, typed.size()) == typed)
            return i;
    }
    return count;
}

namespace {

unsigned char Fold(unsigned char b) { return b >= 'A' && b <= 'Z' ? b + ('a' - 'A') : b; }

bool Matches(std::string_view item, std::string_view text, bool exact) {
    if (exact ? item.size() != text.size() : item.size() < text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (Fold(static_cast<unsigned char>(item[i])) != Fold(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

}  // namespace

int FindItem(const ListWindow& window, int start, bool exact, std::string_view text) {
    const int count = window.Count();
    if (count == 0) return -1;
    if (start < 0 || start >= count) start = 0;
    for (int k = 0; k < count; ++k) {
        const int i = (start + k) % count;
        if (Matches(window.Text(i), text, exact)) return i;
    }
    return -1;
}

}  // namespace vexa::listbox
