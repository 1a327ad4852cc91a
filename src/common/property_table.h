#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "common/control_error.h"
#include "common/default_values.h"
#include "common/property_exchange.h"
#include "defaults/settings_record.h"
#include "module/automation_types.h"

namespace vexa::common {

// Where a persisted property's value comes from when the container saved
// none: the value the control already holds (from construction or its
// reset), the row's constant, or one of the registry's default values.
enum class Fallback : std::uint8_t {
    Keep,
    Constant,
    ScriptName,
    FontName,
    FontSize,
    KeyboardType,
    DataFormat,
};

// The slot a property takes in its kind's settings file: the file holds its
// numbers first, then its strings, each list in the rows' `filePosition`
// order.
enum class FileSlot : std::uint8_t { None, Number, String };

// The member of the control's properties that holds a property's stored
// form: none, or one of the five stored types.
template <class Props>
class Field {
  public:
    Field() = default;
    Field(bool Props::*m) : bool_(m) {}
    Field(std::int16_t Props::*m) : short_(m) {}
    Field(std::int32_t Props::*m) : long_(m) {}
    Field(std::uint32_t Props::*m) : colour_(m) {}
    Field(std::string Props::*m) : string_(m) {}

    bool Empty() const { return !bool_ && !short_ && !long_ && !colour_ && !string_; }
    // Calls `f` with the member pointer, when there is one.
    template <class F>
    void Visit(F&& f) const {
        if (bool_)
            f(bool_);
        else if (short_)
            f(short_);
        else if (long_)
            f(long_);
        else if (colour_)
            f(colour_);
        else if (string_)
            f(string_);
    }

  private:
    bool Props::*bool_ = nullptr;
    std::int16_t Props::*short_ = nullptr;
    std::int32_t Props::*long_ = nullptr;
    std::uint32_t Props::*colour_ = nullptr;
    std::string Props::*string_ = nullptr;
};

// One property of a control: its automation name and type, how a host reads
// and writes it, where it is stored, and where it goes in the container's
// stream, the settings file and the property pages. `Logic` is the
// control's portable logic; its `Props()` are the stored properties.
// Rows are written as one chain each:
//   Row("FontSize", T::I2).Writes(CallSetter<&L::SetFontSize>).Holds(&P::fontSize)
//       .Persisted(5, Fallback::FontSize).InFile(FileSlot::Number, 3).OnPage()
template <class Logic>
struct PropertyRow {
    using Props = std::remove_cvref_t<decltype(std::declval<Logic&>().Props())>;
    using Getter = Outcome (*)(Logic&, PropertyValue&);
    using Setter = Outcome (*)(Logic&, const PropertyValue&);

    // `type` Void: a value that is only persisted, no automation member.
    explicit PropertyRow(std::string_view n, module::VarType t = module::VarType::Void)
        : name(n), type(t), field() {}

    // Read through `g` instead of the field.
    PropertyRow& Reads(Getter g) {
        get = g;
        return *this;
    }
    PropertyRow& Writes(Setter s) {
        set = s;
        return *this;
    }
    PropertyRow& Holds(Field<Props> f) {
        field = f;
        return *this;
    }
    // At `order` (1-based) in the container's stream; a property the
    // container did not save takes `f` (Keep: the value held already).
    PropertyRow& Persisted(int order, Fallback f = Fallback::Keep) {
        persistOrder = order;
        fallback = f;
        return *this;
    }
    PropertyRow& Persisted(int order, PropertyValue value) {
        persistOrder = order;
        fallback = Fallback::Constant;
        constant = std::move(value);
        return *this;
    }
    // At `position` (1-based) of the settings file's numbers or strings.
    PropertyRow& InFile(FileSlot slot, int position) {
        fileSlot = slot;
        filePosition = position;
        return *this;
    }
    PropertyRow& OnPage() {
        onPage = true;
        return *this;
    }
    // The numbers the control takes from a settings file; any other value
    // there is damage and is passed over. Without it, whatever fits the
    // field's type.
    PropertyRow& Accepts(std::int32_t lowest, std::int32_t highest) {
        low = lowest;
        high = highest;
        return *this;
    }

    std::string_view name;
    module::VarType type;
    // Null getter: the field is read. Null setter: a host may not write it
    // through the table. A row with neither getter, setter nor field is the
    // window side's (the adapter answers it).
    Getter get = nullptr;
    Setter set = nullptr;
    Field<Props> field;
    int persistOrder = 0;  // 0: not persisted
    Fallback fallback = Fallback::Keep;
    PropertyValue constant{};
    FileSlot fileSlot = FileSlot::None;
    int filePosition = 0;
    bool onPage = false;  // the control's general page shows it
    std::optional<std::int32_t> low, high;
};

template <class Logic>
using PropertyTable = std::vector<PropertyRow<Logic>>;

// One method of a control that its logic carries out: the arguments come
// converted to the catalogue's parameter types, in order; the result is
// converted to the method's result type by whoever called.
template <class Logic>
struct MethodRow {
    using Call = Outcome (*)(Logic&, const std::vector<PropertyValue>&, PropertyValue&);
    std::string_view name;
    Call call;
};

template <class Logic>
using MethodTable = std::vector<MethodRow<Logic>>;

// ---- building rows ----

namespace detail {

template <class M>
struct Method;
template <class C, class R, class A>
struct Method<R (C::*)(A)> {
    using Class = C;
    using Arg = std::remove_cvref_t<A>;
};
template <class C, class R, class A>
struct Method<R (C::*)(A) const> {
    using Class = C;
    using Arg = std::remove_cvref_t<A>;
};

template <class T>
T FromValue(const PropertyValue& v) {
    if constexpr (std::is_same_v<T, bool>)
        return v.number != 0;
    else if constexpr (std::is_same_v<T, std::string>)
        return v.text;
    else if constexpr (std::is_same_v<T, std::string_view>)
        return std::string_view(v.text);
    else if constexpr (std::is_same_v<T, std::u16string_view>)
        return std::u16string_view(v.unicode);
    else
        return static_cast<T>(v.number);
}

template <class R, class Call>
Outcome Result(Call&& call) {
    if constexpr (std::is_void_v<R>) {
        call();
        return std::nullopt;
    } else {
        return call();
    }
}

}  // namespace detail

// A setter row calling `Setter` with the value in the method's own type
// (bool, 16-bit, colour, string); a setter that refuses returns an Outcome.
template <auto Setter>
Outcome CallSetter(typename detail::Method<decltype(Setter)>::Class& logic,
                   const PropertyValue& v) {
    using Arg = typename detail::Method<decltype(Setter)>::Arg;
    using R = decltype((logic.*Setter)(detail::FromValue<Arg>(v)));
    return detail::Result<R>([&] { return (logic.*Setter)(detail::FromValue<Arg>(v)); });
}

// A getter row calling `Reader(std::string&)`, which may refuse.
template <auto Reader>
Outcome CallTextReader(typename detail::Method<decltype(Reader)>::Class& logic, PropertyValue& v) {
    return (logic.*Reader)(v.text);
}

// A getter row calling `Reader(std::u16string&)`, the Unicode twin of a text.
template <auto Reader>
Outcome CallUnicodeReader(typename detail::Method<decltype(Reader)>::Class& logic,
                          PropertyValue& v) {
    return (logic.*Reader)(v.unicode);
}

inline PropertyValue Constant(bool on) { return {PropertyType::Bool, on ? 1 : 0, {}}; }
inline PropertyValue Constant(std::int16_t n) { return {PropertyType::Short, n, {}}; }
inline PropertyValue Constant(std::int32_t n) { return {PropertyType::Long, n, {}}; }
inline PropertyValue Constant(std::uint32_t c) {
    return {PropertyType::Color, static_cast<std::int32_t>(c), {}};
}
inline PropertyValue Constant(std::string_view s) {
    return {PropertyType::String, 0, std::string(s)};
}
// A literal is text, not the boolean its pointer would convert to.
inline PropertyValue Constant(const char* s) { return Constant(std::string_view(s)); }

// ---- what the tables drive ----

template <class Logic>
const PropertyRow<Logic>* FindRow(const PropertyTable<Logic>& table, std::string_view name) {
    for (const PropertyRow<Logic>& row : table)
        if (row.name == name && row.type != module::VarType::Void) return &row;
    return nullptr;
}

namespace detail {

template <class Props>
void ReadField(const Props& props, const Field<Props>& field, PropertyValue& v) {
    field.Visit([&](auto member) {
        const auto& value = props.*member;
        using T = std::remove_cvref_t<decltype(value)>;
        if constexpr (std::is_same_v<T, std::string>)
            v.text = value;
        else
            v.number = static_cast<std::int32_t>(value);
    });
}

std::optional<PropertyValue> FallbackValue(Fallback fallback, const PropertyValue& constant,
                                           const DefaultValues& defaults);

}  // namespace detail

// The host reads a property: true with the outcome when the table has the
// row, false when the member is not the table's.
template <class Logic>
bool GetFromTable(const PropertyTable<Logic>& table, Logic& logic, std::string_view name,
                  PropertyValue& v, Outcome& outcome) {
    const PropertyRow<Logic>* row = FindRow(table, name);
    if (!row || (!row->get && row->field.Empty())) return false;
    outcome = row->get ? row->get(logic, v) : Outcome{};
    if (!row->get) detail::ReadField(logic.Props(), row->field, v);
    return true;
}

// The host writes a property through the control's setter.
template <class Logic>
bool SetFromTable(const PropertyTable<Logic>& table, Logic& logic, std::string_view name,
                  const PropertyValue& v, Outcome& outcome) {
    const PropertyRow<Logic>* row = FindRow(table, name);
    if (!row || !row->set) return false;
    outcome = row->set(logic, v);
    return true;
}

// A host calls a method: true with the outcome when the table has it.
template <class Logic>
bool CallFromTable(const MethodTable<Logic>& table, Logic& logic, std::string_view name,
                   const std::vector<PropertyValue>& args, PropertyValue& result,
                   Outcome& outcome) {
    for (const MethodRow<Logic>& row : table) {
        if (row.name != name) continue;
        outcome = row.call(logic, args, result);
        return true;
    }
    return false;
}

// The persisted rows in their stream order.
template <class Logic>
std::vector<const PropertyRow<Logic>*> PersistedRows(const PropertyTable<Logic>& table) {
    std::vector<const PropertyRow<Logic>*> rows;
    for (const PropertyRow<Logic>& row : table)
        if (row.persistOrder > 0) rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(),
                     [](auto* a, auto* b) { return a->persistOrder < b->persistOrder; });
    return rows;
}

// Exchanges every persisted row with the container, in stream order; a
// property the container did not save takes the row's fallback.
template <class Logic>
void ExchangeTable(const PropertyTable<Logic>& table, typename PropertyRow<Logic>::Props& props,
                   PropertyExchange& px, const DefaultValues& defaults) {
    for (const PropertyRow<Logic>* row : PersistedRows(table)) {
        const std::optional<PropertyValue> fallback =
            detail::FallbackValue(row->fallback, row->constant, defaults);
        row->field.Visit([&](auto member) {
            auto& value = props.*member;
            using T = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>) {
                px.String(row->name, value,
                          fallback ? std::optional(fallback->text) : std::nullopt);
            } else {
                std::optional<T> f;
                if (fallback) f = static_cast<T>(fallback->number);
                if constexpr (std::is_same_v<T, bool>)
                    px.Bool(row->name, value, f);
                else if constexpr (std::is_same_v<T, std::int16_t>)
                    px.Short(row->name, value, f);
                else if constexpr (std::is_same_v<T, std::int32_t>)
                    px.Long(row->name, value, f);
                else
                    px.Color(row->name, value, f);
            }
        });
    }
}

// Writes the rows of the settings file into its section.
template <class Logic>
void SaveSettingsRows(const PropertyTable<Logic>& table,
                      const typename PropertyRow<Logic>::Props& props,
                      defaults::SettingsSection& section) {
    for (const PropertyRow<Logic>& row : table) {
        if (row.fileSlot == FileSlot::None) continue;
        PropertyValue v;
        detail::ReadField(props, row.field, v);
        if (row.fileSlot == FileSlot::String)
            section.String(row.name) = v.text;
        else
            section.Number(row.name) = v.number;
    }
}

// Takes the rows of the settings file from its section.
template <class Logic>
void LoadSettingsRows(const PropertyTable<Logic>& table, typename PropertyRow<Logic>::Props& props,
                      const defaults::SettingsSection& section) {
    for (const PropertyRow<Logic>& row : table) {
        if (row.fileSlot == FileSlot::None) continue;
        row.field.Visit([&](auto member) {
            auto& value = props.*member;
            using T = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>) {
                value = section.String(row.name);
            } else if constexpr (std::is_same_v<T, bool>) {
                value = section.Number(row.name) != 0;
            } else {
                // A number the field cannot hold, or the row refuses, is
                // damage: the control keeps what it has.
                const std::int32_t n = section.Number(row.name);
                if (std::is_same_v<T, std::int16_t> && (n < INT16_MIN || n > INT16_MAX)) return;
                if ((row.low && n < *row.low) || (row.high && n > *row.high)) return;
                value = static_cast<T>(n);
            }
        });
    }
}

// The layout of the kind's settings file, from the rows that name a slot in
// it: their names at their positions, then `reserved` numbers no property
// uses (kept as they are when the file is saved). Throws std::logic_error
// when two rows take one place or a place is left empty, so a table that
// would write a file other programs cannot read fails at once.
template <class Logic>
defaults::SettingsLayout SettingsLayoutOf(const PropertyTable<Logic>& table, std::string file,
                                          std::vector<std::string_view> reserved = {}) {
    defaults::SettingsLayout layout{std::move(file), {}, {}};
    for (const PropertyRow<Logic>& row : table) {
        if (row.fileSlot == FileSlot::None) continue;
        auto& names = row.fileSlot == FileSlot::Number ? layout.numbers : layout.strings;
        const auto at = static_cast<std::size_t>(row.filePosition - 1);
        if (names.size() <= at) names.resize(at + 1);
        if (!names[at].empty()) throw std::logic_error("two properties at one settings-file place");
        names[at] = row.name;
    }
    for (const auto* names : {&layout.numbers, &layout.strings})
        for (std::string_view name : *names)
            if (name.empty()) throw std::logic_error("a settings-file place without a property");
    layout.numbers.insert(layout.numbers.end(), reserved.begin(), reserved.end());
    return layout;
}

// The kind's settings file written from the table's rows, keeping the
// fields no row names; false when the file cannot be written.
template <class Logic>
bool SaveSettingsFile(platform::SettingsFiles& files, const defaults::SettingsLayout& layout,
                      const PropertyTable<Logic>& table,
                      const typename PropertyRow<Logic>::Props& props) {
    return defaults::SaveSection(files, layout, [&](defaults::SettingsSection& section) {
        SaveSettingsRows(table, props, section);
    });
}

// The table's rows taken from the kind's settings file; false, with nothing
// changed, when the file is missing or damaged.
template <class Logic>
bool LoadSettingsFile(platform::SettingsFiles& files, const defaults::SettingsLayout& layout,
                      const PropertyTable<Logic>& table, typename PropertyRow<Logic>::Props& props) {
    std::optional<defaults::SettingsSection> section = defaults::LoadSection(files, layout);
    if (!section) return false;
    LoadSettingsRows(table, props, *section);
    return true;
}

// The names every property table is written with: `using namespace
// common::table_words;` at the top of a table's file.
namespace table_words {
using common::CallSetter;
using common::CallTextReader;
using common::CallUnicodeReader;
using common::Constant;
using common::FileSlot;
using F = common::Fallback;
using T = module::VarType;
}  // namespace table_words

}  // namespace vexa::common
