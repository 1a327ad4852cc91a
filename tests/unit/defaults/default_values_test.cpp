#include <gtest/gtest.h>

#include "defaults/default_values.h"
#include "sim/sim_registry.h"

namespace vexa::defaults {
namespace {

class DefaultValuesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(registry.CreateKey("VEXAOCX.VEditCtrl.1")); }
    sim::SimRegistry registry;
};

TEST_F(DefaultValuesTest, GroupsWriteTheirOwnValues) {
    DefaultValuesRecord r = FactoryDefaultValues();
    ASSERT_TRUE(SaveDefaultValues(registry, r, 0));
    EXPECT_EQ(registry.GetString(kDefaultValuesKey, "ScriptName"), "Devanagari");
    EXPECT_EQ(registry.GetString(kDefaultValuesKey, "KeyboardType"), "0");
    EXPECT_FALSE(registry.GetString(kDefaultValuesKey, "DataFormat"));
    EXPECT_TRUE(SaveDefaultValues(registry, r, 5));
    EXPECT_FALSE(registry.GetString(kDefaultValuesKey, "DataFormat"));
    ASSERT_TRUE(SaveDefaultValues(registry, r, 1));
    EXPECT_EQ(registry.GetString(kDefaultValuesKey, "DataFormat"), "0");

    DefaultValuesRecord loaded;
    ASSERT_TRUE(LoadDefaultValues(registry, loaded));
    EXPECT_EQ(loaded.scriptName, "Devanagari");
    EXPECT_EQ(loaded.fontName, "DVB-TTDorvan");
    EXPECT_EQ(loaded.fontSize, "18");
    EXPECT_EQ(DecimalValue(loaded.fontSize), 18);
}

TEST_F(DefaultValuesTest, NothingIsWrittenWithoutTheProgIdKey) {
    sim::SimRegistry bare;
    EXPECT_FALSE(SaveDefaultValues(bare, FactoryDefaultValues(), 0));
    EXPECT_TRUE(bare.AllKeys().empty());
    DefaultValuesRecord r{"a", "b", "c", "d", "e"};
    EXPECT_FALSE(LoadDefaultValues(bare, r));
    EXPECT_EQ(r.scriptName, "a");  // unchanged on failure
}

TEST_F(DefaultValuesTest, OverlongMissingOrNonStringValuesReadAsEmpty) {
    DefaultValuesRecord r = FactoryDefaultValues();
    r.scriptName = "ABCDEFGHIJKLMN";          // 14 characters: fits
    r.fontName = "ABCDEFGHIJKLMNOPQRST";      // 20 characters: over the limit
    r.fontSize = "abc";
    ASSERT_TRUE(SaveDefaultValues(registry, r, 0));
    registry.SetBinary(kDefaultValuesKey, "KeyboardType", "\x01");
    DefaultValuesRecord loaded;
    ASSERT_TRUE(LoadDefaultValues(registry, loaded));
    EXPECT_EQ(loaded.scriptName, "ABCDEFGHIJKLMN");
    EXPECT_EQ(loaded.fontName, "");
    EXPECT_EQ(DecimalValue(loaded.fontSize), 0);
    EXPECT_EQ(loaded.keyboardType, "");
    EXPECT_EQ(loaded.dataFormat, "");  // never written

    r.scriptName = "ABCDEFGHIJKLMNO";  // 15 characters cannot be read back whole
    SaveDefaultValues(registry, r, 0);
    LoadDefaultValues(registry, loaded);
    EXPECT_EQ(loaded.scriptName, "");
}

}  // namespace
}  // namespace vexa::defaults
