#pragma once

#include <array>
#include <string_view>

namespace vexa::module {

enum class FactoryKind { Control, PropertyPage };

// One creatable class of the module with what registration writes for it.
struct FactoryEntry {
    std::string_view progId;
    std::string_view className;  // the class the factory creates
    FactoryKind kind;
    std::string_view clsid;
    int nameStringId;            // string resource of the registered name
    std::string_view name;       // the registered name
    int bitmapId = 0;            // toolbox bitmap (controls)
    unsigned miscStatus = 0;     // OLEMISC flags (controls)
    std::string_view controlName{};  // the catalogue's class (controls)
    // The module creates objects of this class: registration writes its
    // keys and the type library calls it creatable. Classes still to be
    // built stay false. It must agree with the module's creators, which
    // decide whether DllGetClassObject hands out a factory (checked under
    // Wine by vexa-wintest registry).
    bool implemented = false;
};

inline constexpr int kFactoryCount = 18;
inline constexpr int kControlCount = 7;

// Controls first, in the order of the control indices (0 VCheckBox, 1 VEdit,
// 2 VGroupBox, 3 VListBox, 4 VPushButton, 5 VRadioButton, 6 VStatic), then
// the property pages.
const std::array<FactoryEntry, kFactoryCount>& Factories();

// The entry of a CLSID (braced or not, any case), implemented or not.
const FactoryEntry* FindFactory(std::string_view clsid);
// The entry of a CLSID whose objects the module creates, or nullptr.
const FactoryEntry* FindImplemented(std::string_view clsid);
const FactoryEntry& ControlFactory(int controlIndex);
int ControlIndex(std::string_view controlName);  // -1 when not a control

inline constexpr std::string_view kComboBoxTypeName = "VComboBox Control";  // string 15
inline constexpr std::string_view kEditProgId = "VEXAOCX.VEditCtrl.1";

}  // namespace vexa::module
