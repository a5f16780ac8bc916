#include "ScratchFolder.h"

#include <stdexcept>
#include <stdlib.h>

namespace discmenu::tools {

ScratchFolder::ScratchFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a folder like " + pattern);
    m_path = pattern;
}

ScratchFolder::~ScratchFolder() {
    if (m_kept)
        return;
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace discmenu::tools
