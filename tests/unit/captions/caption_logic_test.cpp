// The caption controls' properties, persistence and settings files.
#include <gtest/gtest.h>

#include "unit/captions/caption_rig.h"

namespace vexa::captions::test {
namespace {

constexpr CaptionKind kAllKinds[] = {CaptionKind::PushButton, CaptionKind::CheckBox,
                                     CaptionKind::RadioButton, CaptionKind::GroupBox};

TEST(CaptionPersistenceTest, CaptionsBeforeAndAfterTheFirstExchange) {
    const std::pair<CaptionKind, std::pair<std::string, std::string>> expected[] = {
        {CaptionKind::PushButton, {"", "VPushButton"}},
        {CaptionKind::CheckBox, {"VCheckBox", "VCheckBox"}},
        {CaptionKind::RadioButton, {"VRadio", "VRadioButton"}},
        {CaptionKind::GroupBox, {"VGroupBox", "VGroupBox"}},
    };
    for (const auto& [kind, captions] : expected) {
        CaptionRig rig(kind);
        EXPECT_EQ(rig.logic.Props().caption, captions.first);
        EXPECT_EQ(rig.logic.Props().text, captions.first);
        rig.LoadFresh();
        EXPECT_EQ(rig.logic.Props().caption, captions.second);
        EXPECT_EQ(rig.logic.Props().text, captions.second);  // the text follows the caption
    }
}

TEST(CaptionPersistenceTest, AutoAndRadioPushLikeHaveNoDefaultAndKeepTheResetState) {
    CaptionRig radio(CaptionKind::RadioButton);
    radio.LoadFresh();
    radio.logic.Props().autoKind = false;  // not reset: a missing value keeps it
    radio.Load({});
    EXPECT_FALSE(radio.logic.Props().autoKind);
    radio.LoadFresh();
    EXPECT_TRUE(radio.logic.Props().autoKind);
    EXPECT_FALSE(radio.logic.Props().pushLike);
}

TEST(CaptionPersistenceTest, TheCaptionCarriesItsBytesUnchanged) {
    // A caption holds 8-bit ISCII; text spelled in the 7-bit or PC-ISCII
    // forms is not decoded (the caption controls have no data format) and
    // comes back as it went in, through the property and the container.
    std::string every8Bit;
    for (int b = 0xA1; b <= 0xEA; ++b) every8Bit += static_cast<char>(b);
    const std::string inputs[] = {every8Bit, "xka Cs x", Bytes({0x80, 0x8F, 0xAF, 0xE1, 0xFB})};
    for (const std::string& input : inputs) {
        CaptionRig rig(CaptionKind::CheckBox);
        rig.LoadFresh();
        rig.logic.SetCaption(input);
        EXPECT_EQ(rig.logic.Props().caption, input);
        CaptionRig other(CaptionKind::CheckBox);
        other.Load(rig.Save());
        EXPECT_EQ(other.logic.Props().caption, input);
        EXPECT_EQ(other.logic.Props().text, input);
    }
}

TEST(CaptionSettingsFileTest, TheLastControlSavedWinsAndNoBytesStayAfterTheSection) {
    CaptionRig first(CaptionKind::PushButton), second(CaptionKind::PushButton);
    first.LoadFresh(false);
    second.LoadFresh(false);
    first.logic.Props().globalSettings = second.logic.Props().globalSettings = true;
    first.logic.Props().fontName = "A-much-longer-face-name";
    second.logic.Props().fontName = "Short";
    // Each rig has its own folder: the file is carried from one to the other.
    first.Save(false);
    second.files.files = first.files.files;
    second.Save(false);
    const std::string& file = second.files.files.at("VPushButton.ini");
    EXPECT_EQ(file.find("-name"), std::string::npos);  // the longer name's bytes are cut off

    CaptionRig reader(CaptionKind::PushButton);
    reader.files.files = second.files.files;
    ASSERT_TRUE(reader.logic.LoadGlobalSettings());
    EXPECT_EQ(reader.logic.Props().fontName, "Short");
    EXPECT_EQ(reader.logic.Props().scriptName, "Devanagari");

    // A file cut short inside the section changes nothing.
    CaptionRig damaged(CaptionKind::PushButton);
    damaged.files.files["VPushButton.ini"] = Bytes({0x12, 0, 0, 0, 0x0A}) + "Deva";
    damaged.LoadFresh();
    damaged.logic.Props().fontSize = 9;
    EXPECT_FALSE(damaged.logic.LoadGlobalSettings());
    EXPECT_EQ(damaged.logic.Props().fontSize, 9);
}

TEST(CaptionSettingsFileTest, FileRulesAtTheEndOfTheExchangeAndTheAccessGlobalSetter) {
    CaptionRig rig(CaptionKind::RadioButton);
    rig.LoadFresh(false);
    rig.hasWindow = true;
    rig.logic.Props().globalSettings = true;
    rig.logic.Props().alignment = 0;
    rig.logic.Props().fontSize = 24;
    rig.Save(true);  // run time: nothing written
    EXPECT_TRUE(rig.files.files.empty());
    rig.Save(false);  // design time with GlobalSettings: the file follows the control
    ASSERT_TRUE(rig.files.files.count("VRadioButton.ini"));

    // A second control takes the file's values through its setters.
    CaptionRig other(CaptionKind::RadioButton);
    other.files.files = rig.files.files;
    other.LoadFresh();
    ASSERT_TRUE(other.Create());
    other.styles.clear();
    const int builds = other.fontBuilds;
    other.logic.SetAccessGlobal(true);
    EXPECT_EQ(other.logic.Props().alignment, 0);
    EXPECT_EQ(other.logic.Props().fontSize, 24);
    ASSERT_FALSE(other.styles.empty());
    EXPECT_EQ(other.styles.back(), kAutoRadioKind | kLeftTextStyle);  // applied to the window
    EXPECT_GT(other.fontBuilds, builds);
    EXPECT_TRUE(other.logic.Props().accessGlobal);

    // Loading at run time with AccessGlobal on reads the file over the
    // container's values.
    CaptionRig third(CaptionKind::RadioButton);
    third.files.files = rig.files.files;
    common::PropertyMap saved = other.Save();
    saved.Set("FontSize", common::PropertyValue{common::PropertyType::Short, 11, {}});
    third.Load(saved);
    EXPECT_EQ(third.logic.Props().fontSize, 24);
}

}  // namespace
}  // namespace vexa::captions::test
