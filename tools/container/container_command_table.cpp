// The scenario commands' handlers, one row per command in the order of the
// Command enumeration (checked when compiled). Rows that do more than call
// a handler of the container are the few one-line commands.

#include <array>
#include <string>

#include "container.h"
#include "scenario_commands.h"

namespace vexa::container {

Container::CommandHandler Container::HandlerFor(Command command) {
    using L = const ScenarioLine&;
    using C = Container&;
    struct Row {
        Command command;
        CommandHandler run;
    };
    static constexpr std::array kTable{
        Row{Command::Form,
            [](C c, L l) {
                c.formWidth_ = FormPixels(std::stoi(l.args[0]));
                c.formHeight_ = FormPixels(std::stoi(l.args[1]));
                c.EnsureForm();
                return true;
            }},
        Row{Command::UserMode,
            [](C c, L l) {
                c.userMode_ = l.args[0] == "true";
                return true;
            }},
        Row{Command::Answer,
            [](C, L l) {
                boxAnswer_ = l.args[0] == "no" ? IDNO : l.args[0] == "ok" ? IDOK : IDYES;
                return true;
            }},
        Row{Command::Create, [](C c, L l) { return c.CreateCommand(l, false); }},
        Row{Command::CreateFails, [](C c, L l) { return c.CreateCommand(l, true); }},
        Row{Command::Persist, [](C c, L l) { return c.PersistCommand(l); }},
        Row{Command::Destroy,
            [](C c, L l) {
                Hosted* h = c.Control(l, l.args[0]);
                if (h) c.Destroy(*h);
                return h != nullptr;
            }},
        Row{Command::Set, [](C c, L l) { return c.SetCommand(l, false, false); }},
        Row{Command::TrySet, [](C c, L l) { return c.SetCommand(l, true, false); }},
        Row{Command::SetFails, [](C c, L l) { return c.SetCommand(l, false, true); }},
        Row{Command::Get, [](C c, L l) { return c.GetCommand(l, false); }},
        Row{Command::Expect, [](C c, L l) { return c.GetCommand(l, true); }},
        Row{Command::Call, [](C c, L l) { return c.CallCommand(l); }},
        Row{Command::ExpectResult, [](C c, L l) { return c.ExpectResultCommand(l); }},
        Row{Command::Focus, [](C c, L l) { return c.FocusCommand(l); }},
        Row{Command::Default, [](C c, L l) { return c.DefaultButtonCommand(l, false); }},
        Row{Command::EnterDefault, [](C c, L l) { return c.DefaultButtonCommand(l, true); }},
        Row{Command::CapsLock, [](C c, L l) { return c.KeyStateCommand(l, true); }},
        Row{Command::Shift, [](C c, L l) { return c.KeyStateCommand(l, false); }},
        Row{Command::Keys, [](C c, L l) { return c.KeysCommand(l); }},
        Row{Command::TypeUnicode, [](C c, L l) { return c.TypeUnicodeCommand(l); }},
        Row{Command::Click, [](C c, L l) { return c.MouseCommand(l, Mouse::Click); }},
        Row{Command::DoubleClick, [](C c, L l) { return c.MouseCommand(l, Mouse::DoubleClick); }},
        Row{Command::RightClick, [](C c, L l) { return c.MouseCommand(l, Mouse::RightClick); }},
        Row{Command::Drag, [](C c, L l) { return c.MouseCommand(l, Mouse::Drag); }},
        Row{Command::Move, [](C c, L l) { return c.MouseCommand(l, Mouse::Move); }},
        Row{Command::Resize, [](C c, L l) { return c.ResizeCommand(l); }},
        Row{Command::ExpectEvents, [](C c, L l) { return c.ExpectEventsCommand(l); }},
        Row{Command::ExpectNotify, [](C c, L l) { return c.ExpectNotifyCommand(l); }},
        Row{Command::ExpectBox, [](C c, L l) { return c.ExpectBoxCommand(l); }},
        Row{Command::ExpectNoBox,
            [](C c, L l) {
                const bool none = boxes_.empty();
                boxes_.clear();
                return none || c.Fail(l, "a message box was shown");
            }},
        Row{Command::ExpectLaunched, [](C c, L l) { return c.ExpectLaunchedCommand(l); }},
        Row{Command::RefuseEdit,
            [](C c, L l) {
                Hosted* h = c.Control(l, l.args[0]);
                if (h) h->site->refuseEdits = l.args[1] == "on";
                return h != nullptr;
            }},
        Row{Command::Pages, [](C c, L l) { return c.PagesCommand(l); }},
        Row{Command::Modal, [](C c, L l) { return c.ModalCommand(l); }},
        Row{Command::EndModal, [](C c, L l) { return c.Fail(l, "end-modal without modal"); }},
        Row{Command::DialogFocus,
            [](C c, L l) { return c.DialogCommand(l, Command::DialogFocus); }},
        Row{Command::DialogClick,
            [](C c, L l) { return c.DialogCommand(l, Command::DialogClick); }},
        Row{Command::DialogShot, [](C c, L l) { return c.DialogCommand(l, Command::DialogShot); }},
        Row{Command::Menu, [](C c, L l) { return c.MenuCommand(l); }},
        Row{Command::ShowPage, [](C c, L l) { return c.ShowPageCommand(l); }},
        Row{Command::Screenshot,
            [](C c, L l) {
                if (!c.Screenshot(l.args[0])) return c.Fail(l, "cannot write " + l.args[0]);
                Log("screenshot " + l.args[0]);
                return true;
            }},
        Row{Command::ScreenshotControl, [](C c, L l) { return c.ShotCommand(l, false); }},
        Row{Command::Draw, [](C c, L l) { return c.ShotCommand(l, true); }},
        Row{Command::Pump,
            [](C c, L) {
                c.Pump();
                return true;
            }},
        Row{Command::Log,
            [](C, L l) {
                std::string text;
                for (const auto& s : l.args) text += (text.empty() ? "" : " ") + s;
                Log(text);
                return true;
            }},
    };
    // Row i handles command i, and every command has its row.
    static_assert(kTable.size() == static_cast<std::size_t>(Command::Log) + 1);
    static_assert([] {
        for (std::size_t i = 0; i < kTable.size(); ++i) {
            if (kTable[i].command != static_cast<Command>(i)) return false;
        }
        return true;
    }());
    return kTable[static_cast<std::size_t>(command)].run;
}

}  // namespace vexa::container
