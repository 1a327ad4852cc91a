#pragma once

// Searching and replacing in the edit control's ISCII text.
//
// The text holds line ends the user did not type: a line wrapped at a space
// or a tab ends in 0x04 or 0x05, one wrapped inside a word in the forced
// break 0x1D. A search string is what the user typed, so a space in it
// matches a 0x04, a tab a 0x05, and a forced break inside the text is
// passed over. Everything else is an exact byte comparison; without
// "match case" the English letters A-Z and a-z compare equal (ISCII letters
// have no case).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vexa::edit {

struct FindOptions {
    bool matchCase = true;
    bool up = false;  // search towards the start of the text
};

// A match: the bytes [begin, end) of the text (end - begin may exceed the
// search string's length by the forced breaks it spans).
struct TextMatch {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool operator==(const TextMatch&) const = default;
};

// Down: the first match that begins at or after `from`. Up: the last match
// that ends at or before `from`. An empty search string matches nothing.
std::optional<TextMatch> FindInText(std::string_view text, std::string_view what,
                                    std::size_t from, const FindOptions& options);

// The match that begins exactly at `at`, if any.
std::optional<TextMatch> MatchAt(std::string_view text, std::string_view what, std::size_t at,
                                 const FindOptions& options);

struct ReplacedText {
    std::string text;
    int count = 0;
};

// Replaces every match in one pass from the start: after a replacement the
// search goes on behind the inserted bytes, so a replacement that contains
// the search string is never searched again and the pass always ends.
// An empty search string changes nothing.
ReplacedText ReplaceEvery(std::string_view text, std::string_view what, std::string_view with,
                          const FindOptions& options);

}  // namespace vexa::edit
