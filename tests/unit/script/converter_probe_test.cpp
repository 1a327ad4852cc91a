#include "script/converter_probe.h"

#include <gtest/gtest.h>

#include "script/converter_messages.h"
#include "script/script_catalogue.h"
#include "unit/fixture_platform.h"

namespace vexa::script {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

// The fixture folder holds the Devanagari and Tamil converters of both font
// types, the Vedic one, and a Kannada file without the catalogue's entry.
class ProbeTest : public ::testing::Test {
protected:
    void TearDown() override { ScriptCatalogue::SetReach(0); }
    test::FixturePlatform sim;
    ConverterLibrary converter{sim};
};

TEST_F(ProbeTest, TheRequestedScriptIsChosenWhenItsFileLoads) {
    ScriptChoice choice = ChooseScriptAtCreation(sim, 0, "Devanagari");
    EXPECT_FALSE(choice.englishOnly);
    EXPECT_EQ(choice.row, 3);
    EXPECT_EQ(choice.name, "Devanagari");
    EXPECT_EQ(sim.libraries.OpenCount(), 0);  // probing frees what it loads
}

TEST_F(ProbeTest, OtherwiseTheLastLoadableRowInReachIsChosen) {
    ScriptChoice choice = ChooseScriptAtCreation(sim, 0, "Bengali");
    EXPECT_EQ(choice.row, 11);
    EXPECT_EQ(choice.name, "Tamil");

    // Vedic's file loads, but only a reach of 15 sees it.
    ScriptCatalogue::SetReach(0);
    EXPECT_EQ(ChooseScriptAtCreation(sim, 1, "Vedic").name, "Tamil");
    ScriptCatalogue::SetReach(1);
    EXPECT_EQ(ChooseScriptAtCreation(sim, 1, "Vedic").row, 14);
    EXPECT_EQ(ChooseScriptAtCreation(sim, 1, "Bengali").name, "Vedic");
}

TEST_F(ProbeTest, AFileWithoutTheEntryStillCountsAsInstalled) {
    ScriptChoice choice = ChooseScriptAtCreation(sim, 0, "Kannada");
    EXPECT_EQ(choice.row, 5);
}

TEST_F(ProbeTest, NoConverterOfTheFontTypeMeansEnglishOnly) {
    sim.paths.SetSystemDirectory("/nonexistent");
    ScriptChoice choice = ChooseScriptAtCreation(sim, 0, "Devanagari");
    EXPECT_TRUE(choice.englishOnly);
    EXPECT_EQ(choice.row, -1);
    EXPECT_EQ(choice.name, "English");
    EXPECT_TRUE(ChooseScriptAtCreation(sim, 5, "Devanagari").englishOnly);
}

TEST_F(ProbeTest, TheProbeLooksAtRowsZeroToThirteenWhateverTheReach) {
    const test::TempDirectory dir("vexa-probe-");
    dir.Copy(VEXA_FIXTURE_DIR, "VDMCV32.DLL");
    sim.paths.SetSystemDirectory(dir.path.string());
    ScriptCatalogue::SetReach(1);
    EXPECT_TRUE(ChooseScriptAtCreation(sim, 1, "Vedic").englishOnly);
}

TEST_F(ProbeTest, BindingLoadsTheChosenConverterWithoutAsking) {
    CreationBinding binding = BindConverterAtCreation(sim, converter, 1, "Tamil");
    EXPECT_TRUE(binding.proceed);
    EXPECT_EQ(binding.choice.name, "Tamil");
    EXPECT_TRUE(converter.HasFunction());
    EXPECT_TRUE(sim.messages.Boxes().empty());
}

TEST_F(ProbeTest, AMissingEntryAsksAndNoRefusesCreation) {
    sim.messages.AnswerNext(MessageAnswer::No);
    CreationBinding binding = BindConverterAtCreation(sim, converter, 0, "Kannada");
    EXPECT_FALSE(binding.proceed);
    EXPECT_FALSE(converter.HasFunction());
    ASSERT_EQ(sim.messages.Boxes().size(), 1u);
    const auto& box = sim.messages.Boxes()[0];
    EXPECT_EQ(box.caption, "VEdit Control - WARNING");
    EXPECT_EQ(box.text,
              "The required Bilingual Dlls not found. Due to this your application may not "
              "work properly. Do you still want to continue ?");
    EXPECT_EQ(box.buttons, MessageButtons::YesNo);
    EXPECT_EQ(box.icon, MessageIcon::Stop);
}

TEST_F(ProbeTest, EnglishOnlyModeAsksTooAndYesGoesOn) {
    sim.paths.SetSystemDirectory("/nonexistent");
    sim.messages.AnswerNext(MessageAnswer::Yes);
    CreationBinding binding = BindConverterAtCreation(sim, converter, 1, "Devanagari");
    EXPECT_TRUE(binding.proceed);
    EXPECT_TRUE(binding.choice.englishOnly);
    ASSERT_EQ(sim.messages.Boxes().size(), 1u);
    EXPECT_EQ(sim.messages.Boxes()[0].text,
              "The required Monolingual Dlls not found. Due to this your application may not "
              "work properly. Do you still want to continue ?");
}

TEST(ConverterMessages, CaptionNamesTheControl) {
    EXPECT_EQ(MissingConverterCaption("VListBox"), "VListBox Control - WARNING");
}

}  // namespace
}  // namespace vexa::script
