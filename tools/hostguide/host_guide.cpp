#include "hostguide/host_guide.h"

#include <sstream>

#include "module/class_table.h"
#include "module/registration.h"
#include "hostguide/script_table.h"

namespace vexa::hostguide {

using module::CoClass;
using module::Member;
using module::MemberKind;
using module::TypeLibrary;
using module::VarType;

namespace {

// A table cell: the pipe would end the cell.
std::string Cell(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '|') out += "\\|";
        else out += c;
    }
    return out;
}

std::string Parameters(const Member& m) {
    std::string out = "(";
    for (std::size_t i = 0; i < m.params.size(); ++i) {
        const module::Param& p = m.params[i];
        if (i) out += ", ";
        out += std::string(p.byRef ? "ByRef " : "") + std::string(p.name) + " As " +
               TypeName(p.type);
    }
    return out + ")";
}

std::string Access(const Member& m) {
    if (m.kind == MemberKind::DefaultValue) return "default value of " + std::string(m.aliasOf);
    return m.IsReadOnly() ? "read" : "read, write";
}

void WriteClass(std::ostringstream& out, const TypeLibrary& lib, const CoClass& c) {
    const module::FactoryEntry* factory = module::FindFactory(c.clsid);
    out << "## " << c.name << "\n\n";
    if (factory) {
        std::string progId(factory->progId);
        std::string current = module::VersionIndependentProgId(progId);
        out << "- ProgID: `" << progId << "`";
        if (!current.empty()) out << " (version-independent: `" << current << "`)";
        out << "\n- CLSID: `" << module::BracedGuid(c.clsid) << "`\n";
        out << "- Created by this module: " << (factory->implemented ? "yes" : "not yet (declared in the type library only; "
                                                                              "creating it fails with CLASS_E_CLASSNOTAVAILABLE)")
            << "\n";
    } else {
        out << "- CLSID: `" << module::BracedGuid(c.clsid) << "`\n"
            << "- Declared in the type library only; no ProgID is registered\n";
    }
    out << "- Dispatch interface: `" << c.dispatch.name << "` `" << module::BracedGuid(c.dispatch.iid)
        << "`\n";
    if (c.hasEvents)
        out << "- Event interface: `" << c.events.name << "` `" << module::BracedGuid(c.events.iid)
            << "`\n";
    out << "\n";

    bool anyProperty = false, anyMethod = false;
    for (const Member& m : c.dispatch.members) (m.IsProperty() ? anyProperty : anyMethod) = true;
    if (anyProperty) {
        out << "### Properties\n\n| DispID | Name | Type | Access | Meaning |\n|---:|---|---|---|---|\n";
        for (const Member& m : c.dispatch.members) {
            if (!m.IsProperty()) continue;
            std::string type = m.enumType.empty() ? TypeName(m.type)
                                                  : TypeName(m.type) + " (" + std::string(m.enumType) + ")";
            out << "| " << m.dispId << " | " << m.name << " | " << type << " | " << Access(m)
                << " | " << Cell(m.helpString) << " |\n";
        }
        out << "\n";
    }
    if (anyMethod) {
        out << "### Methods\n\n| DispID | Call | Returns | Meaning |\n|---:|---|---|---|\n";
        for (const Member& m : c.dispatch.members) {
            if (m.IsProperty()) continue;
            out << "| " << m.dispId << " | " << m.name << Parameters(m) << " | " << TypeName(m.type)
                << " | " << Cell(m.helpString) << " |\n";
        }
        out << "\n";
    }
    if (c.hasEvents && !c.events.members.empty()) {
        out << "### Events\n\n| DispID | Event | Meaning |\n|---:|---|---|\n";
        for (const Member& e : c.events.members)
            out << "| " << e.dispId << " | " << e.name << Parameters(e) << " | " << Cell(e.helpString)
                << " |\n";
        out << "\n";
    }
    (void)lib;
}

}  // namespace

std::string TypeName(VarType type) {
    switch (type) {
        case VarType::Void: return "nothing";
        case VarType::I2: return "Integer (16-bit)";
        case VarType::I4: return "Long (32-bit)";
        case VarType::Bool: return "Boolean";
        case VarType::Bstr: return "String";
        case VarType::UnicodeBstr: return "String (Unicode)";
        case VarType::Color: return "OLE_COLOR";
        case VarType::Handle: return "OLE_HANDLE";
    }
    return "?";
}

std::string HostGuide(const TypeLibrary& lib) {
    std::ostringstream out;
    out << "# Vexa controls: reference for host developers\n\n"
        << "<!-- Written by tools/hostguide from the automation catalogue; do not edit. -->\n\n"
        << "The module `vexa.ocx` holds the type library `" << lib.name << "` "
        << "(LIBID `" << module::BracedGuid(lib.libid) << "`, version " << lib.majorVersion << "."
        << lib.minorVersion << ", \"" << lib.helpString << "\"). "
        << "Every interface is a dispinterface: early-bound hosts call through `IDispatch::Invoke` "
        << "with the DispIDs below; late-bound hosts (scripts) use the names.\n\n"
        << "Text properties carry ISCII bytes, one byte per character of the BSTR (see "
        << "[data formats](data-formats.md)); how keys become text is in "
        << "[keyboards and typing](keyboards.md), installing in [deployment](deployment.md), "
        << "and what the controls refuse in [refusals](refusals.md). What screen readers and "
        << "magnifiers get from each control, and what a host must do for them, is in "
        << "[accessibility](accessibility.md).\n\n";

    out << "## Classes\n\n| Class | ProgID | Created by this module |\n|---|---|---|\n";
    for (const CoClass& c : lib.classes) {
        const module::FactoryEntry* f = module::FindFactory(c.clsid);
        out << "| " << c.name << " | " << (f ? "`" + std::string(f->progId) + "`" : "none") << " | "
            << (f && f->implemented ? "yes" : "no") << " |\n";
    }
    out << "\nProperty pages (for a host's design mode):\n\n";
    for (const module::FactoryEntry& f : module::Factories()) {
        if (f.kind != module::FactoryKind::PropertyPage) continue;
        out << "- `" << f.progId << "` " << module::BracedGuid(f.clsid) << " " << f.name
            << (f.implemented ? "" : " (not created yet)") << "\n";
    }
    out << "\n## Named values\n\nThe numbered properties take these values (the type library "
        << "declares them as enumerations; the properties stay 16-bit integers).\n\n";
    for (const module::EnumType& e : lib.enums) {
        out << "### " << e.name << "\n\n" << e.helpString << ".\n\n| Value | Name | Meaning |\n|---:|---|---|\n";
        for (const module::EnumValue& v : e.values)
            out << "| " << v.value << " | " << v.name << " | " << Cell(v.meaning) << " |\n";
        out << "\n";
    }
    WriteScriptTable(out);
    for (const CoClass& c : lib.classes) WriteClass(out, lib, c);
    return out.str();
}

}  // namespace vexa::hostguide
