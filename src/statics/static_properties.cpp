#include "statics/static_properties.h"

#include "common/script_rows.h"

namespace vexa::statics {

namespace {

using namespace common::table_words;
using P = StaticProperties;
using L = StaticLogic;
using Row = common::PropertyRow<L>;

common::PropertyTable<L> Build() {
    const auto number = FileSlot::Number;
    return {
        common::ScriptNameRow<L>(3),
        common::FontSizeRow<L>(5, 3),
        Row("Alignment", T::I2)
            .Writes(CallSetter<&L::SetAlignment>)
            .Holds(&P::alignment)
            .Persisted(14, Constant(std::int16_t{0}))
            .InFile(number, 2)
            .OnPage(),
        common::DataFormatRow<L>(6, 1),
        Row("BackColor", T::Color)
            .Writes(CallSetter<&L::SetBackColor>)
            .Holds(&P::backColor)
            .Persisted(16, Constant(kButtonFace)),
        Row("ForeColor", T::Color)
            .Writes(CallSetter<&L::SetForeColor>)
            .Holds(&P::foreColor)
            .Persisted(15, Constant(std::uint32_t{0})),
        common::DisableEnglishRow<L>(17),
        common::KeyboardTypeRow<L>(7),
        common::LinFileRow<L>(18),
        common::FontNameRow<L>(4),
        common::AccessGlobalRow<L>(1),
        common::GlobalSettingsRow<L>(),
        // A missing colour keeps the value of construction.
        Row("LinkColor", T::Color)
            .Writes(CallSetter<&L::SetLinkColor>)
            .Holds(&P::linkColor)
            .Persisted(8),
        Row("VisitedColor", T::Color)
            .Writes(CallSetter<&L::SetVisitedColor>)
            .Holds(&P::visitedColor)
            .Persisted(9),
        Row("HoverColor", T::Color)
            .Writes(CallSetter<&L::SetHoverColor>)
            .Holds(&P::hoverColor)
            .Persisted(10),
        Row("URL", T::Bstr).Writes(CallSetter<&L::SetUrl>).Holds(&P::url).Persisted(12),
        Row("IsURL", T::Bool)
            .Writes(CallSetter<&L::SetIsUrl>)
            .Holds(&P::isUrl)
            .Persisted(11, Constant(false))
            .OnPage(),
        Row("Underline", T::Bool)
            .Writes(CallSetter<&L::SetUnderline>)
            .Holds(&P::underline)
            .Persisted(13, Constant(false)),
        Row("Caption", T::Bstr)
            .Reads(CallTextReader<&L::ReadCaption>)
            .Writes(CallSetter<&L::AssignCaption>)
            .Holds(&P::caption)
            .Persisted(2, Constant(kControlName)),
        Row("Text", T::Bstr).Reads(CallTextReader<&L::ReadText>).Writes(CallSetter<&L::AssignText>),
        Row("UnicodeCaption", T::UnicodeBstr)
            .Reads(CallUnicodeReader<&L::ReadUnicodeCaption>)
            .Writes(CallSetter<&L::AssignUnicodeCaption>),
        Row("UnicodeText", T::UnicodeBstr)
            .Reads(CallUnicodeReader<&L::ReadUnicodeCaption>)
            .Writes(CallSetter<&L::AssignUnicodeCaption>),
    };
}

}  // namespace

const common::PropertyTable<StaticLogic>& StaticPropertyTable() {
    static const common::PropertyTable<StaticLogic> table = Build();
    return table;
}

const defaults::SettingsLayout& StaticSettingsLayout() {
    static const defaults::SettingsLayout layout =
        common::SettingsLayoutOf(StaticPropertyTable(), "VStatic.ini", {"Reserved1", "Reserved2"});
    return layout;
}

}  // namespace vexa::statics
