// Every control's property table against the automation catalogue and the
// settings-file layout: a property added to one and not the other fails
// here, natively.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "captions/caption_properties.h"
#include "edit/vedit_properties.h"
#include "listbox/listbox_properties.h"
#include "module/automation_catalogue.h"
#include "pages/page_table.h"
#include "statics/static_properties.h"

namespace vexa::test {
namespace {

using common::FileSlot;
using module::MemberKind;

// What the checks need of a row, whatever the control.
struct RowFacts {
    std::string name;
    module::VarType type;
    bool readable, writable;
    int persistOrder;
    bool onPage;
};

template <class Logic>
std::vector<RowFacts> Facts(const common::PropertyTable<Logic>& table) {
    std::vector<RowFacts> facts;
    for (const auto& row : table)
        facts.push_back({std::string(row.name), row.type, row.get != nullptr || !row.field.Empty(),
                         row.set != nullptr, row.persistOrder, row.onPage});
    return facts;
}

// Rows with neither a getter nor a field belong to the window side (the
// edit control's caret).
bool WindowSide(const RowFacts& r) { return !r.readable && !r.writable; }

void CheckAgainstCatalogue(const std::string& control, const std::vector<RowFacts>& rows) {
    SCOPED_TRACE(control);
    const module::CoClass* cls = module::Catalogue().FindClass(control);
    ASSERT_NE(cls, nullptr);

    // The catalogue's own properties, in its order; the stock ones and the
    // default-value aliases are the framework's.
    std::vector<const module::Member*> members;
    for (const module::Member& m : cls->dispatch.members)
        if (m.IsProperty() && m.kind != MemberKind::Stock && m.kind != MemberKind::DefaultValue)
            members.push_back(&m);
    std::vector<const RowFacts*> automation;
    for (const RowFacts& r : rows)
        if (r.type != module::VarType::Void) automation.push_back(&r);

    ASSERT_EQ(automation.size(), members.size());
    for (std::size_t i = 0; i < members.size(); ++i) {
        const module::Member& m = *members[i];
        const RowFacts& r = *automation[i];
        EXPECT_EQ(r.name, m.name) << "row " << i << " is out of the catalogue's order";
        EXPECT_EQ(r.type, m.type) << m.name;
        if (WindowSide(r)) continue;
        EXPECT_TRUE(r.readable) << m.name;
        EXPECT_EQ(r.writable, !m.IsReadOnly()) << m.name;
    }

    // Stream positions run 1..n without a gap or a repeat.
    std::vector<int> orders;
    for (const RowFacts& r : rows)
        if (r.persistOrder > 0) orders.push_back(r.persistOrder);
    std::sort(orders.begin(), orders.end());
    for (std::size_t i = 0; i < orders.size(); ++i) EXPECT_EQ(orders[i], static_cast<int>(i) + 1);

    // The general page shows exactly the rows marked for it.
    std::set<std::string> onPage, pageFields;
    for (const RowFacts& r : rows)
        if (r.onPage) onPage.insert(r.name);
    for (const pages::PageClass& page : pages::PageClasses())
        if (page.kind == pages::PageKind::General && page.controlName == control)
            for (const pages::PageField& f : page.fields)
                pageFields.insert(std::string(f.property));
    EXPECT_EQ(onPage, pageFields);
}

TEST(PropertyTables, MatchTheCatalogue) {
    using captions::CaptionKind;
    CheckAgainstCatalogue("VPushButton",
                          Facts(captions::CaptionPropertyTable(CaptionKind::PushButton)));
    CheckAgainstCatalogue("VCheckBox", Facts(captions::CaptionPropertyTable(CaptionKind::CheckBox)));
    CheckAgainstCatalogue("VRadioButton",
                          Facts(captions::CaptionPropertyTable(CaptionKind::RadioButton)));
    CheckAgainstCatalogue("VGroupBox", Facts(captions::CaptionPropertyTable(CaptionKind::GroupBox)));
    CheckAgainstCatalogue("VStatic", Facts(statics::StaticPropertyTable()));
    CheckAgainstCatalogue("VListBox", Facts(listbox::ListBoxPropertyTable()));
    CheckAgainstCatalogue("VEdit", Facts(edit::VEditPropertyTable()));
}

}  // namespace
}  // namespace vexa::test
