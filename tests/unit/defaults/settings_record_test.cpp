#include <gtest/gtest.h>

#include "defaults/archive_bytes.h"
#include "defaults/settings_record.h"
#include "sim/sim_settings_files.h"
#include "unit/fixture_platform.h"

namespace vexa::defaults {
namespace {

using test::Bytes;

// A settings file's shape as the controls' tables give it: numbers, then the
// script and face strings.
const SettingsLayout kButton{"VPushButton.ini", {"FontSize"}, {"ScriptName", "FontName"}};
const SettingsLayout kLabel{"VStatic.ini", {"Reserved1", "FontSize", "Alignment"}, {"ScriptName", "FontName"}};

TEST(SettingsRecord, ArchiveStringLengthForms) {
    std::string out;
    AppendArchiveString(out, std::string(254, 'a'));
    EXPECT_EQ(static_cast<unsigned char>(out[0]), 254);
    out.clear();
    AppendArchiveString(out, std::string(255, 'a'));
    EXPECT_EQ(out.substr(0, 3), Bytes({0xFF, 0xFF, 0x00}));
    out.clear();
    AppendArchiveString(out, std::string(0xFFFE, 'a'));
    EXPECT_EQ(out.substr(0, 7), Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(out.size(), 7u + 0xFFFE);

    SettingsSection s = EmptySection(kButton);
    s.String("ScriptName") = std::string(0xFFFE, 'b');
    s.String("FontName") = std::string(300, 'c');
    auto back = DecodeSection(kButton, EncodeSection(s));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->strings, s.strings);
}

TEST(SettingsRecord, SignedNumbersRoundTrip) {
    SettingsSection s = EmptySection(kLabel);
    s.Number("FontSize") = 300;
    s.Number("Alignment") = -1;
    auto back = DecodeSection(kLabel, EncodeSection(s));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Number("FontSize"), 300);
    EXPECT_EQ(back->Number("Alignment"), -1);
    EXPECT_EQ(static_cast<std::int16_t>(back->Number("Alignment")), -1);
}

TEST(SettingsRecord, DamagedSectionsAreRejectedWhole) {
    SettingsSection s = EmptySection(kLabel);
    s.String("ScriptName") = "Tamil";
    s.String("FontName") = "TMB-TTTesvor";
    std::string bytes = EncodeSection(s);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(DecodeSection(kLabel, bytes.substr(0, cut))) << cut;
    std::string lying = bytes;
    lying[3 * 4] = static_cast<char>(0xFF);  // length prefix: 16-bit form running past the end
    EXPECT_FALSE(DecodeSection(kLabel, lying));
    std::string huge = bytes.substr(0, 3 * 4) + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
    EXPECT_FALSE(DecodeSection(kLabel, huge));
    EXPECT_TRUE(DecodeSection(kLabel, bytes + "stale tail"));
}

TEST(SettingsFiles, SavingKeepsOtherFieldsAndCutsTheFileToTheNewSection) {
    sim::SimSettingsFiles files;
    SettingsSection s = EmptySection(kLabel);
    s.Number("Reserved1") = 77;
    s.String("ScriptName") = "Devanagari";
    s.String("FontName") = "DVB-TTDorvan-Long";
    files.files["VStatic.ini"] = EncodeSection(s) + "bytes of another program";

    ASSERT_TRUE(SaveSection(files, kLabel, [](SettingsSection& sec) {
        sec.Number("FontSize") = 20;
        sec.String("FontName") = "DV";
    }));
    auto back = LoadSection(files, kLabel);
    ASSERT_TRUE(back);
    EXPECT_EQ(files.files["VStatic.ini"], EncodeSection(*back));  // nothing behind the section
    EXPECT_EQ(back->Number("Reserved1"), 77);
    EXPECT_EQ(back->Number("FontSize"), 20);
    EXPECT_EQ(back->String("ScriptName"), "Devanagari");
    EXPECT_EQ(back->String("FontName"), "DV");
}

TEST(SettingsFiles, DamagedOrMissingFiles) {
    sim::SimSettingsFiles files;
    EXPECT_FALSE(LoadSection(files, kButton));
    files.files["VPushButton.ini"] = Bytes({0x12, 0, 0});
    EXPECT_FALSE(LoadSection(files, kButton));
    // A damaged old file is replaced by a fresh section.
    ASSERT_TRUE(SaveSection(files, kButton, [](SettingsSection& s) { s.String("ScriptName") = "Tamil"; }));
    auto back = LoadSection(files, kButton);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Number("FontSize"), 0);
    EXPECT_EQ(back->String("ScriptName"), "Tamil");
    files.locked.insert("VPushButton.ini");
    EXPECT_FALSE(LoadSection(files, kButton));
    EXPECT_FALSE(SaveSection(files, kButton, [](SettingsSection&) {}));
    files.readOnlyFolder = true;
    EXPECT_FALSE(SaveSection(files, kLabel, [](SettingsSection&) {}));
    EXPECT_EQ(files.files.count("VStatic.ini"), 0u);
}

}  // namespace
}  // namespace vexa::defaults
