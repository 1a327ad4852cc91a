#include "win32/framework/property_page.h"

#include <commctrl.h>
#include <prsht.h>

#include "win32/framework/com_module.h"
#include "win32/framework/dispatch_access.h"
#include "pages/page_defaults.h"
#include "win32/framework/variant_convert.h"

namespace vexa::win32 {

namespace {

std::string WindowText(HWND w) {
    int length = GetWindowTextLengthA(w);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(w, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

LPOLESTR TaskString(const std::string& text) {
    std::wstring wide(text.begin(), text.end());
    auto* out = static_cast<LPOLESTR>(CoTaskMemAlloc((wide.size() + 1) * sizeof(wchar_t)));
    if (out) lstrcpyW(out, wide.c_str());
    return out;
}

}  // namespace

PropertyPage::PropertyPage(HINSTANCE resources, int dialogId, std::string title,
                           std::vector<PageField> fields)
    : resources_(resources), dialogId_(dialogId), title_(std::move(title)), fields_(std::move(fields)) {
    ObjectCreated();
}

PropertyPage::~PropertyPage() {
    if (dialog_) DestroyWindow(dialog_);
    SetObjects(0, nullptr);
    if (site_) site_->Release();
    ObjectDestroyed();
}

STDMETHODIMP PropertyPage::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyPage) ||
        IsEqualIID(riid, IID_IPropertyPage2))
        *out = static_cast<IPropertyPage2*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) PropertyPage::AddRef() { return InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) PropertyPage::Release() {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP PropertyPage::SetPageSite(IPropertyPageSite* site) {
    if (site) site->AddRef();
    if (site_) site_->Release();
    site_ = site;
    return S_OK;
}

STDMETHODIMP PropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
    if (dialog_) return S_OK;
    dialog_ = CreateDialogParamA(resources_, MAKEINTRESOURCEA(dialogId_), parent, &DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    if (!dialog_) return E_FAIL;
    if (rect) Move(rect);
    FollowSheet(parent);
    return S_OK;
}

void PropertyPage::FollowSheet(HWND parent) {
    // A common property sheet: a dialog with the sheet's tab control, whose
    // page (our parent) sits beside that tab control.
    HWND sheet = parent ? GetParent(parent) : nullptr;
    if (!sheet || !FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr)) return;
    sheetPage_ = parent;
    SetPropA(parent, "VexaPropertyPage", this);
    sheetPageProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SheetPageProc)));
}

void PropertyPage::LeaveSheet() {
    if (!sheetPage_) return;
    SetWindowLongPtrA(sheetPage_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sheetPageProc_));
    RemovePropA(sheetPage_, "VexaPropertyPage");
    sheetPage_ = nullptr;
    sheetPageProc_ = nullptr;
}

LRESULT CALLBACK PropertyPage::SheetPageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = static_cast<PropertyPage*>(GetPropA(hwnd, "VexaPropertyPage"));
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NOTIFY && lp && reinterpret_cast<NMHDR*>(lp)->code == static_cast<UINT>(PSN_APPLY))
        return self->Apply() == S_OK ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
    WNDPROC original = self->sheetPageProc_;
    if (msg == WM_NCDESTROY) self->LeaveSheet();
    return CallWindowProcA(original, hwnd, msg, wp, lp);
}

STDMETHODIMP PropertyPage::Deactivate() {
    LeaveSheet();
    if (dialog_) DestroyWindow(dialog_);
    dialog_ = nullptr;
    return S_OK;
}

STDMETHODIMP PropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (!info) return E_POINTER;
    // The page's size is its dialog's: made once, hidden, and measured.
    HWND probe = CreateDialogParamA(resources_, MAKEINTRESOURCEA(dialogId_), GetDesktopWindow(),
                                    &DialogProc, 0);
    SIZE size{200, 100};
    if (probe) {
        RECT r;
        GetWindowRect(probe, &r);
        size = {r.right - r.left, r.bottom - r.top};
        DestroyWindow(probe);
    }
    info->cb = sizeof *info;
    info->pszTitle = TaskString(title_);
    info->size = size;
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
}

STDMETHODIMP PropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    for (IDispatch* d : objects_) d->Release();
    objects_.clear();
    for (ULONG i = 0; objects && i < count; ++i) {
        IDispatch* d = nullptr;
        if (objects[i] && SUCCEEDED(objects[i]->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d))))
            objects_.push_back(d);
    }
    return S_OK;
}

STDMETHODIMP PropertyPage::Show(UINT command) {
    if (dialog_) ShowWindow(dialog_, static_cast<int>(command));
    return S_OK;
}

STDMETHODIMP PropertyPage::Move(LPCRECT rect) {
    if (!rect) return E_POINTER;
    if (dialog_) MoveWindow(dialog_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
}

STDMETHODIMP PropertyPage::Apply() {
    if (!dirty_) return S_OK;
    std::string why;
    if (!WriteFields(why)) {
        // The page stays dirty, and the designer sees which value was refused.
        MessageBoxA(dialog_, why.c_str(), title_.c_str(), MB_OK | MB_ICONEXCLAMATION);
        return E_FAIL;
    }
    SetDirty(false);
    return S_OK;
}

STDMETHODIMP PropertyPage::TranslateAccelerator(MSG* msg) {
    if (!msg) return E_POINTER;
    return dialog_ && IsDialogMessageA(dialog_, msg) ? S_OK : S_FALSE;
}

STDMETHODIMP PropertyPage::EditProperty(DISPID dispId) {
    if (!dialog_ || objects_.empty()) return E_NOTIMPL;
    for (const PageField& f : fields_) {
        if (DispIdOf(objects_.front(), f.property) == dispId) {
            SetFocus(GetDlgItem(dialog_, f.controlId));
            return S_OK;
        }
    }
    return E_NOTIMPL;
}

void PropertyPage::SetDirty(bool dirty) {
    dirty_ = dirty;
    if (site_) site_->OnStatusChange(dirty ? PROPPAGESTATUS_DIRTY : PROPPAGESTATUS_CLEAN);
    if (sheetPage_) {
        SendMessageA(GetParent(sheetPage_), dirty ? PSM_CHANGED : PSM_UNCHANGED,
                     reinterpret_cast<WPARAM>(sheetPage_), 0);
    }
}

void PropertyPage::ReadFields() {
    if (objects_.empty()) return;
    IDispatch* d = objects_.front();  // several objects: the first one's values show
    filling_ = true;
    for (const PageField& f : fields_) {
        HWND field = GetDlgItem(dialog_, f.controlId);
        VARIANT v;
        switch (f.kind) {
            case FieldKind::Text:
            case FieldKind::ListText:
                if (SUCCEEDED(GetProperty(d, f.property, VT_BSTR, v))) {
                    std::string text = FromBstr(v.bstrVal);
                    if (f.kind == FieldKind::ListText)
                        SendMessageA(field, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(text.c_str()));
                    else
                        SetWindowTextA(field, text.c_str());
                }
                break;
            case FieldKind::Check:
                if (SUCCEEDED(GetProperty(d, f.property, VT_BOOL, v)))
                    SendMessageA(field, BM_SETCHECK, v.boolVal ? BST_CHECKED : BST_UNCHECKED, 0);
                break;
            case FieldKind::ListIndex:
                if (SUCCEEDED(GetProperty(d, f.property, VT_I4, v)))
                    SendMessageA(field, CB_SETCURSEL, static_cast<WPARAM>(v.lVal), 0);
                break;
            case FieldKind::Number:
                if (SUCCEEDED(GetProperty(d, f.property, VT_I4, v)))
                    SetWindowTextA(field, pages::ColourText(static_cast<std::uint32_t>(v.lVal)).c_str());
                break;
            case FieldKind::Radio:
                if (SUCCEEDED(GetProperty(d, f.property, VT_I4, v)))
                    for (int i = 0; i < f.count; ++i)
                        CheckDlgButton(dialog_, f.controlId + i, v.lVal == i ? BST_CHECKED : BST_UNCHECKED);
                break;
        }
        VariantClear(&v);
    }
    ReadOwnFields(d);
    filling_ = false;
}

bool PropertyPage::WriteFields(std::string& why) {
    for (const PageField& f : fields_) {
        HWND field = GetDlgItem(dialog_, f.controlId);
        VARIANT v;
        VariantInit(&v);
        switch (f.kind) {
            case FieldKind::Text:
                v.vt = VT_BSTR;
                v.bstrVal = ToBstr(WindowText(field));
                break;
            case FieldKind::ListText: {
                LRESULT index = SendMessageA(field, CB_GETCURSEL, 0, 0);
                if (index == CB_ERR) continue;
                std::string text(static_cast<std::size_t>(SendMessageA(field, CB_GETLBTEXTLEN, index, 0)), '\0');
                std::string buffer(text.size() + 1, '\0');
                SendMessageA(field, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
                v.vt = VT_BSTR;
                v.bstrVal = ToBstr(buffer.c_str());
                break;
            }
            case FieldKind::Check:
                v.vt = VT_BOOL;
                v.boolVal = SendMessageA(field, BM_GETCHECK, 0, 0) == BST_CHECKED ? VARIANT_TRUE : VARIANT_FALSE;
                break;
            case FieldKind::ListIndex: {
                LRESULT index = SendMessageA(field, CB_GETCURSEL, 0, 0);
                if (index == CB_ERR) continue;
                v.vt = VT_I4;
                v.lVal = static_cast<LONG>(index);
                break;
            }
            case FieldKind::Number: {
                auto number = pages::ParseColourText(WindowText(field));
                if (!number) {
                    why = std::string(f.property) + ": not a number";
                    return false;
                }
                v.vt = VT_UI4;
                v.ulVal = *number;
                break;
            }
            case FieldKind::Radio: {
                int checked = -1;
                for (int i = 0; i < f.count; ++i)
                    if (IsDlgButtonChecked(dialog_, f.controlId + i) == BST_CHECKED) checked = i;
                if (checked < 0) continue;
                v.vt = VT_I4;
                v.lVal = checked;
                break;
            }
        }
        bool ok = true;
        for (IDispatch* d : objects_) ok = SUCCEEDED(PutProperty(d, f.property, v, why)) && ok;
        VariantClear(&v);
        if (!ok) return false;
    }
    for (IDispatch* d : objects_)
        if (!WriteOwnFields(d, why)) return false;
    return true;
}

INT_PTR CALLBACK PropertyPage::DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lp);
        auto* self = reinterpret_cast<PropertyPage*>(lp);
        if (self) {
            self->dialog_ = dialog;
            self->OnInitDialog();
            self->ReadFields();
        }
        return TRUE;
    }
    auto* self = reinterpret_cast<PropertyPage*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self || msg != WM_COMMAND || self->filling_) return FALSE;
    const int id = LOWORD(wp), code = HIWORD(wp);
    for (const PageField& f : self->fields_) {
        const bool inField = f.controlId == id || (f.kind == FieldKind::Radio && id > f.controlId &&
                                                   id < f.controlId + f.count);
        if (!inField) continue;
        const bool changed = code == EN_CHANGE || code == BN_CLICKED || code == CBN_SELCHANGE ||
                             code == CBN_EDITCHANGE;
        // A radio button set by a program stays the group's only choice.
        if (f.kind == FieldKind::Radio && code == BN_CLICKED && IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            CheckRadioButton(dialog, f.controlId, f.controlId + f.count - 1, id);
        if (changed) self->SetDirty();
        return self->OnCommand(id, code) || changed;
    }
    return self->OnCommand(id, code);
}

}  // namespace vexa::win32
