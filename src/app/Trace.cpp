#include "app/Trace.h"

namespace discmenu {

void Trace::appendField(std::string_view field) {
    for (char c : field) {
        if (c == '\r' || c == '\n' || c == '\t') {
            m_line += '^';
            m_line += static_cast<char>(c + 64); // caret notation: ^M, ^J, ^I
        } else {
            m_line += c;
        }
    }
}

void Trace::endLine() {
    m_line += '\n';
    m_sink->writeLine(m_line);
    m_line.clear();
}

void Trace::write(std::initializer_list<std::string_view> fields) {
    if (!m_sink)
        return;
    m_line.clear();
    for (std::string_view separator; std::string_view f : fields) {
        m_line += separator;
        separator = "\t";
        appendField(f);
    }
    endLine();
}

} // namespace discmenu
