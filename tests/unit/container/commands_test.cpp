#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "key_names.h"
#include "scenario_commands.h"

namespace vexa::container {
namespace {

ScenarioLine Line(const std::string& text) {
    ParseResult r = ParseScenarioLine(text, 7);
    EXPECT_TRUE(r.line) << text;
    return r.line.value_or(ScenarioLine{});
}

// The arguments' check of a scenario line, "" when it fits.
std::string Check(const std::string& text) {
    ScenarioLine line = Line(text);
    const CommandSpec* spec = FindCommand(line.command);
    EXPECT_NE(spec, nullptr) << line.command;
    return spec ? CheckArguments(*spec, line) : "no command";
}

TEST(KeyChord, NamesLettersDigitsAndCodes) {
    EXPECT_EQ(ParseKeyChord("LEFT").chord.virtualKey, 0x25u);
    EXPECT_EQ(ParseKeyChord("left").chord.virtualKey, 0x25u);  // names are case-insensitive
    EXPECT_EQ(ParseKeyChord("a").chord.virtualKey, unsigned{'A'});
    EXPECT_EQ(ParseKeyChord("7").chord.virtualKey, unsigned{'7'});
    EXPECT_EQ(ParseKeyChord("0x41").chord.virtualKey, 0x41u);
    EXPECT_EQ(ParseKeyChord("F12").chord.virtualKey, 0x7Bu);
    EXPECT_EQ(ParseKeyChord("PAGEDOWN").chord.virtualKey, ParseKeyChord("NEXT").chord.virtualKey);
    EXPECT_EQ(ParseKeyChord("RETURN").chord.modifiers, Modifiers{});
    for (const char* bad : {"", "LEFTY", "0x", "0x1FF", "ab", "0xZZ"})
        EXPECT_NE(ParseKeyChord(bad).error, "") << bad;
}

TEST(KeyChord, ModifiersJoinTheKeyWithPlus) {
    KeyChordResult r = ParseKeyChord("ctrl+shift+LEFT");
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.chord.virtualKey, 0x25u);
    EXPECT_EQ(r.chord.modifiers, (Modifiers{true, true, false}));
    EXPECT_EQ(ParseKeyChord("Alt+f").chord.modifiers, (Modifiers{false, false, true}));
    EXPECT_EQ(ParseKeyChord("control+c").chord.modifiers, (Modifiers{true, false, false}));
    // SHIFT alone is the Shift key itself, not a modifier.
    EXPECT_EQ(ParseKeyChord("SHIFT").chord.virtualKey, 0x10u);
    EXPECT_EQ(ParseKeyChord("SHIFT").chord.modifiers, Modifiers{});
    EXPECT_NE(ParseKeyChord("meta+a").error, "");
    EXPECT_NE(ParseKeyChord("ctrl+").error, "");
    EXPECT_NE(ParseKeyChord("ctrl++a").error, "");
}

TEST(KeyChord, MouseModifiersAreTrailingWords) {
    ModifiersResult r = ParseModifiers({"e1", "5", "6", "ctrl", "SHIFT"}, 3);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.modifiers, (Modifiers{true, true, false}));
    EXPECT_EQ(ParseModifiers({"e1", "5", "6"}, 3).modifiers, Modifiers{});
    EXPECT_NE(ParseModifiers({"e1", "5", "6", "double"}, 3).error, "");
}

TEST(CommandTable, EveryCommandIsFoundByItsNameOnce) {
    std::set<std::string_view> names;
    std::set<Command> commands;
    for (const CommandSpec& c : Commands()) {
        EXPECT_TRUE(names.insert(c.name).second) << c.name;
        EXPECT_TRUE(commands.insert(c.command).second) << c.name;
        EXPECT_EQ(FindCommand(c.name), &c);
        EXPECT_FALSE(c.help.empty()) << c.name;
    }
    EXPECT_EQ(commands.size(), static_cast<std::size_t>(Command::Log) + 1);
    EXPECT_EQ(FindCommand("clik"), nullptr);
}

TEST(CommandTable, ArgumentsAreCheckedAgainstTheShape) {
    EXPECT_EQ(Check("click e1 5 6"), "");
    EXPECT_EQ(Check("click e1 5 6 ctrl shift"), "");
    EXPECT_EQ(Check("drag e1 2 10 290 10"), "");
    EXPECT_EQ(Check("keys END shift+LEFT alt+f"), "");
    EXPECT_EQ(Check("set e1 Text \"a b\""), "");
    EXPECT_EQ(Check("call e2 Undo"), "");
    EXPECT_EQ(Check("expect-notify"), "");
    EXPECT_EQ(Check("log two words"), "");

    EXPECT_EQ(Check("click e1 5"), "line 7: click: missing Y (click NAME X Y [MOD...])");
    EXPECT_EQ(Check("click e1 5 a"), "line 7: click: Y must be a whole number, not \"a\"");
    EXPECT_NE(Check("click e1 5 6 double"), "");
    EXPECT_NE(Check("keys"), "");  // at least one key
    EXPECT_NE(Check("keys ctrl+LEFTY"), "");
    EXPECT_EQ(Check("resize e1 60 80 90"), "line 7: resize: too many arguments (resize NAME W H)");
    EXPECT_EQ(Check("capslock maybe"), "line 7: capslock: expected on|off, not \"maybe\"");
    EXPECT_NE(Check("usermode yes"), "");
    EXPECT_NE(Check("form \"420\" 240"), "");  // a number is not a string
    EXPECT_NE(Check("form 0x1A0 240"), "");    // sizes and places are decimal
    EXPECT_NE(Check("expect-no-box now"), "");
}

TEST(CommandTable, HelpListsEveryCommandWithItsUsage) {
    std::string help = CommandHelp();
    for (const CommandSpec& c : Commands())
        EXPECT_NE(help.find("  " + Usage(c) + " "), std::string::npos) << c.name;
    EXPECT_EQ(Usage(*FindCommand("drag")), "drag NAME X1 Y1 X2 Y2 [MOD...]");
    EXPECT_EQ(Usage(*FindCommand("keys")), "keys KEY [KEY...]");
    EXPECT_EQ(Usage(*FindCommand("expect-no-box")), "expect-no-box");
}

TEST(CommandTable, AFileIsCheckedWholeBeforeItRuns) {
    std::istringstream file(
        "# a comment\r\n"
        "form 420 200\r\n"
        "\n"
        "click e1 5\n"
        "set e1 Text \"open\n"
        "jump e1\n"
        "keys END\n");
    CheckedScenario s = CheckScenario(file);
    ASSERT_EQ(s.errors.size(), 3u);
    EXPECT_EQ(s.errors[0], "line 4: click: missing Y (click NAME X Y [MOD...])");
    EXPECT_EQ(s.errors[1], "line 5: unterminated quote");
    EXPECT_EQ(s.errors[2], "line 6: unknown command jump");
    ASSERT_EQ(s.lines.size(), 2u);
    EXPECT_EQ(s.lines[0].number, 2);
    EXPECT_EQ(s.lines[0].args.back(), "200");  // the carriage return is gone
    EXPECT_EQ(s.lines[1].command, "keys");
}

// The scenario files of the Wine stage use only commands and keys the
// container knows, with arguments of the right shape.
TEST(CommandTable, TheCommittedScenariosPassTheCheck) {
    for (const char* file : {"tests/win/vedit.scn", "tests/win/golden.scn", "tests/win/input.scn",
                             "tests/win/fixture-button.scn", "tools/container/demo.scn",
                             "tests/win/find.scn", "tests/win/unicode.scn"}) {
        std::ifstream in(std::string(VEXA_SOURCE_DIR) + "/" + file);
        ASSERT_TRUE(in) << file;
        CheckedScenario s = CheckScenario(in);
        EXPECT_TRUE(s.errors.empty()) << file << ": " << (s.errors.empty() ? "" : s.errors[0]);
        EXPECT_GT(s.lines.size(), 5u) << file;
    }
}

// docs/container-scenarios.md has a table of the key names: it must name
// every one the container accepts.
TEST(CommandTable, TheKeyTableOfTheDocsIsComplete) {
    std::ifstream in(std::string(VEXA_SOURCE_DIR) + "/docs/container-scenarios.md");
    ASSERT_TRUE(in);
    std::stringstream text;
    text << in.rdbuf();
    for (const KeyName& k : KeyNames())
        EXPECT_NE(text.str().find("| `" + std::string(k.name) + "` |"), std::string::npos)
            << k.name;
}

}  // namespace
}  // namespace vexa::container
