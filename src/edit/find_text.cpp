#include "edit/find_text.h"

#include "edit/edit_bytes.h"

namespace vexa::edit {

namespace {

unsigned char Fold(unsigned char b, bool matchCase) {
    if (!matchCase && b >= 'A' && b <= 'Z') return static_cast<unsigned char>(b - 'A' + 'a');
    return b;
}

// Whether a byte of the text stands for a byte the user typed.
bool Same(unsigned char inText, unsigned char typed, bool matchCase) {
    if (inText == kSoftBreakSpace) inText = kSpace;
    if (inText == kSoftBreakTab) inText = kTab;
    return Fold(inText, matchCase) == Fold(typed, matchCase);
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
        if (!Same(static_cast<unsigned char>(text[j]), static_cast<unsigned char>(what[i]),
                  options.matchCase))
            return std::nullopt;
    }
    return TextMatch{at, j};
}

std::optional<TextMatch> FindInText(std::string_view text, std::string_view what,
                                    std::size_t from, const FindOptions& options) {
    if (what.empty()) return std::nullopt;
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

ReplacedText ReplaceEvery(std::string_view text, std::string_view what, std::string_view with,
                          const FindOptions& options) {
    ReplacedText out;
    FindOptions down = options;
    down.up = false;
    std::size_t copied = 0;
    while (auto m = FindInText(text, what, copied, down)) {
        out.text.append(text.substr(copied, m->begin - copied));
        out.text.append(with);
        copied = m->end;
        ++out.count;
    }
    out.text.append(text.substr(copied));
    return out;
}

}  // namespace vexa::edit
