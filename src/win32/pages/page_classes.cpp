#include "win32/pages/page_classes.h"

#include <array>

#include "pages/page_table.h"
#include "win32/pages/general_page.h"
#include "win32/pages/other_pages.h"

namespace vexa::win32 {

namespace {

template <std::size_t N>
IUnknown* Create() {
    const pages::PageClass& desc = pages::PageClasses()[N];
    if (desc.kind == pages::PageKind::General)
        return static_cast<IPropertyPage2*>(new GeneralPage(desc));
    return static_cast<IPropertyPage2*>(new OtherPage(desc));
}

template <std::size_t... I>
constexpr std::array<CreateObjectFn, sizeof...(I)> Creators(std::index_sequence<I...>) {
    return {&Create<I>...};
}

// One creator per row of the page table.
constexpr auto kCreators = Creators(std::make_index_sequence<pages::kPageClassCount>());

}  // namespace

std::vector<ClassCreator> PageClasses() {
    std::vector<ClassCreator> classes;
    const auto& described = pages::PageClasses();
    for (std::size_t i = 0; i < described.size() && i < kCreators.size(); ++i)
        classes.push_back({described[i].className, kCreators[i]});
    return classes;
}

}  // namespace vexa::win32
