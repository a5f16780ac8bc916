#pragma once

#include <string_view>

namespace discmenu {

// Where the support trace's lines go. Each call is one whole line with its line feed, to be
// written through at once: a program that ends abruptly has lost no line it traced.
class TraceSink {
public:
    virtual ~TraceSink() = default;
    virtual void writeLine(std::string_view line) = 0;
};

} // namespace discmenu
