#include "win32/pages/other_pages.h"

#include <commdlg.h>

#include "pages/page_defaults.h"
#include "win32/framework/class_registry.h"
#include "win32/framework/com_module.h"
#include "win32/framework/module_services.h"
#include "win32/pages/page_lists.h"

namespace vexa::win32 {

namespace {

constexpr int kFirstFormat = 244;  // 244, 245, 246: 8-bit, 7-bit, PC-ISCII

}  // namespace

OtherPage::OtherPage(const pages::PageClass& desc)
    : PropertyPage(ModuleInstance(), desc.dialogId, std::string(desc.title), desc.fields), page_(desc) {}

void OtherPage::OnInitDialog() {
    if (page_.kind == pages::PageKind::Second) {
        FillList(Dialog(), 230, {"0 - Flat", "1 - 3D"});
        FillList(Dialog(), 229, {"0 - None", "1 - FixedSingle"});
        FillList(Dialog(), pages::ids::kColourSelector, {"Back Color", "Fore Color"});
    } else if (page_.kind == pages::PageKind::Url) {
        FillList(Dialog(), pages::ids::kColourSelector, {"Link Color", "Hover Color", "Visited Color"});
    }
    SendDlgItemMessageA(Dialog(), pages::ids::kColourSelector, CB_SETCURSEL, 0, 0);
}

// The second and third pages show what the edit control's settings file
// holds, when it can be read, for the data format and DisableEnglish.
void OtherPage::ReadOwnFields(IDispatch*) {
    if (page_.kind != pages::PageKind::Second && page_.kind != pages::PageKind::Third) return;
    const defaults::SettingsLayout* layout = SettingsLayoutOf(pages::kEditControlName);
    auto values = layout ? pages::LoadPageDefaults(Services().settings, page_, *layout) : std::nullopt;
    if (!values) return;
    for (const pages::PageValue& v : *values) {
        if (v.property == "ISCIIDataFormat") CheckDataFormat(v.number);
        if (v.property == "DisableEnglish") CheckDlgButton(Dialog(), 253, v.number ? BST_CHECKED : BST_UNCHECKED);
    }
}

void OtherPage::CheckDataFormat(int index) {
    for (int i = 0; i < 3; ++i)
        CheckDlgButton(Dialog(), kFirstFormat + i, i == index ? BST_CHECKED : BST_UNCHECKED);
}

bool OtherPage::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return false;
    if (id == pages::ids::kSelectColour &&
        (page_.kind == pages::PageKind::Second || page_.kind == pages::PageKind::Url)) {
        ChooseColour();
        return true;
    }
    if (page_.kind != pages::PageKind::Second) return false;
    if (id == pages::ids::kSetDefaults) {
        int format = 0;
        for (int i = 0; i < 3; ++i)
            if (IsDlgButtonChecked(Dialog(), kFirstFormat + i) == BST_CHECKED) format = i;
        if (!pages::SaveDataFormatDefault(Services().registry, format))
            MessageBoxA(Dialog(), "The defaults could not be saved: the module is not registered.",
                        std::string(page_.title).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return true;
    }
    if (id == pages::ids::kRestoreDefaults) {
        pages::SaveDataFormatDefault(Services().registry, 0);
        CheckDataFormat(0);
        SetDirty();
        return true;
    }
    return false;
}

// The platform's colour dialog; a confirmed colour goes into the hidden
// field the selector names, and reaches the control when the page is
// applied.
void OtherPage::ChooseColour() {
    const int selector = SelectedIndex(Dialog(), pages::ids::kColourSelector);
    auto target = page_.kind == pages::PageKind::Second ? pages::SecondPageColour(selector)
                                                        : pages::UrlPageColour(selector);
    if (!target) return;
    static COLORREF custom[16] = {};
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = Dialog();
    choose.lpCustColors = custom;
    if (!ChooseColorA(&choose)) return;
    SetDlgItemTextA(Dialog(), target->editId, pages::ColourText(choose.rgbResult).c_str());
    SetDirty();
}

}  // namespace vexa::win32
