#include "edit/find_text.h"

#include <algorithm>
#include <vector>

#include "edit/edit_bytes.h"

namespace vexa::edit {

namespace {

unsigned char Fold(unsigned char b, bool matchCase) {
    if (!matchCase && b >= 'A' && b <= 'Z') return static_cast<unsigned char>(b - 'A' + 'a');
    return b;
}

// What a byte of the text stands for, as the user would type it.
unsigned char Typed(unsigned char inText, bool matchCase) {
    if (inText == kSoftBreakSpace) inText = kSpace;
    if (inText == kSoftBreakTab) inText = kTab;
    return Fold(inText, matchCase);
}

// Searches in one pass over the text (Knuth-Morris-Pratt). Forced breaks of
// the text are passed over wherever they are: a match never starts on one
// (the first byte is compared with it, and the search string holds none),
// and inside a match it is a wrap, not a character. Every other byte is
// compared as the user typed it. A search string holding a forced break
// itself is searched position by position (`Naive`), as it compares with
// the text's forced breaks.
class Matcher {
public:
    Matcher(std::string_view what, bool matchCase)
        : matchCase_(matchCase), fail_(what.size(), 0), begins_(what.size(), 0) {
        pattern_.reserve(what.size());
        for (char c : what) {
            pattern_ += static_cast<char>(Fold(static_cast<unsigned char>(c), matchCase));
        }
        for (std::size_t i = 1, k = 0; i < pattern_.size(); ++i) {
            while (k > 0 && pattern_[i] != pattern_[k]) k = fail_[k - 1];
            if (pattern_[i] == pattern_[k]) ++k;
            fail_[i] = k;
        }
    }

    static bool Naive(std::string_view what) {
        return what.find(static_cast<char>(kForcedBreak)) != std::string_view::npos;
    }

    // Calls `found(match)` for each match, in order, that lies in
    // [from, to) and begins there; stops when it returns true.
    template <typename Found>
    void Scan(std::string_view text, std::size_t from, std::size_t to, Found&& found) {
        const std::size_t m = pattern_.size();
        std::size_t matched = 0;
        std::size_t count = 0;  // bytes compared so far (forced breaks left out)
        for (std::size_t j = from; j < to; ++j) {
            const auto b = static_cast<unsigned char>(text[j]);
            if (b == kForcedBreak) continue;
            const auto t = static_cast<char>(Typed(b, matchCase_));
            // Where each of the last m compared bytes lies in the text.
            begins_[count % m] = j;
            ++count;
            while (matched > 0 && pattern_[matched] != t) matched = fail_[matched - 1];
            if (pattern_[matched] == t) ++matched;
            if (matched == m) {
                if (found(TextMatch{begins_[(count - m) % m], j + 1})) return;
                matched = fail_[m - 1];
            }
        }
    }

private:
    bool matchCase_;
    std::string pattern_;
    std::vector<std::size_t> fail_;
    std::vector<std::size_t> begins_;
};

// Down: the first match beginning at or after `from`.
std::optional<TextMatch> FindDown(Matcher& matcher, std::string_view text, std::size_t from) {
    std::optional<TextMatch> first;
    matcher.Scan(text, from, text.size(), [&](const TextMatch& m) {
        first = m;
        return true;
    });
    return first;
}

std::optional<TextMatch> NaiveFind(std::string_view text, std::string_view what,
                                   std::size_t from, const FindOptions& options) {
    if (!options.up) {
        for (std::size_t at = from; at < text.size(); ++at)
            if (auto m = MatchAt(text, what, at, options)) return m;
        return std::nullopt;
    }
    for (std::size_t at = std::min(from, text.size()); at-- > 0;) {
        auto m = MatchAt(text, what, at, options);
        if (m && m->end <= from) return m;
    }
    return std::nullopt;
}

}  // namespace

std::optional<TextMatch> MatchAt(std::string_view text, std::string_view what, std::size_t at,
                                 const FindOptions& options) {
    if (what.empty() || at >= text.size()) return std::nullopt;
    std::size_t j = at;
    for (std::size_t i = 0; i < what.size(); ++i, ++j) {
        // A forced break inside the match is a wrap, not a character; the
        // match never starts with one.
        while (i > 0 && j < text.size() && static_cast<unsigned char>(text[j]) == kForcedBreak &&
               static_cast<unsigned char>(what[i]) != kForcedBreak)
            ++j;
        if (j >= text.size()) return std::nullopt;
        if (Typed(static_cast<unsigned char>(text[j]), options.matchCase) !=
            Fold(static_cast<unsigned char>(what[i]), options.matchCase))
            return std::nullopt;
    }
    return TextMatch{at, j};
}

std::optional<TextMatch> FindInText(std::string_view text, std::string_view what,
                                    std::size_t from, const FindOptions& options) {
    if (what.empty()) return std::nullopt;
    if (Matcher::Naive(what)) return NaiveFind(text, what, from, options);
    Matcher matcher(what, options.matchCase);
    if (!options.up) return FindDown(matcher, text, from);
    // Up: the match with the last beginning among those that end at or
    // before `from`, so only the bytes in front of it are searched.
    std::optional<TextMatch> last;
    matcher.Scan(text, 0, std::min(from, text.size()), [&](const TextMatch& m) {
        last = m;
        return false;
    });
    return last;
}

ReplacedText ReplaceEvery(std::string_view text, std::string_view what, std::string_view with,
                          const FindOptions& options) {
    ReplacedText out;
    if (what.empty()) {
        out.text.assign(text);
        return out;
    }
    const bool naive = Matcher::Naive(what);
    Matcher matcher(what, options.matchCase);
    FindOptions down = options;
    down.up = false;
    std::size_t copied = 0;
    while (true) {
        const std::optional<TextMatch> m = naive ? NaiveFind(text, what, copied, down)
                                                 : FindDown(matcher, text, copied);
        if (!m) break;
        out.text.append(text.substr(copied, m->begin - copied));
        out.text.append(with);
        copied = m->end;
        ++out.count;
    }
    out.text.append(text.substr(copied));
    return out;
}

}  // namespace vexa::edit
