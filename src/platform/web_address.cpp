#include "platform/web_address.h"

#include <array>
#include <cctype>
#include <string>

namespace vexa::platform {

namespace {

bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c);
}

// The characters of RFC 3986 (unreserved, sub-delimiters, general
// delimiters and "%"), less the single quote: nothing that could close a
// quoted string or start an argument of a command line.
bool UrlCharacter(char c) {
    if (IsAlnum(c)) return true;
    constexpr std::string_view kOthers = "-._~!$&()*+,;=:/?#[]@%";
    return kOthers.find(c) != std::string_view::npos;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool ValidPort(std::string_view port) {
    if (port.empty() || port.size() > 5) return false;
    long value = 0;
    for (char c : port) {
        if (!IsDigit(c)) return false;
        value = value * 10 + (c - '0');
    }
    return value > 0 && value <= 65535;
}

bool ValidHostName(std::string_view host) {
    if (host.empty() || host.front() == '.' || host.front() == '-') return false;
    bool letterOrDigit = false;
    for (char c : host) {
        if (IsAlnum(c)) {
            letterOrDigit = true;
        } else if (c != '.' && c != '-') {
            return false;
        }
    }
    return letterOrDigit;
}

// "//host[:port]" up to the path, query or fragment. User information
// ("user@host") is refused: it serves only to disguise the real host.
AddressVerdict CheckAuthority(std::string_view rest) {
    if (rest.substr(0, 2) != "//") return AddressVerdict::BadHost;
    rest.remove_prefix(2);
    std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
    if (authority.find('@') != std::string_view::npos) return AddressVerdict::BadHost;
    std::string_view host = authority;
    std::string_view port;
    bool hasPort = false;
    if (!authority.empty() && authority.front() == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos || close < 3) return AddressVerdict::BadHost;
        for (char c : authority.substr(1, close - 1))
            if (!IsHex(c) && c != ':' && c != '.') return AddressVerdict::BadHost;
        host = authority.substr(0, close + 1);
        std::string_view after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':') return AddressVerdict::BadHost;
            hasPort = true;
            port = after.substr(1);
        }
    } else {
        const std::size_t colon = authority.find(':');
        if (colon != std::string_view::npos) {
            host = authority.substr(0, colon);
            hasPort = true;
            port = authority.substr(colon + 1);
        }
        if (!ValidHostName(host)) return AddressVerdict::BadHost;
    }
    if (hasPort && !ValidPort(port)) return AddressVerdict::BadHost;
    return AddressVerdict::Accepted;
}

// "mailto:address[,address][?key=value&...]" with the usual keys only: a
// mail program's other parameters (attachments among them) are refused.
AddressVerdict CheckMail(std::string_view rest) {
    const std::size_t question = rest.find('?');
    std::string_view to = rest.substr(0, question);
    if (to.empty() || to.front() == '/' || to.find('@') == std::string_view::npos)
        return AddressVerdict::BadMailAddress;
    if (question == std::string_view::npos) return AddressVerdict::Accepted;
    std::string_view query = rest.substr(question + 1);
    constexpr std::array<std::string_view, 5> kKeys{"to", "cc", "bcc", "subject", "body"};
    while (true) {
        const std::size_t amp = query.find('&');
        std::string_view pair = query.substr(0, amp);
        const std::size_t eq = pair.find('=');
        if (eq == std::string_view::npos) return AddressVerdict::BadMailAddress;
        const std::string key = Lower(pair.substr(0, eq));
        bool known = false;
        for (std::string_view k : kKeys) known = known || key == k;
        if (!known) return AddressVerdict::BadMailAddress;
        if (amp == std::string_view::npos) break;
        query.remove_prefix(amp + 1);
    }
    return AddressVerdict::Accepted;
}

}  // namespace

AddressVerdict CheckWebAddress(std::string_view address) {
    if (address.empty()) return AddressVerdict::Empty;
    if (address.size() > kMaxWebAddress) return AddressVerdict::TooLong;
    for (std::size_t i = 0; i < address.size(); ++i) {
        const char c = address[i];
        if (!UrlCharacter(c)) return AddressVerdict::ForbiddenCharacter;
        if (c == '%' && (i + 2 >= address.size() || !IsHex(address[i + 1]) || !IsHex(address[i + 2])))
            return AddressVerdict::BadEscape;
    }
    const std::size_t colon = address.find(':');
    if (colon == std::string_view::npos) return AddressVerdict::SchemeNotAllowed;
    const std::string scheme = Lower(address.substr(0, colon));
    const std::string_view rest = address.substr(colon + 1);
    if (scheme == "http" || scheme == "https") return CheckAuthority(rest);
    if (scheme == "mailto") return CheckMail(rest);
    return AddressVerdict::SchemeNotAllowed;
}

}  // namespace vexa::platform
