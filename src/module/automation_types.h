#pragma once

#include <string_view>
#include <vector>

namespace vexa::module {

// Automation types of the members; `Void` only as a method's result.
// `Bstr` carries 8-bit text (ISCII, one character per byte); `UnicodeBstr`
// is the same BSTR in the type library but carries UTF-16 text as it is.
enum class VarType { Void, I2, I4, Bool, Bstr, Color, Handle, UnicodeBstr };

enum class MemberKind {
    Stored,        // a member of the control with a change handler
    GetSet,        // the control's own get and set operations
    GetOnly,       // read-only property
    Stock,         // standard property with its standard DispID
    DefaultValue,  // DispID 0, an alias of another property
    Method,        // custom method
    StockMethod,   // standard method (AboutBox)
    Event,         // a member of the source interface
};

// A set of named values for a numbered property. The type library declares
// it as an enumeration and types the property by it; the dispatch code keeps
// the property's own automation type (`I2`), so callers that pass or expect
// 16-bit numbers are unaffected.
struct EnumValue {
    std::string_view name;
    int value;
    std::string_view meaning;  // what the value does, for the help strings
};

struct EnumType {
    std::string_view name;
    std::string_view helpString;
    std::vector<EnumValue> values;
};

struct Param {
    std::string_view name;
    VarType type;
    bool byRef = false;
};

// One property, method or event with its fixed DispID.
struct Member {
    int dispId;
    std::string_view name;
    VarType type;  // property type, or method/event result
    MemberKind kind;
    std::vector<Param> params{};
    std::string_view aliasOf{};  // DefaultValue: the property it reads and writes
    std::string_view enumType{};  // the enumeration the type library types it by
    std::string_view helpString{};
    bool readOnly = false;  // a stock property hosts may only read (hWnd)
    // A bound property: the control asks the container before changing it
    // (OnRequestEdit) and tells it after (OnChanged).
    bool bound = false;

    bool IsProperty() const {
        return kind == MemberKind::Stored || kind == MemberKind::GetSet ||
               kind == MemberKind::GetOnly || kind == MemberKind::Stock ||
               kind == MemberKind::DefaultValue;
    }
    bool IsReadOnly() const { return kind == MemberKind::GetOnly || readOnly; }
};

struct DispInterface {
    std::string_view name;
    std::string_view helpString;
    std::string_view iid;
    std::vector<Member> members;

    const Member* FindById(int dispId) const;
    // Case-insensitive, as automation names are.
    const Member* FindByName(std::string_view name) const;
};

// A class of the type library. `control` classes carry the control keys when
// registered; whether the module hands out a factory for a class (and so
// whether the type library calls it creatable) is the class table's word.
struct CoClass {
    std::string_view name;
    std::string_view helpString;
    std::string_view clsid;
    DispInterface dispatch;
    bool hasEvents = false;
    DispInterface events{};
    bool control = false;
};

struct TypeLibrary {
    std::string_view name;
    std::string_view libid;
    int majorVersion;
    int minorVersion;
    int lcid;
    std::string_view helpString;
    std::string_view helpFile;
    std::vector<EnumType> enums;
    std::vector<CoClass> classes;

    const CoClass* FindClass(std::string_view name) const;
    const EnumType* FindEnum(std::string_view name) const;
};

}  // namespace vexa::module
