#pragma once

#include <expected>
#include <string>
#include <string_view>

namespace discmenu {

// One numbering for every failing platform operation, the one the discs' programs have
// always shown to users.
enum class Err {
    FileNotFound = 53,
    DiskFull = 61,
    DriveUnavailable = 68,
    PermissionDenied = 70,
    PathFileAccess = 75,
    PathNotFound = 76,
};

// A failure and its standard description, which comes from the one table of texts
// (failure()); the adapters map their system's errors into it, each in one function.
struct Failure {
    Err code = Err::PathFileAccess;
    std::string description;
    int number() const { return static_cast<int>(code); }
};

template <class T> using Result = std::expected<T, Failure>;
using Outcome = std::expected<void, Failure>;

// The failure with its standard text ("Path not found"); a detail, when given, follows it
// after a colon ("Path/File access error: Input/output error").
Failure failure(Err code, std::string_view detail = {});
inline std::unexpected<Failure> fail(Err code, std::string_view detail = {}) {
    return std::unexpected(failure(code, detail));
}

// Marks a step of a handler that goes on past its own failure without a word.
// Writing it out keeps visible which steps may fail quietly.
template <class R> inline void goOnPastFailure(const R&) {}

} // namespace discmenu
