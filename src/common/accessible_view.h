#pragma once

// How a control describes itself to assistive technology (screen readers,
// magnifiers): its role, name and value in Unicode, its states, its parts
// (list items) with their places, and its default action. The control's
// portable logic implements it; the platform's accessibility layer reads it
// and tells assistive technology when the control announces a change.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"

namespace vexa::common {

// What a control (child 0) or one of its parts (children 1..n) is, named
// after the roles the platform's own controls report.
enum class AccessibleRole {
    kText,
    kPushButton,
    kCheckButton,
    kRadioButton,
    kGrouping,
    kStaticText,
    kLink,
    kList,
    kListItem,
};

// State bits; a description reports what its logic knows. The focus and
// availability of the control, and which parts are offscreen, come from
// its window and ChildLocation.
enum AccessibleState : std::uint32_t {
    kStateUnavailable = 1u << 0,
    kStateSelected = 1u << 1,
    kStateFocused = 1u << 2,
    kStateChecked = 1u << 3,
    kStateReadOnly = 1u << 4,
    kStateDefault = 1u << 5,
    kStateOffscreen = 1u << 6,
    kStateFocusable = 1u << 7,
    kStateSelectable = 1u << 8,
    kStateLinked = 1u << 9,
    kStateTraversed = 1u << 10,
    kStateProtected = 1u << 11,
    kStateMultiSelectable = 1u << 12,
    kStateExtSelectable = 1u << 13,
};

// What changed, for the event assistive technology hears.
enum class AccessibleChange {
    kFocus,      // the focus moved to the control or to one of its parts
    kValue,      // the value (an edit control's text)
    kState,      // a state bit (checked)
    kSelection,  // the selected part
    kName,       // the name (a caption)
};

// How a part is to be selected, as a keyboard user would: the same bits as
// the platform's selection flags.
enum AccessibleSelect : unsigned {
    kSelectTakeFocus = 0x1,
    kSelectTakeSelection = 0x2,
    kSelectExtend = 0x4,
    kSelectAdd = 0x8,
    kSelectRemove = 0x10,
};

class AccessibleListener {
public:
    virtual ~AccessibleListener() = default;
    virtual void AccessibleChanged(AccessibleChange change, int child) = 0;
};

class AccessibleView {
public:
    virtual ~AccessibleView() = default;

    // Child 0 is the control itself; its parts are 1..ChildCount().
    virtual AccessibleRole Role(int child) const = 0;
    virtual std::u16string Name(int child) const = 0;
    // The control's value; false when it has none or withholds it.
    virtual bool Value(std::u16string& /*out*/) const { return false; }
    virtual std::uint32_t States(int child) const = 0;
    virtual int ChildCount() const { return 0; }
    // A part's place in the control's client area (`client`); an empty
    // rectangle for a part that is not shown (it is then offscreen).
    virtual platform::Rect ChildLocation(int /*child*/, const platform::Rect& /*client*/) const {
        return {};
    }
    // The part at a client point, 0 for the control itself.
    virtual int ChildAt(platform::Point /*p*/, const platform::Rect& /*client*/) const { return 0; }
    // The part that has the focus while the control has it (0: itself).
    virtual int FocusedChild() const { return 0; }
    virtual std::vector<int> SelectedChildren() const { return {}; }
    // The default action's name ("Press", "Check", "Jump"); empty: none.
    virtual std::u16string DefaultAction(int /*child*/) const { return {}; }
    // Carries the default action out; false when there is none.
    virtual bool DoDefaultAction(int /*child*/) { return false; }
    // Selects a part as the keyboard would (AccessibleSelect bits).
    virtual bool Select(int /*child*/, unsigned /*flags*/) { return false; }

    void Listen(AccessibleListener* listener) { listener_ = listener; }
    // Tells the listener (if any) that something changed.
    void Announce(AccessibleChange change, int child = 0) const {
        if (listener_) listener_->AccessibleChanged(change, child);
    }

private:
    AccessibleListener* listener_ = nullptr;
};


}  // namespace vexa::common
