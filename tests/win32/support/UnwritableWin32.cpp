#include "Unwritable.h"

#include <windows.h>

namespace discmenu::test {

// On Windows a read-only file is not replaced by a copy, whoever copies.
Unwritable::Unwritable(std::filesystem::path file) : m_file(std::move(file)) {
    const DWORD a = GetFileAttributesW(m_file.wstring().c_str());
    m_holds = a != INVALID_FILE_ATTRIBUTES &&
              SetFileAttributesW(m_file.wstring().c_str(), a | FILE_ATTRIBUTE_READONLY);
}

Unwritable::~Unwritable() {
    const DWORD a = GetFileAttributesW(m_file.wstring().c_str());
    if (m_holds && a != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(m_file.wstring().c_str(), a & ~DWORD(FILE_ATTRIBUTE_READONLY));
}

} // namespace discmenu::test
