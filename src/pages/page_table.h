#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace vexa::pages {

// How a dialog field shows its property.
enum class FieldKind {
    Text,       // an edit box (or a combo box's edit part): the value as text
    Check,      // a check box: a boolean
    ListIndex,  // a drop-down list: the selected index is the number
    ListText,   // a drop-down list: the selected item's text is the string
    Number,     // an edit box holding a 32-bit value as signed decimal text (colours)
    Radio,      // a group of radio buttons with consecutive ids: the checked one's position
};

// One field of a page tied to a property of the control, by the property's
// automation name, so a page works for any control that has the property.
struct PageField {
    int controlId;
    std::string_view property;
    FieldKind kind;
    int count = 0;  // Radio: the number of buttons of the group
};

enum class PageKind { General, Second, Third, About, Url };

// One property page class of the module.
struct PageClass {
    std::string_view className;  // the class table's name
    PageKind kind;
    int dialogId;
    std::string_view title;
    std::string_view controlName;  // general pages: the control they serve
    std::vector<PageField> fields; // exchanged in this order
};

// Every page class, general pages first.
inline constexpr std::size_t kPageClassCount = 11;
const std::vector<PageClass>& PageClasses();
const PageClass* FindPageClass(std::string_view className);

// A field every general page has after its style fields (size, the global
// settings, DisableEnglish).
bool IsSharedGeneralField(std::string_view property);

// The page classes a control lists, in order; empty for an unknown control.
std::vector<std::string_view> PagesOfControl(std::string_view controlName);

// Identifiers shared by the pages' dialogs.
namespace ids {
inline constexpr int kEditor = 224;
inline constexpr int kScriptList = 209;
inline constexpr int kFontList = 249;
inline constexpr int kSizeList = 228;
inline constexpr int kKeyboardList = 266;
inline constexpr int kEditKeyboardList = 229;  // the edit control's page
inline constexpr int kTypewriterList = 288;
inline constexpr int kDisableEnglish = 265;
inline constexpr int kGlobalSettings = 254;
inline constexpr int kAccessGlobal = 255;
inline constexpr int kSetDefaults = 263;
inline constexpr int kRestoreDefaults = 264;
inline constexpr int kFontType = 286;
inline constexpr int kColourSelector = 276;
inline constexpr int kSelectColour = 277;
}  // namespace ids

// The items of the fixed lists.
inline constexpr std::string_view kSizeItems[] = {"14", "16", "18", "20", "24",
                                                  "28", "36", "48", "72", "100"};
inline constexpr std::string_view kKeyboardItems[] = {"Inscript", "Phonetic", "Typewriter"};

}  // namespace vexa::pages
