#pragma once

#include <initializer_list>
#include <ostream>
#include <string_view>

namespace discmenu {

// The support trace: one line per event, fields separated by one tab, UTF-8. Carriage
// return, line feed and tab inside a field are written ^M, ^J and ^I, so that one event is
// always one line. A trace without a stream writes nothing.
class Trace {
public:
    Trace() = default;
    explicit Trace(std::ostream* out) : m_out(out) {}

    bool enabled() const { return m_out != nullptr; }
    void write(std::initializer_list<std::string_view> fields);
    // A line whose last fields are a list (the jobs, the items).
    void writeList(std::string_view kind, const auto& values) {
        if (!m_out)
            return;
        *m_out << kind;
        for (const auto& v : values) {
            *m_out << '\t';
            writeField(v);
        }
        *m_out << '\n' << std::flush;
    }

private:
    void writeField(std::string_view field);
    std::ostream* m_out = nullptr;
};

} // namespace discmenu
