// Modal dialogs and popup menus that a control opens. Both run a message
// loop of their own, so the scenario is driven from inside it: the hooks
// post the form a message, which that loop dispatches, and the handler runs
// the scenario's next lines (a modal block) or acts on the menu.

#include <cctype>
#include <cstring>

#include "container.h"
#include "page_driver.h"

namespace vexa::container {

namespace {

// A message box's text is the static with ID 0xFFFF; a dialog has none.
bool IsDialogNotBox(HWND window) {
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    return std::string(cls) == "#32770" && !GetDlgItem(window, 0xFFFF);
}

std::string Caption(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool Open(HWND dialog) { return dialog && IsWindow(dialog) && IsWindowVisible(dialog); }

}  // namespace

bool Container::TakeDialog(HWND window) {
    // The dialog being driven is active again after each of its boxes.
    if (self_ && self_->dialog_ == window) return true;
    if (!self_ || !self_->awaitingDialog_ || !IsDialogNotBox(window)) return false;
    self_->awaitingDialog_ = false;
    self_->dialog_ = window;
    PostMessageA(self_->form_, kRunModal, 0, 0);
    return true;
}

// modal: the next line opens the dialog; the lines after it up to end-modal
// run inside the dialog's loop (RunInsideDialog), then the run goes on
// behind end-modal.
bool Container::ModalCommand(const ScenarioLine& line) {
    std::size_t end = next_;
    while (end < lines_.size() && lines_[end].command != "end-modal") ++end;
    if (end >= lines_.size()) return Fail(line, "modal without end-modal");
    if (end == next_) return Fail(line, "modal needs a line that opens the dialog");
    const std::size_t savedEnd = modalEnd_;
    HWND savedDialog = dialog_;
    modalEnd_ = end;
    awaitingDialog_ = true;
    dialog_ = nullptr;
    Execute(lines_[next_++]);
    const bool opened = dialog_ != nullptr;
    awaitingDialog_ = false;
    dialog_ = savedDialog;
    modalEnd_ = savedEnd;
    next_ = end + 1;
    Pump();
    return opened || Fail(line, "no dialog opened");
}

void Container::RunInsideDialog() {
    Log("dialog \"" + Caption(dialog_) + "\" open");
    // The hook saw the activation (the dialog's WM_INITDIALOG may set the
    // focus while the dialog is still hidden); the dialog's loop shows it
    // once it is idle, which it is not yet: show it now.
    if (IsWindow(dialog_) && !IsWindowVisible(dialog_)) ShowWindow(dialog_, SW_SHOW);
    Pump();
    while (next_ < modalEnd_ && Open(dialog_)) Execute(lines_[next_++]);
    if (Open(dialog_)) {
        Fail(lines_[modalEnd_], "the dialog is still open at end-modal: cancelled");
        PostMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (next_ < modalEnd_) Fail(lines_[next_], "the dialog closed before this line");
    Log("dialog closed");
}

bool Container::DialogCommand(const ScenarioLine& line, Command command) {
    if (!Open(dialog_)) return Fail(line, "no dialog is open");
    if (command == Command::DialogShot) {
        Pump();
        if (!WindowShot(dialog_, line.args[0])) return Fail(line, "cannot write " + line.args[0]);
        Log("dlg-shot " + line.args[0]);
        return true;
    }
    const int id = std::stoi(line.args[0]);
    HWND item = GetDlgItem(dialog_, id);
    if (!item) return Fail(line, "the dialog has no control " + line.args[0]);
    if (command == Command::DialogFocus) {
        SetFocus(item);
    } else {
        char text[128] = {};
        GetWindowTextA(item, text, sizeof text);
        Log("dlg-click " + line.args[0] + " \"" + text + "\"");
        SendMessageA(item, BM_CLICK, 0, 0);
    }
    Pump();
    return true;
}

// menu close|shot FILE|pick ID: the plan for the next popup menu.
bool Container::MenuCommand(const ScenarioLine& line) {
    const auto& a = line.args;
    const bool needs = a[0] != "close";
    if (a.size() != (needs ? 2u : 1u))
        return Fail(line, needs ? "menu " + a[0] + " needs one argument" : "menu close takes none");
    menuPlan_ = MenuPlan{a[0], needs ? a[1] : "", line.number};
    return true;
}

// Inside the menu's loop: log the items, then close, picture or pick as
// planned. A pick types the item's mnemonic, as a user would.
void Container::MenuShown(HWND menuWindow) {
    const MenuPlan plan = menuPlan_;
    menuPlan_ = MenuPlan{};
    constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, kGetMenu, 0, 0));
    char pick = 0;
    bool pickGrayed = false, pickFound = false;
    const int count = menu ? GetMenuItemCount(menu) : 0;
    Log("popup menu shown, " + std::to_string(count) + " items");
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text - 1;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.fType & MFT_SEPARATOR) continue;
        const bool grayed = (info.fState & MFS_GRAYED) != 0;
        Log("menu item " + std::to_string(info.wID) + " \"" + text + "\" " +
            (grayed ? "grayed" : "enabled"));
        if (plan.action == "pick" && std::to_string(info.wID) == plan.argument) {
            pickFound = true;
            pickGrayed = grayed;
            const char* amp = std::strchr(text, '&');
            if (amp && amp[1]) pick = static_cast<char>(std::tolower(static_cast<unsigned char>(amp[1])));
        }
    }
    ScenarioLine where;
    where.number = plan.line;
    if (plan.action == "shot") {
        if (WindowShot(menuWindow, plan.argument))
            Log("menu shot " + plan.argument);
        else
            Fail(where, "cannot write " + plan.argument);
    }
    if (plan.action == "pick" && pickFound && !pickGrayed && pick) {
        Log("menu pick " + plan.argument);
        PostMessageA(menuWindow, WM_CHAR, static_cast<WPARAM>(pick), 1);
        return;
    }
    if (plan.action == "pick")
        Fail(where, "menu item " + plan.argument +
                        (!pickFound ? " is not on the menu" : pickGrayed ? " is grayed" : " has no mnemonic"));
    Log("popup menu closed");
    PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 1);
}

}  // namespace vexa::container
