// The caption controls' rules with a window: button kinds and styles, the
// check state, clicks, creation and the script, face and text rules.
#include <gtest/gtest.h>

#include "script/converter_library.h"
#include "script/font_code.h"
#include "script/script_catalogue.h"
#include "unit/captions/caption_rig.h"

namespace vexa::captions::test {
namespace {

using platform::MessageAnswer;

const std::string kNamaste = Bytes({0xC6, 0xCC, 0xD7, 0xE8, 0xC2, 0xE1});

// The plain font codes an independent converter makes of `text`.
std::string Converted(CaptionRig& rig, int row, const std::string& text, bool switches = false) {
    script::ConverterLibrary converter(rig.platform);
    EXPECT_TRUE(converter.Load(script::ScriptCatalogue::ConverterFile(row, 0),
                               script::ScriptCatalogue::Row(row).converterEntry));
    return switches ? script::ToFontCodeRun(converter, text, false)
                    : script::ToPlainFontCode(converter, text, false);
}

TEST(CaptionStyleTest, KindAndStyleBitsFollowAutoPushLikeAndAlignment) {
    CaptionRig push(CaptionKind::PushButton), group(CaptionKind::GroupBox);
    EXPECT_EQ(push.logic.WindowStyle(), 0u);
    EXPECT_EQ(group.logic.WindowStyle(), 7u);

    CaptionRig check(CaptionKind::CheckBox);
    check.LoadFresh();
    EXPECT_EQ(check.logic.WindowStyle(), 3u);
    check.logic.SetAuto(false);  // the push-button kind, not the manual check box
    check.logic.SetPushLike(true);
    check.logic.SetAlignment(0);
    EXPECT_EQ(check.logic.WindowStyle(), 0x1020u);
    EXPECT_TRUE(check.styles.empty());  // no window: stored only

    CaptionRig radio(CaptionKind::RadioButton);
    radio.LoadFresh();
    radio.logic.Props().autoKind = false;
    ASSERT_TRUE(radio.Create());
    EXPECT_EQ(radio.logic.WindowStyle(), 0u);
    radio.logic.SetAuto(true);
    ASSERT_EQ(radio.styles.size(), 1u);
    EXPECT_EQ(radio.styles.back(), 9u);
    radio.logic.SetAuto(false);
    EXPECT_EQ(radio.styles.back(), 0u);
    const int invalidations = radio.invalidations;
    radio.logic.SetAlignment(0);  // the caption moves left of the box and is redrawn
    EXPECT_EQ(radio.styles.back(), 0x20u);
    EXPECT_GT(radio.invalidations, invalidations);
    radio.logic.SetPushLike(true);
    EXPECT_EQ(radio.styles.back(), 0x1020u);
}

TEST(CaptionCheckTest, ValueSetsTheCheckStateAndClicksChangeOnlyTheState) {
    CaptionRig check(CaptionKind::CheckBox);
    check.LoadFresh();
    check.logic.Props().value = 1;
    ASSERT_TRUE(check.Create());
    EXPECT_EQ(check.logic.CheckState(), 1);  // creation applies Value
    check.logic.SetValue(0);
    EXPECT_EQ(check.logic.CheckState(), 0);
    check.logic.SetValue(5);
    EXPECT_EQ(check.logic.CheckState(), 1);
    EXPECT_EQ(check.logic.Props().value, 5);

    ClickOutcome click = check.logic.Clicked();
    EXPECT_TRUE(click.fireClick);
    EXPECT_FALSE(click.clearGroup);
    EXPECT_EQ(check.logic.CheckState(), 0);  // an automatic check box toggles
    EXPECT_EQ(check.logic.Props().value, 5);  // the stored Value is the last one set
    check.logic.Clicked();
    EXPECT_EQ(check.logic.CheckState(), 1);

    check.logic.SetAuto(false);  // a push button now: clicks do not check it
    check.logic.SetValue(0);
    EXPECT_TRUE(check.logic.Clicked().fireClick);
    EXPECT_EQ(check.logic.CheckState(), 0);

    CaptionRig radio(CaptionKind::RadioButton);
    radio.LoadFresh();
    ASSERT_TRUE(radio.Create());
    click = radio.logic.Clicked();
    EXPECT_TRUE(click.fireClick);
    EXPECT_TRUE(click.clearGroup);
    EXPECT_EQ(radio.logic.CheckState(), 1);
    radio.logic.Clicked();  // a checked radio button stays checked
    EXPECT_EQ(radio.logic.CheckState(), 1);
    radio.logic.SetCheckState(0);  // cleared by another of its group
    EXPECT_EQ(radio.logic.CheckState(), 0);

    CaptionRig push(CaptionKind::PushButton), group(CaptionKind::GroupBox);
    EXPECT_TRUE(push.logic.Clicked().fireClick);
    EXPECT_FALSE(group.logic.Clicked().fireClick);
}

// What a screen reader hears of a caption control: its role, checked and
// default states, a state event only when the check really changes, a name
// event for a new caption, and a default action that is a click.
TEST(CaptionCheckTest, AssistiveTechnologyHearsTheCheckStateAndCaption) {
    vexa::test::HeardChanges heard;
    using C = common::AccessibleChange;
    CaptionRig check(CaptionKind::CheckBox);
    check.LoadFresh();
    ASSERT_TRUE(check.Create());
    check.logic.Listen(&heard);
    EXPECT_EQ(check.logic.Role(0), common::AccessibleRole::kCheckButton);
    EXPECT_EQ(check.logic.DefaultAction(0), u"Check");
    check.logic.SetValue(1);
    check.logic.SetValue(2);  // still checked: nothing to tell
    EXPECT_EQ(check.logic.States(0), common::kStateFocusable | common::kStateChecked);
    EXPECT_EQ(check.logic.DefaultAction(0), u"Uncheck");
    EXPECT_TRUE(check.logic.DoDefaultAction(0));
    EXPECT_EQ(check.performedClicks, 1);
    check.logic.SetCaption("ok");
    EXPECT_EQ(check.logic.Name(0), u"ok");
    EXPECT_EQ(heard.changes, (std::vector<C>{C::kState, C::kName}));

    CaptionRig push(CaptionKind::PushButton), group(CaptionKind::GroupBox);
    push.defaultButton = true;
    EXPECT_EQ(push.logic.States(0), common::kStateFocusable | common::kStateDefault);
    EXPECT_EQ(push.logic.DefaultAction(0), u"Press");
    EXPECT_EQ(group.logic.Role(0), common::AccessibleRole::kGrouping);
    EXPECT_FALSE(group.logic.DoDefaultAction(0));
    EXPECT_EQ(group.performedClicks, 0);
}

TEST(CaptionCreationTest, TheWindowShowsTheCaptionInFontCodesWithTheFontNameForBothFaces) {
    CaptionRig rig(CaptionKind::CheckBox);
    rig.LoadFresh();
    rig.logic.Props().caption = kNamaste + " ok";
    rig.logic.Props().text = rig.logic.Props().caption;
    ASSERT_TRUE(rig.Create());
    EXPECT_EQ(rig.windowText, Converted(rig, 3, kNamaste + " ok"));
    EXPECT_EQ(rig.logic.DrawRun(), Converted(rig, 3, kNamaste + " ok", true));
    EXPECT_NE(rig.windowText, rig.logic.Props().text);
    EXPECT_EQ(rig.drawing.scriptFace, "DVB-TTDorvan");
    EXPECT_EQ(rig.drawing.englishFace, "DVB-TTDorvan");
    EXPECT_FALSE(rig.drawing.englishScript);
    EXPECT_EQ(rig.fonts.Description(common::FontSlot::Script).height, 24);  // 18 pt at 96 dpi
    EXPECT_TRUE(rig.platform.messages.Boxes().empty());
}

TEST(CaptionCreationTest, OnlyTheTamilConverterTurnsADevanagariControlIntoTamil) {
    const vexa::test::TempDirectory dir("vexa-captions-");
    dir.Copy(VEXA_FIXTURE_DIR, "TMBCV32.DLL");
    CaptionRig rig(CaptionKind::PushButton, dir.path.string());
    rig.LoadFresh();
    ASSERT_TRUE(rig.Create());
    EXPECT_EQ(rig.logic.Props().scriptName, "Tamil");
    EXPECT_EQ(rig.logic.Binding().Active().converterFile, "TMBCV32.DLL");
    // A Devanagari face cannot draw Tamil: the script's own face is taken.
    EXPECT_EQ(rig.drawing.scriptFace, "TMB-TTTesvor");
    EXPECT_EQ(rig.logic.Props().fontName, "TMB-TTTesvor");
}

TEST(CaptionCreationTest, WithoutConvertersTheUserIsAskedAndNoFailsCreation) {
    CaptionRig refused(CaptionKind::RadioButton, "/nonexistent");
    refused.LoadFresh();
    refused.platform.messages.AnswerNext(MessageAnswer::No);
    EXPECT_FALSE(refused.Create());
    ASSERT_EQ(refused.platform.messages.Boxes().size(), 1u);
    EXPECT_EQ(refused.platform.messages.Boxes()[0].caption, "VRadioButton Control - WARNING");

    CaptionRig english(CaptionKind::RadioButton, "/nonexistent");
    english.LoadFresh();
    ASSERT_TRUE(english.Create());
    EXPECT_EQ(english.logic.Props().scriptName, "English");
    EXPECT_EQ(english.logic.Props().fontName, "Roman");
    EXPECT_TRUE(english.drawing.englishScript);
    EXPECT_EQ(english.windowText, "VRadioButton");  // unconverted
    EXPECT_EQ(english.fonts.Description(common::FontSlot::Script).face, "Roman");
}

// A caption set from code shows at once, as Text does.
TEST(CaptionTextTest, CaptionAndTextConvertAtOnce) {
    CaptionRig rig(CaptionKind::PushButton);
    rig.LoadFresh();
    ASSERT_TRUE(rig.Create());
    rig.logic.SetCaption(kNamaste);
    EXPECT_EQ(rig.logic.Props().text, kNamaste);
    EXPECT_EQ(rig.windowText, Converted(rig, 3, kNamaste));
    rig.logic.SetFontSize(24);
    EXPECT_EQ(rig.windowText, Converted(rig, 3, kNamaste));
    EXPECT_EQ(rig.fonts.Description(common::FontSlot::Script).height, 32);

    const std::string word = Bytes({0xC6, 0xDA, 0xCC});
    rig.logic.SetText(word);
    EXPECT_EQ(rig.logic.Props().caption, word);
    EXPECT_EQ(rig.windowText, Converted(rig, 3, word));
    rig.logic.SetScriptName("Tamil");
    EXPECT_EQ(rig.logic.Props().fontName, "TMB-TTTesvor");
    EXPECT_EQ(rig.drawing.scriptFace, "TMB-TTTesvor");
    EXPECT_EQ(rig.windowText, Converted(rig, 11, word));
}

TEST(CaptionTextTest, EnglishAndUnknownScriptsKeepTheShownTextUntilTheNextRebuild) {
    CaptionRig rig(CaptionKind::GroupBox);
    rig.LoadFresh();
    rig.logic.Props().caption = rig.logic.Props().text = kNamaste;
    ASSERT_TRUE(rig.Create());
    const std::string shown = rig.windowText;
    const int builds = rig.fontBuilds;

    rig.logic.SetScriptName("Klingon");
    EXPECT_EQ(rig.logic.Props().scriptName, "Klingon");
    EXPECT_EQ(rig.logic.Binding().Active().converterFile, "DVBCV32.DLL");
    EXPECT_EQ(rig.fontBuilds, builds);

    rig.logic.SetScriptName("English");
    EXPECT_TRUE(rig.logic.EnglishMode());
    EXPECT_EQ(rig.windowText, shown);
    EXPECT_EQ(rig.fontBuilds, builds);
    rig.logic.SetFontName("Anything");  // a rebuild: unconverted, in Roman
    EXPECT_EQ(rig.windowText, kNamaste);
    EXPECT_EQ(rig.fonts.Description(common::FontSlot::Script).face, "Roman");

    const int modified = rig.modified;
    rig.logic.SetKeyboardType(1);
    rig.logic.SetDisableEnglish(true);
    rig.logic.SetLinFile("dv2lay.lin");
    rig.logic.TouchColour();
    EXPECT_EQ(rig.modified, modified + 4);
    EXPECT_EQ(rig.fontBuilds, builds + 1);
}

}  // namespace
}  // namespace vexa::captions::test
