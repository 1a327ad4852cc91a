#include "win32/pages/general_page.h"

#include "win32/framework/class_registry.h"
#include "pages/page_defaults.h"
#include "win32/framework/com_module.h"
#include "win32/framework/dispatch_access.h"
#include "win32/framework/module_services.h"
#include "win32/framework/variant_convert.h"
#include "win32/pages/page_lists.h"

namespace vexa::win32 {

namespace {

constexpr int kEditorSize = 16;  // the editor's size, whatever the control's

}  // namespace

GeneralPage::GeneralPage(const pages::PageClass& desc)
    : PropertyPage(ModuleInstance(), desc.dialogId, std::string(desc.title), desc.fields),
      page_(desc) {}

int GeneralPage::KeyboardList() const {
    return IsEditPage() ? pages::ids::kEditKeyboardList : pages::ids::kKeyboardList;
}

std::string_view GeneralPage::TextProperty() const {
    if (page_.controlName == "VStatic") return "Caption";
    if (page_.controlName == "VListBox") return "List";
    return "Text";
}

void GeneralPage::OnInitDialog() {
    std::vector<std::string> sizes(std::begin(pages::kSizeItems), std::end(pages::kSizeItems));
    FillList(Dialog(), pages::ids::kSizeList, sizes);
    FillList(Dialog(), KeyboardList(), {"Inscript", "Phonetic", "Typewriter"});
    if (page_.controlName == "VCheckBox" || page_.controlName == "VRadioButton")
        FillList(Dialog(), 229, {"Left", "Right"});
    if (page_.controlName == "VStatic") FillList(Dialog(), 229, {"Left", "Center", "Right"});
    if (IsEditPage()) FillList(Dialog(), pages::ids::kFontType, {"Bilingual", "Monolingual"});
    editor_.Create(Dialog(), pages::ids::kEditor);
}

// The page shows the kind's settings file, when one can be read, for the
// fields the file holds: the control takes them when the page is applied.
void GeneralPage::ShowFileValues(const std::vector<pages::PageValue>& values) {
    for (const pages::PageValue& v : values) {
        for (const pages::PageField& f : page_.fields) {
            if (f.property != v.property) continue;
            if (f.kind == pages::FieldKind::Check)
                CheckDlgButton(Dialog(), f.controlId, v.number ? BST_CHECKED : BST_UNCHECKED);
            else if (f.kind == pages::FieldKind::ListIndex)
                SendDlgItemMessageA(Dialog(), f.controlId, CB_SETCURSEL, static_cast<WPARAM>(v.number), 0);
            else
                SetDlgItemTextA(Dialog(), f.controlId, v.text.c_str());
        }
    }
}

void GeneralPage::ReadOwnFields(IDispatch* object) {
    object_ = object;
    pages::GeneralChoice choice;
    choice.scriptName = GetText(object, "ScriptName").value_or("");
    choice.fontName = GetText(object, "FontName").value_or("");
    choice.keyboardKind = static_cast<int>(GetNumber(object, "KeyboardType").value_or(0));
    choice.linFile = GetText(object, "LinFile").value_or("");
    const defaults::SettingsLayout* layout = SettingsLayoutOf(page_.controlName);
    if (auto file = layout ? pages::LoadPageDefaults(Services().settings, page_, *layout) : std::nullopt) {
        for (const pages::PageValue& v : *file) {
            if (v.property == "ScriptName") choice.scriptName = v.text;
            if (v.property == "FontName") choice.fontName = v.text;
        }
        ShowFileValues(*file);
    }
    const int fontType = IsEditPage() ? static_cast<int>(GetNumber(object, "FontType").value_or(0)) : 0;
    model_.emplace(Services().platform, InstalledFaces(Dialog()),
                   [] { return LayoutFilesIn(Services().paths.SystemDirectory()); }, fontType);
    model_->Open(choice);
    if (IDispatch* editor = editor_.Dispatch()) {
        if (auto format = GetNumber(object, "ISCIIDataFormat"))
            PutNumber(editor, "ISCIIDataFormat", *format, VT_I2);
        if (page_.controlName == "VListBox") {
            PutBool(editor, "MultiLine", true);
            PutBool(editor, "WantReturn", true);
        }
        PutBool(editor, "DisableEnglish", IsDlgButtonChecked(Dialog(), pages::ids::kDisableEnglish) == BST_CHECKED);
        PutText(editor, "Text", GetText(object, TextProperty()).value_or(""));
    }
    ShowModel();
    if (IsEditPage()) {
        std::array<bool, 8> checked{};
        for (std::size_t i = 0; i < checked.size(); ++i)
            checked[i] = IsDlgButtonChecked(Dialog(), pages::EditStyleBoxes::kIds[i]) == BST_CHECKED;
        styles_.Open(checked);
        ShowStyles();
    }
}

void GeneralPage::ShowModel() {
    const pages::GeneralChoice& c = model_->Choice();
    const bool filling = Filling();
    SetFilling(true);  // the lists' own notifications change nothing
    FillList(Dialog(), pages::ids::kScriptList, model_->Scripts());
    SelectText(Dialog(), pages::ids::kScriptList, c.scriptName);
    FillList(Dialog(), pages::ids::kFontList, model_->Faces());
    SelectText(Dialog(), pages::ids::kFontList, c.fontName);
    SendDlgItemMessageA(Dialog(), KeyboardList(), CB_SETCURSEL, static_cast<WPARAM>(c.keyboardKind), 0);
    FillList(Dialog(), pages::ids::kTypewriterList, model_->TypewriterNames());
    SendDlgItemMessageA(Dialog(), pages::ids::kTypewriterList, CB_SETCURSEL,
                        static_cast<WPARAM>(model_->TypewriterSelection()), 0);
    EnableWindow(GetDlgItem(Dialog(), pages::ids::kTypewriterList), model_->TypewriterEnabled());
    if (IsEditPage())
        SendDlgItemMessageA(Dialog(), pages::ids::kFontType, CB_SETCURSEL,
                            static_cast<WPARAM>(model_->FontType()), 0);
    SetFilling(filling);
    TuneEditor();
}

// The editor types and shows what the page has chosen.
void GeneralPage::TuneEditor() {
    IDispatch* editor = editor_.Dispatch();
    if (!editor) return;
    const pages::GeneralChoice& c = model_->Choice();
    if (IsEditPage()) PutNumber(editor, "FontType", model_->FontType(), VT_I2);
    PutNumber(editor, "FontSize", kEditorSize, VT_I2);
    PutText(editor, "ScriptName", c.scriptName);
    if (!c.fontName.empty()) PutText(editor, "FontName", c.fontName);
    PutNumber(editor, "KeyboardType", c.keyboardKind, VT_I2);
    if (!c.linFile.empty()) PutText(editor, "LinFile", c.linFile);
}

void GeneralPage::ShowStyles() {
    for (int id : pages::EditStyleBoxes::kIds) {
        CheckDlgButton(Dialog(), id, styles_.Checked(id) ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(GetDlgItem(Dialog(), id), styles_.Enabled(id));
    }
}

bool GeneralPage::WriteOwnFields(IDispatch* object, std::string& why) {
    if (!model_) return true;
    const pages::GeneralChoice& c = model_->Choice();
    auto put = [&](std::string_view name, VARIANT v) {
        HRESULT hr = PutProperty(object, name, v, why);
        VariantClear(&v);
        return SUCCEEDED(hr);
    };
    auto text = [](const std::string& s) {
        VARIANT v;
        v.vt = VT_BSTR;
        v.bstrVal = ToBstr(s);
        return v;
    };
    VARIANT kind;
    kind.vt = VT_I2;
    kind.iVal = static_cast<SHORT>(c.keyboardKind);
    if (!put("ScriptName", text(c.scriptName))) return false;
    if (!c.fontName.empty() && !put("FontName", text(c.fontName))) return false;
    if (!put("KeyboardType", kind)) return false;
    if (!c.linFile.empty() && !put("LinFile", text(c.linFile))) return false;
    if (IDispatch* editor = editor_.Dispatch())
        if (auto caption = GetText(editor, "Text"))
            if (!put(TextProperty(), text(*caption))) return false;
    return true;
}

bool GeneralPage::OnCommand(int id, int code) {
    if (!model_ || Filling()) return false;
    const bool chosen = code == CBN_SELCHANGE || code == CBN_SELENDOK;
    if (id == pages::ids::kScriptList && chosen) {
        model_->ChooseScript(SelectedText(Dialog(), id));
    } else if (id == pages::ids::kFontList && chosen) {
        model_->ChooseFace(SelectedText(Dialog(), id));
    } else if (id == KeyboardList() && chosen) {
        model_->ChooseKeyboard(SelectedIndex(Dialog(), id));
    } else if (id == pages::ids::kTypewriterList && chosen) {
        model_->ChooseTypewriter(SelectedIndex(Dialog(), id));
    } else if (IsEditPage() && id == pages::ids::kFontType && chosen) {
        model_->ChooseFontType(SelectedIndex(Dialog(), id));
    } else if (id == pages::ids::kEditor && code == EN_CHANGE) {
        SetDirty();
        return true;
    } else if (id == pages::ids::kDisableEnglish && code == BN_CLICKED) {
        if (editor_.Dispatch())
            PutBool(editor_.Dispatch(), "DisableEnglish", IsDlgButtonChecked(Dialog(), id) == BST_CHECKED);
        return true;
    } else if (id == pages::ids::kSetDefaults && code == BN_CLICKED) {
        const std::string size = FieldText(Dialog(), pages::ids::kSizeList);
        const char* why = !pages::IsStorableSize(size) ? "The defaults were not saved: the size must be a number of up to 4 digits."
                          : !model_->SetCurrentDefaults(Services().registry, size)
                              ? "The defaults could not be saved: the module is not registered."
                              : nullptr;
        if (why) MessageBoxA(Dialog(), why, std::string(page_.title).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return true;
    } else if (id == pages::ids::kRestoreDefaults && code == BN_CLICKED) {
        model_->RestoreFactoryDefaults(Services().registry);
        SetDlgItemTextA(Dialog(), pages::ids::kSizeList, std::string(pages::kFactorySize).c_str());
        SelectText(Dialog(), pages::ids::kSizeList, std::string(pages::kFactorySize));
    } else if (IsEditPage() && code == BN_CLICKED) {
        bool isStyle = false;
        for (int style : pages::EditStyleBoxes::kIds) isStyle = isStyle || style == id;
        if (!isStyle) return false;
        if ((IsDlgButtonChecked(Dialog(), id) == BST_CHECKED) != styles_.Checked(id)) styles_.Click(id);
        ShowStyles();
        if (id == pages::EditStyleBoxes::kPassword && editor_.Dispatch())
            PutBool(editor_.Dispatch(), "Password", styles_.Checked(id));
        return true;
    } else {
        return false;
    }
    ShowModel();
    SetDirty();
    return true;
}

}  // namespace vexa::win32
