#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "module/automation_catalogue.h"
#include "module/automation_help.h"

namespace vexa::module {
namespace {

// Hosts compiled against the type library call members by these numbers:
// none may move. Every interface, member by member, in catalogue order.
constexpr const char* kDispIds =
    "_DVCheckBox: 1 PushLike 2 Auto 3 ScriptName 4 FontSize 5 Alignment 6 DisableEnglish "
    "7 KeyboardType 8 LinFile 9 Value 10 FontName 11 GlobalSettings 12 AccessGlobal 13 "
    "Caption 0 _Value -514 Enabled -515 hWnd -513 ForeColor -501 BackColor -517 Text 14"
    " UnicodeCaption 15 UnicodeText -552 AboutBox\n"
    "_DVCheckBoxEvents: -600 Click\n"
    "_DVEdit: 1 AutoHScroll 2 HScrollBar 3 AutoVScroll 4 VScrollBar 5 WantReturn 6 "
    "ReadOnly 7 MultiLine 8 FontSize 9 Password 10 ScriptName 11 ISCIIDataFormat 12 "
    "DisableEnglish 13 KeyboardType 14 LinFile 15 SelStart 16 SelLength 17 FontName 18 "
    "GlobalSettings 19 AccessGlobal 20 FontType 21 Cut 22 Copy 23 Paste 24 ShowFindDialog"
    " 25 ShowReplaceDialog 26 GetScriptList 27 GetFontList 28 GetFormattedZIRVOText 29 "
    "GetZIRVOText 30 Undo 0 _Text -520 Appearance -514 Enabled -515 hWnd -504 BorderStyle"
    " -501 BackColor -513 ForeColor -517 Text 31 UnicodeText -552 AboutBox\n"
    "_DVEditEvents: 1 CHANGE 2 SETFOCUS 3 KILLFOCUS 4 Selected 5 UnSelected -602 KeyDown "
    "-604 KeyUp -603 KeyPress\n"
    "_DVGroupBox: 1 ScriptName 2 FontSize 3 DisableEnglish 4 KeyboardType 5 LinFile 6 "
    "FontName 7 GlobalSettings 8 AccessGlobal 9 Caption -515 hWnd -514 Enabled -517 Text "
    "10 UnicodeCaption 11 UnicodeText -552 AboutBox\n"
    "_DVGroupBoxEvents:\n"
    "_DVListBox: 1 Sort 2 MultipleSelection 3 ScriptName 4 FontSize 5 ISCIIDataFormat 6 "
    "KeyboardType 7 DisableEnglish 8 LinFile 9 List 10 SelCount 11 TopIndex 12 FontName "
    "13 AccessGlobal 14 GlobalSettings 15 GetCount 16 GetCurSel 17 SetCurSel 18 "
    "FindString 19 Clear 20 RemoveItem 21 GetSelectedItems 22 AddItem 23 GetItemText 24 "
    "GetUnicodeItem 25 SetUnicodeItem 26 AddUnicodeItem 27 GetUnicodeSelection -520"
    " Appearance -514 Enabled -515 hWnd -504 BorderStyle -501 BackColor -513 ForeColor "
    "28 UnicodeList -552 AboutBox\n"
    "_DVListBoxEvents: -600 Click -601 DblClick -602 KeyDown -604 KeyUp\n"
    "_DVPushButton: 1 ScriptName 2 FontSize 3 DisableEnglish 4 KeyboardType 5 LinFile 6 "
    "FontName 7 AccessGlobal 8 GlobalSettings 9 BackColor 10 ForeColor 11 Caption -514 "
    "Enabled -515 hWnd -517 Text 12 UnicodeCaption 13 UnicodeText -552 AboutBox\n"
    "_DVPushButtonEvents: -600 Click\n"
    "_DVRadioButton: 1 Auto 2 ScriptName 3 FontSize 4 Alignment 5 DisableEnglish 6 "
    "KeyboardType 7 LinFile 8 PushLike 9 Value 10 FontName 11 AccessGlobal 12 "
    "GlobalSettings 13 Caption 0 _Value -514 Enabled -515 hWnd -517 Text 14 UnicodeCaption 15 "
    "UnicodeText -552 AboutBox\n"
    "_DVRadioButtonEvents: -600 Click\n"
    "_DVStatic: 1 ScriptName 2 FontSize 3 Alignment 4 ISCIIDataFormat 5 BackColor 6 "
    "ForeColor 7 DisableEnglish 8 KeyboardType 9 LinFile 10 FontName 11 AccessGlobal 12 "
    "GlobalSettings 13 LinkColor 14 VisitedColor 15 HoverColor 16 URL 17 IsURL 18 "
    "Underline 19 Caption -515 hWnd -504 BorderStyle -520 Appearance -517 Text 20 "
    "UnicodeCaption 21 UnicodeText -552 AboutBox\n"
    "_DVStaticEvents: -600 Click\n"
    "_DVComboBox: 1 ScriptName 2 FontSize 3 Sort 4 Style 5 List 0 _List -520 Appearance "
    "-515 hWnd -552 AboutBox\n"
    "_DVComboBoxEvents: -600 Click\n"
    "IFindDialog:\n"
    "IReplaceDialog:\n";

TEST(Catalogue, DispIdsArePinned) {
    std::string listing;
    for (const CoClass& c : Catalogue().classes)
        for (const DispInterface* d : {&c.dispatch, &c.events}) {
            if (d->name.empty()) continue;
            listing += std::string(d->name) + ":";
            for (const Member& m : d->members)
                listing += " " + std::to_string(m.dispId) + " " + std::string(m.name);
            listing += "\n";
        }
    EXPECT_EQ(listing, kDispIds);
}

bool Printable(std::string_view text) {
    for (char c : text)
        if (!std::isprint(static_cast<unsigned char>(c))) return false;
    return true;
}

TEST(Catalogue, EveryTypeAndMemberHasAShortHelpString) {
    auto checkText = [](std::string_view text, const std::string& where) {
        EXPECT_FALSE(text.empty()) << where;
        EXPECT_LE(text.size(), kMaxHelpLength) << where;
        EXPECT_TRUE(Printable(text)) << where;
    };
    for (const CoClass& c : Catalogue().classes) {
        checkText(c.helpString, std::string(c.name));
        for (const DispInterface* d : {&c.dispatch, &c.events}) {
            if (d->name.empty()) continue;
            checkText(d->helpString, std::string(d->name));
            for (const Member& m : d->members)
                checkText(m.helpString, std::string(d->name) + "." + std::string(m.name));
        }
    }
    for (const EnumType& e : Catalogue().enums) checkText(e.helpString, std::string(e.name));
}

// An entry that no member uses is misspelt or stale.
TEST(Catalogue, EveryHelpEntryDescribesAMember) {
    std::set<const HelpEntry*> used;
    for (const CoClass& c : Catalogue().classes) {
        for (const Member& m : c.dispatch.members)
            used.insert(FindHelp(HelpFor::Member, c.name, m.name));
        for (const Member& e : c.events.members)
            used.insert(FindHelp(HelpFor::Event, c.name, e.name));
    }
    for (const HelpEntry& e : HelpTable())
        EXPECT_TRUE(used.count(&e)) << (e.owner.empty() ? "*" : e.owner) << "." << e.name;
}

TEST(Catalogue, ClassEntriesOverrideTheSharedOnes) {
    const DispInterface& edit = Catalogue().FindClass("VEdit")->dispatch;
    const DispInterface& box = Catalogue().FindClass("VCheckBox")->dispatch;
    EXPECT_NE(edit.FindByName("Text")->helpString, box.FindByName("Text")->helpString);
    EXPECT_EQ(edit.FindByName("ScriptName")->helpString, box.FindByName("ScriptName")->helpString);
    EXPECT_EQ(Catalogue().FindClass("VPushButton")->dispatch.FindByName("BackColor")->helpString,
              FindHelp(HelpFor::Member, "VPushButton", "BackColor")->text);
}

// The values the host sees by name; the dispatch keeps the 16-bit type, so
// callers passing or reading numbers are unaffected.
TEST(Catalogue, NumberedPropertiesAreTypedByTheirEnumerations) {
    auto values = [](std::string_view name) {
        std::string out;
        for (const EnumValue& v : Catalogue().FindEnum(name)->values)
            out += std::string(v.name) + "=" + std::to_string(v.value) + " ";
        return out;
    };
    EXPECT_EQ(values("VexaKeyboardType"), "vxInscript=0 vxPhonetic=1 vxTypewriter=2 ");
    EXPECT_EQ(values("VexaISCIIDataFormat"), "vxISCII8Bit=0 vxISCII7Bit=1 vxPCISCII=2 ");
    EXPECT_EQ(values("VexaFontType"), "vxBilingual=0 vxMonolingual=1 ");
    EXPECT_EQ(values("VexaCaptionAlignment"), "vxCaptionLeft=0 vxCaptionRight=1 ");
    EXPECT_EQ(values("VexaTextAlignment"), "vxAlignLeft=0 vxAlignCenter=1 vxAlignRight=2 ");

    int typed = 0;
    for (const CoClass& c : Catalogue().classes)
        for (const Member& m : c.dispatch.members) {
            if (m.enumType.empty()) continue;
            ++typed;
            EXPECT_EQ(m.type, VarType::I2) << c.name << "." << m.name;
            ASSERT_NE(Catalogue().FindEnum(m.enumType), nullptr) << m.enumType;
            EXPECT_NE(m.helpString.find("(0 "), std::string_view::npos) << m.name;
        }
    // KeyboardType of seven controls, ISCIIDataFormat of three, FontType,
    // Alignment of the check box, the radio button and the label.
    EXPECT_EQ(typed, 7 + 3 + 1 + 3);
    EXPECT_EQ(Catalogue().FindClass("VStatic")->dispatch.FindByName("Alignment")->enumType,
              "VexaTextAlignment");
    EXPECT_EQ(Catalogue().FindClass("VRadioButton")->dispatch.FindByName("Alignment")->enumType,
              "VexaCaptionAlignment");
}

}  // namespace
}  // namespace vexa::module
