#include <gtest/gtest.h>

#include "common/property_exchange.h"

namespace vexa::common {
namespace {

struct Sample {
    bool flag = true;
    std::int16_t size = 18;
    std::int32_t number = -5;
    std::string name = "Devanagari";
    std::uint32_t color = 0x80000005;

    void Exchange(PropertyExchange& px) {
        px.Bool("Flag", flag);
        px.Short("Size", size, 12);
        px.Long("Number", number, 7);
        px.String("Name", name, std::string("English"));
        px.Color("Color", color, 0u);
    }
};

TEST(PropertyExchange, SavesAndLoadsThroughTheStreamFormat) {
    Sample a;
    a.flag = false;
    a.size = -300;
    a.name = std::string("\xA4\xB3 text", 7);
    a.name += std::string(300, 'x');  // a long string takes the 16-bit length form
    PropertyMap saved;
    MapExchange save(saved, false);
    a.Exchange(save);

    std::string bytes = EncodeProperties(saved);
    EXPECT_EQ(EncodedSize(bytes + "trailing"), bytes.size());
    std::optional<PropertyMap> loaded = DecodeProperties(bytes);
    ASSERT_TRUE(loaded);
    Sample b;
    MapExchange load(*loaded, true);
    b.Exchange(load);
    EXPECT_EQ(b.flag, false);
    EXPECT_EQ(b.size, -300);
    EXPECT_EQ(b.name, a.name);
    EXPECT_EQ(b.color, 0x80000005u);
}

TEST(PropertyExchange, MissingValuesTakeTheDefaultOrKeepTheMember) {
    PropertyMap empty;
    MapExchange load(empty, true);
    Sample s;
    s.Exchange(load);
    EXPECT_TRUE(s.flag);  // no default given: unchanged
    EXPECT_EQ(s.size, 12);
    EXPECT_EQ(s.number, 7);
    EXPECT_EQ(s.name, "English");
    EXPECT_EQ(s.color, 0u);
}

TEST(PropertyExchange, AValueOfTheWrongKindCountsAsMissing) {
    PropertyMap map;
    map.Set("Name", {PropertyType::Long, 5, {}});
    MapExchange load(map, true);
    Sample s;
    s.Exchange(load);
    EXPECT_EQ(s.name, "English");
}

TEST(PropertyStream, RejectsDamagedData) {
    PropertyMap map;
    map.Set("Text", {PropertyType::String, 0, "VEdit"});
    map.Set("Size", {PropertyType::Short, 18, {}});
    std::string bytes = EncodeProperties(map);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(DecodeProperties(bytes.substr(0, cut))) << cut;
    std::string badType = bytes;
    badType[4 + 4 + 1 + 4] = 9;  // the first type byte
    EXPECT_FALSE(DecodeProperties(badType));
    std::string huge = bytes;
    huge[4 + 4 + 1 + 4 + 1] = static_cast<char>(0xFF);  // string length prefix of "VEdit"
    EXPECT_FALSE(DecodeProperties(huge));
    EXPECT_FALSE(DecodeProperties("XXXX"));
}

}  // namespace
}  // namespace vexa::common
