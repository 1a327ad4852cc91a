// The list box's items, methods, data formats, sorting and persistence.
#include <gtest/gtest.h>

#include "script/iscii_text.h"
#include "script/unicode_text.h"
#include "unit/listbox/listbox_rig.h"

namespace vexa::listbox::test {
namespace {

using Items = std::vector<std::string>;

std::string Hindi(std::u16string_view word) {
    return script::UnicodeToIscii(word, script::UnicodeScript::kDevanagari).iscii;
}

// A list box with a window, in Devanagari through the family's converter.
struct Created : ListBoxRig {
    Created() {
        LoadFresh();
        logic.Props().scriptName = "Devanagari";
        logic.Props().fontSize = 12;
        EXPECT_TRUE(Create());
    }
};

TEST(ListBoxLogicTest, ItemsComeAndGoInTheDataFormat) {
    Created rig;
    const std::string word = Hindi(u"नमस्ते");
    ASSERT_EQ(word.size(), 6u);
    for (int format : {1, 2}) {
        const std::string hosted = *script::StoredTextInFormat(word, format);
        ASSERT_NE(hosted, word);
        ASSERT_FALSE(rig.logic.SetIsciiDataFormat(static_cast<std::int16_t>(format)));
        rig.logic.Clear();
        EXPECT_TRUE(rig.Add(hosted));
        EXPECT_EQ(rig.Items(), Items{word}) << "format " << format;
        std::string back;
        EXPECT_FALSE(rig.logic.GetItemText(0, back));
        EXPECT_EQ(back, hosted);
        // List get hands out the ISCII items, unconverted.
        EXPECT_EQ(rig.logic.GetList(), word);
    }
    ASSERT_FALSE(rig.logic.SetIsciiDataFormat(0));
    EXPECT_TRUE(rig.Add(Bytes({0xB3, 0x90, 0xDA})));  // 8-bit: the control byte goes
    EXPECT_EQ(rig.Items().back(), Bytes({0xB3, 0xDA}));
    std::string none = "stale";
    EXPECT_FALSE(rig.logic.GetItemText(9, none));
    EXPECT_EQ(none, "");
}

// The Unicode twins skip the data format; a text the script cannot hold is
// refused whole, naming its first such character, and the list stays as it was.
TEST(ListBoxLogicTest, UnicodeItemsAndTheRefusalThatChangesNothing) {
    Created rig;
    ASSERT_FALSE(rig.logic.SetIsciiDataFormat(1));
    bool done = false;
    EXPECT_FALSE(rig.logic.AddUnicodeItem(u"नमस्ते", -1, done));
    EXPECT_TRUE(done);
    EXPECT_FALSE(rig.logic.SetUnicodeList(u"क\r\nख\r\nग"));
    EXPECT_EQ(rig.Items(), (Items{Hindi(u"क"), Hindi(u"ख"), Hindi(u"ग")}));
    EXPECT_FALSE(rig.logic.SetUnicodeItem(1, u"घर", done));
    EXPECT_TRUE(done);
    ASSERT_TRUE(rig.logic.SetCurSel(1));
    std::u16string text;
    EXPECT_FALSE(rig.logic.GetUnicodeItem(1, text));
    EXPECT_EQ(text, u"घर");
    EXPECT_EQ(rig.logic.GetUnicodeSelection(), u"घर\r\n");
    EXPECT_FALSE(rig.logic.GetUnicodeList(text));
    EXPECT_EQ(text, u"क\r\nघर\r\nग\r\n");

    const Items before = rig.Items();
    common::Outcome refused = rig.logic.SetUnicodeList(u"क\r\nதமிழ்");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->description, "The text cannot be written in Devanagari: U+0BA4 at position 3");
    EXPECT_TRUE(rig.logic.AddUnicodeItem(u"a\tb", -1, done));  // no control character in an item
    EXPECT_TRUE(rig.logic.SetUnicodeItem(0, u"😀", done));
    EXPECT_FALSE(done);
    EXPECT_EQ(rig.Items(), before);
}

TEST(ListBoxLogicTest, AnUnknownDataFormatIsRefusedAndToldNotApplied) {
    Created rig;
    EXPECT_TRUE(rig.logic.SetIsciiDataFormat(3).has_value());
    EXPECT_EQ(rig.logic.Props().isciiDataFormat, 0);
    rig.Add("keep");
    // A saved control can still carry one.
    rig.logic.Props().isciiDataFormat = 9;
    bool added = true;
    common::Outcome failed = rig.logic.AddItem("x", -1, added);
    ASSERT_TRUE(failed.has_value());
    EXPECT_NE(failed->description.find("ISCIIDataFormat"), std::string::npos);
    EXPECT_FALSE(added);
    std::string text;
    EXPECT_TRUE(rig.logic.GetItemText(0, text).has_value());
    EXPECT_TRUE(rig.logic.SetList("a\rb").has_value());
    EXPECT_EQ(rig.Items(), Items{"keep"});  // nothing changed
}

// The interface names items by 16-bit numbers: the item that would be the
// 32768th is refused, a List of more is refused whole, and nothing wraps.
TEST(ListBoxLogicTest, NoMoreItemsThanA16BitIndexCanName) {
    Created rig;
    std::string many;
    for (int i = 0; i < ListBoxLogic::kMaxItems; ++i) many += "i\r\n";
    ASSERT_FALSE(rig.logic.SetList(many).has_value());
    EXPECT_EQ(rig.logic.GetCount(), ListBoxLogic::kMaxItems);
    bool added = true;
    common::Outcome failed = rig.logic.AddItem("one more", -1, added);
    ASSERT_TRUE(failed.has_value());
    EXPECT_NE(failed->description.find("32767"), std::string::npos);
    EXPECT_FALSE(added);
    EXPECT_EQ(rig.logic.GetCount(), ListBoxLogic::kMaxItems);
    rig.logic.SetList("a\r\n");
    EXPECT_TRUE(rig.logic.SetList(many + "past\r\n").has_value());
    EXPECT_EQ(rig.Items(), Items{"a"});
}

// The item ends themselves are ListTextTest's; here List goes through them.
TEST(ListBoxLogicTest, ListIsReadAndWrittenAsTheListText) {
    Created rig;
    EXPECT_FALSE(rig.logic.SetList("A;B\rC\r"));
    EXPECT_EQ(rig.Items(), (Items{"B", "C"}));
    EXPECT_EQ(rig.logic.GetList(), "B\r\nC");
    EXPECT_GT(rig.modified, 0);
}

TEST(ListBoxLogicTest, SortedListHoldsByteOrderWhateverTheAdditionOrder) {
    Created rig;
    rig.logic.SetSort(true);
    rig.Add("B");
    rig.Add("A");
    rig.Add("C", 0);  // the index gives way to the order
    EXPECT_EQ(rig.Items(), (Items{"A", "B", "C"}));
    EXPECT_EQ(rig.Save().Find("List")->text, "A\r\nB\r\nC\r\n");

    // Turning sorting on sorts what is there; off keeps the order and
    // appends again.
    rig.logic.SetSort(false);
    rig.Add("0");
    rig.Add(Bytes({0xA4}), 1);
    EXPECT_EQ(rig.Items(), (Items{"A", Bytes({0xA4}), "B", "C", "0"}));
    rig.logic.SetSort(true);
    EXPECT_EQ(rig.Items(), (Items{"0", "A", "B", "C", Bytes({0xA4})}));
}

TEST(ListBoxLogicTest, WholeListChangesReachTheWindowAsOneBatch) {
    Created rig;
    const int before = rig.store.Batches();
    rig.logic.SetList("c\rb\ra");
    rig.logic.SetSort(true);
    rig.logic.SetFontSize(20);  // every row gets the new height
    rig.Load(rig.Save());
    EXPECT_EQ(rig.store.UpdateDepth(), 0);
    EXPECT_EQ(rig.store.Batches() - before, 4);
    EXPECT_EQ(rig.Items(), (Items{"a", "b", "c"}));
}

TEST(ListBoxLogicTest, HindiWordsSortInDictionaryOrder) {
    // ISCII codes follow the order of the Devanagari alphabet: anusvara
    // before the consonants, the inherent vowel before the vowel signs, and
    // a half consonant after every vowel sign of its consonant.
    const std::vector<std::u16string> dictionary{
        u"अंगूर", u"अकबर", u"अनार",  u"आम",   u"इमली", u"उल्लू", u"कमल",
        u"कान",   u"किताब", u"कौआ",  u"क्षत्रिय", u"खरगोश", u"गमला", u"घर",
        u"चम्मच", u"जहाज", u"तोता",  u"दवा",  u"नमक",  u"पानी", u"फल",
        u"बकरी",  u"मकान", u"मोर",   u"राजा", u"शेर",  u"सेब",  u"हाथी"};
    Items expected;
    for (const std::u16string& word : dictionary) expected.push_back(Hindi(word));
    Created rig;
    rig.logic.SetSort(true);
    // Added in a scrambled order, one at a time and then as a List.
    for (std::size_t i = 0; i < expected.size(); ++i) rig.Add(expected[(i * 11) % expected.size()]);
    EXPECT_EQ(rig.Items(), expected);
    std::string list;
    for (std::size_t i = expected.size(); i-- > 0;) list += expected[(i * 5) % expected.size()] + "\r";
    rig.logic.SetList(list);
    EXPECT_EQ(rig.Items(), expected);
}

TEST(ListBoxLogicTest, SetCurSelAndRemoveItemSayWhetherTheyWorked) {
    Created rig;
    rig.logic.SetList("a\rb");
    EXPECT_TRUE(rig.logic.SetCurSel(0));  // index 0 is a success
    EXPECT_EQ(rig.logic.GetCurSel(), 0);
    EXPECT_FALSE(rig.logic.SetCurSel(2));
    EXPECT_FALSE(rig.logic.SetCurSel(-5));
    EXPECT_TRUE(rig.logic.SetCurSel(-1));  // clearing is a success
    EXPECT_EQ(rig.logic.GetCurSel(), -1);
    EXPECT_FALSE(rig.logic.RemoveItem(2));
    EXPECT_TRUE(rig.logic.RemoveItem(1));
    EXPECT_TRUE(rig.logic.RemoveItem(0));  // no items left is still a success
    EXPECT_EQ(rig.logic.GetCount(), 0);
}

TEST(ListBoxLogicTest, SelectedItemsNeverMoreThanAskedOrSelected) {
    Created rig;
    rig.logic.SetList("a\rb\rc\rd");
    EXPECT_FALSE(rig.logic.GetSelectedItems(4).has_value());  // single selection
    EXPECT_EQ(rig.logic.SelCount(), 0);
    rig.logic.SetMultipleSelection(true);
    rig.store.Click(1);
    rig.store.Click(3, true);
    EXPECT_EQ(rig.logic.SelCount(), 2);
    EXPECT_EQ(*rig.logic.GetSelectedItems(100), (std::vector<int>{1, 3}));
    EXPECT_EQ(*rig.logic.GetSelectedItems(1), std::vector<int>{1});
    EXPECT_TRUE(rig.logic.GetSelectedItems(-7)->empty());  // not a huge count
    EXPECT_TRUE(rig.logic.GetSelectedItems(0)->empty());
}

// What a screen reader is told: each item a child named in Unicode, its
// selection and focus, where its row is (nowhere once scrolled out of
// view), and every selection move announced with the item that took it.
TEST(ListBoxLogicTest, AssistiveTechnologyReadsItemsStatesAndPlaces) {
    vexa::test::HeardChanges heard;
    Created rig;
    rig.logic.Listen(&heard);
    rig.logic.SetList(Hindi(u"नमस्ते") + "\rb\rc\rd\re\rf\rg\rh\ri\rj\rk\rl");
    ASSERT_EQ(rig.logic.ChildCount(), 12);
    EXPECT_EQ(rig.logic.Name(1), u"नमस्ते");
    EXPECT_EQ(rig.logic.Name(2), u"b");
    EXPECT_EQ(rig.logic.Role(0), common::AccessibleRole::kList);
    EXPECT_EQ(rig.logic.Role(3), common::AccessibleRole::kListItem);

    const int h = rig.logic.ItemHeight();
    const platform::Rect client{0, 0, 200, h * 4};
    EXPECT_EQ(rig.logic.ChildLocation(2, client), (platform::Rect{0, h, 200, 2 * h}));
    EXPECT_TRUE(rig.logic.ChildLocation(5, client).IsEmpty());  // below the fourth row
    EXPECT_EQ(rig.logic.ChildAt({5, h + 1}, client), 2);
    rig.logic.SetTopIndex(3);
    EXPECT_TRUE(rig.logic.ChildLocation(3, client).IsEmpty());  // scrolled above
    EXPECT_EQ(rig.logic.ChildLocation(4, client), (platform::Rect{0, 0, 200, h}));
    EXPECT_EQ(rig.logic.ChildAt({5, 1}, client), 4);

    EXPECT_EQ(rig.logic.States(2), common::kStateSelectable | common::kStateFocusable);
    EXPECT_TRUE(rig.logic.Select(3, common::kSelectTakeFocus | common::kSelectTakeSelection));
    EXPECT_EQ(rig.logic.GetCurSel(), 2);
    EXPECT_EQ(rig.logic.States(3) & (common::kStateSelected | common::kStateFocused),
              common::kStateSelected | common::kStateFocused);
    EXPECT_EQ(rig.logic.SelectedChildren(), std::vector<int>{3});
    using C = common::AccessibleChange;
    EXPECT_EQ(heard.changes, (std::vector<C>{C::kSelection, C::kFocus}));
    EXPECT_EQ(heard.children, (std::vector<int>{3, 3}));
    EXPECT_FALSE(rig.logic.Select(13, common::kSelectTakeSelection));
    EXPECT_FALSE(rig.logic.Select(1, common::kSelectAdd));  // one selection only

    rig.logic.SetMultipleSelection(true);
    rig.store.Click(1);
    rig.store.Click(3, true);
    EXPECT_EQ(rig.logic.SelectedChildren(), (std::vector<int>{2, 4}));
    EXPECT_NE(rig.logic.States(0) & common::kStateMultiSelectable, 0u);
}

TEST(ListBoxLogicTest, FindStringStartsAtTheGivenIndex) {
    Created rig;
    rig.logic.SetList("alpha\rbeta\ralpine");
    EXPECT_EQ(rig.logic.FindString(0, false, "al"), 0);
    EXPECT_EQ(rig.logic.FindString(1, false, "al"), 2);
    EXPECT_EQ(rig.logic.FindString(1, true, "alpha"), 0);
    EXPECT_EQ(rig.logic.FindString(0, false, "gamma"), -1);
}

TEST(ListBoxLogicTest, RowsAreWholeAndAZeroItemHeightDividesNothing) {
    Created rig;
    const int h = rig.logic.ItemHeight();
    ASSERT_GT(h, 0);
    EXPECT_EQ(rig.logic.FittedHeight(h * 10 + h / 2), h * 10);
    EXPECT_EQ(rig.logic.FittedHeight(h * 3), h * 3);
    rig.Add("x");
    EXPECT_EQ(rig.store.ItemHeight(0), h);
    rig.logic.SetFontSize(0);
    EXPECT_EQ(rig.logic.ItemHeight(), 0);
    EXPECT_EQ(rig.logic.FittedHeight(105), 105);
    rig.Add("y");
    EXPECT_EQ(rig.store.ItemHeight(1), 0);
    EXPECT_EQ(rig.Save().Find("FontSize")->number, 0);  // size 0 is kept as it is
}

TEST(ListBoxLogicTest, ItemsSavedInADataFormatLoadWithoutASecondConversion) {
    Created rig;
    rig.logic.SetMultipleSelection(true);
    rig.logic.SetIsciiDataFormat(2);
    rig.logic.SetList(*script::StoredTextInFormat(Hindi(u"कमल") + "\r" + Hindi(u"अनार"), 2));
    const common::PropertyMap saved = rig.Save();

    ListBoxRig again;
    again.Load(saved);
    EXPECT_EQ(again.Items(), (Items{Hindi(u"कमल"), Hindi(u"अनार")}));  // no second conversion
    ASSERT_TRUE(again.Create());
    EXPECT_EQ(again.logic.Props().scriptName, "Devanagari");
    EXPECT_TRUE(again.store.Multiple());
    EXPECT_GT(again.store.ItemHeight(1), 0);
}

TEST(ListBoxLogicTest, SettingsFileWrittenAtDesignTimeAndReadAtRunTime) {
    Created designer;
    designer.logic.SetSort(true);
    designer.logic.SetFontSize(20);
    designer.logic.SetGlobalSettings(true);
    designer.Save(/*userMode=*/false);

    ListBoxRig user;
    user.files = designer.files;
    common::PropertyMap map;
    map.Set("AccessGlobal", {common::PropertyType::Bool, 1, {}});
    map.Set("List", {common::PropertyType::String, 0, "b\r\na\r\n"});
    user.Load(map, /*userMode=*/true);
    EXPECT_TRUE(user.logic.Props().sort);
    EXPECT_EQ(user.logic.Props().fontSize, 20);
    EXPECT_EQ(user.Items(), (Items{"a", "b"}));  // sorted by the file's Sort
}

TEST(ListBoxLogicTest, WithoutConvertersTheUserDecides) {
    ListBoxRig rig("/nonexistent");
    rig.LoadFresh();
    rig.platform.messages.AnswerNext(platform::MessageAnswer::No);
    EXPECT_FALSE(rig.Create());
    ListBoxRig yes("/nonexistent");
    yes.LoadFresh();
    yes.platform.messages.AnswerNext(platform::MessageAnswer::Yes);
    ASSERT_TRUE(yes.Create());
    EXPECT_TRUE(yes.logic.EnglishMode());
    EXPECT_EQ(yes.logic.Props().scriptName, "English");
}

}  // namespace
}  // namespace vexa::listbox::test
