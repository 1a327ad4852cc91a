#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <string>
#include <vector>

namespace vexa::container {

// What to do in a control's property frame while it is open.
struct PageScript {
    int fieldId = 0;        // the field to change (a dialog control ID); 0: none, picture only
    std::string value;      // text for an edit box, item text for a list, "1"/"0" for a check box
    std::string shot;       // PNG of the frame after Apply (empty: none)
    bool keep = true;       // close with OK (true) or Cancel without applying (false)
    bool apply = true;      // with OK: press Apply first
    std::vector<CLSID> pages;  // these pages instead of the control's own
};

struct PageRun {
    bool frameShown = false;
    bool fieldFound = false;
    bool applyEnabled = false;  // the change made the page dirty
    bool applied = false;       // and Apply was pressed
    bool shotWritten = false;
    HRESULT result = E_FAIL;  // OleCreatePropertyFrame's
};

// Opens the control's pages (ISpecifyPropertyPages) in OleCreatePropertyFrame
// owned by `owner`, and drives the modal frame from inside its own loop:
// sets the field, presses Apply (or not), takes the picture, then OK or
// Cancel.
PageRun RunPropertyPages(IUnknown* control, HWND owner, const PageScript& script);

// Saves a window with its children as they are on the screen.
bool WindowShot(HWND window, const std::string& file);

}  // namespace vexa::container
