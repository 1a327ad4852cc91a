// The lists a general page offers: scripts whose converters load, faces of
// a script, and the typewriter keyboards found in the system directory.
#include "pages/script_lists.h"
#include "pages/typewriter_lists.h"
#include "page_rig.h"

namespace vexa::pages {
namespace {

using Strings = std::vector<std::string>;

using ScriptLists = PageRig;

TEST_F(ScriptLists, OnlyScriptsWhoseConverterLoadsInCatalogueOrder) {
    EXPECT_EQ(AvailableScripts(sim, 0), Strings{"English"});
    Install("TMBCV32.DLL");
    Install("DVBCV32.DLL");
    Install("VDMCV32.DLL");
    EXPECT_EQ(AvailableScripts(sim, 0), (Strings{"Devanagari", "Tamil"}));
    // Monolingual faces probe their own files, and reach the Vedic row.
    EXPECT_EQ(AvailableScripts(sim, 1), Strings{"Vedic"});
    Install("DVMCV32.DLL");
    EXPECT_EQ(AvailableScripts(sim, 1), (Strings{"Devanagari", "Vedic"}));
    EXPECT_EQ(sim.libraries.OpenCount(), 0);  // every probe released
}

TEST(ScriptFaces, PrefixAnywhereInTheNameCaseSensitive) {
    const Strings installed{"Arial", "DVB-TTDorvan", "XDVB-Other", "dvb-lower", "TMB-TTValluvar",
                            "DV-TTMono"};
    EXPECT_EQ(FacesOfScript(installed, "Devanagari", 0), (Strings{"DVB-TTDorvan", "XDVB-Other"}));
    EXPECT_EQ(FacesOfScript(installed, "Marathi", 0), (Strings{"DVB-TTDorvan", "XDVB-Other"}));
    EXPECT_EQ(FacesOfScript(installed, "Devanagari", 1), (Strings{"DV-TTMono"}));
    EXPECT_EQ(FacesOfScript(installed, "Tibetan", 0), installed);  // no prefix: every face
    EXPECT_TRUE(FacesOfScript(installed, "Gujarati", 0).empty());
}

TEST(ScriptIndexes, FirstTwoLettersDecide) {
    EXPECT_EQ(ScriptIndex("Assamese"), 0);
    EXPECT_EQ(ScriptIndex("Bhutanese"), 2);
    EXPECT_EQ(ScriptIndex("Devanagari"), 3);
    EXPECT_EQ(ScriptIndex("Marathi"), 6);
    EXPECT_EQ(ScriptIndex("Malayalam"), 6);
    EXPECT_EQ(ScriptIndex("Roman"), 9);
    EXPECT_EQ(ScriptIndex("Telugu"), 12);
    EXPECT_EQ(ScriptIndex("Tibetan"), 13);
    EXPECT_EQ(ScriptIndex("Vedic"), 13);
    EXPECT_EQ(ScriptIndex(""), 13);
}

using TypewriterListsTest = PageRig;

TEST_F(TypewriterListsTest, EachNameKeepsItsOwnFileAndOnlyTypewritersLoad) {
    for (const char* lib : {"dv1lay32.dll", "tm1lay32.dll", "pe1lay32.dll"}) Install(lib);
    const Strings found{"tm1lay.lin", "bn1lay.lin", "dv1lay.lin", "DV0LAY.LIN",
                        "PE1LAY.LIN", "pe1lay.lin", "con.lin",    "notes.txt"};
    TypewriterLists lists = BuildTypewriterLists(sim, found);

    EXPECT_EQ(lists[3], (std::vector<TypewriterKeyboard>{{"dv1lay.lin", "Devanagari Typewriter"}}));
    ASSERT_EQ(lists[11].size(), 1u);
    EXPECT_EQ(lists[11][0].file, "tm1lay.lin");
    // Bengali's library is missing: told once, and no name without a file.
    EXPECT_TRUE(lists[1].empty());
    ASSERT_EQ(sim.messages.Boxes().size(), 1u);
    EXPECT_EQ(sim.messages.Boxes()[0].text, kTypewriterLoadFailed);
    // Inscript and phonetic layouts, device names and other files load nothing.
    EXPECT_TRUE(lists[13].empty());
    EXPECT_FALSE(Requested("pe1lay32.dll") || Requested("PE1LAY32.dll"));
    EXPECT_FALSE(Requested("dv0lay32.dll") || Requested("con32.dll"));
    EXPECT_EQ(sim.libraries.OpenCount(), 0);
}

TEST_F(TypewriterListsTest, ScriptsTypedWithDevanagariShareItsList) {
    Install("dv1lay32.dll");
    TypewriterLists lists = BuildTypewriterLists(sim, {"dv1lay.lin"});
    for (const char* script : {"Sanskrit", "Roman", "Bhutanese", "Marathi"})
        EXPECT_EQ(KeyboardsForScript(lists, script).size(), std::string(script) == "Marathi" ? 0u : 1u)
            << script;
    EXPECT_EQ(KeyboardsForScript(lists, "Devanagari").front().file, "dv1lay.lin");
    EXPECT_TRUE(KeyboardsForScript(lists, "Tibetan").empty());
}

}  // namespace
}  // namespace vexa::pages
