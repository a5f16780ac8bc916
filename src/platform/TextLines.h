#pragma once

#include <optional>
#include <string>

namespace discmenu {

// Sequential line input over the bytes of a small text file. A line ends at a carriage
// return, and a line feed right after it belongs to that end; a line feed alone does not
// end a line. The last line needs no end mark. Each line is decoded on its own.
class TextLines {
public:
    explicit TextLines(std::string bytes) : m_bytes(std::move(bytes)) {}

    // The next line, or nothing when no characters are left (the end-of-file condition).
    std::optional<std::string> readLine();

private:
    std::string m_bytes;
    std::size_t m_pos = 0;
};

} // namespace discmenu
