#pragma once

#include <optional>

#include "pages/edit_style_boxes.h"
#include "pages/general_page_model.h"
#include "pages/page_defaults.h"
#include "pages/page_table.h"
#include "win32/framework/property_page.h"
#include "win32/pages/hosted_editor.h"

namespace vexa::win32 {

// The first page of every control ("General"): its caption typed in a
// hosted edit control in the chosen script and keyboard, the scripts whose
// converters load, the installed faces of the script, size, keyboard kind
// and typewriter keyboard, the control's style fields, and the two buttons
// that write the registry store of defaults. One class serves all seven
// controls; the page table says which dialog and fields.
class GeneralPage : public PropertyPage {
public:
    explicit GeneralPage(const pages::PageClass& desc);

protected:
    void OnInitDialog() override;
    void ReadOwnFields(IDispatch* object) override;
    bool WriteOwnFields(IDispatch* object, std::string& why) override;
    bool OnCommand(int id, int code) override;

private:
    bool IsEditPage() const { return page_.controlName == "VEdit"; }
    int KeyboardList() const;
    std::string_view TextProperty() const;
    void ShowFileValues(const std::vector<pages::PageValue>& values);
    void ShowModel();
    void ShowStyles();
    void TuneEditor();

    const pages::PageClass& page_;
    std::optional<pages::GeneralPageModel> model_;
    pages::EditStyleBoxes styles_;
    HostedEditor editor_;
    IDispatch* object_ = nullptr;  // the control being edited (the first one)
};

}  // namespace vexa::win32
