#pragma once

#include "common/accessible_view.h"
#include "edit/edit_engine.h"
#include "edit/vedit_logic.h"

namespace vexa::edit {

// How VEdit describes itself to assistive technology, as the platform's
// edit control does: role text, its whole text as the value in Unicode
// (withheld, with the protected state, while Password is on), read-only.
// Its name comes from the host's label, as for any edit control. The
// owner announces every change of the text (TextChanged).
class VEditAccessible : public common::AccessibleView {
public:
    VEditAccessible(const EditEngine& engine, VEditLogic& logic) : engine_(engine), logic_(logic) {}

    common::AccessibleRole Role(int) const override { return common::AccessibleRole::kText; }
    std::u16string Name(int) const override { return {}; }
    bool Value(std::u16string& out) const override;
    std::uint32_t States(int) const override;

    // The text changed (typed, pasted, cut, undone or set from code).
    void TextChanged() const { Announce(common::AccessibleChange::kValue); }

private:
    const EditEngine& engine_;
    VEditLogic& logic_;
};

}  // namespace vexa::edit
