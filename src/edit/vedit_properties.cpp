#include "edit/vedit_properties.h"

#include "common/script_rows.h"

namespace vexa::edit {

namespace {

using namespace common::table_words;
using P = VEditProperties;
using L = VEditLogic;
using Row = common::PropertyRow<L>;

// The style flags: no fallback (a missing value keeps the reset state),
// each a number of the settings file and a box of the general page.
Row Style(std::string_view name, Row::Setter set, bool P::*field, int order, int filePosition) {
    return Row(name, T::Bool)
        .Writes(set)
        .Holds(field)
        .Persisted(order)
        .InFile(FileSlot::Number, filePosition)
        .OnPage();
}

common::PropertyTable<L> Build() {
    const auto number = FileSlot::Number;
    return {
        Style("AutoHScroll", CallSetter<&L::SetAutoHScroll>, &P::autoHScroll, 2, 1),
        Style("HScrollBar", CallSetter<&L::SetHScrollBar>, &P::hScrollBar, 3, 2),
        Style("AutoVScroll", CallSetter<&L::SetAutoVScroll>, &P::autoVScroll, 4, 3),
        Style("VScrollBar", CallSetter<&L::SetVScrollBar>, &P::vScrollBar, 5, 4),
        Style("WantReturn", CallSetter<&L::SetWantReturn>, &P::wantReturn, 7, 6),
        Style("ReadOnly", CallSetter<&L::SetReadOnly>, &P::readOnly, 8, 7),
        Style("MultiLine", CallSetter<&L::SetMultiLine>, &P::multiLine, 6, 5),
        common::FontSizeRow<L>(11, 10),
        Row("Password", T::Bool)
            .Writes(CallSetter<&L::SetPassword>)
            .Holds(&P::password)
            .Persisted(15, Constant(false))
            .InFile(number, 8)
            .OnPage(),
        common::ScriptNameRow<L>(10),
        common::DataFormatRow<L>(13, 12),
        common::DisableEnglishRow<L>(16).InFile(FileSlot::Number, 9),
        common::KeyboardTypeRow<L>(14).InFile(FileSlot::Number, 11),
        common::LinFileRow<L>(21),
        Row("SelStart", T::I4),
        Row("SelLength", T::I4),
        common::FontNameRow<L>(12),
        common::GlobalSettingsRow<L>(),
        common::AccessGlobalRow<L>(1),
        Row("FontType", T::I2)
            .Writes(CallSetter<&L::SetFontType>)
            .Holds(&P::fontType)
            .Persisted(20, Constant(std::int16_t{0}))
            .OnPage(),
        Row("BackColor", T::Color)
            .Writes(CallSetter<&L::SetBackColor>)
            .Holds(&P::backColor)
            .Persisted(18, Constant(std::uint32_t{0x80000005}))
            .InFile(number, 14),
        Row("ForeColor", T::Color)
            .Writes(CallSetter<&L::SetForeColor>)
            .Holds(&P::foreColor)
            .Persisted(17, Constant(std::uint32_t{0}))
            .InFile(number, 13),
        Row("Text", T::Bstr)
            .Reads(CallTextReader<&L::ReadText>)
            .Writes(CallSetter<&L::AssignText>)
            .Holds(&P::text)
            .Persisted(9),
        // Stored and loaded for the forms that carry it; not used otherwise.
        Row("UnicodeText").Holds(&P::unicodeText).Persisted(19, Constant(std::int32_t{0})),
        // The Unicode twin of Text (shares the stored name above only by
        // history: that one is a number in the stream, this is never saved).
        Row("UnicodeText", T::UnicodeBstr)
            .Reads(CallUnicodeReader<&L::ReadUnicodeText>)
            .Writes(CallSetter<&L::AssignUnicodeText>),
    };
}

using Args = std::vector<common::PropertyValue>;
using Result = common::PropertyValue;

common::MethodTable<L> BuildMethods() {
    return {
        {"GetScriptList",
         [](L& l, const Args&, Result& r) {
             r.text = l.GetScriptList();
             return common::Outcome{};
         }},
        {"GetFontList",
         [](L& l, const Args&, Result& r) {
             r.text = l.GetFontList();
             return common::Outcome{};
         }},
    };
}

}  // namespace

const common::MethodTable<VEditLogic>& VEditMethodTable() {
    static const common::MethodTable<VEditLogic> table = BuildMethods();
    return table;
}

const common::PropertyTable<VEditLogic>& VEditPropertyTable() {
    static const common::PropertyTable<VEditLogic> table = Build();
    return table;
}

const defaults::SettingsLayout& VEditSettingsLayout() {
    static const defaults::SettingsLayout layout = common::SettingsLayoutOf(VEditPropertyTable(), "VEdit.ini");
    return layout;
}

}  // namespace vexa::edit
