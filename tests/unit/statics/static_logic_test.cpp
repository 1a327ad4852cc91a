// The label's properties: persistence, Caption and Text in the data
// formats, the script rules, alignment and the settings file.
#include <gtest/gtest.h>

#include "defaults/settings_record.h"
#include "script/iscii_text.h"
#include "statics/static_properties.h"
#include "unit/statics/static_rig.h"

namespace vexa::statics::test {
namespace {

const std::string kNamaste = Bytes({0xC6, 0xCC, 0xD7, 0xE8, 0xC2, 0xE1});

TEST(StaticPersistenceTest, MissingColoursKeepTheirStartAndTheRegistryGivesTheDataFormat) {
    StaticRig rig;
    defaults::DefaultValuesRecord record = defaults::FactoryDefaultValues();
    record.dataFormat = "1";
    defaults::SaveDefaultValues(rig.registry, record, 1);
    rig.logic.Props().hoverColor = 0x42;
    rig.LoadFresh();
    EXPECT_EQ(rig.logic.Props().isciiDataFormat, 1);
    EXPECT_EQ(rig.logic.Props().hoverColor, 0x42u);
}

TEST(StaticFormatTest, CaptionAndTextTravelInTheThreeFormats) {
    StaticRig rig;
    rig.LoadFresh();
    std::string out;
    ASSERT_FALSE(rig.logic.AssignCaption(kNamaste + "\r\nA"));
    ASSERT_FALSE(rig.logic.ReadText(out));
    EXPECT_EQ(out, kNamaste + "\r\nA");  // a label keeps every byte it is given

    ASSERT_FALSE(rig.logic.SetIsciiDataFormat(1));
    ASSERT_FALSE(rig.logic.ReadCaption(out));
    EXPECT_EQ(out, "xUZiwQr\r\nA");
    ASSERT_FALSE(rig.logic.AssignText("xka "));
    EXPECT_EQ(rig.logic.Props().caption, Bytes({0xDA, 0xCD, 0x20}));
    EXPECT_EQ(rig.logic.Props().text, rig.logic.Props().caption);
    // 7-bit text has no length limit.
    std::string longSeven = "x";
    for (int i = 0; i < 1500; ++i) longSeven += "k";
    ASSERT_FALSE(rig.logic.AssignCaption(longSeven));
    EXPECT_EQ(rig.logic.Props().caption.size(), 1500u);

    ASSERT_FALSE(rig.logic.SetIsciiDataFormat(2));
    ASSERT_FALSE(rig.logic.AssignCaption(Bytes({0x80, 0xE1, 0xF1})));
    EXPECT_EQ(rig.logic.Props().caption, Bytes({0xA1, 0xD1, 0xE0}));
    ASSERT_FALSE(rig.logic.ReadCaption(out));
    EXPECT_EQ(out, Bytes({0x80, 0xE1, 0xF1}));
    EXPECT_TRUE(rig.platform.messages.Boxes().empty());
}

// The Unicode caption is the same one text: stored as ISCII, announced to
// screen readers like a caption set in ISCII, refused whole when the script
// cannot hold a character.
TEST(StaticFormatTest, UnicodeCaptionStoresIsciiAndAnnouncesTheNewName) {
    vexa::test::HeardChanges heard;
    StaticRig rig;
    rig.LoadFresh();
    rig.logic.Listen(&heard);
    ASSERT_FALSE(rig.logic.AssignUnicodeCaption(u"\u0928\u092E\u0938\u094D\u0924\u0947"));
    EXPECT_EQ(rig.logic.Props().caption, kNamaste);
    EXPECT_EQ(rig.logic.Props().text, kNamaste);
    EXPECT_EQ(heard.changes, std::vector<common::AccessibleChange>{common::AccessibleChange::kName});

    common::Outcome refused = rig.logic.AssignUnicodeCaption(u"\u0928\u0BA4");
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->description.find("U+0BA4"), std::string::npos);
    EXPECT_EQ(rig.logic.Props().caption, kNamaste);
    EXPECT_EQ(heard.changes.size(), 1u);
}

TEST(StaticFormatTest, AnInvalidFormatFromSavedDataIsReportedOnEveryReadAndWrite) {
    StaticRig rig;
    rig.LoadFresh();
    ASSERT_FALSE(rig.logic.AssignCaption("keep"));
    EXPECT_TRUE(rig.logic.SetIsciiDataFormat(3).has_value());  // refused through automation
    EXPECT_EQ(rig.logic.Props().isciiDataFormat, 0);
    rig.logic.Props().isciiDataFormat = 3;  // as a settings file may hold it
    std::string out = "stale";
    const common::Outcome read = rig.logic.ReadCaption(out);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(out, "");
    ASSERT_EQ(rig.platform.messages.Boxes().size(), 1u);  // one box per read
    EXPECT_EQ(rig.platform.messages.Boxes()[0].caption, "VexaComboBox Control");
    EXPECT_EQ(rig.platform.messages.Boxes()[0].text, script::kInvalidFormatHelpText);
    ASSERT_TRUE(rig.logic.AssignText("new").has_value());
    ASSERT_EQ(rig.platform.messages.Boxes().size(), 2u);
    EXPECT_EQ(rig.platform.messages.Boxes()[1].caption, "VEdit Control");
    EXPECT_EQ(rig.logic.Props().caption, "keep");
}

TEST(StaticStyleTest, AlignmentChoosesTheStyleOnceAndRedrawsLater) {
    StaticRig rig;
    rig.LoadFresh();
    EXPECT_EQ(rig.logic.WindowStyle(), 0x100u);
    rig.logic.SetAlignment(1);
    EXPECT_EQ(rig.logic.WindowStyle(), 0x101u);
    for (std::int16_t any : {2, 5, -1}) {
        rig.logic.SetAlignment(any);
        EXPECT_EQ(rig.logic.WindowStyle(), 0x102u) << any;
    }
    const int before = rig.invalidations;
    rig.logic.SetAlignment(0);
    EXPECT_EQ(rig.invalidations, before + 1);
}

TEST(StaticScriptTest, EnglishAndUnknownScriptsRedrawAtOnceAKnownOneSwitchesFace) {
    StaticRig rig;
    rig.LoadFresh();
    ASSERT_TRUE(rig.Create());
    EXPECT_EQ(rig.drawing.scriptName, "Devanagari");
    EXPECT_FALSE(rig.drawing.englishScript);
    rig.logic.SetScriptName("Tamil");
    EXPECT_EQ(rig.logic.Props().fontName, "TMB-TTTesvor");
    EXPECT_EQ(rig.drawing.scriptFace, "TMB-TTTesvor");
    int builds = rig.fontBuilds;
    rig.logic.SetScriptName("Klingon");
    EXPECT_EQ(rig.fontBuilds, builds + 1);  // redrawn with the current script
    EXPECT_EQ(rig.logic.Props().scriptName, "Klingon");
    EXPECT_EQ(rig.drawing.scriptName, "Tamil");
    builds = rig.fontBuilds;
    rig.logic.SetScriptName("English");
    EXPECT_EQ(rig.fontBuilds, builds + 1);
    EXPECT_TRUE(rig.drawing.englishScript);
    EXPECT_EQ(rig.fonts.Description(common::FontSlot::Script).face, "Roman");
}

TEST(StaticCreationTest, WithoutConvertersTheUserIsAskedUnderTheStaticsName) {
    StaticRig rig("/nonexistent");
    rig.LoadFresh();
    rig.platform.messages.AnswerNext(platform::MessageAnswer::No);
    EXPECT_FALSE(rig.Create());
    ASSERT_EQ(rig.platform.messages.Boxes().size(), 1u);
    EXPECT_EQ(rig.platform.messages.Boxes()[0].caption, "VStatic Control - WARNING");
    rig.platform.messages.AnswerNext(platform::MessageAnswer::Yes);
    EXPECT_TRUE(rig.Create());
    EXPECT_TRUE(rig.logic.EnglishMode());
    EXPECT_EQ(rig.logic.DisplayRuns(), std::vector<std::string>{"VStatic"});
}

TEST(StaticSettingsTest, TheFileKeepsItsReservedFieldsAndWinsAtRunTimeWithAccessGlobal) {
    StaticRig rig;
    // An old file with reserved fields 7 and 9.
    std::string old;
    for (std::int32_t v : {1, 2, 20, 7, 9}) old.append(reinterpret_cast<const char*>(&v), 4);
    old += "\x05Tamil";
    old += "\x0CTMB-TTTesvor";
    rig.files.files["VStatic.ini"] = old;
    rig.LoadFresh(false);
    StaticProperties& p = rig.logic.Props();
    p.globalSettings = true;
    p.alignment = -1;
    p.fontSize = 300;
    p.scriptName = "Bengali";
    rig.Save(false);  // at design time: written
    std::optional<std::string> file = rig.files.Read("VStatic.ini");
    ASSERT_TRUE(file.has_value());
    auto section = defaults::DecodeSection(statics::StaticSettingsLayout(), *file);
    ASSERT_TRUE(section.has_value());
    EXPECT_EQ(section->Number("FontSize"), 300);
    EXPECT_EQ(section->Number("Reserved1"), 7);
    EXPECT_EQ(section->Number("Reserved2"), 9);

    // Loaded at run time with AccessGlobal: the file's values win.
    StaticRig reader;
    reader.files.files["VStatic.ini"] = *file;
    common::PropertyMap saved;
    saved.Set("AccessGlobal", {common::PropertyType::Bool, 1, {}});
    saved.Set("FontSize", {common::PropertyType::Short, 11, {}});
    reader.Load(saved, true);
    EXPECT_EQ(reader.logic.Props().fontSize, 300);
    EXPECT_EQ(reader.logic.Props().alignment, -1);
    EXPECT_EQ(reader.logic.Props().scriptName, "Bengali");
}

TEST(StaticSettingsTest, AccessGlobalAppliesTheFileThroughTheSettersAndAShortFileChangesNothing) {
    StaticRig writer;
    writer.LoadFresh();
    writer.logic.Props().alignment = 1;
    writer.logic.Props().fontSize = 24;
    writer.logic.Props().scriptName = "Tamil";
    writer.logic.Props().fontName = "TMB-TTTesvor";
    ASSERT_TRUE(writer.logic.SaveGlobalSettings());

    StaticRig rig;
    rig.files.files["VStatic.ini"] = *writer.files.Read("VStatic.ini");
    rig.LoadFresh();
    ASSERT_TRUE(rig.Create());
    rig.logic.SetAccessGlobal(true);
    EXPECT_TRUE(rig.logic.Props().accessGlobal);
    EXPECT_EQ(rig.logic.Props().alignment, 1);
    EXPECT_EQ(rig.drawing.scriptName, "Tamil");  // bound through the script setter
    EXPECT_EQ(rig.drawing.fontSize, 24);

    StaticRig shortFile;
    shortFile.files.files["VStatic.ini"] = std::string("\x01\x00\x00", 3);
    shortFile.LoadFresh();
    shortFile.logic.SetAccessGlobal(true);
    EXPECT_EQ(shortFile.logic.Props().fontSize, 18);
    EXPECT_EQ(shortFile.logic.Props().alignment, 0);
}

}  // namespace
}  // namespace vexa::statics::test
