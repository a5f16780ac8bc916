#pragma once

#include <expected>
#include <string>
#include <utility>

namespace discmenu {

// One numbering for every failing platform operation, the one the discs' programs
// have always shown to users.
namespace err {
inline constexpr int FileNotFound = 53;
inline constexpr int DiskFull = 61;
inline constexpr int DriveUnavailable = 68;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
} // namespace err

struct Failure {
    int number = 0;
    std::string description;
};

template <class T> using Result = std::expected<T, Failure>;
using Outcome = std::expected<void, Failure>;

inline std::unexpected<Failure> fail(int number, std::string description) {
    return std::unexpected(Failure{number, std::move(description)});
}

// Marks a step of a handler that goes on past its own failure without a word.
// Writing it out keeps visible which steps may fail quietly.
template <class R> inline void goOnPastFailure(const R&) {}

} // namespace discmenu
