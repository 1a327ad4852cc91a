// The page table, the defaults pages read from settings files and write
// to the registry, the colour fields and the edit page's style rules.
#include <gtest/gtest.h>

#include <set>

#include "captions/caption_properties.h"
#include "defaults/default_values.h"
#include "edit/vedit_properties.h"
#include "defaults/settings_record.h"
#include "module/class_table.h"
#include "pages/edit_style_boxes.h"
#include "pages/page_defaults.h"
#include "pages/page_table.h"
#include "sim/sim_registry.h"
#include "sim/sim_settings_files.h"

namespace vexa::pages {
namespace {

TEST(PageTable, EveryPageClassOfTheModuleIsDescribedOnceWithItsOwnDialog) {
    std::set<std::string_view> classes;
    for (const auto& f : module::Factories())
        if (f.kind == module::FactoryKind::PropertyPage) classes.insert(f.className);
    std::set<std::string_view> described;
    std::set<int> dialogs;
    for (const PageClass& s : PageClasses()) {
        described.insert(s.className);
        EXPECT_TRUE(dialogs.insert(s.dialogId).second) << s.className;
    }
    EXPECT_EQ(described, classes);
    EXPECT_EQ(PageClasses().size(), kPageClassCount);  // the module makes one creator per row
    EXPECT_EQ(PagesOfControl("VEdit"),
              (std::vector<std::string_view>{"CVEditPropPage", "CVEditPropPage2", "CVEditPropPage4"}));
    EXPECT_EQ(PagesOfControl("VStatic"),
              (std::vector<std::string_view>{"CVStaticPropPage", "CVEditPropPage2", "CPropPageURL",
                                             "CVEditPropPage4"}));
    EXPECT_EQ(PagesOfControl("VCheckBox"),
              (std::vector<std::string_view>{"CVCheckBoxPropPage", "CVEditPropPage4"}));
    EXPECT_TRUE(PagesOfControl("VComboBox").empty());
    // The third page exists, but no control lists it.
    for (int i = 0; i < module::kControlCount; ++i)
        for (std::string_view page : PagesOfControl(module::ControlFactory(i).controlName))
            EXPECT_NE(page, "CVEditPropPage3");
}

TEST(PageDefaults, SettingsFileFillsTheFieldsThePageShows) {
    sim::SimSettingsFiles files;
    const auto& checkBox = captions::CaptionSettingsLayout(captions::CaptionKind::CheckBox);
    const PageClass& checkPage = *FindPageClass("CVCheckBoxPropPage");
    EXPECT_FALSE(LoadPageDefaults(files, checkPage, checkBox));  // no file
    ASSERT_TRUE(defaults::SaveSection(files, checkBox, [](defaults::SettingsSection& s) {
        s.Number("Auto") = 1;
        s.Number("Alignment") = -1;
        s.Number("FontSize") = 300;
        s.String("ScriptName") = "Tamil";
        s.String("FontName") = "TMB-TTValluvar";
    }));
    auto values = LoadPageDefaults(files, checkPage, checkBox);
    ASSERT_TRUE(values);
    EXPECT_EQ(*values, (std::vector<PageValue>{{"Auto", false, 1, ""},
                                                {"PushLike", false, 0, ""},
                                                {"Alignment", false, -1, ""},
                                                {"FontSize", true, 0, "300"},
                                                {"ScriptName", true, 0, "Tamil"},
                                                {"FontName", true, 0, "TMB-TTValluvar"}}));

    // The second and third pages read the edit control's file; colours and
    // the fields the file lacks (border, the global switches) stay the control's.
    const auto& edit = edit::VEditSettingsLayout();
    ASSERT_TRUE(defaults::SaveSection(files, edit, [](defaults::SettingsSection& s) {
        s.Number("ISCIIDataFormat") = 2;
        s.Number("DisableEnglish") = 1;
        s.Number("BackColor") = 5;
    }));
    EXPECT_EQ(*LoadPageDefaults(files, *FindPageClass("CVEditPropPage2"), edit),
              (std::vector<PageValue>{{"ISCIIDataFormat", false, 2, ""}}));
    EXPECT_EQ(*LoadPageDefaults(files, *FindPageClass("CVEditPropPage3"), edit),
              (std::vector<PageValue>{{"DisableEnglish", false, 1, ""}}));
    // Eight style boxes, size, script, face; the font type is not in the file.
    EXPECT_EQ(LoadPageDefaults(files, *FindPageClass("CVEditPropPage"), edit)->size(), 11u);
}

TEST(PageDefaults, DamagedFileChangesNoField) {
    sim::SimSettingsFiles files;
    const auto& button = captions::CaptionSettingsLayout(captions::CaptionKind::PushButton);
    const PageClass& page = *FindPageClass("CVPushButtonPropPage");
    ASSERT_TRUE(defaults::SaveSection(files, button, [](defaults::SettingsSection& s) {
        s.Number("FontSize") = 18;
        s.String("ScriptName") = "Devanagari";
        s.String("FontName") = "DVB-TTDorvan";
    }));
    std::string& bytes = files.files.at("VPushButton.ini");
    ASSERT_EQ(bytes.size(), 28u);
    bytes.resize(20);  // the face name is cut off
    EXPECT_FALSE(LoadPageDefaults(files, page, button));
    bytes = std::string("\x12\0\0\0\xff\xff\xff\xff\xff\xff\xff", 11);  // a 4 GiB length
    EXPECT_FALSE(LoadPageDefaults(files, page, button));
}

TEST(SecondPage, DataFormatDefaultAndColourFields) {
    sim::SimRegistry registry;
    EXPECT_FALSE(SaveDataFormatDefault(registry, 2));
    ASSERT_TRUE(registry.CreateKey("VEXAOCX.VEditCtrl.1"));
    defaults::DefaultValuesRecord factory = defaults::FactoryDefaultValues();
    ASSERT_TRUE(defaults::SaveDefaultValues(registry, factory, 0));
    ASSERT_TRUE(SaveDataFormatDefault(registry, 2));
    defaults::DefaultValuesRecord read;
    ASSERT_TRUE(defaults::LoadDefaultValues(registry, read));
    EXPECT_EQ(read.dataFormat, "2");
    EXPECT_EQ(read.scriptName, "Devanagari");  // group 1 writes the data format only

    EXPECT_EQ(ColourText(0x80000005u), "-2147483643");
    EXPECT_EQ(ParseColourText("-2147483643"), 0x80000005u);
    EXPECT_EQ(ParseColourText("255"), 255u);
    EXPECT_EQ(ParseColourText("4294967295"), 0xFFFFFFFFu);
    EXPECT_FALSE(ParseColourText("4294967296"));
    EXPECT_FALSE(ParseColourText("12abc"));
    EXPECT_FALSE(ParseColourText(""));
}

using B = EditStyleBoxes;

std::array<bool, 8> Values(std::initializer_list<int> on) {
    std::array<bool, 8> v{};
    for (int id : on)
        for (std::size_t i = 0; i < B::kIds.size(); ++i)
            if (B::kIds[i] == id) v[i] = true;
    return v;
}

TEST(EditStyle, OpeningRulesFollowTheControl) {
    B single;
    single.Open(Values({B::kAutoHScroll, B::kHScrollBar, B::kVScrollBar, B::kWantReturn}));
    EXPECT_FALSE(single.Checked(B::kHScrollBar));  // no MultiLine: scroll bars and Want Return off
    EXPECT_FALSE(single.Checked(B::kWantReturn));
    EXPECT_FALSE(single.Enabled(B::kVScrollBar));  // no Auto VScroll
    EXPECT_TRUE(single.Enabled(B::kHScrollBar));

    B password;
    password.Open(Values({B::kPassword, B::kMultiLine}));
    for (int id : {B::kAutoVScroll, B::kHScrollBar, B::kVScrollBar, B::kWantReturn, B::kMultiLine})
        EXPECT_FALSE(password.Enabled(id)) << id;
}

TEST(EditStyle, ClicksKeepTheBoxesConsistent) {
    B b;
    b.Open(Values({B::kMultiLine, B::kAutoHScroll, B::kAutoVScroll, B::kHScrollBar, B::kVScrollBar}));
    b.Click(B::kAutoHScroll);  // off: its bar goes
    EXPECT_FALSE(b.Checked(B::kHScrollBar));
    EXPECT_FALSE(b.Enabled(B::kHScrollBar));
    b.Click(B::kAutoHScroll);  // on again in a multi-line box: Want Return on
    EXPECT_TRUE(b.Enabled(B::kHScrollBar));
    EXPECT_TRUE(b.Checked(B::kWantReturn));
    b.Click(B::kWantReturn);  // off: no sideways scrolling without it
    EXPECT_FALSE(b.Checked(B::kAutoHScroll));
    b.Click(B::kMultiLine);  // off
    for (int id : {B::kAutoVScroll, B::kVScrollBar, B::kHScrollBar, B::kWantReturn})
        EXPECT_FALSE(b.Checked(id)) << id;
    EXPECT_FALSE(b.Enabled(B::kAutoVScroll));
    b.Click(B::kMultiLine);  // on
    EXPECT_TRUE(b.Enabled(B::kAutoVScroll));
    EXPECT_FALSE(b.Enabled(B::kHScrollBar));  // Auto HScroll is still off
    b.Click(B::kAutoVScroll);
    EXPECT_TRUE(b.Enabled(B::kVScrollBar));
    b.Click(B::kPassword);
    EXPECT_FALSE(b.Checked(B::kMultiLine));
    EXPECT_FALSE(b.Checked(B::kAutoVScroll));
    EXPECT_FALSE(b.Enabled(B::kMultiLine));
    b.Click(B::kPassword);
    EXPECT_TRUE(b.Enabled(B::kMultiLine));
    EXPECT_FALSE(b.Enabled(B::kWantReturn));
}

}  // namespace
}  // namespace vexa::pages
