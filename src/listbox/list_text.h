#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "listbox/list_window.h"

namespace vexa::listbox {

// The items of a List text: CR (13) or the byte 4 ends an item, LF (10) and
// ';' drop what was gathered since the last item end, any other byte is
// part of the item; a last item without an end counts when not empty.
std::vector<std::string> ParseList(std::string_view text);

// The items of the window in order, each followed by `separator` except
// the last (`lastToo`: the last as well).
std::string JoinItems(const ListWindow& window, std::string_view separator, bool lastToo);

// Byte order of ISCII texts: unsigned bytes, as C strings compare.
inline bool ByteLess(std::string_view a, std::string_view b) { return a < b; }

// Where `text` goes in a window held in byte order: after every item that
// is smaller or equal.
int SortedPosition(const ListWindow& window, std::string_view text);

// Type-ahead: the first item whose first bytes are `typed`; the count of
// items (one past the last) when none is.
int TypeAheadIndex(const ListWindow& window, std::string_view typed);

// The search of FindString: from `start` to the end, then from the first
// item up to `start`; a prefix match (or the whole text with `exact`) in
// which English letters match either case and every other byte only
// itself. -1 when nothing matches.
int FindItem(const ListWindow& window, int start, bool exact, std::string_view text);

}  // namespace vexa::listbox
