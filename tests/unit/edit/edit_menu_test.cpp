#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "edit/edit_menu.h"

namespace vexa::edit {
namespace {

TEST(EditMenu, ItemStatesFollowSelectionClipboardAndReadOnly) {
    // Nothing selected, nothing of ours on the clipboard: no edit offered.
    EditMenuState s = MenuStateOf(false, false, false);
    EXPECT_FALSE(s.cut || s.copy || s.paste);
    s = MenuStateOf(true, false, true);
    EXPECT_TRUE(s.cut && s.copy && s.paste);
    // Read-only: only Copy of the selection stays.
    s = MenuStateOf(true, true, true);
    EXPECT_FALSE(s.cut);
    EXPECT_TRUE(s.copy);
    EXPECT_FALSE(s.paste);
    s = MenuStateOf(false, false, true);
    EXPECT_FALSE(s.cut || s.copy);
    EXPECT_TRUE(s.paste);
}

// The menu resource and the command ids the control handles must agree:
// each item of the resource names its id through edit_resource_ids.h.
TEST(EditMenu, TheResourceHoldsTheItemsInOrderWithTheirIds) {
    std::ifstream ids(std::string(VEXA_SOURCE_DIR) + "/src/module/edit_resource_ids.h");
    std::ifstream rc(std::string(VEXA_SOURCE_DIR) + "/src/module/edit_resources.rc");
    ASSERT_TRUE(ids && rc);
    std::stringstream idText, rcText;
    idText << ids.rdbuf();
    rcText << rc.rdbuf();
    auto idOf = [&](const std::string& name) {
        std::smatch m;
        const std::string text = idText.str();
        if (!std::regex_search(text, m, std::regex("#define " + name + " (\\d+)"))) return -1;
        return std::stoi(m[1]);
    };
    const std::string menu = rcText.str().substr(0, rcText.str().find("DIALOGEX"));
    const std::regex item("MENUITEM \"([^\"]+)\", (VEXA_ID_EDIT_\\w+)");
    std::string order;
    for (auto it = std::sregex_iterator(menu.begin(), menu.end(), item); it != std::sregex_iterator();
         ++it)
        order += (*it)[1].str() + "=" + std::to_string(idOf((*it)[2].str())) + ";";
    EXPECT_EQ(order, "&Cut=32771;C&opy=32772;&Paste=32773;&Find ...=32768;&Replace ...=32769;"
                     "&Attributes ...=32770;");
    EXPECT_EQ(idOf("VEXA_IDM_EDIT_MENU"), 214);
    EXPECT_EQ(idOf("VEXA_IDD_FIND"), 215);
    EXPECT_EQ(idOf("VEXA_IDD_REPLACE"), 224);
}

}  // namespace
}  // namespace vexa::edit
