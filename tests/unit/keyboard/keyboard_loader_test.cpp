#include "keyboard/keyboard_loader.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "keyboard/keyboard_layout.h"
#include "keyboard/keyboard_messages.h"
#include "keyboard/layout_file.h"
#include "keyboard/translate_key.h"
#include "script/script_catalogue.h"
#include "sim/sim_platform.h"
#include "unit/fixture_platform.h"

namespace vexa::keyboard {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

std::string FamilyFile(const std::string& name) {
    return test::ReadFile(std::string(VEXA_FAMILY_DIR) + "/" + name).value_or("");
}

KeyboardLayout LayoutOf(const std::string& bytes) {
    KeyboardLayout layout{};
    EXPECT_TRUE(ReadLayoutFile(bytes, layout));
    return layout;
}

// The system directory is a fresh folder the test fills with layout files;
// the libraries come from the module directory, the built family.
class KeyboardLoader : public ::testing::Test {
protected:
    void SetUp() override {
        sim.paths.SetSystemDirectory(system_.string());
        sim.paths.SetModuleDirectory(VEXA_FAMILY_DIR);
        EditFileLayout() = KeyboardLayout{};
        ListFileLayout() = KeyboardLayout{};
        EditKeyboardFiles() = KeyboardFileTables::EditDefaults();
        ListKeyboardFiles() = KeyboardFileTables::ListDefaults();
        script::ScriptCatalogue::SetReach(0);
    }
    void TearDown() override {
        ReleaseKeyboardLibraries(sim.libraries);
        script::ScriptCatalogue::SetReach(0);
    }

    void Install(const std::string& name) { Put(name, FamilyFile(name)); }
    void Put(const std::string& name, const std::string& bytes) { folder_.Put(name, bytes); }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& box : sim.messages.Boxes()) {
            EXPECT_EQ(box.caption, kPlainBoxCaption);
            EXPECT_EQ(box.buttons, platform::MessageButtons::Ok);
            EXPECT_EQ(box.icon, platform::MessageIcon::None);
            texts.push_back(box.text);
        }
        return texts;
    }
    EditKeyboardState Load(std::string_view script, int kind, std::string_view linFile = "dv1lay.lin",
                           int fontType = 0) {
        LoadKeyboardSupport(sim, {script, kind, linFile, fontType}, state);
        return state;
    }

    using Texts_ = std::vector<std::string>;
    sim::SimPlatform sim;
    EditKeyboardState state;
    test::TempDirectory folder_{"vexa-kbd-"};
    const fs::path& system_ = folder_.path;
};

TEST_F(KeyboardLoader, PhoneticReadsTheCommonLayoutAndBindsBothLibraries) {
    Install("pe1lay.lin");
    Load("Devanagari", 1);
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(state.scriptIndex, 3);
    EXPECT_EQ(EditFileLayout()[30].plain.View(), "a");
    EXPECT_EQ(EditFileLayout()[30].shifted.View(), "A");
    ASSERT_TRUE(state.binding.CanCompose(KeyboardKind::Phonetic));
    EXPECT_EQ(state.binding.Convert("ka"), Bytes({0xB3}));
    EXPECT_EQ(state.binding.Reverse(Bytes({0xB4})), "kha");
    EXPECT_EQ(sim.files.RequestedPaths(), std::vector<std::string>{(system_ / "pe1lay.lin").string()});
}

// Keys typed one after another through the loaded layouts, each time
// re-converting the whole word as the edit control does at the end of a word.
TEST_F(KeyboardLoader, TypedKeysBecomeTheWordThroughTheLoadedKeyboard) {
    Install("pe1lay.lin");
    Install("dv1lay.lin");
    sim.keyboard.SetToggled(platform::kVkCapital, true);
    auto type = [&](int kind, std::string_view keys) {
        std::string keyText;
        for (char key : keys) {
            keyText += TranslateKey(sim.keyboard, {kind, false, "Devanagari", 0, false}, key, false);
        }
        return state.binding.Convert(keyText);
    };
    Load("Devanagari", 1);
    EXPECT_EQ(type(1, "NAMASTE"), Bytes({0xC6, 0xCC, 0xD7, 0xE8, 0xC2, 0xE1}));
    Load("Devanagari", 2, "dv1lay.lin");
    // f d r k c: the i sign typed before ka, then ta, aa, ba.
    EXPECT_EQ(type(2, "FDRKC"), Bytes({0xB3, 0xDB, 0xC2, 0xDA, 0xCA}));
    EXPECT_TRUE(Texts().empty());
}

TEST_F(KeyboardLoader, InscriptLoadsNothing) {
    Load("Devanagari", 0);
    EXPECT_TRUE(Texts().empty());
    EXPECT_TRUE(sim.files.RequestedPaths().empty());
    EXPECT_TRUE(sim.libraries.RequestedPaths().empty());
    EXPECT_EQ(state.scriptIndex, 3);
}

TEST_F(KeyboardLoader, MissingLayoutFileStopsBeforeTheLibraries) {
    Load("Bengali", 1);
    EXPECT_EQ(Texts(), Texts_{"Layout Support File for Bengali Missing."});
    EXPECT_TRUE(sim.libraries.RequestedPaths().empty());
    EXPECT_FALSE(state.binding.CanCompose(KeyboardKind::Phonetic));
}

TEST_F(KeyboardLoader, ShortLayoutFileKeepsThePreviousLayoutButLoadsTheLibraries) {
    Install("pe1lay.lin");
    Load("Devanagari", 1);
    KeyboardLayout before = EditFileLayout();
    Put("pe1lay.lin", std::string(863, 'q'));
    sim.messages.Clear();
    state = {};
    Load("Gujarati", 1);
    EXPECT_EQ(Texts(), Texts_{"Layout Support File for Gujarati Corrupted."});
    EXPECT_EQ(EditFileLayout(), before);
    EXPECT_TRUE(state.binding.CanCompose(KeyboardKind::Phonetic));
}

TEST_F(KeyboardLoader, LongLayoutFileLoadsLikeItsFirst864Bytes) {
    std::string file = FamilyFile("pe1lay.lin");
    Put("pe1lay.lin", file + std::string(36, 'Z'));
    Load("Devanagari", 1);
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(EditFileLayout(), LayoutOf(file));
}

TEST_F(KeyboardLoader, LibraryMessagesAndWhatStaysBound) {
    Install("pe1lay.lin");
    Load("Devanagari", 1);
    EditKeyboardState good = state;

    // The keyboard library lacks make_iscii.
    EditKeyboardFiles().phonetic[3].keyboardLibrary = "rc2as32.dll";
    sim.messages.Clear();
    Load("Devanagari", 1);
    EXPECT_EQ(Texts(), Texts_{"Converter Library for Devanagari Corrupted."});
    // The reverse converter is missing; then it lacks Iscii2Ascii.
    EditKeyboardFiles().phonetic[3] = {"pe1lay.lin", "pe1lay32.dll", "nothere32.dll"};
    sim.messages.Clear();
    Load("Devanagari", 1);
    EXPECT_EQ(Texts(), Texts_{"Reverse Converter Library for Devanagari Missing."});
    EditKeyboardFiles().phonetic[3].reverseLibrary = "pe1lay32.dll";
    sim.messages.Clear();
    Load("Devanagari", 1);
    EXPECT_EQ(Texts(), Texts_{"Reverse Converter Library for Devanagari Corrupted."});
    EditKeyboardFiles().phonetic[3].keyboardLibrary = "nothere32.dll";
    sim.messages.Clear();
    Load("Devanagari", 1);
    EXPECT_EQ(Texts(), Texts_{"Converter Library for Devanagari Missing."});
    // Failed loads leave the earlier entry points in force.
    EXPECT_EQ(state.binding.makeIscii, good.binding.makeIscii);
    EXPECT_EQ(state.binding.iscii2Ascii, good.binding.iscii2Ascii);
    // A library once loaded stays loaded and is not loaded twice.
    EXPECT_EQ(KeptKeyboardLibraries(sim.libraries), 2);
}

TEST_F(KeyboardLoader, TypewriterUsesLinFileAndTheLibraryNamedAfterIt) {
    Install("kn1lay.lin");
    Load("Devanagari", 2, "kn1lay.lin");
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(EditKeyboardFiles().typewriter[3].keyboardLibrary, "kn1lay32.dll");
    EXPECT_EQ(EditFileLayout(), LayoutOf(FamilyFile("kn1lay.lin")));
    ASSERT_FALSE(sim.libraries.RequestedPaths().empty());
    EXPECT_NE(sim.libraries.RequestedPaths().back().find("kn1lay32.dll"), std::string::npos);
    EXPECT_TRUE(state.binding.CanCompose(KeyboardKind::Typewriter));
    EXPECT_FALSE(state.binding.CanCompose(KeyboardKind::Phonetic));
    // The library is named after LinFile whatever the script's own files.
    Install("tm1lay.lin");
    Load("Tamil", 2, "kn1lay.lin");
    Load("Tibetan", 2, "tm1lay.lin");
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(EditKeyboardFiles().typewriter[11].keyboardLibrary, "kn1lay32.dll");
    EXPECT_EQ(EditKeyboardFiles().typewriter[13].keyboardLibrary, "tm1lay32.dll");
}

TEST_F(KeyboardLoader, TheTypewriterRowIsRewrittenWhateverTheKind) {
    Load("Gujarati", 0, "or1lay.lin");
    EXPECT_EQ(EditKeyboardFiles().typewriter[4].keyboardLibrary, "or1lay32.dll");
    EXPECT_TRUE(Texts().empty());
}

TEST_F(KeyboardLoader, LinFileThatIsNotABareLayoutNameLoadsNothing) {
    Install("dv1lay.lin");
    for (const char* bad : {"..\\..\\tmp\\x.lin", "../dv1lay.lin", "C:x.lin", "/tmp/dv1lay.lin",
                            "", ".lin", "dv1", "dv1lay.dll", "abcdefghijklmnopqrstu.lin"}) {
        sim.messages.Clear();
        Load("Devanagari", 2, bad);
        EXPECT_EQ(Texts(), Texts_{"Layout Support File for Devanagari Missing."}) << bad;
        EXPECT_EQ(EditKeyboardFiles().typewriter[3].keyboardLibrary, "dv1lay32.dll") << bad;
    }
    EXPECT_TRUE(sim.files.RequestedPaths().empty());
    EXPECT_TRUE(sim.libraries.RequestedPaths().empty());
    // Any case of the extension is a layout name; 24 characters still fit.
    Put("DV1LAY.LIN", FamilyFile("dv1lay.lin"));
    sim.messages.Clear();
    Load("Devanagari", 2, "DV1LAY.LIN");
    EXPECT_EQ(EditKeyboardFiles().typewriter[3].keyboardLibrary, "DV1LAY32.dll");
    EXPECT_TRUE(IsLoadableLayoutName("abcdefghijklmnopqrst.lin"));
}

// A device opened as a layout file never ends (a serial port, the console)
// or reads endless zeros: such a name is refused before anything is opened,
// even when a file of that name lies in the folder.
TEST_F(KeyboardLoader, DeviceNamesAreNeverOpened) {
    for (const char* device : {"COM1.lin", "AUX.lin", "con.lin", "Nul.LIN", "lpt9.lin",
                               "CONIN$.lin", "conout$.lin", "PRN.x.lin", "com0 .lin"}) {
        Put(device, FamilyFile("dv1lay.lin"));
        sim.messages.Clear();
        Load("Devanagari", 2, device);
        EXPECT_EQ(Texts(), Texts_{"Layout Support File for Devanagari Missing."}) << device;
        EXPECT_EQ(EditKeyboardFiles().typewriter[3].keyboardLibrary, "dv1lay32.dll") << device;
        EXPECT_FALSE(state.binding.CanCompose(KeyboardKind::Typewriter)) << device;
    }
    EXPECT_TRUE(sim.files.RequestedPaths().empty());
    EXPECT_TRUE(sim.files.ProbedPaths().empty());
    EXPECT_TRUE(sim.libraries.RequestedPaths().empty());
}

// A pipe stands for a device here: opening it would wait for a writer for
// ever. Layout files and libraries of every kind are looked at through their
// attributes first; anything but a regular file is absent in that folder and
// never opened (the libraries are then found in the module's directory).
TEST_F(KeyboardLoader, OnlyRegularFilesAreOpenedInEveryKind) {
    auto pipe = [&](const std::string& name) {
        ASSERT_EQ(mkfifo((system_ / name).c_str(), 0600), 0) << name;
    };
    const std::string module = std::string(VEXA_FAMILY_DIR) + "/";
    // Typewriter: the layout is read, the library in the system directory
    // is a pipe, so the module directory's copy is bound.
    Install("dv1lay.lin");
    pipe("dv1lay32.dll");
    Load("Devanagari", 2);
    EXPECT_TRUE(Texts().empty());
    EXPECT_TRUE(state.binding.CanCompose(KeyboardKind::Typewriter));
    EXPECT_EQ(sim.libraries.RequestedPaths(), std::vector<std::string>{module + "dv1lay32.dll"});
    // Phonetic: a folder and a pipe where the libraries would be.
    Install("pe1lay.lin");
    fs::create_directory(system_ / "pe1lay32.dll");
    pipe("rc2as32.dll");
    Load("Devanagari", 1);
    EXPECT_TRUE(Texts().empty());
    EXPECT_TRUE(state.binding.CanCompose(KeyboardKind::Phonetic));
    EXPECT_EQ(sim.libraries.RequestedPaths(),
              (std::vector<std::string>{module + "dv1lay32.dll", module + "pe1lay32.dll",
                                        module + "rc2as32.dll"}));
    EXPECT_EQ(sim.files.Opens(), 2);  // the two layout files
    // Layouts that are pipes or folders: the edit control's refusal, the
    // list box's for Phonetic and Typewriter, silence for Inscript.
    fs::remove(system_ / "dv1lay.lin");
    pipe("dv1lay.lin");
    fs::remove(system_ / "pe1lay.lin");
    fs::create_directory(system_ / "pe1lay.lin");
    pipe("dv0lay.lin");
    sim.messages.Clear();
    Load("Devanagari", 2);
    Load("Devanagari", 1);
    LoadListKeyboard(sim, {"Devanagari", 0, ""});
    LoadListKeyboard(sim, {"Devanagari", 1, ""});
    LoadListKeyboard(sim, {"Devanagari", 2, ""});
    EXPECT_EQ(Texts(), (Texts_{"Layout Support File for Devanagari Missing.",
                               "Layout Support File for Devanagari Missing.",
                               "pe1lay.lin could not be opened for Phonetic English Keyboard",
                               "dv1lay.lin could not be opened for Typewriter Keyboard"}));
    EXPECT_EQ(sim.files.Opens(), 2);
    // The page's display names load the library the same way.
    fs::remove(system_ / "dv1lay.lin");
    EXPECT_TRUE(ReadTypewriterName(sim, "dv1lay.lin").loaded);
    EXPECT_FALSE(sim.files.Read("/dev", "zero", kLayoutFileSize));
    EXPECT_FALSE(sim.files.Read("/dev", "null", kLayoutFileSize));
    EXPECT_EQ(sim.files.Opens(), 2);
}

TEST_F(KeyboardLoader, ScriptWithoutARowLoadsNothingUnlessItIsVedic) {
    Install("pe1lay.lin");
    Install("dv1lay.lin");
    Load("Marathi", 1);
    Load("Vedic", 2, "dv1lay.lin");  // not in reach with bilingual fonts
    EXPECT_EQ(state.scriptIndex, -1);
    EXPECT_EQ(Texts(), (Texts_{"Layout Support File for Marathi Missing.",
                               "Layout Support File for Vedic Missing."}));
    EXPECT_TRUE(sim.libraries.RequestedPaths().empty());

    // With monolingual fonts "Vedic" is in reach: the common phonetic files,
    // and for Typewriter the library named after LinFile.
    sim.messages.Clear();
    Load("Vedic", 1, "kn1lay.lin", 1);
    EXPECT_EQ(state.scriptIndex, 14);
    EXPECT_TRUE(Texts().empty());
    EXPECT_TRUE(state.binding.CanCompose(KeyboardKind::Phonetic));
    Load("Vedic", 2, "dv1lay.lin", 1);
    EXPECT_TRUE(Texts().empty());
    EXPECT_NE(sim.libraries.RequestedPaths().back().find("dv1lay32.dll"), std::string::npos);
    EXPECT_EQ(EditKeyboardFiles(), KeyboardFileTables::EditDefaults());  // Vedic rewrites no row
}

TEST_F(KeyboardLoader, EditControlsShareTheLayoutLoadedLast) {
    Install("kn1lay.lin");
    Install("tm1lay.lin");
    EditKeyboardState first;
    EditKeyboardState second;
    LoadKeyboardSupport(sim, {"Kannada", 2, "kn1lay.lin", 0}, first);
    LoadKeyboardSupport(sim, {"Tamil", 2, "tm1lay.lin", 0}, second);
    EXPECT_EQ(EditFileLayout(), LayoutOf(FamilyFile("tm1lay.lin")));
    EXPECT_NE(EditFileLayout(), LayoutOf(FamilyFile("kn1lay.lin")));
}

TEST_F(KeyboardLoader, OneSeparatorBeforeTheFileName) {
    Install("pe1lay.lin");
    sim.paths.SetSystemDirectory(system_.string() + "/");
    Load("Devanagari", 1);
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(sim.files.RequestedPaths().back(), (system_ / "pe1lay.lin").string());
    EXPECT_EQ(platform::JoinPath("C:\\", "dv1lay.lin", '\\'), "C:\\dv1lay.lin");
    EXPECT_EQ(platform::JoinPath("C:\\WINDOWS\\system32", "dv1lay.lin", '\\'),
              "C:\\WINDOWS\\system32\\dv1lay.lin");
}

TEST_F(KeyboardLoader, ListBoxReadsTheRowsFileForEveryKind) {
    Install("dv0lay.lin");
    EXPECT_EQ(LoadListKeyboard(sim, {"Devanagari", 0, "kn1lay.lin"}), 3);
    EXPECT_EQ(ListFileLayout(), LayoutOf(FamilyFile("dv0lay.lin")));
    EXPECT_TRUE(EditFileLayout()[37].plain.Empty());  // the edit controls' layout is apart
    // Typewriter reads the row's file, not LinFile; the row's library is rewritten all the same.
    Install("dv1lay.lin");
    LoadListKeyboard(sim, {"Devanagari", 2, "kn1lay.lin"});
    EXPECT_EQ(ListFileLayout(), LayoutOf(FamilyFile("dv1lay.lin")));
    EXPECT_EQ(ListKeyboardFiles().typewriter[3].keyboardLibrary, "kn1lay32.dll");
    EXPECT_EQ(EditKeyboardFiles().typewriter[3].keyboardLibrary, "dv1lay32.dll");
    EXPECT_TRUE(Texts().empty());
    EXPECT_TRUE(sim.libraries.RequestedPaths().empty());
}

TEST_F(KeyboardLoader, ListBoxMessages) {
    KeyboardLayout before = ListFileLayout();
    LoadListKeyboard(sim, {"Bengali", 0, ""});  // missing Inscript file: silent
    LoadListKeyboard(sim, {"Bengali", 1, ""});
    LoadListKeyboard(sim, {"Bengali", 2, ""});
    Put("bn0lay.lin", std::string(100, 'x'));
    Put("pe1lay.lin", std::string(863, 'x'));
    Put("bn1lay.lin", "");
    LoadListKeyboard(sim, {"Bengali", 0, ""});
    LoadListKeyboard(sim, {"Bengali", 1, ""});
    LoadListKeyboard(sim, {"Bengali", 2, ""});
    EXPECT_EQ(Texts(), (Texts_{"pe1lay.lin could not be opened for Phonetic English Keyboard",
                               "bn1lay.lin could not be opened for Typewriter Keyboard",
                               "bn0lay.lin could not be read for Inscript Keyboard",
                               "pe1lay.lin could not be read for Phonetic English Keyboard",
                               "bn1lay.lin could not be read for Typewriter Keyboard"}));
    EXPECT_EQ(ListFileLayout(), before);
}

TEST_F(KeyboardLoader, ListBoxWithoutARowOrFileStaysSilent) {
    Install("pe1lay.lin");
    EXPECT_EQ(LoadListKeyboard(sim, {"Tibetan", 1, ""}), 13);  // no phonetic files for Tibetan
    EXPECT_EQ(LoadListKeyboard(sim, {"Marathi", 1, ""}), -1);
    script::ScriptCatalogue::SetReach(1);
    EXPECT_EQ(LoadListKeyboard(sim, {"Vedic", 1, ""}), 14);
    EXPECT_TRUE(Texts().empty());
    EXPECT_TRUE(sim.files.RequestedPaths().empty());
}

TEST_F(KeyboardLoader, TypewriterDisplayNames) {
    TypewriterName dv = ReadTypewriterName(sim, "dv1lay.lin");
    EXPECT_TRUE(dv.loaded);
    EXPECT_EQ(dv.name, "Devanagari Typewriter");
    for (const char* code : {"as", "bn", "gj", "kn", "ml", "or", "pn", "tm", "tl"}) {
        TypewriterName name = ReadTypewriterName(sim, std::string(code) + "1lay.lin");
        ASSERT_TRUE(name.name) << code;
        EXPECT_LE(name.name->size(), 27u);
        EXPECT_NE(name.name->find("Typewriter"), std::string::npos);
    }
    TypewriterName none = ReadTypewriterName(sim, "pe1lay.lin");  // loads, has no name
    EXPECT_TRUE(none.loaded);
    EXPECT_FALSE(none.name);
    EXPECT_FALSE(ReadTypewriterName(sim, "xx1lay.lin").loaded);
    EXPECT_FALSE(ReadTypewriterName(sim, "../dv1lay.lin").loaded);
    EXPECT_EQ(sim.libraries.OpenCount(), 0);  // released after the call
}

}  // namespace
}  // namespace vexa::keyboard
