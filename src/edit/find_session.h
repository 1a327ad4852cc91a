#pragma once

// One session of the Find or Replace dialog over one edit control: where
// the next search starts, the match the last Find Next selected, and the
// edits Replace and Replace All make. The dialog reads its fields and
// shows the messages; this class holds what is decided.

#include <optional>
#include <string_view>

#include "edit/find_text.h"

namespace vexa::edit {

class EditEngine;

enum class FindOutcome {
    kFound,     // the match is selected
    kNotFound,  // nothing further in that direction: the dialog says so
    kReplaced,  // the selected match was replaced
    kRefused,   // the control is read-only: nothing was changed
};

class FindSession {
  public:
    // Opening a dialog: the control shows its first line, the search starts
    // at the beginning of the text.
    explicit FindSession(EditEngine& engine);

    // Searches from the last match (the start of the text at first) in the
    // options' direction and selects what it finds.
    FindOutcome FindNext(std::string_view what, const FindOptions& options);
    // Replaces the match Find Next selected; without one (or once the
    // selection moved away from it) it acts as Find Next. A read-only
    // control is only searched.
    FindOutcome Replace(std::string_view what, std::string_view with, const FindOptions& options);
    // Replaces every occurrence in one pass; the number replaced, or
    // nullopt when the control is read-only.
    std::optional<int> ReplaceAll(std::string_view what, std::string_view with,
                                  const FindOptions& options);

  private:
    EditEngine& engine_;
    // The bytes last found or replaced: the next search starts behind them
    // (down) or in front of them (up).
    std::optional<TextMatch> last_;
    // The match Find Next selected that Replace may still replace.
    std::optional<TextMatch> pending_;
};

}  // namespace vexa::edit
