#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "module/automation_catalogue.h"
#include "module/class_table.h"
#include "module/idl_writer.h"
#include "module/resource_writer.h"

namespace vexa::module {
namespace {

TEST(Catalogue, DispIdsAndNamesAreUniqueInEveryInterface) {
    for (const CoClass& c : Catalogue().classes) {
        for (const DispInterface* d : {&c.dispatch, &c.events}) {
            std::set<int> ids;
            std::set<std::string_view> names;
            for (const Member& m : d->members) {
                EXPECT_TRUE(ids.insert(m.dispId).second) << d->name << " " << m.dispId;
                EXPECT_TRUE(names.insert(m.name).second) << d->name << " " << m.name;
            }
        }
    }
}

TEST(Catalogue, CustomDispIdsRunFromOneWithoutGaps) {
    for (const CoClass& c : Catalogue().classes) {
        int expected = 1;
        for (const Member& m : c.dispatch.members)
            if (m.dispId > 0) {
                EXPECT_EQ(m.dispId, expected++) << c.dispatch.name << " " << m.name;
            }
    }
}

TEST(ClassTable, ControlsFollowTheControlIndicesAndMatchTheCatalogue) {
    const char* order[] = {"VCheckBox", "VEdit",        "VGroupBox", "VListBox",
                           "VPushButton", "VRadioButton", "VStatic"};
    for (int i = 0; i < kControlCount; ++i) {
        const FactoryEntry& f = ControlFactory(i);
        EXPECT_EQ(f.controlName, order[i]);
        EXPECT_EQ(f.progId, "VEXAOCX." + std::string(order[i]) + "Ctrl.1");
        EXPECT_EQ(Catalogue().FindClass(order[i])->clsid, f.clsid);
        EXPECT_EQ(ControlIndex(order[i]), i);
    }
    EXPECT_EQ(ControlFactory(1).miscStatus, 0x20191u);
    EXPECT_EQ(ControlFactory(2).miscStatus, 0x34199u);
    EXPECT_EQ(ControlFactory(6).miscStatus, 0x24199u);
    EXPECT_EQ(FindFactory(Catalogue().FindClass("VComboBox")->clsid), nullptr);
    EXPECT_EQ(FindFactory("{a220a051-6aff-4b93-9c32-3829b0efff62}")->className, "CVEditCtrl");
    std::set<std::string_view> clsids;
    for (const FactoryEntry& f : Factories()) EXPECT_TRUE(clsids.insert(f.clsid).second);
    for (const CoClass& c : Catalogue().classes) EXPECT_TRUE(clsids.insert(c.clsid).second || c.control);
}

TEST(Idl, DeclaresEveryInterfaceWithItsMembers) {
    std::string idl = WriteIdl(Catalogue());
    EXPECT_NE(idl.find("library VEXA_OCXLib"), std::string::npos);
    EXPECT_NE(idl.find("version(1.0), lcid(1033)"), std::string::npos);
    EXPECT_NE(idl.find("] BSTR GetFormattedZIRVOText(short nFontSize, long nLineWidth);"),
              std::string::npos);
    EXPECT_NE(idl.find("[id(-602), helpstring(\"Fired when a key is pressed; KeyCode is"),
              std::string::npos);
    EXPECT_NE(idl.find("] void KeyDown(short* KeyCode, short Shift);"), std::string::npos);
    EXPECT_NE(idl.find("[default, source] dispinterface _DVComboBoxEvents;"), std::string::npos);
    EXPECT_NE(idl.find("dispinterface IFindDialog"), std::string::npos);
}

// Properties are get and put functions so that they carry help strings; a
// read-only property has no put.
TEST(Idl, PropertiesAreAccessorPairsWithHelp) {
    std::string idl = WriteIdl(Catalogue());
    EXPECT_NE(idl.find("[id(10), propget, helpstring(\"Number of selected items (read-only)\")] "
                       "long SelCount();"),
              std::string::npos);
    EXPECT_EQ(idl.find("void SelCount("), std::string::npos);
    EXPECT_NE(idl.find("[id(-513), propput, helpstring(\"Colour of the text\")] void "
                       "ForeColor(OLE_COLOR newValue);"),
              std::string::npos);
    // Quotes inside a help string are escaped.
    EXPECT_NE(idl.find("script list (\\\"Devanagari\\\", "), std::string::npos);
    EXPECT_NE(idl.find("] VexaISCIIDataFormat ISCIIDataFormat();"), std::string::npos);
}

// The edit control asks its container before Text changes and tells it
// after: hosts that bind data learn it from the library.
TEST(Idl, TheEditControlsTextIsBound) {
    std::string idl = WriteIdl(Catalogue());
    EXPECT_NE(idl.find("[id(-517), bindable, requestedit, propget, helpstring(\"The text, in the form"),
              std::string::npos);
    EXPECT_NE(idl.find("[id(-517), bindable, requestedit, propput, "), std::string::npos);
    std::size_t first = idl.find("bindable");
    EXPECT_EQ(idl.find("bindable", idl.find("bindable", first + 1) + 1), std::string::npos)
        << "only VEdit's Text get and put are bound";
}

TEST(Idl, ColourAndHandleCarryTheStandardIdentifiers) {
    std::string idl = WriteIdl(Catalogue());
    EXPECT_NE(idl.find("typedef [uuid(66504301-BE0F-101A-8BBB-00AA00300CAB), public] unsigned long "
                       "OLE_COLOR;"),
              std::string::npos);
    EXPECT_NE(idl.find("typedef [uuid(66504313-BE0F-101A-8BBB-00AA00300CAB), public] int OLE_HANDLE;"),
              std::string::npos);
    // The system's own declaration of OLE_COLOR would shadow ours.
    EXPECT_EQ(idl.find("ocidl.idl"), std::string::npos);
}

TEST(Idl, DeclaredOnlyClassesAreNotCreatable) {
    std::string idl = WriteIdl(Catalogue());
    auto attributesOf = [&](const std::string& coclass) {
        std::size_t at = idl.find("    coclass " + coclass + "\n");
        std::size_t open = idl.rfind("[ uuid(", at);
        return idl.substr(open, at - open);
    };
    EXPECT_EQ(attributesOf("VEdit").find("noncreatable"), std::string::npos);
    EXPECT_NE(attributesOf("VEdit").find(", control"), std::string::npos);
    EXPECT_EQ(attributesOf("VStatic").find("noncreatable"), std::string::npos);
    for (const char* c : {"VComboBox", "FindDialog", "ReplaceDialog"})
        EXPECT_NE(attributesOf(c).find("noncreatable"), std::string::npos) << c;
    EXPECT_EQ(attributesOf("VComboBox").find(", control"), std::string::npos);
}

// The generated description must compile into a type library when the
// Windows tools are installed.
TEST(Idl, CompilesWithWidl) {
    const char* widl = "/usr/bin/x86_64-w64-mingw32-widl";
    const char* tlbDir = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/stdole2.tlb";
    if (!std::filesystem::exists(widl) || !std::filesystem::exists(tlbDir))
        GTEST_SKIP() << "widl or Wine's stdole2.tlb not installed";
    auto dir = std::filesystem::temp_directory_path() / "vexa_idl_test";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "vexa.idl") << WriteIdl(Catalogue());
    std::string cmd = std::string(widl) +
                      " --win64 -I/usr/include/wine/wine/windows "
                      "-L/usr/lib/x86_64-linux-gnu/wine/x86_64-windows -t -o " +
                      (dir / "vexa.tlb").string() + " " + (dir / "vexa.idl").string();
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    EXPECT_GT(std::filesystem::file_size(dir / "vexa.tlb"), 4000u);
}

TEST(Resources, ToolboxBitmapsAre16By15With16Colours) {
    for (int id = 1; id <= 7; ++id) {
        std::string bmp = WriteToolboxBitmap(id);
        ASSERT_EQ(bmp.substr(0, 2), "BM");
        auto le = [&](int at) {
            return static_cast<unsigned char>(bmp[at]) | static_cast<unsigned char>(bmp[at + 1]) << 8;
        };
        EXPECT_EQ(le(18), 16);
        EXPECT_EQ(le(22), 15);
        EXPECT_EQ(le(28), 4);
        EXPECT_EQ(bmp.size(), 14u + 40 + 64 + 8 * 15);
    }
    EXPECT_NE(WriteToolboxBitmap(1), WriteToolboxBitmap(2));
    std::string table = WriteStringTable();
    EXPECT_NE(table.find("210, \"VEdit Property Page3\""), std::string::npos);
    EXPECT_NE(table.find("15, \"VComboBox Control\""), std::string::npos);
}

}  // namespace
}  // namespace vexa::module
