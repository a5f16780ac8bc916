#include "platform/TextLines.h"

#include "platform/Text.h"

namespace discmenu {

std::optional<std::string> TextLines::readLine() {
    if (m_pos >= m_bytes.size())
        return std::nullopt;
    std::size_t end = m_bytes.find('\r', m_pos);
    std::size_t next;
    if (end == std::string::npos) {
        end = m_bytes.size();
        next = end;
    } else {
        next = end + 1;
        if (next < m_bytes.size() && m_bytes[next] == '\n')
            ++next;
    }
    std::string line = text::fromDiscBytes(std::string_view(m_bytes).substr(m_pos, end - m_pos));
    m_pos = next;
    return line;
}

} // namespace discmenu
