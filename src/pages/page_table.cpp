#include "pages/page_table.h"

namespace vexa::pages {

namespace {

using enum FieldKind;

// The fields every general page shares after its style fields. Script,
// face, keyboard kind, layout file and the caption go through the page's
// own lists and editor (their contents depend on one another).
const PageField kSharedGeneral[] = {{ids::kSizeList, "FontSize", Text},
                                    {ids::kAccessGlobal, "AccessGlobal", Check},
                                    {ids::kGlobalSettings, "GlobalSettings", Check},
                                    {ids::kDisableEnglish, "DisableEnglish", Check}};

std::vector<PageField> General(std::vector<PageField> style) {
    style.insert(style.end(), std::begin(kSharedGeneral), std::end(kSharedGeneral));
    return style;
}

std::vector<PageField> ChoiceStyle() {
    return {{219, "Auto", Check}, {217, "PushLike", Check}, {229, "Alignment", ListIndex}};
}

const std::vector<PageClass> kPages{
    {"CVPushButtonPropPage", PageKind::General, 201, "General", "VPushButton", General({})},
    {"CVCheckBoxPropPage", PageKind::General, 202, "General", "VCheckBox", General(ChoiceStyle())},
    {"CVRadioButtonPropPage", PageKind::General, 203, "General", "VRadioButton",
     General(ChoiceStyle())},
    {"CVGroupBoxPropPage", PageKind::General, 204, "General", "VGroupBox", General({})},
    {"CVStaticPropPage", PageKind::General, 205, "General", "VStatic",
     General({{229, "Alignment", ListIndex}, {284, "IsURL", Check}})},
    {"CVListBoxPropPage", PageKind::General, 206, "General", "VListBox",
     General({{212, "Sort", Check}, {213, "MultipleSelection", Check}})},
    {"CVEditPropPage", PageKind::General, 200, "General", "VEdit",
     General({{206, "MultiLine", Check},
              {207, "WantReturn", Check},
              {211, "ReadOnly", Check},
              {214, "AutoHScroll", Check},
              {215, "AutoVScroll", Check},
              {216, "HScrollBar", Check},
              {217, "VScrollBar", Check},
              {231, "Password", Check},
              {ids::kFontType, "FontType", ListIndex}})},
    {"CVEditPropPage2", PageKind::Second, 230, "More Properties", "",
     {{230, "Appearance", ListIndex},
      {229, "BorderStyle", ListIndex},
      {244, "ISCIIDataFormat", Radio, 3},
      {278, "BackColor", Number},
      {279, "ForeColor", Number}}},
    {"CVEditPropPage3", PageKind::Third, 236, "Default Values", "",
     {{253, "DisableEnglish", Check}, {255, "AccessGlobal", Check}, {254, "GlobalSettings", Check}}},
    {"CVEditPropPage4", PageKind::About, 105, "About", "", {}},
    {"CPropPageURL", PageKind::Url, 104, "URL Properties", "",
     {{283, "Underline", Check},
      {284, "URL", Text},
      {280, "LinkColor", Number},
      {281, "HoverColor", Number},
      {282, "VisitedColor", Number}}},
};

}  // namespace

const std::vector<PageClass>& PageClasses() { return kPages; }

bool IsSharedGeneralField(std::string_view property) {
    for (const PageField& f : kSharedGeneral)
        if (f.property == property) return true;
    return false;
}

const PageClass* FindPageClass(std::string_view className) {
    for (const PageClass& s : kPages)
        if (s.className == className) return &s;
    return nullptr;
}

std::vector<std::string_view> PagesOfControl(std::string_view controlName) {
    std::string_view general;
    for (const PageClass& s : kPages)
        if (s.kind == PageKind::General && s.controlName == controlName) general = s.className;
    if (general.empty()) return {};
    if (controlName == "VEdit" || controlName == "VListBox")
        return {general, "CVEditPropPage2", "CVEditPropPage4"};
    if (controlName == "VStatic") return {general, "CVEditPropPage2", "CPropPageURL", "CVEditPropPage4"};
    return {general, "CVEditPropPage4"};
}

}  // namespace vexa::pages
