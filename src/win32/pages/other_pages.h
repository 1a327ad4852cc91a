#pragma once

#include "pages/page_table.h"
#include "win32/framework/property_page.h"

namespace vexa::win32 {

// The pages beside the general one: "More Properties" (appearance, border,
// ISCII data format, colours), "Default Values" (listed by no control),
// "About", and the static control's "URL Properties". Their fields are the
// page table's; this class adds the lists, the colour choice and the
// data-format default buttons.
class OtherPage : public PropertyPage {
public:
    explicit OtherPage(const pages::PageClass& desc);

protected:
    void OnInitDialog() override;
    void ReadOwnFields(IDispatch* object) override;
    bool OnCommand(int id, int code) override;

private:
    void ChooseColour();
    void CheckDataFormat(int index);

    const pages::PageClass& page_;
};

}  // namespace vexa::win32
