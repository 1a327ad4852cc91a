#include "win32/pages/page_classes.h"

#include <array>

#include "module/class_table.h"
#include "pages/page_table.h"
#include "win32/pages/general_page.h"
#include "win32/pages/other_pages.h"

namespace vexa::win32 {

namespace {

template <std::size_t N>
IUnknown* Create() {
    const pages::PageClass& desc = pages::PageClasses()[N];
    if (desc.kind == pages::PageKind::General) return static_cast<IPropertyPage2*>(new GeneralPage(desc));
    return static_cast<IPropertyPage2*>(new OtherPage(desc));
}

template <std::size_t... I>
constexpr std::array<CreateObjectFn, sizeof...(I)> Creators(std::index_sequence<I...>) {
    return {&Create<I>...};
}

// One creator per row of the page table.
constexpr auto kCreators = Creators(std::make_index_sequence<pages::kPageClassCount>());

}  // namespace

CreateObjectFn PageCreatorOf(std::string_view className) {
    const auto& described = pages::PageClasses();
    for (std::size_t i = 0; i < described.size() && i < kCreators.size(); ++i)
        if (described[i].className == className) return kCreators[i];
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
