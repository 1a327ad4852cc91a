// A general page's lists moving together, and the defaults its buttons
// write into the registry store.
#include "defaults/default_values.h"
#include "page_rig.h"
#include "pages/general_page_model.h"
#include "sim/sim_registry.h"

namespace vexa::pages {
namespace {

using Strings = std::vector<std::string>;

class GeneralModel : public PageRig {
protected:
    void SetUp() override {
        PageRig::SetUp();
        for (const char* f : {"DVBCV32.DLL", "TMBCV32.DLL", "dv1lay32.dll", "tm1lay32.dll"}) Install(f);
    }
    GeneralPageModel Model(int fontType = 0) {
        return GeneralPageModel(sim, faces, [this] {
            ++listings;
            return Strings{"dv1lay.lin", "tm1lay.lin", "dv0lay.lin"};
        }, fontType);
    }
    Strings faces{"Arial", "DVB-TTDorvan", "DVB-TTYogesh", "TMB-TTValluvar"};
    int listings = 0;
};

TEST_F(GeneralModel, ScriptChangeRefillsFacesAndTypewriters) {
    GeneralPageModel m = Model();
    m.Open({"Devanagari", "DVB-TTYogesh", 0, "dv1lay.lin"});
    EXPECT_EQ(m.Scripts(), (Strings{"Devanagari", "Tamil"}));
    EXPECT_EQ(m.Faces(), (Strings{"DVB-TTDorvan", "DVB-TTYogesh"}));
    EXPECT_EQ(m.Choice().fontName, "DVB-TTYogesh");  // the control's face stays chosen
    EXPECT_FALSE(m.TypewriterEnabled());
    EXPECT_EQ(listings, 0);  // the system directory is listed on the first need only

    m.ChooseKeyboard(2);
    EXPECT_EQ(m.TypewriterNames(), Strings{"Devanagari Typewriter"});
    EXPECT_EQ(m.Choice().linFile, "dv1lay.lin");
    m.ChooseScript("Tamil");
    EXPECT_EQ(m.Faces(), Strings{"TMB-TTValluvar"});
    EXPECT_EQ(m.Choice().fontName, "TMB-TTValluvar");
    EXPECT_EQ(m.Choice().linFile, "tm1lay.lin");
    EXPECT_EQ(m.TypewriterSelection(), 0);
    m.ChooseTypewriter(3);  // no such keyboard: nothing changes
    EXPECT_EQ(m.Choice().linFile, "tm1lay.lin");
    m.ChooseFace("Arial");  // not a face of the script
    EXPECT_EQ(m.Choice().fontName, "TMB-TTValluvar");
    m.ChooseKeyboard(0);
    EXPECT_TRUE(m.TypewriterNames().empty());
    EXPECT_EQ(listings, 1);
}

TEST_F(GeneralModel, ScriptWithoutTypewriterKeepsTheLayoutFile) {
    GeneralPageModel m = Model();
    m.Open({"Tamil", "TMB-TTValluvar", 2, "TM1LAY.LIN"});
    EXPECT_EQ(m.TypewriterSelection(), 0);  // the control's file, letter case aside
    m.ChooseScript("Marathi");  // not offered here, and no typewriter of its own
    EXPECT_EQ(m.TypewriterSelection(), -1);
    EXPECT_EQ(m.Choice().linFile, "tm1lay.lin");
}

TEST_F(GeneralModel, NoConverterOffersEnglishWithRoman) {
    std::filesystem::remove(system_ / "DVBCV32.DLL");
    std::filesystem::remove(system_ / "TMBCV32.DLL");
    GeneralPageModel m = Model();
    m.Open({"Devanagari", "DVB-TTDorvan", 0, "dv1lay.lin"});
    EXPECT_EQ(m.Scripts(), Strings{"English"});
    EXPECT_EQ(m.Faces(), Strings{"Roman"});
    EXPECT_EQ(m.Choice().scriptName, "English");
}

TEST_F(GeneralModel, FontTypeSwitchesTheProbedConverters) {
    Install("DVMCV32.DLL");
    faces.push_back("DV-TTSurekh");
    GeneralPageModel m = Model();
    m.Open({"Tamil", "TMB-TTValluvar", 0, ""});
    m.ChooseFontType(1);
    EXPECT_EQ(m.Scripts(), Strings{"Devanagari"});
    EXPECT_EQ(m.Choice().scriptName, "Devanagari");
    EXPECT_EQ(m.Faces(), Strings{"DV-TTSurekh"});
}

TEST_F(GeneralModel, DefaultButtonsWriteTheRegistryStore) {
    sim::SimRegistry registry;
    GeneralPageModel m = Model();
    m.Open({"Tamil", "TMB-TTValluvar", 1, "dv1lay.lin"});
    // Not registered: nothing can be written, and the page is told.
    EXPECT_FALSE(m.SetCurrentDefaults(registry, "24"));
    EXPECT_FALSE(registry.KeyExists(defaults::kDefaultValuesKey));

    ASSERT_TRUE(registry.CreateKey("VEXAOCX.VEditCtrl.1"));
    ASSERT_TRUE(registry.SetString("VEXAOCX.VEditCtrl.1",
                                   "Other", "kept"));
    // A size the store could not give back whole writes nothing.
    for (const char* size : {"", "12345", "1a", "-4"}) EXPECT_FALSE(m.SetCurrentDefaults(registry, size)) << size;
    EXPECT_FALSE(registry.KeyExists(defaults::kDefaultValuesKey));
    ASSERT_TRUE(m.SetCurrentDefaults(registry, "24"));
    defaults::DefaultValuesRecord read;
    ASSERT_TRUE(defaults::LoadDefaultValues(registry, read));
    EXPECT_EQ(read.scriptName, "Tamil");
    EXPECT_EQ(read.fontName, "TMB-TTValluvar");
    EXPECT_EQ(read.fontSize, "24");
    EXPECT_EQ(read.keyboardType, "1");
    EXPECT_EQ(read.dataFormat, "");  // group 0 leaves the data format alone

    ASSERT_TRUE(m.RestoreFactoryDefaults(registry));
    ASSERT_TRUE(defaults::LoadDefaultValues(registry, read));
    EXPECT_EQ(read.scriptName, "Devanagari");
    EXPECT_EQ(read.fontName, "DVB-TTDorvan");
    EXPECT_EQ(read.fontSize, "18");
    EXPECT_EQ(read.keyboardType, "0");
    EXPECT_EQ(m.Choice(), (GeneralChoice{"Devanagari", "DVB-TTDorvan", 0, "dv1lay.lin"}));
    EXPECT_FALSE(m.TypewriterEnabled());
    EXPECT_EQ(registry.GetString("VEXAOCX.VEditCtrl.1", "Other"), "kept");
}

}  // namespace
}  // namespace vexa::pages
