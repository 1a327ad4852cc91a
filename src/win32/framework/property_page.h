#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "pages/page_table.h"

namespace vexa::win32 {

// The data-exchange table of a page: fields tied to properties by name.
using pages::FieldKind;
using pages::PageField;

// A property page over a dialog resource: the base of every page of the
// module. Its data-exchange table ties dialog fields to properties of the
// objects it edits; it reads them when the page is activated and writes
// them to every object on Apply. Any host shows it: OleCreatePropertyFrame
// or a frame of its own (IPropertyPageSite).
class PropertyPage : public IPropertyPage2 {
public:
    PropertyPage(HINSTANCE resources, int dialogId, std::string title, std::vector<PageField> fields);
    virtual ~PropertyPage();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IPropertyPage
    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    STDMETHODIMP Show(UINT command) override;
    STDMETHODIMP Move(LPCRECT rect) override;
    STDMETHODIMP IsPageDirty() override { return dirty_ ? S_OK : S_FALSE; }
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG* msg) override;

    // IPropertyPage2
    STDMETHODIMP EditProperty(DISPID dispId) override;

protected:
    HWND Dialog() const { return dialog_; }
    const std::vector<IDispatch*>& Objects() const { return objects_; }
    // Fills lists and other fixed content before the fields are read.
    virtual void OnInitDialog() {}
    // A command from a field (after a table field marked the page dirty);
    // true when handled.
    virtual bool OnCommand(int /*controlId*/, int /*code*/) { return false; }
    // After the table's fields were read from `object`: the page's own
    // fields (lists that depend on one another, hosted editors).
    virtual void ReadOwnFields(IDispatch* /*object*/) {}
    // After the table's fields were written to `object`; false, with the
    // reason in `why`, when the object refused a value.
    virtual bool WriteOwnFields(IDispatch* /*object*/, std::string& /*why*/) { return true; }
    bool Filling() const { return filling_; }
    void SetFilling(bool filling) { filling_ = filling; }
    // Tells the frame the page has changes to apply.
    void SetDirty(bool dirty = true);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK SheetPageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    // A frame made of a common property sheet (as Wine's is) may neither
    // enable Apply on the site's status nor call Apply: the page then
    // follows the sheet itself (PSM_CHANGED, PSN_APPLY) through the sheet
    // page it sits on.
    void FollowSheet(HWND parent);
    void LeaveSheet();
    void ReadFields();
    // False, with the reason in `why`, when an object refused a value.
    bool WriteFields(std::string& why);

    LONG refs_ = 1;
    HINSTANCE resources_;
    int dialogId_;
    std::string title_;
    std::vector<PageField> fields_;
    IPropertyPageSite* site_ = nullptr;
    std::vector<IDispatch*> objects_;
    HWND dialog_ = nullptr;
    HWND sheetPage_ = nullptr;   // the common property sheet's page we sit on
    WNDPROC sheetPageProc_ = nullptr;
    bool dirty_ = false;
    bool filling_ = false;  // fields being filled: their notifications change nothing
};

}  // namespace vexa::win32
