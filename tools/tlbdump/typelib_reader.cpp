#include "typelib_reader.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

using vexa::module::TlbLibrary;
using vexa::module::TlbMember;
using vexa::module::TlbType;

namespace {

std::string Narrow(BSTR text) {
    std::string out;
    if (!text) return out;
    for (const wchar_t* p = text; *p; ++p) out.push_back(*p < 0x80 ? static_cast<char>(*p) : '?');
    return out;
}

std::string GuidText(const GUID& g) {
    if (g == GUID{}) return "";
    char text[40];
    std::snprintf(text, sizeof text, "%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

// The name and help string of a type (memid MEMBERID_NIL) or a member.
void Document(ITypeInfo* info, MEMBERID id, std::string* name, std::string* help) {
    BSTR n = nullptr, d = nullptr;
    if (SUCCEEDED(info->GetDocumentation(id, &n, &d, nullptr, nullptr))) {
        if (name) *name = Narrow(n);
        if (help) *help = Narrow(d);
    }
    SysFreeString(n);
    SysFreeString(d);
}

std::string TypeName(ITypeInfo* info, const TYPEDESC& t) {
    switch (t.vt) {
        case VT_PTR:
            return TypeName(info, *t.lptdesc) + "*";
        case VT_USERDEFINED: {
            ITypeInfo* ref = nullptr;
            std::string name = "?";
            if (SUCCEEDED(info->GetRefTypeInfo(t.hreftype, &ref))) {
                Document(ref, MEMBERID_NIL, &name, nullptr);
                ref->Release();
            }
            return name;  // aliases by their own name: OLE_COLOR, not unsigned long
        }
        case VT_VOID:
            return "void";
        case VT_HRESULT:
            return "HRESULT";
        case VT_I2:
            return "short";
        case VT_I4:
            return "long";
        case VT_INT:
            return "int";
        case VT_UI4:
            return "unsigned long";
        case VT_UINT:
            return "unsigned int";
        case VT_BOOL:
            return "VARIANT_BOOL";
        case VT_BSTR:
            return "BSTR";
        case VT_VARIANT:
            return "VARIANT";
        case VT_DISPATCH:
            return "IDispatch*";
        case VT_UNKNOWN:
            return "IUnknown*";
        default:
            return "vt" + std::to_string(t.vt);
    }
}

// The names of the set bits of a flag word, from a table of (bit, name).
template <class Table>
std::vector<std::string> FlagNames(unsigned flags, const Table& table) {
    std::vector<std::string> out;
    for (const auto& [bit, name] : table)
        if (flags & bit) out.push_back(name);
    return out;
}

// Type flags the check compares (hidden, creatable, control) are left out.
constexpr std::pair<unsigned, const char*> kTypeFlags[] = {
    {TYPEFLAG_FAPPOBJECT, "appobject"},         {TYPEFLAG_FLICENSED, "licensed"},
    {TYPEFLAG_FPREDECLID, "predeclid"},         {TYPEFLAG_FDUAL, "dual"},
    {TYPEFLAG_FNONEXTENSIBLE, "nonextensible"}, {TYPEFLAG_FOLEAUTOMATION, "oleautomation"},
    {TYPEFLAG_FRESTRICTED, "restricted"},       {TYPEFLAG_FAGGREGATABLE, "aggregatable"},
    {TYPEFLAG_FREPLACEABLE, "replaceable"},     {TYPEFLAG_FDISPATCHABLE, "dispatchable"},
    {TYPEFLAG_FREVERSEBIND, "reversebind"},     {TYPEFLAG_FPROXY, "proxy"},
};

constexpr std::pair<unsigned, const char*> kFuncFlags[] = {
    {FUNCFLAG_FSOURCE, "source"},
    {FUNCFLAG_FBINDABLE, "bindable"},
    {FUNCFLAG_FREQUESTEDIT, "requestedit"},
    {FUNCFLAG_FDISPLAYBIND, "displaybind"},
    {FUNCFLAG_FDEFAULTBIND, "defaultbind"},
    {FUNCFLAG_FHIDDEN, "hidden"},
    {FUNCFLAG_FUSESGETLASTERROR, "usesgetlasterror"},
    {FUNCFLAG_FDEFAULTCOLLELEM, "defaultcollelem"},
    {FUNCFLAG_FUIDEFAULT, "uidefault"},
    {FUNCFLAG_FNONBROWSABLE, "nonbrowsable"},
    {FUNCFLAG_FREPLACEABLE, "replaceable"},
    {FUNCFLAG_FIMMEDIATEBIND, "immediatebind"},
};

const char* InvokeKind(INVOKEKIND kind) {
    switch (kind) {
        case INVOKE_PROPERTYGET:
            return "get";
        case INVOKE_PROPERTYPUT:
            return "put";
        case INVOKE_PROPERTYPUTREF:
            return "putref";
        default:
            return "func";
    }
}

void ReadFunctions(ITypeInfo* info, const TYPEATTR& attr, TlbType& type) {
    for (UINT i = 0; i < attr.cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(info->GetFuncDesc(i, &f))) continue;
        if (!(f->wFuncFlags & FUNCFLAG_FRESTRICTED)) {
            TlbMember m;
            m.dispId = f->memid;
            m.invoke = InvokeKind(f->invkind);
            m.type = TypeName(info, f->elemdescFunc.tdesc);
            m.flags = FlagNames(f->wFuncFlags, kFuncFlags);
            Document(info, f->memid, &m.name, &m.help);
            BSTR names[16] = {};
            UINT count = 0;
            info->GetNames(f->memid, names, 16, &count);
            for (SHORT p = 0; p < f->cParams; ++p) {
                std::string param = TypeName(info, f->lprgelemdescParam[p].tdesc);
                // A property put's value has no name of its own in some readers.
                std::string name = static_cast<UINT>(p + 1) < count ? Narrow(names[p + 1]) : "";
                if (!name.empty()) param += " " + name;
                m.params.push_back(param);
            }
            for (UINT n = 0; n < count; ++n) SysFreeString(names[n]);
            type.members.push_back(m);
        }
        info->ReleaseFuncDesc(f);
    }
}

void ReadVariables(ITypeInfo* info, const TYPEATTR& attr, TlbType& type) {
    for (UINT i = 0; i < attr.cVars; ++i) {
        VARDESC* v = nullptr;
        if (FAILED(info->GetVarDesc(i, &v))) continue;
        TlbMember m;
        m.dispId = v->memid;
        Document(info, v->memid, &m.name, &m.help);
        if (v->varkind == VAR_CONST && v->lpvarValue) {
            VARIANT value;
            VariantInit(&value);
            if (SUCCEEDED(VariantChangeType(&value, v->lpvarValue, 0, VT_I4))) m.value = value.lVal;
            m.invoke = "const";
            m.type = "long";
            m.dispId = 0;
        } else {
            m.invoke = "var";
            m.type = TypeName(info, v->elemdescVar.tdesc);
        }
        type.members.push_back(m);
        info->ReleaseVarDesc(v);
    }
}

void ReadInterfaces(ITypeInfo* info, const TYPEATTR& attr, TlbType& type) {
    for (UINT i = 0; i < attr.cImplTypes; ++i) {
        HREFTYPE ref = 0;
        INT flags = 0;
        ITypeInfo* impl = nullptr;
        if (FAILED(info->GetRefTypeOfImplType(i, &ref)) ||
            FAILED(info->GetImplTypeFlags(i, &flags)) || FAILED(info->GetRefTypeInfo(ref, &impl)))
            continue;
        std::string name;
        Document(impl, MEMBERID_NIL, &name, nullptr);
        impl->Release();
        std::string attrs;
        if (flags & IMPLTYPEFLAG_FDEFAULT) attrs += "default";
        if (flags & IMPLTYPEFLAG_FSOURCE) attrs += attrs.empty() ? "source" : ", source";
        type.interfaces.push_back("[" + attrs + "] " + name);
    }
}

TlbType ReadType(ITypeInfo* info) {
    TlbType type;
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) return type;
    Document(info, MEMBERID_NIL, &type.name, &type.help);
    type.guid = GuidText(attr->guid);
    type.hidden = attr->wTypeFlags & TYPEFLAG_FHIDDEN;
    type.creatable = attr->wTypeFlags & TYPEFLAG_FCANCREATE;
    type.control = attr->wTypeFlags & TYPEFLAG_FCONTROL;
    type.flags = FlagNames(attr->wTypeFlags, kTypeFlags);
    switch (attr->typekind) {
        case TKIND_ENUM:
            type.kind = "enum";
            break;
        case TKIND_ALIAS:
            type.kind = "alias";
            type.aliasOf = TypeName(info, attr->tdescAlias);
            break;
        case TKIND_DISPATCH:
            type.kind = "dispinterface";
            break;
        case TKIND_COCLASS:
            type.kind = "coclass";
            break;
        case TKIND_INTERFACE:
            type.kind = "interface";
            break;
        case TKIND_RECORD:
            type.kind = "struct";
            break;
        default:
            type.kind = "typekind" + std::to_string(attr->typekind);
            break;
    }
    ReadFunctions(info, *attr, type);
    ReadVariables(info, *attr, type);
    if (attr->typekind == TKIND_COCLASS) ReadInterfaces(info, *attr, type);
    info->ReleaseTypeAttr(attr);
    return type;
}

}  // namespace

TlbLibrary ReadTypeLibrary(ITypeLib* library) {
    TlbLibrary out;
    TLIBATTR* attr = nullptr;
    if (SUCCEEDED(library->GetLibAttr(&attr))) {
        out.guid = GuidText(attr->guid);
        out.majorVersion = attr->wMajorVerNum;
        out.minorVersion = attr->wMinorVerNum;
        out.lcid = static_cast<int>(attr->lcid);
        library->ReleaseTLibAttr(attr);
    }
    BSTR name = nullptr, help = nullptr;
    if (SUCCEEDED(library->GetDocumentation(-1, &name, &help, nullptr, nullptr))) {
        out.name = Narrow(name);
        out.help = Narrow(help);
    }
    SysFreeString(name);
    SysFreeString(help);
    for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
        ITypeInfo* info = nullptr;
        if (FAILED(library->GetTypeInfo(i, &info))) continue;
        out.types.push_back(ReadType(info));
        info->Release();
    }
    return out;
}
