#include "scenario_commands.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "key_names.h"

namespace vexa::container {

namespace {

using enum Command;

constexpr std::array kCommands{
    CommandSpec{"form", Form, "W:int H:int", "make the form W by H pixels (first use creates it)"},
    CommandSpec{"usermode", UserMode, "true|false", "the ambient user mode given to new controls"},
    CommandSpec{"answer", Answer, "yes|no|ok", "the button that answers the next message boxes"},
    CommandSpec{"create", Create, "NAME PROGID X:int Y:int W:int H:int",
                "create a control and place it on the form, above those made before it"},
    CommandSpec{"create-fails", CreateFails, "NAME PROGID X:int Y:int W:int H:int",
                "creating the control must fail"},
    CommandSpec{"persist", Persist, "NAME NEWNAME X:int Y:int W:int H:int",
                "save NAME to a stream and load a new control NEWNAME from it"},
    CommandSpec{"destroy", Destroy, "NAME", "close and release a control"},
    CommandSpec{"set", Set, "NAME PROP VALUE", "set a property; it must succeed"},
    CommandSpec{"try-set", TrySet, "NAME PROP VALUE", "set a property and log the result"},
    CommandSpec{"set-fails", SetFails, "NAME PROP VALUE", "setting the property must fail"},
    CommandSpec{"get", Get, "NAME PROP", "log a property's value"},
    CommandSpec{"expect", Expect, "NAME PROP VALUE", "a property must have this value"},
    CommandSpec{"call", Call, "NAME METHOD ARG...", "call a method; its result is kept"},
    CommandSpec{"expect-result", ExpectResult, "VALUE", "the last call's result must be VALUE"},
    CommandSpec{"focus", Focus, "NAME", "UI-activate a control (it takes the focus)"},
    CommandSpec{"default", Default, "NAME on|off...",
                "make the control the form's default button (ambient DisplayAsDefault), or not"},
    CommandSpec{"enter-default", EnterDefault, "NAME",
                "hand Enter to the control as its mnemonic (IOleControl::OnMnemonic)"},
    CommandSpec{"capslock", CapsLock, "on|off", "set the Caps Lock toggle"},
    CommandSpec{"shift", Shift, "down|up", "hold or release Shift for the following commands"},
    CommandSpec{"keys", Keys, "KEY:key KEY:key...",
                "press and release keys in the focused window (ctrl+a, shift+LEFT, alt+f)"},
    CommandSpec{"type-unicode", TypeUnicode, "TEXT",
                "type TEXT (UTF-8 in the file) through SendInput's Unicode packets "
                "(KEYEVENTF_UNICODE), one UTF-16 unit a packet, into the focused window"},
    CommandSpec{"click", Click, "NAME X:int Y:int MOD:mod...",
                "left click at X Y of the control, holding the modifiers"},
    CommandSpec{"dblclick", DoubleClick, "NAME X:int Y:int MOD:mod...",
                "left double click at X Y of the control"},
    CommandSpec{"rclick", RightClick, "NAME X:int Y:int MOD:mod...",
                "right click at X Y of the control (a popup menu is logged and closed)"},
    CommandSpec{"drag", Drag, "NAME X1:int Y1:int X2:int Y2:int MOD:mod...",
                "press the left button at X1 Y1, move to X2 Y2, release there"},
    CommandSpec{"move", Move, "NAME X:int Y:int",
                "move the mouse to X Y of the control (outside it too), no button held"},
    CommandSpec{"resize", Resize, "NAME W:int H:int",
                "give the control a new size, keeping its position"},
    CommandSpec{"expect-events", ExpectEvents, "NAME EVENT...",
                "the control's events since the last check, in order"},
    CommandSpec{"expect-notify", ExpectNotify, "CODE...",
                "the parent notifications (0xNNNN) since the last check"},
    CommandSpec{"expect-box", ExpectBox, "CAPTION TEXT",
                "a message box with this caption and text was shown since the last check"},
    CommandSpec{"expect-no-box", ExpectNoBox, "", "no message box was shown since the last check"},
    CommandSpec{"expect-launched", ExpectLaunched, "URL...",
                "the addresses the controls opened since the last check (VEXA_URL_LOG)"},
    CommandSpec{"refuse-edit", RefuseEdit, "NAME on|off",
                "the site refuses (on) or allows changes of bound properties"},
    CommandSpec{"pages", Pages, "NAME FIELD:int VALUE FILE ok|cancel|close",
                "open the control's property pages, set (or press) a field on whichever page has it; "
                "apply and OK, or Cancel, or just OK (close: no change needed); picture the frame"},
    CommandSpec{"modal", Modal, "",
                "the next line opens a modal dialog; the lines up to end-modal run inside it"},
    CommandSpec{"end-modal", EndModal, "", "the end of a modal block: the dialog must be closed"},
    CommandSpec{"dlg-focus", DialogFocus, "ID:int", "give the open dialog's control ID the focus"},
    CommandSpec{"dlg-click", DialogClick, "ID:int",
                "click the open dialog's button ID (a button, check box or radio button)"},
    CommandSpec{"dlg-shot", DialogShot, "FILE", "write the open dialog as a PNG picture"},
    CommandSpec{"menu", Menu, "close|shot|pick ARG...",
                "what to do with the next popup menu: close it, picture it (FILE), or pick "
                "the item ID; its items and states are logged"},
    CommandSpec{"show-page", ShowPage, "NAME PAGE-PROGID FILE",
                "open one property page class (by its ProgID) over the control, picture it, Cancel"},
    CommandSpec{"screenshot", Screenshot, "FILE", "write the form as a PNG picture"},
    CommandSpec{"screenshot-control", ScreenshotControl, "NAME FILE",
                "write the control's window as on the screen (caret hidden)"},
    CommandSpec{"draw", Draw, "NAME FILE",
                "write the control drawn through IViewObject::Draw at its size"},
    CommandSpec{"pump", Pump, "", "handle the waiting window messages"},
    CommandSpec{"log", Log, "TEXT...", "write the words to the log"},
};

struct Token {
    std::string_view label;
    std::string_view kind;  // "", "int", "key", "mod", or a choice "a|b"
    bool repeats = false;
};

std::vector<Token> Tokens(std::string_view arguments) {
    std::vector<Token> out;
    while (!arguments.empty()) {
        std::size_t space = arguments.find(' ');
        std::string_view word = arguments.substr(0, space);
        arguments =
            space == std::string_view::npos ? std::string_view{} : arguments.substr(space + 1);
        Token t;
        if (word.ends_with("...")) {
            t.repeats = true;
            word.remove_suffix(3);
        }
        std::size_t colon = word.find(':');
        if (word.find('|') != std::string_view::npos) {
            t.label = word;
            t.kind = word;
        } else if (colon != std::string_view::npos) {
            t.label = word.substr(0, colon);
            t.kind = word.substr(colon + 1);
        } else {
            t.label = word;
        }
        out.push_back(t);
    }
    return out;
}

bool IsInteger(const std::string& text) {
    if (text.empty()) return false;
    char* end = nullptr;
    std::strtol(text.c_str(), &end, 10);
    return *end == '\0';
}

bool IsChoice(std::string_view choices, const std::string& word) {
    while (true) {
        std::size_t bar = choices.find('|');
        if (choices.substr(0, bar) == word) return true;
        if (bar == std::string_view::npos) return false;
        choices = choices.substr(bar + 1);
    }
}

// What is wrong with one argument, or an empty string.
std::string CheckOne(const Token& t, const std::string& word, bool quoted) {
    std::string label(t.label);
    if (t.kind.empty()) return "";
    if (quoted) return label + " must not be quoted";
    if (t.kind == "int")
        return IsInteger(word) ? "" : label + " must be a whole number, not \"" + word + "\"";
    if (t.kind == "key") return ParseKeyChord(word).error;
    if (t.kind == "mod") return ParseModifiers({word}, 0).error;
    return IsChoice(t.kind, word) ? ""
                                  : "expected " + std::string(t.kind) + ", not \"" + word + "\"";
}

}  // namespace

std::span<const CommandSpec> Commands() { return kCommands; }

const CommandSpec* FindCommand(std::string_view name) {
    for (const CommandSpec& c : kCommands)
        if (c.name == name) return &c;
    return nullptr;
}

std::string CheckArguments(const CommandSpec& spec, const ScenarioLine& line) {
    std::vector<Token> tokens = Tokens(spec.arguments);
    std::string where =
        "line " + std::to_string(line.number) + ": " + std::string(spec.name) + ": ";
    std::size_t i = 0;
    for (std::size_t t = 0; t < tokens.size(); ++t) {
        const Token& token = tokens[t];
        if (token.repeats) {
            for (; i < line.args.size(); ++i) {
                std::string why = CheckOne(token, line.args[i], line.quoted[i]);
                if (!why.empty()) return where + why;
            }
            return "";
        }
        if (i >= line.args.size())
            return where + "missing " + std::string(token.label) + " (" + Usage(spec) + ")";
        std::string why = CheckOne(token, line.args[i], line.quoted[i]);
        if (!why.empty()) return where + why;
        ++i;
    }
    if (i < line.args.size()) return where + "too many arguments (" + Usage(spec) + ")";
    return "";
}

CheckedScenario CheckScenario(std::istream& in) {
    CheckedScenario out;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        ParseResult parsed = ParseScenarioLine(text, number);
        if (!parsed.error.empty()) {
            out.errors.push_back(parsed.error);
            continue;
        }
        if (!parsed.line) continue;
        const CommandSpec* spec = FindCommand(parsed.line->command);
        std::string wrong =
            spec ? CheckArguments(*spec, *parsed.line)
                 : "line " + std::to_string(number) + ": unknown command " + parsed.line->command;
        if (!wrong.empty())
            out.errors.push_back(wrong);
        else
            out.lines.push_back(std::move(*parsed.line));
    }
    return out;
}

std::string Usage(const CommandSpec& spec) {
    std::string out(spec.name);
    for (const Token& t : Tokens(spec.arguments)) {
        out += ' ';
        if (t.repeats) out += '[';
        out += t.label;
        if (t.repeats) out += "...]";
    }
    return out;
}

std::string CommandHelp() {
    std::vector<std::string> usages;
    std::size_t width = 0;
    for (const CommandSpec& c : kCommands) {
        usages.push_back(Usage(c));
        width = std::max(width, usages.back().size());
    }
    std::string out = "vexa-container SCENARIO: runs a scenario file, one command a line:\n\n";
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        out += "  " + usages[i] + std::string(width + 2 - usages[i].size(), ' ');
        out.append(kCommands[i].help).append("\n");
    }
    out +=
        "\nKEY is a key name (LEFT, RETURN, F5, a, 7, 0x41, ...) with optional ctrl+, shift+,\n"
        "alt+ before it; MOD is ctrl, shift or alt. Quoted values are strings (\\xHH escapes),\n"
        "true/false booleans, other numbers integers. Lines starting with # are comments.\n";
    return out;
}

}  // namespace vexa::container
