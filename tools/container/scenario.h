#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::container {

// One line of a scenario file: a command and its arguments. Quoted
// arguments keep their spaces and take the escapes \\, \" and \xHH (any
// byte, for ISCII text).
struct ScenarioLine {
    int number = 0;
    std::string command;
    std::vector<std::string> args;
    std::vector<bool> quoted;  // per argument: written in quotes
};

// Splits one line; nullopt for blank and comment lines ("#"). A malformed
// line (an unterminated quote, a bad escape) gives an error message.
struct ParseResult {
    std::optional<ScenarioLine> line;
    std::string error;
};
ParseResult ParseScenarioLine(std::string_view text, int number);

// Shows bytes for the event log: printable ASCII as is, others as \xHH.
std::string Escape(std::string_view bytes);

}  // namespace vexa::container
