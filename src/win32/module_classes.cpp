// The classes of the module: the seven controls and the property pages.
#include <array>
#include <vector>

#include "captions/caption_properties.h"
#include "edit/vedit_properties.h"
#include "listbox/listbox_properties.h"
#include "statics/static_properties.h"
#include "win32/adapters/caption_classes.h"
#include "win32/adapters/static_ctrl.h"
#include "win32/adapters/vedit_ctrl.h"
#include "win32/adapters/vlistbox_ctrl.h"
#include "win32/framework/class_registry.h"
#include "win32/pages/page_classes.h"

namespace vexa::win32 {

namespace {

template <class Control>
IUnknown* Create() {
    return static_cast<IOleObject*>(new Control());
}

std::vector<ClassCreator> AllClasses() {
    std::vector<ClassCreator> classes{
        {"CVEditCtrl", &Create<CVEditCtrl>},
        {"CVPushButtonCtrl", &Create<CVPushButtonCtrl>},
        {"CVCheckBoxCtrl", &Create<CVCheckBoxCtrl>},
        {"CVRadioButtonCtrl", &Create<CVRadioButtonCtrl>},
        {"CVGroupBoxCtrl", &Create<CVGroupBoxCtrl>},
        {"CVStaticCtrl", &Create<CVStaticCtrl>},
        {"CVListBoxCtrl", &Create<CVListBoxCtrl>},
    };
    for (const ClassCreator& page : PageClasses()) classes.push_back(page);
    return classes;
}

}  // namespace

const defaults::SettingsLayout* SettingsLayoutOf(std::string_view controlName) {
    using captions::CaptionKind;
    if (controlName == "VEdit") return &edit::VEditSettingsLayout();
    if (controlName == "VStatic") return &statics::StaticSettingsLayout();
    if (controlName == "VListBox") return &listbox::ListBoxSettingsLayout();
    for (CaptionKind kind : {CaptionKind::PushButton, CaptionKind::CheckBox, CaptionKind::RadioButton,
                             CaptionKind::GroupBox})
        if (captions::KindInfo(kind).controlName == controlName)
            return &captions::CaptionSettingsLayout(kind);
    return nullptr;
}

std::span<const ClassCreator> ModuleClasses() {
    static const std::vector<ClassCreator> classes = AllClasses();
    return classes;
}

}  // namespace vexa::win32
