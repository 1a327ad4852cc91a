#include "module/idl_writer.h"

#include <sstream>

#include "module/class_table.h"

namespace vexa::module {

const char* IdlType(VarType type) {
    switch (type) {
        case VarType::Void:
            return "void";
        case VarType::I2:
            return "short";
        case VarType::I4:
            return "long";
        case VarType::Bool:
            return "VARIANT_BOOL";
        case VarType::Bstr:
        case VarType::UnicodeBstr:
            return "BSTR";
        case VarType::Color:
            return "OLE_COLOR";
        case VarType::Handle:
            return "OLE_HANDLE";
    }
    return "void";
}

namespace {

std::string PropertyType(const Member& m) {
    return m.enumType.empty() ? IdlType(m.type) : std::string(m.enumType);
}

// Help texts are plain English; quotes and backslashes are escaped.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

void WriteParams(std::ostream& out, const Member& m) {
    out << '(';
    for (std::size_t i = 0; i < m.params.size(); ++i) {
        const Param& p = m.params[i];
        if (i > 0) out << ", ";
        out << IdlType(p.type) << (p.byRef ? "* " : " ") << p.name;
    }
    out << ')';
}

// Properties are written as get and put functions: widl takes no help
// string on a dispinterface's property declarations, and hosts read the
// two forms alike. A bound property says so to hosts that bind data.
void WriteProperty(std::ostream& out, const Member& m) {
    std::string attrs = "id(" + std::to_string(m.dispId) + ")";
    if (m.bound) attrs += ", bindable, requestedit";
    std::string help = "helpstring(" + Quoted(m.helpString) + ")";
    std::string type = PropertyType(m);
    out << "        [" << attrs << ", propget, " << help << "] " << type << ' ' << m.name
        << "();\n";
    if (!m.IsReadOnly())
        out << "        [" << attrs << ", propput, " << help << "] void " << m.name << '(' << type
            << " newValue);\n";
}

void WriteDispInterface(std::ostream& out, const DispInterface& d, bool hidden) {
    out << "    [ uuid(" << d.iid << "), helpstring(" << Quoted(d.helpString) << ")"
        << (hidden ? ", hidden" : "") << " ]\n";
    out << "    dispinterface " << d.name << "\n    {\n    properties:\n    methods:\n";
    for (const Member& m : d.members) {
        if (m.IsProperty()) {
            WriteProperty(out, m);
            continue;
        }
        out << "        [id(" << m.dispId << "), helpstring(" << Quoted(m.helpString) << ")] "
            << IdlType(m.type) << ' ' << m.name;
        WriteParams(out, m);
        out << ";\n";
    }
    out << "    };\n\n";
}

void WriteEnum(std::ostream& out, const EnumType& e) {
    out << "    typedef [helpstring(" << Quoted(e.helpString) << ")] enum " << e.name
        << "\n    {\n";
    for (std::size_t i = 0; i < e.values.size(); ++i)
        out << "        " << e.values[i].name << " = " << e.values[i].value
            << (i + 1 < e.values.size() ? ",\n" : "\n");
    out << "    } " << e.name << ";\n\n";
}

}  // namespace

std::string WriteIdl(const TypeLibrary& library) {
    std::ostringstream out;
    out << "// Generated from the automation catalogue; do not edit.\n\n";
    out << "import \"oaidl.idl\";\n\n";
    out << "[ uuid(" << library.libid << "), version(" << library.majorVersion << '.'
        << library.minorVersion << "), lcid(" << library.lcid << "), helpfile("
        << Quoted(library.helpFile) << "), helpstring(" << Quoted(library.helpString)
        << "), control ]\n";
    out << "library " << library.name << "\n{\n    importlib(\"stdole2.tlb\");\n\n";
    // widl cannot refer to a type of an imported library, so the colour and
    // handle types are declared here under the identifiers of stdole's own
    // (GUID_COLOR, GUID_HANDLE): hosts recognise a colour property by them.
    out << "    typedef [uuid(" << kOleColorGuid << "), public] unsigned long OLE_COLOR;\n";
    out << "    typedef [uuid(" << kOleHandleGuid << "), public] int OLE_HANDLE;\n\n";
    for (const EnumType& e : library.enums) WriteEnum(out, e);
    for (const CoClass& c : library.classes) {
        WriteDispInterface(out, c.dispatch, c.hasEvents);
        if (c.hasEvents) WriteDispInterface(out, c.events, false);
        out << "    [ uuid(" << c.clsid << "), helpstring(" << Quoted(c.helpString) << ")"
            << (c.control ? ", control" : "") << (FindImplemented(c.clsid) ? "" : ", noncreatable")
            << " ]\n";
        out << "    coclass " << c.name << "\n    {\n        [default] dispinterface "
            << c.dispatch.name << ";\n";
        if (c.hasEvents)
            out << "        [default, source] dispinterface " << c.events.name << ";\n";
        out << "    };\n\n";
    }
    out << "};\n";
    return out.str();
}

}  // namespace vexa::module
