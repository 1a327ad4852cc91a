#include "win32/framework/class_registry.h"

#include "module/class_table.h"
#include "pages/page_table.h"

namespace vexa::win32 {

CreateObjectFn CreatorOf(std::string_view className) {
    for (const ClassCreator& c : ModuleClasses())
        if (c.className == className) return c.create;
    return nullptr;
}

std::vector<std::string_view> PageClsidsOf(std::string_view controlName) {
    std::vector<std::string_view> clsids;
    for (std::string_view page : pages::PagesOfControl(controlName))
        for (const module::FactoryEntry& f : module::Factories())
            if (f.className == page && f.implemented) clsids.push_back(f.clsid);
    return clsids;
}

}  // namespace vexa::win32
