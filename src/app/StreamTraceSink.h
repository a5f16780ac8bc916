#pragma once

#include "app/TraceSink.h"

#include <ostream>

namespace discmenu {

// The trace written to a standard stream (a file, standard error, a string in tests).
class StreamTraceSink : public TraceSink {
public:
    explicit StreamTraceSink(std::ostream& out) : m_out(out) {}
    void writeLine(std::string_view line) override { m_out << line << std::flush; }

private:
    std::ostream& m_out;
};

} // namespace discmenu
