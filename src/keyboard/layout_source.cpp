#include "keyboard/layout_source.h"

#include <cctype>
#include <vector>

namespace vexa::keyboard {

namespace {

constexpr int kMaxIncludeDepth = 8;
// Includes read in all, so that a source cannot make the parse explode.
constexpr int kMaxIncludes = 32;

struct Token {
    std::string text;
    bool quoted = false;
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Splits a line into tokens; "|" outside quotes is a token of its own.
bool Tokenize(std::string_view line, std::vector<Token>& tokens, std::string& error) {
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '|') {
            tokens.push_back({"|", false});
            ++i;
        } else if (c == '"') {
            Token token{{}, true};
            ++i;
            for (;;) {
                if (i >= line.size()) {
                    error = "unterminated string";
                    return false;
                }
                char d = line[i++];
                if (d == '"') break;
                if (d == '\\' && i < line.size()) d = line[i++];
                token.text += d;
            }
            tokens.push_back(std::move(token));
        } else {
            std::size_t start = i;
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])) &&
                   line[i] != '|' && line[i] != '"') {
                ++i;
            }
            tokens.push_back({std::string(line.substr(start, i - start)), false});
        }
    }
    return true;
}

bool Output(const std::vector<Token>& tokens, std::size_t from, std::size_t to, KeyText& out,
            std::string& error) {
    std::string bytes;
    for (std::size_t i = from; i < to; ++i) {
        const Token& t = tokens[i];
        if (t.quoted) {
            bytes += t.text;
        } else if (t.text == "-" && to - from == 1) {
            // nothing
        } else if (t.text.size() == 2 && HexDigit(t.text[0]) >= 0 && HexDigit(t.text[1]) >= 0) {
            bytes += static_cast<char>(HexDigit(t.text[0]) * 16 + HexDigit(t.text[1]));
        } else {
            error = "bad byte '" + t.text + "'";
            return false;
        }
    }
    if (bytes.size() > KeyText::kMaxBytes || bytes.find('\0') != std::string::npos) {
        error = "an output holds 1 to 8 bytes other than 00";
        return false;
    }
    out = KeyText::From(bytes);
    return true;
}

bool ParseInto(std::string_view text, const SourceResolver& resolve, int depth, int& includes,
               KeyboardLayout& layout, std::string& error) {
    int lineNumber = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        std::string where = "line " + std::to_string(lineNumber) + ": ";

        std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos || line[first] == '#') continue;
        std::vector<Token> tokens;
        if (!Tokenize(line, tokens, error)) {
            error = where + error;
            return false;
        }
        if (tokens.empty()) continue;  // only white space of other kinds
        if (tokens[0].text == "include" && !tokens[0].quoted) {
            if (tokens.size() != 2 || depth >= kMaxIncludeDepth || ++includes > kMaxIncludes) {
                error = where + "bad include";
                return false;
            }
            std::optional<std::string> included = resolve ? resolve(tokens[1].text) : std::nullopt;
            if (!included) {
                error = where + "cannot include " + tokens[1].text;
                return false;
            }
            if (!ParseInto(*included, resolve, depth + 1, includes, layout, error)) {
                error = tokens[1].text + ": " + error;
                return false;
            }
            continue;
        }
        int scan = -1;
        if (!tokens[0].quoted && !tokens[0].text.empty() && tokens[0].text.size() <= 2 &&
            std::isdigit(static_cast<unsigned char>(tokens[0].text[0])) &&
            std::isdigit(static_cast<unsigned char>(tokens[0].text.back()))) {
            scan = std::stoi(tokens[0].text);
        }
        if (scan < 0 || scan >= kLayoutKeys) {
            error = where + "scan code 0 to 53 expected";
            return false;
        }
        std::size_t bar = 0;
        int bars = 0;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            if (!tokens[i].quoted && tokens[i].text == "|") {
                bar = i;
                ++bars;
            }
        }
        if (bars != 1 || bar < 3 || bar + 1 >= tokens.size()) {
            error = where + "expected: scan key-cap plain | shifted";
            return false;
        }
        LayoutEntry entry;
        if (!Output(tokens, 2, bar, entry.plain, error) ||
            !Output(tokens, bar + 1, tokens.size(), entry.shifted, error)) {
            error = where + error;
            return false;
        }
        layout[static_cast<std::size_t>(scan)] = entry;
    }
    return true;
}

}  // namespace

LayoutSource ParseLayoutSource(std::string_view text, const SourceResolver& resolve) {
    LayoutSource source;
    int includes = 0;
    if (!ParseInto(text, resolve, 0, includes, source.layout, source.error)) {
        source.layout = KeyboardLayout{};
        if (source.error.empty()) source.error = "bad source";
    }
    return source;
}

}  // namespace vexa::keyboard
