#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vexa::common {

// Why a control refused an assignment or could not carry out a method. The
// automation layer turns it into an error the caller sees, with the
// description as its text.
enum class ErrorKind {
    InvalidValue,      // the value is outside what the property accepts
    PermissionDenied,  // the container refused the change
    Unavailable,       // the control cannot do it in its present state
};

struct ControlError {
    ErrorKind kind;
    std::string description;
};

// The result of an operation that either succeeds or fails with a reason.
using Outcome = std::optional<ControlError>;

inline ControlError InvalidValue(std::string description) {
    return {ErrorKind::InvalidValue, std::move(description)};
}

// The data formats a control exchanges text in: 0 8-bit ISCII, 1 7-bit
// ISCII, 2 PC-ISCII; any other value is refused with this description.
inline Outcome CheckIsciiDataFormat(std::int16_t format) {
    if (format >= 0 && format <= 2) return std::nullopt;
    return InvalidValue("ISCIIDataFormat must be 0 (8-bit ISCII), 1 (7-bit ISCII) or 2 (PC-ISCII)");
}

}  // namespace vexa::common
