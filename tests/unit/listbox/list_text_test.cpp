// The List text, byte order, type-ahead and FindString over a list window.
#include <gtest/gtest.h>

#include "listbox/item_store.h"
#include "listbox/list_text.h"
#include "unit/fixture_platform.h"

namespace vexa::listbox {
namespace {

using vexa::test::Bytes;
using Items = std::vector<std::string>;

ItemStore StoreOf(const Items& items) {
    ItemStore store;
    for (const std::string& item : items) store.Insert(-1, item);
    return store;
}

TEST(ListTextTest, ItemEndsLineFeedsAndSemicolons) {
    EXPECT_EQ(ParseList("A\r\nB"), (Items{"A", "B"}));
    EXPECT_EQ(ParseList("A;B"), (Items{"B"}));  // ';' drops what came before
    EXPECT_EQ(ParseList("A\rB\r"), (Items{"A", "B"}));  // no empty third item
    EXPECT_EQ(ParseList(Bytes({'A', 4, 'B'})), (Items{"A", "B"}));
    EXPECT_EQ(ParseList("\r\rA"), (Items{"", "", "A"}));  // an ended empty item counts
    EXPECT_EQ(ParseList("A\nB"), (Items{"B"}));
    EXPECT_TRUE(ParseList("").empty());
}

TEST(ListTextTest, JoinedItemsParseBackToTheSameItems) {
    const Items items{Bytes({0xB3, 0xDA}), "two", Bytes({0xCC, 0xE8, 0xB8})};
    ItemStore store = StoreOf(items);
    const std::string joined = JoinItems(store, "\r\n", false);
    EXPECT_EQ(joined, items[0] + "\r\ntwo\r\n" + items[2]);
    EXPECT_EQ(ParseList(joined), items);
    EXPECT_EQ(ParseList(JoinItems(store, "\r", true)), items);
}

TEST(ListTextTest, ByteOrderIsUnsignedAndPlacesAfterEqualItems) {
    // ISCII letters lie above every English byte.
    EXPECT_TRUE(ByteLess("z", Bytes({0xA4})));
    EXPECT_TRUE(ByteLess(Bytes({0xB3}), Bytes({0xB3, 0xDA})));
    ItemStore store = StoreOf({"A", "B", "B", "D"});
    EXPECT_EQ(SortedPosition(store, "B"), 3);
    EXPECT_EQ(SortedPosition(store, "C"), 3);
    EXPECT_EQ(SortedPosition(store, ""), 0);
    EXPECT_EQ(SortedPosition(store, Bytes({0xA4})), 4);
}

TEST(ListTextTest, TypeAheadComparesTheFirstBytesAndMissesOnePastTheLast) {
    ItemStore store = StoreOf({Bytes({0xB3, 0xDA}), Bytes({0xB4, 0xDA}), Bytes({0xB4, 0xDB})});
    EXPECT_EQ(TypeAheadIndex(store, Bytes({0xB4})), 1);
    EXPECT_EQ(TypeAheadIndex(store, Bytes({0xB4, 0xDB})), 2);
    EXPECT_EQ(TypeAheadIndex(store, Bytes({0xB4, 0xDB, 0xA4})), 3);  // longer than the item
    EXPECT_EQ(TypeAheadIndex(store, Bytes({0xC0})), 3);
}

TEST(ListTextTest, FindStringWrapsAndFoldsOnlyEnglishLetters) {
    ItemStore store = StoreOf({"apple", "Banana", "apricot", Bytes({0xC0, 0xDA}), Bytes({0xE0})});
    EXPECT_EQ(FindItem(store, 0, false, "ap"), 0);
    EXPECT_EQ(FindItem(store, 1, false, "ap"), 2);
    EXPECT_EQ(FindItem(store, 3, false, "ap"), 0);  // wraps to the first item
    EXPECT_EQ(FindItem(store, 0, false, "BAN"), 1);
    EXPECT_EQ(FindItem(store, 0, true, "ap"), -1);
    EXPECT_EQ(FindItem(store, 0, true, "APRICOT"), 2);
    // 0xC0 and 0xE0 are ISCII letters, not two cases of one letter.
    EXPECT_EQ(FindItem(store, 0, false, Bytes({0xE0})), 4);
    EXPECT_EQ(FindItem(store, 0, false, Bytes({0xC0})), 3);
    EXPECT_EQ(FindItem(store, 99, false, "b"), 1);
    EXPECT_EQ(FindItem(ItemStore{}, 0, false, "a"), -1);
}

}  // namespace
}  // namespace vexa::listbox
