#include "listbox/listbox_properties.h"

#include "common/script_rows.h"

namespace vexa::listbox {

namespace {

using namespace common::table_words;
using P = ListBoxProperties;
using L = ListBoxLogic;
using Row = common::PropertyRow<L>;

common::Outcome ReadList(L& logic, common::PropertyValue& v) {
    v.text = logic.GetList();
    return std::nullopt;
}
common::Outcome ReadSelCount(L& logic, common::PropertyValue& v) {
    v.number = logic.SelCount();
    return std::nullopt;
}
common::Outcome ReadTopIndex(L& logic, common::PropertyValue& v) {
    v.number = logic.TopIndex();
    return std::nullopt;
}

common::PropertyTable<L> Build() {
    const auto number = FileSlot::Number;
    return {
        Row("Sort", T::Bool)
            .Writes(CallSetter<&L::SetSort>)
            .Holds(&P::sort)
            .Persisted(8)
            .InFile(number, 1)
            .OnPage(),
        Row("MultipleSelection", T::Bool)
            .Writes(CallSetter<&L::SetMultipleSelection>)
            .Holds(&P::multipleSelection)
            .Persisted(9)
            .InFile(number, 2)
            .OnPage(),
        common::ScriptNameRow<L>(4),
        common::FontSizeRow<L>(2, 3),
        common::DataFormatRow<L>(5, 4),
        common::KeyboardTypeRow<L>(6),
        common::DisableEnglishRow<L>(0),
        common::LinFileRow<L>(12),
        // The items travel as ISCII text, each ended by CR LF.
        Row("List", T::Bstr)
            .Reads(ReadList)
            .Writes(CallSetter<&L::SetList>)
            .Holds(&P::storedList)
            .Persisted(7),
        Row("SelCount", T::I4).Reads(ReadSelCount),
        Row("TopIndex", T::I4).Reads(ReadTopIndex).Writes(CallSetter<&L::SetTopIndex>),
        common::FontNameRow<L>(3),
        common::AccessGlobalRow<L>(1),
        common::GlobalSettingsRow<L>(),
        Row("BackColor", T::Color)
            .Writes(CallSetter<&L::SetBackColor>)
            .Holds(&P::backColor)
            .Persisted(11, Constant(std::uint32_t{0x80000005}))
            .InFile(number, 6),
        Row("ForeColor", T::Color)
            .Writes(CallSetter<&L::SetForeColor>)
            .Holds(&P::foreColor)
            .Persisted(10, Constant(std::uint32_t{0}))
            .InFile(number, 5),
        Row("UnicodeList", T::UnicodeBstr)
            .Reads(CallUnicodeReader<&L::GetUnicodeList>)
            .Writes(CallSetter<&L::SetUnicodeList>),
    };
}

using Args = std::vector<common::PropertyValue>;
using Result = common::PropertyValue;

common::Outcome Answer(Result& r, int value) {
    r.number = value;
    return std::nullopt;
}

common::MethodTable<L> BuildMethods() {
    return {
        {"GetCount", [](L& l, const Args&, Result& r) { return Answer(r, l.GetCount()); }},
        {"GetCurSel", [](L& l, const Args&, Result& r) { return Answer(r, l.GetCurSel()); }},
        {"SetCurSel",
         [](L& l, const Args& a, Result& r) { return Answer(r, l.SetCurSel(a[0].number)); }},
        {"FindString",
         [](L& l, const Args& a, Result& r) {
             return Answer(r, l.FindString(a[0].number, a[1].number != 0, a[2].text));
         }},
        {"Clear",
         [](L& l, const Args&, Result&) {
             l.Clear();
             return common::Outcome{};
         }},
        {"RemoveItem",
         [](L& l, const Args& a, Result& r) { return Answer(r, l.RemoveItem(a[0].number)); }},
        {"AddItem",
         [](L& l, const Args& a, Result& r) {
             bool added = false;
             common::Outcome failed = l.AddItem(a[0].text, a[1].number, added);
             r.number = added;
             return failed;
         }},
        {"GetItemText",
         [](L& l, const Args& a, Result& r) { return l.GetItemText(a[0].number, r.text); }},
        {"GetUnicodeItem",
         [](L& l, const Args& a, Result& r) { return l.GetUnicodeItem(a[0].number, r.unicode); }},
        {"SetUnicodeItem",
         [](L& l, const Args& a, Result& r) {
             bool replaced = false;
             common::Outcome failed = l.SetUnicodeItem(a[0].number, a[1].unicode, replaced);
             r.number = replaced;
             return failed;
         }},
        {"AddUnicodeItem",
         [](L& l, const Args& a, Result& r) {
             bool added = false;
             common::Outcome failed = l.AddUnicodeItem(a[0].unicode, a[1].number, added);
             r.number = added;
             return failed;
         }},
        {"GetUnicodeSelection",
         [](L& l, const Args&, Result& r) {
             r.unicode = l.GetUnicodeSelection();
             return common::Outcome{};
         }},
    };
}

}  // namespace

const common::MethodTable<ListBoxLogic>& ListBoxMethodTable() {
    static const common::MethodTable<ListBoxLogic> table = BuildMethods();
    return table;
}

const common::PropertyTable<ListBoxLogic>& ListBoxPropertyTable() {
    static const common::PropertyTable<ListBoxLogic> table = Build();
    return table;
}

const defaults::SettingsLayout& ListBoxSettingsLayout() {
    static const defaults::SettingsLayout layout =
        common::SettingsLayoutOf(ListBoxPropertyTable(), "VListBox.ini");
    return layout;
}

}  // namespace vexa::listbox
