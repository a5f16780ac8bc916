#include "platform/TextLines.h"

#include "platform/Text.h"

#include <algorithm>

namespace discmenu {

std::optional<std::string> TextLines::readLine() {
    if (m_pos >= m_bytes.size())
        return std::nullopt;
    const std::size_t end = std::min(m_bytes.find('\r', m_pos), m_bytes.size());
    std::string line = text::fromDiscBytes(std::string_view(m_bytes).substr(m_pos, end - m_pos));
    m_pos = m_bytes.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    return line;
}

} // namespace discmenu
