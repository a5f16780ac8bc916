#pragma once

#include <windows.h>

#include <streambuf>
#include <string>
#include <utility>

namespace discmenu::win32 {

// The support trace's file, appended to through the API itself: each line is written
// when it ends, so a line is never split by another writer, and the program carries no
// file-stream library of its own.
class TraceFile : public std::streambuf {
public:
    // path: a file to append to; nothing is written when it cannot be opened.
    explicit TraceFile(const std::wstring& path);
    // The process's standard error; not closed at the end.
    static TraceFile standardError();
    ~TraceFile() override;
    TraceFile(TraceFile&& other) noexcept
        : m_owned(other.m_owned), m_file(std::exchange(other.m_file, INVALID_HANDLE_VALUE)) {}
    TraceFile& operator=(TraceFile&&) = delete;

    bool isOpen() const { return m_file != INVALID_HANDLE_VALUE; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    TraceFile(HANDLE file, bool owned) : m_owned(owned), m_file(file) {}
    bool m_owned = true;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    std::string m_pending;
};

} // namespace discmenu::win32
