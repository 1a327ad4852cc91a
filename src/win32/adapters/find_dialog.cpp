#include "win32/adapters/find_dialog.h"

#include <memory>

#include "edit/edit_engine.h"
#include "module/edit_resource_ids.h"
#include "win32/adapters/vedit_ctrl.h"
#include "win32/framework/com_module.h"
#include "win32/framework/variant_convert.h"

namespace vexa::win32 {

namespace {

constexpr int kFieldIds[2] = {VEXA_IDC_FIND_WHAT, VEXA_IDC_REPLACE_WITH};

HRESULT Put(IDispatch* object, const wchar_t* name, VARIANT value) {
    LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
    DISPID id = 0;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(hr)) {
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{&value, &named, 1, 1};
        hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                            nullptr, nullptr, nullptr);
    }
    VariantClear(&value);
    return hr;
}

VARIANT Number(int n) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I2;
    v.iVal = static_cast<SHORT>(n);
    return v;
}

VARIANT Flag(bool on) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = on ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT Text(const std::string& s) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = ToBstr(s);
    return v;
}

}  // namespace

bool FindDialog::Run(HWND owner, DWORD& error) {
    const int id = replace_ ? VEXA_IDD_REPLACE : VEXA_IDD_FIND;
    const INT_PTR result = DialogBoxParamA(ModuleInstance(), MAKEINTRESOURCEA(id), owner, &Proc,
                                           reinterpret_cast<LPARAM>(this));
    error = result == -1 ? GetLastError() : 0;
    for (IDispatch*& field : fields_) {
        if (field) field->Release();
        field = nullptr;
    }
    return result != -1;
}

INT_PTR CALLBACK FindDialog::Proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<FindDialog*>(lp);
        SetWindowLongPtrA(dialog, DWLP_USER, lp);
        if (!self->Init(dialog)) EndDialog(dialog, IDCANCEL);
        return FALSE;  // the focus is in the first field already
    }
    auto* self = reinterpret_cast<FindDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self) return FALSE;
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        self->Command(LOWORD(wp));
        return TRUE;
    }
    if (msg == WM_CLOSE) {
        self->Command(IDCANCEL);
        return TRUE;
    }
    if (msg == WM_DESTROY) self->Destroyed();
    return FALSE;
}

bool FindDialog::Init(HWND dialog) {
    dialog_ = dialog;
    for (int i = 0; i < (replace_ ? 2 : 1); ++i) {
        HWND place = GetDlgItem(dialog, kFieldIds[i]);
        if (!place) return false;
        RECT r;
        GetWindowRect(place, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        auto* field = new CVEditCtrl();
        if (!field->CreateOwnedWindow(dialog, r, kFieldIds[i])) {
            field->Release();
            return false;
        }
        // The field takes the placeholder's place in the tab order.
        for (HWND w = GetWindow(dialog, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
            if (w != place && GetDlgCtrlID(w) == kFieldIds[i]) {
                SetWindowPos(w, place, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                break;
            }
        }
        DestroyWindow(place);
        field->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&fields_[i]));
        field->Release();
        IDispatch* d = fields_[i];
        if (!d) return false;
        // 8-bit ISCII in and out; the same script, font and keyboard as the
        // control searched; never the shared settings of other controls.
        Put(d, L"GlobalSettings", Flag(false));
        Put(d, L"ISCIIDataFormat", Number(0));
        Put(d, L"FontType", Number(settings_.fontType));
        Put(d, L"ScriptName", Text(settings_.scriptName));
        Put(d, L"FontName", Text(settings_.fontName));
        Put(d, L"FontSize", Number(settings_.fontSize));
        Put(d, L"KeyboardType", Number(settings_.keyboardType));
        Put(d, L"LinFile", Text(settings_.linFile));
        Put(d, L"DisableEnglish", Flag(settings_.disableEnglish));
        Put(d, L"Text", Text(""));
    }
    CheckRadioButton(dialog, VEXA_IDC_DIRECTION_UP, VEXA_IDC_DIRECTION_DOWN,
                     VEXA_IDC_DIRECTION_DOWN);
    session_ = std::make_unique<edit::FindSession>(engine_);
    SetFocus(GetDlgItem(dialog, VEXA_IDC_FIND_WHAT));
    return true;
}

void FindDialog::Destroyed() {
    session_.reset();
}

std::string FindDialog::FieldText(int id) const {
    IDispatch* field = fields_[id == VEXA_IDC_REPLACE_WITH ? 1 : 0];
    if (!field) return {};
    LPOLESTR names[1] = {const_cast<LPOLESTR>(L"Text")};
    DISPID dispId = 0;
    if (FAILED(field->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispId))) return {};
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT v;
    VariantInit(&v);
    std::string text;
    if (SUCCEEDED(field->Invoke(dispId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                &v, nullptr, nullptr)) &&
        v.vt == VT_BSTR)
        text = FromBstr(v.bstrVal);
    VariantClear(&v);
    return text;
}

edit::FindOptions FindDialog::Options() const {
    edit::FindOptions options;  // an exact byte comparison
    options.up = IsDlgButtonChecked(dialog_, VEXA_IDC_DIRECTION_UP) == BST_CHECKED;
    return options;
}

void FindDialog::Command(int id) {
    if (id == IDCANCEL) {
        EndDialog(dialog_, IDCANCEL);
        return;
    }
    if (!session_) return;
    const std::string what = FieldText(VEXA_IDC_FIND_WHAT);
    edit::FindOutcome outcome = edit::FindOutcome::kFound;
    switch (id) {
        case VEXA_IDC_FIND_NEXT: outcome = session_->FindNext(what, Options()); break;
        case VEXA_IDC_REPLACE:
            if (!replace_) return;
            outcome = session_->Replace(what, FieldText(VEXA_IDC_REPLACE_WITH), Options());
            break;
        case VEXA_IDC_REPLACE_ALL:
            if (!replace_) return;
            if (!session_->ReplaceAll(what, FieldText(VEXA_IDC_REPLACE_WITH), Options()))
                outcome = edit::FindOutcome::kRefused;
            break;
        default: return;
    }
    if (outcome == edit::FindOutcome::kNotFound) {
        char caption[64] = {};
        GetWindowTextA(dialog_, caption, sizeof caption);
        MessageBoxA(dialog_, "String not found", caption, MB_OK);
    } else if (outcome == edit::FindOutcome::kRefused) {
        MessageBeep(0);
    }
}

}  // namespace vexa::win32
