#include <gtest/gtest.h>

#include "edit/edit_engine.h"
#include "edit/key_routing.h"

namespace vexa::edit {
namespace {

// Scan codes of a US keyboard, as MapVirtualKey gives them.
constexpr unsigned kScanTab = 15, kScanEsc = 1, kScanEnter = 28, kScanA = 30, kScanF1 = 59;

TEST(KeyRoutingTest, DialogKeysReachTheContainerUnlessTheStyleWantsThem) {
    EditStyle single;  // a single-line control
    EXPECT_FALSE(EditKeepsKey(keys::kTab, kScanTab, single));
    EXPECT_FALSE(EditKeepsKey(keys::kEscape, kScanEsc, single));
    EXPECT_FALSE(EditKeepsKey(keys::kReturn, kScanEnter, single));
    EXPECT_FALSE(EditKeepsKey(keys::kPrior, 73, single));

    EditStyle lines;
    lines.multiLine = lines.wantReturn = true;
    EXPECT_TRUE(EditKeepsKey(keys::kReturn, kScanEnter, lines));
    EXPECT_FALSE(EditKeepsKey(keys::kTab, kScanTab, lines));  // never, whatever the style
    EXPECT_FALSE(EditKeepsKey(keys::kNext, 81, lines));       // pages need AutoVScroll too
    lines.autoVScroll = true;
    EXPECT_TRUE(EditKeepsKey(keys::kNext, 81, lines));
    EXPECT_TRUE(EditKeepsKey(keys::kPrior, 73, lines));
}

TEST(KeyRoutingTest, EditingKeysAndTypingKeysStayWithTheControl) {
    EditStyle style;
    for (unsigned vk : {keys::kBack, keys::kDelete, keys::kHome, keys::kEnd, keys::kLeft,
                        keys::kRight, keys::kUp, keys::kDown, keys::kInsert, keys::kSpace,
                        keys::kShift, keys::kControl})
        EXPECT_TRUE(EditKeepsKey(vk, 0, style)) << vk;
    EXPECT_TRUE(EditKeepsKey('A', kScanA, style));
    EXPECT_FALSE(EditKeepsKey(0x70, kScanF1, style));  // F1: the container's accelerators
    EXPECT_FALSE(EditKeepsKey(0x12, 56, style));       // Alt: menus and mnemonics
}

}  // namespace
}  // namespace vexa::edit
