// What every control writes into its container's stream and into its kind's
// settings file, byte for byte, against files saved by an earlier build:
// stored forms and settings files outlive the code that wrote them.
//
// Each control is saved twice: as a new control, and after loading a stream
// in which every persisted property has a value other than its default.
// VEXA_WRITE_PERSISTED=1 rewrites the files (look at the diff first).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "defaults/settings_record.h"
#include "edit/vedit_logic.h"
#include "statics/static_properties.h"
#include "unit/captions/caption_rig.h"
#include "unit/listbox/listbox_rig.h"
#include "unit/statics/static_rig.h"

namespace vexa::test {
namespace {

using common::PropertyMap;
using common::PropertyType;
using common::PropertyValue;

std::string FixturePath(const std::string& name) {
    return std::string(VEXA_PERSISTED_DIR) + "/" + name;
}

void ExpectSameAsFixture(const std::string& name, const std::string& bytes) {
    if (std::getenv("VEXA_WRITE_PERSISTED")) {
        std::ofstream(FixturePath(name), std::ios::binary) << bytes;
        return;
    }
    const std::optional<std::string> stored = ReadFile(FixturePath(name));
    ASSERT_TRUE(stored) << "missing fixture " << name;
    EXPECT_EQ(*stored, bytes) << name << " differs from what an earlier build saved";
}

// A value of each persisted property that differs from the one a new
// control saves, and that the control accepts as it is.
PropertyValue OtherValue(const std::string& name, const PropertyValue& v) {
    PropertyValue o = v;
    switch (v.type) {
        case PropertyType::Unicode: break;  // never persisted
        case PropertyType::Bool:
            o.number = v.number ? 0 : 1;
            break;
        case PropertyType::Short:
        case PropertyType::Long:
            if (name == "ISCIIDataFormat" || name == "KeyboardType" || name == "FontType")
                o.number = v.number == 1 ? 2 : 1;
            else if (name == "Value")
                o.number = v.number == 1 ? 0 : 1;
            else
                o.number = v.number + 7;
            break;
        case PropertyType::Color:
            o.number =
                static_cast<std::int32_t>(static_cast<std::uint32_t>(v.number) ^ 0x00345678u);
            break;
        case PropertyType::String:
            if (name == "ScriptName")
                o.text = "Tamil";
            else if (name == "FontName")
                o.text = "TM-TTValluvar";
            else if (name == "LinFile")
                o.text = "ta1lay.lin";
            else if (name == "List")
                o.text = "alpha\r\nzeta\r\n";
            else
                o.text = v.text + "\xCC\xDA z";
            break;
    }
    return o;
}

PropertyMap AllChanged(const PropertyMap& fresh) {
    PropertyMap changed;
    for (const auto& [name, value] : fresh.Items()) changed.Set(name, OtherValue(name, value));
    return changed;
}

// One control kind driven through its logic: load, save, write its file.
struct Subject {
    std::string name;
    std::function<PropertyMap()> saveFresh;
    std::function<PropertyMap(PropertyMap)> loadAndSave;
    std::function<std::string()> settingsFile;
    // A new control of the kind reads `file` and writes its settings again.
    std::function<std::string(const std::string& file)> rereadSettings;
};

void CheckSubject(const Subject& s) {
    SCOPED_TRACE(s.name);
    const PropertyMap fresh = s.saveFresh();
    ASSERT_FALSE(fresh.Items().empty());
    ExpectSameAsFixture(s.name + "-new.vxp", common::EncodeProperties(fresh));
    const PropertyMap changed = AllChanged(fresh);
    const PropertyMap saved = s.loadAndSave(changed);
    // Every changed value comes back as loaded: nothing was kept at its default.
    for (const auto& [name, value] : changed.Items()) {
        const PropertyValue* back = saved.Find(name);
        ASSERT_NE(back, nullptr) << name;
        EXPECT_EQ(*back, value) << name;
    }
    ExpectSameAsFixture(s.name + "-set.vxp", common::EncodeProperties(saved));
    const std::string file = s.settingsFile();
    ExpectSameAsFixture(s.name + ".ini", file);
    // Every field of the file holds a value a new control lacks: a field the
    // file does not give back would be written with the new control's value.
    EXPECT_EQ(s.rereadSettings(file), file) << s.name << ".ini is not read back whole";
}

template <class Rig>
std::string SettingsBytes(Rig& rig, const std::string& file) {
    EXPECT_TRUE(rig.logic.SaveGlobalSettings());
    return rig.files.Read(file).value_or("");
}

// A control of a rig: new, loaded and saved as a container does, and its
// kind's settings file, read back by the control of a second rig.
template <class Rig>
Subject RigSubject(const std::string& name, Rig& rig, Rig& reader) {
    return {name,
            [&rig] {
                rig.LoadFresh();
                return rig.Save();
            },
            [&rig](PropertyMap map) {
                rig.Load(std::move(map));
                return rig.Save();
            },
            [&rig, name] { return SettingsBytes(rig, name + ".ini"); },
            [&reader, name](const std::string& file) {
                reader.LoadFresh();
                reader.files.files[name + ".ini"] = file;
                EXPECT_TRUE(reader.logic.LoadGlobalSettings());
                return SettingsBytes(reader, name + ".ini");
            }};
}

// The edit control's logic alone, with a view that ignores what it is told.
struct EditRig : ControlHost, ContainerSteps<EditRig> {
    struct QuietView : edit::VEditView {} view;
    edit::VEditLogic logic{{platform, registry, files}, view};
};

TEST(PersistedForms, EveryControlSavesWhatEarlierBuildsSaved) {
    const std::pair<captions::CaptionKind, std::string> kinds[] = {
        {captions::CaptionKind::PushButton, "VPushButton"},
        {captions::CaptionKind::CheckBox, "VCheckBox"},
        {captions::CaptionKind::RadioButton, "VRadioButton"},
        {captions::CaptionKind::GroupBox, "VGroupBox"}};
    for (const auto& [kind, name] : kinds) {
        captions::test::CaptionRig rig(kind), reader(kind);
        CheckSubject(RigSubject(name, rig, reader));
    }
    statics::test::StaticRig label, labelReader;
    CheckSubject(RigSubject("VStatic", label, labelReader));
    listbox::test::ListBoxRig list, listReader;
    CheckSubject(RigSubject("VListBox", list, listReader));
    EditRig edit, editReader;
    CheckSubject(RigSubject("VEdit", edit, editReader));
}

// What a damaged settings file or registry store holds out of range is
// passed over like other damage: the control keeps the value it had.
TEST(PersistedForms, OutOfRangeStoredValuesArePassedOver) {
    statics::test::StaticRig rig;
    rig.LoadFresh();
    ASSERT_TRUE(
        defaults::SaveSection(rig.files, statics::StaticSettingsLayout(), [](defaults::SettingsSection& s) {
            s.Number("FontSize") = 100000;
            s.Number("ISCIIDataFormat") = 5;
            s.Number("Alignment") = 2;
            s.String("ScriptName") = "Tamil";
        }));
    ASSERT_TRUE(rig.logic.LoadGlobalSettings());
    EXPECT_EQ(rig.logic.Props().fontSize, 18);
    EXPECT_EQ(rig.logic.Props().isciiDataFormat, 0);
    EXPECT_EQ(rig.logic.Props().alignment, 2);  // the sound values still apply
    EXPECT_EQ(rig.logic.Props().scriptName, "Tamil");

    // A registry default no control knows: the factory's value stands in,
    // and the list box still takes items.
    listbox::test::ListBoxRig list;
    defaults::DefaultValuesRecord damaged = defaults::FactoryDefaultValues();
    damaged.dataFormat = "5";
    damaged.keyboardType = "7";
    ASSERT_TRUE(defaults::SaveDefaultValues(list.registry, damaged, 0));
    ASSERT_TRUE(defaults::SaveDefaultValues(list.registry, damaged, 1));
    list.LoadFresh();
    EXPECT_EQ(list.logic.Props().isciiDataFormat, 0);
    EXPECT_EQ(list.logic.Props().keyboardType, 0);
    EXPECT_TRUE(list.Add("item"));
}

}  // namespace
}  // namespace vexa::test
