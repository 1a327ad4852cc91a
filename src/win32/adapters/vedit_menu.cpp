// The edit control's context menu and its Find and Replace dialogs.
#include "edit/edit_menu.h"
#include "module/edit_resource_ids.h"
#include "win32/adapters/find_dialog.h"
#include "win32/adapters/vedit_ctrl.h"
#include "win32/framework/com_module.h"

namespace vexa::win32 {

HRESULT CVEditCtrl::ShowDialog(bool replace) {
    // A modal dialog needs someone to answer it: a control without a window
    // (a script host's) refuses instead of waiting for ever.
    if (!Window())
        return Fail(OLE_E_NOT_INPLACEACTIVE,
                    std::string(replace ? "ShowReplaceDialog" : "ShowFindDialog") +
                        " needs the control placed on a form: this host shows no windows.");
    SyncEngine();  // the engine acts on the current ReadOnly
    const edit::VEditProperties& p = logic_.Props();
    FieldSettings fields{p.fontType,     p.scriptName, p.fontName,      p.fontSize,
                         p.keyboardType, p.linFile,    p.disableEnglish};
    FindDialog dialog(engine_, std::move(fields), replace);
    DWORD error = 0;
    const bool shown = dialog.Run(GetAncestor(Window(), GA_ROOT), error);
    if (Window()) {
        SetFocus(Window());
        engine_.CreateCaretShape();
    }
    if (!shown)
        return Fail(HRESULT_FROM_WIN32(error ? error : ERROR_CANNOT_MAKE),
                    std::string("The ") + (replace ? "Replace" : "Find") +
                        " dialog could not be created.");
    return S_OK;
}

// The menu at a point of the screen; a point of (-1, -1) (the menu key)
// puts it at the caret.
void CVEditCtrl::ShowContextMenu(POINT at) {
    if (!edit::OffersContextMenu(logic_.Props().multiLine) || !Window()) return;
    if (at.x == -1 && at.y == -1) {
        at = {engine_.View().CaretX(), engine_.View().CaretY() + engine_.LineHeight()};
        ClientToScreen(Window(), &at);
    }
    HMENU menu = LoadMenuA(ModuleInstance(), MAKEINTRESOURCEA(VEXA_IDM_EDIT_MENU));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    engine_.Flush();
    const edit::EditMenuState state = edit::MenuStateOf(
        engine_.HasSelection(), logic_.Props().readOnly,
        IsClipboardFormatAvailable(clipboardCommands_.Format()) != FALSE);
    auto enable = [&](UINT id, bool on) {
        EnableMenuItem(popup, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(VEXA_ID_EDIT_CUT, state.cut);
    enable(VEXA_ID_EDIT_COPY, state.copy);
    enable(VEXA_ID_EDIT_PASTE, state.paste);
    enable(VEXA_ID_EDIT_ATTRIBUTES, state.attributes);
    // The menu closes when the user clicks elsewhere only if its owner's
    // window is in the foreground.
    SetForegroundWindow(GetAncestor(Window(), GA_ROOT));
    const UINT command = TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                        at.x, at.y, 0, Window(), nullptr);
    PostMessageA(Window(), WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (command != 0) RunMenuCommand(command);
}

void CVEditCtrl::RunMenuCommand(UINT command) {
    const bool readOnly = logic_.Props().readOnly;
    switch (command) {
        case VEXA_ID_EDIT_CUT:
            if (!readOnly) clipboardCommands_.Cut();
            break;
        case VEXA_ID_EDIT_COPY: clipboardCommands_.Copy(); break;
        case VEXA_ID_EDIT_PASTE:
            if (!readOnly) clipboardCommands_.Paste();
            break;
        case VEXA_ID_EDIT_FIND: ShowDialog(false); break;
        case VEXA_ID_EDIT_REPLACE: ShowDialog(true); break;
        default: break;  // Attributes: no action of its own
    }
}

}  // namespace vexa::win32
