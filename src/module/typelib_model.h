#pragma once

#include <string>
#include <vector>

#include "module/automation_types.h"

namespace vexa::module {

// A type library as a host reads it through ITypeLib and ITypeInfo: what the
// dump tool prints and what the check compares with the catalogue.

// One function, property accessor, variable or enumeration constant.
struct TlbMember {
    std::string name;
    int dispId = 0;
    std::string invoke;               // "get", "put", "func" (also events), "const"
    std::string type;                 // result or property type, as the library names it
    std::vector<std::string> params;  // "short* KeyCode"
    std::string help;
    long value = 0;                  // "const" only
    std::vector<std::string> flags;  // function flags ("bindable", "requestedit", "hidden")
};

struct TlbType {
    std::string kind;  // "dispinterface", "coclass", "enum", "alias"
    std::string name;
    std::string guid;  // upper case, unbraced; empty when the type has none
    std::string help;
    std::string aliasOf;  // "alias" only
    bool hidden = false;
    bool creatable = false;               // coclass: TYPEFLAG_FCANCREATE
    bool control = false;                 // coclass: TYPEFLAG_FCONTROL
    std::vector<std::string> interfaces;  // coclass: "[default] _DVEdit", "[default, source] ..."
    std::vector<TlbMember> members;
    std::vector<std::string>
        flags;  // other type flags ("dispatchable", "oleautomation"), shown only
};

struct TlbLibrary {
    std::string name;
    std::string guid;
    std::string help;
    int majorVersion = 0;
    int minorVersion = 0;
    int lcid = 0;
    std::vector<TlbType> types;

    const TlbType* Find(const std::string& name) const;
};

// The library the module's type library must read as, derived from the
// catalogue and the class table with a type mapping of its own (so a wrong
// mapping in the IDL writer shows up as a difference).
TlbLibrary ExpectedLibrary(const TypeLibrary& catalogue);

// Every difference between what was read and what was expected, one line
// each ("_DVStatic.LinkColor get: type is unsigned long, expected OLE_COLOR").
// Types and members the catalogue does not describe are differences too;
// restricted functions are left out by the reader.
std::vector<std::string> CompareLibraries(const TlbLibrary& read, const TlbLibrary& expected);

// The dump, one line per type and per member.
std::string FormatLibrary(const TlbLibrary& library);

}  // namespace vexa::module
