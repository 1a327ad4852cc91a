#include <gtest/gtest.h>

#include "edit/vedit_logic.h"
#include "edit/vedit_properties.h"
#include "defaults/settings_record.h"
#include "unit/control_rig.h"

namespace vexa::edit {
namespace {

using test::Bytes;

struct RecordingView : VEditView {
    void RebuildFonts() override { ++fontRebuilds; }
    void TextReplaced() override { ++textReplaced; }
    void MarkModified() override { ++modified; }
    bool RequestTextEdit() override { return allowEdit; }
    int fontRebuilds = 0, textReplaced = 0, modified = 0;
    bool allowEdit = true;
};

struct VEditLogicTest : ::testing::Test, test::ControlHost, test::ContainerSteps<VEditLogicTest> {
    VEditLogicTest() : logic({platform, registry, files}, view) {}

    RecordingView view;
    VEditLogic logic;
};

TEST_F(VEditLogicTest, MissingRegistryDefaultsGiveEmptyNamesAndZeros) {
    registry.DeleteTree("VEXAOCX.VEditCtrl.1");
    LoadFresh();
    EXPECT_EQ(logic.Props().scriptName, "");
    EXPECT_EQ(logic.Props().fontSize, 0);
}

TEST_F(VEditLogicTest, StyleRules) {
    LoadFresh();
    logic.SetMultiLine(true);  // WantReturn follows AutoHScroll
    EXPECT_TRUE(logic.Props().wantReturn);
    logic.SetWantReturn(false);  // a multi-line control that scrolls sideways now wraps
    EXPECT_FALSE(logic.Props().autoHScroll);
    EXPECT_TRUE(logic.Props().wordWrap);
    logic.SetAutoHScroll(true);
    logic.SetHScrollBar(true);
    logic.SetAutoVScroll(true);
    EXPECT_TRUE(logic.Props().wantReturn);
    logic.SetMultiLine(false);
    EXPECT_FALSE(logic.Props().autoVScroll);
    EXPECT_FALSE(logic.Props().wantReturn);
    EXPECT_FALSE(logic.Props().hScrollBar);

    logic.SetMultiLine(true);
    logic.SetAutoVScroll(true);
    logic.SetVScrollBar(true);
    logic.SetPassword(true);
    const VEditProperties& p = logic.Props();
    EXPECT_FALSE(p.multiLine || p.autoVScroll || p.vScrollBar || p.hScrollBar || p.wantReturn);
    logic.SetAutoHScroll(false);
    EXPECT_FALSE(p.hScrollBar);
    EXPECT_GT(view.modified, 10);
}

TEST_F(VEditLogicTest, TextFormatsAndTheirFailures) {
    LoadFresh();
    ASSERT_FALSE(logic.AssignText(Bytes({'a', 0x0A, 'b'})));
    EXPECT_EQ(logic.Props().text, Bytes({'a', 0x0D, 0x0A, 'b'}));
    ASSERT_FALSE(logic.SetIsciiDataFormat(1));
    ASSERT_FALSE(logic.AssignText("xka "));
    EXPECT_EQ(logic.Props().text, Bytes({0xDA, 0xCD, 0x20}));
    std::string read;
    EXPECT_FALSE(logic.ReadText(read));
    EXPECT_EQ(read, "xka ");

    // The setter refuses a format that does not exist and keeps the old one.
    common::Outcome refused = logic.SetIsciiDataFormat(3);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->kind, common::ErrorKind::InvalidValue);
    EXPECT_NE(refused->description.find("ISCIIDataFormat"), std::string::npos);
    EXPECT_EQ(logic.Props().isciiDataFormat, 1);

    // One read from a settings file can still hold it: Text then fails, with
    // the user told and the text kept.
    logic.Props().isciiDataFormat = 3;
    common::Outcome failed = logic.AssignText("anything");
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->kind, common::ErrorKind::InvalidValue);
    EXPECT_EQ(logic.Props().text, Bytes({0xDA, 0xCD, 0x20}));  // kept
    EXPECT_TRUE(logic.ReadText(read));
    EXPECT_EQ(read, "");
    ASSERT_EQ(platform.messages.Boxes().size(), 3u);
    EXPECT_EQ(platform.messages.Boxes()[0].text,
              "Invalid property value for ISCIIDataFormat, see help documentation");
    EXPECT_EQ(platform.messages.Boxes()[1].text, "Invalid property value for ISCIIDataFormat");
    EXPECT_EQ(platform.messages.Boxes()[2].caption, "VEdit Control");

    logic.Props().isciiDataFormat = 0;
    view.allowEdit = false;
    common::Outcome denied = logic.AssignText("refused");
    ASSERT_TRUE(denied);
    EXPECT_EQ(denied->kind, common::ErrorKind::PermissionDenied);
    EXPECT_EQ(logic.Props().text, Bytes({0xDA, 0xCD, 0x20}));
}

TEST_F(VEditLogicTest, SavedSettingsFollowTheDesignAndRunTimeRules) {
    LoadFresh(false);
    logic.SetScriptName("Tamil");
    logic.SetMultiLine(true);
    logic.Props().fontSize = 300;
    logic.SetGlobalSettings(true);
    const common::PropertyMap saved = Save(/*userMode=*/false);  // design time: writes the file
    auto section = defaults::LoadSection(files, VEditSettingsLayout());
    ASSERT_TRUE(section);
    EXPECT_EQ(section->String("ScriptName"), "Tamil");

    // Loading at design time clears GlobalSettings.
    Load(saved, false);
    EXPECT_FALSE(logic.Props().globalSettings);

    // A run-time control with AccessGlobal takes the file's values.
    RecordingView v;
    VEditLogic other({platform, registry, files}, v);
    common::PropertyMap stored;
    stored.Set("AccessGlobal", {common::PropertyType::Bool, 1, {}});
    stored.Set("ScriptName", {common::PropertyType::String, 0, "Devanagari"});
    test::LoadProperties(other, stored);
    EXPECT_EQ(other.Props().scriptName, "Tamil");
    EXPECT_TRUE(other.Props().multiLine);

    // Without a file the container's values stay.
    files.files.clear();
    RecordingView v2;
    VEditLogic third({platform, registry, files}, v2);
    test::LoadProperties(third, stored);
    EXPECT_EQ(third.Props().scriptName, "Devanagari");
}

TEST_F(VEditLogicTest, AccessGlobalAppliesTheFileThroughTheSetters) {
    LoadFresh();
    defaults::SaveSection(files, VEditSettingsLayout(), [](defaults::SettingsSection& s) {
        s.Number("MultiLine") = 1;
        s.Number("AutoHScroll") = 1;
        s.Number("FontSize") = 24;
        s.String("ScriptName") = "Tamil";
        s.String("FontName") = "TMB-TTTesvor";
    });
    logic.SetAccessGlobal(true);
    EXPECT_TRUE(logic.Props().multiLine);
    // The setters run in their fixed order: WantReturn 0 turns AutoHScroll
    // off, and the AutoHScroll setter after it turns it on again.
    EXPECT_FALSE(logic.Props().wantReturn);
    EXPECT_TRUE(logic.Props().autoHScroll);
    EXPECT_FALSE(logic.Props().wordWrap);
    EXPECT_EQ(logic.Props().fontSize, 24);
    EXPECT_EQ(logic.Script().converterFile, "TMBCV32.DLL");
    EXPECT_EQ(logic.Props().fontName, "TMB-TTTesvor");
}

TEST_F(VEditLogicTest, ALoadedScriptWithoutItsFaceDrawsInItsOwnFace) {
    common::PropertyMap stored;
    // No FontName: the registry's Devanagari face stands in for it.
    stored.Set("ScriptName", {common::PropertyType::String, 0, "Tamil"});
    logic.Reset();
    Load(stored);
    ASSERT_EQ(logic.Props().fontName, "DVB-TTDorvan");
    ASSERT_TRUE(logic.BindAtCreation());
    EXPECT_EQ(logic.Props().fontName, "TMB-TTTesvor");
    EXPECT_EQ(logic.Script().scriptFace, "TMB-TTTesvor");
    EXPECT_EQ(logic.Script().converterFile, "TMBCV32.DLL");
}

// The file selects a Typewriter keyboard whose layout file is missing: the
// user hears of it once.
TEST_F(VEditLogicTest, AccessGlobalReportsAMissingLayoutOnce) {
    LoadFresh();
    defaults::SaveSection(files, VEditSettingsLayout(), [](defaults::SettingsSection& s) {
        s.Number("FontSize") = 18;
        s.Number("KeyboardType") = 2;
        s.String("ScriptName") = "Devanagari";
        s.String("FontName") = "DVB-TTDorvan";
    });
    platform.messages.Clear();
    logic.SetAccessGlobal(true);
    std::vector<std::string> texts;
    for (const auto& box : platform.messages.Boxes()) texts.push_back(box.text);
    EXPECT_EQ(texts, std::vector<std::string>{"Layout Support File for Devanagari Missing."});
    EXPECT_EQ(logic.Props().keyboardType, 2);
    EXPECT_EQ(logic.Keyboard().scriptIndex, 3);
}

}  // namespace
}  // namespace vexa::edit
