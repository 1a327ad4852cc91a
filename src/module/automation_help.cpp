#include "module/automation_help.h"

#include <array>

namespace vexa::module {

namespace {

using enum HelpFor;

// What every member does, in a line a host shows in its object browser.
// Members of the same name mean the same in every class unless a class has
// its own entry.
constexpr std::array kHelp{
    // Script, font and keyboard settings, shared by every control.
    HelpEntry{Member, "", "ScriptName",
              "Script of the text, as named in the script list (\"Devanagari\", \"Tamil\", ...); "
              "\"English\" turns conversion off"},
    HelpEntry{Member, "", "FontName",
              "Face of the script font; set to the script's default face "
              "when ScriptName changes"},
    HelpEntry{Member, "", "FontSize", "Size of the fonts in points"},
    HelpEntry{Member, "", "FontType", "Font family kind that picks converters and faces"},
    HelpEntry{Member, "", "KeyboardType", "Keyboard that turns key presses into script text"},
    HelpEntry{Member, "", "LinFile",
              "Layout file (*.lin) of the typewriter keyboard, used when KeyboardType is 2"},
    HelpEntry{Member, "", "DisableEnglish",
              "True: no key types English; Caps Lock then shifts the script keyboard"},
    HelpEntry{Member, "", "ISCIIDataFormat", "Form in which text properties read and write ISCII"},
    HelpEntry{Member, "", "GlobalSettings",
              "True: saving at design time stores these settings as the defaults of every "
              "control of this kind"},
    HelpEntry{Member, "", "AccessGlobal",
              "True: take the settings from the settings file of this kind of control"},
    // Stock properties and methods.
    HelpEntry{Member, "", "Enabled", "True when the control accepts mouse and keyboard input"},
    HelpEntry{Member, "", "hWnd", "Window handle of the control (read-only); 0 while it has no window"},
    HelpEntry{Member, "", "ForeColor", "Colour of the text"},
    HelpEntry{Member, "", "BackColor", "Colour of the background"},
    HelpEntry{Member, "", "Appearance", "Look of the border: 0 flat, 1 three-dimensional"},
    HelpEntry{Member, "", "BorderStyle",
              "Border: 0 none, 1 fixed single line (sunken when Appearance is 1); the frame "
              "changes at once"},
    HelpEntry{Member, "VEdit", "BorderStyle",
              "Border: 0 none, 1 fixed single line (sunken when Appearance is 1); 1 for a new "
              "control; the frame changes at once"},
    HelpEntry{Member, "", "AboutBox", "Shows the control's about box"},
    HelpEntry{Member, "", "Caption", "Caption in ISCII, as set at design time"},
    HelpEntry{Member, "", "Text",
              "Text shown by the control, in ISCII; setting it also sets Caption"},
    // The Unicode twins of the text members (never saved with the form).
    HelpEntry{Member, "", "UnicodeCaption",
              "Caption in UTF-16, in the script's Unicode block; text the script cannot hold is "
              "refused whole, naming the first such character as U+XXXX and its position"},
    HelpEntry{Member, "", "UnicodeText",
              "Text in UTF-16 (the script's block; INV reads as ZWJ, soft line ends as CR LF, a "
              "code with no letter as U+FFFD); text the script cannot hold is refused whole, "
              "naming the first such character as U+XXXX and its position"},
    HelpEntry{Member, "VListBox", "UnicodeList",
              "Every item in UTF-16, each ended by CR LF; a list with text the script cannot hold "
              "is refused whole, naming the first such character as U+XXXX and its position"},
    HelpEntry{Member, "VListBox", "GetUnicodeItem",
              "Text of the item at nIndex in UTF-16; empty when there is no such item"},
    HelpEntry{Member, "VListBox", "SetUnicodeItem",
              "Replaces the text of the item at nIndex with Str (UTF-16); False when there is no "
              "such item; refused when the script cannot hold Str"},
    HelpEntry{Member, "VListBox", "AddUnicodeItem",
              "Adds Str (UTF-16) at nIndex (-1: the end; a sorted list places it); refused when "
              "the script cannot hold it"},
    HelpEntry{Member, "VListBox", "GetUnicodeSelection",
              "Text of the selected items in UTF-16, each ended by CR LF"},
    // Caption controls.
    HelpEntry{Member, "", "PushLike", "True: the button looks like a push button"},
    HelpEntry{Member, "", "Auto", "True: a click changes the check state by itself"},
    HelpEntry{Member, "", "Alignment", "Side of the box the caption stands on"},
    HelpEntry{Member, "VCheckBox", "Value",
              "Check state: setting a non-zero value checks the box; reads 0 or 1 from the window"},
    HelpEntry{Member, "VCheckBox", "_Value", "Default value: the check state (same as Value)"},
    HelpEntry{Member, "VRadioButton", "Value", "True when the button is selected"},
    HelpEntry{Member, "VRadioButton", "_Value", "Default value: the selection (same as Value)"},
    HelpEntry{Member, "VPushButton", "BackColor",
              "Kept for compatibility: always reads 0, setting it only marks the control modified"},
    HelpEntry{Member, "VPushButton", "ForeColor",
              "Kept for compatibility: always reads 0, setting it only marks the control modified"},
    // VEdit.
    HelpEntry{Member, "VEdit", "AutoHScroll",
              "True: a line scrolls sideways as it grows; false: the text wraps"},
    HelpEntry{Member, "VEdit", "HScrollBar", "True: shows a horizontal scroll bar"},
    HelpEntry{Member, "VEdit", "AutoVScroll",
              "True: lines may be added beyond the visible rows (multi-line controls)"},
    HelpEntry{Member, "VEdit", "VScrollBar", "True: shows a vertical scroll bar"},
    HelpEntry{Member, "VEdit", "WantReturn", "True: Enter inserts a line break"},
    HelpEntry{Member, "VEdit", "ReadOnly", "True: keys cannot change the text"},
    HelpEntry{Member, "VEdit", "MultiLine", "True: the control holds more than one line"},
    HelpEntry{
        Member, "VEdit", "Password",
        "True: the text is shown masked and cannot be copied; the control becomes single-line"},
    HelpEntry{Member, "VEdit", "SelStart", "Offset of the selection's start in the text, in bytes"},
    HelpEntry{Member, "VEdit", "SelLength", "Length of the selection in bytes; 0 when none"},
    HelpEntry{Member, "VEdit", "Text",
              "The text, in the form ISCIIDataFormat names; line ends, alike in all forms: Enter "
              "gives 0x0D, a host's stay as assigned (8-bit puts CR before a lone LF), wraps "
              "show 0x04 (space), 0x05 (tab), 0x1D (in a word); bound: the container may "
              "refuse a change"},
    HelpEntry{Member, "VEdit", "_Text", "Default value: the text (same as Text)"},
    HelpEntry{Member, "VEdit", "Cut", "Moves the selection to the clipboard"},
    HelpEntry{Member, "VEdit", "Copy", "Copies the selection to the clipboard"},
    HelpEntry{Member, "VEdit", "Paste", "Replaces the selection with the clipboard's text"},
    HelpEntry{Member, "VEdit", "ShowFindDialog", "Opens the Find dialog for this control"},
    HelpEntry{Member, "VEdit", "ShowReplaceDialog", "Opens the Replace dialog for this control"},
    HelpEntry{Member, "VEdit", "GetScriptList",
              "Names of the scripts whose converter is installed, each followed by \";\""},
    HelpEntry{Member, "VEdit", "GetFontList",
              "Faces of the current script, each followed by \";\"; \"English\" for English"},
    HelpEntry{Member, "VEdit", "GetFormattedZIRVOText",
              "The text in font codes, cut into lines of about nLineWidth pixels (nFontSize is "
              "not used)"},
    HelpEntry{Member, "VEdit", "GetZIRVOText",
              "Converts an ISCII string to the font codes of the current script"},
    HelpEntry{Member, "VEdit", "Undo",
              "Swaps the text with the copy saved before the last typing; returns 0"},
    // VStatic.
    HelpEntry{Member, "VStatic", "Alignment", "Horizontal place of the text"},
    HelpEntry{Member, "VStatic", "Caption", "The label's text, in the form ISCIIDataFormat names"},
    HelpEntry{Member, "VStatic", "Text", "The label's text, in the form ISCIIDataFormat names"},
    HelpEntry{Member, "VStatic", "LinkColor", "Colour of a link not yet visited"},
    HelpEntry{Member, "VStatic", "VisitedColor", "Colour of a link after it was opened"},
    HelpEntry{Member, "VStatic", "HoverColor", "Colour of a link under the mouse"},
    HelpEntry{Member, "VStatic", "URL", "http, https or mailto address a click on the link opens (nothing else is opened)"},
    HelpEntry{Member, "VStatic", "IsURL", "True: the label acts as a hyperlink to URL"},
    HelpEntry{Member, "VStatic", "Underline", "True: a hyperlink is drawn underlined"},
    // VListBox and VComboBox.
    HelpEntry{Member, "", "Sort", "True: items are kept in ISCII byte order"},
    HelpEntry{Member, "", "List", "The stored item text"},
    HelpEntry{Member, "VComboBox", "_List", "Default value: the stored item text (same as List)"},
    HelpEntry{Member, "VComboBox", "Style", "Kind of combo box"},
    HelpEntry{Member, "VListBox", "Sort",
              "True: items are kept in ISCII byte order, by the control itself: its window is "
              "a no-data LISTBOX without LBS_SORT"},
    HelpEntry{Member, "VListBox", "hWnd",
              "Window handle of the list (read-only): a no-data LISTBOX (LBS_NODATA) that holds "
              "only the number of items, so LB_GETTEXT reads nothing; use GetItemText"},
    HelpEntry{Member, "VListBox", "MultipleSelection", "True: several items can be selected"},
    HelpEntry{Member, "VListBox", "SelCount", "Number of selected items (read-only)"},
    HelpEntry{Member, "VListBox", "TopIndex", "Index of the first visible item"},
    HelpEntry{Member, "VListBox", "GetCount", "Number of items"},
    HelpEntry{Member, "VListBox", "GetCurSel", "Index of the selected item; -1 when none"},
    HelpEntry{Member, "VListBox", "SetCurSel", "Selects the item at Index (zero-based)"},
    HelpEntry{Member, "VListBox", "FindString",
              "Index of the first item from IndexStartFrom that equals Str (WantExactMatch) or "
              "begins with it; -1 when none"},
    HelpEntry{Member, "VListBox", "Clear", "Removes every item"},
    HelpEntry{Member, "VListBox", "RemoveItem", "Removes the item at nIndex"},
    HelpEntry{Member, "VListBox", "GetSelectedItems",
              "Fills ArrItems with up to nMaxItems indices of selected items"},
    HelpEntry{Member, "VListBox", "AddItem",
              "Adds Str (in the form ISCIIDataFormat names) at nIndex; -1 adds at the end"},
    HelpEntry{Member, "VListBox", "GetItemText",
              "Text of the item at nIndex, in the form ISCIIDataFormat names"},
    // Events.
    HelpEntry{Event, "", "Click", "Fired when the control is clicked"},
    HelpEntry{Event, "", "DblClick", "Fired when the control is double-clicked"},
    HelpEntry{Event, "", "KeyDown",
              "Fired when a key is pressed; KeyCode is the virtual key, Shift has bit 0 Shift, "
              "bit 1 Ctrl, bit 2 Alt"},
    HelpEntry{Event, "", "KeyUp",
              "Fired when a key is released; KeyCode is the virtual key, Shift has bit 0 Shift, "
              "bit 1 Ctrl, bit 2 Alt"},
    HelpEntry{Event, "VEdit", "KeyPress",
              "Fired after KeyDown for keys whose virtual-key code is below 128"},
    HelpEntry{Event, "VEdit", "CHANGE",
              "Fired after a key, Backspace, Delete, Enter or a paste "
              "that may have changed the text"},
    HelpEntry{Event, "VEdit", "SETFOCUS", "Fired when the control gains the keyboard focus"},
    HelpEntry{Event, "VEdit", "KILLFOCUS", "Fired when the control loses the keyboard focus"},
    HelpEntry{Event, "VEdit", "Selected", "Fired once when a selection comes into being"},
    HelpEntry{Event, "VEdit", "UnSelected", "Fired once when the selection disappears"},
};

}  // namespace

std::span<const HelpEntry> HelpTable() { return kHelp; }

const HelpEntry* FindHelp(HelpFor kind, std::string_view owner, std::string_view name) {
    const HelpEntry* shared = nullptr;
    for (const HelpEntry& e : kHelp) {
        if (e.kind != kind || e.name != name) continue;
        if (e.owner == owner) return &e;
        if (e.owner.empty()) shared = &e;
    }
    return shared;
}

std::string WithValues(std::string_view text, const EnumType& values) {
    std::string out(text);
    out += " (";
    for (std::size_t i = 0; i < values.values.size(); ++i) {
        if (i > 0) out += ", ";
        out += std::to_string(values.values[i].value);
        out += ' ';
        out += values.values[i].meaning;
    }
    out += ')';
    return out;
}

}  // namespace vexa::module
