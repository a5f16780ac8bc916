#include "platform/win32/TraceFile.h"

namespace discmenu::win32 {

TraceFile::TraceFile(const std::wstring& path) {
    m_file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TraceFile TraceFile::standardError() {
    const HANDLE h = GetStdHandle(STD_ERROR_HANDLE);
    return TraceFile(h ? h : INVALID_HANDLE_VALUE, false);
}

TraceFile::~TraceFile() {
    sync();
    if (isOpen() && m_owned)
        CloseHandle(m_file);
}

TraceFile::int_type TraceFile::overflow(int_type c) {
    if (c != traits_type::eof())
        m_pending += traits_type::to_char_type(c);
    return traits_type::not_eof(c);
}

std::streamsize TraceFile::xsputn(const char* s, std::streamsize n) {
    m_pending.append(s, static_cast<std::size_t>(n));
    return n;
}

int TraceFile::sync() {
    if (m_pending.empty() || !isOpen())
        return 0;
    DWORD written = 0;
    const bool ok = WriteFile(m_file, m_pending.data(), static_cast<DWORD>(m_pending.size()),
                              &written, nullptr);
    m_pending.clear();
    return ok ? 0 : -1;
}

} // namespace discmenu::win32
