#pragma once

#include <istream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scenario.h"

namespace vexa::container {

// Every command of the scenario language. The container's handler table is
// indexed by this enumeration and checked against it when compiled, so a
// command without a handler does not compile (Log stays the last).
enum class Command {
    Form,
    UserMode,
    Answer,
    Create,
    CreateFails,
    Persist,
    Destroy,
    Set,
    TrySet,
    SetFails,
    Get,
    Expect,
    Call,
    ExpectResult,
    Focus,
    Default,
    EnterDefault,
    CapsLock,
    Shift,
    Keys,
    TypeUnicode,
    Click,
    DoubleClick,
    RightClick,
    Drag,
    Move,
    Resize,
    ExpectEvents,
    ExpectNotify,
    ExpectBox,
    ExpectNoBox,
    ExpectLaunched,
    RefuseEdit,
    Pages,
    Modal,
    EndModal,
    DialogFocus,
    DialogClick,
    DialogShot,
    Menu,
    ShowPage,
    Screenshot,
    ScreenshotControl,
    Draw,
    Pump,
    Log,
};

// One row of the command table. `arguments` lists the arguments in order,
// separated by spaces: LABEL (any word), LABEL:int, LABEL:key (a key chord,
// see key_names.h), LABEL:mod (ctrl, shift or alt), or a choice such as
// on|off. A trailing "..." lets the last one repeat (zero or more times).
struct CommandSpec {
    std::string_view name;
    Command command;
    std::string_view arguments;
    std::string_view help;
};

std::span<const CommandSpec> Commands();
const CommandSpec* FindCommand(std::string_view name);

// Whether the line's arguments fit its command's shape: an empty string,
// or what is wrong ("line 4: click: Y must be a whole number, not \"a\"").
std::string CheckArguments(const CommandSpec& spec, const ScenarioLine& line);

// A whole scenario file, read and checked before anything runs: the lines
// to run (comments and blank lines dropped) and every error of the file,
// each with its line number. A file with errors runs no line.
struct CheckedScenario {
    std::vector<ScenarioLine> lines;
    std::vector<std::string> errors;
};
CheckedScenario CheckScenario(std::istream& in);

// "click NAME X Y [MOD...]": the command with its arguments' labels.
std::string Usage(const CommandSpec& spec);

// The table for `vexa-container --help`: usage and help of every command.
std::string CommandHelp();

}  // namespace vexa::container
