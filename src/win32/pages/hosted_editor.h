#pragma once

#include <oaidl.h>
#include <ocidl.h>
#include <windows.h>

namespace vexa::win32 {

// An edit control of this module hosted on a page's dialog, in place of a
// placeholder field: the general pages type captions and item lists in it,
// in the chosen script and keyboard. The dialog is its only site: no
// ambient properties (so it runs in user mode), no in-place frame.
class HostedEditor {
public:
    HostedEditor() = default;
    ~HostedEditor() { Destroy(); }
    HostedEditor(const HostedEditor&) = delete;
    HostedEditor& operator=(const HostedEditor&) = delete;

    // Creates the editor over the placeholder `fieldId` of `dialog`, which
    // it hides; the editor's window takes the field's id, so the dialog
    // hears its change notifications. False when it cannot be created.
    bool Create(HWND dialog, int fieldId);
    void Destroy();
    IDispatch* Dispatch() const { return dispatch_; }

private:
    IOleObject* object_ = nullptr;
    IDispatch* dispatch_ = nullptr;
    IOleClientSite* site_ = nullptr;
};

}  // namespace vexa::win32
