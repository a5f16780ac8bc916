#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Character-counting string operations on UTF-8 text. Every count and position is in
// characters (code points), never in bytes, so that a name is never cut inside a character.
namespace discmenu::text {

std::size_t length(std::string_view s);
// First n characters (the whole text when it is shorter).
std::string left(std::string_view s, std::size_t n);
// Last n characters (the whole text when it is shorter).
std::string right(std::string_view s, std::size_t n);
// n characters from the 1-based position start; empty when start lies past the end.
std::string mid(std::string_view s, std::size_t start, std::size_t n);
// Everything from the 1-based position start on.
std::string mid(std::string_view s, std::size_t start);
// Lower and upper case of Latin, Greek and Cyrillic letters; other characters unchanged.
std::string lower(std::string_view s);
std::string upper(std::string_view s);
// Whether the lower-case form of s contains needle (compared exactly).
bool lowerContains(std::string_view s, std::string_view needle);
bool isAscii(std::string_view s);
inline bool endsWith(std::string_view s, std::string_view suffix) {
    return s.ends_with(suffix);
}
inline bool startsWith(std::string_view s, std::string_view prefix) {
    return s.starts_with(prefix);
}
// The case of one byte, for ASCII text: only the letters A to Z change.
inline char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
inline char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
// s with every occurrence of from (not empty), left to right, replaced by to.
std::string replaceAll(std::string_view s, std::string_view from, std::string_view to);

bool isValidUtf8(std::string_view bytes);
// Text from bytes as written on a disc: valid UTF-8 stays as it is; anything else is
// taken as Windows-1252.
std::string fromDiscBytes(std::string_view bytes);

} // namespace discmenu::text
