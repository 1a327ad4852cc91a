#include "win32/adapters/control_classes.h"

#include <array>

#include "win32/adapters/caption_classes.h"
#include "win32/adapters/static_ctrl.h"
#include "win32/adapters/vedit_ctrl.h"
#include "win32/adapters/vlistbox_ctrl.h"
#include "win32/pages/page_classes.h"

namespace vexa::win32 {

namespace {

template <class Control>
IUnknown* Create() {
    return static_cast<IOleObject*>(new Control());
}

struct ClassCreator {
    std::string_view className;
    CreateObjectFn create;
};

// Every class of the module that is built, by the class table's names.
constexpr std::array kCreators{
    ClassCreator{"CVEditCtrl", &Create<CVEditCtrl>},
    ClassCreator{"CVPushButtonCtrl", &Create<CVPushButtonCtrl>},
    ClassCreator{"CVCheckBoxCtrl", &Create<CVCheckBoxCtrl>},
    ClassCreator{"CVRadioButtonCtrl", &Create<CVRadioButtonCtrl>},
    ClassCreator{"CVGroupBoxCtrl", &Create<CVGroupBoxCtrl>},
    ClassCreator{"CVStaticCtrl", &Create<CVStaticCtrl>},
    ClassCreator{"CVListBoxCtrl", &Create<CVListBoxCtrl>},
};

}  // namespace

CreateObjectFn CreatorOf(std::string_view className) {
    for (const ClassCreator& c : kCreators)
        if (c.className == className) return c.create;
    return PageCreatorOf(className);
}

}  // namespace vexa::win32
