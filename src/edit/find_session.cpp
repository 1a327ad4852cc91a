#include "edit/find_session.h"

#include <algorithm>
#include <string>

#include "edit/edit_engine.h"

namespace vexa::edit {

FindSession::FindSession(EditEngine& engine) : engine_(engine) { engine_.ShowTextStart(); }

FindOutcome FindSession::FindNext(std::string_view what, const FindOptions& options) {
    pending_.reset();
    engine_.Flush();
    const std::string& text = engine_.Text();
    std::size_t from = 0;
    if (options.up)
        from = last_ ? std::min(last_->begin, text.size()) : text.size();
    else
        from = last_ ? std::min(last_->end, text.size()) : 0;
    const std::optional<TextMatch> m = FindInText(text, what, from, options);
    if (!m) return FindOutcome::kNotFound;
    last_ = pending_ = m;
    engine_.SelectRange(m->begin, m->end);
    return FindOutcome::kFound;
}

FindOutcome FindSession::Replace(std::string_view what, std::string_view with,
                                 const FindOptions& options) {
    engine_.Flush();
    const bool stillSelected = pending_ && engine_.HasSelection() &&
                               engine_.SelectionBegin() == pending_->begin &&
                               engine_.SelectionEnd() == pending_->end &&
                               MatchAt(engine_.Text(), what, pending_->begin, options) == pending_;
    if (engine_.Style().readOnly || !stillSelected) {
        const FindOutcome found = FindNext(what, options);
        return found == FindOutcome::kFound && engine_.Style().readOnly ? FindOutcome::kRefused
                                                                         : found;
    }
    const TextMatch m = *pending_;
    std::string text = engine_.Text();
    text.replace(m.begin, m.end - m.begin, with);
    // The caret stands behind the replacement; searching on starts there
    // (or in front of it upwards), so the replacement is never found again.
    engine_.ReplaceText(std::move(text), m.begin + with.size());
    last_ = TextMatch{m.begin, m.begin + with.size()};
    pending_.reset();
    return FindOutcome::kReplaced;
}

std::optional<int> FindSession::ReplaceAll(std::string_view what, std::string_view with,
                                           const FindOptions& options) {
    engine_.Flush();
    if (engine_.Style().readOnly) return std::nullopt;
    ReplacedText replaced = ReplaceEvery(engine_.Text(), what, with, options);
    if (replaced.count == 0) return 0;
    // The caret keeps its offset as far as the new text allows.
    const std::size_t size = replaced.text.size();
    const std::size_t caret =
        size == 0 ? 0 : std::min(engine_.Buffer().CaretIndex(), size - 1);
    engine_.ReplaceText(std::move(replaced.text), caret);
    last_.reset();
    pending_.reset();
    return replaced.count;
}

}  // namespace vexa::edit
