#include "module/automation_catalogue.h"

#include <cctype>
#include <deque>
#include <string>

#include "module/automation_help.h"

namespace vexa::module {

namespace {

using K = MemberKind;
using T = VarType;

Member P(int id, std::string_view name, T type, K kind) { return {id, name, type, kind}; }
Member M(int id, std::string_view name, T result, std::vector<Param> params = {}) {
    return {id, name, result, K::Method, std::move(params)};
}
Member E(int id, std::string_view name, std::vector<Param> params = {}) {
    return {id, name, T::Void, K::Event, std::move(params)};
}
Member Alias(std::string_view name, T type, std::string_view of) {
    return {kDispIdValue, name, type, K::DefaultValue, {}, of};
}
Member AboutBox() { return {kDispIdAboutBox, "AboutBox", T::Void, K::StockMethod}; }

std::vector<Param> KeyParams() { return {{"KeyCode", T::I2, true}, {"Shift", T::I2}}; }

// Owns the composed strings of the catalogue; a deque never moves them.
std::string_view Own(std::string s) {
    static std::deque<std::string> strings;
    strings.push_back(std::move(s));
    return strings.back();
}

CoClass Control(std::string_view name, std::string_view dispatchIid, std::string_view eventsIid,
                std::string_view clsid, std::vector<Member> members, std::vector<Member> events,
                bool control = true) {
    std::string n(name);
    CoClass c;
    c.name = name;
    c.helpString = Own(n + " Control");
    c.clsid = clsid;
    c.dispatch = {Own("_D" + n), Own("Dispatch interface for " + n + " Control"), dispatchIid,
                  std::move(members)};
    c.hasEvents = true;
    c.events = {Own("_D" + n + "Events"), Own("Event interface for " + n + " Control"), eventsIid,
                std::move(events)};
    c.control = control;
    return c;
}

CoClass Dialog(std::string_view name, std::string_view dispatchName, std::string_view iid,
               std::string_view clsid, std::string_view help) {
    CoClass c;
    c.name = name;
    c.helpString = help;
    c.clsid = clsid;
    c.dispatch = {dispatchName, help, iid, {}};
    return c;
}

// The numbered properties whose values have names.
std::vector<EnumType> Enums() {
    return {
        {"VexaKeyboardType", "Keyboards that turn key presses into script text",
         {{"vxInscript", 0, "Inscript"},
          {"vxPhonetic", 1, "Phonetic"},
          {"vxTypewriter", 2, "Typewriter"}}},
        {"VexaISCIIDataFormat", "Forms of ISCII text at the automation boundary",
         {{"vxISCII8Bit", 0, "8-bit ISCII"},
          {"vxISCII7Bit", 1, "7-bit ISCII in ASCII letters"},
          {"vxPCISCII", 2, "PC-ISCII"}}},
        {"VexaFontType", "Font family kinds",
         {{"vxBilingual", 0, "bilingual: the script face draws English too"},
          {"vxMonolingual", 1, "monolingual: English in a second face"}}},
        {"VexaCaptionAlignment", "Side of the box a check box or radio button caption stands on",
         {{"vxCaptionLeft", 0, "caption left of the box"},
          {"vxCaptionRight", 1, "caption right of the box"}}},
        {"VexaTextAlignment", "Horizontal alignment of a label's text",
         {{"vxAlignLeft", 0, "left"},
          {"vxAlignCenter", 1, "centre"},
          {"vxAlignRight", 2, "right (as any other value)"}}},
    };
}

// Which properties the type library types by which enumeration; an empty
// class applies to every class.
struct EnumUse {
    std::string_view owner;
    std::string_view member;
    std::string_view enumType;
};
constexpr EnumUse kEnumUses[] = {
    {"", "KeyboardType", "VexaKeyboardType"},
    {"", "ISCIIDataFormat", "VexaISCIIDataFormat"},
    {"", "FontType", "VexaFontType"},
    {"VCheckBox", "Alignment", "VexaCaptionAlignment"},
    {"VRadioButton", "Alignment", "VexaCaptionAlignment"},
    {"VStatic", "Alignment", "VexaTextAlignment"},
};

// Marks the read-only stock properties and the bound text of the edit
// control, types the numbered properties by their enumerations and gives
// every member its help string.
void Describe(TypeLibrary& lib) {
    for (CoClass& c : lib.classes) {
        for (Member& m : c.dispatch.members) {
            // The window handle is the framework's to give, never to take.
            m.readOnly = m.kind == MemberKind::Stock && m.dispId == kDispIdHwnd;
            m.bound = c.name == "VEdit" && m.dispId == kDispIdText;
            for (const EnumUse& use : kEnumUses)
                if ((use.owner.empty() || use.owner == c.name) && use.member == m.name)
                    m.enumType = use.enumType;
            const HelpEntry* help = FindHelp(HelpFor::Member, c.name, m.name);
            if (!help) continue;  // a test requires help for every member
            const EnumType* values = m.enumType.empty() ? nullptr : lib.FindEnum(m.enumType);
            m.helpString = values ? Own(WithValues(help->text, *values)) : help->text;
        }
        for (Member& e : c.events.members)
            if (const HelpEntry* help = FindHelp(HelpFor::Event, c.name, e.name))
                e.helpString = help->text;
    }
}

TypeLibrary Build() {
    TypeLibrary lib;
    lib.name = "VEXA_OCXLib";
    lib.libid = "87AE5FB9-9808-402D-B852-18B49CB461A3";
    lib.majorVersion = 1;
    lib.minorVersion = 0;
    lib.lcid = 1033;
    lib.helpString = "Vexa_OCX ActiveX Control module";
    lib.helpFile = "Vexa_OCX.hlp";

    lib.classes.push_back(Control(
        "VCheckBox", "E3597B0A-52FB-4648-AEC0-F9FAA8A59372", "E84EAA92-EC2A-4A5D-8681-7B654561BFAD",
        "D4726D6B-11C0-428E-9C1B-ECD2EB8076DB",
        {P(1, "PushLike", T::Bool, K::Stored), P(2, "Auto", T::Bool, K::Stored),
         P(3, "ScriptName", T::Bstr, K::Stored), P(4, "FontSize", T::I2, K::Stored),
         P(5, "Alignment", T::I2, K::Stored), P(6, "DisableEnglish", T::Bool, K::Stored),
         P(7, "KeyboardType", T::I2, K::Stored), P(8, "LinFile", T::Bstr, K::Stored),
         P(9, "Value", T::I2, K::GetSet), P(10, "FontName", T::Bstr, K::GetSet),
         P(11, "GlobalSettings", T::Bool, K::GetSet), P(12, "AccessGlobal", T::Bool, K::GetSet),
         P(13, "Caption", T::Bstr, K::GetSet), Alias("_Value", T::I2, "Value"),
         P(kDispIdEnabled, "Enabled", T::Bool, K::Stock), P(kDispIdHwnd, "hWnd", T::Handle, K::Stock),
         P(kDispIdForeColor, "ForeColor", T::Color, K::Stock),
         P(kDispIdBackColor, "BackColor", T::Color, K::Stock),
         P(kDispIdText, "Text", T::Bstr, K::GetSet), P(14, "UnicodeCaption", T::UnicodeBstr, K::GetSet),
         P(15, "UnicodeText", T::UnicodeBstr, K::GetSet), AboutBox()},
        {E(kDispIdClick, "Click")}));

    lib.classes.push_back(Control(
        "VEdit", "E7C054A9-A473-4468-AA5F-445C33ECECEA", "000FA72F-111A-48BD-AC25-D54FA3233053",
        "A220A051-6AFF-4B93-9C32-3829B0EFFF62",
        {P(1, "AutoHScroll", T::Bool, K::Stored), P(2, "HScrollBar", T::Bool, K::Stored),
         P(3, "AutoVScroll", T::Bool, K::Stored), P(4, "VScrollBar", T::Bool, K::Stored),
         P(5, "WantReturn", T::Bool, K::Stored), P(6, "ReadOnly", T::Bool, K::Stored),
         P(7, "MultiLine", T::Bool, K::Stored), P(8, "FontSize", T::I2, K::Stored),
         P(9, "Password", T::Bool, K::Stored), P(10, "ScriptName", T::Bstr, K::Stored),
         P(11, "ISCIIDataFormat", T::I2, K::Stored), P(12, "DisableEnglish", T::Bool, K::Stored),
         P(13, "KeyboardType", T::I2, K::Stored), P(14, "LinFile", T::Bstr, K::Stored),
         P(15, "SelStart", T::I4, K::GetSet), P(16, "SelLength", T::I4, K::GetSet),
         P(17, "FontName", T::Bstr, K::GetSet), P(18, "GlobalSettings", T::Bool, K::GetSet),
         P(19, "AccessGlobal", T::Bool, K::GetSet), P(20, "FontType", T::I2, K::GetSet),
         M(21, "Cut", T::Void), M(22, "Copy", T::Void), M(23, "Paste", T::Void),
         M(24, "ShowFindDialog", T::Void), M(25, "ShowReplaceDialog", T::Void),
         M(26, "GetScriptList", T::Bstr), M(27, "GetFontList", T::Bstr),
         M(28, "GetFormattedZIRVOText", T::Bstr, {{"nFontSize", T::I2}, {"nLineWidth", T::I4}}),
         M(29, "GetZIRVOText", T::Bstr, {{"lpszISCIIText", T::Bstr}}), M(30, "Undo", T::I4),
         Alias("_Text", T::Bstr, "Text"), P(kDispIdAppearance, "Appearance", T::I2, K::Stock),
         P(kDispIdEnabled, "Enabled", T::Bool, K::Stock), P(kDispIdHwnd, "hWnd", T::Handle, K::Stock),
         P(kDispIdBorderStyle, "BorderStyle", T::I2, K::Stock),
         P(kDispIdBackColor, "BackColor", T::Color, K::Stored),
         P(kDispIdForeColor, "ForeColor", T::Color, K::Stored),
         P(kDispIdText, "Text", T::Bstr, K::GetSet), P(31, "UnicodeText", T::UnicodeBstr, K::GetSet),
         AboutBox()},
        {E(1, "CHANGE"), E(2, "SETFOCUS"), E(3, "KILLFOCUS"), E(4, "Selected"), E(5, "UnSelected"),
         E(kDispIdKeyDown, "KeyDown", KeyParams()), E(kDispIdKeyUp, "KeyUp", KeyParams()),
         E(kDispIdKeyPress, "KeyPress", {{"KeyAscii", T::I2, true}})}));

    lib.classes.push_back(Control(
        "VGroupBox", "E7268842-38AB-4536-A62A-2B0AFB103AD3", "DB9901F4-08BF-4177-AC05-27D4D73D036D",
        "80365D37-71B8-4B0C-B1EF-A7E9882FF624",
        {P(1, "ScriptName", T::Bstr, K::Stored), P(2, "FontSize", T::I2, K::Stored),
         P(3, "DisableEnglish", T::Bool, K::Stored), P(4, "KeyboardType", T::I2, K::Stored),
         P(5, "LinFile", T::Bstr, K::Stored), P(6, "FontName", T::Bstr, K::GetSet),
         P(7, "GlobalSettings", T::Bool, K::GetSet), P(8, "AccessGlobal", T::Bool, K::GetSet),
         P(9, "Caption", T::Bstr, K::GetSet), P(kDispIdHwnd, "hWnd", T::Handle, K::Stock),
         P(kDispIdEnabled, "Enabled", T::Bool, K::Stock), P(kDispIdText, "Text", T::Bstr, K::GetSet),
         P(10, "UnicodeCaption", T::UnicodeBstr, K::GetSet),
         P(11, "UnicodeText", T::UnicodeBstr, K::GetSet), AboutBox()},
        {}));

    lib.classes.push_back(Control(
        "VListBox", "6A2EEA07-82F0-42C5-BE38-B06ED1B0EE0D", "46C7577B-59E2-4760-AD48-C36A489A276A",
        "E0CEA194-2035-4155-85FF-D414EA44940F",
        {P(1, "Sort", T::Bool, K::Stored), P(2, "MultipleSelection", T::Bool, K::Stored),
         P(3, "ScriptName", T::Bstr, K::Stored), P(4, "FontSize", T::I2, K::Stored),
         P(5, "ISCIIDataFormat", T::I2, K::Stored), P(6, "KeyboardType", T::I2, K::Stored),
         P(7, "DisableEnglish", T::Bool, K::Stored), P(8, "LinFile", T::Bstr, K::Stored),
         P(9, "List", T::Bstr, K::GetSet), P(10, "SelCount", T::I4, K::GetOnly),
         P(11, "TopIndex", T::I4, K::GetSet), P(12, "FontName", T::Bstr, K::GetSet),
         P(13, "AccessGlobal", T::Bool, K::GetSet), P(14, "GlobalSettings", T::Bool, K::GetSet),
         M(15, "GetCount", T::I2), M(16, "GetCurSel", T::I2),
         M(17, "SetCurSel", T::Bool, {{"Index", T::I2}}),
         M(18, "FindString", T::I2,
           {{"IndexStartFrom", T::I2}, {"WantExactMatch", T::Bool}, {"Str", T::Bstr}}),
         M(19, "Clear", T::Void), M(20, "RemoveItem", T::Bool, {{"nIndex", T::I4}}),
         M(21, "GetSelectedItems", T::Bool, {{"nMaxItems", T::I4}, {"ArrItems", T::I4, true}}),
         M(22, "AddItem", T::Bool, {{"Str", T::Bstr}, {"nIndex", T::I4}}),
         M(23, "GetItemText", T::Bstr, {{"nIndex", T::I4}}),
         M(24, "GetUnicodeItem", T::UnicodeBstr, {{"nIndex", T::I4}}),
         M(25, "SetUnicodeItem", T::Bool, {{"nIndex", T::I4}, {"Str", T::UnicodeBstr}}),
         M(26, "AddUnicodeItem", T::Bool, {{"Str", T::UnicodeBstr}, {"nIndex", T::I4}}),
         M(27, "GetUnicodeSelection", T::UnicodeBstr),
         P(kDispIdAppearance, "Appearance", T::I2, K::Stock),
         P(kDispIdEnabled, "Enabled", T::Bool, K::Stock), P(kDispIdHwnd, "hWnd", T::Handle, K::Stock),
         P(kDispIdBorderStyle, "BorderStyle", T::I2, K::Stock),
         P(kDispIdBackColor, "BackColor", T::Color, K::Stored),
         P(kDispIdForeColor, "ForeColor", T::Color, K::Stored),
         P(28, "UnicodeList", T::UnicodeBstr, K::GetSet), AboutBox()},
        {E(kDispIdClick, "Click"), E(kDispIdDblClick, "DblClick"),
         E(kDispIdKeyDown, "KeyDown", KeyParams()), E(kDispIdKeyUp, "KeyUp", KeyParams())}));

    lib.classes.push_back(Control(
        "VPushButton", "86B533BA-7A77-4FE1-8332-FBDDA3C3E18B", "E5B606BC-CAED-453E-9B8A-DBDC3A86DCB7",
        "60AE38C5-EF09-436A-9B55-2CF2F5D6EC1F",
        {P(1, "ScriptName", T::Bstr, K::Stored), P(2, "FontSize", T::I2, K::Stored),
         P(3, "DisableEnglish", T::Bool, K::Stored), P(4, "KeyboardType", T::I2, K::Stored),
         P(5, "LinFile", T::Bstr, K::Stored), P(6, "FontName", T::Bstr, K::GetSet),
         P(7, "AccessGlobal", T::Bool, K::GetSet), P(8, "GlobalSettings", T::Bool, K::GetSet),
         P(9, "BackColor", T::Color, K::GetSet), P(10, "ForeColor", T::Color, K::GetSet),
         P(11, "Caption", T::Bstr, K::GetSet), P(kDispIdEnabled, "Enabled", T::Bool, K::Stock),
         P(kDispIdHwnd, "hWnd", T::Handle, K::Stock), P(kDispIdText, "Text", T::Bstr, K::GetSet),
         P(12, "UnicodeCaption", T::UnicodeBstr, K::GetSet),
         P(13, "UnicodeText", T::UnicodeBstr, K::GetSet), AboutBox()},
        {E(kDispIdClick, "Click")}));

    lib.classes.push_back(Control(
        "VRadioButton", "68D0736E-E525-4109-8F3D-E807FC70C049",
        "FBECC7BA-FC26-4630-877A-6D721A4ED031", "2E209ABA-A1A4-4889-868B-7A9D3EA8377A",
        {P(1, "Auto", T::Bool, K::Stored), P(2, "ScriptName", T::Bstr, K::Stored),
         P(3, "FontSize", T::I2, K::Stored), P(4, "Alignment", T::I2, K::Stored),
         P(5, "DisableEnglish", T::Bool, K::Stored), P(6, "KeyboardType", T::I2, K::Stored),
         P(7, "LinFile", T::Bstr, K::Stored), P(8, "PushLike", T::Bool, K::GetSet),
         P(9, "Value", T::Bool, K::GetSet), P(10, "FontName", T::Bstr, K::GetSet),
         P(11, "AccessGlobal", T::Bool, K::GetSet), P(12, "GlobalSettings", T::Bool, K::GetSet),
         P(13, "Caption", T::Bstr, K::GetSet), Alias("_Value", T::I2, "Value"),
         P(kDispIdEnabled, "Enabled", T::Bool, K::Stock), P(kDispIdHwnd, "hWnd", T::Handle, K::Stock),
         P(kDispIdText, "Text", T::Bstr, K::GetSet), P(14, "UnicodeCaption", T::UnicodeBstr, K::GetSet),
         P(15, "UnicodeText", T::UnicodeBstr, K::GetSet), AboutBox()},
        {E(kDispIdClick, "Click")}));

    lib.classes.push_back(Control(
        "VStatic", "668D00EE-A61E-4048-8C7D-B2B3C320CAE0", "9BD9BABA-6015-4AD3-B37C-0C899646EDC1",
        "FA8BFCE5-C828-42DE-BCAE-47B88490EA1D",
        {P(1, "ScriptName", T::Bstr, K::Stored), P(2, "FontSize", T::I2, K::Stored),
         P(3, "Alignment", T::I2, K::Stored), P(4, "ISCIIDataFormat", T::I2, K::Stored),
         P(5, "BackColor", T::Color, K::Stored), P(6, "ForeColor", T::Color, K::Stored),
         P(7, "DisableEnglish", T::Bool, K::Stored), P(8, "KeyboardType", T::I2, K::Stored),
         P(9, "LinFile", T::Bstr, K::Stored), P(10, "FontName", T::Bstr, K::GetSet),
         P(11, "AccessGlobal", T::Bool, K::GetSet), P(12, "GlobalSettings", T::Bool, K::GetSet),
         P(13, "LinkColor", T::Color, K::GetSet), P(14, "VisitedColor", T::Color, K::GetSet),
         P(15, "HoverColor", T::Color, K::GetSet), P(16, "URL", T::Bstr, K::GetSet),
         P(17, "IsURL", T::Bool, K::GetSet), P(18, "Underline", T::Bool, K::GetSet),
         P(19, "Caption", T::Bstr, K::GetSet), P(kDispIdHwnd, "hWnd", T::Handle, K::Stock),
         P(kDispIdBorderStyle, "BorderStyle", T::I2, K::Stock),
         P(kDispIdAppearance, "Appearance", T::I2, K::Stock),
         P(kDispIdText, "Text", T::Bstr, K::GetSet), P(20, "UnicodeCaption", T::UnicodeBstr, K::GetSet),
         P(21, "UnicodeText", T::UnicodeBstr, K::GetSet), AboutBox()},
        {E(kDispIdClick, "Click")}));

    lib.classes.push_back(Control(
        "VComboBox", "3B7235E9-F93F-4891-8A42-F8EF596B07D4", "2B240509-A290-4EC7-BF66-5F7F11EFDEC0",
        "2CE7D6AC-CE48-4C74-A498-76AE78FC9511",
        {P(1, "ScriptName", T::Bstr, K::Stored), P(2, "FontSize", T::I2, K::Stored),
         P(3, "Sort", T::Bool, K::Stored), P(4, "Style", T::I2, K::Stored),
         P(5, "List", T::Bstr, K::Stored), Alias("_List", T::Bstr, "List"),
         P(kDispIdAppearance, "Appearance", T::I2, K::Stock),
         P(kDispIdHwnd, "hWnd", T::Handle, K::Stock), AboutBox()},
        {E(kDispIdClick, "Click")}, /*control=*/false));

    lib.classes.push_back(Dialog("FindDialog", "IFindDialog", "3C7110FA-0F1E-406F-A5A1-3A6D3C4FD567",
                                 "FF286454-6B8A-41EB-88D9-72A2BC489ED4", "FindDialog Object"));
    lib.classes.push_back(Dialog("ReplaceDialog", "IReplaceDialog",
                                 "076A4800-A4E8-4113-8FF8-571BF0865F36",
                                 "2F8D2DA8-6676-4B25-9990-6BB94B0A4DC9", "ReplaceDialog Object"));
    lib.enums = Enums();
    Describe(lib);
    return lib;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

const Member* DispInterface::FindById(int dispId) const {
    for (const Member& m : members)
        if (m.dispId == dispId) return &m;
    return nullptr;
}

const Member* DispInterface::FindByName(std::string_view name) const {
    for (const Member& m : members)
        if (SameName(m.name, name)) return &m;
    return nullptr;
}

const CoClass* TypeLibrary::FindClass(std::string_view name) const {
    for (const CoClass& c : classes)
        if (c.name == name) return &c;
    return nullptr;
}

const EnumType* TypeLibrary::FindEnum(std::string_view name) const {
    for (const EnumType& e : enums)
        if (e.name == name) return &e;
    return nullptr;
}

const TypeLibrary& Catalogue() {
    static const TypeLibrary library = Build();
    return library;
}

}  // namespace vexa::module
