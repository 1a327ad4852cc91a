#include <gtest/gtest.h>

#include "common/default_values.h"
#include "common/script_binding.h"
#include "common/property_exchange.h"
#include "script/script_catalogue.h"
#include "unit/fixture_platform.h"

namespace vexa::common {
namespace {

struct CountingHost : ScriptHost {
    void RebuildFonts() override { ++fontRebuilds; }
    void MarkModified() override { ++modified; }
    int fontRebuilds = 0, modified = 0;
};

// The binding on settings of its own, as any control other than the edit
// control holds them.
class ScriptBindingTest : public ::testing::Test {
protected:
    ScriptBindingTest() : binding(platform, settings, host) {
        settings.scriptName = "Devanagari";
        settings.fontName = "DVB-TTDorvan";
        settings.fontSize = 18;
    }
    test::FixturePlatform platform;
    ScriptSettings settings;
    CountingHost host;
    ScriptBinding binding;
};

TEST_F(ScriptBindingTest, ScriptSettersBindConverterAndFaces) {
    binding.SetScriptName("Tamil");
    EXPECT_EQ(settings.fontName, "TMB-TTTesvor");
    EXPECT_EQ(binding.Active().converterFile, "TMBCV32.DLL");
    EXPECT_EQ(binding.Active().converterEntry, "iscii2tamilzirvo");
    EXPECT_TRUE(binding.Converter().HasFunction());
    EXPECT_EQ(binding.GetFontList(), "TMB-TTTesvor;");

    binding.SetScriptName("Devanagari");
    EXPECT_EQ(binding.GetFontList(), "DVB-TTDorvan;DVB-TTDorvanEN;");

    int before = host.fontRebuilds;
    binding.SetScriptName("Vedic");  // out of reach with bilingual fonts
    EXPECT_EQ(settings.scriptName, "Vedic");
    EXPECT_EQ(settings.fontName, "DVB-TTDorvan");
    EXPECT_EQ(binding.Active().converterFile, "DVBCV32.DLL");
    EXPECT_EQ(host.fontRebuilds, before + 1);

    binding.SetFontType(1);  // alone changes nothing bound
    EXPECT_EQ(binding.Active().converterFile, "DVBCV32.DLL");
    binding.SetScriptName("Devanagari");
    binding.SetFontName("DV-TTDorvan");
    EXPECT_EQ(binding.Active().englishFace, "DV1-TTDorvan");
    EXPECT_EQ(binding.Active().converterFile, "DVMCV32.DLL");

    binding.SetScriptName("English");
    EXPECT_TRUE(binding.EnglishScript());
    EXPECT_EQ(binding.GetFontList(), "English");
}

TEST_F(ScriptBindingTest, SanskritWithBilingualFontsDrawsEnglishInItsOwnFace) {
    binding.SetScriptName("Sanskrit");
    EXPECT_EQ(settings.fontName, "SD-TTDorvan");
    EXPECT_EQ(binding.Active().englishFace, "DV1-TTDorvan");
    EXPECT_EQ(binding.GetFontList(), "SD-TTDorvan;");
}

TEST_F(ScriptBindingTest, EverySetterMarksTheControlModifiedAndOnlyFontsRebuild) {
    int modified = host.modified, rebuilds = host.fontRebuilds;
    binding.SetDisableEnglish(true);
    binding.SetKeyboardType(1);
    EXPECT_EQ(host.modified, modified + 2);
    EXPECT_EQ(host.fontRebuilds, rebuilds);  // keyboard and English typing draw nothing
    binding.SetFontSize(24);
    EXPECT_EQ(settings.fontSize, 24);
    EXPECT_EQ(host.fontRebuilds, rebuilds + 1);
}

TEST_F(ScriptBindingTest, LinFileRebindsOnlyForTypewriter) {
    binding.SetScriptName("Tamil");
    binding.SetScriptName("Devanagari");
    binding.Converter().Unload();
    binding.SetLinFile("tm1lay.lin");
    EXPECT_FALSE(binding.Converter().HasFunction());  // not rebound with Inscript
    EXPECT_EQ(settings.linFile, "tm1lay.lin");
    binding.SetKeyboardType(2);
    EXPECT_TRUE(binding.Converter().HasFunction());
}

TEST_F(ScriptBindingTest, ScriptListFollowsTheInstalledConverters) {
    // Kannada's file loads although its entry is missing: listed all the same.
    EXPECT_EQ(binding.GetScriptList(), "Devanagari;Kannada;Tamil;");
    sim::SimPlatform empty("/nonexistent");
    ScriptSettings s;
    ScriptBinding bare(empty, s, host);
    EXPECT_EQ(bare.GetScriptList(), "English;");
}

TEST_F(ScriptBindingTest, CreationBindsTheRequestedScriptOrAsks) {
    settings.scriptName = "Tamil";
    ASSERT_TRUE(binding.BindAtCreation("VCheckBox"));
    EXPECT_EQ(settings.scriptName, "Tamil");
    EXPECT_TRUE(binding.Converter().HasFunction());

    sim::SimPlatform empty("/nonexistent");
    ScriptSettings s;
    ScriptBinding bare(empty, s, host);
    empty.messages.AnswerNext(platform::MessageAnswer::No);
    EXPECT_FALSE(bare.BindAtCreation("VCheckBox"));
    ASSERT_FALSE(empty.messages.Boxes().empty());
    EXPECT_EQ(empty.messages.Boxes().back().caption, "VCheckBox Control - WARNING");
    empty.messages.AnswerNext(platform::MessageAnswer::Yes);
    s.fontName = "DVB-TTDorvan";
    EXPECT_TRUE(bare.BindAtCreation("VCheckBox"));
    EXPECT_TRUE(bare.EnglishScript());
    EXPECT_EQ(s.scriptName, "English");
    EXPECT_EQ(bare.Active().scriptFace, "Roman");
    // English-only mode draws in "Roman", and FontName says so.
    EXPECT_EQ(s.fontName, "Roman");
}

// "Vedic" lies in reach only with monolingual fonts: the list and the
// creation probe set the reach from the control's font type themselves, in
// a process where nothing has asked for fonts yet.
TEST_F(ScriptBindingTest, VedicIsFoundBeforeAnythingElseSetTheReach) {
    settings.fontType = 1;
    script::ScriptCatalogue::SetReach(0);
    EXPECT_EQ(binding.GetScriptList(), "Devanagari;Tamil;Vedic;");

    script::ScriptCatalogue::SetReach(0);
    settings.scriptName = "Vedic";
    settings.fontName = "VD-TTDorvan";
    ASSERT_TRUE(binding.BindAtCreation("VEdit"));
    EXPECT_EQ(settings.scriptName, "Vedic");
    EXPECT_EQ(binding.Active().converterFile, "VDMCV32.DLL");
    EXPECT_EQ(settings.fontName, "VD-TTDorvan");
    script::ScriptCatalogue::SetReach(0);
}

// The fixed bilingual rules of the other controls never move the reach an
// edit control set.
TEST_F(ScriptBindingTest, TheFixedRulesLeaveTheReachAlone) {
    ScriptSettings caption;
    caption.scriptName = "Devanagari";
    caption.fontName = "DVB-TTDorvan";
    ScriptBinding fixed(platform, caption, host, BindingRules::FixedBilingual);
    script::ScriptCatalogue::SetReach(1);
    ASSERT_TRUE(fixed.BindAtCreation("VPushButton"));
    EXPECT_EQ(fixed.GetScriptList(), "Devanagari;Kannada;Tamil;");
    EXPECT_EQ(script::ScriptCatalogue::FindRow("Vedic"), 14);
    script::ScriptCatalogue::SetReach(0);
}

// A control loaded with a script and no face of it (no FontName saved, so
// the registry's Devanagari default, or a face of another script) would
// draw the script's bytes in the wrong font.
TEST_F(ScriptBindingTest, ALoadedFaceOfAnotherScriptGivesWayToTheScriptsOwn) {
    settings.scriptName = "Tamil";
    settings.fontName = "DVB-TTDorvan";
    ASSERT_TRUE(binding.BindAtCreation("VEdit", "DVB-TTDorvan"));
    EXPECT_EQ(settings.fontName, "TMB-TTTesvor");  // the script's first face
    EXPECT_EQ(binding.Active().scriptFace, "TMB-TTTesvor");
    EXPECT_EQ(binding.Active().englishFace, "TMB-TTTesvor");

    // The saved default face comes first when it is one of the script's.
    settings.fontName = "BNB-TTBelmo";
    ASSERT_TRUE(binding.BindAtCreation("VEdit", "TMB-TTSurya"));
    EXPECT_EQ(settings.fontName, "TMB-TTSurya");

    // A face of the script stays: the catalogue's, or one of its family.
    for (const char* own : {"TMB-TTTesvor", "tmb-tttesvor", "TMB-TTMine"}) {
        settings.fontName = own;
        ASSERT_TRUE(binding.BindAtCreation("VEdit", "DVB-TTDorvan"));
        EXPECT_EQ(settings.fontName, own);
    }

    // Monolingual fonts have faces of their own.
    settings.fontType = 1;
    settings.fontName = "TMB-TTTesvor";
    ASSERT_TRUE(binding.BindAtCreation("VEdit", "DVB-TTDorvan"));
    EXPECT_EQ(settings.fontName, "TM-TTTesvor");
    EXPECT_EQ(binding.Active().englishFace, "TM1-TTTesvor");
    script::ScriptCatalogue::SetReach(0);
}

// The caption controls' rules: bilingual rows 0 to 13 whatever the process
// reach (which they leave alone), both faces the FontName, no keyboard.
TEST_F(ScriptBindingTest, FixedBilingualRulesIgnoreTheReachAndDrawEnglishInTheScriptFace) {
    ScriptSettings s;
    s.scriptName = "Devanagari";
    s.fontName = "DVB-TTDorvan";
    s.fontType = 1;  // never used by these rules
    ScriptBinding fixed(platform, s, host, BindingRules::FixedBilingual);
    EXPECT_EQ(s.fontType, 0);
    ASSERT_TRUE(fixed.BindAtCreation("VPushButton"));
    EXPECT_EQ(fixed.Active().converterFile, "DVBCV32.DLL");
    EXPECT_EQ(fixed.Active().englishFace, "DVB-TTDorvan");

    script::ScriptCatalogue::SetReach(1);  // a monolingual edit control elsewhere
    int rebuilds = host.fontRebuilds;
    fixed.SetScriptName("Vedic");  // not among the rows: stored, nothing else
    EXPECT_EQ(s.scriptName, "Vedic");
    EXPECT_EQ(fixed.Active().converterFile, "DVBCV32.DLL");
    EXPECT_EQ(host.fontRebuilds, rebuilds);
    EXPECT_EQ(script::ScriptCatalogue::RowCount(), 15);  // the reach is left alone

    fixed.SetScriptName("Tamil");
    EXPECT_EQ(s.fontName, "TMB-TTTesvor");
    EXPECT_EQ(fixed.Active().converterFile, "TMBCV32.DLL");
    EXPECT_EQ(fixed.Active().englishFace, "TMB-TTTesvor");
    EXPECT_GT(host.fontRebuilds, rebuilds);
    EXPECT_EQ(script::ScriptCatalogue::RowCount(), 15);
    script::ScriptCatalogue::SetReach(0);

    rebuilds = host.fontRebuilds;
    fixed.SetScriptName("English");  // English mode, shown text kept until a rebuild
    EXPECT_TRUE(fixed.EnglishScript());
    EXPECT_EQ(host.fontRebuilds, rebuilds);
    fixed.SetKeyboardType(2);  // stored only
    fixed.SetLinFile("zz9lay.lin");
    EXPECT_EQ(s.keyboardType, 2);
    EXPECT_TRUE(platform.messages.Boxes().empty());

    sim::SimPlatform empty("/nonexistent");
    ScriptSettings bareSettings;
    bareSettings.fontName = "DVB-TTDorvan";
    ScriptBinding bare(empty, bareSettings, host, BindingRules::FixedBilingual);
    EXPECT_TRUE(bare.BindAtCreation("VGroupBox"));
    EXPECT_EQ(bareSettings.fontName, "Roman");
    ASSERT_EQ(empty.messages.Boxes().size(), 1u);
    EXPECT_EQ(empty.messages.Boxes()[0].caption, "VGroupBox Control - WARNING");
}

TEST(SettingsFileRulesTest, RunTimeLoadsDesignTimeClearsAndSavesWithGlobalSettings) {
    int loads = 0, saves = 0;
    SettingsFileAccess file{[&] { return ++loads, true; }, [&] { return ++saves, true; }};
    common::PropertyMap map;
    common::MapExchange loading(map, true), saving(map, false);
    ScriptSettings s;

    ApplySettingsFileRules(loading, true, s, file);  // AccessGlobal off: nothing read
    s.accessGlobal = true;
    ApplySettingsFileRules(loading, true, s, file);
    EXPECT_EQ(loads, 1);
    ApplySettingsFileRules(loading, false, s, file);  // design time never reads
    EXPECT_EQ(loads, 1);

    s.globalSettings = true;
    ApplySettingsFileRules(saving, true, s, file);  // run time never writes
    EXPECT_EQ(saves, 0);
    ApplySettingsFileRules(saving, false, s, file);
    EXPECT_EQ(saves, 1);
    ApplySettingsFileRules(loading, false, s, file);  // loading at design time clears the flag
    EXPECT_FALSE(s.globalSettings);
}

}  // namespace
}  // namespace vexa::common
