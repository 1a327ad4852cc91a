#include <gtest/gtest.h>

#include "edit/vedit_logic.h"
#include "pages/default_values.h"
#include "pages/settings_record.h"
#include "script/script_catalogue.h"
#include "sim/sim_registry.h"
#include "sim/sim_settings_files.h"
#include "unit/fixture_platform.h"

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

class VEditLogicTest : public ::testing::Test {
protected:
    VEditLogicTest() : logic({platform, registry, settings}, view) {
        registry.CreateKey("VEXAOCX.VEditCtrl.1");
        pages::SaveDefaultValues(registry, pages::FactoryDefaultValues(), 0);
        pages::SaveDefaultValues(registry, pages::FactoryDefaultValues(), 1);
    }
    void LoadFresh(bool userMode = true) {
        module::PropertyMap empty;
        module::MapExchange px(empty, true);
        logic.Reset();
        logic.Exchange(px, userMode);
    }

    test::FixturePlatform platform;
    sim::SimRegistry registry;
    sim::SimSettingsFiles settings;
    RecordingView view;
    VEditLogic logic;
};

TEST_F(VEditLogicTest, ANewControlTakesTheRegistryDefaults) {
    LoadFresh();
    const VEditProperties& p = logic.Props();
    EXPECT_EQ(p.text, "VEdit");
    EXPECT_TRUE(p.autoHScroll);
    EXPECT_FALSE(p.multiLine);
    EXPECT_EQ(p.scriptName, "Devanagari");
    EXPECT_EQ(p.fontName, "DVB-TTDorvan");
    EXPECT_EQ(p.fontSize, 18);
    EXPECT_EQ(p.linFile, "dv1lay.lin");
    EXPECT_EQ(p.backColor, 0x80000005u);
}

TEST_F(VEditLogicTest, MissingRegistryDefaultsGiveEmptyNamesAndZeros) {
    registry.DeleteTree("VEXAOCX.VEditCtrl.1");
    LoadFresh();
    EXPECT_EQ(logic.Props().scriptName, "");
    EXPECT_EQ(logic.Props().fontSize, 0);
}

TEST_F(VEditLogicTest, PropertiesRoundTripInTheStoredOrder) {
    LoadFresh();
    logic.Props().multiLine = true;
    logic.Props().text = Bytes({0xA4, 'x'});
    logic.Props().fontType = 1;
    logic.Props().unicodeText = 42;
    module::PropertyMap saved;
    module::MapExchange save(saved, false);
    logic.Exchange(save, true);
    std::vector<std::string> names;
    for (const auto& [n, v] : saved.Items()) names.push_back(n);
    std::vector<std::string> expected{"AccessGlobal", "AutoHScroll", "HScrollBar", "AutoVScroll",
                                      "VScrollBar", "MultiLine", "WantReturn", "ReadOnly", "Text",
                                      "ScriptName", "FontSize", "FontName", "ISCIIDataFormat",
                                      "KeyboardType", "Password", "DisableEnglish", "ForeColor",
                                      "BackColor", "UnicodeText", "FontType", "LinFile"};
    EXPECT_EQ(names, expected);

    RecordingView otherView;
    VEditLogic other({platform, registry, settings}, otherView);
    module::MapExchange load(saved, true);
    other.Exchange(load, true);
    EXPECT_TRUE(other.Props().multiLine);
    EXPECT_EQ(other.Props().text, Bytes({0xA4, 'x'}));
    EXPECT_EQ(other.Props().fontType, 1);
    EXPECT_EQ(other.Props().unicodeText, 42);
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

TEST_F(VEditLogicTest, ScriptSettersBindConverterAndFaces) {
    LoadFresh();
    logic.SetScriptName("Tamil");
    EXPECT_EQ(logic.Props().fontName, "TMB-TTTesvor");
    EXPECT_EQ(logic.Script().converterFile, "TMBCV32.DLL");
    EXPECT_EQ(logic.Script().converterEntry, "iscii2tamilzirvo");
    EXPECT_TRUE(logic.Converter().HasFunction());
    EXPECT_EQ(logic.GetFontList(), "TMB-TTTesvor;");

    logic.SetScriptName("Devanagari");
    EXPECT_EQ(logic.GetFontList(), "DVB-TTDorvan;DVB-TTDorvanEN;");

    int before = view.fontRebuilds;
    logic.SetScriptName("Vedic");  // out of reach with bilingual fonts
    EXPECT_EQ(logic.Props().fontName, "DVB-TTDorvan");
    EXPECT_EQ(logic.Script().converterFile, "DVBCV32.DLL");
    EXPECT_EQ(view.fontRebuilds, before + 1);

    logic.SetFontType(1);  // alone changes nothing bound
    EXPECT_EQ(logic.Script().converterFile, "DVBCV32.DLL");
    logic.SetScriptName("Devanagari");
    logic.SetFontName("DV-TTDorvan");
    EXPECT_EQ(logic.Script().englishFace, "DV1-TTDorvan");
    EXPECT_EQ(logic.Script().converterFile, "DVMCV32.DLL");

    logic.SetScriptName("English");
    EXPECT_TRUE(logic.EnglishScript());
    EXPECT_EQ(logic.GetFontList(), "English");
}

TEST_F(VEditLogicTest, SanskritWithBilingualFonts) {
    LoadFresh();
    logic.SetScriptName("Sanskrit");
    EXPECT_EQ(logic.Props().fontName, "SD-TTDorvan");
    EXPECT_EQ(logic.Script().englishFace, "DV1-TTDorvan");
    EXPECT_EQ(logic.GetFontList(), "SD-TTDorvan;");
}

TEST_F(VEditLogicTest, LinFileRebindsOnlyForTypewriter) {
    LoadFresh();
    logic.SetScriptName("Tamil");
    logic.SetScriptName("Devanagari");
    std::string file = logic.Script().converterFile;
    logic.Converter().Unload();
    logic.SetLinFile("tm1lay.lin");
    EXPECT_FALSE(logic.Converter().HasFunction());  // not rebound with Inscript
    EXPECT_EQ(logic.Props().linFile, "tm1lay.lin");
}

TEST_F(VEditLogicTest, ScriptListFollowsTheInstalledConverters) {
    LoadFresh();
    // Kannada's file loads although its entry is missing: listed all the same.
    EXPECT_EQ(logic.GetScriptList(), "Devanagari;Kannada;Tamil;");
    sim::SimPlatform empty("/nonexistent");
    RecordingView v;
    VEditLogic bare({empty, registry, settings}, v);
    EXPECT_EQ(bare.GetScriptList(), "English;");
}

TEST_F(VEditLogicTest, CreationBindsTheRequestedScriptOrAsks) {
    LoadFresh();
    logic.Props().scriptName = "Tamil";
    ASSERT_TRUE(logic.BindAtCreation());
    EXPECT_EQ(logic.Props().scriptName, "Tamil");
    EXPECT_TRUE(logic.Converter().HasFunction());

    sim::SimPlatform empty("/nonexistent");
    RecordingView v;
    VEditLogic bare({empty, registry, settings}, v);
    empty.messages.AnswerNext(platform::MessageAnswer::No);
    EXPECT_FALSE(bare.BindAtCreation());
    empty.messages.AnswerNext(platform::MessageAnswer::Yes);
    EXPECT_TRUE(bare.BindAtCreation());
    EXPECT_TRUE(bare.EnglishScript());
    EXPECT_EQ(bare.Script().scriptFace, "Roman");
}

TEST_F(VEditLogicTest, TextFormatsAndTheirFailures) {
    LoadFresh();
    ASSERT_TRUE(logic.AssignText(Bytes({'a', 0x0A, 'b'})));
    EXPECT_EQ(logic.Props().text, Bytes({'a', 0x0D, 0x0A, 'b'}));
    logic.SetIsciiDataFormat(1);
    ASSERT_TRUE(logic.AssignText("xka "));
    EXPECT_EQ(logic.Props().text, Bytes({0xDA, 0xCD, 0x20}));
    EXPECT_EQ(logic.ReadText(), "xka ");

    logic.SetIsciiDataFormat(3);
    EXPECT_FALSE(logic.AssignText("anything"));
    EXPECT_EQ(logic.Props().text, Bytes({0xDA, 0xCD, 0x20}));  // kept
    EXPECT_EQ(logic.ReadText(), "");
    ASSERT_EQ(platform.messages.Boxes().size(), 3u);
    EXPECT_EQ(platform.messages.Boxes()[0].text,
              "Invalid property value for ISCIIDataFormat, see help documentation");
    EXPECT_EQ(platform.messages.Boxes()[1].text, "Invalid property value for ISCIIDataFormat");
    EXPECT_EQ(platform.messages.Boxes()[2].caption, "VEdit Control");

    logic.SetIsciiDataFormat(0);
    view.allowEdit = false;
    EXPECT_FALSE(logic.AssignText("refused"));
    EXPECT_EQ(logic.Props().text, Bytes({0xDA, 0xCD, 0x20}));
}

TEST_F(VEditLogicTest, SavedSettingsFollowTheDesignAndRunTimeRules) {
    LoadFresh(false);
    logic.SetScriptName("Tamil");
    logic.SetMultiLine(true);
    logic.Props().fontSize = 300;
    logic.SetGlobalSettings(true);
    module::PropertyMap saved;
    module::MapExchange save(saved, false);
    logic.Exchange(save, /*userMode=*/false);  // design-time save writes the file
    auto section = pages::LoadSection(settings, 1);
    ASSERT_TRUE(section);
    EXPECT_EQ(section->String("ScriptName"), "Tamil");
    EXPECT_EQ(section->Number("FontSize"), 300);
    EXPECT_EQ(section->Number("MultiLine"), 1);

    // Loading at design time clears GlobalSettings.
    module::MapExchange loadDesign(saved, true);
    logic.Exchange(loadDesign, false);
    EXPECT_FALSE(logic.Props().globalSettings);

    // A run-time control with AccessGlobal takes the file's values.
    RecordingView v;
    VEditLogic other({platform, registry, settings}, v);
    module::PropertyMap stored;
    stored.Set("AccessGlobal", {module::PropertyType::Bool, 1, {}});
    stored.Set("ScriptName", {module::PropertyType::String, 0, "Devanagari"});
    module::MapExchange load(stored, true);
    other.Exchange(load, true);
    EXPECT_EQ(other.Props().scriptName, "Tamil");
    EXPECT_TRUE(other.Props().multiLine);

    // Without a file the container's values stay.
    settings.files.clear();
    RecordingView v2;
    VEditLogic third({platform, registry, settings}, v2);
    module::MapExchange load2(stored, true);
    third.Exchange(load2, true);
    EXPECT_EQ(third.Props().scriptName, "Devanagari");
}

TEST_F(VEditLogicTest, AccessGlobalAppliesTheFileThroughTheSetters) {
    LoadFresh();
    pages::SaveSection(settings, 1, [](pages::SettingsSection& s) {
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

}  // namespace
}  // namespace vexa::edit
