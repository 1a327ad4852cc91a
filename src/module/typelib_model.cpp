#include "module/typelib_model.h"

#include <map>
#include <sstream>
#include <tuple>

#include "module/class_table.h"
#include "module/idl_writer.h"

namespace vexa::module {

namespace {


TlbType Interface(const DispInterface& d, bool hidden) {
    TlbType t;
    t.kind = "dispinterface";
    t.name = d.name;
    t.guid = d.iid;
    t.help = d.helpString;
    t.hidden = hidden;
    for (const Member& m : d.members) {
        TlbMember out;
        out.name = m.name;
        out.dispId = m.dispId;
        out.help = m.helpString;
        if (m.IsProperty()) {
            std::string type = m.enumType.empty() ? std::string(IdlType(m.type)) : std::string(m.enumType);
            out.invoke = "get";
            out.type = type;
            if (m.bound) out.flags = {"bindable", "requestedit"};
            t.members.push_back(out);
            if (m.IsReadOnly()) continue;
            out.invoke = "put";
            out.type = "void";
            out.params = {type};  // a put's value has no name hosts can read
            t.members.push_back(out);
            continue;
        }
        out.invoke = "func";
        out.type = std::string(IdlType(m.type));
        for (const Param& p : m.params)
            out.params.push_back(std::string(IdlType(p.type)) + (p.byRef ? "* " : " ") + std::string(p.name));
        t.members.push_back(out);
    }
    return t;
}

// `open` + text + `close`, built by appending (GCC 12 reports the operator+
// chains that start with a literal as overlapping copies).
std::string Wrap(const char* open, const std::string& text, const char* close) {
    std::string out(open);
    out.append(text).append(close);
    return out;
}

std::string Join(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& s : items) out += (out.empty() ? "" : ", ") + s;
    return out;
}

std::string Flags(const TlbType& t) {
    std::vector<std::string> flags;
    if (t.hidden) flags.push_back("hidden");
    if (t.creatable) flags.push_back("creatable");
    if (t.control) flags.push_back("control");
    return flags.empty() ? "" : Wrap(" [", Join(flags), "]");
}

void CompareMembers(const TlbType& read, const TlbType& expected, std::vector<std::string>& out) {
    std::map<std::string, const TlbMember*> byKey;
    for (const TlbMember& m : read.members) {
        byKey[m.name + " " + m.invoke] = &m;
        if (m.invoke != "const" && m.help.empty())
            out.push_back(read.name + "." + m.name + " " + m.invoke + ": has no help string");
    }
    for (const TlbMember& e : expected.members) {
        std::string where = read.name + "." + e.name + " " + e.invoke;
        auto it = byKey.find(e.name + " " + e.invoke);
        if (it == byKey.end()) {
            out.push_back(where + ": missing");
            continue;
        }
        const TlbMember& r = *it->second;
        byKey.erase(it);
        auto differ = [&](const char* what, const std::string& got, const std::string& want) {
            if (got != want)
                out.push_back(where + ": " + what + " is " + got + ", expected " + want);
        };
        differ("DispID", std::to_string(r.dispId), std::to_string(e.dispId));
        differ("type", r.type, e.type);
        differ("parameters", Wrap("(", Join(r.params), ")"), Wrap("(", Join(e.params), ")"));
        differ("help", Wrap("\"", r.help, "\""), Wrap("\"", e.help, "\""));
        differ("value", std::to_string(r.value), std::to_string(e.value));
        differ("flags", Wrap("[", Join(r.flags), "]"), Wrap("[", Join(e.flags), "]"));
    }
    for (const auto& [key, m] : byKey)
        out.push_back(read.name + "." + key + ": not in the catalogue");
}

}  // namespace

const TlbType* TlbLibrary::Find(const std::string& typeName) const {
    for (const TlbType& t : types)
        if (t.name == typeName) return &t;
    return nullptr;
}

TlbLibrary ExpectedLibrary(const TypeLibrary& catalogue) {
    TlbLibrary lib;
    lib.name = catalogue.name;
    lib.guid = catalogue.libid;
    lib.help = catalogue.helpString;
    lib.majorVersion = catalogue.majorVersion;
    lib.minorVersion = catalogue.minorVersion;
    lib.lcid = catalogue.lcid;
    for (auto [name, guid, of] : {std::tuple{"OLE_COLOR", kOleColorGuid, "unsigned long"},
                                  std::tuple{"OLE_HANDLE", kOleHandleGuid, "int"}}) {
        TlbType alias;
        alias.kind = "alias";
        alias.name = name;
        alias.guid = guid;
        alias.aliasOf = of;
        lib.types.push_back(alias);
    }
    for (const EnumType& e : catalogue.enums) {
        TlbType t;
        t.kind = "enum";
        t.name = e.name;
        t.help = e.helpString;
        for (const EnumValue& v : e.values) {
            TlbMember m;
            m.name = v.name;
            m.invoke = "const";
            m.type = "long";
            m.value = v.value;
            t.members.push_back(m);
        }
        lib.types.push_back(t);
    }
    for (const CoClass& c : catalogue.classes) {
        lib.types.push_back(Interface(c.dispatch, c.hasEvents));
        if (c.hasEvents) lib.types.push_back(Interface(c.events, false));
        TlbType t;
        t.kind = "coclass";
        t.name = c.name;
        t.guid = c.clsid;
        t.help = c.helpString;
        t.creatable = FindImplemented(c.clsid) != nullptr;
        t.control = c.control;
        t.interfaces.push_back("[default] " + std::string(c.dispatch.name));
        if (c.hasEvents) t.interfaces.push_back("[default, source] " + std::string(c.events.name));
        lib.types.push_back(t);
    }
    return lib;
}

std::vector<std::string> CompareLibraries(const TlbLibrary& read, const TlbLibrary& expected) {
    std::vector<std::string> out;
    auto differ = [&](const std::string& where, const char* what, const std::string& got,
                      const std::string& want) {
        if (got != want) out.push_back(where + ": " + what + " is " + got + ", expected " + want);
    };
    differ("library", "name", read.name, expected.name);
    differ("library", "GUID", read.guid, expected.guid);
    differ("library", "help", read.help, expected.help);
    differ("library", "version",
           std::to_string(read.majorVersion) + "." + std::to_string(read.minorVersion),
           std::to_string(expected.majorVersion) + "." + std::to_string(expected.minorVersion));
    differ("library", "locale", std::to_string(read.lcid), std::to_string(expected.lcid));
    for (const TlbType& e : expected.types) {
        const TlbType* r = read.Find(e.name);
        if (!r) {
            out.push_back(e.kind + " " + e.name + ": missing");
            continue;
        }
        std::string where = e.kind + " " + e.name;
        differ(where, "kind", r->kind, e.kind);
        differ(where, "GUID", r->guid, e.guid);
        differ(where, "help", Wrap("\"", r->help, "\""), Wrap("\"", e.help, "\""));
        if (e.kind != "alias" && r->help.empty()) out.push_back(where + ": has no help string");
        differ(where, "flags", Flags(*r), Flags(e));
        differ(where, "alias of", r->aliasOf, e.aliasOf);
        differ(where, "interfaces", Join(r->interfaces), Join(e.interfaces));
        CompareMembers(*r, e, out);
    }
    for (const TlbType& r : read.types)
        if (!expected.Find(r.name)) out.push_back(r.kind + " " + r.name + ": not in the catalogue");
    return out;
}

std::string FormatLibrary(const TlbLibrary& library) {
    std::ostringstream out;
    out << "library " << library.name << " {" << library.guid << "} " << library.majorVersion << '.'
        << library.minorVersion << " lcid " << library.lcid << " \"" << library.help << "\"\n";
    for (const TlbType& t : library.types) {
        out << t.kind << ' ' << t.name;
        if (!t.guid.empty()) out << " {" << t.guid << '}';
        if (!t.aliasOf.empty()) out << " = " << t.aliasOf;
        out << Flags(t);
        if (!t.flags.empty()) out << " {" << Join(t.flags) << '}';
        out << " \"" << t.help << "\"\n";
        for (const std::string& i : t.interfaces) out << "    " << i << '\n';
        for (const TlbMember& m : t.members) {
            if (m.invoke == "const") {
                out << "    const " << m.name << " = " << m.value << '\n';
                continue;
            }
            out << "    [id " << m.dispId << ' ' << m.invoke;
            for (const std::string& f : m.flags) out << ", " << f;
            out << "] " << m.type << ' ' << m.name << '(' << Join(m.params) << ") \"" << m.help
                << "\"\n";
        }
    }
    return out.str();
}

}  // namespace vexa::module
