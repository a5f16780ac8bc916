#include "app/Trace.h"

namespace discmenu {

void Trace::writeField(std::string_view field) {
    for (char c : field) {
        switch (c) {
        case '\r':
            *m_out << "^M";
            break;
        case '\n':
            *m_out << "^J";
            break;
        case '\t':
            *m_out << "^I";
            break;
        default:
            *m_out << c;
        }
    }
}

void Trace::write(std::initializer_list<std::string_view> fields) {
    if (!m_out)
        return;
    bool first = true;
    for (auto f : fields) {
        if (!first)
            *m_out << '\t';
        first = false;
        writeField(f);
    }
    *m_out << '\n' << std::flush;
}

} // namespace discmenu
