#pragma once

#include "app/TraceSink.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace discmenu {

// The support trace: one line per event, fields separated by one tab, UTF-8. Carriage
// return, line feed and tab inside a field are written ^M, ^J and ^I, so that one event is
// always one line. A trace without a sink writes nothing.
class Trace {
public:
    Trace() = default;
    explicit Trace(TraceSink* sink) : m_sink(sink) {}

    bool enabled() const { return m_sink != nullptr; }
    void write(std::initializer_list<std::string_view> fields);
    // A line whose last fields are a list (the jobs, the items).
    void writeList(std::string_view kind, const auto& values) {
        if (!m_sink)
            return;
        m_line.assign(kind);
        for (const auto& v : values) {
            m_line += '\t';
            appendField(v);
        }
        endLine();
    }

private:
    void appendField(std::string_view field);
    void endLine();
    TraceSink* m_sink = nullptr;
    std::string m_line; // the line being built
};

} // namespace discmenu
