#include "app/Trace.h"

namespace discmenu {

void Trace::appendField(std::string_view field) {
    for (char c : field) {
        switch (c) {
        case '\r':
            m_line += "^M";
            break;
        case '\n':
            m_line += "^J";
            break;
        case '\t':
            m_line += "^I";
            break;
        default:
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
    bool first = true;
    for (auto f : fields) {
        if (!first)
            m_line += '\t';
        first = false;
        appendField(f);
    }
    endLine();
}

} // namespace discmenu
