#include <gtest/gtest.h>

#include <algorithm>

#include "module/automation_catalogue.h"
#include "module/class_table.h"
#include "module/registration.h"
#include "defaults/default_values.h"
#include "sim/sim_registry.h"

namespace vexa::module {
namespace {

const std::string kPath = "C:\\windows\\system32\\vexa.ocx";
const std::string kEdit = "CLSID\\{A220A051-6AFF-4B93-9C32-3829B0EFFF62}";

TEST(Registration, WritesTheControlKeysOfTheEditControl) {
    sim::SimRegistry r;
    ASSERT_TRUE(RegisterClasses(r, kPath));
    EXPECT_EQ(r.GetString(kEdit, ""), "VEdit Control");
    EXPECT_EQ(r.GetString(kEdit + "\\InprocServer32", ""), kPath);
    EXPECT_EQ(r.GetString(kEdit + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(r.GetString(kEdit + "\\ProgID", ""), "VEXAOCX.VEditCtrl.1");
    EXPECT_TRUE(r.KeyExists(kEdit + "\\Control"));
    EXPECT_TRUE(r.KeyExists(kEdit + "\\Insertable"));
    EXPECT_EQ(r.GetString(kEdit + "\\ToolboxBitmap32", ""), kPath + ", 1");
    EXPECT_EQ(r.GetString(kEdit + "\\MiscStatus\\1", ""), "131473");
    EXPECT_EQ(r.GetString(kEdit + "\\TypeLib", ""), "{87AE5FB9-9808-402D-B852-18B49CB461A3}");
    EXPECT_EQ(r.GetString(kEdit + "\\Version", ""), "1.0");
    EXPECT_EQ(r.GetString("VEXAOCX.VEditCtrl.1\\CLSID", ""), "{A220A051-6AFF-4B93-9C32-3829B0EFFF62}");
    EXPECT_TRUE(r.KeyExists("VEXAOCX.VEditCtrl.1\\Insertable"));
}

// A host must never find a class whose factory the module refuses: only the
// implemented entries of the class table get keys, with those of their kind.
TEST(Registration, WritesKeysOnlyForTheClassesWithAFactory) {
    sim::SimRegistry r;
    ASSERT_TRUE(RegisterClasses(r, kPath));
    int registered = 0;
    for (const FactoryEntry& f : Factories()) {
        std::string key = "CLSID\\" + BracedGuid(f.clsid);
        EXPECT_EQ(r.KeyExists(key), f.implemented) << f.className;
        EXPECT_EQ(r.KeyExists(std::string(f.progId)), f.implemented) << f.progId;
        if (!f.implemented) continue;
        ++registered;
        bool control = f.kind == FactoryKind::Control;
        EXPECT_EQ(r.KeyExists(key + "\\Control"), control) << f.className;
        if (control) {
            EXPECT_EQ(r.GetString(key + "\\MiscStatus\\1", ""), std::to_string(f.miscStatus));
            EXPECT_EQ(r.GetString(key + "\\ToolboxBitmap32", ""),
                      kPath + ", " + std::to_string(f.bitmapId));
        }
    }
    EXPECT_GE(registered, 1);
    EXPECT_FALSE(r.KeyExists("CLSID\\{2CE7D6AC-CE48-4C74-A498-76AE78FC9511}"));  // VComboBox
    EXPECT_EQ(FindImplemented("{A220A051-6AFF-4B93-9C32-3829B0EFFF62}"), &ControlFactory(1));
}

TEST(Registration, TwiceIsTheSameAsOnce) {
    sim::SimRegistry once, twice;
    RegisterClasses(once, kPath);
    RegisterClasses(twice, kPath);
    RegisterClasses(twice, kPath);
    EXPECT_EQ(once.AllKeys(), twice.AllKeys());
}

TEST(Registration, FailsWhenTheRegistryRefusesWrites) {
    sim::SimRegistry r;
    r.failWrites = true;
    EXPECT_FALSE(RegisterClasses(r, kPath));
}

TEST(Registration, UnregisteringKeepsTheSavedDefaults) {
    sim::SimRegistry r;
    ASSERT_TRUE(RegisterClasses(r, kPath));
    ASSERT_TRUE(defaults::SaveDefaultValues(r, defaults::FactoryDefaultValues(), 0));
    ASSERT_TRUE(UnregisterClasses(r));
    EXPECT_FALSE(r.KeyExists(kEdit));
    EXPECT_FALSE(r.KeyExists("VEXAOCX.VEditCtrl.1\\CLSID"));
    EXPECT_FALSE(r.KeyExists("VEXAOCX.VStaticCtrl.1"));
    EXPECT_EQ(r.GetString(defaults::kDefaultValuesKey, "FontName"), "DVB-TTDorvan");
    for (const std::string& key : r.AllKeys())
        EXPECT_TRUE(key == "CLSID" || key.rfind("VEXAOCX.VEditCtrl.1", 0) == 0) << key;
}

TEST(Registration, WhatUnregisteringLeavesBehindIsNamed) {
    sim::SimRegistry r;
    ASSERT_TRUE(RegisterClasses(r, kPath));
    ASSERT_TRUE(defaults::SaveDefaultValues(r, defaults::FactoryDefaultValues(), 0));
    const std::string lib = "TypeLib\\{87AE5FB9-9808-402D-B852-18B49CB461A3}";
    const std::string editInterface = "Interface\\{E7C054A9-A473-4468-AA5F-445C33ECECEA}";
    r.CreateKey(lib + "\\1.0");
    r.CreateKey(editInterface);
    const std::vector<std::string> registered = RegistrationLeftBehind(r);
    for (const std::string& key : {kEdit, std::string("VEXAOCX.VEditCtrl.1\\CLSID"),
                                   std::string("VEXAOCX.VEditCtrl.1"), lib, editInterface}) {
        EXPECT_NE(std::find(registered.begin(), registered.end(), key), registered.end()) << key;
    }
    // Every class the module builds is registered, and named when left behind.
    EXPECT_EQ(std::count_if(registered.begin(), registered.end(),
                            [](const std::string& k) { return k.rfind("CLSID\\", 0) == 0; }),
              std::count_if(Factories().begin(), Factories().end(),
                            [](const FactoryEntry& f) { return f.implemented; }));

    ASSERT_TRUE(UnregisterClasses(r));
    EXPECT_EQ(RegistrationLeftBehind(r), (std::vector<std::string>{lib, editInterface}));
    r.DeleteTree(lib);
    r.DeleteTree(editInterface);
    // The default values are not ours to remove and do not count.
    EXPECT_TRUE(RegistrationLeftBehind(r).empty());
    EXPECT_TRUE(r.KeyExists(defaults::kDefaultValuesKey));
    r.CreateKey("VEXAOCX.VEditCtrl.1\\Insertable");
    EXPECT_EQ(RegistrationLeftBehind(r), (std::vector<std::string>{"VEXAOCX.VEditCtrl.1\\Insertable"}));
}

TEST(Registration, VersionIndependentProgIdDropsOnlyATrailingVersion) {
    EXPECT_EQ(VersionIndependentProgId("VEXAOCX.VEditCtrl.1"), "VEXAOCX.VEditCtrl");
    EXPECT_EQ(VersionIndependentProgId("VEXAOCX.VEditCtrl.12"), "VEXAOCX.VEditCtrl");
    EXPECT_EQ(VersionIndependentProgId("Vexa_OCX.CVEditPropPage2"), "");
    EXPECT_EQ(VersionIndependentProgId("VEXAOCX.VEditCtrl."), "");
    EXPECT_EQ(VersionIndependentProgId("VEditCtrl.1"), "");
}

// Hosts create "VEXAOCX.VEditCtrl" and find the current version through
// CurVer; every registered class with a versioned ProgID has one, and it goes
// with unregistration.
TEST(Registration, VersionIndependentProgIdsComeAndGoWithTheClasses) {
    sim::SimRegistry r;
    ASSERT_TRUE(RegisterClasses(r, kPath));
    EXPECT_EQ(r.GetString(kEdit + "\\VersionIndependentProgID", ""), "VEXAOCX.VEditCtrl");
    EXPECT_EQ(r.GetString("VEXAOCX.VEditCtrl", ""), "VEdit Control");
    EXPECT_EQ(r.GetString("VEXAOCX.VEditCtrl\\CurVer", ""), "VEXAOCX.VEditCtrl.1");
    EXPECT_EQ(r.GetString("VEXAOCX.VEditCtrl\\CLSID", ""), "{A220A051-6AFF-4B93-9C32-3829B0EFFF62}");
    int withCurrent = 0;
    for (const FactoryEntry& f : Factories()) {
        const std::string current = VersionIndependentProgId(f.progId);
        if (current.empty()) continue;
        EXPECT_EQ(r.KeyExists(current), f.implemented) << current;
        if (!f.implemented) continue;
        ++withCurrent;
        EXPECT_EQ(r.GetString(current + "\\CurVer", ""), std::string(f.progId));
        EXPECT_EQ(r.GetString(current + "\\CLSID", ""), BracedGuid(f.clsid));
    }
    EXPECT_GE(withCurrent, 1);  // at least the edit control

    ASSERT_TRUE(UnregisterClasses(r));
    for (const FactoryEntry& f : Factories()) {
        const std::string current = VersionIndependentProgId(f.progId);
        if (!current.empty()) {
            EXPECT_FALSE(r.KeyExists(current)) << current;
        }
    }
}

// A version-independent key whose CurVer names another module's ProgID is
// not ours: unregistering leaves it and does not count it as left behind.
TEST(Registration, ANewerModulesCurrentProgIdStays) {
    sim::SimRegistry r;
    ASSERT_TRUE(RegisterClasses(r, kPath));
    ASSERT_TRUE(r.SetString("VEXAOCX.VEditCtrl\\CurVer", "", "VEXAOCX.VEditCtrl.2"));
    ASSERT_TRUE(UnregisterClasses(r));
    EXPECT_EQ(r.GetString("VEXAOCX.VEditCtrl\\CurVer", ""), "VEXAOCX.VEditCtrl.2");
    EXPECT_TRUE(RegistrationLeftBehind(r).empty());
    r.SetString("VEXAOCX.VEditCtrl\\CurVer", "", "VEXAOCX.VEditCtrl.1");
    EXPECT_EQ(RegistrationLeftBehind(r), (std::vector<std::string>{"VEXAOCX.VEditCtrl"}));
}

}  // namespace
}  // namespace vexa::module
