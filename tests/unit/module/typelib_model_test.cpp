#include "module/typelib_model.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "module/automation_catalogue.h"

namespace vexa::module {
namespace {

TlbType& Type(TlbLibrary& lib, const std::string& name) {
    for (TlbType& t : lib.types)
        if (t.name == name) return t;
    throw std::runtime_error("no type " + name);
}

TlbMember& MemberOf(TlbType& t, const std::string& name, const std::string& invoke) {
    for (TlbMember& m : t.members)
        if (m.name == name && m.invoke == invoke) return m;
    throw std::runtime_error("no member " + name);
}

bool Mentions(const std::vector<std::string>& problems, const std::string& text) {
    return std::any_of(problems.begin(), problems.end(),
                       [&](const std::string& p) { return p.find(text) != std::string::npos; });
}

// The comparison run under Wine must fail on each kind of fault a wrong
// generator or widl step could bring.
TEST(TypeLibraryModel, EachKindOfDifferenceIsReported) {
    const TlbLibrary expected = ExpectedLibrary(Catalogue());
    EXPECT_TRUE(CompareLibraries(expected, expected).empty());
    struct Case {
        const char* what;
        void (*spoil)(TlbLibrary&);
        const char* reported;
    };
    const Case cases[] = {
        {"colour as a plain number",
         [](TlbLibrary& l) {
             MemberOf(Type(l, "_DVStatic"), "LinkColor", "get").type = "unsigned long";
         },
         "_DVStatic.LinkColor get: type is unsigned long, expected OLE_COLOR"},
        {"no help string",
         [](TlbLibrary& l) { MemberOf(Type(l, "_DVEditEvents"), "CHANGE", "func").help.clear(); },
         "_DVEditEvents.CHANGE func: has no help string"},
        {"a DispID moved",
         [](TlbLibrary& l) { MemberOf(Type(l, "_DVListBox"), "TopIndex", "put").dispId = 12; },
         "_DVListBox.TopIndex put: DispID is 12, expected 11"},
        {"an enumeration value changed",
         [](TlbLibrary& l) {
             MemberOf(Type(l, "VexaKeyboardType"), "vxTypewriter", "const").value = 3;
         },
         "VexaKeyboardType.vxTypewriter const: value is 3, expected 2"},
        {"a property typed short instead of its enumeration",
         [](TlbLibrary& l) { MemberOf(Type(l, "_DVEdit"), "FontType", "get").type = "short"; },
         "expected VexaFontType"},
        {"a declared-only class made creatable",
         [](TlbLibrary& l) { Type(l, "VComboBox").creatable = true; },
         "coclass VComboBox: flags is  [creatable]"},
        {"the colour alias without its identifier",
         [](TlbLibrary& l) { Type(l, "OLE_COLOR").guid.clear(); },
         "alias OLE_COLOR: GUID is , expected 66504301"},
        {"a read-only property that can be set",
         [](TlbLibrary& l) {
             TlbMember put = MemberOf(Type(l, "_DVListBox"), "SelCount", "get");
             put.invoke = "put";
             Type(l, "_DVListBox").members.push_back(put);
         },
         "_DVListBox.SelCount put: not in the catalogue"},
        {"a parameter lost its reference",
         [](TlbLibrary& l) {
             MemberOf(Type(l, "_DVEditEvents"), "KeyPress", "func").params = {"short KeyAscii"};
         },
         "parameters is (short KeyAscii), expected (short* KeyAscii)"},
        {"a type missing",
         [](TlbLibrary& l) {
             std::erase_if(l.types, [](const TlbType& t) { return t.name == "VexaTextAlignment"; });
         },
         "enum VexaTextAlignment: missing"},
        {"the bound text no longer bound",
         [](TlbLibrary& l) { MemberOf(Type(l, "_DVEdit"), "Text", "put").flags.clear(); },
         "_DVEdit.Text put: flags is [], expected [bindable, requestedit]"},
        {"a property bound by mistake",
         [](TlbLibrary& l) {
             MemberOf(Type(l, "_DVStatic"), "Caption", "get").flags = {"bindable"};
         },
         "_DVStatic.Caption get: flags is [bindable], expected []"},
        {"the source interface not the default",
         [](TlbLibrary& l) { Type(l, "VEdit").interfaces[1] = "[source] _DVEditEvents"; },
         "coclass VEdit: interfaces is"},
    };
    for (const Case& c : cases) {
        TlbLibrary read = expected;
        c.spoil(read);
        auto problems = CompareLibraries(read, expected);
        EXPECT_TRUE(Mentions(problems, c.reported))
            << c.what << "; got " << (problems.empty() ? "nothing" : problems.front());
    }
}

TEST(TypeLibraryModel, ColourPropertiesReadAsOleColor) {
    TlbLibrary lib = ExpectedLibrary(Catalogue());
    int colours = 0;
    for (const TlbType& t : lib.types)
        for (const TlbMember& m : t.members) {
            bool colourName = m.name.size() > 5 && m.name.ends_with("Color");
            if (!colourName || m.invoke != "get") continue;
            EXPECT_EQ(m.type, "OLE_COLOR") << t.name << "." << m.name;
            ++colours;
        }
    // Fore and back colours of five controls, the three link colours.
    EXPECT_EQ(colours, 13);
}

TEST(TypeLibraryModel, OnlyTheImplementedClassesAreCreatable) {
    TlbLibrary lib = ExpectedLibrary(Catalogue());
    for (const TlbType& t : lib.types) {
        if (t.kind != "coclass") continue;
        const bool built = t.name == "VEdit" || t.name == "VPushButton" || t.name == "VCheckBox" ||
                           t.name == "VRadioButton" || t.name == "VGroupBox" ||
                           t.name == "VStatic" ||
                           t.name == "VListBox";
        EXPECT_EQ(t.creatable, built) << t.name;
        EXPECT_EQ(t.control, t.name.starts_with("V") && t.name != "VComboBox") << t.name;
    }
}

}  // namespace
}  // namespace vexa::module
