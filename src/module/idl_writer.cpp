#include "module/idl_writer.h"

#include <sstream>

namespace vexa::module {

namespace {

const char* IdlType(VarType type) {
    switch (type) {
        case VarType::Void: return "void";
        case VarType::I2: return "short";
        case VarType::I4: return "long";
        case VarType::Bool: return "VARIANT_BOOL";
        case VarType::Bstr: return "BSTR";
        case VarType::Color: return "OLE_COLOR";
        case VarType::Handle: return "OLE_HANDLE";
    }
    return "void";
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

void WriteDispInterface(std::ostream& out, const DispInterface& d, bool hidden) {
    out << "    [ uuid(" << d.iid << "), helpstring(\"" << d.helpString << "\")"
        << (hidden ? ", hidden" : "") << " ]\n";
    out << "    dispinterface " << d.name << "\n    {\n    properties:\n";
    for (const Member& m : d.members) {
        if (!m.IsProperty()) continue;
        out << "        [id(" << m.dispId << ")" << (m.IsReadOnly() ? ", readonly" : "") << "] "
            << IdlType(m.type) << ' ' << m.name << ";\n";
    }
    out << "    methods:\n";
    for (const Member& m : d.members) {
        if (m.IsProperty()) continue;
        out << "        [id(" << m.dispId << ")] " << IdlType(m.type) << ' ' << m.name;
        WriteParams(out, m);
        out << ";\n";
    }
    out << "    };\n\n";
}

}  // namespace

std::string WriteIdl(const TypeLibrary& library) {
    std::ostringstream out;
    out << "// Generated from the automation catalogue; do not edit.\n\n";
    out << "import \"ocidl.idl\";\n\n";
    out << "[ uuid(" << library.libid << "), version(" << library.majorVersion << '.'
        << library.minorVersion << "), lcid(" << library.lcid << "), helpfile(\""
        << library.helpFile << "\"), helpstring(\"" << library.helpString << "\"), control ]\n";
    out << "library " << library.name << "\n{\n    importlib(\"stdole2.tlb\");\n\n";
    for (const CoClass& c : library.classes) {
        bool isControl = c.hasEvents;
        WriteDispInterface(out, c.dispatch, isControl);
        if (c.hasEvents) WriteDispInterface(out, c.events, false);
        out << "    [ uuid(" << c.clsid << "), helpstring(\"" << c.helpString << "\")"
            << (isControl ? ", control" : "") << " ]\n";
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
