#pragma once

#include <optional>
#include <string>

namespace vexa::controls {

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

}  // namespace vexa::controls
