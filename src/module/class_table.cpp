#include "module/class_table.h"

#include <cctype>

namespace vexa::module {

namespace {

constexpr unsigned kStatusButton = 0x20191;
constexpr unsigned kStatusStatic = 0x24199;
constexpr unsigned kStatusFrame = 0x34199;

using enum FactoryKind;

constexpr std::array<FactoryEntry, kFactoryCount> kFactories{{
    {"VEXAOCX.VCheckBoxCtrl.1", "CVCheckBoxCtrl", Control, "D4726D6B-11C0-428E-9C1B-ECD2EB8076DB",
     5, "VCheckBox Control", 3, kStatusButton, "VCheckBox", /*implemented=*/true},
    {"VEXAOCX.VEditCtrl.1", "CVEditCtrl", Control, "A220A051-6AFF-4B93-9C32-3829B0EFFF62", 1,
     "VEdit Control", 1, kStatusButton, "VEdit", /*implemented=*/true},
    {"VEXAOCX.VGroupBoxCtrl.1", "CVGroupBoxCtrl", Control, "80365D37-71B8-4B0C-B1EF-A7E9882FF624",
     9, "VGroupBox Control", 5, kStatusFrame, "VGroupBox", /*implemented=*/true},
    {"VEXAOCX.VListBoxCtrl.1", "CVListBoxCtrl", Control, "E0CEA194-2035-4155-85FF-D414EA44940F", 13,
     "VListBox Control", 7, kStatusButton, "VListBox", /*implemented=*/true},
    {"VEXAOCX.VPushButtonCtrl.1", "CVPushButtonCtrl", Control,
     "60AE38C5-EF09-436A-9B55-2CF2F5D6EC1F", 3, "VPushButton Control", 2, kStatusButton,
     "VPushButton", /*implemented=*/true},
    {"VEXAOCX.VRadioButtonCtrl.1", "CVRadioButtonCtrl", Control,
     "2E209ABA-A1A4-4889-868B-7A9D3EA8377A", 7, "VRadioButton Control", 4, kStatusButton,
     "VRadioButton", /*implemented=*/true},
    {"VEXAOCX.VStaticCtrl.1", "CVStaticCtrl", Control, "FA8BFCE5-C828-42DE-BCAE-47B88490EA1D", 11,
     "VStatic Control", 6, kStatusStatic, "VStatic", /*implemented=*/true},
    {"VEXAOCX.VCheckBoxPropPage.1", "CVCheckBoxPropPage", PropertyPage,
     "9444A905-7FEF-40CF-A95C-294FB6CBA5BE", 6, "VCheckBox Property Page",
     0, 0, {}, /*implemented=*/true},
    {"VEXAOCX.VEditPropPage.1", "CVEditPropPage", PropertyPage,
     "ED66BD36-F650-42A6-BCB1-FED161CD6934", 2, "VEdit Property Page",
     0, 0, {}, /*implemented=*/true},
    {"Vexa_OCX.CVEditPropPage2", "CVEditPropPage2", PropertyPage,
     "5504644F-786B-47BD-AD3F-FB6EC6AD3BDD", 17, "VEdit Property Page2",
     0, 0, {}, /*implemented=*/true},
    {"Vexa_OCX.CVEditPropPage3", "CVEditPropPage3", PropertyPage,
     "6FE1FB78-4BDA-4D04-8C20-CA299CBCFFDB", 210, "VEdit Property Page3",
     0, 0, {}, /*implemented=*/true},
    {"Vexa_OCX.CVEditPropPage4", "CVEditPropPage4", PropertyPage,
     "0831F5AE-4DC8-421E-8EA9-0B50ADF909F0", 211, "VEdit Property Page3",
     0, 0, {}, /*implemented=*/true},
    {"VEXAOCX.VGroupBoxPropPage.1", "CVGroupBoxPropPage", PropertyPage,
     "47088AC2-D667-45DE-BCAE-580D269F07F9", 10, "VGroupBox Property Page",
     0, 0, {}, /*implemented=*/true},
    {"VEXAOCX.VListBoxPropPage.1", "CVListBoxPropPage", PropertyPage,
     "62B32254-6748-440A-A64C-DE015688D231", 14, "VListBox Property Page",
     0, 0, {}, /*implemented=*/true},
    {"VEXAOCX.VPushButtonPropPage.1", "CVPushButtonPropPage", PropertyPage,
     "5BA81A96-12E5-4E78-8D58-2F0F0A1A0854", 4, "VPushButton Property Page",
     0, 0, {}, /*implemented=*/true},
    {"VEXAOCX.VRadioButtonPropPage.1", "CVRadioButtonPropPage", PropertyPage,
     "204C8BE6-D854-454B-9F26-905DB47DF78A", 8, "VRadioButton Property Page",
     0, 0, {}, /*implemented=*/true},
    {"VEXAOCX.VStaticPropPage.1", "CVStaticPropPage", PropertyPage,
     "85ED007B-A5C1-452F-A486-8995C50C8029", 12, "VStatic Property Page",
     0, 0, {}, /*implemented=*/true},
    {"Vexa_OCX.CPropPageURL", "CPropPageURL", PropertyPage, "3512F23F-CBAA-449A-829A-16EF203DF57E",
     213, "VStatic Property Page2",
     0, 0, {}, /*implemented=*/true},
}};

bool SameGuid(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

const std::array<FactoryEntry, kFactoryCount>& Factories() { return kFactories; }

const FactoryEntry* FindFactory(std::string_view clsid) {
    if (clsid.size() == 38 && clsid.front() == '{' && clsid.back() == '}')
        clsid = clsid.substr(1, 36);
    for (const FactoryEntry& f : kFactories)
        if (SameGuid(f.clsid, clsid)) return &f;
    return nullptr;
}

const FactoryEntry* FindImplemented(std::string_view clsid) {
    const FactoryEntry* f = FindFactory(clsid);
    return f && f->implemented ? f : nullptr;
}

const FactoryEntry& ControlFactory(int controlIndex) { return kFactories.at(controlIndex); }

int ControlIndex(std::string_view controlName) {
    for (int i = 0; i < kControlCount; ++i)
        if (kFactories[i].controlName == controlName) return i;
    return -1;
}

}  // namespace vexa::module
