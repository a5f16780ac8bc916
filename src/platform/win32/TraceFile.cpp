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
    if (isOpen() && m_owned)
        CloseHandle(m_file);
}

void TraceFile::writeLine(std::string_view line) {
    if (!isOpen())
        return;
    DWORD written = 0;
    WriteFile(m_file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

} // namespace discmenu::win32
