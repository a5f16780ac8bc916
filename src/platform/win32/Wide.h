#pragma once

#include <string>
#include <string_view>

namespace discmenu::win32 {

// The one place where the core's UTF-8 meets the UTF-16 of the Windows API.
std::wstring toWide(std::string_view utf8);
// Unpaired surrogates in a name become U+FFFD.
std::string toUtf8(std::wstring_view utf16);

} // namespace discmenu::win32
