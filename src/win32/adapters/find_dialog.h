#pragma once

#include <windows.h>
// The seam's Surface::TextOut is not the Win32 macro.
#undef TextOut

#include <memory>
#include <string>

#include "edit/find_session.h"

namespace vexa::edit {
class EditEngine;
}

namespace vexa::win32 {

// What the dialog's text fields take over from the control being searched,
// so the strings are typed with the same script, font and keyboard.
struct FieldSettings {
    short fontType = 0;
    std::string scriptName;
    std::string fontName;
    short fontSize = 12;
    short keyboardType = 0;
    std::string linFile;
    bool disableEnglish = false;
};

// The modal Find or Replace dialog over one edit control. Its text fields
// are edit controls of this module; the search itself is the portable
// FindSession's.
class FindDialog {
  public:
    FindDialog(edit::EditEngine& engine, FieldSettings settings, bool replace)
        : engine_(engine), settings_(std::move(settings)), replace_(replace) {}

    // Runs the dialog until it is closed; false (with the system's error
    // code) when it could not be shown.
    bool Run(HWND owner, DWORD& error);

  private:
    static INT_PTR CALLBACK Proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);
    bool Init(HWND dialog);
    void Command(int id);
    // The field's text as 8-bit ISCII.
    std::string FieldText(int id) const;
    edit::FindOptions Options() const;
    void Destroyed();

    edit::EditEngine& engine_;
    FieldSettings settings_;
    bool replace_;
    HWND dialog_ = nullptr;
    IDispatch* fields_[2] = {nullptr, nullptr};
    std::unique_ptr<edit::FindSession> session_;
};

}  // namespace vexa::win32
